// A sound read as it is heard: a start far into the file, or a jump back
// past what is kept, gives the very samples a reading from the start gives
// there, for each coding a user brings.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <ostream>
#include <gtest/gtest.h>

#include "video/SourcesSonores.h"

namespace plivor {
namespace {

constexpr long long kSeconde = kFrequenceExport;

struct Codage {
  const char* nom;
  QStringList options;
};
void PrintTo(const Codage& codage, std::ostream* os) { *os << codage.nom; }

class FluxSonore : public testing::TestWithParam<Codage> {
 protected:
  // Twenty seconds of two tones and a slow tremolo, so that a frame off by
  // one sample or a second off is heard as a difference.
  QString Ecrire() {
    const QString chemin = dossier_.filePath(QString::fromLatin1(GetParam().nom));
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 QStringList{"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                             "aevalsrc=(0.3+0.1*sin(2*PI*0.7*t))*sin(2*PI*440*t)+0.2*sin(2*PI*2900*t)|"
                             "0.3*sin(2*PI*660*t):s=44100:d=20"} +
                     GetParam().options + QStringList{chemin});
    EXPECT_TRUE(ffmpeg.waitForFinished(60000));
    EXPECT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();
    return chemin;
  }

  static std::vector<float> Lire(const Pcm& son, long long debut, long long n) {
    std::vector<float> e(size_t(n) * 2);
    son.Lire(debut, n, e.data());
    return e;
  }

  // Read in device-sized steps from the start, as a show plays it.
  static std::vector<float> DuDebut(const Pcm& son, long long jusqua) {
    std::vector<float> e;
    for (long long t = 0; t < jusqua; t += 1024) {
      const std::vector<float> bloc = Lire(son, t, 1024);
      e.insert(e.end(), bloc.begin(), bloc.end());
    }
    return e;
  }

  // Signal to difference, in decibels, of `e` against `ref` from `debut`.
  static double Rapport(const std::vector<float>& ref, long long debut, const std::vector<float>& e) {
    double signal = 0, bruit = 0;
    for (size_t i = 0; i < e.size(); ++i) {
      const double r = ref[size_t(debut) * 2 + i];
      signal += r * r;
      bruit += (r - e[i]) * (r - e[i]);
    }
    return 10 * std::log10(signal / std::max(bruit, 1e-12));
  }

  QTemporaryDir dossier_;
};

TEST_P(FluxSonore, UnDepartLointainEtUnRetourDonnentLesEchantillonsDeLaLectureSuivie) {
  const QString chemin = Ecrire();
  QString erreur;
  const auto suivi = DecoderSon(chemin, erreur);
  ASSERT_TRUE(suivi) << erreur.toStdString();
  EXPECT_NEAR(suivi->Trames(), 20 * kSeconde, kSeconde / 20);
  const std::vector<float> ref = DuDebut(*suivi, 16 * kSeconde);

  // A start twelve seconds in, on a sound just opened.
  const auto saute = DecoderSon(chemin, erreur);
  ASSERT_TRUE(saute) << erreur.toStdString();
  saute->Preparer(12 * kSeconde + 123);
  EXPECT_GT(Rapport(ref, 12 * kSeconde + 123, Lire(*saute, 12 * kSeconde + 123, kSeconde)), 40);
  // Then back to seven seconds, far behind what it kept, and then on.
  EXPECT_GT(Rapport(ref, 7 * kSeconde, Lire(*saute, 7 * kSeconde, kSeconde / 2)), 40);
  EXPECT_GT(Rapport(ref, 7 * kSeconde + kSeconde / 2, Lire(*saute, 7 * kSeconde + kSeconde / 2, kSeconde / 2)), 40);
  // Back a little, within what it kept, and past the end: silence there.
  EXPECT_GT(Rapport(ref, 7 * kSeconde + 100, Lire(*saute, 7 * kSeconde + 100, 4096)), 40);
  const std::vector<float> apres = Lire(*saute, 25 * kSeconde, 4096);
  EXPECT_EQ(*std::max_element(apres.begin(), apres.end()), 0.0f);
  EXPECT_EQ(*std::min_element(apres.begin(), apres.end()), 0.0f);
}

// Two MP3s joined end to end, stereo then mono, as a user might have made
// them: each part is heard, the mono one on both sides.
TEST(FluxSonoreJoint, UnMp3QuiPasseDeStereoAMonoSeJoueJusquAuBout) {
  QTemporaryDir dossier;
  QByteArray joint;
  for (const char* partie : {"sine=440:d=1|2", "sine=880:d=1|1"}) {
    const QStringList source = QString::fromLatin1(partie).split(QLatin1Char('|'));
    const QString chemin = dossier.filePath(QStringLiteral("partie.mp3"));
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-y", "-f", "lavfi", "-i", source[0], "-ac", source[1],
                                            "-c:a", "libmp3lame", "-write_xing", "0", chemin});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000));
    ASSERT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    joint += f.readAll();
  }
  const QString chemin = dossier.filePath(QStringLiteral("joint.mp3"));
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(joint);
  f.close();
  QString erreur;
  const auto son = DecoderSon(chemin, erreur);
  ASSERT_TRUE(son) << erreur.toStdString();
  EXPECT_NEAR(son->Trames(), 2 * kSeconde, kSeconde / 10);
  std::vector<float> mono(size_t(kSeconde) / 2 * 2);
  for (long long t = 0; t < kSeconde * 3 / 2; t += 1024) son->Lire(t, std::min(1024LL, kSeconde * 3 / 2 - t), mono.data());
  son->Lire(kSeconde * 3 / 2, kSeconde / 2, mono.data());
  float crete = 0;
  for (size_t i = 0; i < mono.size(); i += 2) {
    crete = std::max(crete, std::abs(mono[i]));
    ASSERT_EQ(mono[i], mono[i + 1]) << i;
  }
  // At the level it was made (an eighth), not 3 dB under.
  EXPECT_GT(crete, 0.11f);
}

INSTANTIATE_TEST_SUITE_P(
    Codages, FluxSonore,
    testing::Values(Codage{"pcm.wav", {}}, Codage{"vbr.mp3", {"-c:a", "libmp3lame", "-q:a", "2"}},
                    Codage{"haute.flac", {"-ar", "48000"}}, Codage{"vorbis.ogg", {"-c:a", "libvorbis"}},
                    Codage{"voix.opus", {"-c:a", "libopus", "-b:a", "128k"}}, Codage{"aac.m4a", {"-c:a", "aac"}}),
    [](const testing::TestParamInfo<Codage>& info) {
      QString nom = QString::fromLatin1(info.param.nom);
      return nom.replace(QLatin1Char('.'), QLatin1Char('_')).toStdString();
    });

}  // namespace
}  // namespace plivor
