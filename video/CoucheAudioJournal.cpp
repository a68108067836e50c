#include "video/CoucheAudioJournal.h"

#include <QFile>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>

#include "platform/DureeMidi.h"
#include "platform/MidiRiff.h"

namespace plivor {

// The MP3 player: its own stream on the shared music channel.
class LecteurMp3Journal : public LecteurMp3 {
 public:
  explicit LecteurMp3Journal(CoucheAudioJournal& couche) : couche_(couche) {}
  ~LecteurMp3Journal() override {
    InputClose();
    couche_.Oublier(this);
  }

  QString InputOpen(const QString& chemin) override {
    InputClose();
    QString erreur;
    pcm_ = couche_.Sources().Charger(chemin, false, erreur);
    if (!pcm_) return erreur;
    dureeMs_ = int(std::min<long long>(pcm_->DureeMs(), INT_MAX));
    arretMs_ = 0;
    attenteMs_.reset();
    // The length is known at once, to the frame, so a start offset given
    // with the line applies to the first play.
    emit Duree(dureeMs_);
    Annoncer([this] { emit Pret(); });
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
    } else if (!enLecture_) {
      // A seek chose where to start; else a stopped stream resumes.
      const int debut = attenteMs_.value_or(arretMs_);
      couche_.CommencerCanal(pcm_, Peripherique::Onde, debut, 0, this);
      attenteMs_.reset();
      arretMs_ = debut;
    }
    if (!enLecture_) depart_ = couche_.Trame();
    enLecture_ = true;
    enPause_ = false;
    AnnoncerEtat(1);
  }

  void Pause() override {
    if (!enLecture_) return;
    couche_.CouperCanal(this);
    arretMs_ += Ecoulees();
    enLecture_ = false;
    enPause_ = true;
    AnnoncerEtat(2);
  }

  void Stop() override {
    if (enLecture_) arretMs_ += Ecoulees();
    if (enLecture_ || enPause_) couche_.CouperCanal(this);
    enLecture_ = enPause_ = false;
    if (dureeMs_ > 0 && arretMs_ >= dureeMs_) arretMs_ = 0;
    AnnoncerEtat(0);
  }

  void InputSeek(int offset, int range) override {
    if (range <= 0 || dureeMs_ <= 0) return;
    const int ms = int(double(std::abs(offset)) / range * dureeMs_);
    if (enLecture_ || enPause_) {
      if (enLecture_) couche_.CommencerCanal(pcm_, Peripherique::Onde, ms, 0, this);
      arretMs_ = ms;
      depart_ = couche_.Trame();
    } else {
      attenteMs_ = ms;
    }
  }

  // Played to its end: the next play starts it again.
  void Rattraper() {
    if (!enLecture_ || couche_.CanalJoue(this)) return;
    enLecture_ = false;
    arretMs_ = 0;
    AnnoncerEtat(0);
  }

 private:
  // Through the window thread's queue where the layer wants it so, as a
  // player on its own thread would notify.
  void Annoncer(std::function<void()> avis) {
    if (couche_.AvisDifferes())
      QTimer::singleShot(0, this, std::move(avis));
    else
      avis();
  }
  void AnnoncerEtat(int etat) {
    Annoncer([this, etat] { emit Etat(etat); });
  }
  int Ecoulees() const { return int(couche_.MsDepuis(depart_)); }
  CoucheAudioJournal& couche_;
  std::shared_ptr<const Pcm> pcm_;
  int dureeMs_ = 0;
  std::optional<int> attenteMs_;  // where the next play starts, after a seek
  int arretMs_ = 0;               // where it stopped, or where it last started
  long long depart_ = 0;          // the frame of that start
  bool enLecture_ = false;
  bool enPause_ = false;
};

CoucheAudioJournal::CoucheAudioJournal(JournalSonore& journal, SourcesSonores& sources)
    : journal_(journal), sources_(sources) {}

// The owner closes the medium while its clock still runs.
CoucheAudioJournal::~CoucheAudioJournal() = default;

int CoucheAudioJournal::Niveau(Peripherique p) const {
  const VolumeStereo v = volumes_[static_cast<size_t>(p)];
  const int moyenne = (std::clamp(v.gauche, 0, 65535) + std::clamp(v.droite, 0, 65535)) / 2;
  return moyenne * 128 / 65535;
}

bool CoucheAudioJournal::RegleVolume(Peripherique p, VolumeStereo v) {
  volumes_[static_cast<size_t>(p)] = v;
  journal_.Volume(Trame(), p, Niveau(p));
  return true;
}

