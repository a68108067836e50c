// Listing a large folder through a mask, as the resource window does on each
// folder change: our name matcher against Qt's own filtered listing.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "platform/ArbreDossiers.h"

namespace {

constexpr int kFichiers = 20000;
const QString kMasque = QStringLiteral("*.jpg;*.wav;*.mp3;*.pvl");

// 20 000 empty files of eight kinds, names in mixed case.
struct Banc {
  Banc() {
    const char* extensions[] = {".jpg", ".JPG", ".wav", ".mp3", ".pvl", ".txt", ".gif", ".doc"};
    for (int i = 0; i < kFichiers; ++i) {
      QFile f(dossier.filePath(QStringLiteral("Media_%1%2").arg(i, 5, 10, QLatin1Char('0')).arg(QLatin1String(extensions[i % 8]))));
      f.open(QIODevice::WriteOnly);
    }
  }
  QTemporaryDir dossier;
};

Banc& LeBanc() {
  static Banc banc;
  return banc;
}

void ListeQt(benchmark::State& state) {
  const QString chemin = LeBanc().dossier.path();
  const QStringList filtres = kMasque.split(u';');
  for (auto _ : state) {
    const QStringList noms = QDir(chemin).entryList(filtres, QDir::Files, QDir::Name | QDir::IgnoreCase);
    benchmark::DoNotOptimize(noms.size());
  }
}

void ListeParMasque(benchmark::State& state) {
  const plivor::ArbreDossiers arbre(LeBanc().dossier.path());
  for (auto _ : state) {
    const QStringList noms = arbre.Fichiers(kMasque);
    benchmark::DoNotOptimize(noms.size());
  }
}

BENCHMARK(ListeQt)->Unit(benchmark::kMillisecond);
BENCHMARK(ListeParMasque)->Unit(benchmark::kMillisecond);

}  // namespace

// main: SelectionSources.cpp, which prints both groups of ratios.
