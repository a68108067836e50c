// Sound lines of a projection played through SDL's disk driver and read back.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

#include "codecs/Encodeurs.h"
#include "platform/AudioSdl.h"
#include "support/BancVue.h"
#include "support/SonsEssai.h"

namespace plivor {
namespace {

using namespace test;

class MusiqueSdl : public testing::Test {
 protected:
  MusiqueSdl() {
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(sortie_.filePath(QStringLiteral("sortie.raw"))));
    son_ = std::make_unique<CoucheAudioSdl>();
    banc_ = std::make_unique<test::BancVue>(QSize(1280, 800), son_.get());
    EcrireWav(banc_->CheminHote("notes.wav"), DeuxNotes(), kFrequence, 1);
    banc_->vue->PeripheriqueVolume = 0;
    banc_->vue->VolumeAudio = 255;
  }
  // Closes the layer, so the driver has written everything; the left channel.
  std::vector<std::int16_t> Sortie() {
    banc_->vue->FermerAudio();
    son_.reset();
    return CanalGauche(sortie_.filePath(QStringLiteral("sortie.raw")));
  }
  QTemporaryDir sortie_;
  std::unique_ptr<CoucheAudioSdl> son_;
  std::unique_ptr<test::BancVue> banc_;
};

TEST_F(MusiqueSdl, UnSonPartDeSonDebutEtSArreteApresSaDuree) {
  banc_->Projeter({Cp("Audio-Début=1000.pvi"), Cp("Audio-Durée=400.pvi"), banc_->Chemin("notes.wav"),
                   "Titrage=Fin.pvv"});
  banc_->Projeter({banc_->Chemin("notes.wav"), "Titrage=Fin.pvv"});  // already playing: not restarted
  Attendre(1000);
  EXPECT_FALSE(son_->EnLecture());
  const auto e = Sortie();
  const Extrait son = Sonore(e);
  const size_t debut = son.debut, fin = son.fin;
  EXPECT_NEAR(Frequence(e, debut, kFrequence / 10), 880, 20);
  EXPECT_NEAR(double(fin - debut) / kFrequence, 0.4, 0.1);
}

// A start within a second: the mixer alone would start on the whole second.
TEST_F(MusiqueSdl, UnDebutAuMilieuDUneSecondePartDeLa) {
  banc_->Projeter({Cp("Audio-Début=500.pvi"), banc_->Chemin("notes.wav"), "Titrage=Fin.pvv"});
  Attendre(1000);
  const auto e = Sortie();
  const size_t debut = Sonore(e).debut;
  EXPECT_NEAR(Frequence(e, debut + kFrequence * 3 / 10, kFrequence / 20), 440, 20);
  EXPECT_NEAR(Frequence(e, debut + kFrequence * 65 / 100, kFrequence / 20), 880, 20);
}

TEST_F(MusiqueSdl, LeFonduEntrantMonteSurSaDuree) {
  banc_->Projeter({"Audio-FadeIn=800.pvi", banc_->Chemin("notes.wav"), "Titrage=Fin.pvv"});
  Attendre(1300);
  const auto e = Sortie();
  const size_t debut = Sonore(e).debut;
  const size_t dixieme = kFrequence / 10;
  // Quiet at first, rising, then at full volume once the 800 ms are over.
  const int auDebut = Crete(e, debut, dixieme);
  const int auMilieu = Crete(e, debut + 4 * dixieme, dixieme);
  const int aLaFin = Crete(e, debut + 9 * dixieme, dixieme);
  EXPECT_LT(auDebut, 3000);
  EXPECT_GT(auMilieu, auDebut);
  EXPECT_GT(aLaFin, auMilieu);
  EXPECT_NEAR(aLaFin, 10000, 700);
}

TEST_F(MusiqueSdl, LeModeMuetCoupeEtRend) {
  banc_->Projeter({banc_->Chemin("notes.wav"), "Titrage=Fin.pvv"});
  Attendre(300);
  banc_->vue->ModeMuet();
  EXPECT_FALSE(son_->EnLecture());
  Attendre(300);
  banc_->vue->ModeMuet();
  EXPECT_TRUE(son_->EnLecture());
  Attendre(300);
  const auto e = Sortie();
  // A gap of silence in the middle of the sound.
  const Extrait son = Sonore(e);
  size_t plusLongSilence = 0, silence = 0;
  for (size_t i = son.debut; i < son.fin; ++i) {
    silence = std::abs(e[i]) < 300 ? silence + 1 : 0;
    plusLongSilence = std::max(plusLongSilence, silence);
  }
  EXPECT_GT(plusLongSilence, size_t(kFrequence / 5));
}

// Stopped by mute, by the panel's "Pause musique" or by the list's
// "Audio=Muet", the sound goes on from where it stopped: the 880 Hz note
// comes 700 ms after the resumption, not a whole second.
TEST_F(MusiqueSdl, LaMusiqueArreteeReprendOuElleSEtaitArretee) {
  const std::vector<std::pair<const char*, std::function<void(TFVue&)>>> facons = {
      {"muet", [](TFVue& v) { v.ModeMuet(); }},
      {"panneau", [](TFVue& v) { v.AudioAM(v.AudioEnCours ? Emetteur::bt_AudioArret : Emetteur::bt_Audio); }},
      {"liste", [](TFVue& v) { v.Charger(v.Muet ? "Audio=Normal.pvi" : "Audio=Muet.pvi"); }},
  };
  for (const auto& [nom, basculer] : facons) {
    banc_.reset();
    son_ = std::make_unique<CoucheAudioSdl>();
    banc_ = std::make_unique<test::BancVue>(QSize(1280, 800), son_.get());
    EcrireWav(banc_->CheminHote("notes.wav"), DeuxNotes(), kFrequence, 1);
    banc_->vue->PeripheriqueVolume = 0;
    banc_->vue->VolumeAudio = 255;
    banc_->Projeter({banc_->Chemin("notes.wav"), "Titrage=Fin.pvv"});
    banc_->vue->Medias = {banc_->Chemin("notes.wav"), "Titrage=Fin.pvv"};
    Attendre(300);
    basculer(*banc_->vue);
    EXPECT_FALSE(son_->EnLecture()) << nom;
    Attendre(300);
    basculer(*banc_->vue);
    EXPECT_TRUE(son_->EnLecture()) << nom;
    Attendre(1100);
    const auto e = Sortie();
    // The end of the silent gap, then the notes from there.
    const Extrait son = Sonore(e);
    size_t reprise = son.debut, silence = 0;
    for (size_t i = son.debut; i < son.fin; ++i) {
      silence = std::abs(e[i]) < 300 ? silence + 1 : 0;
      if (silence > size_t(kFrequence / 10)) reprise = i + 1;
    }
    ASSERT_GT(reprise, son.debut) << nom;
    while (reprise < e.size() && std::abs(e[reprise]) < 300) ++reprise;
    EXPECT_NEAR(Frequence(e, reprise + kFrequence * 5 / 10, kFrequence / 20), 440, 20) << nom;
    EXPECT_NEAR(Frequence(e, reprise + kFrequence * 85 / 100, kFrequence / 20), 880, 20) << nom;
  }
}

}  // namespace
}  // namespace plivor

