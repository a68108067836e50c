// A looping show with a broken picture in the real program: a box holds the
// show and never stacks; left to run alone, the show never waits.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ImagesEssai.h"
#include "support/ProgrammeReel.h"

namespace {

const QString kProgramme = QStringLiteral(PLIVOR_PROGRAMME);

std::string Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<absent>");
}

class ProgrammeSurveillance : public testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
      GTEST_SKIP() << "Xvfb ou xdotool absent";
    using plivor::test::Unie;
    plivor::EcrireJpeg(Chemin(QStringLiteral("rouge.jpg")), Unie(400, 300, QColor(220, 30, 30)));
    plivor::EcrireJpeg(Chemin(QStringLiteral("vert.jpg")), Unie(400, 300, QColor(30, 200, 40)));
    Ecrire(QStringLiteral("casse.jpg"), "ceci n'est pas une image JPEG");
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  void Ecrire(const QString& nom, const std::string& octets) const {
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), qint64(octets.size()));
  }
  int Lancer(const QString& script) {
    Ecrire(QStringLiteral("actions.sh"), (QStringLiteral("cd '%1'\n").arg(dossier_.path()) + script).toStdString());
    QProcess programme;
    programme.setProcessEnvironment(plivor::test::EnvironnementReel(Chemin(QStringLiteral("reglages.ini"))));
    programme.start(QStringLiteral("bash"), {QStringLiteral(PLIVOR_SUR_XVFB), QStringLiteral("bash"),
                                             Chemin(QStringLiteral("actions.sh"))});
    EXPECT_TRUE(programme.waitForFinished(90000));
    return programme.exitCode();
  }
  QTemporaryDir dossier_;
};

TEST_F(ProgrammeSurveillance, UneBoiteOuverteTientLaProjectionEtNeSEmpilePas) {
  Ecrire(QStringLiteral("boucle.pvl"), "Tempo=300.pvi\r\nrouge.jpg\r\ncasse.jpg\r\nvert.jpg\r\n");
  const QString script = QStringLiteral(
                             "'%1' boucle.pvl 2>erreurs.txt &\n"
                             "P=$!\n"
                             "sleep 3\n"
                             "fenetres() { xdotool search --onlyvisible --name 'Plivor' 2>/dev/null | wc -l; }\n"
                             "fenetres > avant.txt\n"
                             // The check of the list at the start said it; OK, the show goes on.
                             "B=$(xdotool search --onlyvisible --name 'Plivor' | tail -1)\n"
                             "xdotool mousemove --window $B 20 20; sleep 0.3; xdotool key Return\n"
                             // Several passes of the loop, had the show gone on behind the next box.
                             "sleep 6\n"
                             "fenetres > apres.txt\n"
                             "kill -TERM $P; wait $P; echo $? > code.txt\n")
                             .arg(kProgramme);
  ASSERT_EQ(Lancer(script), 0);
  const int avant = std::stoi(Lire(Chemin(QStringLiteral("avant.txt"))));
  const int apres = std::stoi(Lire(Chemin(QStringLiteral("apres.txt"))));
  // One box at a time: the start's, then the first pass's, which holds the
  // show (the projection window is not mapped while a box is up).
  EXPECT_EQ(avant, 1);
  EXPECT_EQ(apres, 1) << "une seule boîte, la projection attend";
  // The signal ended the program with the box still open.
  EXPECT_EQ(Lire(Chemin(QStringLiteral("code.txt"))), "0\n") << Lire(Chemin(QStringLiteral("erreurs.txt")));
}

TEST_F(ProgrammeSurveillance, SansSurveillanceLaProjectionPasseEtLeDit) {
  Ecrire(QStringLiteral("boucle.pvl"), "Tempo=300.pvi\r\nrouge.jpg\r\ncasse.jpg\r\nvert.jpg\r\n");
  const QString script = QStringLiteral(
                             "'%1' --capture ecran.png --apres 5000 --sans-surveillance boucle.pvl 2>erreurs.txt\n"
                             "echo $? > code.txt\n")
                             .arg(kProgramme);
  ASSERT_EQ(Lancer(script), 0);
  EXPECT_EQ(Lire(Chemin(QStringLiteral("code.txt"))), "0\n");
  const std::string erreurs = Lire(Chemin(QStringLiteral("erreurs.txt")));
  // Each pass says the broken picture on the error output, and goes on.
  std::size_t passes = 0;
  for (std::size_t i = erreurs.find("casse.jpg"); i != std::string::npos; i = erreurs.find("casse.jpg", i + 1)) ++passes;
  EXPECT_GE(passes, 3u) << erreurs;
  const QImage ecran(Chemin(QStringLiteral("ecran.png")));
  ASSERT_FALSE(ecran.isNull());
  const QColor centre = ecran.pixelColor(ecran.width() / 2, ecran.height() / 2);
  EXPECT_TRUE(plivor::test::Proche(centre, QColor(220, 30, 30), 50) || plivor::test::Proche(centre, QColor(30, 200, 40), 50))
      << centre.name().toStdString();
}

}  // namespace
