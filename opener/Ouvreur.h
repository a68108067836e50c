#pragma once
// The opener's engine: sequences found in a folder with their thumbnail,
// the list of sequences to chain, and its deployment into one projection.
// The dialog (TFOuvrir) binds its controls to these calls.

#include <QImage>
#include <QObject>
#include <QStringList>
#include <optional>
#include <vector>

#include "platform/ArbreDossiers.h"
#include "projection/TFVue.h"
#include "sources/Plages.h"

namespace plivor {

class Ouvreur : public QObject {
  Q_OBJECT

 public:
  Ouvreur(TFVue& vue, const QString& depart);

  // ---- Browsing.
  void UniteChange(const QString& unite);
  void DirectoryChange();
  void DirectoryClick(const QString& entree);
  bool OuvrirDossier(const QString& dossier);

  // ---- Selections as the user makes them; each previews its current item.
  void ChoisirFichiers(const std::vector<int>& indices, int courant);
  void ChoisirPlagesFichiers(std::vector<Plage> plages, int courant);
  // A line chosen is also where the next insertion goes, below it.
  void ChoisirLignes(const std::vector<int>& indices, int courant);
  bool FichierChoisi(int i) const { return fichiersChoisis_.Contient(i); }
  const Choix& FichiersChoisis() const { return fichiersChoisis_; }
  bool LigneChoisie(int i) const { return size_t(i) < lignesChoisies_.size() && lignesChoisies_[size_t(i)] != 0; }
  int LigneCourante() const { return ligneCourante_; }

  // ---- Thumbnail.
  void SelectionFichiers();
  void SelectionListe();
  void cb_apercuClick(bool coche);

  // ---- Building the list.
  bool CopierTampon();
  void ImporterDebut();
  void ImporterSous();
  void ImporterFin();
  void ToutSelectionner();
  void Couper();
  void Copier();
  void CollerDessous();
  void Supprimer();
  void Debut();
  void Fin();
  void Bt_ToutClick();
  void NouvelleListe();
  // Drops into the list in front of row `rangee`: its own selected lines,
  // or the selected files.
  void DeposerLignes(int rangee);
  void DeposerFichiers(int rangee);

  // ---- Deployment, projection, saving.
  // The list turned into one sequence, a flag at the head of each chosen
  // one; nothing (and the message said) when the list is empty.
  std::optional<Liste> Deploiement();
  bool DeployerPvl();
  void ProjeterSequence();
  void ProjeterListe();
  bool Sauver();
  void FermerSource();

  ArbreDossiers Arbre;
  QStringList Fichiers;   // sequences of the folder shown
  int IndexSequence = 0;
  Liste Lignes;           // full paths of the sequences to chain
  int LigneOuvrir = 0;    // new lines go below it; -1: at the head
  bool GlisserEnCours = false;
  Liste Transfert;        // the opener's own clipboard, last selected first
  bool Apercu = true;     // cb_apercu
  QImage Vignette;
  bool VignetteVisible = false;
  bool VignetteCentree = false;
  QString TrApercu = QStringLiteral("Aperçu");
  QString NbSources;

  TFVue& Vue() { return vue_; }

 signals:
  void Change();   // lists, thumbnail or labels changed
  void Fermer();   // the dialog hides itself

 private:
  void Apercevoir(const Texte& sequence, bool depuisListe);
  bool VignetteDe(const Texte& sequence);
  bool MontrerImage(const Texte& ligne);
  void Absentes();
  std::optional<Texte> CheminFichier(int index) const;
  void Retirer(bool garder);  // the selected lines to the clipboard
  void Coller(const Liste& pile);
  // The selected lines moved below `apres` without touching the clipboard.
  void Deplacer(int apres);
  void Cloturer();  // hidden before a projection

  TFVue& vue_;
  Choix fichiersChoisis_;
  std::vector<char> lignesChoisies_;
  int ligneCourante_ = -1;
};

}  // namespace plivor
