#include "platform/AudioSdl.h"

#include <SDL.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstring>

#include "platform/DisqueCd.h"
#include "platform/SonCd.h"
#include "platform/SoundFont.h"

namespace plivor {

CoucheAudioSdl::CoucheAudioSdl(QString soundFont)
    : CoucheAudioJournal(journal_, sources_),
      sources_(soundFont.isEmpty() ? SoundFontParDefaut(QCoreApplication::applicationDirPath()) : std::move(soundFont)) {
  if (!OuvrirPeripherique()) {
    // Without a sound device the show keeps its timing on a silent one.
    avertissement_ = erreur_ + QStringLiteral("\rLa musique de la projection restera muette.");
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (OuvrirPeripherique()) erreur_.clear();
  }
  veille_.setInterval(20);
  connect(&veille_, &QTimer::timeout, this, [this] { Rattraper(); });
  veille_.start();
}

bool CoucheAudioSdl::OuvrirPeripherique() {
  // SDL would swallow SIGTERM and SIGINT into events nobody reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    erreur_ = QStringLiteral("Aucun périphérique audio : ") + QString::fromUtf8(SDL_GetError());
    return false;
  }
  SDL_AudioSpec voulu{};
  voulu.freq = kFrequenceExport;
  voulu.format = AUDIO_F32SYS;
  voulu.channels = 2;
  voulu.samples = kTrameParAppel;
  voulu.callback = &CoucheAudioSdl::Remplir;
  voulu.userdata = this;
  melange_.reserve(size_t(kTrameParAppel) * 2 * 4);
  // SDL converts to what the device takes: the engine always mixes at its
  // own rate, so what the device plays is what a video of the show holds.
  SDL_AudioSpec obtenu{};
  peripherique_ = SDL_OpenAudioDevice(nullptr, 0, &voulu, &obtenu, 0);
  if (peripherique_ == 0) {
    erreur_ = QStringLiteral("Aucun périphérique audio : ") + QString::fromUtf8(SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(peripherique_, 0);
  return true;
}

CoucheAudioSdl::~CoucheAudioSdl() {
  veille_.stop();
  if (peripherique_ != 0) SDL_CloseAudioDevice(peripherique_);
  Fermer();
  disque_.reset();
  if (peripherique_ != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void CoucheAudioSdl::Remplir(void* donnees, unsigned char* flux, int octets) {
  auto* couche = static_cast<CoucheAudioSdl*>(donnees);
  const long long trames = octets / long(2 * sizeof(float));
  couche->melange_.clear();
  couche->journal_.Melanger(couche->journal_.Produites() + trames, couche->melange_);
  std::memcpy(flux, couche->melange_.data(), size_t(trames) * 2 * sizeof(float));
}

CoucheAudioSdl::MemeTrame::MemeTrame(const CoucheAudioSdl& couche) : peripherique_(couche.peripherique_) {
  if (peripherique_ != 0) SDL_LockAudioDevice(peripherique_);
}

CoucheAudioSdl::MemeTrame::~MemeTrame() {
  if (peripherique_ != 0) SDL_UnlockAudioDevice(peripherique_);
}

std::optional<QString> CoucheAudioSdl::Avertissement() {
  if (avertissement_.isEmpty()) return std::nullopt;
  return std::exchange(avertissement_, QString());
}

std::optional<QString> CoucheAudioSdl::Ouvrir(Peripherique peripherique, const QString& chemin) {
  if (peripherique_ == 0) return erreur_;
  return CoucheAudioJournal::Ouvrir(peripherique, chemin);
}

std::unique_ptr<LecteurMp3> CoucheAudioSdl::CreerMp3(QString& erreur) {
  if (peripherique_ != 0) return CoucheAudioJournal::CreerMp3(erreur);
  erreur = erreur_;
  return nullptr;
}

std::optional<QString> CoucheAudioSdl::OuvrirCd(std::shared_ptr<const Pcm>& cd) {
  if (peripherique_ == 0) return erreur_;
  QString erreur;
  std::shared_ptr<DisqueCd> disque = DisqueCd::Ouvrir(erreur);
  if (!disque) return erreur;
  disque_ = disque;
  cd = SonDuDisque(std::move(disque));
  return std::nullopt;
}

std::optional<PisteCd> CoucheAudioSdl::Piste(int numero) const {
  if (!disque_) return std::nullopt;
  return disque_->Piste(numero);
}

}  // namespace plivor
