#pragma once
// The TFListe window: the montage list and its controls, bound to the
// montage engine. Created once at start and kept for the whole run.

#include <QWidget>
#include <memory>

#include "montage/MenuScenes.h"
#include "montage/ModeleMontage.h"
#include "montage/Montage.h"

class QCheckBox;
class QLabel;
class QListView;
class QListWidget;
class QMenu;
class QTextEdit;
class QToolButton;

namespace plivor {
class TFConstructeur;
}

namespace plivor {

class TFListe : public QWidget {
  Q_OBJECT

 public:
  TFListe(TFVue& vue, ServicesFichiers& fichiers, QWidget* parent = nullptr);
  ~TFListe() override;

  Montage& Moteur() { return *moteur_; }
  // The instruction builder's controls and its formatting panel.
  TFConstructeur* Instructions() const { return constructeur_; }
  QListView* Liste() const { return liste_; }
  QMenu* PopListe() const { return popListe_; }
  QMenu* PopPlus() const { return popPlus_; }
  // The scene menu panel's engine; the builder opens it for "Menu=Créer".
  MenuScenes& Menus() { return *menus_; }
  // "Importer des médias", hidden while the resource window is open.
  void BoutonImporter(bool visible);

 signals:
  void ImporterMedias();
  // "Publier la présentation": the resource window's publication panel.
  void Publier();

 protected:
  void dragEnterEvent(QDragEnterEvent* evenement) override;
  void dropEvent(QDropEvent* evenement) override;
  void showEvent(QShowEvent* evenement) override;
  void hideEvent(QHideEvent* evenement) override;

 private:
  QToolButton* Bouton(const QString& glyphe, const QString& bulle);
  QAction* Action(QMenu* menu, const QString& texte, const QKeySequence& touche, void (TFListe::*faire)());
  void Construire();
  // Verification, relative copy, deployment, walking by type, scene menu.
  void ConstruireOutils();
  void MontrerTitreFichier(const QString& titre);
  void Parcourir(bool suivant, bool gauche);
  // Engine to view.
  void ListeChangee();
  void SelectionChangee();
  void InfosChangees();
  void TransfertChange();
  void NomChange();
  // View to engine, once the view has settled.
  void SelectionVue();
  void AppliquerSelectionVue();
  // The instruction buttons, Cmd_Liste, pni_modif and the formatting panel.
  void ConstruireConstructeur();
  void ModifierCmd();

  void Couper() { moteur_->Couper(); }
  void Copier() { moteur_->Copier(); }
  void Coller() { moteur_->CollerDessous(); }
  void Debut() { moteur_->Debut(); }
  void Fin() { moteur_->Fin(); }
  void Tout() { moteur_->ToutSelectionner(); }
  void Supprimer() { moteur_->Supprimer(); }
  void Annuler() { moteur_->ListeUndo(); }
  void Retablir() { moteur_->ListeRedo(); }
  void Nouvelle() { moteur_->NvelleListe(); }
  void Charger() { moteur_->ChargerListe(); }
  void Enregistrer() { moteur_->Enregistrer(); }
  void EnregistrerSous() { moteur_->Sauver(); }
  void Importer() {
    BoutonImporter(false);
    emit ImporterMedias();
  }
  void Rafraichir();
  void Projeter() { moteur_->FermerListe(EmetteurMontage::PopFermer); }
  void Fermer() { moteur_->FermerListe(EmetteurMontage::bt_Fermer); }
  void Quitter();
  void Aide();
  void Tempo();
  void Duree() { moteur_->DureeSelection(); }
  void Script() { moteur_->EnregistrerScript(); }
  void ChoisirLangue() { emit moteur_->OptionsLangue(); }
  void Traduire() { moteur_->Traduire(); }
  void Inverser() { moteur_->InverserLangues(); }

  std::unique_ptr<Montage> moteur_;
  std::unique_ptr<MenuScenes> menus_;
  ModeleMontage* modele_ = nullptr;
  QListView* liste_ = nullptr;
  QListWidget* transfert_ = nullptr;
  QLabel* trNomListe_ = nullptr;
  QLabel* trSelections_ = nullptr;
  QLabel* trNumLigne_ = nullptr;
  QLabel* trDesserte_ = nullptr;
  QLabel* titreFichier_ = nullptr;
  QTextEdit* infos_ = nullptr;
  QToolButton* btUndo_ = nullptr;
  QToolButton* btImporter_ = nullptr;
  QCheckBox* dragOn_ = nullptr;
  QCheckBox* voisines_ = nullptr;
  QMenu* popListe_ = nullptr;
  QMenu* popPlus_ = nullptr;
  QAction* popAnnuler_ = nullptr;
  QAction* popRetablir_ = nullptr;
  QAction* popRafraichir_ = nullptr;
  QAction* popTexte_ = nullptr;
  bool synchro_ = false;          // the view is being set from the engine
  bool selectionEnAttente_ = false;
  TFConstructeur* constructeur_ = nullptr;
};

}  // namespace plivor
