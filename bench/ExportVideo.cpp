// Export of the demo sequence, the window filling the frame, at 1920 x 1080
// and 3840 x 2160, 30 frames per second: video seconds per processor second
// (targets 1.5 and 0.4; two idle cores give twice that in real time), and
// megabytes per minute of video, for the encoder speed setting the program
// uses and two others. Against it, FFmpeg's own command-line slide show of
// the demo's photographs at the same size, rate and length (each picture
// looped, scaled and padded to the frame, xfade between them, libx264 with
// the same preset and quality, AAC): the ratio of processor times, target
// at most 0.7. The peak memory of the program exporting at 2160p is
// measured in a process of its own (target 600 MB). The machine's load is
// printed with them.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/resource.h>
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

double TempsEnfants() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
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

struct Comparaison {
  double nous = 0, ffmpeg = 0;  // processor seconds per video second
  double secondes = 0;
  double crete2160 = 0;     // MB, the program at 2160p
  double parCpu2160 = 0;
};
Comparaison& Compare() {
  static Comparaison c;
  return c;
}

ReglagesVideo Demo(const QString& sortie, QSize taille) {
  ReglagesVideo r;
  r.liste = QStringLiteral(PLIVOR_DEMO_LISTE);
  r.sortie = sortie;
  r.taille = taille;
  r.ips = 30;
  r.cheminProgramme = QCoreApplication::applicationFilePath();
  return r;
}

// FFmpeg's slide show of the demo's photographs, as long as ours.
void FfmpegDiaporama(benchmark::State& state) {
  const QDir media = QFileInfo(QStringLiteral(PLIVOR_DEMO_LISTE)).dir().filePath(QStringLiteral("media"));
  const QStringList images = media.entryList({"*.jpg"}, QDir::Files, QDir::Name);
  const double total = Compare().secondes > 0 ? Compare().secondes : 46.6;
  const int n = int(images.size());
  const double fondu = 1.0, chacune = (total + (n - 1) * fondu) / n;
  QStringList arguments{"-v", "error", "-y"};
  QString filtre;
  for (int i = 0; i < n; ++i) {
    arguments << "-loop" << "1" << "-t" << QString::number(chacune) << "-i" << media.filePath(images[i]);
    filtre += QStringLiteral("[%1:v]scale=1920:1080:force_original_aspect_ratio=decrease,pad=1920:1080:(ow-iw)/2:(oh-ih)/2,"
                             "setsar=1,fps=30,format=yuv420p[v%1];")
                  .arg(i);
  }
  QString avant = QStringLiteral("v0");
  for (int i = 1; i < n; ++i) {
    const QString apres = QStringLiteral("x%1").arg(i);
    filtre += QStringLiteral("[%1][v%2]xfade=transition=fade:duration=%3:offset=%4[%5];")
                  .arg(avant)
                  .arg(i)
                  .arg(fondu)
                  .arg(i * (chacune - fondu))
                  .arg(apres);
    avant = apres;
  }
  filtre.chop(1);
  QTemporaryDir dossier;
  arguments << "-f" << "lavfi" << "-t" << QString::number(total) << "-i" << "anullsrc=r=48000:cl=stereo"
            << "-filter_complex" << filtre << "-map" << QStringLiteral("[%1]").arg(avant) << "-map"
            << QString::number(n) + ":a" << "-c:v" << "libx264" << "-preset" << "veryfast" << "-crf" << "18"
            << "-c:a" << "aac" << "-b:a" << "192k" << "-shortest" << dossier.filePath("ffmpeg.mp4");
  for (auto _ : state) {
    const double avantCpu = TempsEnfants();
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), arguments);
    if (!ffmpeg.waitForFinished(600000) || ffmpeg.exitCode() != 0) {
      state.SkipWithError(ffmpeg.readAllStandardError().toStdString().c_str());
      return;
    }
    Compare().ffmpeg = (TempsEnfants() - avantCpu) / total;
  }
}

// The program itself exporting at 2160p, in a process of its own.
void Crete2160(benchmark::State& state) {
  QTemporaryDir dossier;
  for (auto _ : state) {
    QProcess programme;
    programme.start(QStringLiteral(PLIVOR_PROGRAMME), {"--video", dossier.filePath("demo.mp4"), "--taille", "3840x2160",
                                                       "--duree", "20", QStringLiteral(PLIVOR_DEMO_LISTE)});
    if (!programme.waitForFinished(600000) || programme.exitCode() != 0) {
      state.SkipWithError(programme.readAllStandardError().toStdString().c_str());
      return;
    }
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    Compare().crete2160 = double(u.ru_maxrss) / 1024;
  }
}

void Export2160(benchmark::State& state) {
  QTemporaryDir dossier;
  const ReglagesVideo r = Demo(dossier.filePath(QStringLiteral("demo.mp4")), QSize(3840, 2160));
  for (auto _ : state) {
    Silencieuse silence;
    const double cpuDebut = TempsProcesseur();
    const ResultatExport resultat = ExporterVideo(r, silence);
    if (!resultat.reussi) {
      state.SkipWithError(resultat.message.toStdString().c_str());
      return;
    }
    Compare().parCpu2160 = resultat.secondes / (TempsProcesseur() - cpuDebut);
  }
}

void Export(benchmark::State& state) {
  const QString preset = QString::fromLatin1(kPresets[state.range(0)]);
  QTemporaryDir dossier;
  ReglagesVideo r = Demo(dossier.filePath(QStringLiteral("demo.mp4")), QSize(1920, 1080));
  r.preset = preset;
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
  if (state.range(0) == 0) {
    Compare().nous = processeur / n / m.secondes;
    Compare().secondes = m.secondes;
  }
}

// The program's peak first: the children's peak is the largest of them all.
BENCHMARK(Crete2160)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(Export)->ArgName("preset")->DenseRange(0, 2)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(FfmpegDiaporama)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(Export2160)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

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
  const Comparaison& c = Compare();
  if (c.ffmpeg > 0)
    std::printf("\nProcesseur par seconde de vidéo : Plivor %.3f s, diaporama de ffmpeg %.3f s : rapport %.2f (<= 0,7)\n",
                c.nous, c.ffmpeg, c.nous / c.ffmpeg);
  std::printf("2160p : %.2f s de vidéo par seconde de processeur (>= 0,4) ; crête du programme %.0f Mo (<= 600)\n",
              c.parCpu2160, c.crete2160);
  return 0;
}
