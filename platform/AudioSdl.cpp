#include "platform/AudioSdl.h"
#include "platform/SoundFont.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <QCoreApplication>
#include <climits>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/DisqueCd.h"
#include "platform/DureeMidi.h"
#include "platform/MidiRiff.h"
#include "video/SourcesSonores.h"

namespace plivor {

namespace {

CoucheAudioSdl* gCouche = nullptr;
std::atomic<bool> gArretVolontaire{false};
// The CD stream, read by the mixer's thread.
std::atomic<bool> gCdEnLecture{false};
std::atomic<bool> gCdEnPause{false};
std::atomic<int> gVolumeCd{MIX_MAX_VOLUME};
// The standard MIDI file of the RIFF MIDI file open, which the mixer reads.
QByteArray gMidiEnveloppe;

int Niveau(VolumeStereo v) {
  const int moyenne = (std::clamp(v.gauche, 0, 65535) + std::clamp(v.droite, 0, 65535)) / 2;
  return moyenne * MIX_MAX_VOLUME / 65535;
}

void MusiqueFinie() {
  // On the mixer's thread: the window thread hears of it through its queue.
  if (!gCouche) return;
  QMetaObject::invokeMethod(gCouche, [] {
    if (gArretVolontaire.exchange(false) || !gCouche) return;
    emit gCouche->MusiqueTerminee(nullptr);
  }, Qt::QueuedConnection);
}

void ArreterMusique() {
  if (Mix_PlayingMusic() || Mix_PausedMusic()) gArretVolontaire = true;
  Mix_HaltMusic();
}

// The MP3 player: its own stream on the shared music channel.
class LecteurMp3Sdl : public LecteurMp3 {
 public:
  explicit LecteurMp3Sdl(CoucheAudioSdl& couche) : couche_(couche) {
    connect(&couche_, &CoucheAudioSdl::MusiqueTerminee, this, [this](QObject*) {
      if (enLecture_) Annoncer(0);
      enLecture_ = false;
      arretMs_ = 0;  // played to its end: the next play starts it again
    });
  }
  ~LecteurMp3Sdl() override { InputClose(); }

  QString InputOpen(const QString& chemin) override {
    InputClose();
    QString erreur;
    pcm_ = couche_.Decoder(chemin, erreur);
    if (!pcm_) return erreur;
    dureeMs_ = int(pcm_->DureeMs());
    arretMs_ = 0;
    attenteMs_.reset();
    // The length is known at once, to the sample, so a start offset given
    // with the line applies to the first play.
    emit Duree(dureeMs_);
    QTimer::singleShot(0, this, [this] { emit Pret(); });
    return {};
  }

  void InputClose() override {
    if (!pcm_) return;
    if (enLecture_ || enPause_) ArreterMusique();
    enLecture_ = enPause_ = false;
    couche_.LibererMusique(musique_);
    pcm_.reset();
  }

  void OutputReset() override {}

  void Play() override {
    if (!pcm_) return;
    if (enPause_) {
      Mix_ResumeMusic();
      horloge_.start();
    } else if (!enLecture_) {
      // A seek chose where to start; else a stopped stream resumes.
      const int debut = attenteMs_.value_or(arretMs_);
      JouerDepuis(debut);
      attenteMs_.reset();
      arretMs_ = debut;
      horloge_.start();
    }
    couche_.AppliquerVolume(Peripherique::Onde);
    enLecture_ = true;
    enPause_ = false;
    Annoncer(1);
  }

  void Pause() override {
    if (!enLecture_) return;
    Mix_PauseMusic();
    arretMs_ += int(horloge_.elapsed());
    enLecture_ = false;
    enPause_ = true;
    Annoncer(2);
  }

  void Stop() override {
    if (enLecture_) arretMs_ += int(horloge_.elapsed());
    if (enLecture_ || enPause_) ArreterMusique();
    enLecture_ = enPause_ = false;
    if (dureeMs_ > 0 && arretMs_ >= dureeMs_) arretMs_ = 0;
    Annoncer(0);
  }

