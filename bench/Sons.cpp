// The sound engine against FFmpeg's own command line: one minute of a
// 44.1 kHz MP3 and one of a 48 kHz FLAC, decoded and mixed as the export
// and the projection decode them (the music channel's mix at 48 kHz),
// beside `ffmpeg -i … -f null -` on the same files. Processor time of each,
// measured in the same run; the ratio of their medians is printed.

#include <benchmark/benchmark.h>

#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "video/JournalSonore.h"
#include "video/SourcesSonores.h"

namespace {

using namespace plivor;

struct Fichiers {
  QTemporaryDir dossier;
  QString mp3, flac;
  Fichiers() {
    mp3 = dossier.filePath(QStringLiteral("minute.mp3"));
    flac = dossier.filePath(QStringLiteral("minute.flac"));
    // Music-like: two tones and some noise, so neither codec idles.
    const QString source = QStringLiteral("sine=frequency=440:duration=60,volume=0.5[a];anoisesrc=d=60:a=0.05[b];[a][b]amix");
    QProcess::execute(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-y", "-filter_complex", source, "-ar", "44100",
                                                 "-ac", "2", "-b:a", "192k", mp3});
    QProcess::execute(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-y", "-filter_complex", source, "-ar", "48000",
                                                 "-ac", "2", flac});
  }
};

Fichiers& LesFichiers() {
  static Fichiers f;
  return f;
}

double SecondesProcesseur() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Both files decoded, then mixed one after the other on the music channel.
double Moteur() {
  const double t0 = SecondesProcesseur();
  QString erreur;
  const auto mp3 = DecoderSon(LesFichiers().mp3, erreur);
  const auto flac = DecoderSon(LesFichiers().flac, erreur);
  JournalSonore journal;
  Troncon a;
  a.pcm = mp3;
  a.limite = mp3->Trames();
  journal.Commencer(a);
  Troncon b;
  b.pcm = flac;
  b.debut = a.limite;
  b.limite = flac->Trames();
  journal.Couper(a.limite);
  journal.Commencer(b);
  std::vector<float> sortie;
  for (long long t = 0; t < a.limite + b.limite; t += 48000) {
    journal.Melanger(std::min(t + 48000, a.limite + b.limite), sortie);
    sortie.clear();
  }
  return SecondesProcesseur() - t0;
}

// FFmpeg decoding the same files to nothing: its processor time.
double Ffmpeg() {
  double total = 0;
  for (const QString& f : {LesFichiers().mp3, LesFichiers().flac}) {
    const pid_t pid = fork();
    if (pid == 0) {
      const QByteArray nom = f.toLocal8Bit();
      execlp("ffmpeg", "ffmpeg", "-loglevel", "error", "-i", nom.constData(), "-f", "null", "-", nullptr);
      _exit(127);
    }
    int etat = 0;
    rusage usage{};
    wait4(pid, &etat, 0, &usage);
    total += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  }
  return total;
}

double Mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double gRatio = 0;

void DecodageEtMelange(benchmark::State& state) {
  std::vector<double> moteur, ffmpeg;
  for (auto _ : state) {
    moteur.push_back(Moteur());
    ffmpeg.push_back(Ffmpeg());
  }
  state.counters["moteur_s"] = Mediane(moteur);
  state.counters["ffmpeg_s"] = Mediane(ffmpeg);
  gRatio = Mediane(moteur) / Mediane(ffmpeg);
  state.counters["ratio"] = gRatio;
}

BENCHMARK(DecodageEtMelange)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::printf("\nune minute de MP3 44,1 kHz + une de FLAC 48 kHz, décodées et mêlées / ffmpeg -f null "
              "(temps processeur, médianes, cible <= 1,5) : %.2f\n", gRatio);
  benchmark::Shutdown();
  return 0;
}
