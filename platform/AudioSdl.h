#pragma once
// The audio layer on SDL2_mixer's music channel. Sampled sounds of every
// format are decoded by the export's own code (FFmpeg) and played from the
// sample asked; MIDI is FluidSynth with the Debian SoundFont; CD tracks are
// streamed from the drive. One sound at a time, as the projection wants it.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

#include "platform/Audio.h"

struct _Mix_Music;

namespace plivor {

class DisqueCd;
class Pcm;

class CoucheAudioSdl : public QObject, public CoucheAudio {
  Q_OBJECT

 public:
  // `soundFont`: empty for the one found in the usual places.
  explicit CoucheAudioSdl(QString soundFont = {});
  ~CoucheAudioSdl() override;

  // Empty when the mixer opened, else why there is no sound.
  const QString& Erreur() const { return erreur_; }

  VolumeStereo Volume(Peripherique p) const override;
  bool RegleVolume(Peripherique p, VolumeStereo v) override;
  std::optional<QString> Ouvrir(Peripherique peripherique, const QString& chemin) override;
  void Fermer() override;
  void Jouer(int debutMs, int finMs) override;
  void Pause() override;
  void Reprendre() override;
  void Arreter() override;
  bool EnLecture() const override;
  int IdPeripherique() const override { return ouvert_ ? static_cast<int>(peripherique_) + 1 : -1; }
  std::optional<PisteCd> Piste(int numero) const override;
  std::optional<int> Longueur() const override {
    return ouvert_ && dureeMs_ > 0 ? std::optional<int>(dureeMs_) : std::nullopt;
  }
  std::unique_ptr<LecteurMp3> CreerMp3(QString& erreur) override;
  std::optional<QString> Avertissement() override;

  // Length of the open medium in ms, 0 when unknown.
  int Duree() const { return dureeMs_; }
  // Position in the open medium, in ms.
  int Position() const;

  // The mixer's rate, at which sounds are decoded for it.
  static constexpr int kFrequenceMelangeur = 44100;

  // Used by the MP3 player, which shares the music channel.
  std::shared_ptr<const Pcm> Decoder(const QString& chemin, QString& erreur);
  void LibererMusique(_Mix_Music*& musique);
  void JouerMusique(_Mix_Music* musique, double debutSecondes, QObject* proprietaire);
  void AppliquerVolume(Peripherique p);

 signals:
  // The music channel reached the end of what was playing.
  void MusiqueTerminee(QObject* proprietaire);

 private:
  void ArreterFin();
  void LancerCd(int debutMs);
  // The open sound made to play from `debutMs` to `finMs` (0: its end).
  bool ChargerPcmDepuis(int debutMs, int finMs);
  static void CdVersMelangeur(void* donnees, unsigned char* flux, int longueur);

  bool OuvrirMelangeur();

  QString soundFont_;
  QString erreur_;
  QString avertissement_;
  bool melangeurOuvert_ = false;
  std::array<VolumeStereo, 3> volumes_{{{0xCCCC, 0xCCCC}, {0xCCCC, 0xCCCC}, {0xCCCC, 0xCCCC}}};
  Peripherique peripherique_ = Peripherique::Onde;
  bool ouvert_ = false;
  bool joue_ = false;  // started since it was opened
  _Mix_Music* musique_ = nullptr;
  // The decoded sound, and what of it the mixer plays.
  std::shared_ptr<const Pcm> pcm_;
  QByteArray wavJoue_;
  std::unique_ptr<DisqueCd> disque_;
  int dureeMs_ = 0;
  // Where the medium is: position at the last start or resume, plus the time
  // played since; the end position stops it.
  int origineMs_ = 0;
  QElapsedTimer horloge_;
  bool enPause_ = false;
  int finMs_ = 0;
  QTimer minuterieFin_;
  QObject* proprietaire_ = nullptr;  // who holds the music channel
};

}  // namespace plivor
