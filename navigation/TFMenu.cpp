#include "navigation/TFMenu.h"

namespace plivor {

TFMenu::TFMenu(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TFMenu"));
  setWindowTitle(QStringLiteral("Plivor"));
  resize(260, 60);
}

}  // namespace plivor
