#include "app/Rendu.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "options/Registre.h"
#include "options/TFOptions.h"
#include "platform/Audio.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/Ecran.h"
#include "platform/FichiersHote.h"
#include "projection/Cadence.h"
#include "projection/TFVue.h"
#include "projection/Voisins.h"

namespace plivor {

namespace {

class Images {
 public:
  Images(const QString& dossier, const TFVue& vue) : dossier_(dossier), vue_(vue) {}
  void Etape() {
    ++etape_;
    transition_ = 0;
    Ecrire(QStringLiteral("etape-%1.png").arg(etape_, 4, 10, QLatin1Char('0')));
    if (vignettes_.size() < 48) vignettes_ << vue_.PBox.scaled(vue_.PBox.size() / 4, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  void Transition() {
    ++transition_;
    Ecrire(QStringLiteral("etape-%1-%2.png").arg(etape_ + 1, 4, 10, QLatin1Char('0')).arg(transition_, 3, 10, QLatin1Char('0')));
  }
  int Ecrites() const { return ecrites_; }
  // The display steps side by side, a quarter of their size.
  void Planche() const {
    if (vignettes_.isEmpty()) return;
    const QSize taille = vignettes_.front().size();
    const int colonnes = 4, rangees = int((vignettes_.size() + colonnes - 1) / colonnes);
    QImage planche(taille.width() * colonnes + 2 * (colonnes + 1), taille.height() * rangees + 2 * (rangees + 1),
                   QImage::Format_RGB32);
    planche.fill(Qt::darkGray);
    QPainter peintre(&planche);
    for (qsizetype i = 0; i < vignettes_.size(); ++i)
      peintre.drawImage(2 + int(i % colonnes) * (taille.width() + 2), 2 + int(i / colonnes) * (taille.height() + 2),
                        vignettes_[i]);
    peintre.end();
    planche.save(QDir(dossier_).filePath(QStringLiteral("planche.png")));
  }
  int Etapes() const { return etape_; }

 private:
  void Ecrire(const QString& nom) {
    if (vue_.PBox.save(QDir(dossier_).filePath(nom))) ++ecrites_;
  }
  QString dossier_;
  const TFVue& vue_;
  int etape_ = 0;
  int transition_ = 0;
  int ecrites_ = 0;
  QList<QImage> vignettes_;
};

}  // namespace

int Rendre(const ReglagesRendu& r) {
  if (!QDir().mkpath(r.dossier)) {
    std::fprintf(stderr, "Dossier %s impossible à créer\n", qPrintable(r.dossier));
    return 1;
  }
  const auto liste = LigneDepuisHote(QDir::current().absoluteFilePath(r.liste).toStdString());
  if (!liste) {
    std::fprintf(stderr, "Nom de liste non représentable : %s\n", qPrintable(r.liste));
    return 1;
  }
  FichiersHote fichiers;
  DialoguesConsole dialogues;
  CoucheAudioSilencieuse audio;
  EcranFixe ecran(QSize(1280, 800));
  CadenceSimulee cadence;
  BureauEnregistre bureau;
  VoisinsAbsents voisins;
  const Texte programme = LigneDepuisHote(r.cheminProgramme.toStdString()).value_or(Texte{});
  TFVue vue(ServicesVue{fichiers, dialogues, audio, ecran, cadence, bureau, voisins,
                        DossierDe(programme, fichiers.Style())});
  vue.CheminProgramme = programme;
  // Settings of its own, so that a render never depends on the user's.
  QTemporaryDir reglages;
  Registre registre(reglages.filePath(QStringLiteral("reglages.ini")));
  TFOptions options(vue, registre);
  vue.Arguments = {*liste};

  Images images(r.dossier, vue);
  QObject::connect(&vue, &TFVue::EtapeAffichee, [&images] { images.Etape(); });
  if (r.pendant) QObject::connect(&vue, &TFVue::Presenter, [&images] { images.Transition(); });
  bool fin = false;
  QObject::connect(&vue, &TFVue::Terminer, [&fin] { fin = true; });
  vue.Ouverture();
  while (!fin && vue.AvanceAuto && images.Etapes() < r.etapes) vue.Suivant(Emetteur::Minuterie);
  images.Planche();
  std::printf("%d images écrites dans %s (%d étapes)\n", images.Ecrites(), qPrintable(r.dossier), images.Etapes());
  return 0;
}

}  // namespace plivor
