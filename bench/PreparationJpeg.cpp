// Preparing a 6000 x 4000 JPEG for a 1920 x 1080 and an 800 x 600 slide, as
// the projection loads it, beside libjpeg-turbo's plain decode of the same
// file at the scale the projection picks (1/2 and 1/4); the same photo as a
// phone stores it standing (orientation 6), turned upright while decoding,
// against the plain decode at its scale (1/4, the width it is shown with).
// Also prints how close the
// prepared picture stays to a full-scale decode fitted the same way, and
// the peak memory of preparing a 200-megapixel photo.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <QFile>
#include <jpeglib.h>
#include <map>
#include <vector>

#include "codecs/Images.h"
#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/FichiersImages.h"
#include "support/ImagesEssai.h"

namespace {

using namespace plivor;

// A photograph-like picture: smooth gradients with fine detail.
QImage Motif(int l, int h) {
  QImage image(l, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < l; ++x) ligne[x] = qRgb(x * 255 / l, y * 255 / h, ((x ^ y) & 31) * 8);
  }
  return image;
}

const QString& Fichier() {
  static QTemporaryDir dossier;
  static const QString chemin = [] {
    const QString c = dossier.filePath(QStringLiteral("grande.jpg"));
    test::EcrireJpeg(c, Motif(6000, 4000), 90);
    return c;
  }();
  return chemin;
}

// The same picture, stored as a phone held upright writes it.
const QString& FichierDebout() {
  static QTemporaryDir dossier;
  static const QString chemin = [] {
    const QString c = dossier.filePath(QStringLiteral("debout.jpg"));
    QByteArray jpeg = test::LireOctetsFichier(Fichier());
    jpeg.insert(2, QByteArray("\xFF\xE1", 2) + QByteArray(1, char(0)) +
                       QByteArray(1, char(test::SegmentExif(6).size() + 2)) + test::SegmentExif(6));
    test::EcrireOctetsFichier(c, jpeg);
    return c;
  }();
  return chemin;
}

// A projection whose slide is the whole paint box of a screen of that size.
struct Projection {
  Projection(QSize ecran, const QString& fichier) : banc(ecran) {
    TFVue& vue = *banc.vue;
    vue.CodeFenetre = 380;
    vue.CadreFenetre = vue.MargeFenetre = 0;
    vue.Rafraichir();
    vue.CodeDiapo = 470;
    ligne = LigneDepuisHote(fichier.toStdString()).value();
  }
  test::BancVue banc;
  Texte ligne;
};

// 1920 and 800: the two slides; 1921: the standing photo on the first.
Projection& LaProjection(int cas) {
  static std::map<int, std::unique_ptr<Projection>> projections;
  auto& p = projections[cas];
  if (!p) p = std::make_unique<Projection>(cas == 800 ? QSize(800, 600) : QSize(1920, 1080),
                                           cas == 1921 ? FichierDebout() : Fichier());
  return *p;
}

// libjpeg-turbo's own decode of the file at `diviseur`, row by row.
void DecoderLibjpeg(const QByteArray& nom, int diviseur, std::vector<JSAMPLE>& ligne) {
  std::FILE* f = std::fopen(nom.constData(), "rb");
  jpeg_decompress_struct info{};
  jpeg_error_mgr erreur{};
  info.err = jpeg_std_error(&erreur);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, f);
  jpeg_read_header(&info, TRUE);
  info.scale_num = 1;
  info.scale_denom = static_cast<unsigned>(diviseur);
  jpeg_start_decompress(&info);
  ligne.resize(size_t(info.output_width) * info.output_components);
  JSAMPROW rangee = ligne.data();
  while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, &rangee, 1);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(f);
}

double Mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

std::map<int, double>& Ratios() {
  static std::map<int, double> ratios;
  return ratios;
}

// What the projection does with the picture's line (decode and fit),
// alternating with the reference decode so that both see the same load;
// the ratio is that of their medians.
void Preparation(benchmark::State& state) {
  const int largeur = static_cast<int>(state.range(0));
  // The scales the projection picks: the largest that still covers the
  // picture's place on the slide (6000 x 4000 is shown 1620 x 1080 on the
  // wide slide, 4000 x 6000 upright 720 x 1080: 1/2 and 1/4).
  const int diviseur = largeur == 1920 ? 2 : 4;
  Projection& p = LaProjection(largeur);
  const QByteArray nom = (largeur == 1921 ? FichierDebout() : Fichier()).toLocal8Bit();
  std::vector<JSAMPLE> ligne;
  std::vector<double> references, preparations;
  using Horloge = std::chrono::steady_clock;
  for (auto _ : state) {
    const auto t0 = Horloge::now();
    DecoderLibjpeg(nom, diviseur, ligne);
    const auto t1 = Horloge::now();
    p.banc.vue->Charger(p.ligne);
    const auto t2 = Horloge::now();
    benchmark::DoNotOptimize(p.banc.vue->Photo.constBits());
    benchmark::DoNotOptimize(ligne.data());
    references.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    preparations.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
  }
  const double ratio = Mediane(preparations) / Mediane(references);
  state.counters["libjpeg_ms"] = Mediane(references);
  state.counters["preparation_ms"] = Mediane(preparations);
  state.counters["ratio"] = ratio;
  Ratios()[largeur] = ratio;
}

