#pragma once
// The builder's controls in the montage window: the six instruction
// buttons, the instruction list Cmd_Liste drawn with its icons, the value
// editor pni_modif in its place, and the formatting panel over the list.

#include <QWidget>
#include <memory>

#include "montage/Constructeur.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace plivor {

class PanneauMiseEnForme;

class TFConstructeur : public QWidget {
  Q_OBJECT

 public:
  TFConstructeur(Montage& montage, QWidget* parent);
  ~TFConstructeur() override;

  Constructeur& Moteur() { return *moteur_; }
  QComboBox* CmdListe() const { return cmdListe_; }
  QLineEdit* Valeur() const { return valeur_; }
  PanneauMiseEnForme* Panneau() const { return panneau_; }
  // The formatting panel covers `liste` while it is open.
  void PlacerPanneau(QWidget* liste);
  // A click on `titre` (the line's title) opens the editor of the line.
  void ModifierSurClic(QWidget* titre);

 signals:
  // The description of the highlighted or chosen instruction.
  void Description(const QString& texte);

 private:
  void Rafraichir();
  void Derouler();
  bool eventFilter(QObject* objet, QEvent* evenement) override;

  std::unique_ptr<Constructeur> moteur_;
  QComboBox* cmdListe_ = nullptr;
  QStackedWidget* pile_ = nullptr;
  QLabel* cmdNom_ = nullptr;
  QLineEdit* valeur_ = nullptr;
  PanneauMiseEnForme* panneau_ = nullptr;
  Liste affiches_;  // the candidates the combo box holds
  QWidget* titre_ = nullptr;
  bool synchro_ = false;
};

}  // namespace plivor
