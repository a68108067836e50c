// The resource window and the opener in the real program under a virtual X
// server, driven by real mouse and key events (xdotool).

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

int Pixels(const QImage& image, QRect zone, QColor couleur, int tolerance = 30) {
  int n = 0;
  for (int y = zone.top(); y <= zone.bottom(); ++y)
    for (int x = zone.left(); x <= zone.right(); ++x)
      if (plivor::test::Proche(image.pixelColor(x, y), couleur, tolerance)) ++n;
  return n;
}

const QColor kRouge(220, 30, 30), kVert(30, 200, 40), kBleu(30, 40, 210), kJaune(230, 220, 30);

class ProgrammeSources : public testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
    using plivor::test::Unie;
    plivor::EcrireJpeg(Chemin(QStringLiteral("rouge.jpg")), Unie(400, 300, kRouge));
    plivor::EcrireJpeg(Chemin(QStringLiteral("vert.jpg")), Unie(400, 300, kVert));
    plivor::EcrireJpeg(Chemin(QStringLiteral("bleu.jpg")), Unie(400, 300, kBleu));
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  std::string Ligne(const QString& nom) const { return Chemin(nom).toStdString(); }
  void Ecrire(const QString& nom, const std::string& octets) const {
    QDir().mkpath(QFileInfo(Chemin(nom)).path());
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), qint64(octets.size()));
  }
  // Runs the program on `liste` with the driving script `actions` (bash,
  // xdotool); the screen is captured after `apresMs`, which leaves the
  // actions a few seconds to spare on a busy machine.
  void Lancer(const QString& liste, const QString& actions, int apresMs) {
    // Started when its window shows, however busy the machine.
    const QString script = QStringLiteral(
                               "demarrer --capture ecran.png --apres %1 '%2'\n"
                               "cliquer 640 400\n")
                               .arg(apresMs)
                               .arg(liste) +
                           actions + QStringLiteral("\nwait $P\n");
    EXPECT_EQ(pilote_.Lancer(script, 90000), 0) << pilote_.Erreurs();
    ecran_ = pilote_.Capture(QStringLiteral("ecran.png"));
    ASSERT_EQ(ecran_.size(), QSize(1280, 800));
  }
  void Garder(const QString& nom) const {
    const QString dossier = qEnvironmentVariable("PLIVOR_CAPTURES");
    if (!dossier.isEmpty()) ecran_.save(QDir(dossier).filePath(nom));
  }

  QTemporaryDir dossier_;
  Pilote pilote_{QStringLiteral(PLIVOR_PROGRAMME), dossier_.path()};
  QImage ecran_;
};

// Waits for the resource window, however busy the machine.
#define kRessources "timeout 20 xdotool search --sync --onlyvisible --name 'Fenêtre des Ressources' >/dev/null; sleep 1\n"

// The montage's save dialog, answered with the path given.
const QString kSauver = QStringLiteral(
    "sauver() {\n"
    "  xdotool mousemove $1 $2 click 1; sleep 2\n"
    "  dans 'Sauver une liste Plivor' 60 60\n"
    "  xdotool key ctrl+a; xdotool type --delay 15 \"$3\"; xdotool key Return; sleep 1.5\n"
    "}\n");

