// The montage in the real program under a virtual X server, driven by real
// mouse and key events (xdotool): edit, drag, undo, save, project.

#include <QDir>
#include <QFile>
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

class ProgrammeMontage : public testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
    using plivor::test::Unie;
    plivor::EcrireJpeg(Chemin(QStringLiteral("rouge.jpg")), Unie(400, 300, QColor(220, 30, 30)));
    plivor::EcrireJpeg(Chemin(QStringLiteral("vert.jpg")), Unie(400, 300, QColor(30, 200, 40)));
    plivor::EcrireJpeg(Chemin(QStringLiteral("bleu.jpg")), Unie(400, 300, QColor(30, 40, 210)));
    Ecrire(QStringLiteral("essai.pvl"),
           "Tempo=3000.pvi\r\nrouge.jpg\r\nTransition=Gauche.pvi\r\nvert.jpg\r\nbleu.jpg\r\nTitrage=Fin.pvv\r\n");
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  std::string Ligne(const QString& nom) const { return Chemin(nom).toStdString(); }
  void Ecrire(const QString& nom, const std::string& octets) const {
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), qint64(octets.size()));
  }
  std::string Lire(const QString& nom) const { return pilote_.Lire(nom); }
  // Runs the program on `liste` under a virtual screen with the driving
  // script `actions`, after C opened the montage; the program captures the
  // screen `apresMs` after its start, then ends.
  void Lancer(const QString& liste, const QString& actions, int apresMs) {
    const QString script = QStringLiteral(
                               "demarrer --capture ecran.png --apres %1 '%2'\n"
                               "cliquer 640 400; touches c; sleep 1.6\n")
                               .arg(apresMs)
                               .arg(liste) +
                           actions + QStringLiteral("\nwait $P; echo $? > code.txt\n");
    ASSERT_EQ(pilote_.Lancer(script, 90000), 0) << pilote_.Erreurs();
    EXPECT_EQ(pilote_.Code(), 0) << pilote_.Erreurs();
    ecran_ = pilote_.Capture(QStringLiteral("ecran.png"));
    ASSERT_EQ(ecran_.size(), QSize(1280, 800));
  }
  // With PLIVOR_CAPTURES set, the capture is kept there under this name.
  void Garder(const QString& nom) const {
    const QString dossier = qEnvironmentVariable("PLIVOR_CAPTURES");
    if (!dossier.isEmpty()) ecran_.save(QDir(dossier).filePath(nom));
  }

  QTemporaryDir dossier_;
  Pilote pilote_{QStringLiteral(PLIVOR_PROGRAMME), dossier_.path()};
  QImage ecran_;
};

// The montage docks on the right edge (234 pixels wide); its list starts
// under the name, the two rows of buttons and the drag check box, one
// 13-pixel row per line.
const QString kLignes = QStringLiteral(
    "X=1100; Y0=96\n"
    "row() { echo $((Y0 + 13 * $1)); }\n"
    "sauver() {\n"
    "  cliquer 1113 29; sleep 1.5\n"
    "  dans 'Sauver une liste Plivor' 60 60\n"
    "  touches ctrl+a; taper \"$1\"; touches Return; sleep 1.1\n"
    "}\n");

