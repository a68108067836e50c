#pragma once
// The window of "Exporter en vidéo…": size, rate, quality, window or
// screen, the hardware encoder, and what the video will cost.

#include <QDialog>
#include <vector>

#include "video/ChoixVideo.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace plivor {

class DialogueVideo : public QDialog {
  Q_OBJECT
 public:
  // `fenetre`: the projection window's size; `secondes`: the show's length.
  DialogueVideo(const ChoixVideo& choix, QSize fenetre, double secondes, QWidget* parent = nullptr);
  ChoixVideo Choix() const;

 private:
  void Actualiser();
  std::vector<TailleProposee> tailles_;
  double secondes_;
  QComboBox* taille_;
  QSpinBox* largeur_;
  QSpinBox* hauteur_;
  QComboBox* ips_;
  QComboBox* qualite_;
  QRadioButton* fenetre_;
  QRadioButton* ecran_;
  QCheckBox* materiel_;
  QLabel* estimation_;
};

}  // namespace plivor
