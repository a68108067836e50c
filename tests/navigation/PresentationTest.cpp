// The projection window during a transition: each frame repaints the rows
// or columns drawn since the last one, and only those; after each frame the
// window shows exactly the paint box.

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "projection/EcranVue.h"
#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

class Presentation : public testing::Test {
 protected:
  Presentation() : banc(QSize(320, 240)) {
    TFVue& v = *banc.vue;
    v.Fenetre = QRect(0, 0, 320, 240);
    v.CodeFenetre = 380;
    v.CadreFenetre = v.MargeFenetre = 0;
    ecran = std::make_unique<EcranVue>(v);
    v.Rafraichir();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(ecran.get()));
    v.PBox.fill(Qt::white);
    v.CodeDiapo = 400;
    v.LargeurDiapo = v.PBox.width();
    v.HauteurDiapo = v.PBox.height();
    v.DureeTransition = 14;
    v.SansFond = true;
    v.ImageOpaque = true;
  }
  // What the window's backing store holds under the paint box.
  QImage Fenetre() const {
    const QRect boite(banc.vue->Carton.topLeft() + banc.vue->RectPBox().topLeft(), banc.vue->PBox.size());
    return QGuiApplication::primaryScreen()
        ->grabWindow(ecran->winId(), boite.x(), boite.y(), boite.width(), boite.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  }
  test::BancVue banc;
  std::unique_ptr<EcranVue> ecran;
};

TEST_F(Presentation, ChaqueImageMontreLaBoiteEtNeRepeintQueCeQuiAChange) {
  TFVue& v = *banc.vue;
  v.Photo = test::Quadrants(200, 100);
  // Transitions and the frames their steps give at least over one second.
  for (const auto& [code, minimum] : {std::pair{1, 20}, {3, 20}, {6, 20}, {7, 20}, {11, 3}, {14, 2}}) {
    v.PBox.fill(Qt::white);
    ecran->repaint();
    ASSERT_EQ(Fenetre(), v.PBox);
    // A pixel changed behind the window's back, away from the picture: the
    // frames of the transition leave it as the window last showed it.
    v.PBox.setPixelColor(v.PBox.width() - 1, v.PBox.height() - 1, QColor(0, 0, 0));
    v.CodeTransition = code;
    v.CodeInstruction = 0;
    int images = 0, justes = 0;
    const auto connexion = QObject::connect(&v, &TFVue::Presenter, [&] {
      // The end of a transition whose last frame showed everything brings nothing new.
      const std::optional<QRegion>& zone = v.Services().cadence.zone;
      if (zone && zone->isEmpty()) return;
      ++images;
      QImage attendue = v.PBox.copy();
      attendue.setPixelColor(attendue.width() - 1, attendue.height() - 1, QColor(Qt::white));
      if (Fenetre() == attendue) ++justes;
    });
    const long long peintes = ecran->ImagesDeTransition();
    v.Transitions();
    QObject::disconnect(connexion);
    EXPECT_GE(images, minimum) << code;
    EXPECT_EQ(justes, images) << code;
    EXPECT_EQ(ecran->ImagesDeTransition() - peintes, images) << code;
    EXPECT_EQ(Fenetre().pixelColor(v.PBox.width() - 1, v.PBox.height() - 1), QColor(Qt::white)) << code;
  }
}

}  // namespace
}  // namespace plivor
