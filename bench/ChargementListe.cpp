// Loading and classifying a long list against a plain read of the same file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/FichiersListe.h"
#include "core/Lignes.h"
#include "core/Vocabulaire.h"
#include "platform/FichiersHote.h"
#include "ListeMelangee.h"
#include "Rapport.h"

namespace {

namespace fs = std::filesystem;
using namespace plivor;

constexpr int kLignes = 100000;

// A folder with a few real media files and a 100 000-line list mixing
// instructions, present and absent media, resources and flags.
struct Banc {
  Banc() {
    dossier = fs::temp_directory_path() / ("plivor-bench-" + std::to_string(::getpid()));
    fs::create_directories(dossier / "img");
    for (int i = 0; i < 50; ++i) std::ofstream(dossier / "img" / ("p" + std::to_string(i) + ".jpg")) << "x";
    const Liste lignes = ListeMelangee(kLignes, [](int) { return Cp("Séquence=img\\p1.jpg.pvr"); });
    fichier = dossier / "longue.pvl";
    std::ofstream(fichier, std::ios::binary) << JoindreLignes(lignes);
    services.ChangerDossier(*LigneDepuisHote(dossier));
  }
  ~Banc() { fs::remove_all(dossier); }

  fs::path dossier;
  fs::path fichier;
  FichiersHote services;
};

Banc& LeBanc() {
  static Banc banc;
  return banc;
}

void LectureSimple(benchmark::State& state) {
  Banc& banc = LeBanc();
  for (auto _ : state) {
    std::ifstream flux(banc.fichier, std::ios::binary);
    std::string contenu((std::istreambuf_iterator<char>(flux)), std::istreambuf_iterator<char>());
    benchmark::DoNotOptimize(contenu);
  }
}

void ChargementEtClassement(benchmark::State& state) {
  Banc& banc = LeBanc();
  for (auto _ : state) {
    const auto lue = LireListe("longue.pvl", banc.services);
    long long somme = 0;
    for (const Texte& ligne : lue->lignes) {
      const int genre = ClasserLigne(ligne, banc.services);
      somme += genre == Genre::Instruction ? CodeCombine(ligne) : genre;
    }
    benchmark::DoNotOptimize(somme);
  }
}

BENCHMARK(LectureSimple)->Unit(benchmark::kMillisecond);
BENCHMARK(ChargementEtClassement)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  plivor::bench::RapportRatios rapport("LectureSimple", "ratio du chargement avec classement (100 000 lignes) :");
  benchmark::RunSpecifiedBenchmarks(&rapport);
  benchmark::Shutdown();
  return 0;
}
