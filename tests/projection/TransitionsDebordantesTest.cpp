// A picture larger than the paint box, revealed by every transition: the
// paint box ends with exactly the part of the picture that lies over it,
// whether the rows and columns are drawn at once or held for their frame.

#include <gtest/gtest.h>

#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

TEST(TransitionsDebordantes, LaBoiteMontreExactementLaPartieDeLImageQuiLaCouvre) {
  test::BancVue banc;
  TFVue& vue = *banc.vue;
  vue.CodeDiapo = 400;  // the slide is the paint box, at (0, 0)
  vue.LargeurDiapo = vue.PBox.width();
  vue.HauteurDiapo = vue.PBox.height();
  vue.SansFond = true;
  vue.DureeTransition = 14;
  const QImage image = test::Quadrants(vue.PBox.width() + 41, vue.PBox.height() + 30);
  for (const bool opaque : {true, false}) {
    for (const int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14}) {
      vue.PBox.fill(Qt::white);
      vue.Photo = image;
      vue.ImageOpaque = opaque;
      vue.CouleurTransparente = RGB(1, 2, 3);  // in no quadrant
      vue.CodeTransition = code;
      vue.CodeInstruction = 0;
      int images = 0;
      const auto connexion = QObject::connect(&vue, &TFVue::Presenter, [&] { ++images; });
      vue.Transitions();
      QObject::disconnect(connexion);
      const QPoint o = vue.OrigineImage();
      ASSERT_LT(o.x(), 0);
      ASSERT_LT(o.y(), 0);
      EXPECT_EQ(vue.PBox, image.copy(-o.x(), -o.y(), vue.PBox.width(), vue.PBox.height()))
          << "transition " << code << (opaque ? " opaque" : " transparente");
      EXPECT_GE(images, 1) << code;
    }
  }
}

}  // namespace
}  // namespace plivor
