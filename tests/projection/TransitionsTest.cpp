#include <gtest/gtest.h>

#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancVue;

const int kTransitions[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14};

class Transitions : public testing::Test {
 protected:
  Transitions() {
    vue().PBox.fill(Qt::white);
    vue().CodeDiapo = 400;  // the slide is the paint box, at (0, 0)
    vue().LargeurDiapo = vue().PBox.width();
    vue().HauteurDiapo = vue().PBox.height();
  }
  TFVue& vue() { return *banc.vue; }
  // The photo drawn without ground, centred in the slide.
  void Montrer(const QImage& image, int transition, bool opaque = true) {
    vue().Photo = image;
    vue().SansFond = true;
    vue().ImageOpaque = opaque;
    vue().CodeTransition = transition;
    vue().CodeInstruction = 0;
    vue().Transitions();
  }
  QImage Zone() const {
    const QPoint o = banc.vue->OrigineImage();
    return banc.vue->PBox.copy(o.x(), o.y(), banc.vue->Photo.width(), banc.vue->Photo.height());
  }
  BancVue banc;
};

TEST_F(Transitions, ChacuneDevoileExactementLImage) {
  for (const QSize taille : {QSize(101, 77), QSize(64, 64), QSize(3, 250)}) {
    for (int code : kTransitions) {
      vue().PBox.fill(Qt::white);
      const QImage image = test::Quadrants(taille.width(), taille.height());
      Montrer(image, code);
      EXPECT_EQ(Zone(), image) << "transition " << code << " " << taille.width() << "x" << taille.height();
      const QPoint o = vue().OrigineImage();
      EXPECT_EQ(vue().PBox.pixelColor(o.x() - 1, o.y() - 1), QColor(Qt::white)) << code;
      EXPECT_EQ(vue().PBox.pixelColor(o.x() + taille.width(), o.y() + taille.height()), QColor(Qt::white)) << code;
    }
  }
}

TEST_F(Transitions, EnModeTransparentLaCouleurCleResteInvisible) {
  QImage image = test::Unie(90, 60, QColor(0, 0, 255));
  for (int y = 20; y < 40; ++y)
    for (int x = 30; x < 60; ++x) image.setPixelColor(x, y, QColor(200, 10, 10));
  vue().CouleurTransparente = RGB(0, 0, 255);
  for (int code : kTransitions) {
    vue().PBox.fill(Qt::white);
    Montrer(image, code, false);
    QImage attendue = test::Unie(90, 60, Qt::white);
    for (int y = 20; y < 40; ++y)
      for (int x = 30; x < 60; ++x) attendue.setPixelColor(x, y, QColor(200, 10, 10));
    EXPECT_EQ(Zone(), attendue) << "transition " << code;
  }
}

TEST_F(Transitions, SansNeMarqueAucunePause) {
  Montrer(test::Quadrants(200, 100), 0);
  EXPECT_EQ(banc.cadence.pauses, 0);
  EXPECT_EQ(banc.cadence.ecoule.count(), 0);
}

TEST_F(Transitions, VenitienEnBandesDeTrenteLignes) {
  Montrer(test::Quadrants(100, 900), 11);
  EXPECT_EQ(banc.cadence.pauses, 30);
  EXPECT_EQ(vue().NombrePas, 0);  // reset once done
  banc.cadence.pauses = 0;
  Montrer(test::Quadrants(100, 20), 11);  // less than 30 rows: bands of one row
  EXPECT_EQ(banc.cadence.pauses, 1);
  EXPECT_EQ(Zone(), test::Quadrants(100, 20));
}

TEST_F(Transitions, NombreDePausesDesBalayages) {
  const std::pair<int, int> attendues[] = {{1, 60}, {2, 61}, {3, 80}, {4, 81}, {5, 41}, {6, 41}, {7, 32}, {8, 31}};
  for (const auto& [code, pauses] : attendues) {
    banc.cadence.pauses = 0;
    Montrer(test::Quadrants(80, 60), code);
    EXPECT_EQ(banc.cadence.pauses, pauses) << code;
  }
}

TEST_F(Transitions, LaDureeSuitLeCodeDeDureeEtLaVitesse) {
  vue().VitesseTransitions = 400;
  vue().DureeTransition = 14;
  Montrer(test::Quadrants(300, 200), 1);
  const double uneSeconde = std::chrono::duration<double>(banc.cadence.ecoule).count();
  EXPECT_NEAR(uneSeconde, 1.0, 0.01);  // d / 14 s at the speed 400
  vue().DureeTransition = 1;
  Montrer(test::Quadrants(300, 200), 1);
  const double quart = std::chrono::duration<double>(banc.cadence.ecoule).count();
  vue().DureeTransition = 10;
  Montrer(test::Quadrants(300, 200), 1);
  const double troisQuarts = std::chrono::duration<double>(banc.cadence.ecoule).count();
  EXPECT_NEAR(quart / troisQuarts, 0.1, 0.005);
  vue().VitesseTransitions = 800;
  Montrer(test::Quadrants(300, 200), 1);
  EXPECT_NEAR(std::chrono::duration<double>(banc.cadence.ecoule).count() / troisQuarts, 2.0, 0.02);
}

TEST_F(Transitions, UnFondDeDiapoDureDeuxFoisPlusUneImageTransparenteDeuxFoisMoins) {
  vue().DureeTransition = 14;
  vue().CodeTransition = 1;
  vue().ImageOpaque = true;
  vue().CodeInstruction = 4001;
  vue().Transitions();
  EXPECT_NEAR(std::chrono::duration<double>(banc.cadence.ecoule).count(), 2.0, 0.02);
  Montrer(test::Quadrants(300, 200), 1, false);
  EXPECT_NEAR(std::chrono::duration<double>(banc.cadence.ecoule).count(), 0.5, 0.01);
}

TEST_F(Transitions, CodeNeufSignaleEtNeDessineRien) {
  const QImage avant = vue().PBox;
  Montrer(test::Quadrants(50, 50), 9);
  EXPECT_EQ(banc.dialogues.textes.value(0),
            QString::fromUtf8("Transition non reconnue\rVérifier la ligne d'instruction."));
  EXPECT_EQ(vue().PBox, avant);
}

TEST_F(Transitions, LEcranSuitLaTransitionPendantQuElleSeDeroule) {
  int images = 0;
  QObject::connect(banc.vue.get(), &TFVue::Presenter, [&images] { ++images; });
  vue().DureeTransition = 14;
  Montrer(test::Quadrants(300, 200), 3);
  // One second at a frame every 40 ms of the simulated cadence, and the end.
  EXPECT_GE(images, 24);
  EXPECT_LE(images, 27);
}

TEST_F(Transitions, UnTitreLaisseVoirLaDiapoEntreSesLettres) {
  vue().Titre = test::Unie(40, 20, QColor(0, 255, 0));
  vue().Titre.setPixelColor(10, 10, QColor(255, 0, 0));
  vue().CodeTitre = 704;
  vue().MargeDiapo = false;
  vue().CodeInstruction = 7011;
  vue().ImageOpaque = false;
  vue().Transitions();
  EXPECT_EQ(vue().PBox.pixelColor(0, 0), QColor(Qt::white));
  EXPECT_EQ(vue().PBox.pixelColor(10, 10), QColor(255, 0, 0));
  EXPECT_EQ(vue().CodeInstruction, 0);
}

}  // namespace
}  // namespace plivor
