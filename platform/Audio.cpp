#include "platform/Audio.h"

#include <QTimer>

namespace plivor {

namespace {

// The MP3 player of the silent layer: states and notifications, no sound.
class Mp3Silencieux : public LecteurMp3 {
 public:
  explicit Mp3Silencieux(CoucheAudioSilencieuse& couche) : couche_(couche) {}

  QString InputOpen(const QString& chemin) override {
    couche_.journal << QStringLiteral("mp3 ouvrir ") + chemin;
    const auto duree = couche_.dureesMp3.find(chemin);
    const int ms = duree == couche_.dureesMp3.end() ? 0 : duree->second;
    // As the real player: the length is known on opening, readiness follows.
    emit Duree(ms);
    QTimer::singleShot(0, this, [this] { emit Pret(); });
    return {};
  }
  void InputClose() override { couche_.journal << QStringLiteral("mp3 fermer"); }
  void OutputReset() override {}
  void Play() override { Annoncer(QStringLiteral("mp3 jouer"), 1); }
  void Pause() override { Annoncer(QStringLiteral("mp3 pause"), 2); }
  void Stop() override { Annoncer(QStringLiteral("mp3 stop"), 0); }
  void InputSeek(int offset, int range) override {
    couche_.journal << QStringLiteral("mp3 position %1/%2").arg(offset).arg(range);
  }

 private:
  void Annoncer(const QString& quoi, int etat) {
    couche_.journal << quoi;
    QTimer::singleShot(0, this, [this, etat] { emit Etat(etat); });
  }
  CoucheAudioSilencieuse& couche_;
};

}  // namespace

bool CoucheAudioSilencieuse::RegleVolume(Peripherique p, VolumeStereo v) {
  volumes_[Index(p)] = v;
  niveaux.push_back((v.gauche + v.droite) / 512);
  return true;
}

std::optional<QString> CoucheAudioSilencieuse::Ouvrir(Peripherique peripherique, const QString& chemin) {
  journal << QStringLiteral("ouvrir %1 %2").arg(Index(peripherique)).arg(chemin);
  if (!refus.isEmpty()) return refus;
  if (peripherique == Peripherique::Auxiliaire && pistes.empty()) return QStringLiteral("Aucun CD audio");
  ouvert = true;
  enLecture = false;
  return std::nullopt;
}

void CoucheAudioSilencieuse::Fermer() {
  journal << QStringLiteral("fermer");
  ouvert = enLecture = false;
}

void CoucheAudioSilencieuse::Jouer(int debutMs, int finMs) {
  journal << QStringLiteral("jouer %1 %2").arg(debutMs).arg(finMs);
  enLecture = ouvert;
}

void CoucheAudioSilencieuse::Pause() {
  journal << QStringLiteral("pause");
  enLecture = false;
}

void CoucheAudioSilencieuse::Reprendre() {
  journal << QStringLiteral("reprendre");
  enLecture = ouvert;
}

void CoucheAudioSilencieuse::Arreter() {
  journal << QStringLiteral("arreter");
  enLecture = false;
}

std::optional<PisteCd> CoucheAudioSilencieuse::Piste(int numero) const {
  const auto piste = pistes.find(numero);
  if (piste == pistes.end()) return std::nullopt;
  return piste->second;
}

std::unique_ptr<LecteurMp3> CoucheAudioSilencieuse::CreerMp3(QString&) {
  journal << QStringLiteral("mp3 creer");
  return std::make_unique<Mp3Silencieux>(*this);
}

}  // namespace plivor
