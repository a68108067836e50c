// The projection's sound layer played through SDL's disk driver: what was played is
// read back from the file the driver writes.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

#include "codecs/Encodeurs.h"
#include "platform/AudioSdl.h"
#include "platform/DureeMidi.h"
#include "support/SonsEssai.h"

namespace plivor {
namespace {

using namespace test;

// An MPEG-1 layer III stream of silent frames: 128 kbit/s, 44.1 kHz, stereo.
QByteArray Mp3Silencieux(int trames) {
  QByteArray trame(417, '\0');
  trame[0] = char(0xFF);
  trame[1] = char(0xFB);
  trame[2] = char(0x90);
  trame[3] = char(0x00);
  QByteArray flux;
  for (int i = 0; i < trames; ++i) flux += trame;
  return flux;
}

class AudioSdl : public testing::Test {
 protected:
  AudioSdl() {
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(dossier.filePath(QStringLiteral("sortie.raw"))));
  }
  QString Chemin(const QString& nom) const { return dossier.filePath(nom); }
  void Ecrire(const QString& nom, const QByteArray& octets) const {
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
  }
  // The left channel of what the driver wrote, after the layer closed.
  std::vector<std::int16_t> Sortie() const { return CanalGauche(dossier.filePath(QStringLiteral("sortie.raw"))); }
  QTemporaryDir dossier;
};

TEST_F(AudioSdl, UnSonWavJoueDepuisLeDebut) {
  ASSERT_TRUE(EcrireWav(Chemin("notes.wav"), DeuxNotes(), kFrequence, 1));
  {
    CoucheAudioSdl audio;
    ASSERT_TRUE(audio.Erreur().isEmpty()) << audio.Erreur().toStdString();
    ASSERT_FALSE(audio.Ouvrir(Peripherique::Onde, Chemin("notes.wav")));
    EXPECT_NEAR(audio.Duree(), 2000, 5);
    audio.RegleVolume(Peripherique::Onde, {65535, 65535});
    audio.Jouer(0, 0);
    EXPECT_TRUE(audio.EnLecture());
    Attendre(500);
    audio.Arreter();
    EXPECT_FALSE(audio.EnLecture());
  }
  const auto sortie = Sortie();
  const Extrait son = Sonore(sortie);
  ASSERT_GT(son.fin - son.debut, size_t(kFrequence / 5));
  EXPECT_NEAR(Frequence(sortie, son.debut, kFrequence / 10), 440, 15);
  EXPECT_NEAR(Crete(sortie, son.debut, kFrequence / 10), 10000, 600);
}

TEST_F(AudioSdl, LeDepartEtLaFinDeLaLecture) {
  ASSERT_TRUE(EcrireWav(Chemin("notes.wav"), DeuxNotes(), kFrequence, 1));
  {
    CoucheAudioSdl audio;
    ASSERT_FALSE(audio.Ouvrir(Peripherique::Onde, Chemin("notes.wav")));
    audio.Jouer(1000, 1400);  // 400 ms of the second note
    Attendre(1200);
    EXPECT_FALSE(audio.EnLecture());
  }
  const auto sortie = Sortie();
  const Extrait son = Sonore(sortie);
  EXPECT_NEAR(Frequence(sortie, son.debut, kFrequence / 10), 880, 20);
  const double duree = double(son.fin - son.debut) / kFrequence;
  EXPECT_NEAR(duree, 0.4, 0.1);
}

TEST_F(AudioSdl, LeVolumeDuPeripheriqueDOnde) {
  ASSERT_TRUE(EcrireWav(Chemin("notes.wav"), DeuxNotes(), kFrequence, 1));
  {
    CoucheAudioSdl audio;
    audio.RegleVolume(Peripherique::Onde, {32768, 32768});
    audio.RegleVolume(Peripherique::Midi, {0, 0});  // another device: no effect here
    ASSERT_FALSE(audio.Ouvrir(Peripherique::Onde, Chemin("notes.wav")));
    audio.Jouer(0, 300);
    Attendre(500);
    EXPECT_EQ(audio.Volume(Peripherique::Onde).gauche, 32768);
  }
  const auto sortie = Sortie();
  const Extrait son = Sonore(sortie);
  EXPECT_NEAR(Crete(sortie, son.debut, kFrequence / 10), 5000, 500);
}

TEST_F(AudioSdl, PauseEtReprise) {
  ASSERT_TRUE(EcrireWav(Chemin("notes.wav"), DeuxNotes(), kFrequence, 1));
  CoucheAudioSdl audio;
  ASSERT_FALSE(audio.Ouvrir(Peripherique::Onde, Chemin("notes.wav")));
  audio.Jouer(0, 0);
  Attendre(300);
  audio.Pause();
  EXPECT_FALSE(audio.EnLecture());
  const int position = audio.Position();
  Attendre(300);
  EXPECT_EQ(audio.Position(), position);
  audio.Reprendre();
  EXPECT_TRUE(audio.EnLecture());
  Attendre(100);
  EXPECT_GT(audio.Position(), position);
}

TEST_F(AudioSdl, LaLongueurDUnMidiVientDuFichier) {
  std::vector<NoteMidi> notes;
  for (int i = 0; i < 8; ++i) notes.push_back({60 + i, i * 250, 240, 100, 0, 0});
  ASSERT_TRUE(EcrireMidi(Chemin("gamme.mid"), notes));
  QFile f(Chemin("gamme.mid"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_NEAR(double(DureeMidi(f.readAll().toStdString()).value_or(0)), 1990, 5);
  {
    CoucheAudioSdl audio;
    ASSERT_FALSE(audio.Ouvrir(Peripherique::Midi, Chemin("gamme.mid")));
    EXPECT_NEAR(audio.Duree(), 1990, 5);
    audio.RegleVolume(Peripherique::Midi, {65535, 65535});
    audio.Jouer(0, 0);
    Attendre(700);
  }
  // FluidSynth with the Debian SoundFont made the notes heard.
  const Extrait son = Sonore(Sortie(), 100);
  EXPECT_GT(son.fin - son.debut, size_t(kFrequence / 5));
}

TEST_F(AudioSdl, UnMp3AnnonceSaLongueur) {
  Ecrire(QStringLiteral("silence.mp3"), Mp3Silencieux(383));  // 383 x 1152 samples: 10.0 s
  CoucheAudioSdl audio;
  QString erreur;
  auto mp3 = audio.CreerMp3(erreur);
  ASSERT_TRUE(mp3) << erreur.toStdString();
  int ms = -1;
  bool pret = false;
  QObject::connect(mp3.get(), &LecteurMp3::Duree, [&ms](int d) { ms = d; });
  QObject::connect(mp3.get(), &LecteurMp3::Pret, [&pret] { pret = true; });
  ASSERT_TRUE(mp3->InputOpen(Chemin("silence.mp3")).isEmpty());
  EXPECT_FALSE(pret);  // notices come through the window thread's queue
  Attendre(50);
  EXPECT_TRUE(pret);
  EXPECT_NEAR(ms, 10005, 30);  // to the millisecond, not whole seconds
  int etat = -1;
  QObject::connect(mp3.get(), &LecteurMp3::Etat, [&etat](int e) { etat = e; });
  mp3->Play();
  Attendre(50);
  EXPECT_EQ(etat, 1);
  mp3->Stop();
  Attendre(50);
  EXPECT_EQ(etat, 0);
}

TEST_F(AudioSdl, DesFichiersAbimesSontRefusesAvecLeurRaison) {
  ASSERT_TRUE(EcrireWav(Chemin("notes.wav"), DeuxNotes(), kFrequence, 1));
  QFile entier(Chemin("notes.wav"));
  ASSERT_TRUE(entier.open(QIODevice::ReadOnly));
  const QByteArray wav = entier.readAll();
  Ecrire(QStringLiteral("tronque.wav"), wav.left(30));
  Ecrire(QStringLiteral("bruit.wav"), QByteArray(5000, '\x37'));
  Ecrire(QStringLiteral("bruit.mid"), QByteArray("MThd\0\0\0\6\0\0\0\1", 12) + QByteArray(40, '\x90'));
  Ecrire(QStringLiteral("vide.mid"), QByteArray());
  Ecrire(QStringLiteral("bruit.mp3"), QByteArray(3000, '\x11'));
  CoucheAudioSdl audio;
  for (const char* nom : {"tronque.wav", "bruit.wav", "absent.wav"}) {
    const auto erreur = audio.Ouvrir(Peripherique::Onde, Chemin(QString::fromLatin1(nom)));
    ASSERT_TRUE(erreur) << nom;
    EXPECT_FALSE(erreur->isEmpty());
  }
  for (const char* nom : {"bruit.mid", "vide.mid"})
    EXPECT_EQ(audio.Ouvrir(Peripherique::Midi, Chemin(QString::fromLatin1(nom))),
              QStringLiteral("Fichier MIDI illisible")) << nom;
  QString erreur;
  auto mp3 = audio.CreerMp3(erreur);
  EXPECT_FALSE(mp3->InputOpen(Chemin("bruit.mp3")).isEmpty());
  // Half a WAV still plays what it holds.
  Ecrire(QStringLiteral("moitie.wav"), wav.left(wav.size() / 2));
  EXPECT_FALSE(audio.Ouvrir(Peripherique::Onde, Chemin("moitie.wav")));
  audio.Jouer(0, 0);
  Attendre(100);
}

TEST_F(AudioSdl, SansSoundFontLeMidiEstRefuse) {
  ASSERT_TRUE(EcrireMidi(Chemin("air.mid"), {{60, 0, 500, 100, 0, 0}}));
  CoucheAudioSdl audio(QStringLiteral("/nulle/part/absente.sf2"));
  EXPECT_EQ(audio.Ouvrir(Peripherique::Midi, Chemin("air.mid")),
            QStringLiteral("SoundFont absente : /nulle/part/absente.sf2"));
}

TEST_F(AudioSdl, SansPeripheriqueLaMusiqueResteMuetteApresUnAvertissement) {
  qputenv("SDL_AUDIODRIVER", "aucun-pilote");
  ASSERT_TRUE(EcrireWav(Chemin("notes.wav"), DeuxNotes(), kFrequence, 1));
  CoucheAudioSdl audio;
  const auto avertissement = audio.Avertissement();
  ASSERT_TRUE(avertissement);
  EXPECT_TRUE(avertissement->startsWith(QString::fromUtf8("Aucun périphérique audio : ")));
  EXPECT_FALSE(audio.Avertissement());  // said once
  EXPECT_FALSE(audio.Ouvrir(Peripherique::Onde, Chemin("notes.wav")));
  audio.Jouer(0, 0);
  Attendre(50);
  audio.Fermer();
}

TEST_F(AudioSdl, SansLecteurDeCdLaPisteEchoue) {
  CoucheAudioSdl audio;
  const auto erreur = audio.Ouvrir(Peripherique::Auxiliaire, QString());
  if (!erreur) GTEST_SKIP() << "un CD audio est dans le lecteur";
  EXPECT_TRUE(erreur->contains(QStringLiteral("CD")));
  EXPECT_FALSE(audio.Piste(5));
}


}  // namespace
}  // namespace plivor

namespace plivor {
namespace {

// A canonical 44-byte header with the given channel count, then `donnees`.
QByteArray WavCanonique(quint16 canaux, const QByteArray& donnees) {
  QByteArray o = QByteArray::fromHex("52494646") + QByteArray(4, '\0') + QByteArray("WAVEfmt ") +
                 QByteArray::fromHex("10000000" "0100");
  o.append(char(canaux & 0xFF)).append(char(canaux >> 8));
  o += QByteArray::fromHex("44ac0000" "88580100" "0200" "1000") + QByteArray("data");
  const quint32 taille = quint32(donnees.size());
  o.append(char(taille & 0xFF)).append(char((taille >> 8) & 0xFF)).append(char((taille >> 16) & 0xFF)).append(char(taille >> 24));
  return o + donnees;
}

// A WAV without a channel divides by zero inside SDL: it is refused first,
// by the projection's player and by the MP3 player, which reads by content.
TEST_F(AudioSdl, UnWavSansCanalEstRefuseSansArreterLeProgramme) {
  Ecrire(QStringLiteral("canaux0.wav"), WavCanonique(0, QByteArray(8820, '\0')));
  Ecrire(QStringLiteral("canaux0.mp3"), WavCanonique(0, QByteArray(8820, '\0')));
  CoucheAudioSdl audio;
  EXPECT_EQ(audio.Ouvrir(Peripherique::Onde, Chemin("canaux0.wav")), QStringLiteral("fichier son abîmé : il n'a aucun canal"));
  QString erreur;
  auto mp3 = audio.CreerMp3(erreur);
  EXPECT_EQ(mp3->InputOpen(Chemin("canaux0.mp3")), QStringLiteral("fichier son abîmé : il n'a aucun canal"));
  // The sound of after plays.
  ASSERT_TRUE(EcrireWav(Chemin("notes.wav"), DeuxNotes(), kFrequence, 1));
  EXPECT_FALSE(audio.Ouvrir(Peripherique::Onde, Chemin("notes.wav")));
}

// A chunk of size 0xFFFFFFF8 once brought our WAV cutter back where it
// stood, for ever: the file is decoded as any other now, and plays.
TEST_F(AudioSdl, UnWavAuChunkGeantSeJoueSansBoucler) {
  QByteArray wav = QByteArray("RIFF") + QByteArray(4, '\0') + QByteArray("WAVEfmt ") +
                   QByteArray::fromHex("10000000" "0100" "0100" "44ac0000" "88580100" "0200" "1000");
  wav += QByteArray("ODD ") + QByteArray::fromHex("01000000") + QByteArray(1, 'x');
  wav += QByteArray("JUNK") + QByteArray::fromHex("28000000") + QByteArray(1, '\0') + QByteArray("LOOP") +
         QByteArray::fromHex("f8ffffff") + QByteArray(31, '\0');
  QByteArray son(88200, '\0');
  for (int i = 0; i < 44100; ++i) qToLittleEndian(qint16(i % 100 < 50 ? 8000 : -8000), son.data() + 2 * i);
  wav += QByteArray("data") + QByteArray::fromHex("88580100") + son;
  Ecrire(QStringLiteral("boucle.wav"), wav);
  {
    CoucheAudioSdl audio;
    // Refused in our words, or a second long: either way it came back.
    const auto erreur = audio.Ouvrir(Peripherique::Onde, Chemin("boucle.wav"));
    if (erreur) {
      EXPECT_TRUE(erreur->startsWith(QStringLiteral("fichier son"))) << erreur->toStdString();
    } else {
      EXPECT_NEAR(audio.Duree(), 1000, 20);
      audio.Jouer(500, 0);
      EXPECT_TRUE(audio.EnLecture());
    }
  }
}

}  // namespace
}  // namespace plivor

namespace plivor {
namespace {

// Today's sound files play on the projection's player: the two notes come
// back from the disk driver at their pitch.
TEST_F(AudioSdl, FlacOggEtOpusSeJouent) {
  ASSERT_TRUE(EcrireWav(Chemin("notes.wav"), DeuxNotes(), kFrequence, 1));
  const struct {
    const char* nom;
    QStringList options;
  } cas[] = {{"notes.flac", {}}, {"notes.ogg", {"-c:a", "libvorbis", "-q:a", "6"}}, {"notes.opus", {"-c:a", "libopus", "-b:a", "96k"}}};
  for (const auto& c : cas) {
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), QStringList{"-loglevel", "error", "-y", "-i", Chemin("notes.wav")} + c.options +
                                               QStringList{Chemin(QString::fromLatin1(c.nom))});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000));
    ASSERT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();
  }
  for (const auto& c : cas) {
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(dossier.filePath(QString::fromLatin1(c.nom) + ".raw")));
    {
      CoucheAudioSdl audio;
      ASSERT_FALSE(audio.Ouvrir(Peripherique::Onde, Chemin(QString::fromLatin1(c.nom)))) << c.nom;
      EXPECT_NEAR(audio.Duree(), 2000, 30) << c.nom;
      audio.RegleVolume(Peripherique::Onde, {65535, 65535});
      audio.Jouer(0, 0);
      Attendre(2300);
    }
    const std::vector<std::int16_t> e = CanalGauche(dossier.filePath(QString::fromLatin1(c.nom) + ".raw"));
    const Extrait s = Sonore(e);
    ASSERT_GT(s.fin, s.debut + kFrequence) << c.nom;
    EXPECT_NEAR(Frequence(e, s.debut + kFrequence / 4, kFrequence / 2), 440, 10) << c.nom;
    EXPECT_NEAR(Frequence(e, s.debut + kFrequence * 5 / 4, kFrequence / 2), 880, 15) << c.nom;
  }
}

}  // namespace
}  // namespace plivor

namespace plivor {
namespace {

// Found by fuzzing: 8 000 samples said to be at 1 Hz were hours once
// brought to the mixer's rate, gigabytes of memory.
TEST_F(AudioSdl, UnWavAUnHertzEstRefuse) {
  std::vector<std::int16_t> e(8000, 1000);
  ASSERT_TRUE(EcrireWav(Chemin("lent.wav"), e, 1, 1));
  CoucheAudioSdl audio;
  EXPECT_EQ(audio.Ouvrir(Peripherique::Onde, Chemin("lent.wav")),
            QStringLiteral("fichier son abîmé : sa fréquence de 1 Hz n'est pas celle d'un son"));
}

}  // namespace
}  // namespace plivor
