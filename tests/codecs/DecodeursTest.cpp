#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "codecs/Images.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::Proche;
using test::Quadrants;

class Decodeurs : public testing::Test {
 protected:
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  void EcrireOctets(const QString& nom, const QByteArray& octets) const {
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
  }
  QByteArray LireOctets(const QString& nom) const {
    QFile f(Chemin(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir dossier_;
};

void AttendreQuadrants(const QImage& image) {
  const int l = image.width(), h = image.height();
  EXPECT_TRUE(Proche(image.pixelColor(l / 4, h / 4), QColor(255, 0, 0)));
  EXPECT_TRUE(Proche(image.pixelColor(3 * l / 4, h / 4), QColor(0, 255, 0)));
  EXPECT_TRUE(Proche(image.pixelColor(l / 4, 3 * h / 4), QColor(0, 0, 255)));
  EXPECT_TRUE(Proche(image.pixelColor(3 * l / 4, 3 * h / 4), QColor(255, 255, 0)));
}

TEST_F(Decodeurs, JpegAPleineEchelleALaMoitieEtAuQuart) {
  ASSERT_TRUE(test::EcrireJpeg(Chemin("a.jpg"), Quadrants(640, 480)));
  const int diviseurs[] = {1, 2, 4};
  for (int d : diviseurs) {
    const ImageDecodee image = DecoderJpeg(Chemin("a.jpg"), d);
    ASSERT_TRUE(image.Valide()) << image.erreur.toStdString();
    EXPECT_EQ(image.image.size(), QSize(640 / d, 480 / d));
    EXPECT_EQ(image.image.format(), QImage::Format_RGB32);
    AttendreQuadrants(image.image);
  }
  EXPECT_EQ(TailleJpeg(Chemin("a.jpg")), QSize(640, 480));
}

TEST_F(Decodeurs, JpegVideOuCorrompuDonneUneErreur) {
  ASSERT_TRUE(test::EcrireJpeg(Chemin("a.jpg"), Quadrants(320, 240)));
  const QByteArray entier = LireOctets("a.jpg");
  // Cut inside its tables: nothing of the picture is there.
  EcrireOctets("entete.jpg", entier.left(100));
  EcrireOctets("vide.jpg", {});
  EcrireOctets("bruit.jpg", QByteArray(4000, '\x5A'));
  for (const char* nom : {"entete.jpg", "vide.jpg", "bruit.jpg", "absent.jpg"}) {
    const ImageDecodee image = DecoderJpeg(Chemin(nom));
    EXPECT_FALSE(image.Valide()) << nom;
    EXPECT_FALSE(image.erreur.isEmpty()) << nom;
  }
  EXPECT_FALSE(TailleJpeg(Chemin("vide.jpg")).isValid());
}

// The SOF0 marker's height and width, patched in place.
QByteArray AvecDimensions(QByteArray jpeg, int largeur, int hauteur) {
  const int sof = static_cast<int>(jpeg.indexOf(QByteArray("\xFF\xC0", 2)));
  jpeg[sof + 5] = char(hauteur >> 8);
  jpeg[sof + 6] = char(hauteur & 0xFF);
  jpeg[sof + 7] = char(largeur >> 8);
  jpeg[sof + 8] = char(largeur & 0xFF);
  return jpeg;
}

TEST_F(Decodeurs, JpegDeSoixanteMillePixelsOuDeZeroEstRefuse) {
  ASSERT_TRUE(test::EcrireJpeg(Chemin("a.jpg"), Quadrants(64, 64)));
  EcrireOctets("geant.jpg", AvecDimensions(LireOctets("a.jpg"), 60000, 60000));
  const ImageDecodee geant = DecoderJpeg(Chemin("geant.jpg"));
  EXPECT_FALSE(geant.Valide());
  EXPECT_TRUE(geant.erreur.contains(QStringLiteral("trop grande")));
  EcrireOctets("nul.jpg", AvecDimensions(LireOctets("a.jpg"), 0, 64));
  EXPECT_FALSE(DecoderJpeg(Chemin("nul.jpg")).Valide());
}

TEST_F(Decodeurs, GifSimpleEtEntrelace) {
  ASSERT_TRUE(test::EcrireGif(Chemin("a.gif"), Quadrants(60, 40)));
  ASSERT_TRUE(test::EcrireGif(Chemin("b.gif"), Quadrants(60, 40), {}, true));
  for (const char* nom : {"a.gif", "b.gif"}) {
    const ImageDecodee image = DecoderGif(Chemin(nom));
    ASSERT_TRUE(image.Valide()) << image.erreur.toStdString();
    EXPECT_EQ(image.image.size(), QSize(60, 40));
    EXPECT_EQ(image.image.pixelColor(0, 0), QColor(255, 0, 0)) << nom;
    EXPECT_EQ(image.image.pixelColor(59, 39), QColor(255, 255, 0)) << nom;
    EXPECT_EQ(image.image.pixelColor(10, 30), QColor(0, 0, 255)) << nom;
  }
}

TEST_F(Decodeurs, GifTransparentGardeLaCouleurDeSonIndex) {
  ASSERT_TRUE(test::EcrireGif(Chemin("t.gif"), Quadrants(20, 20), QColor(0, 0, 255)));
  const ImageDecodee image = DecoderGif(Chemin("t.gif"));
  ASSERT_TRUE(image.Valide());
  EXPECT_EQ(image.image.pixel(0, 19), qRgba(0, 0, 255, 0));
}

TEST_F(Decodeurs, GifSansImageVideOuGeantDonneUneErreur) {
  ASSERT_TRUE(test::EcrireGif(Chemin("a.gif"), Quadrants(200, 200)));
  QByteArray entier = LireOctets("a.gif");
  EcrireOctets("tronque.gif", entier.left(20));
  EcrireOctets("vide.gif", {});
  // Logical screen 60000 x 60000.
  QByteArray geant = entier;
  geant[6] = geant[8] = char(0x60);
  geant[7] = geant[9] = char(0xEA);
  EcrireOctets("geant.gif", geant);
  for (const char* nom : {"tronque.gif", "vide.gif", "geant.gif"}) {
    const ImageDecodee image = DecoderGif(Chemin(nom));
    EXPECT_FALSE(image.Valide()) << nom;
    EXPECT_FALSE(image.erreur.isEmpty()) << nom;
  }
}

TEST_F(Decodeurs, Bmp) {
  ASSERT_TRUE(test::EcrireBmp(Chemin("a.bmp"), Quadrants(50, 30)));
  const ImageDecodee image = DecoderBmp(Chemin("a.bmp"));
  ASSERT_TRUE(image.Valide());
  EXPECT_EQ(image.image.size(), QSize(50, 30));
  AttendreQuadrants(image.image);
}

TEST_F(Decodeurs, BmpSansEnteteVideOuGeantDonneUneErreur) {
  ASSERT_TRUE(test::EcrireBmp(Chemin("a.bmp"), Quadrants(50, 30)));
  QByteArray entier = LireOctets("a.bmp");
  EcrireOctets("vide.bmp", {});
  EcrireOctets("tronque.bmp", entier.left(20));
  QByteArray geant = entier;
  const qint32 cote = 60000;
  std::memcpy(geant.data() + 18, &cote, 4);
  std::memcpy(geant.data() + 22, &cote, 4);
  EcrireOctets("geant.bmp", geant);
  for (const char* nom : {"vide.bmp", "tronque.bmp", "geant.bmp"}) {
    const ImageDecodee image = DecoderBmp(Chemin(nom));
    EXPECT_FALSE(image.Valide()) << nom;
    EXPECT_FALSE(image.erreur.isEmpty()) << nom;
  }
}

// Our own words, the file named, whatever the library says.
TEST_F(Decodeurs, LesFautesSontDitesEnFrancaisAvecLeFichier) {
  ASSERT_TRUE(test::EcrireJpeg(Chemin("a.jpg"), Quadrants(320, 240)));
  const QByteArray jpeg = LireOctets("a.jpg");
  EcrireOctets("tronque.jpg", jpeg.left(300));
  EcrireOctets("vide.jpg", {});
  EcrireOctets("note.jpg", "non, ce n'est pas une image");
  EcrireOctets("geant.jpg", AvecDimensions(jpeg, 60000, 60000));
  ASSERT_TRUE(test::EcrireGif(Chemin("a.gif"), Quadrants(200, 200)));
  QByteArray gif = LireOctets("a.gif");
  EcrireOctets("note.gif", "non, ce n'est pas une image");
  gif[6] = gif[8] = char(0x60);
  gif[7] = gif[9] = char(0xEA);
  EcrireOctets("geant.gif", gif);
  ASSERT_TRUE(test::EcrireBmp(Chemin("a.bmp"), Quadrants(50, 30)));
  QByteArray bmp = LireOctets("a.bmp");
  EcrireOctets("note.bmp", "non, ce n'est pas une image");
  const qint32 cote = 60000;
  std::memcpy(bmp.data() + 18, &cote, 4);
  std::memcpy(bmp.data() + 22, &cote, 4);
  EcrireOctets("geant.bmp", bmp);
  EcrireOctets("vide.bmp", {});
  const struct {
    ImageDecodee image;
    const char* texte;
  } cas[] = {
      {DecoderJpeg(Chemin("note.jpg")), "Le fichier « note.jpg » n'est pas une image JPEG : il commence par 0x6e 0x6f."},
      {DecoderJpeg(Chemin("vide.jpg")), "Le fichier « vide.jpg » est vide."},
      {DecoderJpeg(Chemin("tronque.jpg"), 2), "L'image JPEG « tronque.jpg » est tronquée : le fichier s'arrête avant sa fin."},
      {DecoderJpeg(Chemin("absent.jpg")), "Le fichier « absent.jpg » ne peut pas être ouvert."},
      {DecoderJpeg(Chemin("geant.jpg"), [](QSize) { return 1; }), "L'image « geant.jpg » est trop grande (60000 x 60000 pixels)."},
      {DecoderGif(Chemin("note.gif")), "Le fichier « note.gif » n'est pas une image GIF."},
      {DecoderGif(Chemin("absent.gif")), "Le fichier « absent.gif » ne peut pas être ouvert."},
      {DecoderGif(Chemin("geant.gif")), "L'image « geant.gif » est trop grande (60000 x 60000 pixels)."},
      {DecoderBmp(Chemin("note.bmp")), "Le fichier « note.bmp » n'est pas une image BMP."},
      {DecoderBmp(Chemin("vide.bmp")), "Le fichier « vide.bmp » n'est pas une image BMP."},
      {DecoderBmp(Chemin("geant.bmp")), "L'image « geant.bmp » est trop grande (60000 x 60000 pixels)."},
  };
  for (const auto& c : cas) {
    EXPECT_FALSE(c.image.Valide()) << c.texte;
    EXPECT_EQ(c.image.erreur, QString::fromUtf8(c.texte)) << c.image.erreur.toStdString();
  }
}

}  // namespace
}  // namespace plivor
