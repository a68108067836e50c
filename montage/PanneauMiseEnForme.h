#pragma once
// The formatting panel pnF_panneau on screen: it covers the montage list
// while open, binds its controls to the MiseEnForme engine and shows the
// miniature the engine draws.

#include <QWidget>

#include "montage/MiseEnForme.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace plivor {

class PanneauMiseEnForme : public QWidget {
  Q_OBJECT

 public:
  // Lies over `liste` and follows its geometry.
  PanneauMiseEnForme(MiseEnForme& moteur, QWidget* liste);

  QWidget* Miniature() const { return miniature_; }
  QComboBox* Dim() const { return dim_; }
  QComboBox* Pos() const { return pos_; }

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void Rafraichir();
  void Placer();
  void Fonte();

  MiseEnForme& moteur_;
  QWidget* liste_;
  QLabel* type_ = nullptr;
  QLabel* conteneur_ = nullptr;
  QComboBox* dim_ = nullptr;
  QComboBox* pos_ = nullptr;
  QWidget* miniature_ = nullptr;
  QWidget* fontes_ = nullptr;
  QComboBox* noms_ = nullptr;
  QComboBox* tailles_ = nullptr;
  QComboBox* styles_ = nullptr;
  QWidget* options_ = nullptr;
  QStackedWidget* onglets_ = nullptr;
  QLineEdit* cadre_ = nullptr;
  QLineEdit* marge_ = nullptr;
  QComboBox* bureau_ = nullptr;
  QComboBox* opaque_ = nullptr;
  QComboBox* detacher_ = nullptr;
  QComboBox* masque_ = nullptr;
  QLineEdit* texteTitre_ = nullptr;
  QLineEdit* fichier_ = nullptr;
  QCheckBox* inclure_ = nullptr;
  bool synchro_ = false;
};

}  // namespace plivor
