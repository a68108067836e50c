// A looping show with a broken picture in the real program: a box holds the
// show and never stacks; left to run alone, the show never waits.

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ImagesEssai.h"
#include "support/Pilote.h"

namespace {

using plivor::test::Pilote;

class ProgrammeSurveillance : public testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
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
  std::string Lire(const QString& nom) const { return pilote_.Lire(nom); }
  QTemporaryDir dossier_;
  Pilote pilote_{QStringLiteral(PLIVOR_PROGRAMME), dossier_.path()};
};

TEST_F(ProgrammeSurveillance, UneBoiteOuverteTientLaProjectionEtNeSEmpilePas) {
  Ecrire(QStringLiteral("boucle.pvl"), "Tempo=300.pvi\r\nrouge.jpg\r\ncasse.jpg\r\nvert.jpg\r\n");
  const QString script = QStringLiteral(
      "\"$PLIVOR\" boucle.pvl 2>>erreurs.txt & P=$!\n"
      "sleep 3\n"
      // The message boxes: the program's small windows (the projection's is
      // 800 pixels wide, and mapped or not depending on the machine's pace).
      "petites() { for id in $(xdotool search --onlyvisible --name 'Plivor' 2>/dev/null); do\n"
      "  l=$(xdotool getwindowgeometry $id | sed -n 's/.*Geometry: \\([0-9]*\\)x.*/\\1/p')\n"
      "  [ \"${l:-0}\" -lt 700 ] && echo $id; done; }\n"
      "fenetres() { petites | wc -l; }\n"
      "fenetres > avant.txt\n"
      // The check of the list at the start said it; OK, the show goes on.
      "B=$(petites | head -1)\n"
      "xdotool mousemove --window \"$B\" 20 20; sleep 0.3; xdotool key Return\n"
      // Several passes of the loop, had the show gone on behind the next box.
      "sleep 6\n"
      "fenetres > apres.txt\n"
      "terminer\n");
  ASSERT_EQ(pilote_.Lancer(script, 90000), 0) << pilote_.Erreurs();
  const int avant = std::stoi(Lire(QStringLiteral("avant.txt")));
  const int apres = std::stoi(Lire(QStringLiteral("apres.txt")));
  // One box at a time: the start's, then the first pass's, which holds the
  // show.
  EXPECT_EQ(avant, 1);
  EXPECT_EQ(apres, 1) << "une seule boîte, la projection attend";
  // The signal ended the program with the box still open.
  EXPECT_EQ(pilote_.Code(), 0) << pilote_.Erreurs();
}

TEST_F(ProgrammeSurveillance, SansSurveillanceLaProjectionPasseEtLeDit) {
  Ecrire(QStringLiteral("boucle.pvl"), "Tempo=300.pvi\r\nrouge.jpg\r\ncasse.jpg\r\nvert.jpg\r\n");
  const QString script = QStringLiteral(
      "\"$PLIVOR\" --capture ecran.png --apres 5000 --sans-surveillance boucle.pvl 2>erreurs.txt\n"
      "echo $? > code.txt\n");
  ASSERT_EQ(pilote_.Lancer(script, 90000), 0) << pilote_.Erreurs();
  EXPECT_EQ(pilote_.Code(), 0);
  const std::string erreurs = Lire(QStringLiteral("erreurs.txt"));
  // Each pass says the broken picture on the error output, and goes on.
  std::size_t passes = 0;
  for (std::size_t i = erreurs.find("casse.jpg"); i != std::string::npos; i = erreurs.find("casse.jpg", i + 1)) ++passes;
  EXPECT_GE(passes, 3u) << erreurs;
  const QImage ecran = pilote_.Capture(QStringLiteral("ecran.png"));
  ASSERT_FALSE(ecran.isNull());
  const QColor centre = ecran.pixelColor(ecran.width() / 2, ecran.height() / 2);
  EXPECT_TRUE(plivor::test::Proche(centre, QColor(220, 30, 30), 50) || plivor::test::Proche(centre, QColor(30, 200, 40), 50))
      << centre.name().toStdString();
}

}  // namespace
