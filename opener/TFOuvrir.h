#pragma once
// The TFOuvrir dialog: sequences of a folder with their thumbnail, and the
// list of sequences to chain, bound to the Ouvreur engine. Created once at
// start, shown modally by the projection's "Composer une Liste".

#include <QWidget>
#include <memory>

#include "opener/Ouvreur.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;

namespace plivor {

class VueDossiers;

class TFOuvrir : public QWidget {
  Q_OBJECT

 public:
  explicit TFOuvrir(TFVue& vue, QWidget* parent = nullptr);
  ~TFOuvrir() override;

  Ouvreur& Moteur() { return *moteur_; }
  QListWidget* Fichiers() const { return fichiers_; }
  QListWidget* Liste() const { return liste_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void Construire();
  void ConstruireMenus();
  void Rafraichir();
  void SelectionFichiersVue();
  void SelectionListeVue();

  std::unique_ptr<Ouvreur> moteur_;
  VueDossiers* dossiers_ = nullptr;
  QListWidget* fichiers_ = nullptr;
  QListWidget* liste_ = nullptr;
  QLabel* vignette_ = nullptr;
  QLabel* trApercu_ = nullptr;
  QLabel* nbSources_ = nullptr;
  QCheckBox* apercu_ = nullptr;
  QMenu* popSources_ = nullptr;
  QMenu* popListe_ = nullptr;
  QStringList affiches_;  // what the file list holds
  bool synchro_ = false;
};

}  // namespace plivor
