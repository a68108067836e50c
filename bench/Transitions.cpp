// Wall time of each transition of a 1920 x 1080 picture against its nominal
// duration (d / 14 s at the speed 400), printed as a ratio.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <chrono>

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
  }
  FichiersHote fichiers;
  DialoguesConsole dialogues;
  CoucheAudioSilencieuse audio;
  EcranFixe ecran;
  CadenceReelle cadence;
  BureauEnregistre bureau;
  VoisinsAbsents voisins;
  TFVue vue;
};

Banc& LeBanc() {
  static Banc banc;
  return banc;
}

void Transition(benchmark::State& state) {
  Banc& banc = LeBanc();
  banc.vue.CodeTransition = static_cast<int>(state.range(0));
  double total = 0;
  for (auto _ : state) {
    banc.vue.CodeInstruction = 0;
    const auto debut = std::chrono::steady_clock::now();
    banc.vue.Transitions();
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
  }
  const double nominale = kDuree / 14.0;
  state.counters["ratio"] = total / static_cast<double>(state.iterations()) / nominale;
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
  return 0;
}
