// Frames the real projection window shows during a one-second transition,
// against the 60 a 60 Hz display can show, at 1920 x 1080 and 3840 x 2160.
// Run without arguments, the program starts itself on a virtual X server of
// each size; "--sur-ecran" measures on the display it is given.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

#include "platform/Audio.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/Ecran.h"
#include "platform/FichiersHote.h"
#include "projection/Cadence.h"
#include "projection/EcranVue.h"
#include "projection/TFVue.h"
#include "projection/Voisins.h"
#include "support/ImagesEssai.h"

namespace {

using namespace plivor;

constexpr int kDuree = 14;  // one second
constexpr double kImagesParSeconde = 60;

double TempsProcesseur() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The program's window, covering the screen without a frame.
struct Banc {
  Banc() : vue(ServicesVue{fichiers, dialogues, audio, ecran, cadence, bureau, voisins, fichiers.DossierCourant()}) {
    fenetre = std::make_unique<EcranVue>(vue);
    vue.Fenetre = QRect(QPoint(0, 0), ecran.Taille());
    vue.FenetreSeule = false;
    vue.CodeFenetre = 380;
    vue.CadreFenetre = vue.MargeFenetre = 0;
    vue.Rafraichir();
    QElapsedTimer attente;
    attente.start();
    while ((!fenetre->windowHandle() || !fenetre->windowHandle()->isExposed()) && attente.elapsed() < 10000)
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
    images[0] = test::Quadrants(vue.PBox.width(), vue.PBox.height());
    images[1] = images[0].mirrored(true, true);
    vue.CodeDiapo = 470;
    vue.LargeurDiapo = vue.PBox.width();
    vue.HauteurDiapo = vue.PBox.height();
    vue.VitesseTransitions = 400;
    vue.DureeTransition = kDuree;
  }
  FichiersHote fichiers;
  DialoguesConsole dialogues;
  CoucheAudioSilencieuse audio;
  EcranPrincipal ecran;
  CadenceReelle cadence;
  BureauEnregistre bureau;
  VoisinsAbsents voisins;
  TFVue vue;
  std::unique_ptr<EcranVue> fenetre;
  QImage images[2];
  int suivante = 0;
};

// Made and ended with the application.
std::unique_ptr<Banc>& Instance() {
  static std::unique_ptr<Banc> banc;
  return banc;
}

Banc& LeBanc() {
  if (!Instance()) Instance() = std::make_unique<Banc>();
  return *Instance();
}

struct Mesure {
  double images = 0;     // painted on the window, per transition
  double demandees = 0;  // frames the cadence asked for
  double mur = 0;        // seconds
  double cpu = 0;        // processor time / wall time
};

std::map<int, Mesure>& Mesures() {
  static std::map<int, Mesure> mesures;
  return mesures;
}

void Transition(benchmark::State& state) {
  Banc& banc = LeBanc();
  banc.vue.CodeTransition = static_cast<int>(state.range(0));
  Mesure m;
  for (auto _ : state) {
    banc.vue.Photo = banc.images[banc.suivante];
    banc.suivante = 1 - banc.suivante;
    banc.vue.CodeInstruction = 0;
    const long long peintes = banc.fenetre->ImagesDeTransition();
    const long long demandees = banc.cadence.images;
    const auto debut = std::chrono::steady_clock::now();
    const double cpu = TempsProcesseur();
    banc.vue.Transitions();
    m.cpu += TempsProcesseur() - cpu;
    m.mur += std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    m.images += static_cast<double>(banc.fenetre->ImagesDeTransition() - peintes);
    m.demandees += static_cast<double>(banc.cadence.images - demandees);
    QApplication::processEvents();
  }
  const double n = static_cast<double>(state.iterations());
  m.cpu /= m.mur;
  m.images /= n;
  m.demandees /= n;
  m.mur /= n;
  state.counters["images"] = m.images;
  state.counters["ratio"] = m.images / (kImagesParSeconde * kDuree / 14.0);
  state.counters["cpu/mur"] = m.cpu;
  Mesures()[static_cast<int>(state.range(0))] = m;
}

// The wipes: at least one step per frame. Blinds and slats have fewer steps
// than a second has frames.
BENCHMARK(Transition)->ArgName("code")->DenseRange(1, 8)->Arg(11)->Arg(13)->Iterations(2)->UseRealTime()->Unit(
    benchmark::kMillisecond);

int Mesurer(int argc, char** argv) {
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  const QSize taille = LeBanc().fenetre->size();
  std::printf("fenêtre réelle %d x %d, transitions de %d / 14 s\n", taille.width(), taille.height(), kDuree);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("\n%d x %d : %-6s %-34s %-10s %-10s %s\n", taille.width(), taille.height(), "code",
              "images / images à 60 Hz (>=0,95)", "peintes", "demandées", "processeur / mur");
  for (const auto& [code, m] : Mesures())
    std::printf("%d x %d : %-6d %-34.3f %-10.1f %-10.1f %.3f\n", taille.width(), taille.height(), code,
                m.images / (kImagesParSeconde * kDuree / 14.0), m.images, m.demandees, m.cpu);
  Instance().reset();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--sur-ecran") == 0) {
    argv[1] = argv[0];
    return Mesurer(argc - 1, argv + 1);
  }
  int statut = 0;
  for (const char* ecran : {"1920x1080x24", "3840x2160x24"}) {
    std::string commande = std::string("QT_QPA_PLATFORM=xcb bash '") + PLIVOR_SUR_XVFB + "' --ecran " + ecran + " '" +
                           argv[0] + "' --sur-ecran";
    for (int i = 1; i < argc; ++i) commande += std::string(" '") + argv[i] + "'";
    std::fflush(stdout);
    if (std::system(commande.c_str()) != 0) statut = 1;
  }
  return statut;
}
