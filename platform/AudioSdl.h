#pragma once
// The projection's sound: the engine the video export uses, its journal
// mixed by SDL2's audio device as the device asks for more, at the engine's
// rate. The device's clock is the engine's: a sound starts, stops or changes
// volume at the next frame the device is given. Sampled sounds of every
// format are decoded by FFmpeg, MIDI is FluidSynth with the Debian
// SoundFont, CD tracks are read from the drive through libcdio.

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

#include "platform/Audio.h"
#include "video/CoucheAudioJournal.h"

namespace plivor {

class DisqueCd;

class CoucheAudioSdl : public QObject, public CoucheAudioJournal {
  Q_OBJECT

 public:
  // `soundFont`: empty for the one found in the usual places.
  explicit CoucheAudioSdl(QString soundFont = {});
  ~CoucheAudioSdl() override;

  // Empty when the device opened, else why there is no sound.
  const QString& Erreur() const { return erreur_; }

  // The frames the device was given so far.
  long long Trame() const override { return journal_.Produites(); }
  std::optional<PisteCd> Piste(int numero) const override;
  std::optional<QString> Avertissement() override;
  // The MP3 player notifies on the window thread, after the call.
  bool AvisDifferes() const override { return true; }
  // Without any device, not even a silent one, nothing opens.
  std::optional<QString> Ouvrir(Peripherique peripherique, const QString& chemin) override;
  std::unique_ptr<LecteurMp3> CreerMp3(QString& erreur) override;

  // Length of the open medium in ms, 0 when unknown.
  int Duree() const { return Longueur().value_or(0); }

  // Holds the device while it lives: calls made meanwhile take effect at
  // one frame (a volume and the start of a sound, say).
  class MemeTrame {
   public:
    explicit MemeTrame(const CoucheAudioSdl& couche);
    ~MemeTrame();
    MemeTrame(const MemeTrame&) = delete;
    MemeTrame& operator=(const MemeTrame&) = delete;

   private:
    unsigned peripherique_;
  };

  // The device's frames in each call, and so the latency of a change.
  static constexpr int kTrameParAppel = 1024;

 protected:
  std::optional<QString> OuvrirCd(std::shared_ptr<const Pcm>& cd) override;

 private:
  bool OuvrirPeripherique();
  static void Remplir(void* donnees, unsigned char* flux, int octets);

  JournalSonore journal_;
  SourcesSonores sources_;
  QString erreur_;
  QString avertissement_;
  unsigned peripherique_ = 0;  // SDL's device, 0 when none opened
  std::vector<float> melange_;  // the device thread's
  std::shared_ptr<DisqueCd> disque_;
  QTimer veille_;  // an MP3 stream at its end says so
};

}  // namespace plivor
