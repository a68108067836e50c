// The resource window on a 20 000-file folder: choosing every file (the
// "Sélectionner tout" button) and a range by Shift+End from the first file,
// each against listing that folder in the same window. Also the listing
// through the mask against Qt's own filtered listing (ListeDossier.cpp).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <cstdio>
#include <map>

#include "codecs/Encodeurs.h"
#include "montage/BancMontage.h"
#include "sources/TFSource.h"

namespace {

using namespace plivor;

constexpr int kFichiers = 20000;

// The folder (empty files of four kinds, the mask keeps three of them; the
// first and the last are real pictures, which the window previews), an
// empty folder beside it, and the window open on the folder.
struct Banc {
  Banc() {
    QDir().mkpath(banc.CheminHote(QStringLiteral("gros")));
    QDir().mkpath(banc.CheminHote(QStringLiteral("vide")));
    const char* extensions[] = {".jpg", ".wav", ".pvl", ".doc"};
    for (int i = 1; i < kFichiers - 1; ++i) {
      if (i % 4 != 3) ++listes;
      QFile f(banc.CheminHote(QStringLiteral("gros/m_%1%2").arg(i, 5, 10, QLatin1Char('0')).arg(QLatin1String(extensions[i % 4]))));
      f.open(QIODevice::WriteOnly);
    }
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    EcrireJpeg(banc.CheminHote(QStringLiteral("gros/a_debut.jpg")), image);
    EcrireJpeg(banc.CheminHote(QStringLiteral("gros/z_fin.jpg")), image);
    fenetre = std::make_unique<TFSource>(*banc.vue, *banc.montage);
    fenetre->show();
    Ouvrir(QStringLiteral("gros"));
  }
  void Ouvrir(const QString& dossier) {
    fenetre->Moteur().OuvrirDossier(banc.CheminHote(dossier));
    QApplication::processEvents();
  }
  // The first file alone chosen, as a click leaves it.
  void Premier() {
    fenetre->Moteur().DefinirSelection({0}, 0);
    QApplication::processEvents();
  }
  test::BancMontage banc;
  int listes = 2;  // files the mask keeps
  std::unique_ptr<TFSource> fenetre;
};

Banc& LeBanc() {
  static Banc banc;
  return banc;
}

void Lister(benchmark::State& state) {
  Banc& b = LeBanc();
  for (auto _ : state) {
    state.PauseTiming();
    b.Ouvrir(QStringLiteral("vide"));
    state.ResumeTiming();
    b.Ouvrir(QStringLiteral("gros"));
  }
  if (b.fenetre->Fichiers()->count() != b.listes) state.SkipWithError("liste incomplète");
}

void ToutSelectionner(benchmark::State& state) {
  Banc& b = LeBanc();
  b.Ouvrir(QStringLiteral("gros"));
  for (auto _ : state) {
    state.PauseTiming();
    b.Premier();
    state.ResumeTiming();
    b.fenetre->Moteur().ToutSelectionner();
    QApplication::processEvents();
  }
  if (int(b.fenetre->Fichiers()->selectedItems().size()) != b.fenetre->Fichiers()->count())
    state.SkipWithError("sélection incomplète");
}

void ShiftFin(benchmark::State& state) {
  Banc& b = LeBanc();
  b.Ouvrir(QStringLiteral("gros"));
  QListWidget* liste = b.fenetre->Fichiers();
  for (auto _ : state) {
    state.PauseTiming();
    b.Premier();
    state.ResumeTiming();
    QKeyEvent appui(QEvent::KeyPress, Qt::Key_End, Qt::ShiftModifier);
    QApplication::sendEvent(liste, &appui);
    QApplication::processEvents();
  }
  if (b.fenetre->Moteur().Choisis().Nombre() != liste->count()) state.SkipWithError("plage incomplète");
}

BENCHMARK(Lister)->Unit(benchmark::kMillisecond);
BENCHMARK(ToutSelectionner)->Unit(benchmark::kMillisecond);
BENCHMARK(ShiftFin)->Unit(benchmark::kMillisecond);

// Each benchmark's time as a ratio of its group's reference.
class Rapport : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) temps_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    Groupe("liste d'un dossier de 20 000 fichiers par masque, rapport à Qt :", "ListeQt", {"ListeParMasque"});
    Groupe("sélection dans un dossier de 20 000 fichiers, rapport à sa liste (cible <= 1) :", "Lister",
           {"ToutSelectionner", "ShiftFin"});
  }

 private:
  void Groupe(const char* legende, const std::string& reference, const std::vector<std::string>& noms) {
    const auto ref = temps_.find(reference);
    if (ref == temps_.end() || ref->second <= 0) return;
    std::printf("%s\n", legende);
    for (const std::string& nom : noms)
      if (const auto t = temps_.find(nom); t != temps_.end())
        std::printf("  %-40s %.3f x %s\n", nom.c_str(), t->second / ref->second, reference.c_str());
  }
  std::map<std::string, double> temps_;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  Rapport rapport;
  benchmark::RunSpecifiedBenchmarks(&rapport);
  benchmark::Shutdown();
  return 0;
}
