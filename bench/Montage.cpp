// The montage on a 100 000-line list: paging through the list window
// against a plain QListView of the same strings, and loading with
// classification against a read of the file plus the existence checks its
// media lines need.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <cstdio>
#include <map>

#include "ListeMelangee.h"
#include "core/FichiersListe.h"
#include "montage/BancMontage.h"
#include "montage/TFListe.h"

namespace {

using namespace plivor;

constexpr int kLignes = 100000;

// The standard painting, at the montage's row height, so both views show
// the same number of rows per page.
class HauteurMontage : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), DelegueMontage::kHauteur};
  }
};

// The list file, in a temporary folder with a few real pictures: a mix of
// instructions, present and absent media, flags and resources.
struct Banc {
  Banc() {
    for (int i = 0; i < 50; ++i) banc.Ecrire(QStringLiteral("img/p%1.jpg").arg(i), "x");
    lignes = ListeMelangee(kLignes, [this](int i) { return banc.Chemin(QStringLiteral("img/p%1.jpg").arg(i % 50)); });
    banc.Ecrire(QStringLiteral("longue.pvl"), JoindreLignes(lignes));
    chemin = banc.Chemin(QStringLiteral("longue.pvl"));
    fenetre = std::make_unique<TFListe>(*banc.vue, banc.fichiers);
    fenetre->resize(234, 654);
    fenetre->show();
    fenetre->Moteur().Ouvrir(chemin);
    // The plain view: the same lines, the same height of list.
    QStringList textes;
    for (const Texte& l : fenetre->Moteur().Lignes()) textes << TexteEcran(l);
    modele.setStringList(textes);
    simple.setModel(&modele);
    simple.setItemDelegate(new HauteurMontage(&simple));
    simple.setUniformItemSizes(true);
    simple.resize(fenetre->Liste()->size());
    simple.show();
    QApplication::processEvents();
  }

  test::BancMontage banc;
  Liste lignes;
  Texte chemin;
  std::unique_ptr<TFListe> fenetre;
  QStringListModel modele;
  QListView simple;
};

Banc& LeBanc() {
  static Banc banc;
  return banc;
}

// One page further down at each iteration, back to the top after the end.
void Paginer(benchmark::State& state, QListView& vue) {
  QScrollBar* barre = vue.verticalScrollBar();
  for (auto _ : state) {
    const int suivante = barre->value() + barre->pageStep();
    barre->setValue(suivante > barre->maximum() ? 0 : suivante);
    benchmark::DoNotOptimize(vue.viewport()->grab());
  }
}

void PageListeSimple(benchmark::State& state) { Paginer(state, LeBanc().simple); }
void PageMontage(benchmark::State& state) { Paginer(state, *LeBanc().fenetre->Liste()); }

void LectureEtExistences(benchmark::State& state) {
  Banc& banc = LeBanc();
  FichiersHote& f = banc.banc.fichiers;
  const Texte dossier = DossierDe(banc.chemin, f.Style());
  for (auto _ : state) {
    const auto contenu = f.LireFichier(banc.chemin);
    const Liste lignes = DecouperLignes(*contenu);
    int presents = 0;
    for (const Texte& l : lignes) {
      const int genre = GenreExtension(l);
      if (EstImage(genre) || EstSon(genre) || genre == Genre::SousListe || genre == Genre::Script)
        presents += f.FichierExiste(EstAbsolu(l, f.Style()) ? l : CheminComplet(l, dossier, f.Style()));
    }
    benchmark::DoNotOptimize(presents);
  }
}

void ChargementMontage(benchmark::State& state) {
  Banc& banc = LeBanc();
  Montage& m = banc.fenetre->Moteur();
  for (auto _ : state) {
    m.Ouvrir(banc.chemin);
    long long somme = 0;
    for (int i = 0; i < m.Compte(); ++i) somme += m.Icone(i);
    benchmark::DoNotOptimize(somme);
  }
}

// Every line cut then pasted back, through the window: linear work.
void CouperCollerTout(benchmark::State& state) {
  Banc& banc = LeBanc();
  Montage& m = banc.fenetre->Moteur();
  m.Ouvrir(banc.chemin);
  for (auto _ : state) {
    m.ToutSelectionner();
    m.Couper();
    m.LigneCourante = -1;
    m.CollerDessous();
    benchmark::DoNotOptimize(m.Compte());
  }
}

// Cutting every line, timed alone; then its undo, timed alone.
void CouperTout(benchmark::State& state) {
  Banc& banc = LeBanc();
  Montage& m = banc.fenetre->Moteur();
  m.Ouvrir(banc.chemin);
  for (auto _ : state) {
    m.ToutSelectionner();
    m.Couper();
    state.PauseTiming();
    m.ListeUndo();
    state.ResumeTiming();
  }
}

void AnnulerCouperTout(benchmark::State& state) {
  Banc& banc = LeBanc();
  Montage& m = banc.fenetre->Moteur();
  m.Ouvrir(banc.chemin);
  for (auto _ : state) {
    state.PauseTiming();
    m.ToutSelectionner();
    m.Couper();
    state.ResumeTiming();
    m.ListeUndo();
    benchmark::DoNotOptimize(m.Compte());
  }
}

// The reference: the lines copied four times (snapshot, clipboard, list, view).
void CopiesDeLaListe(benchmark::State& state) {
  Banc& banc = LeBanc();
  for (auto _ : state)
    for (int i = 0; i < 4; ++i) {
      Liste copie = banc.lignes;
      benchmark::DoNotOptimize(copie.data());
    }
}

BENCHMARK(PageListeSimple)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(PageMontage)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(LectureEtExistences)->Unit(benchmark::kMillisecond);
BENCHMARK(ChargementMontage)->Unit(benchmark::kMillisecond);
BENCHMARK(CopiesDeLaListe)->Unit(benchmark::kMillisecond);
BENCHMARK(CouperCollerTout)->Unit(benchmark::kMillisecond);
BENCHMARK(CouperTout)->Unit(benchmark::kMillisecond);
BENCHMARK(AnnulerCouperTout)->Unit(benchmark::kMillisecond);

// Each measure as a ratio of its reference, from this one run.
class Rapport : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string nom = run.benchmark_name();
      temps_[nom.substr(0, nom.find('/'))] = run.GetAdjustedRealTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    Ratio("PageMontage", "PageListeSimple", "page du montage / page d'une QListView simple (cible <= 0,5)");
    Ratio("ChargementMontage", "LectureEtExistences",
          "chargement et classement / lecture et existences (cible <= 1,5)");
    Ratio("CouperCollerTout", "CopiesDeLaListe", "tout couper puis coller / quatre copies de la liste");
    Ratio("AnnulerCouperTout", "CouperTout", "annuler la coupe de 100 000 lignes / la coupe (cible <= 2)");
  }

 private:
  void Ratio(const std::string& mesure, const std::string& reference, const char* legende) {
    if (!temps_.count(mesure) || !temps_.count(reference) || temps_[reference] <= 0) return;
    std::printf("%-70s %.2f\n", legende, temps_[mesure] / temps_[reference]);
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
