#pragma once
// The pictures of the navigation panel's buttons, drawn here.

#include <QIcon>

#include "projection/TFVue.h"

namespace plivor {

QIcon Glyphe(Emetteur bouton, QSize taille = QSize(24, 24));

}  // namespace plivor
