#pragma once
// The TFMenu window. Created once at start and kept for the whole run.

#include <QWidget>

namespace plivor {

class TFMenu : public QWidget {
  Q_OBJECT

 public:
  explicit TFMenu(QWidget* parent = nullptr);
};

}  // namespace plivor
