// The montage's tools in the real program under a virtual X server, driven
// by real mouse and key events (xdotool): the scene menu built from the
// builder's "Menu=Créer" and shown on the navigation panel once the list is
// projected, and the relative copy saved through the "Plus..." menu.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ImagesEssai.h"
#include "support/Pilote.h"

namespace {

using plivor::test::Pilote;

// Pixels of `zone` within `tolerance` of `couleur`.
int Pixels(const QImage& image, QRect zone, QColor couleur, int tolerance = 30) {
  int n = 0;
  for (int y = zone.top(); y <= zone.bottom(); ++y)
    for (int x = zone.left(); x <= zone.right(); ++x)
      if (plivor::test::Proche(image.pixelColor(x, y), couleur, tolerance)) ++n;
  return n;
}

// A click at a point of the screen, the button and the wait after it given.
// "Plus..." is the button at x 1186 of the montage's second row.
const QString kOutils = QStringLiteral(
    "clic() { xdotool mousemove $1 $2 click ${3:-1}; sleep ${4:-0.6}; }\n");

class ProgrammeOutils : public testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  std::string Ligne(const QString& nom) const { return Chemin(nom).toStdString(); }
  void Ecrire(const QString& nom, const std::string& octets) const {
    QDir().mkpath(QFileInfo(Chemin(nom)).path());
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), qint64(octets.size()));
  }
  void Image(const QString& nom, QColor couleur) const {
    QDir().mkpath(QFileInfo(Chemin(nom)).path());
    plivor::EcrireJpeg(Chemin(nom), plivor::test::Unie(400, 300, couleur));
  }
  // Runs the program on `liste` under a virtual screen with the driving
  // script `actions` (bash, xdotool); the screen is captured after `apresMs`.
  // `apresMs` 0: the screen is captured once the actions are done, however
  // long a loaded machine took over them, and the program is then ended.
  void Lancer(const QString& liste, const QString& actions, int apresMs) {
    const QString capture = apresMs > 0 ? QStringLiteral("--capture ecran.png --apres %1 ").arg(apresMs) : QString();
    const QString fin = apresMs > 0 ? QStringLiteral("\nwait $P\n") : QStringLiteral("\ncapturer ecran.png\nterminer\n");
    const QString script = kOutils +
                           QStringLiteral(
                               "demarrer %1'%2'\n"
                               // Keys go to the window under the pointer: the projection first.
                               "cliquer 640 400; touches c; sleep 2\n")
                               .arg(capture, liste) +
                           actions + fin;
    EXPECT_EQ(pilote_.Lancer(script, 120000), 0) << pilote_.Erreurs();
    ecran_ = pilote_.Capture(QStringLiteral("ecran.png"));
    ASSERT_EQ(ecran_.size(), QSize(1280, 800));
  }
  // With PLIVOR_CAPTURES set, the capture is kept there to be looked at.
  void Garder(const QString& nom) const {
    const QString dossier = qEnvironmentVariable("PLIVOR_CAPTURES");
    if (!dossier.isEmpty()) ecran_.save(QDir(dossier).filePath(nom));
  }

  QTemporaryDir dossier_;
  Pilote pilote_{QStringLiteral(PLIVOR_PROGRAMME), dossier_.path()};
  QImage ecran_;
};

// x centre of the pixels of `couleur` in `zone`; -1 when there are too few.
int Centre(const QImage& image, QRect zone, QColor couleur) {
  long somme = 0, n = 0;
  for (int y = zone.top(); y <= zone.bottom(); ++y)
    for (int x = zone.left(); x <= zone.right(); ++x)
      if (plivor::test::Proche(image.pixelColor(x, y), couleur, 30)) somme += x, ++n;
  return n < 1000 ? -1 : static_cast<int>(somme / n);
}

