// Pictures of today in the real program's window, as a user projects them:
// a phone photo stored lying (EXIF orientation 6) shows standing, a PNG's
// transparent quarter shows the slide ground, a HEIC photo shows.

#include <QFile>
#include <cstdlib>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/FichiersImages.h"
#include "support/ImagesEssai.h"
#include "support/Pilote.h"

namespace {

using plivor::test::Pilote;

struct Centre {
  double x = 0, y = 0;
  int n = 0;
};

// Where the pixels near a colour lie on the screen.
Centre CentreDe(const QImage& ecran, QColor couleur) {
  Centre c;
  for (int y = 0; y < ecran.height(); ++y)
    for (int x = 0; x < ecran.width(); ++x)
      if (plivor::test::Proche(ecran.pixelColor(x, y), couleur, 40)) c.x += x, c.y += y, ++c.n;
  if (c.n) c.x /= c.n, c.y /= c.n;
  return c;
}

class ProgrammeImages : public testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  void Liste(const QString& nom, const QString& image) const {
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Tempo=5000.pvi\r\n" + image.toLatin1() + "\r\n");
  }
  QImage Projeter(const QString& liste) {
    const QString capture = QStringLiteral("ecran-%1.png").arg(liste.section(QLatin1Char('.'), 0, 0));
    EXPECT_EQ(pilote_.Lancer(QStringLiteral("demarrer --capture %1 --apres 2500 %2\nwait $P").arg(capture, liste), 60000), 0)
        << pilote_.Erreurs();
    return pilote_.Capture(capture);
  }
  // Red top-left, green top-right, blue bottom-left, yellow bottom-right.
  static void AttendreDebout(const QImage& ecran) {
    const Centre r = CentreDe(ecran, Qt::red), g = CentreDe(ecran, Qt::green), b = CentreDe(ecran, Qt::blue),
                 j = CentreDe(ecran, Qt::yellow);
    ASSERT_GT(r.n, 1000);
    ASSERT_GT(g.n, 1000);
    ASSERT_GT(b.n, 1000);
    ASSERT_GT(j.n, 1000);
    EXPECT_LT(r.x, g.x);
    EXPECT_LT(r.y, b.y);
    EXPECT_LT(b.x, j.x);
    EXPECT_LT(g.y, j.y);
    // Standing: the picture is taller than wide.
    EXPECT_GT(b.y - r.y, 1.3 * (g.x - r.x));
  }
  QTemporaryDir dossier_;
  Pilote pilote_{QStringLiteral(PLIVOR_PROGRAMME), dossier_.path()};
};

TEST_F(ProgrammeImages, UnePhotoDePhonePriseDeboutSeMontreDebout) {
  const QImage droite = plivor::test::Quadrants(200, 300);
  ASSERT_TRUE(plivor::test::EcrireOctetsFichier(Chemin("debout.jpg"),
                                                plivor::test::JpegOriente(plivor::test::Stockee(droite, 6), 6)));
  Liste(QStringLiteral("debout.pvl"), QStringLiteral("debout.jpg"));
  const QImage ecran = Projeter(QStringLiteral("debout.pvl"));
  ASSERT_FALSE(ecran.isNull());
  AttendreDebout(ecran);
}

TEST_F(ProgrammeImages, UnPngTransparentMontreLeFondEtUnHeicSeMontre) {
  QImage png = plivor::test::Quadrants(200, 200).convertToFormat(QImage::Format_ARGB32);
  for (int y = 100; y < 200; ++y)
    for (int x = 0; x < 100; ++x) png.setPixel(x, y, qRgba(0, 0, 255, 0));
  ASSERT_TRUE(png.save(Chemin("verre.png")));
  Liste(QStringLiteral("verre.pvl"), QStringLiteral("verre.png"));
  const QImage ecran = Projeter(QStringLiteral("verre.pvl"));
  ASSERT_FALSE(ecran.isNull());
  EXPECT_GT(CentreDe(ecran, Qt::red).n, 5000);
  // The transparent quarter: no blue, the slide's ground under it.
  EXPECT_LT(CentreDe(ecran, Qt::blue).n, 50);
  const Centre r = CentreDe(ecran, Qt::red);
  EXPECT_TRUE(plivor::test::Proche(ecran.pixelColor(int(r.x), int(r.y) + 100), QColor(60, 0, 0), 30))
      << ecran.pixelColor(int(r.x), int(r.y) + 100).name().toStdString();

  const QString encodeur = QStandardPaths::findExecutable(QStringLiteral("heif-enc"));
  ASSERT_FALSE(encodeur.isEmpty()) << "heif-enc (libheif-examples) manque";
  ASSERT_TRUE(plivor::test::Quadrants(200, 300).save(Chemin("q.png")));
  QProcess p;
  p.start(encodeur, {QStringLiteral("-q"), QStringLiteral("90"), Chemin("q.png"), QStringLiteral("-o"), Chemin("photo.heic")});
  ASSERT_TRUE(p.waitForFinished(120000));
  Liste(QStringLiteral("heic.pvl"), QStringLiteral("photo.heic"));
  AttendreDebout(Projeter(QStringLiteral("heic.pvl")));
}

// At a scale of 2 the window is drawn at the screen's device pixels: a
// large photo of fine stripes shows them at that resolution, where a fit
// at the window's own pixels is doubled.
TEST_F(ProgrammeImages, AUneEchelleDeDeuxUnePhotoGardeSonDetail) {
  QImage rayures(4000, 2500, QImage::Format_RGB32);
  for (int y = 0; y < rayures.height(); ++y) {
    auto* ligne = reinterpret_cast<QRgb*>(rayures.scanLine(y));
    for (int x = 0; x < rayures.width(); ++x) ligne[x] = (x / 8) % 2 ? qRgb(250, 250, 250) : qRgb(5, 5, 5);
  }
  ASSERT_TRUE(rayures.save(Chemin("rayures.png")));
  Liste(QStringLiteral("rayures.pvl"), QStringLiteral("rayures.png"));
  EXPECT_EQ(pilote_.Lancer(QStringLiteral("export QT_SCALE_FACTOR=2\n"
                                          "demarrer --capture ecran-rayures.png --apres 3000 rayures.pvl\nwait $P"),
                           60000),
            0)
      << pilote_.Erreurs();
  const QImage ecran = pilote_.Capture(QStringLiteral("ecran-rayures.png"));
  ASSERT_EQ(ecran.size(), QSize(1280, 800));
  // Doubled window pixels come in equal pairs; device pixels need not.
  int differentes = 0, paires = 0;
  const int y = ecran.height() / 2;
  for (int x = ecran.width() / 2 - 200; x < ecran.width() / 2 + 200; x += 2, ++paires)
    differentes += std::abs(qGray(ecran.pixel(x, y)) - qGray(ecran.pixel(x + 1, y))) > 60;
  EXPECT_GT(double(differentes) / paires, 0.2) << differentes << " / " << paires;
}

}  // namespace
