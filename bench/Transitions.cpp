// Wall time of each transition of a 1920 x 1080 picture against its nominal
// duration (d / 14 s at the speed 400), and the processor time it took
// against its wall time, printed as ratios. Each frame is presented into a
// screen-sized picture, as the window would copy it.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <chrono>
#include <ctime>
#include <map>

#include "options/Registre.h"
#include "platform/Audio.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/Ecran.h"
#include "platform/FichiersHote.h"
#include "projection/Cadence.h"
#include "projection/TFVue.h"
#include "support/ImagesEssai.h"

namespace {

using namespace plivor;

constexpr int kDuree = 7;  // half a second

struct Banc {
  Banc()
      : ecran(QSize(1920, 1080)),
        vue(ServicesVue{fichiers, dialogues, audio, ecran, cadence, bureau, voisins, fichiers.DossierCourant()}) {
    vue.CodeFenetre = 380;
    vue.CadreFenetre = vue.MargeFenetre = 0;
    vue.Rafraichir();
    vue.Photo = test::Quadrants(vue.PBox.width(), vue.PBox.height());
    vue.CodeDiapo = 470;
    vue.LargeurDiapo = vue.PBox.width();
    vue.HauteurDiapo = vue.PBox.height();
    vue.VitesseTransitions = 400;
    vue.DureeTransition = kDuree;
    ecranImage = QImage(vue.PBox.size(), QImage::Format_RGB32);
    QObject::connect(&vue, &TFVue::Presenter, [this] {
      QPainter peintre(&ecranImage);
      const QRegion zone = cadence.zone.value_or(QRegion(vue.PBox.rect()));
      for (const QRect& r : zone) peintre.drawImage(r.topLeft(), vue.PBox, r);
    });
  }
  QImage ecranImage;
  FichiersHote fichiers;
  DialoguesConsole dialogues;
  CoucheAudioSilencieuse audio;
  EcranFixe ecran;
  CadenceReelle cadence;
  BureauEnregistre bureau;
  VoisinsAbsents voisins;
  TFVue vue;
};

double TempsProcesseur() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Mesure {
  double ratio = 0;   // wall time / nominal duration
  double cpu = 0;     // processor time / wall time
  double images = 0;  // frames presented by the cadence
};

std::map<int, Mesure>& Mesures() {
  static std::map<int, Mesure> mesures;
  return mesures;
}

Banc& LeBanc() {
  static Banc banc;
  return banc;
}

void Transition(benchmark::State& state) {
  Banc& banc = LeBanc();
  banc.vue.CodeTransition = static_cast<int>(state.range(0));
  double total = 0, processeur = 0;
  const long long images = banc.cadence.images;
  for (auto _ : state) {
    banc.vue.CodeInstruction = 0;
    const auto debut = std::chrono::steady_clock::now();
    const double cpuDebut = TempsProcesseur();
    banc.vue.Transitions();
    processeur += TempsProcesseur() - cpuDebut;
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
  }
  const double nominale = kDuree / 14.0;
  const double n = static_cast<double>(state.iterations());
  Mesure m{total / n / nominale, processeur / total, static_cast<double>(banc.cadence.images - images) / n};
  state.counters["ratio"] = m.ratio;
  state.counters["cpu/mur"] = m.cpu;
  state.counters["images"] = m.images;
  Mesures()[static_cast<int>(state.range(0))] = m;
}

BENCHMARK(Transition)
    ->ArgName("code")
    ->DenseRange(1, 8)
    ->DenseRange(11, 14)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  std::printf("durée nominale %d / 14 s = %.0f ms ; ratio = temps mesuré / durée nominale\n", kDuree,
              1000.0 * kDuree / 14);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("\n%-6s %-22s %-22s %s\n", "code", "mur / nominale (1±0,02)", "processeur / mur (<=0,2)", "images");
  for (const auto& [code, m] : Mesures())
    std::printf("%-6d %-22.3f %-22.3f %.0f\n", code, m.ratio, m.cpu, m.images);
  return 0;
}
