#include "montage/TFListe.h"

namespace plivor {

TFListe::TFListe(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("TFListe"));
  setWindowTitle(QStringLiteral("Plivor : Montage"));
  resize(234, 654);
}

}  // namespace plivor
