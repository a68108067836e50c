// "Exporter en vidéo…" in the real program under a virtual X server, driven
// by real mouse and key events (xdotool): the montage's "Plus..." menu, the
// name typed in the save dialog, the export's end said in a box.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ImagesEssai.h"
#include "support/ProgrammeReel.h"
#include "video/LectureVideo.h"

namespace {

const QString kProgramme = QStringLiteral(PLIVOR_PROGRAMME);

// The visible window whose title starts so, and a click at a point.
const QString kOutils = QStringLiteral(
    "fenetre() {\n"
    "  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do\n"
    "    case \"$(xdotool getwindowname $id 2>/dev/null)\" in \"$1\"*) echo $id; return ;; esac\n"
    "  done\n"
    "}\n"
    "clic() { xdotool mousemove $1 $2 click ${3:-1}; sleep ${4:-0.6}; }\n");

class ProgrammeVideo : public testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
      GTEST_SKIP() << "Xvfb ou xdotool absent";
    ASSERT_TRUE(plivor::EcrireJpeg(Chemin("a.jpg"), plivor::test::Quadrants(400, 300)));
    QFile liste(Chemin("liste.pvl"));
    ASSERT_TRUE(liste.open(QIODevice::WriteOnly));
    liste.write("Tempo=1500.pvi\r\na.jpg\r\nTempo=1000.pvi\r\na.jpg\r\n");
  }
  // "Plus...", its last entry, 720p chosen in the settings' window (the
  // size list has the focus, 720p first), the name typed in the save dialog.
  static QString Exporter(const QString& nom) {
    return QStringLiteral("clic 1150 95 1 0.5; clic 1186 52 1 1; xdotool key Up Return; sleep 1.5\n"
                          "R=$(fenetre 'Réglages de la vidéo')\n"
                          "xdotool windowfocus $R; sleep 0.3; xdotool key Home; sleep 0.3; xdotool key Return; sleep 1.5\n"
                          "D=$(fenetre 'Exporter en vidéo')\n"
                          "xdotool mousemove --window $D 60 60; sleep 0.3\n"
                          "xdotool key ctrl+a; xdotool type --delay 15 '%1'; xdotool key Return\n")
        .arg(nom);
  }
  QStringList Videos() const {
    return QDir(dossier_.path()).entryList({"*.mp4*", ".*.mp4*"}, QDir::Files | QDir::Hidden);
  }
  // Pixels of the pale ground of a message box in the middle of the screen.
  int Pales() const {
    int n = 0;
    for (int y = 250; y < 500; ++y)
      for (int x = 300; x < 1000; ++x)
        if (plivor::test::Proche(ecran_.pixelColor(x, y), QColor(239, 239, 239), 8)) ++n;
    return n;
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  // The program on the list, the montage open, then `actions`; the screen
  // is captured after `apresMs`.
  void Lancer(const QString& actions, int apresMs) {
    QFile script(Chemin("actions.sh"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write((kOutils +
                  QStringLiteral("cd '%1'\n"
                                 "'%2' --capture '%3' --apres %4 liste.pvl &\n"
                                 "sleep 3\n"
                                 "xdotool mousemove 640 400 click 1; sleep 0.5\n"
                                 "xdotool key c; sleep 2\n")
                      .arg(dossier_.path(), kProgramme, Chemin("ecran.png"))
                      .arg(apresMs) +
                  actions + QStringLiteral("\nwait\n"))
                     .toUtf8());
    script.close();
    QProcess programme;
    programme.setProcessEnvironment(plivor::test::EnvironnementReel(Chemin("reglages.ini")));
    programme.start(QStringLiteral("bash"), {QStringLiteral(PLIVOR_SUR_XVFB), QStringLiteral("bash"), script.fileName()});
    ASSERT_TRUE(programme.waitForFinished(180000));
    EXPECT_EQ(programme.exitCode(), 0) << programme.readAllStandardError().toStdString();
    ecran_ = QImage(Chemin("ecran.png"));
    const QString garder = qEnvironmentVariable("PLIVOR_CAPTURES");
    if (!garder.isEmpty()) ecran_.save(QDir(garder).filePath(QStringLiteral("video-%1.png").arg(apresMs)));
  }
  QTemporaryDir dossier_;
  QImage ecran_;
};

TEST_F(ProgrammeVideo, LaListeDuMontageSExporteParLeMenuPlus) {
  // The box that says the end stays on screen for the capture.
  // A slow machine (a sanitizer's build) has room to finish before it.
  Lancer(Exporter(Chemin("film")) + "sleep 22\n", 30000);
  const plivor::test::FaitsVideo faits = plivor::test::LireFaits(Chemin("film.mp4"));
  EXPECT_EQ(faits.codecVideo, "h264");
  EXPECT_EQ(faits.largeur, 1280);
  EXPECT_EQ(faits.hauteur, 720);
  EXPECT_NEAR(faits.dureeVideo, 2.5, 0.05);
  EXPECT_EQ(Videos(), QStringList{"film.mp4"});
  EXPECT_GT(Pales(), 20000);
  // The choice is kept for the next export.
  QFile reglages(Chemin("reglages.ini"));
  ASSERT_TRUE(reglages.open(QIODevice::ReadOnly));
  EXPECT_TRUE(reglages.readAll().contains("VideoTaille=1280x720"));
}

TEST_F(ProgrammeVideo, UnExportAnnuleParEchapNeLaisseRien) {
  QFile liste(Chemin("liste.pvl"));
  ASSERT_TRUE(liste.open(QIODevice::WriteOnly));
  liste.write("Tempo=40000.pvi\r\na.jpg\r\nTempo=40000.pvi\r\na.jpg\r\n");
  liste.close();
  // Escape on the progress dialog once the export writes, the screen
  // captured well after: no box, and the show's screen again.
  Lancer(Exporter(Chemin("long.mp4")) + QStringLiteral("for i in $(seq 60); do\n"
                                                       "  ls -a | grep -q 'long.*mp4' && break; sleep 0.5\n"
                                                       "done\n"
                                                       "sleep 1; P=$(fenetre 'Exporter en vidéo')\n"
                                                       "xdotool mousemove --window $P 20 20 windowfocus $P; sleep 0.3\n"
                                                       "xdotool key Escape\n"),
         30000);
  EXPECT_TRUE(Videos().isEmpty()) << Videos().join(' ').toStdString();
  EXPECT_LT(Pales(), 5000);  // no box: a cancel is not a failure
}

}  // namespace
