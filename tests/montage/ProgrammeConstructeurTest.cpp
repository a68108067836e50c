// The instruction builder and the formatting panel in the real program
// under a virtual X server, driven by real clicks and keys (xdotool): an
// instruction chosen from a button's family, a window layout chosen in the
// panel, both saved and read back byte for byte; the screen captured with
// the builder dropped down and with the panel's miniature.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ImagesEssai.h"
#include "support/Pilote.h"

namespace {

using plivor::test::Pilote;

int Pixels(const QImage& image, QRect zone, QColor couleur, int tolerance) {
  int n = 0;
  for (int y = zone.top(); y <= zone.bottom(); ++y)
    for (int x = zone.left(); x <= zone.right(); ++x)
      if (plivor::test::Proche(image.pixelColor(x, y), couleur, tolerance)) ++n;
  return n;
}

// Where things are on the 1280 x 800 screen: the montage docked on the
// right edge, its list from y = 89 in 13-pixel rows, the builder's buttons
// and Cmd_Liste under the list, the formatting panel over the list.
const QString kPlan = QStringLiteral(
    "X=1100; Y0=96\n"
    "row() { echo $((Y0 + 13 * $1)); }\n"
    "BOUTONS=605; B_TRANSITION=1092; B_DIAPO=1122; B_LIBRE=1242\n"
    // Item n (from 0) of the list dropped down: first item, n times Down, Enter.
    "choisir() { xdotool key Home; sleep 0.2; for _ in $(seq $1); do xdotool key Down; sleep 0.25; done;"
    " xdotool key Return; sleep 1; }\n"
    "sauver() {\n"
    "  xdotool mousemove 1113 29 click 1; sleep 2\n"
    "  dans 'Sauver une liste Plivor' 60 60\n"
    "  xdotool key ctrl+a; xdotool type --delay 15 \"$1\"; xdotool key Return; sleep 1.5\n"
    "}\n");

class ProgrammeConstructeur : public testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
    plivor::EcrireJpeg(Chemin(QStringLiteral("rouge.jpg")), plivor::test::Unie(400, 300, QColor(220, 30, 30)));
    // A green slide: its block stands out of the dark red frame.
    Ecrire(QStringLiteral("essai.pvl"), "Tempo=3000.pvi\r\nDiapo=Verte.pvi\r\nrouge.jpg\r\nTitrage=Fin.pvv\r\n");
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  void Ecrire(const QString& nom, const std::string& octets) const {
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), qint64(octets.size()));
  }
  // Runs the program on essai.pvl with the montage open, drives it with
  // `actions` (bash, xdotool) and captures the screen after `apresMs`.
  void Lancer(const QString& actions, int apresMs) {
    const QString script = QStringLiteral(
                               "demarrer --capture ecran.png --apres %1 '%2'\n"
                               "cliquer 640 400; touches c; sleep 2\n")
                               .arg(apresMs)
                               .arg(Chemin(QStringLiteral("essai.pvl"))) +
                           kPlan + actions + QStringLiteral("\nwait $P\n");
    EXPECT_EQ(pilote_.Lancer(script, 120000), 0) << pilote_.Erreurs();
    ecran_ = pilote_.Capture(QStringLiteral("ecran.png"));
    ASSERT_EQ(ecran_.size(), QSize(1280, 800));
  }
  // With PLIVOR_CAPTURES set, the capture is kept there to be looked at.
  void Garder(const QString& nom) const {
    const QString dossier = qEnvironmentVariable("PLIVOR_CAPTURES");
    if (!dossier.isEmpty()) ecran_.save(QDir(dossier).filePath(nom));
  }
  std::string Rouge() const { return Chemin(QStringLiteral("rouge.jpg")).toStdString() + "\r\n"; }

  QTemporaryDir dossier_;
  Pilote pilote_{QStringLiteral(PLIVOR_PROGRAMME), dossier_.path()};
  QImage ecran_;
};

