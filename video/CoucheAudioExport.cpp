#include "video/CoucheAudioExport.h"

#include <QFile>
#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/DureeMidi.h"
#include "platform/MidiRiff.h"

namespace plivor {

// The MP3 player: its own stream on the shared music channel, as the SDL
// layer's player keeps it.
class LecteurMp3Export : public LecteurMp3 {
 public:
  explicit LecteurMp3Export(CoucheAudioExport& couche) : couche_(couche) {}
  ~LecteurMp3Export() override {
    InputClose();
    couche_.Oublier(this);
  }

  QString InputOpen(const QString& chemin) override {
    InputClose();
    QString erreur;
    pcm_ = couche_.Sources().Charger(chemin, false, erreur);
    if (!pcm_) return erreur;
    dureeMs_ = int(pcm_->DureeMs());
    arretMs_ = 0;
    attenteMs_.reset();
    emit Duree(dureeMs_);
    emit Pret();
    return {};
  }

  void InputClose() override {
    if (!pcm_) return;
    if (enLecture_ || enPause_) couche_.CouperCanal(this);
    enLecture_ = enPause_ = false;
    pcm_.reset();
  }

  void OutputReset() override {}

  void Play() override {
    if (!pcm_) return;
    if (enPause_) {
      couche_.CommencerCanal(pcm_, Peripherique::Onde, arretMs_, 0, this);
      depart_ = couche_.Horloge().Maintenant();
    } else if (!enLecture_) {
      const int debut = attenteMs_.value_or(arretMs_);
      couche_.CommencerCanal(pcm_, Peripherique::Onde, debut, 0, this);
      attenteMs_.reset();
      arretMs_ = debut;
      depart_ = couche_.Horloge().Maintenant();
    }
    enLecture_ = true;
    enPause_ = false;
    emit Etat(1);
  }

  void Pause() override {
    if (!enLecture_) return;
    couche_.CouperCanal(this);
    arretMs_ += Ecoulees();
    enLecture_ = false;
    enPause_ = true;
    emit Etat(2);
  }

  void Stop() override {
    if (enLecture_) arretMs_ += Ecoulees();
    if (enLecture_ || enPause_) couche_.CouperCanal(this);
    enLecture_ = enPause_ = false;
    if (dureeMs_ > 0 && arretMs_ >= dureeMs_) arretMs_ = 0;
    emit Etat(0);
  }

  void InputSeek(int offset, int range) override {
    if (range <= 0 || dureeMs_ <= 0) return;
    const int ms = int(double(std::abs(offset)) / range * dureeMs_);
    if (enLecture_ || enPause_) {
      if (enLecture_) couche_.CommencerCanal(pcm_, Peripherique::Onde, ms, 0, this);
      arretMs_ = ms;
      depart_ = couche_.Horloge().Maintenant();
    } else {
      attenteMs_ = ms;
    }
  }

  // Played to its end: the next play starts it again.
  void Rattraper() {
    if (!enLecture_ || couche_.CanalJoue(this)) return;
    enLecture_ = false;
    arretMs_ = 0;
    emit Etat(0);
  }

