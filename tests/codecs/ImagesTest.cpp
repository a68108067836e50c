// Pictures as users bring them: phone photos stored sideways, transparent
// GIFs, PNGs and bitmaps, damaged files, huge photographs and crafted
// headers, and today's formats, each decoded by its content.

#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "codecs/Images.h"
#include "projection/PreparationImage.h"
#include "support/FichiersImages.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::Proche;

void AttendreQuadrants(const QImage& image, const std::string& cas) {
  const int l = image.width(), h = image.height();
  EXPECT_TRUE(Proche(image.pixelColor(l / 4, h / 4), QColor(255, 0, 0))) << cas;
  EXPECT_TRUE(Proche(image.pixelColor(3 * l / 4, h / 4), QColor(0, 255, 0))) << cas;
  EXPECT_TRUE(Proche(image.pixelColor(l / 4, 3 * h / 4), QColor(0, 0, 255))) << cas;
  EXPECT_TRUE(Proche(image.pixelColor(3 * l / 4, 3 * h / 4), QColor(255, 255, 0))) << cas;
}

class Images : public testing::Test {
 protected:
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  QString Ecrire(const QString& nom, const QByteArray& octets) const {
    EXPECT_TRUE(test::EcrireOctetsFichier(Chemin(nom), octets));
    return Chemin(nom);
  }
  QTemporaryDir dossier_;
};

TEST_F(Images, LesHuitOrientationsSontRedresseesEnJpegPngEtWebp) {
  const QImage droite = test::Quadrants(64, 32);
  for (int o = 1; o <= 8; ++o) {
    const QImage stockee = test::Stockee(droite, o);
    const struct {
      const char* nom;
      QByteArray octets;
    } fichiers[] = {{"p.jpg", test::JpegOriente(stockee, o)},
                    {"p.png", test::PngOriente(stockee, o)},
                    {"p.webp", test::WebpOriente(stockee, o)}};
    for (const auto& f : fichiers) {
      const std::string cas = std::string(f.nom) + " orientation " + std::to_string(o);
      const QString chemin = Ecrire(QString::fromLatin1(f.nom), f.octets);
      const ImageDecodee d = DecoderImage(chemin);
      ASSERT_TRUE(d.Valide()) << cas << " " << d.erreur.toStdString();
      EXPECT_EQ(d.image.size(), QSize(64, 32)) << cas;
      EXPECT_EQ(d.naturelle, QSize(64, 32)) << cas;
      EXPECT_EQ(TailleImage(chemin), QSize(64, 32)) << cas;
      AttendreQuadrants(d.image, cas);
    }
    // Reduced while decoding, upright all the same.
    const ImageDecodee moitie = DecoderJpeg(Chemin("p.jpg"), 2);
    EXPECT_EQ(moitie.image.size(), QSize(32, 16)) << o;
    AttendreQuadrants(moitie.image, "moitié " + std::to_string(o));
  }
}

TEST_F(Images, UnTiffTourneParSonEtiquetteEstRedresse) {
  const QImage droite = test::Quadrants(64, 32);
  const struct {
    int orientation;
    QImageIOHandler::Transformations transformation;
  } cas[] = {{6, QImageIOHandler::TransformationRotate90}, {3, QImageIOHandler::TransformationRotate180},
             {8, QImageIOHandler::TransformationRotate270}};
  for (const auto& c : cas) {
    QImageWriter ecrivain(Chemin("t.tif"), "tiff");
    ecrivain.setTransformation(c.transformation);
    ASSERT_TRUE(ecrivain.write(test::Stockee(droite, c.orientation))) << ecrivain.errorString().toStdString();
    const ImageDecodee d = DecoderImage(Chemin("t.tif"));
    ASSERT_TRUE(d.Valide()) << d.erreur.toStdString();
    EXPECT_EQ(d.image.size(), QSize(64, 32)) << c.orientation;
    EXPECT_EQ(TailleImage(Chemin("t.tif")), QSize(64, 32)) << c.orientation;
    AttendreQuadrants(d.image, "tiff " + std::to_string(c.orientation));
  }
}

