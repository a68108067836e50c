#pragma once
// What the screen shows of the projection: the desktop black around the
// window, the window's frame with its bevel, the paint box inside it; the
// same drawing as the window on screen.

#include <QImage>

namespace plivor {

class TFVue;

void ComposerEcran(const TFVue& vue, QImage& ecran);

}  // namespace plivor
