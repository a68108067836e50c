// Sound lines of a projection played through SDL's disk driver and read back.

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

#include "codecs/Encodeurs.h"
#include "platform/AudioSdl.h"
#include "support/BancVue.h"

namespace plivor {
namespace {

constexpr int kFrequence = 44100;

void Attendre(int ms) {
  QEventLoop boucle;
  QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
  boucle.exec();
}

// Two seconds: 440 Hz, then 880 Hz, at a steady amplitude of 10 000.
std::vector<std::int16_t> DeuxNotes() {
  std::vector<std::int16_t> e(2 * kFrequence);
  for (size_t i = 0; i < e.size(); ++i)
    e[i] = std::int16_t(10000 * std::sin(2 * M_PI * (i < size_t(kFrequence) ? 440 : 880) * double(i) / kFrequence));
  return e;
}

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
    QFile f(sortie_.filePath(QStringLiteral("sortie.raw")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray octets = f.readAll();
    std::vector<std::int16_t> gauche(size_t(octets.size()) / 4);
    for (size_t i = 0; i < gauche.size(); ++i) std::memcpy(&gauche[i], octets.constData() + 4 * i, 2);
    return gauche;
  }
  QTemporaryDir sortie_;
  std::unique_ptr<CoucheAudioSdl> son_;
  std::unique_ptr<test::BancVue> banc_;
};

size_t PremierSon(const std::vector<std::int16_t>& e) {
  size_t i = 0;
  while (i < e.size() && std::abs(e[i]) < 300) ++i;
  return i;
}

size_t DernierSon(const std::vector<std::int16_t>& e) {
  size_t i = e.size();
  while (i > 0 && std::abs(e[i - 1]) < 300) --i;
  return i;
}

int Crete(const std::vector<std::int16_t>& e, size_t debut, size_t n) {
  int c = 0;
  for (size_t i = debut; i < std::min(e.size(), debut + n); ++i) c = std::max(c, std::abs(int(e[i])));
  return c;
}

double Frequence(const std::vector<std::int16_t>& e, size_t debut, size_t n) {
  int passages = 0;
  for (size_t i = debut + 1; i < std::min(e.size(), debut + n); ++i)
    if ((e[i - 1] < 0) != (e[i] < 0)) ++passages;
  return passages / 2.0 / (double(n) / kFrequence);
}

TEST_F(MusiqueSdl, UnSonPartDeSonDebutEtSArreteApresSaDuree) {
  banc_->Projeter({Cp("Audio-Début=1000.pvi"), Cp("Audio-Durée=400.pvi"), banc_->Chemin("notes.wav"),
                   "Titrage=Fin.pvv"});
  banc_->Projeter({banc_->Chemin("notes.wav"), "Titrage=Fin.pvv"});  // already playing: not restarted
  Attendre(1000);
  EXPECT_FALSE(son_->EnLecture());
  const auto e = Sortie();
  const size_t debut = PremierSon(e), fin = DernierSon(e);
  EXPECT_NEAR(Frequence(e, debut, kFrequence / 10), 880, 20);
  EXPECT_NEAR(double(fin - debut) / kFrequence, 0.4, 0.1);
}

TEST_F(MusiqueSdl, LeFonduEntrantMonteSurSaDuree) {
  banc_->Projeter({"Audio-FadeIn=800.pvi", banc_->Chemin("notes.wav"), "Titrage=Fin.pvv"});
  Attendre(1300);
  const auto e = Sortie();
  const size_t debut = PremierSon(e);
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
  const size_t debut = PremierSon(e);
  size_t plusLongSilence = 0, silence = 0;
  for (size_t i = debut; i < DernierSon(e); ++i) {
    silence = std::abs(e[i]) < 300 ? silence + 1 : 0;
    plusLongSilence = std::max(plusLongSilence, silence);
  }
  EXPECT_GT(plusLongSilence, size_t(kFrequence / 5));
}

}  // namespace
}  // namespace plivor
