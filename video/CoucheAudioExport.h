#pragma once
// The audio layer of an export: it plays nothing and answers as the
// SDL2_mixer layer would at each instant of the simulated clock, while the
// journal keeps what the music channel would have played.

#include <QString>
#include <functional>
#include <memory>

#include "platform/Audio.h"
#include "video/CadenceExport.h"
#include "video/JournalSonore.h"
#include "video/SourcesSonores.h"

namespace plivor {

class LecteurMp3Export;

class CoucheAudioExport : public CoucheAudio {
 public:
  CoucheAudioExport(const CadenceExport& horloge, JournalSonore& journal, SourcesSonores& sources);
  ~CoucheAudioExport() override;

  VolumeStereo Volume(Peripherique p) const override { return volumes_[static_cast<size_t>(p)]; }
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

  // Said once: CD tracks stay silent in an export.
  std::function<void(const QString&)> avis;

  // The clock has moved: an MP3 stream that reached its end says so.
  void Rattraper();

  // Shared with the MP3 player: one music channel.
  long long Trame() const;
  long long TrameDe(double ms) const;
  void CommencerCanal(std::shared_ptr<const Pcm> pcm, Peripherique p, int debutMs, int finMs, const void* proprietaire);
  void CouperCanal(const void* proprietaire);
  bool CanalJoue(const void* proprietaire) const;
  double MsEcoulees(Cadence::Duree depuis) const;
  const CadenceExport& Horloge() const { return horloge_; }
  SourcesSonores& Sources() { return sources_; }
  void Oublier(LecteurMp3Export* lecteur);

 private:
  int Niveau(Peripherique p) const;
  int Position() const;

  const CadenceExport& horloge_;
  JournalSonore& journal_;
  SourcesSonores& sources_;
  std::array<VolumeStereo, 3> volumes_{{{0xCCCC, 0xCCCC}, {0xCCCC, 0xCCCC}, {0xCCCC, 0xCCCC}}};
  const void* proprietaire_ = nullptr;  // who holds the music channel
  LecteurMp3Export* mp3_ = nullptr;
  bool cdSignale_ = false;

  // The media player, as the SDL layer keeps it.
  Peripherique peripherique_ = Peripherique::Onde;
  std::shared_ptr<const Pcm> pcm_;
  bool ouvert_ = false;
  bool joue_ = false;
  bool enPause_ = false;
  int dureeMs_ = 0;
  int origineMs_ = 0;
  std::optional<Cadence::Duree> depart_;  // when it last started or resumed
  int finMs_ = 0;
};

}  // namespace plivor