// A GIF's transparent index and a bitmap's alpha let the slide ground show;
// under a key colour the file's own colours stay, as they always did.
TEST_F(Images, LaTransparenceDesFichiersMontreLeFondDeLaDiapo) {
  ASSERT_TRUE(test::EcrireGif(Chemin("t.gif"), test::Quadrants(20, 20), QColor(0, 0, 255)));
  test::Bmp v5{2, 1, 32, 3, 124};
  v5.masques = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u};
  v5.pixels = QByteArray::fromHex("0000ff00" "0000ffff");  // transparent red, opaque red
  test::Bmp octetAlpha{2, 1, 32};
  octetAlpha.pixels = QByteArray::fromHex("0000ff00" "0000ffff");
  ReglagesDiapo reglages;
  reglages.diapo = reglages.pbox = {20, 20};
  reglages.couleurDiapo = RGB(10, 200, 30);
  const QColor fond(10, 200, 30);
  const struct {
    QString chemin;
    QPoint transparent, opaque;
    QColor couleurGardee, couleurOpaque;
  } cas[] = {{Chemin("t.gif"), {5, 15}, {5, 5}, QColor(0, 0, 255), QColor(255, 0, 0)},
             {Ecrire("v5.bmp", test::OctetsBmp(v5)), {0, 0}, {1, 0}, QColor(255, 0, 0), QColor(255, 0, 0)},
             {Ecrire("a.bmp", test::OctetsBmp(octetAlpha)), {0, 0}, {1, 0}, QColor(255, 0, 0), QColor(255, 0, 0)}};
  for (const auto& c : cas) {
    const ImageDecodee d = DecoderImage(c.chemin);
    ASSERT_TRUE(d.Valide()) << c.chemin.toStdString() << d.erreur.toStdString();
    ASSERT_TRUE(d.image.hasAlphaChannel()) << c.chemin.toStdString();
    EXPECT_EQ(qAlpha(d.image.pixel(c.transparent)), 0) << c.chemin.toStdString();
    EXPECT_EQ(qAlpha(d.image.pixel(c.opaque)), 255) << c.chemin.toStdString();
    reglages.diapo = {d.image.width(), d.image.height()};
    reglages.opaque = true;
    const QImage sur = PreparerImage(d.image, reglages, [](Taille) { return Place{0, 0}; }).photo;
    const QPoint decalage((reglages.diapo.l - sur.width()) / 2, 0);
    EXPECT_EQ(sur.pixelColor(c.transparent - decalage), fond) << c.chemin.toStdString();
    EXPECT_EQ(sur.pixelColor(c.opaque - decalage), c.couleurOpaque) << c.chemin.toStdString();
    reglages.opaque = false;
    const QImage cle = PreparerImage(d.image, reglages, [](Taille) { return Place{0, 0}; }).photo;
    EXPECT_EQ(cle.pixelColor(c.transparent), c.couleurGardee) << c.chemin.toStdString();
  }
  // Plain 32-bit pixels whose fourth byte nobody set are opaque.
  test::Bmp sansAlpha{2, 1, 32};
  sansAlpha.pixels = QByteArray::fromHex("0000ff00" "00ff0000");
  const ImageDecodee opaque = DecoderImage(Ecrire("o.bmp", test::OctetsBmp(sansAlpha)));
  ASSERT_TRUE(opaque.Valide());
  EXPECT_FALSE(opaque.image.hasAlphaChannel());
  EXPECT_EQ(opaque.image.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(opaque.image.pixelColor(1, 0), QColor(0, 255, 0));
}

TEST_F(Images, UnPngTransparentLeReste) {
  QImage image(4, 2, QImage::Format_ARGB32);
  image.fill(qRgba(0, 0, 255, 255));
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));
  ASSERT_TRUE(image.save(Chemin("t.png")));
  const ImageDecodee d = DecoderImage(Chemin("t.png"));
  ASSERT_TRUE(d.Valide());
  EXPECT_EQ(qAlpha(d.image.pixel(0, 0)), 0);
  EXPECT_EQ(d.image.pixelColor(3, 1), QColor(0, 0, 255));
}

