#pragma once
// The projection window on screen: shows the frame and the paint box of the
// engine and hands the window's events to it.

#include <QWidget>
#include <memory>

class QLabel;
class QTimer;

namespace plivor {

class TFVue;
class MenuProjection;

class EcranVue : public QWidget {
  Q_OBJECT

 public:
  explicit EcranVue(TFVue& vue, QWidget* parent = nullptr);
  ~EcranVue() override;
  MenuProjection& Menu() { return *menu_; }
  // Frames of transitions painted on the window since it was created.
  long long ImagesDeTransition() const { return imagesTransition_; }
  // A notice over the bottom of the show for a few seconds; nothing to click.
  void MontrerAvis(const QString& texte);

 protected:
  void paintEvent(QPaintEvent* evenement) override;
  void resizeEvent(QResizeEvent* evenement) override;
  void moveEvent(QMoveEvent* evenement) override;
  // Closing the window goes through Quitter, which may keep the program.
  void closeEvent(QCloseEvent* evenement) override;
  void mousePressEvent(QMouseEvent* evenement) override;
  void mouseReleaseEvent(QMouseEvent* evenement) override;
  void changeEvent(QEvent* evenement) override;
  // The key left of the digit 1, whatever the layout, toggles mute.
  void keyPressEvent(QKeyEvent* evenement) override;

 private:
  void SuivreGeometrie();
  void PleinEcran();
  void Presenter();
  QRect BoiteEcran() const;  // the paint box in the window

  TFVue& vue_;
  std::unique_ptr<MenuProjection> menu_;
  QLabel* avis_ = nullptr;
  QTimer* finAvis_ = nullptr;
  bool synchronisation_ = false;
  bool imageTransition_ = false;
  long long imagesTransition_ = 0;
};

}  // namespace plivor