TEST_F(ProgrammeSources, RessourcesACoteDuMontageEtUnFichierGlisseDansLaListe) {
  Ecrire(QStringLiteral("essai.pvl"), "Tempo=3000.pvi\r\nrouge.jpg\r\n");
  plivor::EcrireWav(Chemin(QStringLiteral("son.wav")), std::vector<std::int16_t>(4410, 0), 44100, 1);
  plivor::EcrireGif(Chemin(QStringLiteral("jaune.gif")), plivor::test::Unie(100, 80, kJaune));
  const QString actions =
      kSauver +
      QStringLiteral(
          // The montage, then its "Importer des médias" button.
          "xdotool key c; sleep 2\n"
          "xdotool mousemove 1209 53 click 1\n" kRessources
          // Files: bleu.jpg, essai.pvl, rouge.jpg, son.wav, vert.jpg, one row of 14 pixels each.
          "xdotool mousemove 850 272 click 1; sleep 1\n"
          // vert.jpg dragged onto the montage's second line.
          "xdotool mousedown 1; sleep 0.2\n"
          "for x in $(seq 850 20 1100); do xdotool mousemove $x 200; sleep 0.03; done\n"
          "xdotool mousemove 1100 108; sleep 0.3; xdotool mouseup 1; sleep 1\n"
          "sauver 1113 29 '%1'\n")
          .arg(Chemin(QStringLiteral("sortie.pvl")));
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 19000);
  Garder(QStringLiteral("ressources-montage.png"));

  EXPECT_EQ(pilote_.Lire(QStringLiteral("sortie.pvl")),
            "Tempo=3000.pvi\r\n" + Ligne(QStringLiteral("vert.jpg")) + "\r\n" + Ligne(QStringLiteral("rouge.jpg")) + "\r\n");
  // The resource window stands left of the montage, from the top: its file
  // list is white, the montage's list keeps its ground beside it.
  EXPECT_GT(Pixels(ecran_, QRect(830, 300, 200, 400), Qt::white, 4), 70000);
  EXPECT_GT(Pixels(ecran_, QRect(1050, 150, 220, 300), QColor(230, 220, 200), 4), 50000);
  EXPECT_EQ(Pixels(ecran_, QRect(1050, 150, 220, 300), Qt::white, 4), 0);
  // The projection previews the green picture, chosen then dropped.
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(477, 400), kVert, 40)) << ecran_.pixelColor(477, 400).name().toStdString();
}

TEST_F(ProgrammeSources, ImporterParLaToucheEtParLeBouton) {
  Ecrire(QStringLiteral("essai.pvl"), "Tempo=3000.pvi\r\nrouge.jpg\r\n");
  const QString actions =
      kSauver +
      QStringLiteral(
          "xdotool key c; sleep 2\n"
          "xdotool mousemove 1209 53 click 1\n" kRessources
          // Files: bleu.jpg, essai.pvl, rouge.jpg, vert.jpg. bleu.jpg at the
          // head by its key (D), vert.jpg at the end by its button.
          "xdotool mousemove 850 216 click 1; sleep 1; xdotool key d; sleep 1\n"
          "xdotool mousemove 850 258 click 1; sleep 1\n"
          "xdotool mousemove 981 787 click 1; sleep 1\n"
          "sauver 1113 29 '%1'\n")
          .arg(Chemin(QStringLiteral("sortie.pvl")));
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 18000);
  Garder(QStringLiteral("ressources-importer.png"));
  EXPECT_EQ(pilote_.Lire(QStringLiteral("sortie.pvl")),
            Ligne(QStringLiteral("bleu.jpg")) + "\r\nTempo=3000.pvi\r\n" + Ligne(QStringLiteral("rouge.jpg")) + "\r\n" +
                Ligne(QStringLiteral("vert.jpg")) + "\r\n");
}

TEST_F(ProgrammeSources, UnFiltreCreeAuClicDroit) {
  Ecrire(QStringLiteral("essai.pvl"), "Tempo=3000.pvi\r\nrouge.jpg\r\n");
  const QString actions = QStringLiteral(
      "xdotool key c; sleep 2\n"
      "xdotool mousemove 1209 53 click 1\n" kRessources
      // The right button on "F..." opens the creation panel; a pattern
      // typed in its edit and validated becomes the mask.
      // It stands over the window's top-left corner.
      "xdotool mousemove 993 179 click 3; sleep 1\n"
      "xdotool mousemove 933 87 click 1; sleep 0.3\n"
      "xdotool key ctrl+a; xdotool type --delay 30 '?e*.jpg'; sleep 0.3\n"
      "xdotool mousemove 874 110 click 1; sleep 1.5\n"
      "xdotool mousemove 5 5\n");
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 14000);
  Garder(QStringLiteral("ressources-filtre.png"));
  // Only vert.jpg is listed, chosen, and previewed.
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(477, 400), kVert, 40)) << ecran_.pixelColor(477, 400).name().toStdString();
  const QColor choisie = ecran_.pixelColor(1000, 216);
  EXPECT_GT(choisie.blue(), choisie.red() + 60) << choisie.name().toStdString();
  EXPECT_EQ(Pixels(ecran_, QRect(826, 224, 210, 60), QColor(0, 0, 0), 120), 0);
  EXPECT_GT(Pixels(ecran_, QRect(830, 300, 200, 400), Qt::white, 4), 70000);
}