namespace plivor {
namespace {

using namespace test;

// An MP3 of 2.5 s: 440 Hz, then 880 Hz from 1.25 s to 1.45 s, then 660 Hz.
// `Audio-Début=1250` lands on the short note, to the sample of the decoded
// stream (it once landed at offset x real length / whole seconds: 1 562 ms,
// past it). The same for a FLAC, and an M4A, which the mixer alone cannot
// read.
TEST_F(MusiqueSdl, AudioDebutTombeAuBonEndroitDansUnMp3UnFlacEtUnM4a) {
  std::vector<std::int16_t> sons(size_t(kFrequence) * 5 / 2);
  for (size_t i = 0; i < sons.size(); ++i) {
    const double f = i < size_t(kFrequence) * 125 / 100 ? 440 : i < size_t(kFrequence) * 145 / 100 ? 880 : 660;
    sons[i] = std::int16_t(10000 * std::sin(2 * M_PI * f * double(i) / kFrequence));
  }
  QTemporaryDir sources;
  ASSERT_TRUE(EcrireWav(sources.filePath("source.wav"), sons, kFrequence, 1));
  for (const char* nom : {"notes.mp3", "notes.flac", "notes.m4a"}) {
    const QString chemin = sources.filePath(QString::fromLatin1(nom));
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-y", "-i", sources.filePath("source.wav"), chemin});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000));
    ASSERT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();
    if (!son_) {
      son_ = std::make_unique<CoucheAudioSdl>();
      banc_ = std::make_unique<test::BancVue>(QSize(1280, 800), son_.get());
      banc_->vue->PeripheriqueVolume = 0;
      banc_->vue->VolumeAudio = 255;
    }
    banc_->Projeter({Cp("Audio-Début=1250.pvi"), chemin.toStdString(), "Titrage=Fin.pvv"});
    Attendre(800);
    EXPECT_TRUE(banc_->dialogues.textes.isEmpty()) << nom << banc_->dialogues.textes.join(' ').toStdString();
    const auto e = Sortie();
    const Extrait s = Sonore(e);
    ASSERT_GT(s.fin, s.debut) << nom;
    EXPECT_NEAR(Frequence(e, s.debut + kFrequence / 50, kFrequence / 10), 880, 20) << nom;
    EXPECT_NEAR(Frequence(e, s.debut + kFrequence * 3 / 10, kFrequence / 5), 660, 20) << nom;
  }
}

}  // namespace
}  // namespace plivor