TEST_F(ProgrammeConstructeur, UneTransitionChoisieAuBoutonSInsereSousLaLigneEtSeSauve) {
  const QString actions =
      QStringLiteral(
          "xdotool mousemove $X $(row 0) click 1; sleep 0.5\n"
          // Left button of the transition button: the family drops down.
          "xdotool mousemove $B_TRANSITION $BOUTONS click 1; sleep 2\n"
          "choisir 3\n"
          "sauver '%1'\n"
          // Dropped down again for the capture.
          "xdotool mousemove $X $(row 1) click 1; sleep 0.5\n"
          "xdotool mousemove $B_TRANSITION $BOUTONS click 1; sleep 1\n"
          "xdotool key Down; sleep 0.3\n")
          .arg(Chemin(QStringLiteral("sortie.pvl")));
  Lancer(actions, 30000);
  Garder(QStringLiteral("constructeur-transitions.png"));
  EXPECT_EQ(pilote_.Lire(QStringLiteral("sortie.pvl")),
            "Tempo=3000.pvi\r\nTransition=Gauche.pvi\r\nDiapo=Verte.pvi\r\n" + Rouge() + "Titrage=Fin.pvv\r\n");
  // On screen: the list of candidates, thirteen-pixel rows each with the
  // brown transition icon at its left.
  int rangees = 0;
  for (int y = 300; y < 800; y += 13)
    rangees += Pixels(ecran_, QRect(1048, y, 30, 13), QColor(180, 110, 20), 20) > 40;
  EXPECT_GE(rangees, 10);
}

TEST_F(ProgrammeConstructeur, LePanneauDeFormatEcritLesLignesDeLaFenetre) {
  const QString actions =
      QStringLiteral(
          "xdotool mousemove $X $(row 0) click 1; sleep 0.5\n"
          // Right button of the slide button: the window's family; its
          // seventh line formats the window and opens the panel.
          "xdotool mousemove $B_DIAPO $BOUTONS click 3; sleep 2\n"
          "choisir 6\n"
          // 80%, centred at the top, with the options: frame 2, margin 5,
          // the desktop hidden.
          "xdotool mousemove 1162 119 click 1; sleep 0.8; choisir 1\n"
          "xdotool mousemove 1162 161 click 1; sleep 0.8; choisir 1\n"
          "xdotool mousemove 1187 340 click 1; sleep 0.3; xdotool key ctrl+a; xdotool type 2; sleep 0.3\n"
          "xdotool mousemove 1187 368 click 1; sleep 0.3; xdotool key ctrl+a; xdotool type 5; sleep 0.3\n"
          "xdotool mousemove 1187 396 click 1; sleep 0.8; choisir 1\n"
          "xdotool mousemove 1058 435 click 1; sleep 0.5\n"
          "xdotool mousemove 1087 459 click 1; sleep 1\n"
          "sauver '%1'\n"
          // The slide's panel, left open for the capture: 50%, bottom right.
          "xdotool mousemove $B_DIAPO $BOUTONS click 1; sleep 2\n"
          "choisir 7\n"
          "xdotool mousemove 1162 119 click 1; sleep 0.8; choisir 2\n"
          "xdotool mousemove 1162 161 click 1; sleep 0.8; choisir 8\n")
          .arg(Chemin(QStringLiteral("sortie.pvl")));
  Lancer(actions, 58000);
  Garder(QStringLiteral("constructeur-format.png"));
  EXPECT_EQ(pilote_.Lire(QStringLiteral("sortie.pvl")),
            "Tempo=3000.pvi\r\nFenetre-Couleur=$00372023.pvi\r\nFenetre-Format=80%.pvi\r\n"
            "Fenetre-Position=Centrer en haut.pvi\r\nFenetre-Style=Plein \xE9" "cran.pvi\r\nFenetre-Cadre=2.pvi\r\n"
            "Fenetre-Marge=5.pvi\r\nDiapo=Verte.pvi\r\n" +
                Rouge() + "Titrage=Fin.pvv\r\n");
  // The miniature: the slide's block (its colour) in the bottom-right
  // quarter of the frame, the frame's colour in its top-left quarter.
  const QRect cadre(1082, 176, 162, 122);
  const QColor bloc = ecran_.pixelColor(cadre.x() + 120, cadre.y() + 90);
  const QColor fond = ecran_.pixelColor(cadre.x() + 20, cadre.y() + 20);
  EXPECT_FALSE(plivor::test::Proche(bloc, fond, 40)) << bloc.name().toStdString() << " " << fond.name().toStdString();
  EXPECT_GT(Pixels(ecran_, QRect(cadre.x() + 81, cadre.y() + 61, 70, 50), bloc, 8), 2500);
  EXPECT_EQ(Pixels(ecran_, QRect(cadre.x() + 4, cadre.y() + 4, 60, 40), bloc, 8), 0);
}

