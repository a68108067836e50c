// Publication of a show of about 300 MB of generated media (pictures and
// sounds), against "cp -r" of the same files, in the same run: the copy's
// throughput as a ratio to cp's.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>

#include "codecs/Encodeurs.h"
#include "montage/BancMontage.h"
#include "sources/Publication.h"
#include "sources/Sources.h"

namespace {

using plivor::test::BancMontage;

constexpr int kImages = 24;
constexpr int kSons = 30;
constexpr int kEchantillonsSon = 4'500'000;  // 9 MB of 16-bit mono each

QImage Bruit(int largeur, int hauteur, std::mt19937& alea) {
  QImage image(largeur, hauteur, QImage::Format_RGB32);
  for (int y = 0; y < hauteur; ++y) {
    auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < largeur; ++x) ligne[x] = alea() | 0xFF000000u;
  }
  return image;
}

// The show: its media in "medias", a list naming them all.
struct Banc {
  Banc() {
    QDir().mkpath(banc.CheminHote(QStringLiteral("medias")));
    std::mt19937 alea(7);
    QByteArray liste = "Tempo=1500.pvi\r\n";
    for (int i = 0; i < kImages; ++i) {
      const QString nom = QStringLiteral("medias/image%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
      plivor::EcrireJpeg(banc.CheminHote(nom), Bruit(1200, 900, alea));
      liste += nom.mid(7).toLatin1() + "\r\n";
      octets += QFileInfo(banc.CheminHote(nom)).size();
    }
    std::vector<std::int16_t> echantillons(kEchantillonsSon);
    for (int i = 0; i < kSons; ++i) {
      for (auto& e : echantillons) e = std::int16_t(alea());
      const QString nom = QStringLiteral("medias/son%1.wav").arg(i, 2, 10, QLatin1Char('0'));
      plivor::EcrireWav(banc.CheminHote(nom), echantillons, 44100, 1);
      liste += nom.mid(7).toLatin1() + "\r\n";
      octets += QFileInfo(banc.CheminHote(nom)).size();
    }
    banc.Ecrire(QStringLiteral("medias/show.pvl"), liste.toStdString());
    banc.montage->Ouvrir(banc.Chemin(QStringLiteral("medias/show.pvl")));
    sources = std::make_unique<plivor::Sources>(*banc.vue, *banc.montage, banc.CheminHote(QStringLiteral("medias")));
    publication = std::make_unique<plivor::Publication>(*sources);
    std::printf("%lld Mo de médias\n", octets >> 20);
  }

  // A fresh target folder, outside the timing.
  QString Cible(const char* nom) {
    const QString cible = banc.CheminHote(QString::fromLatin1(nom));
    QDir(cible).removeRecursively();
    return cible;
  }

  BancMontage banc;
  std::unique_ptr<plivor::Sources> sources;
  std::unique_ptr<plivor::Publication> publication;
  qint64 octets = 0;
};

Banc& LeBanc() {
  static Banc banc;
  return banc;
}

void CpR(benchmark::State& state) {
  Banc& b = LeBanc();
  for (auto _ : state) {
    state.PauseTiming();
    const QString cible = b.Cible("copie");
    state.ResumeTiming();
    const int code = QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), b.banc.CheminHote(QStringLiteral("medias")), cible});
    if (code != 0) state.SkipWithError("cp -r a échoué");
  }
  state.SetBytesProcessed(state.iterations() * b.octets);
}

// The same copy made durable, as the publication makes its own before it
// writes the main list: cp -r, then the file system flushed.
void CpRSync(benchmark::State& state) {
  Banc& b = LeBanc();
  for (auto _ : state) {
    state.PauseTiming();
    const QString cible = b.Cible("copie-sync");
    state.ResumeTiming();
    const int code = QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), b.banc.CheminHote(QStringLiteral("medias")), cible});
    const int sync = QProcess::execute(QStringLiteral("sync"), {QStringLiteral("-f"), cible});
    if (code != 0 || sync != 0) state.SkipWithError("cp -r ou sync a échoué");
  }
  state.SetBytesProcessed(state.iterations() * b.octets);
}

void Publication(benchmark::State& state) {
  Banc& b = LeBanc();
  for (auto _ : state) {
    state.PauseTiming();
    const QString cible = b.Cible("publie");
    QDir().mkpath(cible);
    b.sources->OuvrirDossier(cible);
    b.banc.dialogues.textes.clear();
    state.ResumeTiming();
    b.publication->Publier();
    b.publication->PubClick(plivor::BoutonPublication::Pub_btDossier);
    b.publication->Pub_NomListe = QStringLiteral("Spectacle");
    b.publication->PubClick(plivor::BoutonPublication::Pub_btValider);
    if (b.banc.dialogues.textes != QStringList{QStringLiteral("Copie des ressources terminée !")})
      state.SkipWithError(b.banc.dialogues.textes.join(QLatin1Char(' ')).toUtf8().constData());
  }
  state.SetBytesProcessed(state.iterations() * b.octets);
}

BENCHMARK(CpR)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(CpRSync)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(Publication)->Unit(benchmark::kMillisecond)->Iterations(4);

// Throughputs as a ratio to cp's.
class RapportDebits : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) temps_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto cp = temps_.find("CpR/iterations:4");
    const auto publication = temps_.find("Publication/iterations:4");
    if (cp == temps_.end() || publication == temps_.end() || publication->second <= 0) return;
    std::printf("débit de la publication, rapport à cp -r : %.2f (objectif >= 0.9)\n", cp->second / publication->second);
    const auto durable = temps_.find("CpRSync/iterations:4");
    if (durable != temps_.end())
      std::printf("débit de la publication, rapport à cp -r suivi de sync : %.2f (objectif >= 0.9)\n",
                  durable->second / publication->second);
  }

 private:
  std::map<std::string, double> temps_;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  RapportDebits rapport;
  benchmark::RunSpecifiedBenchmarks(&rapport);
  benchmark::Shutdown();
  return 0;
}