// What a damaged file gives is the part it holds, the rest transparent,
// the same on every run, and said.
TEST_F(Images, UnFichierAbimeMontreSaPartieLueEtLeDit) {
  // Noise, so that the data rather than the tables fill the files.
  QImage bruit(256, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) bruit.setPixel(x, y, qRgb((x * 37 + y * 91) % 256, (x * y) % 256, (x ^ y) & 0xF0));
  ASSERT_TRUE(test::EcrireJpeg(Chemin("a.jpg"), bruit));
  const QByteArray jpeg = test::LireOctetsFichier(Chemin("a.jpg"));
  Ecrire("tronque.jpg", jpeg.left(jpeg.size() * 6 / 10));
  test::Bmp bmp{64, 64, 24};
  bmp.pixels = QByteArray(64 * 64 * 3, '\x80');
  const QByteArray bmpEntier = test::OctetsBmp(bmp);
  Ecrire("tronque.bmp", bmpEntier.left(bmpEntier.size() / 2));
  // RLE8: 32 rows of a run of 64 pixels of index 1, then the file ends.
  test::Bmp rle{64, 64, 8, 1};
  rle.palette = {qRgb(0, 0, 0), qRgb(0, 200, 0)};
  for (int y = 0; y < 32; ++y) rle.pixels += QByteArray::fromHex("4001" "0000");
  Ecrire("coupe.bmp", test::OctetsBmp(rle));
  QImage seize(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) seize.setPixel(x, y, qRgb(((x * x * 7 + y * 13 + x * y * 5) % 16) * 16, 0, 255));
  ASSERT_TRUE(test::EcrireGif(Chemin("a.gif"), seize));
  const QByteArray gif = test::LireOctetsFichier(Chemin("a.gif"));
  // Cut in the middle of its pixels, after its palette.
  const qsizetype pixels = gif.indexOf(',', 13 + 3 * 16);
  ASSERT_GT(pixels, 0);
  Ecrire("tronque.gif", gif.left(pixels + (gif.size() - pixels) / 2));
  const struct {
    const char* nom;
    QPoint lu, absent;
  } cas[] = {{"tronque.jpg", {128, 10}, {128, 250}},
             {"tronque.bmp", {32, 60}, {32, 2}},  // rows are stored bottom first
             {"coupe.bmp", {32, 60}, {32, 2}},
             {"tronque.gif", {32, 2}, {32, 62}}};
  for (const auto& c : cas) {
    const ImageDecodee d = DecoderImage(Chemin(QString::fromLatin1(c.nom)));
    ASSERT_TRUE(d.Valide()) << c.nom << " " << d.erreur.toStdString();
    EXPECT_TRUE(d.avertissement.contains(QStringLiteral("tronquée"))) << c.nom << d.avertissement.toStdString();
    EXPECT_TRUE(d.avertissement.contains(QString::fromLatin1(c.nom))) << c.nom;
    EXPECT_EQ(qAlpha(d.image.pixel(c.lu)), 255) << c.nom;
    EXPECT_EQ(qAlpha(d.image.pixel(c.absent)), 0) << c.nom;
    EXPECT_EQ(DecoderImage(Chemin(QString::fromLatin1(c.nom))).image, d.image) << c.nom;
  }
}