TEST_F(ProgrammeConstructeur, AnnulerLePanneauEtUneValeurRefuseeNePerdentRien) {
  Ecrire(QStringLiteral("essai.pvl"), "Tempo=3000.pvi\r\nFenetre=Formater.pvi\r\nFenetre-Cadre=-2.pvi\r\nrouge.jpg\r\n");
  const QString actions =
      QStringLiteral(
          // The formatting line opened with F2, then the panel cancelled.
          "xdotool mousemove $X $(row 1) click 1; sleep 0.5; xdotool key F2; sleep 1\n"
          "xdotool mousemove 1162 459 click 1; sleep 0.8\n"
          // The frame line: 13 is refused (the message box answered), 12 taken.
          "xdotool mousemove $X $(row 2) click 1; sleep 0.5; xdotool key F2; sleep 1\n"
          "xdotool key ctrl+a; xdotool type 13; xdotool key Return; sleep 1.5\n"
          "dans 'Plivor  v-1.1ck- fr' 20 20; xdotool key Return; sleep 1\n"
          "sauver '%2'\n"
          "xdotool mousemove 1160 628 click 1; sleep 0.3\n"
          "xdotool key ctrl+a; xdotool type 12; xdotool key Return; sleep 1\n"
          "sauver '%1'\n")
          .arg(Chemin(QStringLiteral("sortie.pvl")), Chemin(QStringLiteral("refus.pvl")));
  Lancer(actions, 36000);
  Garder(QStringLiteral("constructeur-annuler.png"));
  // Saved while the refusal was on screen: nothing written yet.
  EXPECT_EQ(pilote_.Lire(QStringLiteral("refus.pvl")),
            "Tempo=3000.pvi\r\nFenetre=Formater.pvi\r\nFenetre-Cadre=-2.pvi\r\n" + Rouge());
  EXPECT_EQ(pilote_.Lire(QStringLiteral("sortie.pvl")),
            "Tempo=3000.pvi\r\nFenetre=Formater.pvi\r\nFenetre-Cadre=12.pvi\r\n" + Rouge());
}

TEST_F(ProgrammeConstructeur, LEditeurLibreEcritUnMotCleInconnuEtUnFichierAVenir) {
  const QString futur = Chemin(QStringLiteral("plus tard/futur.jpg"));
  const QString actions =
      QStringLiteral(
          "xdotool mousemove $X $(row 0) click 1; sleep 0.5\n"
          // The free line button: an empty box; the line typed goes below.
          "xdotool mousemove $B_LIBRE $BOUTONS click 1; sleep 1\n"
          "xdotool type --delay 20 'Foo=Bar.pvi'; xdotool key Return; sleep 1\n"
          "xdotool mousemove $B_LIBRE $BOUTONS click 1; sleep 1\n"
          "xdotool type --delay 20 '%2'; xdotool key Return; sleep 1\n"
          // A keyword the vocabulary knows: 500 is refused, the box then
          // holds the value alone.
          "xdotool mousemove $B_LIBRE $BOUTONS click 1; sleep 1\n"
          "xdotool type --delay 20 'Audio-Volume=500.pvi'; xdotool key Return; sleep 1.5\n"
          "dans 'Plivor  v-1.1ck- fr' 20 20; xdotool key Return; sleep 1\n"
          "xdotool mousemove 1160 628 click 1; sleep 0.3\n"
          "xdotool key ctrl+a; xdotool type 50; xdotool key Return; sleep 1\n"
          "sauver '%1'\n")
          .arg(Chemin(QStringLiteral("sortie.pvl")), futur);
  Lancer(actions, 40000);
  Garder(QStringLiteral("constructeur-libre.png"));
  EXPECT_EQ(pilote_.Lire(QStringLiteral("sortie.pvl")),
            "Tempo=3000.pvi\r\nFoo=Bar.pvi\r\n" + futur.toStdString() + "\r\nAudio-Volume=50.pvi\r\nDiapo=Verte.pvi\r\n" +
                Rouge() + "Titrage=Fin.pvv\r\n");
}

}  // namespace
