#pragma once
// The projection window on screen: shows the frame and the paint box of the
// engine and hands the window's events to it.

#include <QWidget>

namespace plivor {

class TFVue;

class EcranVue : public QWidget {
  Q_OBJECT

 public:
  explicit EcranVue(TFVue& vue, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* evenement) override;
  void resizeEvent(QResizeEvent* evenement) override;
  void moveEvent(QMoveEvent* evenement) override;
  // Closing the window goes through Quitter, which may keep the program.
  void closeEvent(QCloseEvent* evenement) override;

 private:
  void SuivreGeometrie();

  TFVue& vue_;
  bool synchronisation_ = false;
};

}  // namespace plivor