TEST_F(ProgrammeOutils, LeMenuDesScenesCreeAuMontageSAfficheALaProjection) {
  Image(QStringLiteral("scenes/rouge.jpg"), QColor(220, 30, 30));
  Image(QStringLiteral("scenes/vert.jpg"), QColor(30, 200, 40));
  Image(QStringLiteral("scenes/bleu.jpg"), QColor(30, 40, 210));
  Ecrire(QStringLiteral("scenes/spectacle.pvl"),
         "Tempo=3000.pvi\r\nDrapeau=Un.pvd\r\nVignette=rouge.jpg.pvr\r\nrouge.jpg\r\n"
         "Drapeau=Deux.pvd\r\nVignette=vert.jpg.pvr\r\nvert.jpg\r\nDrapeau=Trois.pvd\r\nVignette=bleu.jpg.pvr\r\n"
         "bleu.jpg\r\n");
  const QString actions = QStringLiteral(
      // The last line, then "Navigation/Menu" with the right button: "Menu=Créer".
      "clic 1150 212 1 1; clic 1182 604 3 1.5; clic 1120 673 1 1.5\n"
      // The panel over the list: "Créer le Menu".
      "clic 1102 123 1 3\n"
      // Save the list under a new name, then project it.
      "clic 1112 29 1 2\n"
      "dans 'Sauver une liste Plivor' 60 60\n"
      "xdotool key ctrl+a; xdotool type --delay 15 '%1'; xdotool key Return; sleep 1.5\n"
      "clic 1150 95 1 1; xdotool key p; sleep 2\n"
      // On the projection: "n" opens the flag menu of the navigation panel.
      "clic 640 400 1 0.5; xdotool key n; sleep 1\n").arg(Chemin(QStringLiteral("scenes/projete.pvl")));
  Lancer(Chemin(QStringLiteral("scenes/spectacle.pvl")), actions, 0);
  Garder(QStringLiteral("outils-menu-projete.png"));

  // The companions beside the list, and the list saved with its two
  // reference lines at the top.
  EXPECT_EQ(pilote_.Lire(QStringLiteral("scenes/spectacle.txt")), "Un\r\nDeux\r\nTrois\r\n");
  EXPECT_EQ(QImage(Chemin(QStringLiteral("scenes/spectacle.bmp"))).size(), QSize(232, 52));
  const std::string s = Ligne(QStringLiteral("scenes/spectacle")), d = Ligne(QStringLiteral("scenes")) + "/";
  EXPECT_EQ(pilote_.Lire(QStringLiteral("scenes/projete.pvl")),
            "Drapeaux=" + s + ".txt.pvr\r\nMenus=" + s + ".bmp.pvr\r\nTempo=3000.pvi\r\nDrapeau=Un.pvd\r\nVignette=" + d +
                "rouge.jpg.pvr\r\n" + d + "rouge.jpg\r\nDrapeau=Deux.pvd\r\nVignette=" + d + "vert.jpg.pvr\r\n" + d +
                "vert.jpg\r\nDrapeau=Trois.pvd\r\nVignette=" + d + "bleu.jpg.pvr\r\n" + d + "bleu.jpg\r\n");
  // On screen, the navigation panel in the bottom-right corner shows the
  // three thumbnails in flag order.
  const QRect panneau(1000, 690, 280, 110);
  const int rouge = Centre(ecran_, panneau, QColor(220, 30, 30)), vert = Centre(ecran_, panneau, QColor(30, 200, 40)),
            bleu = Centre(ecran_, panneau, QColor(30, 40, 210));
  EXPECT_GT(rouge, 0);
  EXPECT_GT(vert, rouge + 40);
  EXPECT_GT(bleu, vert + 40);
  EXPECT_LT(Pixels(ecran_, panneau, QColor(220, 30, 30)), 48 * 36 + 100);
  EXPECT_GT(Pixels(ecran_, panneau, QColor(35, 35, 35), 3), 1000);  // the menu's ground
}

TEST_F(ProgrammeOutils, LaCopieRelativeSEnregistrePlusLoinParLeMenuPlus) {
  Image(QStringLiteral("show/img/a.jpg"), QColor(220, 30, 30));
  Image(QStringLiteral("show/b.jpg"), QColor(30, 200, 40));
  // Written with full paths; the copy names the files from the list's folder.
  const std::string original =
      "Tempo=3000.pvi\r\n" + Ligne(QStringLiteral("show/img/a.jpg")) + "\r\n" + Ligne(QStringLiteral("show/b.jpg")) + "\r\n";
  Ecrire(QStringLiteral("show/liste.pvl"), original);
  const QString actions = QStringLiteral(
      // "Plus...", third entry: "Créer un chemin relatif".
      "clic 1150 95 1 0.5; clic 1186 52 1 1; xdotool key Down Down Down Return; sleep 1.5\n"
      "dans 'Dossier de base de la liste relative' 60 60\n"
      "xdotool key ctrl+a; xdotool type --delay 15 '%1'; xdotool key Return; sleep 1.5\n"
      // "Désirez-vous sauvegarder une liste relative dans ... ?": Yes.
      "xdotool key Return; sleep 1.5\n").arg(Chemin(QStringLiteral("show")));
  Lancer(Chemin(QStringLiteral("show/liste.pvl")), actions, 16000);
  Garder(QStringLiteral("outils-relatif.png"));
  EXPECT_EQ(pilote_.Lire(QStringLiteral("show/liste.pvl")), "Tempo=3000.pvi\r\nimg\\a.jpg\r\nb.jpg\r\n");
  EXPECT_EQ(pilote_.Lire(QStringLiteral("show/liste.bak")), original);
}


