#include "app/Rendu.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "app/Enchainement.h"
#include "app/LigneDeCommande.h"
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

// What the projection says goes to the error output, and ends the render:
// nobody is there to read it and go on.
class DialoguesRendu : public DialoguesConsole {
 public:
  void Information(const QString& texte) override {
    DialoguesConsole::Information(texte);
    ++dits;
  }
  bool Question(const QString& texte) override {
    ++dits;
    return DialoguesConsole::Question(texte);
  }
  int dits = 0;
};

class Images {
 public:
  Images(const Texte& dossier, const TFVue& vue, FichiersHote& fichiers, int maximum)
      : dossier_(dossier), vue_(vue), fichiers_(fichiers), maximum_(maximum) {}
  // A list that nests itself shows many steps in one advance: those past
  // the number asked are not written.
  void Etape() {
    ++annoncees_;
    if (Pleines()) return;
    ++etape_;
    transition_ = 0;
    Ecrire(vue_.PBox, QStringLiteral("etape-%1.png").arg(etape_, 4, 10, QLatin1Char('0')));
    if (vignettes_.size() < 48) vignettes_ << vue_.PBox.scaled(vue_.PBox.size() / 4, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  void Transition() {
    if (Pleines()) return;
    ++transition_;
    Ecrire(vue_.PBox, QStringLiteral("etape-%1-%2.png")
                          .arg(etape_ + 1, 4, 10, QLatin1Char('0'))
                          .arg(transition_, 3, 10, QLatin1Char('0')));
  }
  // The display steps side by side, a quarter of their size.
  void Planche() {
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
    Ecrire(planche, QStringLiteral("planche.png"), false);
  }
  bool Pleines() const { return etape_ >= maximum_; }
  int Etapes() const { return etape_; }
  int Annoncees() const { return annoncees_; }
  int Ecrites() const { return ecrites_; }
  const QString& Echec() const { return echec_; }

 private:
  void Ecrire(const QImage& image, const QString& nom, bool compter = true) {
    QByteArray png;
    QBuffer tampon(&png);
    const Texte chemin = Joindre(dossier_, nom.toStdString(), fichiers_.Style());
    if (tampon.open(QIODevice::WriteOnly) && image.save(&tampon, "PNG") &&
        fichiers_.EcrireFichier(chemin, png.toStdString())) {
      ecrites_ += compter ? 1 : 0;
    } else if (echec_.isEmpty()) {
      echec_ = QStringLiteral("Impossible d'écrire l'image ") + TexteEcran(chemin);
    }
  }
  Texte dossier_;
  const TFVue& vue_;
  FichiersHote& fichiers_;
  int maximum_;
  int etape_ = 0;
  int annoncees_ = 0;
  int transition_ = 0;
  int ecrites_ = 0;
  QString echec_;
  QList<QImage> vignettes_;
};

}  // namespace

int Rendre(const Commande& c, const QString& cheminProgramme) {
  const ListesCommande listes(c.listes);
  if (!listes.Fautes().isEmpty()) {
    for (const QString& faute : listes.Fautes()) std::fprintf(stderr, "%s\n", faute.toUtf8().constData());
    return 1;
  }
  const QString dossierHote = QDir::current().absoluteFilePath(c.dossierRendu);
  const auto dossier = LigneDepuisHote(dossierHote.toStdString());
  if (!dossier) {
    std::fprintf(stderr, "Nom de dossier non représentable : %s\n", dossierHote.toUtf8().constData());
    return 1;
  }
  if (!QDir().mkpath(dossierHote)) {
    std::fprintf(stderr, "Dossier %s impossible à créer\n", dossierHote.toUtf8().constData());
    return 1;
  }
  FichiersHote fichiers;
  DialoguesRendu dialogues;
  CoucheAudioSilencieuse audio;
  EcranFixe ecran(QSize(1280, 800));
  // The steps as a video of that size draws them.
  if (c.tailleDonnee) ecran.Cadrer(c.taille);
  CadenceSimulee cadence;
  BureauEnregistre bureau;
  VoisinsAbsents voisins;
  const Texte programme = LigneDepuisHote(cheminProgramme.toStdString()).value_or(Texte{});
  TFVue vue(ServicesVue{fichiers, dialogues, audio, ecran, cadence, bureau, voisins,
                        DossierDe(programme, fichiers.Style())});
  vue.CheminProgramme = programme;
  // Settings of its own, so that a render never depends on the user's.
  QTemporaryDir reglages;
  Registre registre(reglages.filePath(QStringLiteral("reglages.ini")));
  TFOptions options(vue, registre);

  Images images(*dossier, vue, fichiers, c.etapes);
  QObject::connect(&vue, &TFVue::EtapeAffichee, [&images] { images.Etape(); });
  if (c.pendant) QObject::connect(&vue, &TFVue::Presenter, [&images] { images.Transition(); });
  bool fin = false;
  QObject::connect(&vue, &TFVue::Terminer, [&fin] { fin = true; });
  listes.AvantOuverture(vue);
  vue.Ouverture();
  listes.ApresOuverture(vue);
  QString echec;
  // Each turn makes one step, or the render ends: a show that stopped by
  // itself is done; a step that cannot be made is a failure.
  while (!fin && dialogues.dits == 0 && images.Echec().isEmpty() && !images.Pleines() && vue.AvanceAuto) {
    const int avant = images.Annoncees();
    vue.Suivant(Emetteur::Minuterie);
    if (images.Annoncees() == avant && !fin && dialogues.dits == 0)
      echec = QStringLiteral("La projection ne peut pas aller au-delà de l'étape %1.").arg(images.Etapes());
    if (!echec.isEmpty()) break;
  }
  images.Planche();
  if (echec.isEmpty()) echec = images.Echec();
  if (!echec.isEmpty()) std::fprintf(stderr, "%s\n", echec.toUtf8().constData());
  const bool reussi = echec.isEmpty() && dialogues.dits == 0;
  std::fprintf(reussi ? stdout : stderr, "%s%d images écrites dans %s (%d étapes)\n",
               reussi ? "" : "Rendu interrompu : ", images.Ecrites(), dossierHote.toUtf8().constData(),
               images.Etapes());
  return reussi ? 0 : 1;
}

}  // namespace plivor
