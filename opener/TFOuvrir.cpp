#include "opener/TFOuvrir.h"

namespace plivor {

TFOuvrir::TFOuvrir(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TFOuvrir"));
  setWindowTitle(QStringLiteral("Plivor-Prelio : Ouvrir une séquence"));
  resize(466, 392);
}

}  // namespace plivor
