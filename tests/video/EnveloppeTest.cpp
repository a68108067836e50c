// The envelope of the exported sound against what the projection plays in
// real time through SDL's disk driver: start offset, length and fade-in.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

#include "codecs/Encodeurs.h"
#include "platform/AudioSdl.h"
#include "support/BancVue.h"
#include "support/ImagesEssai.h"
#include "support/SonsEssai.h"
#include "video/LectureVideo.h"

namespace plivor {
namespace {

struct Forme {
  std::vector<double> crete;  // every 20 ms from the start, over the peak
  double duree = 0;           // seconds heard
  double graves = 0, aigus = 0;  // frequency 0.25 s and 0.75 s in
  double sommet = 0;  // the loudest sample
};

Forme Mesurer(const std::vector<float>& s, int taux) {
  const float maximum = test::Crete(s, 0, s.size());
  const float seuil = maximum * 0.02f;
  const size_t debut = test::Debut(s, seuil);
  size_t fin = s.size();
  while (fin > debut && std::abs(s[fin - 1]) <= seuil) --fin;
  Forme f;
  f.sommet = maximum;
  f.duree = double(fin - debut) / taux;
  const size_t fenetre = size_t(taux) / 50;
  for (size_t i = debut; i + fenetre <= debut + size_t(taux) * 12 / 10 && i + fenetre <= s.size(); i += fenetre)
    f.crete.push_back(test::Crete(s, i, fenetre) / maximum);
  // The frequency measure counts at 48 kHz.
  const double echelle = double(taux) / 48000;
  f.graves = test::FrequenceDe(s, debut + size_t(taux) / 5, size_t(taux) / 10) * echelle;
  f.aigus = test::FrequenceDe(s, debut + size_t(taux) * 7 / 10, size_t(taux) / 10) * echelle;
  return f;
}

using Createur = std::function<void(const QString& chemin)>;

void Notes(const QString& chemin) { EcrireWav(chemin, test::DeuxNotes(), test::kFrequence, 1); }

// What the projection plays, in real time, on SDL's disk driver.
std::vector<float> SonProjection(const Liste& instructions, const QString& nom = QStringLiteral("notes.wav"),
                                 const Createur& creer = Notes) {
  QTemporaryDir sortie;
  qputenv("SDL_AUDIODRIVER", "disk");
  qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(sortie.filePath(QStringLiteral("sortie.raw"))));
  auto son = std::make_unique<CoucheAudioSdl>();
  test::BancVue banc(QSize(1280, 800), son.get());
  banc.vue->PeripheriqueVolume = 0;
  banc.vue->VolumeAudio = 204;  // as a projection opens
  creer(banc.CheminHote(nom));
  Liste lignes = instructions;
  lignes.push_back(banc.Chemin(nom));
  lignes.push_back("Titrage=Fin.pvv");
  banc.Projeter(lignes);
  test::Attendre(1800);
  banc.vue->FermerAudio();
  son.reset();
  const auto gauche = test::CanalGauche(sortie.filePath(QStringLiteral("sortie.raw")));
  std::vector<float> s(gauche.size());
  for (size_t i = 0; i < s.size(); ++i) s[i] = gauche[i] / 32768.0f;
  return s;
}

Forme Projection(const Liste& instructions) { return Mesurer(SonProjection(instructions), test::kFrequence); }

// The same lines in a list, exported by the real program.
std::vector<float> SonExport(const Liste& instructions, const QString& nom = QStringLiteral("notes.wav"),
                             const Createur& creer = Notes) {
  QTemporaryDir dossier;
  creer(dossier.filePath(nom));
  EcrireBmp(dossier.filePath("a.bmp"), test::Quadrants(200, 150));
  QFile liste(dossier.filePath("son.pvl"));
  EXPECT_TRUE(liste.open(QIODevice::WriteOnly));
  QByteArray lignes = "Tempo=2500.pvi\r\nTransition=Sans.pvi\r\n" + dossier.filePath("a.bmp").toLatin1() + "\r\n";
  for (const Texte& l : instructions) lignes += QByteArray::fromStdString(l) + "\r\n";
  lignes += dossier.filePath(nom).toLatin1() + "\r\n" + dossier.filePath("a.bmp").toLatin1() + "\r\n";
  liste.write(lignes);
  liste.close();
  QProcess programme;
  programme.start(QStringLiteral(PLIVOR_PROGRAMME),
                  {"--video", dossier.filePath("son.mp4"), "--taille", "160x120", "--ips", "10", liste.fileName()});
  EXPECT_TRUE(programme.waitForFinished(60000));
  EXPECT_EQ(programme.exitCode(), 0) << programme.readAllStandardError().toStdString();
  return test::SonGauche(dossier.filePath("son.mp4"));
}

Forme Export(const Liste& instructions) { return Mesurer(SonExport(instructions), 48000); }

// Root mean square of the stretch from `debut` s to `fin` s.
double Efficace(const std::vector<float>& s, int taux, double debut, double fin) {
  double somme = 0;
  const size_t a = size_t(debut * taux), b = std::min(s.size(), size_t(fin * taux));
  for (size_t i = a; i < b; ++i) somme += double(s[i]) * s[i];
  return b > a ? std::sqrt(somme / double(b - a)) : 0;
}

void Comparer(const Forme& projection, const Forme& video, size_t fenetres) {
  ASSERT_GE(projection.crete.size(), fenetres);
  ASSERT_GE(video.crete.size(), fenetres);
  double ecart = 0;
  for (size_t i = 0; i < fenetres; ++i) {
    EXPECT_NEAR(video.crete[i], projection.crete[i], 0.2) << i * 20 << " ms";
    ecart += std::abs(video.crete[i] - projection.crete[i]);
  }
  EXPECT_LT(ecart / double(fenetres), 0.06);
}

TEST(Enveloppe, DebutEtDureeCommeLaProjectionLesJoue) {
  const Liste lignes = {Cp("Audio-Début=500.pvi"), Cp("Audio-Durée=1000.pvi")};
  const Forme projection = Projection(lignes), video = Export(lignes);
  // Played from 0.5 s in (440 Hz then 880 Hz), for one second.
  // The real device starts a buffer late and stops on a timer of the
  // window's clock; a loaded machine writes fewer device buffers before that
  // timer fires, so the projection is heard a little short, never long.
  EXPECT_GT(projection.duree, 0.7);
  EXPECT_LT(projection.duree, 1.1);
  EXPECT_NEAR(video.duree, 1.0, 0.03);
  EXPECT_NEAR(projection.graves, 440, 10);
  EXPECT_NEAR(video.graves, 440, 4.4);
  EXPECT_NEAR(projection.aigus, 880, 20);
  EXPECT_NEAR(video.aigus, 880, 8.8);
  Comparer(projection, video, 35);
  // At the same volume as the projection plays it.
  EXPECT_NEAR(20 * std::log10(video.sommet / projection.sommet), 0.0, 1.0) << video.sommet << " " << projection.sommet;
}

TEST(Enveloppe, LeFonduEntrantMonteCommeDansLaProjection) {
  const Liste lignes = {"Audio-FadeIn=600.pvi"};
  const Forme projection = Projection(lignes), video = Export(lignes);
  // Quiet at first, full once the 600 ms are over.
  EXPECT_LT(video.crete[1], 0.3);
  EXPECT_GT(video.crete[35], 0.9);
  Comparer(projection, video, 50);
}

// The MIDI synthesiser plays at the mixer's level, not louder nor softer.
TEST(Enveloppe, UneLigneMidiSonneAuNiveauDeLaProjection) {
  const Createur air = [](const QString& chemin) {
    EcrireMidi(chemin, {NoteMidi{60, 0, 1500, 100}, NoteMidi{64, 0, 1500, 100}, NoteMidi{67, 0, 1500, 100}});
  };
  const auto projection = SonProjection({}, QStringLiteral("air.mid"), air);
  const auto video = SonExport({}, QStringLiteral("air.mid"), air);
  const size_t p = test::Debut(projection, 0.01f), v = test::Debut(video, 0.01f);
  ASSERT_LT(p, projection.size());
  ASSERT_LT(v, video.size());
  const double niveauProjection = Efficace(projection, test::kFrequence, double(p) / test::kFrequence + 0.2,
                                           double(p) / test::kFrequence + 1.0);
  const double niveauVideo = Efficace(video, 48000, double(v) / 48000 + 0.2, double(v) / 48000 + 1.0);
  EXPECT_NEAR(20 * std::log10(niveauVideo / niveauProjection), 0.0, 2.0);
}


// A file of another format, made by FFmpeg from the two notes.
Createur Converti(const QStringList& options = {}) {
  return [options](const QString& chemin) {
    const QString source = chemin + QStringLiteral(".source.wav");
    Notes(source);
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), QStringList{"-loglevel", "error", "-y", "-i", source} + options + QStringList{chemin});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000));
    ASSERT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();
  };
}

