// The projection and the video export hear the same thing: the same calls,
// made at the same frames, on the projection's sound layer (through SDL's
// disk driver) and on the export's (on its simulated clock), give the same
// samples, for every kind of sound and for what the lines ask of it (a
// start within the sound, a length, volume steps of a fade, a pause and its
// resume).

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

#include "codecs/Encodeurs.h"
#include "platform/AudioSdl.h"
#include "platform/SoundFont.h"
#include "support/SonsEssai.h"
#include "video/CoucheAudioExport.h"

namespace plivor {
namespace {

using namespace test;

// One call of the script, at a frame of the clock.
struct Appel {
  long long trame;
  std::function<void(CoucheAudio&, LecteurMp3*)> faire;
};

// A C major arpeggio of half notes, then a chord: a format 0 file.
QByteArray Arpege() {
  QByteArray piste;
  const auto ev = [&piste](int delai, std::initializer_list<int> octets) {
    piste.append(char(delai >= 128 ? 0x80 | (delai >> 7) : delai));
    if (delai >= 128) piste.append(char(delai & 0x7F));
    for (int o : octets) piste.append(char(o));
  };
  ev(0, {0xC0, 0});
  const int notes[] = {60, 64, 67, 72};
  for (int n : notes) {
    ev(0, {0x90, n, 100});
    ev(96, {0x80, n, 0});
  }
  ev(0, {0x90, 60, 90}), ev(0, {0x90, 64, 90}), ev(0, {0x90, 67, 90});
  ev(192, {0x80, 60, 0}), ev(0, {0x80, 64, 0}), ev(0, {0x80, 67, 0});
  ev(0, {0xFF, 0x2F, 0x00});
  QByteArray f("MThd\0\0\0\6\0\0\0\1\0\x60", 14);
  f.append("MTrk");
  for (int i = 3; i >= 0; --i) f.append(char((piste.size() >> (8 * i)) & 0xFF));
  return f + piste;
}

class MemeSon : public testing::Test {
 protected:
  MemeSon() {
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(Chemin("projection.raw")));
    EXPECT_TRUE(EcrireWav(Chemin("notes.wav"), DeuxNotes(), kFrequence, 1));
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }

