#pragma once
// The TFOuvrir window. Created once at start and kept for the whole run.

#include <QWidget>

namespace plivor {

class TFOuvrir : public QWidget {
  Q_OBJECT

 public:
  explicit TFOuvrir(QWidget* parent = nullptr);
};

}  // namespace plivor