// MP3, FLAC and OGG start, last and sound in the projection as in the video:
// both decode them with the same code. MP3 lines go to the MP3 player,
// which plays to the end whatever `Audio-Durée` says, in both.
TEST(Enveloppe, LesFormatsDAujourdhuiSonnentCommeDansLaProjection) {
  const Liste lignes = {Cp("Audio-Début=500.pvi"), Cp("Audio-Durée=1000.pvi")};
  for (const char* nom : {"notes.mp3", "notes.flac", "notes.ogg"}) {
    const Createur creer = Converti();
    const Forme projection = Mesurer(SonProjection(lignes, QString::fromLatin1(nom), creer), test::kFrequence);
    const Forme video = Mesurer(SonExport(lignes, QString::fromLatin1(nom), creer), 48000);
    const double duree = QByteArray(nom).endsWith("mp3") ? 1.5 : 1.0;
    EXPECT_GT(projection.duree, duree - 0.3) << nom;
    EXPECT_LT(projection.duree, duree + 0.1) << nom;
    EXPECT_NEAR(video.duree, duree, 0.03) << nom;
    EXPECT_NEAR(projection.graves, 440, 10) << nom;
    EXPECT_NEAR(video.graves, 440, 5) << nom;
    EXPECT_NEAR(projection.aigus, 880, 20) << nom;
    EXPECT_NEAR(video.aigus, 880, 9) << nom;
    Comparer(projection, video, 35);
    EXPECT_NEAR(20 * std::log10(video.sommet / projection.sommet), 0.0, 1.0) << nom;
  }
}