  void Convertir(const QString& nom, const QStringList& options) {
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), QStringList{"-loglevel", "error", "-y", "-i", Chemin("notes.wav")} + options +
                                               QStringList{Chemin(nom)});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000));
    ASSERT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();
  }

  // The script played by the projection's layer, each call made while the
  // device waits, at the frame it reached; the frames are noted in the
  // script for the export.
  std::vector<float> Projection(std::vector<Appel>& script, bool mp3, long long fin) {
    {
      CoucheAudioSdl audio;
      EXPECT_TRUE(audio.Erreur().isEmpty()) << audio.Erreur().toStdString();
      QString erreur;
      std::unique_ptr<LecteurMp3> lecteur = mp3 ? audio.CreerMp3(erreur) : nullptr;
      for (Appel& a : script) {
        while (audio.Trame() < a.trame) Attendre(5);
        const CoucheAudioSdl::MemeTrame garde(audio);
        a.trame = audio.Trame();
        a.faire(audio, lecteur.get());
      }
      while (audio.Trame() < fin) Attendre(10);
      lecteur.reset();
    }
    return Stereo(Chemin("projection.raw"));
  }

  // The same calls on the export's clock, mixed as the export mixes.
  std::vector<float> Export(const std::vector<Appel>& script, bool mp3, long long fin) {
    CadenceExport horloge(25, [](long long) {});
    JournalSonore journal;
    SourcesSonores sources(SoundFontParDefaut({}));
    CoucheAudioExport audio(horloge, journal, sources);
    QString erreur;
    std::unique_ptr<LecteurMp3> lecteur = mp3 ? audio.CreerMp3(erreur) : nullptr;
    std::vector<float> sortie;
    const auto jusqua = [&](long long trame) {
      // Mixed by the device's blocks, as far as the clock goes.
      while (journal.Produites() + CoucheAudioSdl::kTrameParAppel <= trame)
        journal.Melanger(journal.Produites() + CoucheAudioSdl::kTrameParAppel, sortie);
      horloge.AvancerJusqua(Cadence::Duree((trame * 1'000'000'000LL + kFrequenceExport - 1) / kFrequenceExport));
      audio.Rattraper();
    };
    for (const Appel& a : script) {
      jusqua(a.trame);
      EXPECT_EQ(audio.Trame(), a.trame);
      a.faire(audio, lecteur.get());
    }
    jusqua(fin);
    journal.Melanger(fin, sortie);
    lecteur.reset();
    return sortie;
  }

  void Comparer(const QString& nom, Peripherique p) {
    // Full volume, a start 700 ms in, two steps of a fade, a pause and its
    // resume, then 600 ms from 300 ms as a line's length asks.
    std::vector<Appel> script = {
        {2000, [p](CoucheAudio& a, LecteurMp3*) { a.RegleVolume(p, {65535, 65535}); }},
        {4800, [p, this, nom](CoucheAudio& a, LecteurMp3*) {
           EXPECT_FALSE(a.Ouvrir(p, Chemin(nom)));
           a.Jouer(700, 0);
         }},
        {24000, [p](CoucheAudio& a, LecteurMp3*) { a.RegleVolume(p, {32768, 32768}); }},
        {30000, [p](CoucheAudio& a, LecteurMp3*) { a.RegleVolume(p, {16384, 16384}); }},
        {40000, [](CoucheAudio& a, LecteurMp3*) { a.Pause(); }},
        {52000, [](CoucheAudio& a, LecteurMp3*) { a.Reprendre(); }},
        {66000, [p](CoucheAudio& a, LecteurMp3*) {
           a.Arreter();
           a.RegleVolume(p, {65535, 65535});
           a.Jouer(300, 900);
         }},
    };
    Verifier(nom, script, false, 110000);
  }

  // Samples of the device's file from frame `decalage` on that differ from
  // the export's, and the first of them.
  static size_t Differents(const std::vector<float>& fichier, size_t decalage, const std::vector<float>& video,
                           size_t& premier) {
    size_t differents = 0;
    for (size_t i = 0; i < video.size(); ++i)
      if (std::abs(fichier[decalage * 2 + i] - video[i]) > 1e-6f && differents++ == 0) premier = i / 2;
    return differents;
  }

  void Verifier(const QString& nom, std::vector<Appel>& script, bool mp3, long long fin) {
    const std::vector<float> fichier = Projection(script, mp3, fin);
    const std::vector<float> video = Export(script, mp3, fin);
    ASSERT_EQ(video.size(), size_t(fin) * 2) << nom.toStdString();
    // Until it is unpaused, SDL writes silence of its own into the file: the
    // engine's first frame is a few whole device blocks in, when the machine
    // is slow to get there. Silence before it, and then the very samples.
    size_t decalage = 0, premier = 0;
    for (size_t k = 0; k < 8 && (k * CoucheAudioSdl::kTrameParAppel + size_t(fin)) * 2 <= fichier.size(); ++k) {
      const size_t d = k * CoucheAudioSdl::kTrameParAppel;
      if (std::any_of(fichier.begin(), fichier.begin() + long(d) * 2, [](float v) { return v != 0; })) break;
      if (Differents(fichier, d, video, premier) == 0) {
        decalage = d;
        break;
      }
    }
    ASSERT_GE(fichier.size(), (decalage + size_t(fin)) * 2) << nom.toStdString();
    const std::vector<float> projection(fichier.begin() + long(decalage) * 2, fichier.begin() + long(decalage + fin) * 2);
    const size_t differents = Differents(fichier, decalage, video, premier);
    double energie = 0;
    for (const float v : video) energie += double(v) * v;
    // Where it went apart, and at which frames the calls were made there.
    std::string appels;
    for (const Appel& a : script) appels += " " + std::to_string(a.trame);
    EXPECT_EQ(differents, 0u) << nom.toStdString() << ": first differing frame " << premier << " (projection "
                              << (premier < projection.size() / 2 ? projection[premier * 2] : 0.0f) << ", export "
                              << (premier < video.size() / 2 ? video[premier * 2] : 0.0f) << "); calls at" << appels;
    // Something was heard: the two are not merely silent alike.
    EXPECT_GT(energie / double(video.size()), 1e-4) << nom.toStdString();
  }

  QTemporaryDir dossier_;
};

TEST_F(MemeSon, LesSonsEchantillonnesDuLecteurMultimedia) {
  Convertir(QStringLiteral("notes.mp3"), {"-c:a", "libmp3lame", "-b:a", "128k"});
  Convertir(QStringLiteral("notes.flac"), {"-ar", "44100"});
  Convertir(QStringLiteral("notes.ogg"), {"-c:a", "libvorbis", "-q:a", "5"});
  for (const char* nom : {"notes.wav", "notes.mp3", "notes.flac", "notes.ogg"}) Comparer(QString::fromLatin1(nom), Peripherique::Onde);
}

TEST_F(MemeSon, UnMidiJoueParLeSynthetiseur) {
  if (!QFile::exists(SoundFontParDefaut({}))) GTEST_SKIP() << "pas de SoundFont";
  QFile f(Chemin("arpege.mid"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(Arpege());
  f.close();
  Comparer(QStringLiteral("arpege.mid"), Peripherique::Midi);
}

// The MP3 player of an MP3 line: opened, sought to a line's start, paused,
// resumed, stopped, and played to its end.
TEST_F(MemeSon, LeLecteurMp3) {
  Convertir(QStringLiteral("notes.mp3"), {"-c:a", "libmp3lame", "-b:a", "128k"});
  const QString chemin = Chemin("notes.mp3");
  std::vector<Appel> script = {
      {1000, [](CoucheAudio& a, LecteurMp3*) { a.RegleVolume(Peripherique::Onde, {52428, 52428}); }},
      {3000, [chemin](CoucheAudio&, LecteurMp3* l) {
         EXPECT_TRUE(l->InputOpen(chemin).isEmpty());
         l->InputSeek(1, 4);
         l->Play();
       }},
      {20000, [](CoucheAudio&, LecteurMp3* l) { l->Pause(); }},
      {30000, [](CoucheAudio&, LecteurMp3* l) { l->Play(); }},
      {45000, [](CoucheAudio&, LecteurMp3* l) { l->Stop(); }},
      {50000, [](CoucheAudio&, LecteurMp3* l) { l->Play(); }},
  };
  Verifier(QStringLiteral("lecteur MP3"), script, true, 160000);
}

}  // namespace
}  // namespace plivor
