#pragma once
// Sounds decoded whole for the export's mix: 48 kHz stereo float, so that
// sources of any rate keep their pitch and length.

#include <QString>
#include <map>
#include <memory>
#include <vector>

namespace plivor {

inline constexpr int kFrequenceExport = 48000;

struct Pcm {
  std::vector<float> echantillons;  // left, right, left, right...
  long long Trames() const { return static_cast<long long>(echantillons.size() / 2); }
  long long DureeMs() const { return Trames() * 1000 / kFrequenceExport; }
};

// A WAV or MP3 file through FFmpeg's libraries; nothing, with the reason.
std::shared_ptr<const Pcm> DecoderSon(const QString& chemin, QString& erreur);
// A MIDI file played by FluidSynth with `soundFont`, at the gain the mixer
// gives it at full volume.
std::shared_ptr<const Pcm> RendreMidi(const QString& chemin, const QString& soundFont, QString& erreur);

// Each file decoded once per export.
class SourcesSonores {
 public:
  explicit SourcesSonores(QString soundFont) : soundFont_(std::move(soundFont)) {}
  std::shared_ptr<const Pcm> Charger(const QString& chemin, bool midi, QString& erreur);
  const QString& SoundFont() const { return soundFont_; }

 private:
  QString soundFont_;
  std::map<std::pair<QString, bool>, std::shared_ptr<const Pcm>> charges_;
};

}  // namespace plivor
