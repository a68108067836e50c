#pragma once
// The resource window's engine: the folder browsed, its files through a
// mask, their preview in the projection window, and their hand-over to the
// montage. The window (TFSource) binds its controls to these calls.

#include <QObject>
#include <QSet>
#include <QStringList>
#include <optional>
#include <vector>

#include "montage/Montage.h"
#include "platform/ArbreDossiers.h"
#include "sources/Filtres.h"
#include "sources/Plages.h"

namespace plivor {

class Sources : public QObject {
  Q_OBJECT

 public:
  Sources(TFVue& vue, Montage& montage, const QString& depart);

  // ---- Browsing.
  void UniteChange(const QString& unite);
  // The file list read again through the mask; its first file selected.
  void DirectoryChange();
  // An entry of the folder list opened ("..": up), then the preview.
  void DirectoryClick(const QString& entree);
  // A folder given by its full path, as DirectoryClick.
  bool OuvrirDossier(const QString& dossier);
  void ChoisirMasque(const QString& masque);
  void Images() { ChoisirMasque(kMasqueImages); }
  void Sons() { ChoisirMasque(kMasqueSons); }
  void Listes() { ChoisirMasque(kMasqueListes); }
  void Tous() { ChoisirMasque(kMasqueTous); }

  // ---- The file list's selection, as the user makes it.
  void DefinirSelection(const std::vector<int>& indices, int courant);
  void DefinirPlages(std::vector<Plage> plages, int courant);
  bool Choisi(int index) const { return choix_.Contient(index); }
  const Choix& Choisis() const { return choix_; }
  void ToutSelectionner();
  // Preview of the current file in the projection window.
  void Selection();

  // ---- Hand-over to the montage.
  // The selected files into the montage's clipboard, in file-list order
  // once pasted; false when none could go (nothing selected, or names
  // Windows-1252 cannot hold, each refused with a message).
  bool Copier();
  void ImporterDebut();
  void ImporterSous();
  void ImporterFin();
  // Full paths of the selected files for a drag; names that cannot be
  // lines are refused as by Copier.
  Liste CheminsChoisis();
  void ContenuListe();

  // ---- Slide show and sound.
  void DiaporamaSources();
  void ArretAudio();

  // ---- Filters.
  void Filtrage() { filtres.Basculer(); emit Change(); }
  // Mouse-down on the filter button: the right button creates.
  void FiltrageBouton(bool droit) { droit ? CreerFiltre() : Filtrage(); }
  void CreerFiltre();
  void FiltrageValider();
  void FiltrageFermer();
  void ListeFiltresChange(int index);
  void SupprimerFiltre() { filtres.Supprimer(); emit Change(); }

  // ---- Help: "Aide Importation" and "Aide Filtrage".
  void Aide() { OuvrirAide("Plivor.hlp", 2000); }
  void AideFiltre() { OuvrirAide("Plivor-S.hlp", 3500); }

  // ---- The window.
  void FormShow();
  void FormActivate();
  void FermerSource();

  ArbreDossiers Arbre;
  QString Masque = kMasqueInitial;
  QStringList Fichiers;   // names in the folder shown, by name
  int IndexSource = 0;
  int TypeSource = 0;
  QString NbSources;       // the count, blank when no file
  bool AudioArretVisible = false;
  bool ContenuListeVisible = false;
  Filtres filtres;

  TFVue& Vue() { return vue_; }
  Montage& Moteur() { return montage_; }

 signals:
  void Change();           // lists, labels or panels changed
  void SelectionChangee(); // the file list's selection changed
  void Masquer();          // the window hides itself

 private:
  std::optional<Texte> Ligne(int index) const;  // full path as a line
  void Refuser(const QString& nom) const;
  void Montrer(int index, int code);
  int Voisine(int depart, int pas) const;  // next image file that way, -1
  // Whether the picture can be decoded at all; the user is told once per
  // file when `dire`.
  bool Lisible(int index, bool dire);
  void ApercuImage(int index, const Texte& chemin);
  void Informer(const Texte& chemin);
  // Sounds are left silent: the option "Ignorer les fichiers audio".
  bool AudioIgnore() const;
  // The application's help file: `nom` beside the program.
  void FichierAide(const char* nom);
  void OuvrirAide(const char* nom, int rubrique);

  TFVue& vue_;
  Montage& montage_;
  Choix choix_;
  QSet<QString> illisibles_;       // pictures the user was told about
  std::vector<int> diaporama_;     // file of each line of the folder's show
};

}  // namespace plivor
