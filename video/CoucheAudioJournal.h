#pragma once
// The sound engine of the projection and of the export: the media player
// and the MP3 player on one music channel, written into a sound journal at
// the frame the clock gives. Positions, offsets, lengths and volumes are
// reckoned here, in frames, once for both; only the clock and where the
// journal's mix goes differ (the sound device, or the video file).

#include <QString>
#include <memory>
#include <optional>

#include "platform/Audio.h"
#include "video/JournalSonore.h"
#include "video/SourcesSonores.h"

namespace plivor {

class LecteurMp3Journal;

class CoucheAudioJournal : public CoucheAudio {
 public:
  CoucheAudioJournal(JournalSonore& journal, SourcesSonores& sources);
  ~CoucheAudioJournal() override;

  // The clock, as output frames at the journal's rate.
  virtual long long Trame() const = 0;

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
  std::optional<int> Longueur() const override {
    return ouvert_ && dureeMs_ > 0 ? std::optional<int>(dureeMs_) : std::nullopt;
  }
  std::unique_ptr<LecteurMp3> CreerMp3(QString& erreur) override;

  // Where the open medium is, in ms.
  int Position() const;
  // The clock has moved: an MP3 stream that reached its end says so.
  void Rattraper();

  // Shared with the MP3 player: one music channel.
  long long TrameDe(double ms) const;
  double MsDepuis(long long trame) const;
  void CommencerCanal(std::shared_ptr<const Pcm> pcm, Peripherique p, int debutMs, int finMs, const void* proprietaire);
  void CouperCanal(const void* proprietaire);
  bool CanalJoue(const void* proprietaire) const;
  SourcesSonores& Sources() { return sources_; }
  void Oublier(LecteurMp3Journal* lecteur);
  // Whether the MP3 player's notices come later, through the event queue.
  virtual bool AvisDifferes() const { return false; }

 protected:
  // The disc in the drive as a sound, or nothing with the reason; a null
  // sound is a silent one that plays until it is stopped.
  virtual std::optional<QString> OuvrirCd(std::shared_ptr<const Pcm>& cd) = 0;

 private:
  int Niveau(Peripherique p) const;

  JournalSonore& journal_;
  SourcesSonores& sources_;
  std::array<VolumeStereo, 3> volumes_{{{0xCCCC, 0xCCCC}, {0xCCCC, 0xCCCC}, {0xCCCC, 0xCCCC}}};
  const void* proprietaire_ = nullptr;  // who holds the music channel
  LecteurMp3Journal* mp3_ = nullptr;

  // The media player.
  Peripherique peripherique_ = Peripherique::Onde;
  std::shared_ptr<const Pcm> pcm_;
  bool ouvert_ = false;
  bool joue_ = false;
  bool enPause_ = false;
  int dureeMs_ = 0;
  int origineMs_ = 0;
  std::optional<long long> depart_;  // the frame where it last started or resumed
  int finMs_ = 0;
};

}  // namespace plivor