TEST_F(ProgrammeSources, DiaporamaDuDossierDepuisLaFenetreDesRessources) {
  Ecrire(QStringLiteral("essai.pvl"), "Tempo=3000.pvi\r\nvert.jpg\r\n");
  // A long tempo: the picture chosen stays on screen.
  Ecrire(QStringLiteral("reglages.ini"), "[Options]\nTempo=60000\n");
  const QString actions = QStringLiteral(
      "xdotool key c; sleep 2\n"
      "xdotool mousemove 1209 53 click 1\n" kRessources
      // Pictures only: bleu.jpg, rouge.jpg, vert.jpg; rouge.jpg chosen, then the show.
      "xdotool mousemove 842 179 click 1; sleep 1\n"
      "xdotool mousemove 850 230 click 1; sleep 1\n"
      "xdotool mousemove 836 787 click 1; sleep 2\n"
      "xdotool mousemove 5 5\n");
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 15000);
  Garder(QStringLiteral("ressources-diaporama.png"));
  // The projection in front, the chosen picture across its centre; the
  // montage and the resource window gone.
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(640, 400), kRouge, 40)) << ecran_.pixelColor(640, 400).name().toStdString();
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(760, 400), kRouge, 40));
  EXPECT_EQ(Pixels(ecran_, QRect(1050, 150, 220, 300), QColor(230, 220, 200), 4), 0);
  EXPECT_LT(Pixels(ecran_, QRect(830, 300, 200, 400), Qt::white, 4), 100);
}

TEST_F(ProgrammeSources, ApresLeDiaporamaLeMontageRetrouveLesRessources) {
  Ecrire(QStringLiteral("essai.pvl"), "Tempo=3000.pvi\r\nvert.jpg\r\n");
  Ecrire(QStringLiteral("reglages.ini"), "[Options]\nTempo=60000\n");
  const QString actions = QStringLiteral(
      "xdotool key c; sleep 2\n"
      "xdotool mousemove 1209 53 click 1\n" kRessources
      "xdotool mousemove 842 179 click 1; sleep 1\n"
      "xdotool mousemove 850 230 click 1; sleep 1\n"
      "xdotool mousemove 836 787 click 1; sleep 2\n"
      // Back to editing: the montage and, beside it, the resource window.
      "xdotool mousemove 640 400 click 1; sleep 0.5; xdotool key c; sleep 2\n"
      "xdotool mousemove 5 5\n");
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 18000);
  Garder(QStringLiteral("ressources-retour.png"));
  // Both windows again; in the file list the picture that was on screen
  // (rouge.jpg, second row) is the one chosen.
  EXPECT_GT(Pixels(ecran_, QRect(830, 300, 200, 400), Qt::white, 4), 70000);
  EXPECT_GT(Pixels(ecran_, QRect(1050, 150, 220, 300), QColor(230, 220, 200), 4), 50000);
  const QColor choisie = ecran_.pixelColor(940, 230);
  EXPECT_GT(choisie.blue(), choisie.red() + 60) << choisie.name().toStdString();
  EXPECT_EQ(Pixels(ecran_, QRect(900, 211, 100, 8), choisie, 10), 0);  // bleu.jpg, not chosen
  // The montage's import button is away while the resource window is there.
  EXPECT_EQ(Pixels(ecran_, QRect(1198, 44, 22, 18), QColor(0, 0, 0), 80), 0);
}

TEST_F(ProgrammeSources, MajFinDansUnDossierDeVingtMilleFichiersEtLeProgrammeRepond) {
  Ecrire(QStringLiteral("essai.pvl"), "Tempo=3000.pvi\r\nrouge.jpg\r\n");
  // 20 000 files: bleu.jpg, essai.pvl, p_00001.jpg ... p_19996.jpg, rouge.jpg, vert.jpg.
  for (int i = 1; i <= 19996; ++i) {
    QFile f(Chemin(QStringLiteral("p_%1.jpg").arg(i, 5, 10, QLatin1Char('0'))));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  const QString actions = QStringLiteral(
      "xdotool key c; sleep 2\n"
      "xdotool mousemove 1209 53 click 1\n"
      "timeout 20 xdotool search --sync --onlyvisible --name 'Fenêtre des Ressources' >/dev/null; sleep 2\n"
      // The first file (a second click: the first may only bring the
      // window forward on a busy machine), then every file down to the last.
      "xdotool mousemove 850 216 click 1; sleep 1; xdotool click 1; sleep 1\n"
      "xdotool key shift+End; sleep 2\n"
      // The window answers at once: the selection goes to the clipboard.
      "xdotool key ctrl+c; sleep 1\n"
      "xdotool mousemove 5 5\n");
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 19000);
  Garder(QStringLiteral("ressources-maj-fin.png"));
  // The list stands on its last files, every row shown chosen.
  const QColor choisie = ecran_.pixelColor(940, 700);
  EXPECT_GT(choisie.blue(), choisie.red() + 60) << choisie.name().toStdString();
  EXPECT_LT(Pixels(ecran_, QRect(830, 300, 200, 400), Qt::white, 4), 2000);
  EXPECT_GT(Pixels(ecran_, QRect(830, 300, 200, 400), choisie, 10), 40000);
  // vert.jpg, the last file, is previewed.
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(477, 400), kVert, 40)) << ecran_.pixelColor(477, 400).name().toStdString();
  // The count, whole, at the right of the mask's line.
  EXPECT_GT(Pixels(ecran_, QRect(1000, 192, 45, 13), QColor(240, 230, 210), 60), 25);
  // The montage's clipboard list shows the names copied (vert.jpg, rouge.jpg, ...).
  EXPECT_GT(Pixels(ecran_, QRect(1050, 644, 150, 36), QColor(0, 0, 0), 90), 150);
}

