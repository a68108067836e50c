#pragma once
// The TFListe window. Created once at start and kept for the whole run.

#include <QWidget>

namespace plivor {

class TFListe : public QWidget {
  Q_OBJECT

 public:
  explicit TFListe(QWidget* parent = nullptr);
};

}  // namespace plivor