BENCHMARK(Preparation)->ArgName("diapo")->Arg(1920)->Arg(800)->Arg(1921)->Iterations(21)->Unit(benchmark::kMillisecond);

// Peak signal to noise ratio between two pictures of the same size, in dB.
double Psnr(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 0;
  double somme = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      const int r = qRed(la[x]) - qRed(lb[x]), g = qGreen(la[x]) - qGreen(lb[x]), v = qBlue(la[x]) - qBlue(lb[x]);
      somme += r * r + g * g + v * v;
    }
  }
  const double mse = somme / (3.0 * a.width() * a.height());
  return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

// The picture prepared from a full-scale decode, fitted the same way.
QImage PleineEchelle(TFVue& vue, const QString& fichier) {
  ReglagesDiapo reglages;
  reglages.diapo = {vue.LargeurDiapo, vue.HauteurDiapo};
  reglages.pbox = {vue.PBox.width(), vue.PBox.height()};
  reglages.couleurDiapo = vue.CouleurDiapo;
  return PreparerImage(DecoderJpeg(fichier, 1).image, reglages, [](Taille) { return Place{0, 0}; }).photo;
}

void Conclure() {
  std::printf("\npréparation d'un JPEG 6000 x 4000 / décodage libjpeg-turbo à la même échelle (médianes, cible <= 1,3)\n");
  for (const auto& [l, ratio] : Ratios())
    std::printf("  %-40s %.2f\n",
                l == 1920  ? "diapo 1920 x 1080, échelle 1/2"
                : l == 800 ? "diapo 800 x 600, échelle 1/4"
                           : "photo debout (orientation 6), 1920 x 1080, 1/4",
                ratio);
  std::printf("image préparée / décodage pleine échelle + ajustement (cible >= 40 dB)\n");
  for (const int l : {1920, 800, 1921}) {
    TFVue& vue = *LaProjection(l).banc.vue;
    vue.Charger(LaProjection(l).ligne);
    std::printf("  %-40s PSNR %.1f dB\n",
                l == 1920  ? "diapo 1920 x 1080"
                : l == 800 ? "diapo 800 x 600"
                           : "photo debout, 1920 x 1080",
                Psnr(vue.Photo, PleineEchelle(vue, l == 1921 ? FichierDebout() : Fichier())));
  }
}

}  // namespace

long KoDe(const char* champ) {
  QFile etat(QStringLiteral("/proc/self/status"));
  if (!etat.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& ligne : etat.readAll().split('\n'))
    if (ligne.startsWith(champ)) return ligne.mid(qsizetype(std::strlen(champ))).trimmed().split(' ').value(0).toLong();
  return 0;
}

// The peak of the process while a 200-megapixel photo is prepared for a
// 1920 x 1080 slide, above what it held before, against the slide's bytes.
void MemoireDeuxCentsMegapixels() {
  QTemporaryDir dossier;
  const QString chemin = dossier.filePath(QStringLiteral("geante.jpg"));
  test::EcrireJpegLigneALigne(chemin, 16384, 12288, [](int x, int y) { return qRgb(x & 255, y & 255, (x ^ y) & 255); }, 60);
  Projection p(QSize(1920, 1080), chemin);
  QFile remise(QStringLiteral("/proc/self/clear_refs"));
  if (remise.open(QIODevice::WriteOnly)) remise.write("5");
  remise.close();
  const long avant = KoDe("VmRSS:");
  p.banc.vue->Charger(p.ligne);
  const long pic = KoDe("VmHWM:") - avant;
  const double diapo = 1920.0 * 1080 * 4 / 1024;
  std::printf("photo de 200 mégapixels préparée pour 1920 x 1080 : pic de mémoire %.1f Mo = %.2f x les octets de la diapo "
              "(cible <= 3 plus ceux de libjpeg)\n\n",
              double(pic) / 1024, double(pic) / diapo);
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  MemoireDeuxCentsMegapixels();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  Conclure();
  benchmark::Shutdown();
  return 0;
}