// A 5.1 WAV is mixed down to stereo by the same code both ways: as loud in
// the video as in the projection (it was 8.7 dB louder).
TEST(Enveloppe, UnWavCinqUnSonneAuMemeNiveau) {
  const Createur creer = Converti({"-ac", "6"});
  const auto projection = SonProjection({}, QStringLiteral("six.wav"), creer);
  const auto video = SonExport({}, QStringLiteral("six.wav"), creer);
  const float p = test::Crete(projection, 0, projection.size()), v = test::Crete(video, 0, video.size());
  ASSERT_GT(p, 0.01f);
  EXPECT_NEAR(20 * std::log10(v / p), 0.0, 1.0) << v << " " << p;
}

// A sound of another rate than the mixer's plays to its last sample (the
// last 12 to 64 ms were lost).
TEST(Enveloppe, UnWavA48KHzSeJoueJusquASaFin) {
  const Createur creer = [](const QString& chemin) {
    std::vector<std::int16_t> e(48000);
    for (size_t i = 0; i < e.size(); ++i) e[i] = std::int16_t(10000 * std::sin(2 * M_PI * 440 * double(i) / 48000));
    EcrireWav(chemin, e, 48000, 1);
  };
  const auto projection = SonProjection({}, QStringLiteral("48k.wav"), creer);
  const Forme f = Mesurer(projection, test::kFrequence);
  EXPECT_NEAR(f.duree, 1.0, 0.005);
}


// A MIDI file timed in SMPTE frames was silent: it sounds, in the projection
// and in the video, for about as long as its notes.
TEST(Enveloppe, UnMidiMinuteEnImagesSmpteSonneDesDeuxCotes) {
  const Createur smpte = [](const QString& chemin) {
    EcrireMidi(chemin, {NoteMidi{60, 0, 1000, 100}, NoteMidi{67, 0, 1000, 100}});
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(12);
    f.write(QByteArray::fromHex("e728"));  // 25 frames of 40 ticks a second
  };
  const auto projection = SonProjection({}, QStringLiteral("smpte.mid"), smpte);
  const auto video = SonExport({}, QStringLiteral("smpte.mid"), smpte);
  EXPECT_GT(test::Crete(projection, 0, projection.size()), 0.05f);
  EXPECT_GT(test::Crete(video, 0, video.size()), 0.05f);
}

}  // namespace
}  // namespace plivor