TEST_F(ProgrammeMontage, CouperCollerGlisserAnnulerPuisSauver) {
  const QString actions =
      kLignes +
      QStringLiteral(
          // Cut line 1, paste it below line 2.
          "xdotool mousemove $X $(row 1) click 1; sleep 0.4; xdotool key ctrl+x; sleep 0.4\n"
          "xdotool mousemove $X $(row 2) click 1; sleep 0.4; xdotool key ctrl+v; sleep 0.4\n"
          // Drag line 1 onto line 4.
          "xdotool mousemove $X $(row 1) click 1; sleep 0.4; xdotool mousedown 1; sleep 0.2\n"
          "for y in $(seq $(row 1) 3 $(row 4)); do xdotool mousemove $X $y; sleep 0.05; done\n"
          "xdotool mousemove $X $(row 4); sleep 0.3; xdotool mouseup 1; sleep 0.6\n"
          "sauver '%1'\n"
          // Undo the drag: the mouse back over the list for the key.
          "xdotool mousemove $X $(row 2) click 1; sleep 0.4; xdotool key ctrl+z; sleep 0.5\n"
          "sauver '%2'\n")
          .arg(Chemin(QStringLiteral("glisse.pvl")), Chemin(QStringLiteral("sortie.pvl")));
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 26000);
  Garder(QStringLiteral("montage-programme.png"));

  const std::string tempo = "Tempo=3000.pvi\r\n", transition = "Transition=Gauche.pvi\r\n",
                    fin = "Titrage=Fin.pvv\r\n";
  const std::string rouge = Ligne(QStringLiteral("rouge.jpg")) + "\r\n", vert = Ligne(QStringLiteral("vert.jpg")) + "\r\n",
                    bleu = Ligne(QStringLiteral("bleu.jpg")) + "\r\n";
  // Cut and paste moved "rouge" below "vert"; the drag moved the transition
  // in front of "bleu".
  EXPECT_EQ(Lire(QStringLiteral("glisse.pvl")), tempo + vert + rouge + transition + bleu + fin);
  // The undo took back the drag alone.
  EXPECT_EQ(Lire(QStringLiteral("sortie.pvl")), tempo + transition + vert + rouge + bleu + fin);
  // The source list is untouched.
  EXPECT_EQ(Lire(QStringLiteral("essai.pvl")),
            "Tempo=3000.pvi\r\nrouge.jpg\r\nTransition=Gauche.pvi\r\nvert.jpg\r\nbleu.jpg\r\nTitrage=Fin.pvv\r\n");

  // On screen: the montage column with its ground, the tempo and picture
  // icons, and dark caption letters beside them.
  const QRect liste(1048, 89, 230, 6 * 13);
  EXPECT_GT(Pixels(ecran_, liste, QColor(230, 220, 200), 4), 3000);
  EXPECT_GT(Pixels(ecran_, QRect(1048, 89, 30, 13), QColor(230, 150, 30), 20), 60);  // "TPO"
  EXPECT_GT(Pixels(ecran_, QRect(1048, 89 + 2 * 13, 30, 13), QColor(60, 150, 70), 20), 60);  // a picture
  EXPECT_GT(Pixels(ecran_, QRect(1080, 89, 120, 6 * 13), QColor(0, 0, 0), 60), 150);
  // Nothing of it left of the montage.
  EXPECT_EQ(Pixels(ecran_, QRect(0, 0, 200, 80), QColor(230, 220, 200), 4), 0);
}

TEST_F(ProgrammeMontage, ProjeterLaListeLaProjette) {
  // The edited list: the green picture first.
  Ecrire(QStringLiteral("edition.pvl"), "Tempo=9000.pvi\r\nvert.jpg\r\nrouge.jpg\r\n");
  const QString actions = kLignes + QStringLiteral(
                                        "xdotool mousemove $X $(row 1) click 1; sleep 0.4\n"
                                        // Move the green picture to the end: red comes first.
                                        "xdotool key ctrl+f; sleep 0.4\n"
                                        "xdotool key p; sleep 0.5\n");
  Lancer(Chemin(QStringLiteral("edition.pvl")), actions, 11000);
  Garder(QStringLiteral("montage-projection.png"));
  // The montage is gone; the projection shows the red picture across its
  // centre, where a preview (left half only) would not reach.
  EXPECT_EQ(Pixels(ecran_, QRect(1100, 100, 100, 100), QColor(230, 220, 200), 4), 0);
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(640, 400), QColor(220, 30, 30), 40)) << ecran_.pixelColor(640, 400).name().toStdString();
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(760, 400), QColor(220, 30, 30), 40));
}

TEST_F(ProgrammeMontage, QuitterPuisAnnulerLaSauvegardeGardeLeProgrammeEtLesModifications) {
  const QString actions = kLignes + QStringLiteral(
                                        // Delete line 1, then Ctrl+Q: "save it?" Yes; the save dialog: Escape.
                                        "xdotool mousemove $X $(row 1) click 1; sleep 0.4; xdotool key Delete; sleep 0.4\n"
                                        "touches ctrl+q; sleep 1.1\n"
                                        "boite; touches Return; sleep 1.1\n"
                                        "dans 'Sauver une liste Plivor' 60 60; touches Escape; sleep 0.6\n");
  // The capture can only be taken by a program still running.
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 14000);
  Garder(QStringLiteral("montage-quitter.png"));
  EXPECT_EQ(Lire(QStringLiteral("essai.pvl")),
            "Tempo=3000.pvi\r\nrouge.jpg\r\nTransition=Gauche.pvi\r\nvert.jpg\r\nbleu.jpg\r\nTitrage=Fin.pvv\r\n");
  // The montage still shows the edit: the transition's icon now on row 1.
  EXPECT_GT(Pixels(ecran_, QRect(1048, 89 + 13, 30, 13), QColor(180, 110, 20), 20), 60);
  EXPECT_EQ(Pixels(ecran_, QRect(1048, 89 + 5 * 13, 30, 13), QColor(150, 60, 150), 20), 0);  // one row fewer
}

}  // namespace
