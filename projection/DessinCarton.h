#pragma once
// The slide's card as the window shows it: its colour, its bevel and the
// paint box on it. The window and the video export draw it alike, so an
// export shows exactly what the projection shows.

class QPainter;

namespace plivor {

class TFVue;

// In the window's coordinates; nothing when the card is hidden.
void DessinerCarton(QPainter& peintre, const TFVue& vue);

}  // namespace plivor
