#pragma once
// The publication panel (Pub_pn) of the resource window: folder, sequence
// name, options, the program to carry, and a bar that moves with the bytes
// copied. Every button goes to the engine's PubClick.

#include <QElapsedTimer>
#include <QWidget>

#include "sources/Publication.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;

namespace plivor {

class PanneauPublication : public QWidget {
  Q_OBJECT

 public:
  PanneauPublication(Publication& publication, QWidget* parent = nullptr);

  // Pub_dossier and Pub_icones, shown over the kind buttons while the panel is.
  QWidget* EnTete() const { return enTete_; }

 private:
  void Construire();
  QWidget* ConstruireEnTete();
  void Rafraichir();  // engine to controls
  void Avancer(qint64 copies, qint64 total);

  Publication& publication_;
  QWidget* enTete_ = nullptr;
  QLabel* dossier_ = nullptr;
  QLineEdit* nomListe_ = nullptr;
  QCheckBox* options_[3] = {};
  QRadioButton* plivor_ = nullptr;
  QRadioButton* prelio_ = nullptr;
  QLabel* enCours_ = nullptr;
  QProgressBar* barre_ = nullptr;
  bool curseur_ = false;
  QElapsedTimer depuisDessin_;
};

}  // namespace plivor
