#pragma once
// The TFSource window. Created once at start and kept for the whole run.

#include <QWidget>

namespace plivor {

class TFSource : public QWidget {
  Q_OBJECT

 public:
  explicit TFSource(QWidget* parent = nullptr);
};

}  // namespace plivor
