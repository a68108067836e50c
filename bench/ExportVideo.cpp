// Export of the demo sequence at 1920 x 1080, 30 frames per second: video
// seconds made per second of wall time (target: at least 3 x real time on
// two cores), video seconds per processor second (twice that is what two
// idle cores give), and megabytes per minute of video, for the encoder
// speed setting the program uses and two others. The machine's load is
// printed with them: other work on the cores lowers the wall-time ratio.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <map>

#include "platform/Polices.h"
#include "video/ExportVideo.h"

namespace {

using namespace plivor;

class Silencieuse : public ProgressionExport {
 public:
  bool Avancer(double, double) override { return true; }
  void Avis(const QString&) override {}
};

double TempsProcesseur() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Mesure {
  double tempsReel = 0;  // video seconds per wall second
  double cpu = 0;        // processor seconds per wall second
  double parCpu = 0;     // video seconds per processor second
  double moParMinute = 0;
  double secondes = 0;
};

std::map<std::string, Mesure>& Mesures() {
  static std::map<std::string, Mesure> mesures;
  return mesures;
}

const char* const kPresets[] = {"veryfast", "superfast", "faster"};

void Export(benchmark::State& state) {
  const QString preset = QString::fromLatin1(kPresets[state.range(0)]);
  QTemporaryDir dossier;
  ReglagesVideo r;
  r.liste = QStringLiteral(PLIVOR_DEMO_LISTE);
  r.sortie = dossier.filePath(QStringLiteral("demo.mp4"));
  r.taille = QSize(1920, 1080);
  r.ips = 30;
  r.preset = preset;
  r.cheminProgramme = QCoreApplication::applicationFilePath();
  Mesure m;
  double mur = 0, processeur = 0;
  for (auto _ : state) {
    Silencieuse silence;
    const auto debut = std::chrono::steady_clock::now();
    const double cpuDebut = TempsProcesseur();
    const ResultatExport resultat = ExporterVideo(r, silence);
    processeur += TempsProcesseur() - cpuDebut;
    mur += std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    if (!resultat.reussi) {
      state.SkipWithError(resultat.message.toStdString().c_str());
      return;
    }
    m.secondes = resultat.secondes;
  }
  const double n = static_cast<double>(state.iterations());
  m.tempsReel = m.secondes * n / mur;
  m.cpu = processeur / mur;
  m.parCpu = m.secondes * n / processeur;
  m.moParMinute = double(QFileInfo(r.sortie).size()) / 1e6 / (m.secondes / 60);
  state.counters["x temps reel"] = m.tempsReel;
  state.counters["Mo/min"] = m.moParMinute;
  Mesures()[kPresets[state.range(0)]] = m;
}

BENCHMARK(Export)->ArgName("preset")->DenseRange(0, 2)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  InstallerPolices();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  double charge[3] = {};
  getloadavg(charge, 3);
  std::printf("\nDémo en 1920 x 1080, 30 images/s (réglage du programme : veryfast) ; charge de la machine %.1f\n",
              charge[0]);
  std::printf("%-10s %-8s %-20s %-18s %-26s %s\n", "réglage", "vidéo", "x temps réel (>= 3)", "processeur / mur",
              "vidéo / processeur (x2)", "Mo par minute");
  for (const auto& [nom, m] : Mesures())
    std::printf("%-10s %-8.1f %-20.2f %-18.2f %-26.2f %.1f\n", nom.c_str(), m.secondes, m.tempsReel, m.cpu, m.parCpu,
                m.moParMinute);
  return 0;
}
