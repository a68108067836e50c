#include "sources/TFSource.h"

namespace plivor {

TFSource::TFSource(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("TFSource"));
  setWindowTitle(QStringLiteral("Plivor : Fenêtre des Ressources"));
  resize(226, 573);
}

}  // namespace plivor