long long CoucheAudioJournal::TrameDe(double ms) const { return std::llround(ms * kFrequenceExport / 1000.0); }

double CoucheAudioJournal::MsDepuis(long long trame) const {
  return double(Trame() - trame) * 1000.0 / kFrequenceExport;
}

void CoucheAudioJournal::CommencerCanal(std::shared_ptr<const Pcm> pcm, Peripherique p, int debutMs, int finMs,
                                        const void* proprietaire) {
  Troncon t;
  t.peripherique = p;
  t.origine = TrameDe(std::max(0, debutMs));
  // A silent medium (a CD track in a video) plays until it is stopped.
  t.limite = pcm ? pcm->Trames() : t.origine + 1'000'000'000'000LL;
  if (finMs > debutMs) t.limite = std::min(t.limite, TrameDe(finMs));
  // What plays stops first: no mix reads the sound while it is made ready
  // at its start, which may take a while (a MIDI file played up to there).
  journal_.Couper(Trame());
  if (pcm) pcm->Preparer(t.origine);
  t.debut = Trame();
  t.pcm = std::move(pcm);
  journal_.Commencer(std::move(t));
  proprietaire_ = proprietaire;
}

void CoucheAudioJournal::CouperCanal(const void* proprietaire) {
  if (proprietaire_ == proprietaire) journal_.Couper(Trame());
}

bool CoucheAudioJournal::CanalJoue(const void* proprietaire) const {
  return proprietaire_ == proprietaire && journal_.Joue(Trame());
}

void CoucheAudioJournal::Oublier(LecteurMp3Journal* lecteur) {
  if (mp3_ == lecteur) mp3_ = nullptr;
}

void CoucheAudioJournal::Rattraper() {
  if (mp3_) mp3_->Rattraper();
}

std::optional<QString> CoucheAudioJournal::Ouvrir(Peripherique peripherique, const QString& chemin) {
  Fermer();
  if (peripherique == Peripherique::Auxiliaire) {
    if (auto erreur = OuvrirCd(pcm_)) return erreur;
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
    if (!pcm_) {
      dureeMs_ = 0;
      return erreur;
    }
    if (!midi) dureeMs_ = int(std::min<long long>(pcm_->DureeMs(), INT_MAX));
  }
  peripherique_ = peripherique;
  ouvert_ = true;
  joue_ = false;
  enPause_ = false;
  origineMs_ = 0;
  depart_.reset();
  return std::nullopt;
}

void CoucheAudioJournal::Fermer() {
  if (!ouvert_) return;
  Arreter();
  pcm_.reset();
  ouvert_ = false;
  dureeMs_ = 0;
}

int CoucheAudioJournal::Position() const {
  if (enPause_ || !depart_) return origineMs_;
  const int position = origineMs_ + int(MsDepuis(*depart_));
  // The end position stops the medium there.
  return finMs_ > origineMs_ ? std::min(position, finMs_) : position;
}

void CoucheAudioJournal::Jouer(int debutMs, int finMs) {
  if (!ouvert_) return;
  debutMs = std::max(0, debutMs);
  CommencerCanal(pcm_, peripherique_, debutMs, finMs, this);
  origineMs_ = debutMs;
  depart_ = Trame();
  enPause_ = false;
  joue_ = true;
  finMs_ = finMs;
}

void CoucheAudioJournal::Pause() {
  if (!EnLecture()) return;
  origineMs_ = Position();
  CouperCanal(this);
  enPause_ = true;
}

void CoucheAudioJournal::Reprendre() {
  if (!ouvert_) return;
  if (!enPause_) {
    if (EnLecture()) return;
    // Stopped, a medium resumes where it stopped, as a media player does;
    // one never started, or played to its end, starts from its beginning.
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
  depart_ = Trame();
}

void CoucheAudioJournal::Arreter() {
  if (!ouvert_ || proprietaire_ != this) return;
  origineMs_ = Position();
  CouperCanal(this);
  enPause_ = false;
  depart_.reset();
}

bool CoucheAudioJournal::EnLecture() const {
  if (!ouvert_ || !joue_ || enPause_) return false;
  return CanalJoue(this);
}

std::unique_ptr<LecteurMp3> CoucheAudioJournal::CreerMp3(QString&) {
  auto lecteur = std::make_unique<LecteurMp3Journal>(*this);
  mp3_ = lecteur.get();
  return lecteur;
}

}  // namespace plivor