TEST_F(ProgrammeSources, UneImageIllisibleLaisseSaPlaceVideEtNEstDiteQuUneFois) {
  Ecrire(QStringLiteral("essai.pvl"), "Tempo=3000.pvi\r\nrouge.jpg\r\n");
  Ecrire(QStringLiteral("casse.jpg"), "pas une image");
  const QString actions = QStringLiteral(
      "xdotool key c; sleep 2\n"
      "xdotool mousemove 1209 53 click 1\n" kRessources
      // Files: bleu.jpg (shown first), casse.jpg, essai.pvl, rouge.jpg,
      // vert.jpg. casse.jpg chosen: the box, closed by Enter.
      "xdotool mousemove 850 230 click 1; sleep 1.5\n"
      "xdotool key Return; sleep 1\n"
      // Away to the montage's list and back to the window: no box again.
      "xdotool mousemove 1150 400 click 1; sleep 1\n"
      "xdotool mousemove 900 198 click 1; sleep 1.5\n"
      "xdotool mousemove 5 5\n");
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 15000);
  Garder(QStringLiteral("ressources-illisible.png"));
  // The slide's ground where the picture would be, not bleu.jpg kept from
  // before; no box over the screen (it would stand at 674..1174 x 318..403).
  const QColor fond = ecran_.pixelColor(260, 120);
  EXPECT_FALSE(plivor::test::Proche(fond, kBleu, 60));
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(477, 400), fond, 8)) << ecran_.pixelColor(477, 400).name().toStdString();
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(720, 390), fond, 8)) << ecran_.pixelColor(720, 390).name().toStdString();
  const QColor choisie = ecran_.pixelColor(1000, 230);
  EXPECT_GT(choisie.blue(), choisie.red() + 60) << choisie.name().toStdString();
}

// Sequences A (relative lines, with its companion picture) and B (absolute lines).
class ProgrammeOuvreur : public ProgrammeSources {
 protected:
  void SetUp() override {
    ProgrammeSources::SetUp();
    if (IsSkipped()) return;
    Ecrire(QStringLiteral("essai.pvl"), "Tempo=3000.pvi\r\nvert.jpg\r\n");
    plivor::EcrireBmp(Chemin(QStringLiteral("A.bmp")), plivor::test::Unie(120, 80, kJaune));
    Ecrire(QStringLiteral("A.pvl"), "Tempo=9000.pvi\r\nrouge.jpg\r\n");
    Ecrire(QStringLiteral("B.pvl"), Ligne(QStringLiteral("bleu.jpg")) + "\r\n");
  }
};

TEST_F(ProgrammeOuvreur, LOuvreurMontreLaVignetteDeLaSequence) {
  Lancer(Chemin(QStringLiteral("essai.pvl")), QStringLiteral("xdotool key l; sleep 2\n"), 9000);
  Garder(QStringLiteral("ouvreur-vignette.png"));
  // The opener, centred; A.pvl chosen: its companion picture in the frame.
  EXPECT_GT(Pixels(ecran_, QRect(640 - 280, 190, 560, 420), kJaune, 30), 9000);
  EXPECT_EQ(Pixels(ecran_, QRect(0, 0, 300, 800), kJaune, 30), 0);
  // No projection picture around it: the projection window is hidden.
  EXPECT_EQ(Pixels(ecran_, QRect(0, 0, 1280, 800), kVert, 40), 0);
}