  void InputSeek(int offset, int range) override {
    if (range <= 0 || dureeMs_ <= 0) return;
    const int ms = int(double(std::abs(offset)) / range * dureeMs_);
    if (enLecture_ || enPause_) {
      JouerDepuis(ms);
      if (enPause_) Mix_PauseMusic();
      arretMs_ = ms;
      horloge_.start();
    } else {
      attenteMs_ = ms;
    }
  }

 private:
  void Annoncer(int etat) {
    QTimer::singleShot(0, this, [this, etat] { emit Etat(etat); });
  }
  // The decoded stream from `ms` on, to the sample.
  void JouerDepuis(int ms) {
    ArreterMusique();
    couche_.LibererMusique(musique_);
    wav_ = WavDePcm(*pcm_, pcm_->TrameDe(ms));
    musique_ = Mix_LoadMUS_RW(SDL_RWFromConstMem(wav_.constData(), int(wav_.size())), 1);
    couche_.JouerMusique(musique_, 0, this);
  }
  CoucheAudioSdl& couche_;
  std::shared_ptr<const Pcm> pcm_;
  QByteArray wav_;  // what the mixer plays, from the start asked
  Mix_Music* musique_ = nullptr;
  int dureeMs_ = 0;
  std::optional<int> attenteMs_;  // where the next play starts, after a seek
  int arretMs_ = 0;               // where it stopped, or where it last started
  QElapsedTimer horloge_;         // time played since arretMs_
  bool enLecture_ = false;
  bool enPause_ = false;
};

}  // namespace

CoucheAudioSdl::CoucheAudioSdl(QString soundFont)
    : soundFont_(soundFont.isEmpty() ? SoundFontParDefaut(QCoreApplication::applicationDirPath()) : std::move(soundFont)) {
  minuterieFin_.setSingleShot(true);
  connect(&minuterieFin_, &QTimer::timeout, this, [this] { Arreter(); });
  if (!OuvrirMelangeur()) {
    // Without a sound device the show keeps its timing on a silent one.
    avertissement_ = erreur_ + QStringLiteral("\rLa musique de la projection restera muette.");
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!OuvrirMelangeur()) return;
    erreur_.clear();
  }
  melangeurOuvert_ = true;
  gCouche = this;
  Mix_HookMusicFinished(MusiqueFinie);
}

