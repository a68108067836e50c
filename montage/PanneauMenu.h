#pragma once
// Menu_Pn: the panel of the scene menu, laid over the montage list while
// open. It only binds its controls to the MenuScenes engine.

#include <QWidget>

#include "montage/MenuScenes.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QListWidget;
class QRadioButton;

namespace plivor {

class PanneauMenu : public QWidget {
  Q_OBJECT

 public:
  // Laid over `couvert` (the montage list), following its place and size.
  PanneauMenu(MenuScenes& moteur, QWidget* couvert, QWidget* parent);

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void Actualiser();

  MenuScenes& moteur_;
  QWidget* couvert_ = nullptr;
  QLabel* message_ = nullptr;
  QRadioButton* vignettes_ = nullptr;
  QRadioButton* texte_ = nullptr;
  QCheckBox* menuPvl_ = nullptr;
  QCheckBox* menuSeq_ = nullptr;
  QCheckBox* effacer_ = nullptr;
  QListWidget* entrees_ = nullptr;
  bool synchro_ = false;
};

}  // namespace plivor
