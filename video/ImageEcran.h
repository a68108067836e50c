#pragma once
// What the screen shows of the projection: the desktop black around the
// window, the window's frame with its bevel, the paint box inside it; the
// same drawing as the window on screen.

#include <QImage>
#include <QRect>

namespace plivor {

class TFVue;

void ComposerEcran(const TFVue& vue, QImage& ecran);
// The window's card alone, scaled to fill `cadre` with its aspect kept and
// black bars where the aspects differ; its paint box is at the card's scale.
void ComposerCadre(const TFVue& vue, QImage& cadre);

// Everything of the screen but the paint box's pixels.
struct PlanEcran {
  QRect fenetre, carton, boite;
  bool cartonVisible = false;
  int couleurCarton = 0, biseau = 0;
  bool operator==(const PlanEcran&) const = default;
};
PlanEcran PlanDe(const TFVue& vue);

}  // namespace plivor