bool CoucheAudioSdl::OuvrirMelangeur() {
  // SDL would swallow SIGTERM and SIGINT into events nobody reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    erreur_ = QStringLiteral("Aucun périphérique audio : ") + QString::fromUtf8(SDL_GetError());
    return false;
  }
  Mix_Init(MIX_INIT_MP3 | MIX_INIT_MID);
  if (QFile::exists(soundFont_)) Mix_SetSoundFonts(QFile::encodeName(soundFont_).constData());
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    erreur_ = QStringLiteral("Aucun périphérique audio : ") + QString::fromUtf8(Mix_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

std::optional<QString> CoucheAudioSdl::Avertissement() {
  if (avertissement_.isEmpty()) return std::nullopt;
  return std::exchange(avertissement_, QString());
}

CoucheAudioSdl::~CoucheAudioSdl() {
  Fermer();
  gCouche = nullptr;
  if (melangeurOuvert_) {
    Mix_HookMusicFinished(nullptr);
    Mix_CloseAudio();
  }
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

VolumeStereo CoucheAudioSdl::Volume(Peripherique p) const { return volumes_[static_cast<size_t>(p)]; }

bool CoucheAudioSdl::RegleVolume(Peripherique p, VolumeStereo v) {
  volumes_[static_cast<size_t>(p)] = v;
  // The MP3 player and wave files play on the wave output.
  const Peripherique enCours = proprietaire_ == this ? peripherique_ : Peripherique::Onde;
  if (p == enCours) AppliquerVolume(p);
  return true;
}

void CoucheAudioSdl::AppliquerVolume(Peripherique p) {
  const int niveau = Niveau(volumes_[static_cast<size_t>(p)]);
  if (p == Peripherique::Auxiliaire) gVolumeCd = niveau;
  if (melangeurOuvert_) Mix_VolumeMusic(niveau);
}

std::shared_ptr<const Pcm> CoucheAudioSdl::Decoder(const QString& chemin, QString& erreur) {
  if (!melangeurOuvert_) {
    erreur = erreur_;
    return nullptr;
  }
  // The export's own decoding, at the mixer's rate: the mixer only ever
  // plays what it made, never the file itself.
  return DecoderSon(chemin, erreur, kFrequenceMelangeur);
}

void CoucheAudioSdl::LibererMusique(Mix_Music*& musique) {
  if (!musique) return;
  Mix_FreeMusic(musique);
  musique = nullptr;
}

void CoucheAudioSdl::JouerMusique(Mix_Music* musique, double debutSecondes, QObject* proprietaire) {
  if (!melangeurOuvert_ || !musique) return;
  ArreterMusique();
  Mix_HookMusic(nullptr, nullptr);
  gCdEnLecture = false;
  proprietaire_ = proprietaire;
  if (Mix_PlayMusic(musique, 0) != 0) return;
  if (debutSecondes > 0) Mix_SetMusicPosition(debutSecondes);
}

std::optional<QString> CoucheAudioSdl::Ouvrir(Peripherique peripherique, const QString& chemin) {
  Fermer();
  if (!melangeurOuvert_) return erreur_;
  if (peripherique == Peripherique::Auxiliaire) {
    QString erreur;
    disque_ = DisqueCd::Ouvrir(erreur);
    if (!disque_) return erreur;
  } else {
    if (peripherique == Peripherique::Midi) {
      if (!QFile::exists(soundFont_)) return QStringLiteral("SoundFont absente : ") + soundFont_;
      QFile fichier(chemin);
      const QByteArray octets = fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
      const auto duree = DureeMidi(MidiStandard(std::string_view(octets.constData(), size_t(octets.size()))));
      if (!duree) return QStringLiteral("Fichier MIDI illisible");
      dureeMs_ = int(std::min<long long>(*duree, INT_MAX));  // a note may last for days
      // The mixer knows neither RIFF MIDI files nor SMPTE timing: it is
      // given the standard file, timed in quarter notes.
      const std::string jouable = MidiJouable(std::string_view(octets.constData(), size_t(octets.size())));
      gMidiEnveloppe = QByteArray(jouable.data(), qsizetype(jouable.size()));
    }
    QString erreur;
    if (peripherique == Peripherique::Midi) {
      musique_ = Mix_LoadMUS_RW(SDL_RWFromConstMem(gMidiEnveloppe.constData(), int(gMidiEnveloppe.size())), 1);
      if (!musique_) return QString::fromUtf8(Mix_GetError());
    } else {
      pcm_ = Decoder(chemin, erreur);
      if (!pcm_) return erreur;
      dureeMs_ = int(pcm_->DureeMs());
    }
  }
  peripherique_ = peripherique;
  ouvert_ = true;
  joue_ = false;
  origineMs_ = 0;
  return std::nullopt;
}

void CoucheAudioSdl::Fermer() {
  if (!ouvert_) return;
  Arreter();
  LibererMusique(musique_);
  pcm_.reset();
  wavJoue_.clear();
  disque_.reset();
  ouvert_ = false;
  dureeMs_ = 0;
}

bool CoucheAudioSdl::ChargerPcmDepuis(int debutMs, int finMs) {
  if (!pcm_) return false;
  ArreterMusique();
  LibererMusique(musique_);
  wavJoue_ = WavDePcm(*pcm_, pcm_->TrameDe(debutMs), finMs > debutMs ? pcm_->TrameDe(finMs) : 0);
  musique_ = Mix_LoadMUS_RW(SDL_RWFromConstMem(wavJoue_.constData(), int(wavJoue_.size())), 1);
  return musique_ != nullptr;
}

void CoucheAudioSdl::LancerCd(int debutMs) {
  ArreterMusique();
  Mix_HookMusic(nullptr, nullptr);
  disque_->Positionner(debutMs);
  gCdEnPause = false;
  gCdEnLecture = true;
  proprietaire_ = this;
  Mix_HookMusic(CdVersMelangeur, disque_.get());
}

void CoucheAudioSdl::CdVersMelangeur(void* donnees, unsigned char* flux, int longueur) {
  auto* disque = static_cast<DisqueCd*>(donnees);
  std::memset(flux, 0, size_t(longueur));
  if (!gCdEnLecture || gCdEnPause) return;
  auto* trames = reinterpret_cast<std::int16_t*>(flux);
  const int nombre = longueur / 4;
  if (!disque->Lire(trames, nombre)) {
    gCdEnLecture = false;
    MusiqueFinie();
    return;
  }
  // A hook bypasses the music volume: apply it here.
  const int volume = gVolumeCd;
  for (int i = 0; i < nombre * 2; ++i) trames[i] = std::int16_t(trames[i] * volume / MIX_MAX_VOLUME);
}

void CoucheAudioSdl::Jouer(int debutMs, int finMs) {
  if (!ouvert_) return;
  minuterieFin_.stop();
  debutMs = std::max(0, debutMs);
  if (peripherique_ == Peripherique::Auxiliaire)
    LancerCd(debutMs);
  else if (ChargerPcmDepuis(debutMs, finMs))
    JouerMusique(musique_, 0, this);
  else
    JouerMusique(musique_, debutMs / 1000.0, this);
  AppliquerVolume(peripherique_);
  origineMs_ = debutMs;
  horloge_.start();
  enPause_ = false;
  joue_ = true;
  finMs_ = finMs;
  if (finMs_ > debutMs) minuterieFin_.start(finMs_ - debutMs);
}

void CoucheAudioSdl::Pause() {
  if (!EnLecture()) return;
  if (peripherique_ == Peripherique::Auxiliaire)
    gCdEnPause = true;
  else
    Mix_PauseMusic();
  origineMs_ = Position();
  enPause_ = true;
  minuterieFin_.stop();
}

void CoucheAudioSdl::Reprendre() {
  if (!ouvert_) return;
  if (!enPause_) {
    if (EnLecture()) return;
    // Stopped, a medium resumes where it stopped, as a media player does;
    // one never started, or played to its end, starts from its beginning.
    const bool fini = !joue_ || (dureeMs_ > 0 && origineMs_ >= dureeMs_) || (finMs_ > 0 && origineMs_ >= finMs_);
    if (fini)
      Jouer(0, 0);
    else
      Jouer(origineMs_, finMs_);
    return;
  }
  if (peripherique_ == Peripherique::Auxiliaire)
    gCdEnPause = false;
  else
    Mix_ResumeMusic();
  enPause_ = false;
  horloge_.start();
  if (finMs_ > 0) minuterieFin_.start(std::max(0, finMs_ - origineMs_));
}

void CoucheAudioSdl::Arreter() {
  minuterieFin_.stop();
  if (!ouvert_ || proprietaire_ != this) return;
  origineMs_ = Position();
  if (peripherique_ == Peripherique::Auxiliaire) {
    Mix_HookMusic(nullptr, nullptr);
    gCdEnLecture = false;
  } else {
    ArreterMusique();
  }
  enPause_ = false;
  horloge_.invalidate();
}

bool CoucheAudioSdl::EnLecture() const {
  if (!ouvert_ || !joue_ || enPause_ || proprietaire_ != this) return false;
  if (peripherique_ == Peripherique::Auxiliaire) return gCdEnLecture;
  return Mix_PlayingMusic() && !Mix_PausedMusic();
}

int CoucheAudioSdl::Position() const {
  if (enPause_ || !horloge_.isValid()) return origineMs_;
  return origineMs_ + int(horloge_.elapsed());
}

std::optional<PisteCd> CoucheAudioSdl::Piste(int numero) const {
  if (!disque_) return std::nullopt;
  return disque_->Piste(numero);
}

std::unique_ptr<LecteurMp3> CoucheAudioSdl::CreerMp3(QString& erreur) {
  if (!melangeurOuvert_) {
    erreur = erreur_;
    return nullptr;
  }
  return std::make_unique<LecteurMp3Sdl>(*this);
}

}  // namespace plivor
