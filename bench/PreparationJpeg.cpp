// Preparing a 6000 x 4000 JPEG for an 800 x 600 slide, decoded at full, half
// and quarter scale, beside libjpeg-turbo's plain decode of the same file.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

#include "Rapport.h"
#include "codecs/Images.h"
#include "projection/PreparationImage.h"
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

void DecodageLibjpeg(benchmark::State& state) {
  const QByteArray nom = Fichier().toLocal8Bit();
  std::vector<JSAMPLE> ligne;
  for (auto _ : state) {
    std::FILE* f = std::fopen(nom.constData(), "rb");
    jpeg_decompress_struct info{};
    jpeg_error_mgr erreur{};
    info.err = jpeg_std_error(&erreur);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    ligne.resize(size_t(info.output_width) * info.output_components);
    JSAMPROW rangee = ligne.data();
    while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, &rangee, 1);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    benchmark::DoNotOptimize(ligne.data());
  }
}

void Preparation(benchmark::State& state) {
  const int diviseur = static_cast<int>(state.range(0));
  ReglagesDiapo reglages;
  reglages.diapo = {800, 600};
  reglages.pbox = {800, 600};
  for (auto _ : state) {
    const ImageDecodee decodee = DecoderJpeg(Fichier(), diviseur);
    const ImagePreparee preparee =
        PreparerImage(decodee.image, reglages, [](Taille) { return Place{0, 0}; });
    benchmark::DoNotOptimize(preparee.photo.constBits());
  }
}

BENCHMARK(DecodageLibjpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(Preparation)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  plivor::bench::RapportRatios rapport("DecodageLibjpeg",
                                       "préparation 6000 x 4000 -> 800 x 600, rapportée au décodage libjpeg simple :");
  benchmark::RunSpecifiedBenchmarks(&rapport);
  benchmark::Shutdown();
  return 0;
}
