#pragma once
// The navigation panel on screen: two rows of icon buttons and the flag
// menu image, mirroring PanneauNavigation. Dragged by any free part.

#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <map>

#include "navigation/PanneauNavigation.h"

class QMenu;

namespace plivor {

// A flat icon button that also reports presses and releases of the right
// button.
class BoutonPanneau : public QToolButton {
  Q_OBJECT

 public:
  BoutonPanneau(Emetteur bouton, QWidget* parent);
  Emetteur Bouton() const { return bouton_; }

 signals:
  void Presse(bool droit);
  void Relache(bool droit);

 protected:
  void mousePressEvent(QMouseEvent* evenement) override;
  void mouseReleaseEvent(QMouseEvent* evenement) override;

 private:
  Emetteur bouton_;
};

// Menu_img with its highlight frames; the highlighted cell is `Bouton`.
class ImageMenu : public QLabel {
  Q_OBJECT

 public:
  ImageMenu(PanneauNavigation& panneau, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* evenement) override;
  void mouseMoveEvent(QMouseEvent* evenement) override;
  void mouseReleaseEvent(QMouseEvent* evenement) override;
  void paintEvent(QPaintEvent* evenement) override;

 private:
  PanneauNavigation& panneau_;
};

class TFMenu : public QWidget {
  Q_OBJECT

 public:
  TFMenu(PanneauNavigation& panneau, TFVue& vue, QMenu* popImage, QWidget* parent = nullptr);

 protected:
  void moveEvent(QMoveEvent* evenement) override;
  void changeEvent(QEvent* evenement) override;
  void contextMenuEvent(QContextMenuEvent* evenement) override;

 private:
  void Creer(Emetteur bouton, int rangee, int x, int largeur = 28);
  void Actualiser();
  void MontrerDPop(QPoint ou);

  PanneauNavigation& panneau_;
  TFVue& vue_;
  QMenu* popImage_;
  std::map<Emetteur, BoutonPanneau*> boutons_;
  QWidget* icones1_;
  QWidget* icones2_;
  QWidget* menu_pn_;
  ImageMenu* menu_img_;
  bool synchronisation_ = false;
};

}  // namespace plivor
