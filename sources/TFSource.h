#pragma once
// The TFSource window: folders, files through a mask, filters, and the
// buttons that hand files to the montage, bound to the Sources engine.
// Created once at start and kept for the whole run.

#include <QWidget>
#include <memory>

#include "sources/Publication.h"
#include "sources/Sources.h"

class QComboBox;
class QLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QToolButton;

namespace plivor {

class PanneauPublication;
class VueDossiers;

class TFSource : public QWidget {
  Q_OBJECT

 public:
  TFSource(TFVue& vue, Montage& montage, QWidget* parent = nullptr);
  ~TFSource() override;

  Sources& Moteur() { return *moteur_; }
  QListWidget* Fichiers() const { return fichiers_; }
  QMenu* PopSources() const { return popSources_; }
  // The montage's "Importer des médias": the folder read again, the window shown.
  void Importer();
  // The montage's "Publier la présentation": the publication panel shown.
  void Publier();
  Publication& Pub() { return *publication_; }

 signals:
  // The window went away: the montage shows its import button again.
  void Fermee();

 protected:
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  QToolButton* Bouton(const QString& texte, const QString& bulle, void (Sources::*faire)());
  void Construire();
  void ConstruireFiltres();
  void ConstruireMenu();
  void ConstruirePublication();
  void Rafraichir();          // engine to controls
  void SelectionAffichee();   // the engine's selection into the file list
  void SelectionVue();        // the file list's selection into the engine

  std::unique_ptr<Sources> moteur_;
  std::unique_ptr<Publication> publication_;
  PanneauPublication* panneauPub_ = nullptr;
  QWidget* pnFdroit_ = nullptr;
  QToolButton* btFermer_ = nullptr;
  VueDossiers* dossiers_ = nullptr;
  QListWidget* fichiers_ = nullptr;
  QLabel* nbSources_ = nullptr;
  QLabel* trDossier_ = nullptr;
  QLabel* trFiltre_ = nullptr;
  QLayout* ligneFiltre_ = nullptr;  // the mask and the count
  QWidget* pnFiltrage_ = nullptr;
  QWidget* pnCreation_ = nullptr;
  QComboBox* listeFiltres_ = nullptr;
  QLineEdit* filtre_ = nullptr;
  QToolButton* btAudioArret_ = nullptr;
  QToolButton* btContenuListe_ = nullptr;
  QMenu* popSources_ = nullptr;
  QStringList affiches_;  // the names the file list holds
  bool synchro_ = false;
};

}  // namespace plivor
