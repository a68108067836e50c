#pragma once
// Sounds for the engine's mix: 48 kHz stereo float, so that sources of any
// rate keep their pitch and length. Sampled files are decoded, and MIDI
// files played by the synthesizer, as the mix reads them: never whole.

#include <QString>
#include <map>
#include <memory>
#include <vector>
#include <utility>

namespace plivor {

// An FFmpeg error code in words.
QString TexteAv(int code);

inline constexpr int kFrequenceExport = 48000;

class Pcm {
 public:
  explicit Pcm(int hz = kFrequenceExport) : frequence(hz) {}
  virtual ~Pcm() = default;
  virtual long long Trames() const = 0;
  // Frames [debut, debut + n) into `sortie`, left then right; silence past
  // the end.
  virtual void Lire(long long debut, long long n, float* sortie) const = 0;
  // Made ready to be read from `debut`, before any mix reads it: what takes
  // long (playing a MIDI file up to there) is not done while the sound
  // device waits.
  virtual void Preparer(long long /*debut*/) const {}
  long long DureeMs() const { return Trames() * 1000 / frequence; }
  long long TrameDe(long long ms) const { return ms * frequence / 1000; }
  int frequence;
};

// Any sampled sound file (WAV of any coding, MP3, FLAC, OGG, Opus, M4A...)
// through FFmpeg's libraries, at `frequence`, decoded as it is read;
// nothing, with the reason.
std::shared_ptr<const Pcm> DecoderSon(const QString& chemin, QString& erreur, int frequence = kFrequenceExport);
// A MIDI file played by FluidSynth with `soundFont`, at the level of a
// sampled sound at full volume, `dureeMs` long (the length its events give).
// Only what is read is synthesized, and nothing is kept.
std::shared_ptr<const Pcm> RendreMidi(const QString& chemin, const QString& soundFont, long long dureeMs,
                                      QString& erreur);

// A file heard again is not decoded again while its sound is still held
// (playing, or among the last ones opened).
class SourcesSonores {
 public:
  explicit SourcesSonores(QString soundFont) : soundFont_(std::move(soundFont)) {}
  // `dureeMidiMs`: the MIDI file's length, read from its events.
  std::shared_ptr<const Pcm> Charger(const QString& chemin, bool midi, QString& erreur, long long dureeMidiMs = 0);
  const QString& SoundFont() const { return soundFont_; }

 private:
  QString soundFont_;
  std::map<std::pair<QString, bool>, std::weak_ptr<const Pcm>> charges_;
  // The last ones opened stay decoded: a list going back and forth over two
  // sounds decodes each once, and a long show does not keep every sound.
  std::vector<std::shared_ptr<const Pcm>> recents_;
};

}  // namespace plivor