TEST_F(ProgrammeOutils, LesSousListesDeployeesSEnregistrentParLeMenuPlus) {
  Image(QStringLiteral("a.jpg"), QColor(220, 30, 30));
  Image(QStringLiteral("sous/b.jpg"), QColor(30, 200, 40));
  // The sub-list lives in its own folder and names its picture from there.
  // The projection deploys sub-lists of its own as it plays them: the
  // montage loads the list itself.
  Ecrire(QStringLiteral("sous/suite.pvl"), "b.jpg\r\nTempo=500.pvi\r\n");
  Ecrire(QStringLiteral("liste.pvl"), "Tempo=60000.pvi\r\na.jpg\r\nsous\\suite.pvl\r\n");
  const QString actions = QStringLiteral(
      "clic 1086 29 1 2\n"
      "dans 'Charger une liste' 60 60\n"
      "xdotool key ctrl+a; xdotool type --delay 15 '%2'; xdotool key Return; sleep 1.5\n"
      // "Plus...", second entry: "Déployer les listes *.pvl"; then save.
      "clic 1150 95 1 0.5; clic 1186 52 1 1; xdotool key Down Down Return; sleep 1.5\n"
      "clic 1112 29 1 2\n"
      "dans 'Sauver une liste Plivor' 60 60\n"
      "xdotool key ctrl+a; xdotool type --delay 15 '%1'; xdotool key Return; sleep 1.5\n")
                              .arg(Chemin(QStringLiteral("deployee.pvl")), Chemin(QStringLiteral("liste.pvl")));
  Lancer(Chemin(QStringLiteral("liste.pvl")), actions, 18000);
  Garder(QStringLiteral("outils-deploiement.png"));
  EXPECT_EQ(pilote_.Lire(QStringLiteral("deployee.pvl")),
            "Tempo=60000.pvi\r\n" + Ligne(QStringLiteral("a.jpg")) + "\r\nDrapeau=suite.pvd\r\n" +
                Ligne(QStringLiteral("sous/b.jpg")) + "\r\nTempo=500.pvi\r\n");
  EXPECT_EQ(pilote_.Lire(QStringLiteral("liste.pvl")), "Tempo=60000.pvi\r\na.jpg\r\nsous\\suite.pvl\r\n");
  // On screen: the montage shows the deployed list, its flag on row 2.
  EXPECT_GT(Pixels(ecran_, QRect(1048, 89 + 2 * 13, 30, 13), QColor(200, 40, 40), 40), 40);
}


TEST_F(ProgrammeOutils, LaVerificationArreteSurLaSousListeFautive) {
  Image(QStringLiteral("a.jpg"), QColor(220, 30, 30));
  Ecrire(QStringLiteral("suite.pvl"), "Tempo=500.pvi\r\nmanque.jpg\r\n");
  Ecrire(QStringLiteral("liste.pvl"), "Tempo=60000.pvi\r\na.jpg\r\nTempo=100.pvi\r\nTempo=200.pvi\r\n");
  // The program starts on a list without sub-list (the projection deploys
  // those it plays); the montage then loads the one holding it, and
  // "Plus...", fourth entry: "Vérifier la liste".
  const QString actions = QStringLiteral(
      "clic 1086 29 1 2\n"
      "dans 'Charger une liste' 60 60\n"
      "xdotool key ctrl+a; xdotool type --delay 15 '%1'; xdotool key Return; sleep 1.5\n"
      "clic 1150 134 1 0.5; clic 1186 52 1 1; xdotool key Down Down Down Down Return; sleep 2\n")
                              .arg(Chemin(QStringLiteral("verifiee.pvl")));
  Ecrire(QStringLiteral("verifiee.pvl"), "Tempo=60000.pvi\r\na.jpg\r\nsuite.pvl\r\nTempo=100.pvi\r\n");
  Lancer(Chemin(QStringLiteral("liste.pvl")), actions, 14000);
  Garder(QStringLiteral("outils-verification.png"));
  // The message box stands over the screen; the sub-list's row is the
  // selected one, the rows around it are not.
  const QColor selection = ecran_.pixelColor(1200, 89 + 2 * 13 + 6);
  EXPECT_EQ(selection, ecran_.pixelColor(1250, 89 + 2 * 13 + 6));
  EXPECT_NE(selection, ecran_.pixelColor(1250, 89 + 1 * 13 + 6));
  EXPECT_NE(selection, ecran_.pixelColor(1250, 89 + 3 * 13 + 6));
  EXPECT_EQ(pilote_.Lire(QStringLiteral("verifiee.pvl")), "Tempo=60000.pvi\r\na.jpg\r\nsuite.pvl\r\nTempo=100.pvi\r\n");
}

}  // namespace