TEST_F(Images, UnGifDePlusieursBlocsSeComposeJusquAuPremierDelai) {
  const std::vector<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0)};
  const auto bloc = [](QRect zone, int index) {
    test::BlocGif b;
    b.zone = zone;
    b.index.assign(size_t(zone.width() * zone.height()), index);
    return b;
  };
  // Two halves with no delay: one picture.
  ASSERT_TRUE(test::EcrireGifBlocs(Chemin("deux.gif"), {20, 10}, palette,
                                   {bloc({0, 0, 10, 10}, 1), bloc({10, 0, 10, 10}, 2)}));
  const ImageDecodee deux = DecoderImage(Chemin("deux.gif"));
  ASSERT_TRUE(deux.Valide());
  EXPECT_EQ(deux.image.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(deux.image.pixelColor(15, 5), QColor(0, 255, 0));
  // An animation: its first frame, shown for a while, is the picture.
  test::BlocGif premier = bloc({0, 0, 10, 10}, 1);
  premier.controle = true;
  premier.delaiCentiemes = 50;
  ASSERT_TRUE(test::EcrireGifBlocs(Chemin("anime.gif"), {20, 10}, palette, {premier, bloc({10, 0, 10, 10}, 2)}));
  const ImageDecodee anime = DecoderImage(Chemin("anime.gif"));
  ASSERT_TRUE(anime.Valide());
  EXPECT_EQ(anime.image.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(qAlpha(anime.image.pixel(15, 5)), 0);
}

// The tiny files that once cost hundreds of megabytes: the GIF is reduced
// to what a slide needs, the JPEGs are refused before any work.
TEST_F(Images, LesEntetesQuiAnnoncentPlusQueLeFichierNeTientSontBornes) {
  const std::vector<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 0, 0)};
  test::BlocGif point;
  point.zone = {0, 0, 1, 1};
  point.index = {1};
  ASSERT_TRUE(test::EcrireGifBlocs(Chemin("ecran.gif"), {65535, 1831}, palette, {point}));
  BesoinImage besoin;
  besoin.pixelsPermis = PixelsPourDiapo(QSize(800, 600));
  const ImageDecodee gif = DecoderImage(Chemin("ecran.gif"), besoin);
  ASSERT_TRUE(gif.Valide()) << gif.erreur.toStdString();
  EXPECT_LE(qint64(gif.image.width()) * gif.image.height(), besoin.pixelsPermis);
  EXPECT_EQ(gif.naturelle, QSize(65535, 1831));
  EXPECT_EQ(gif.image.pixelColor(0, 0), QColor(255, 0, 0));

  // A progressive JPEG whose frame header claims 10954 x 10954 pixels.
  QImageWriter ecrivain(Chemin("p.jpg"), "jpeg");
  ecrivain.setProgressiveScanWrite(true);
  ASSERT_TRUE(ecrivain.write(test::Quadrants(64, 64)));
  QByteArray progressif = test::LireOctetsFichier(Chemin("p.jpg"));
  const qsizetype sof = progressif.indexOf(QByteArray("\xFF\xC2", 2));
  ASSERT_GT(sof, 0);
  for (const auto& [l, h] : {std::pair{10954, 10954}, std::pair{65000, 1846}}) {
    progressif[sof + 5] = char(h >> 8), progressif[sof + 6] = char(h & 0xFF);
    progressif[sof + 7] = char(l >> 8), progressif[sof + 8] = char(l & 0xFF);
    const ImageDecodee d = DecoderImage(Ecrire("grand.jpg", progressif));
    EXPECT_FALSE(d.Valide()) << l;
    EXPECT_EQ(d.erreur, QStringLiteral("L'image JPEG « grand.jpg » est tronquée : le fichier s'arrête avant sa fin."));
  }
}

// A 200-megapixel photograph is shown: decoded at an eighth for the slide.
TEST_F(Images, UnePhotoDeDeuxCentsMegapixelsSeMontre) {
  const int l = 16384, h = 12288;
  ASSERT_TRUE(test::EcrireJpegLigneALigne(Chemin("geante.jpg"), l, h, [](int x, int y) {
    return x < l / 2 ? (y < h / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255)) : (y < h / 2 ? qRgb(0, 255, 0) : qRgb(255, 255, 0));
  }, 20));
  BesoinImage besoin;
  besoin.pixelsPermis = PixelsPourDiapo(QSize(1920, 1080));
  besoin.choisir = [](QSize) { return 1; };
  const ImageDecodee d = DecoderImage(Chemin("geante.jpg"), besoin);
  ASSERT_TRUE(d.Valide()) << d.erreur.toStdString();
  EXPECT_EQ(d.naturelle, QSize(l, h));
  // The reduction asked is raised until the picture is within the bound.
  EXPECT_EQ(d.image.size(), QSize(l / 4, h / 4));
  EXPECT_LE(qint64(d.image.width()) * d.image.height(), besoin.pixelsPermis);
  AttendreQuadrants(d.image, "200 MP");
  EXPECT_EQ(TailleImage(Chemin("geante.jpg")), QSize(l, h));
}