TEST_F(ProgrammeOuvreur, LAideDeLOuvreurRepondPendantQuIlEstOuvert) {
  const QString actions = QStringLiteral(
      "xdotool key l; sleep 2\n"
      // Its help button: the contents, at the screen's top-left corner;
      // a click on the last topic, "L'auteur", opens that page.
      "xdotool mousemove 853 370 click 1; sleep 2\n"
      "xdotool mousemove 69 185 click 1; sleep 1.5\n"
      "xdotool mousemove 700 700\n");
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 13000);
  Garder(QStringLiteral("ouvreur-aide.png"));
  // The contents' links (blue, under the title) are gone: another page shows.
  EXPECT_GT(Pixels(ecran_, QRect(0, 0, 520, 600), Qt::white, 4), 200000);
  EXPECT_LT(Pixels(ecran_, QRect(40, 84, 200, 110), QColor(0, 0, 238), 60), 10);
  // The opener is still there beside it.
  EXPECT_GT(Pixels(ecran_, QRect(650, 410, 200, 70), Qt::white, 4), 10000);
}

TEST_F(ProgrammeOuvreur, ProjeterLaListeComposeeEtSauvee) {
  const QString actions =
      kSauver +
      QStringLiteral(
          "xdotool key l; sleep 2\n"
          // Every sequence, inserted at the end of the list to project.
          "xdotool mousemove 449 525 click 1; sleep 0.5\n"
          "xdotool mousemove 596 525 click 1; sleep 0.8\n"
          "sauver 755 525 '%1'\n"
          "xdotool mousemove 755 549 click 1; sleep 2\n")
          .arg(Chemin(QStringLiteral("ensemble.pvl")));
  // A's tempo (9 s) keeps its picture on screen up to the capture.
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 17000);
  Garder(QStringLiteral("ouvreur-projection.png"));
  EXPECT_EQ(pilote_.Lire(QStringLiteral("ensemble.pvl")),
            "Drapeau=A.pvd\r\nTempo=9000.pvi\r\n" + Ligne(QStringLiteral("rouge.jpg")) + "\r\nDrapeau=B.pvd\r\n" +
                Ligne(QStringLiteral("bleu.jpg")) + "\r\n" + "Drapeau=essai.pvd\r\nTempo=3000.pvi\r\n" +
                Ligne(QStringLiteral("vert.jpg")) + "\r\n");
  // The projection shows A's picture across its centre; the opener is gone.
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(640, 400), kRouge, 40)) << ecran_.pixelColor(640, 400).name().toStdString();
  EXPECT_TRUE(plivor::test::Proche(ecran_.pixelColor(760, 400), kRouge, 40));
  EXPECT_EQ(Pixels(ecran_, QRect(0, 0, 1280, 800), kJaune, 30), 0);
}

TEST_F(ProgrammeOuvreur, SequencesGlisseesDansLaListePuisSauvees) {
  const QString actions =
      kSauver +
      QStringLiteral(
          "glisser() {\n"
          "  xdotool mousemove $1 $2 click 1; sleep 0.5; xdotool mousedown 1; sleep 0.2\n"
          "  for x in $(seq $1 20 $3); do xdotool mousemove $x $4; sleep 0.03; done\n"
          // Time for the drag to take the pointer before the button goes up.
          "  xdotool mousemove $3 $4; sleep 0.8; xdotool mouseup 1; sleep 0.8\n"
          "}\n"
          "xdotool key l; sleep 2\n"
          // A.pvl into the empty list, then B.pvl dropped on A's row: in front of it.
          "glisser 436 413 760 460\n"
          "glisser 436 427 760 413\n"
          "sauver 755 525 '%1'\n")
          .arg(Chemin(QStringLiteral("glisse.pvl")));
  Lancer(Chemin(QStringLiteral("essai.pvl")), actions, 22000);
  Garder(QStringLiteral("ouvreur-glisser.png"));
  EXPECT_EQ(pilote_.Lire(QStringLiteral("glisse.pvl")),
            "Drapeau=B.pvd\r\n" + Ligne(QStringLiteral("bleu.jpg")) + "\r\nDrapeau=A.pvd\r\nTempo=9000.pvi\r\n" +
                Ligne(QStringLiteral("rouge.jpg")) + "\r\n");
}

}  // namespace