 private:
  int Ecoulees() const { return int(couche_.MsEcoulees(depart_)); }
  CoucheAudioExport& couche_;
  std::shared_ptr<const Pcm> pcm_;
  int dureeMs_ = 0;
  std::optional<int> attenteMs_;
  int arretMs_ = 0;
  Cadence::Duree depart_{};
  bool enLecture_ = false;
  bool enPause_ = false;
};

CoucheAudioExport::CoucheAudioExport(const CadenceExport& horloge, JournalSonore& journal, SourcesSonores& sources)
    : horloge_(horloge), journal_(journal), sources_(sources) {
  for (size_t p = 0; p < volumes_.size(); ++p) journal_.Volume(0, Peripherique(p), Niveau(Peripherique(p)));
}

CoucheAudioExport::~CoucheAudioExport() { Fermer(); }

int CoucheAudioExport::Niveau(Peripherique p) const {
  const VolumeStereo v = volumes_[static_cast<size_t>(p)];
  const int moyenne = (std::clamp(v.gauche, 0, 65535) + std::clamp(v.droite, 0, 65535)) / 2;
  return moyenne * 128 / 65535;
}

bool CoucheAudioExport::RegleVolume(Peripherique p, VolumeStereo v) {
  volumes_[static_cast<size_t>(p)] = v;
  journal_.Volume(Trame(), p, Niveau(p));
  return true;
}

long long CoucheAudioExport::Trame() const {
  return horloge_.Maintenant().count() * kFrequenceExport / 1'000'000'000LL;
}

long long CoucheAudioExport::TrameDe(double ms) const { return std::llround(ms * kFrequenceExport / 1000.0); }

double CoucheAudioExport::MsEcoulees(Cadence::Duree depuis) const {
  return double((horloge_.Maintenant() - depuis).count()) / 1e6;
}

void CoucheAudioExport::CommencerCanal(std::shared_ptr<const Pcm> pcm, Peripherique p, int debutMs, int finMs,
                                       const void* proprietaire) {
  Troncon t;
  t.peripherique = p;
  t.debut = Trame();
  t.origine = TrameDe(std::max(0, debutMs));
  // A silent medium (a CD track) plays until it is stopped.
  t.limite = pcm ? pcm->Trames() : t.origine + 1'000'000'000'000LL;
  if (finMs > debutMs) t.limite = std::min(t.limite, TrameDe(finMs));
  t.pcm = std::move(pcm);
  journal_.Commencer(std::move(t));
  proprietaire_ = proprietaire;
}

void CoucheAudioExport::CouperCanal(const void* proprietaire) {
  if (proprietaire_ == proprietaire) journal_.Couper(Trame());
}

bool CoucheAudioExport::CanalJoue(const void* proprietaire) const {
  return proprietaire_ == proprietaire && journal_.Joue(Trame());
}

void CoucheAudioExport::Oublier(LecteurMp3Export* lecteur) {
  if (mp3_ == lecteur) mp3_ = nullptr;
}

void CoucheAudioExport::Rattraper() {
  if (mp3_) mp3_->Rattraper();
}

std::optional<QString> CoucheAudioExport::Ouvrir(Peripherique peripherique, const QString& chemin) {
  Fermer();
  if (peripherique == Peripherique::Auxiliaire) {
    if (!cdSignale_ && avis) avis(QStringLiteral("Les pistes de CD audio restent muettes dans la vidéo."));
    cdSignale_ = true;
  } else {
    const bool midi = peripherique == Peripherique::Midi;
    if (midi) {
      if (!QFile::exists(sources_.SoundFont())) return QStringLiteral("SoundFont absente : ") + sources_.SoundFont();
      // A RIFF MIDI file (".rmi") is the standard file it carries.
      QFile fichier(chemin);
      const QByteArray octets = fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
      const auto duree = DureeMidi(MidiStandard(std::string_view(octets.constData(), size_t(octets.size()))));
      if (!duree) return QStringLiteral("Fichier MIDI illisible");
      dureeMs_ = int(std::min<long long>(*duree, INT_MAX));  // a note may last for days
    }
    QString erreur;
    pcm_ = sources_.Charger(chemin, midi, erreur, dureeMs_);
    if (!pcm_) return erreur;
    if (!midi) dureeMs_ = int(pcm_->DureeMs());
  }
  peripherique_ = peripherique;
  ouvert_ = true;
  joue_ = false;
  enPause_ = false;
  origineMs_ = 0;
  depart_.reset();
  return std::nullopt;
}

void CoucheAudioExport::Fermer() {
  if (!ouvert_) return;
  Arreter();
  pcm_.reset();
  ouvert_ = false;
  dureeMs_ = 0;
}

int CoucheAudioExport::Position() const {
  if (enPause_ || !depart_) return origineMs_;
  const int position = origineMs_ + int(MsEcoulees(*depart_));
  // The end position stops the medium there.
  return finMs_ > origineMs_ ? std::min(position, finMs_) : position;
}

void CoucheAudioExport::Jouer(int debutMs, int finMs) {
  if (!ouvert_) return;
  debutMs = std::max(0, debutMs);
  CommencerCanal(pcm_, peripherique_, debutMs, finMs, this);
  origineMs_ = debutMs;
  depart_ = horloge_.Maintenant();
  enPause_ = false;
  joue_ = true;
  finMs_ = finMs;
}

void CoucheAudioExport::Pause() {
  if (!EnLecture()) return;
  origineMs_ = Position();
  CouperCanal(this);
  enPause_ = true;
}

void CoucheAudioExport::Reprendre() {
  if (!ouvert_) return;
  if (!enPause_) {
    if (EnLecture()) return;
    const int position = Position();
    const bool fini = !joue_ || (dureeMs_ > 0 && origineMs_ >= dureeMs_) || (finMs_ > 0 && position >= finMs_);
    if (fini)
      Jouer(0, 0);
    else
      Jouer(finMs_ > 0 ? position : origineMs_, finMs_);
    return;
  }
  CommencerCanal(pcm_, peripherique_, origineMs_, finMs_, this);
  enPause_ = false;
  depart_ = horloge_.Maintenant();
}

void CoucheAudioExport::Arreter() {
  if (!ouvert_ || proprietaire_ != this) return;
  origineMs_ = Position();
  CouperCanal(this);
  enPause_ = false;
  depart_.reset();
}

bool CoucheAudioExport::EnLecture() const {
  if (!ouvert_ || !joue_ || enPause_) return false;
  return CanalJoue(this);
}

std::optional<PisteCd> CoucheAudioExport::Piste(int) const {
  // Any track: it is skipped, silent, for as long as the list plays it.
  return PisteCd{0, 0};
}

std::unique_ptr<LecteurMp3> CoucheAudioExport::CreerMp3(QString&) {
  auto lecteur = std::make_unique<LecteurMp3Export>(*this);
  mp3_ = lecteur.get();
  return lecteur;
}

}  // namespace plivor