// HEIC and AVIF, written by libheif's own encoder.
TEST_F(Images, HeicEtAvifSeDecodent) {
  const QString encodeur = QStandardPaths::findExecutable(QStringLiteral("heif-enc"));
  ASSERT_FALSE(encodeur.isEmpty()) << "heif-enc (libheif-examples) manque";
  ASSERT_TRUE(test::Quadrants(64, 48).save(Chemin("q.png")));
  for (const auto& [nom, options] : {std::pair{"q.heic", QStringList{}}, std::pair{"q.avif", QStringList{"-A"}}}) {
    QProcess p;
    p.start(encodeur, options + QStringList{QStringLiteral("-q"), QStringLiteral("90"), Chemin("q.png"),
                                           QStringLiteral("-o"), Chemin(QString::fromLatin1(nom))});
    ASSERT_TRUE(p.waitForFinished(120000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(FormatDuFichier(Chemin(QString::fromLatin1(nom))), FormatImage::Heif) << nom;
    const ImageDecodee d = DecoderImage(Chemin(QString::fromLatin1(nom)));
    ASSERT_TRUE(d.Valide()) << nom << d.erreur.toStdString();
    EXPECT_EQ(d.image.size(), QSize(64, 48)) << nom;
    EXPECT_EQ(TailleImage(Chemin(QString::fromLatin1(nom))), QSize(64, 48)) << nom;
    AttendreQuadrants(d.image, nom);
  }
}

// A file is decoded by what it holds, whatever its name says.
TEST_F(Images, LeContenuDecidePasLeNom) {
  ASSERT_TRUE(test::Quadrants(40, 20).save(Chemin("vrai.png")));
  QFile::copy(Chemin("vrai.png"), Chemin("faux.jpg"));
  const ImageDecodee d = DecoderImage(Chemin("faux.jpg"));
  ASSERT_TRUE(d.Valide()) << d.erreur.toStdString();
  AttendreQuadrants(d.image, "faux.jpg");
  Ecrire("texte.png", "BMP n'est pas une image");
  const ImageDecodee texte = DecoderImage(Chemin("texte.png"));
  EXPECT_FALSE(texte.Valide());
  EXPECT_EQ(texte.erreur, QStringLiteral("Le fichier « texte.png » n'est pas une image que Plivor sait lire."));
}

TEST_F(Images, LesBitmapsDeToutesSortes) {
  const QRgb rouge = qRgb(255, 0, 0), bleu = qRgb(0, 0, 255);
  // 2 x 2: red on the top row, blue below.
  test::Bmp b1{2, 2, 1};
  b1.palette = {rouge, bleu};
  b1.pixels = QByteArray::fromHex("c0000000" "00000000");  // bottom row first
  test::Bmp b4{2, 2, 4};
  b4.palette = {rouge, bleu};
  b4.pixels = QByteArray::fromHex("11000000" "00000000");
  test::Bmp b8{2, 2, 8, 0, 12};
  b8.palette = {rouge, bleu};
  b8.pixels = QByteArray::fromHex("01010000" "00000000");
  test::Bmp b16{2, 2, 16};
  b16.pixels = QByteArray::fromHex("1f001f00" "007c007c");  // 5-5-5: blue, then red
  test::Bmp b24{2, 2, 24, 0, 40, true};
  b24.pixels = QByteArray::fromHex("0000ff0000ff0000" "ff0000ff00000000");  // top row first
  test::Bmp rle4{2, 2, 4, 2};
  rle4.palette = {rouge, bleu};
  rle4.pixels = QByteArray::fromHex("0211" "0000" "0200" "0001");
  const struct {
    const char* nom;
    test::Bmp bmp;
    QRgb haut, bas;
  } cas[] = {{"1.bmp", b1, qRgb(255, 0, 0), qRgb(0, 0, 255)},
             {"4.bmp", b4, rouge, bleu},
             {"8.bmp", b8, rouge, bleu},
             {"16.bmp", b16, rouge, bleu},
             {"24.bmp", b24, rouge, bleu},
             {"rle4.bmp", rle4, rouge, bleu}};
  for (const auto& c : cas) {
    const ImageDecodee d = DecoderImage(Ecrire(QString::fromLatin1(c.nom), test::OctetsBmp(c.bmp)));
    ASSERT_TRUE(d.Valide()) << c.nom << d.erreur.toStdString();
    EXPECT_EQ(d.image.size(), QSize(2, 2)) << c.nom;
    EXPECT_EQ(d.image.pixel(0, 0) | 0xFF000000u, c.haut) << c.nom;
    EXPECT_EQ(d.image.pixel(1, 1) | 0xFF000000u, c.bas) << c.nom;
    EXPECT_TRUE(d.avertissement.isEmpty()) << c.nom;
  }
}

}  // namespace
}  // namespace plivor
