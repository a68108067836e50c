// Throughput of the installation's checked copy (temporary file, every
// write checked, date and permissions kept) against `cp -r` of the same
// files, in one run: a show of 256 MB of generated media, a few big files
// and many small ones, copied into a fresh folder each time.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstring>
#include <random>

#include "bench/Rapport.h"
#include "options/Installation.h"

namespace {

QTemporaryDir& Racine() {
  static QTemporaryDir racine(QDir::tempPath() + QStringLiteral("/bench-copie-XXXXXX"));
  return racine;
}

QString Source() { return Racine().filePath(QStringLiteral("spectacle")); }

// 48 pictures of 4 MB, 16 sounds of 3 MB and 1024 lists of 16 KB.
void Generer() {
  std::mt19937 hasard(7);
  auto ecrire = [&](const QString& nom, int taille) {
    QByteArray octets(taille, Qt::Uninitialized);
    for (int i = 0; i + 4 <= taille; i += 4) {
      const quint32 v = hasard();
      std::memcpy(octets.data() + i, &v, 4);
    }
    QDir().mkpath(QFileInfo(nom).absolutePath());
    QFile f(nom);
    if (f.open(QIODevice::WriteOnly)) f.write(octets);
  };
  for (int i = 0; i < 48; ++i) ecrire(Source() + QStringLiteral("/images/photo%1.jpg").arg(i), 4 << 20);
  for (int i = 0; i < 16; ++i) ecrire(Source() + QStringLiteral("/Audio/son%1.wav").arg(i), 3 << 20);
  for (int i = 0; i < 1024; ++i) ecrire(Source() + QStringLiteral("/listes/l%1.pvl").arg(i), 16 << 10);
}

QString Cible(int n) { return Racine().filePath(QStringLiteral("copie%1").arg(n)); }

void CpR(benchmark::State& etat) {
  int n = 0;
  for (auto _ : etat) {
    const QString cible = Cible(++n);
    QDir().mkpath(cible);
    QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), Source(), cible});
    etat.PauseTiming();
    QDir(cible).removeRecursively();
    etat.ResumeTiming();
  }
  etat.SetBytesProcessed(etat.iterations() * (48LL * (4 << 20) + 16LL * (3 << 20) + 1024LL * (16 << 10)));
}

void CopierFichiers(benchmark::State& etat) {
  int n = 0;
  for (auto _ : etat) {
    const QString cible = Cible(++n);
    QDir().mkpath(cible);
    const auto bilan = plivor::CopierFichiers(Racine().path(), cible, {QStringLiteral("spectacle")});
    if (bilan.etat != plivor::BilanCopie::Etat::Reussie) etat.SkipWithError("copie en échec");
    etat.PauseTiming();
    QDir(cible).removeRecursively();
    etat.ResumeTiming();
  }
  etat.SetBytesProcessed(etat.iterations() * (48LL * (4 << 20) + 16LL * (3 << 20) + 1024LL * (16 << 10)));
}

BENCHMARK(CpR)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CopierFichiers)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  Generer();
  benchmark::Initialize(&argc, argv);
  plivor::bench::RapportRatios rapport(
      "CpR/iterations:4/real_time",
      "Temps de la copie vérifiée rapporté à cp -r (le débit relatif est l'inverse ; cible : temps <= 1.25 x cp -r) :");
  benchmark::RunSpecifiedBenchmarks(&rapport);
  benchmark::Shutdown();
  return 0;
}
