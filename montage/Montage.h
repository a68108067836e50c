#pragma once
// The montage window's engine: the edited list, its selection, the
// clipboard, one undo snapshot, and every operation of the window. It never
// touches a widget; the window (TFListe) binds its controls to these calls
// and paints what they prepare.

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "core/FichiersListe.h"
#include "core/Lignes.h"
#include "core/Services.h"
#include "montage/Historique.h"
#include "projection/TFVue.h"

namespace plivor {

// Who called an operation that acts by its caller.
enum class EmetteurMontage {
  Aucun,
  bt_Fermer,      // back to the projection's own list
  PopFermer,      // "Projeter la Liste": the edited list is projected
  bt_Diaporama,   // test run, montage closed
  bts_suivi,      // test run, montage kept open
  Source,         // the resource window
};

// The information box: its lines, and whether they are a red warning.
struct Infos {
  std::vector<Texte> lignes;
  bool avertissement = false;
};

inline constexpr const char* kSansNom = "Sans nom";

class Montage : public QObject {
  Q_OBJECT

 public:
  // `fichiers`: normally the projection's own file services.
  Montage(TFVue& vue, ServicesFichiers& fichiers);

  // Before the list is replaced: its edits saved or let go, as the user
  // answers; false when a save asked for failed.
  bool QuestionSauver();

  // ---- The list as the view reads it.
  const Liste& Lignes() const { return lignes_; }
  int Compte() const { return static_cast<int>(lignes_.size()); }
  bool Selectionnee(int index) const { return selection_[static_cast<size_t>(index)] != 0; }
  std::vector<int> Selectionnees() const;
  int NombreSelectionnees() const { return nombreSelectionnees_; }
  int Focus() const { return focus_; }
  // Icon index of a line (-1: none), classified once and kept.
  int Icone(int index) const;
  // Caption drawn after the icon.
  Texte Legende(int index) const;
  // Caption of any line, by its icon.
  static Texte LegendeDe(const Texte& ligne, int icone);

  // ---- Selection as the user makes it in the view.
  void DefinirSelection(const std::vector<int>& indices, int focus);
  void Selectionner(int index);  // this line alone, focused
  // The selection handler: current line, preview, information box.
  void Selection();

  // ---- Editing.
  void Couper();
  void Copier();
  void CollerDessous();
  void Supprimer();
  void Debut();
  void Fin();
  void ToutSelectionner();
  // Undo and redo walk the history of every edit since the list was loaded;
  // the list is modified exactly when it differs from its file.
  void ListeUndo();
  void ListeRedo();
  bool Annulable() const { return historique_.PeutAnnuler(); }
  bool Refaisable() const { return historique_.PeutRefaire(); }
  // Lines dragged inside the list, dropped in front of row `rangee`
  // (a row at or past the end appends).
  void DeposerInterne(int rangee);
  // Files of the resource window (full paths), dropped in front of `rangee`.
  void DeposerSource(const Liste& fichiers, int rangee);
  // Files dropped from the desktop, as host paths; in front of `rangee`
  // when the drop fell on the list.
  void DeposerBureau(const QStringList& chemins, std::optional<int> rangee);

  // ---- Files.
  // Each returns false when it stopped (cancelled, failed, or a save
  // needed first did not happen); the edits are then kept.
  bool NvelleListe();
  bool ChargerListe();
  bool Sauver();
  // Ctrl+S: a list that has its file is written there at once; any other
  // goes through the save dialog.
  bool Enregistrer();
  bool EnregistrerScript();
  void ImporterListe(const Texte& chemin);
  // Loads a list file straight (the program's command line, tests).
  bool Ouvrir(const Texte& chemin);
  // The projection hands its list over for editing.
  void RecevoirListe(const Liste& lignes, const Texte& nom, const Texte& dossier, int index, bool modifiee);
  void FermerListe(EmetteurMontage emetteur);
  // Edits kept by a run that ended without saving: shown in the montage
  // under their list's name, modified, the file left as it is.
  void Reprendre(const Liste& lignes, const Texte& nom, const Texte& dossier);

  // ---- Display and information.
  void AfficherTexte(bool texte);
  // `rangee`: the list row the line stands on, whose neighbours show with
  // it; -1 for a line from elsewhere (the clipboard).
  void Afficher(const Texte& ligne, int rangee);
  // The projection's paint box filled with the slide colour.
  void Rafraichir();
  Infos ObtenirInfos(const Texte& ligne) const;
  // The resource window's current file: its path as caption, its information.
  void InfosSource(const Texte& chemin);
  const Infos& InfosCourantes() const { return infos_; }
  const Texte& TitreFichier() const { return titreFichier_; }
  void VoirTransfert(int index);

  // ---- Duration, test runs, languages.
  // The answer of the duration routine on the selection (or a code < 0).
  long long DureeLignesSelectionnees() const;
  // Shows the duration message; gives its text.
  Texte DureeSelection();
  void Diaporama(EmetteurMontage emetteur, bool depuisLigne);
  void TesterListe();
  bool Traduire();
  bool InverserLangues();
  // "Définir Tempo de Base": a value above 0 becomes the base tempo.
  bool ChangeTempoBase(const Texte& valeur);
  // The montage's help page `rubrique` in "Plivor.hlp" beside the program.
  void AppelAide(int rubrique = 2000);

  // ---- Single lines written by the instruction builder and the
  // formatting panel; the caller takes the snapshot and ends with
  // ApresEdition (repaint, current line, preview).
  void PrendreInstantane() { Instantane(); }
  void EcrireLigne(int index, const Texte& ligne);
  void InsererLigne(int index, const Texte& ligne);
  void RetirerLigne(int index);
  void ApresEdition() { Apres(); }

  // ---- State of the window.
  int LigneCourante = -1;
  Texte NomListe = kSansNom;
  Texte DossierListe;
  int IndexUndo = -1;
  bool ModeTexte = false;
  bool DessinSuspendu = false;
  Texte TempoBase;
  Texte DossierPublication;
  bool Visible = false;  // the window is shown
  bool Actif = false;    // the window is the active one
  bool DragOn = true;
  bool RafraichirFond = true;  // the preview repaints its ground before each picture
  int DecalageAudio = 0;  // where the last test run started its sound, in ms
  Liste Transfert;  // the user's clipboard, last-cut line first

  TFVue& Vue() { return vue_; }
  ServicesFichiers& Fichiers() { return fichiers_; }

  // The whole list replaced by the montage's tools (deployment), as one
  // undoable step; every line deselected, the change announced; the caller
  // marks it modified.
  void RemplacerLignes(const Liste& lignes);
  // Lines a tool brought in that lost something at reading: a save names
  // them before writing them back.
  void AjouterAlterees(const Liste& lignes) { alterees_.insert(alterees_.end(), lignes.begin(), lignes.end()); }

 signals:
  // The lines changed: the model reloads them.
  void ListeChangee();
  // Selection, current line or labels changed.
  void SelectionChangee();
  void InfosChangees();
  void TransfertChange();
  void NomChange();
  // The raw-text mode was switched by the engine itself.
  void ModeTexteChange();
  // The window shows or hides itself.
  void Montrer();
  void Masquer();
  // "Choisir une 2è langue": the options window on its options page.
  void OptionsLangue();
  // The line should stand at the top of the list view.
  void MontrerEnHaut(int index);

 private:
  // Line primitives that keep the selection and icon cache in step.
  void InsererBloc(int position, const Liste& bloc, bool choisies);
  // Removes the selected lines; the lowest removed index, -1 when none.
  int RetirerSelection();
  void Remplacer(Liste lignes);
  void Marquer(int index, bool choisie);
  void ToutDeselectionner();
  void Instantane();
  void Modifiee();
  // A list that comes from a file (or none): its history starts again.
  void NouveauDepart(const Liste& lignesFichier);
  void Restaurer(EtatListe etat);
  void Apres();  // repaint and selection after an edit
  // Moves the selection in front of `avant` (an index of the list as it is
  // before the move; Compte() appends), as one undoable step.
  void Deplacer(int avant);
  void CollerLignes(const Liste& pile);  // from its last entry to its first
  std::optional<Texte> CheminDepuisHote(const QString& chemin);
  // `icone`, when given, receives the line's icon where the expansion
  // already learnt it (-2 is left otherwise).
  Texte Etendue(const Texte& ligne, const Texte& dossier, signed char* icone = nullptr) const;
  void ArreterProjection();
  bool RessourceIntrouvable(const Texte& ligne, const Texte& dossier) const;
  Liste Etendre(const Liste& lignes, const Texte& dossier, std::vector<signed char>* icones = nullptr) const;
  bool EcrireLignes(const Texte& chemin, const Liste& lignes);
  // The list written to `chemin`, which becomes its file.
  bool EnregistrerSous(const Texte& chemin);
  // Where the save dialog starts; says so when the list's folder is gone.
  Texte DepartSauvegarde(const Texte& propose);
  // Notes the lines of `etendues` (the lines of `lue` as they enter the
  // list) that lost something at reading; `dire`: each is said.
  void NoterAlterees(const ListeLue& lue, const Liste& etendues, bool dire);
  void AppliquerTempoBase();
  int Genre(const Texte& ligne) const;
  int TempoOptions() const;

  TFVue& vue_;
  ServicesFichiers& fichiers_;
  Liste lignes_;
  std::vector<char> selection_;
  mutable std::vector<signed char> icones_;  // -2: not classified yet
  int nombreSelectionnees_ = 0;
  int focus_ = -1;
  // Undo and redo: lists of their own.
  Historique historique_;
  // The lines as the list's file holds them (as loaded, or as last saved).
  Liste lignesFichier_;
  // Lines that lost something at reading (characters Windows-1252 cannot
  // hold, bytes cut): a save names them before writing them back.
  std::vector<Texte> alterees_;
  Infos infos_;
  Texte titreFichier_;
};

// The duration of lines F to L of W, or a code: -1 no line, -2 no tempo,
// -3 a jump or stop inside, -5 a sub-list inside.
long long DureeLignes(const Liste& lignes, int premiere, int derniere, const ServicesFichiers& fichiers,
                      const Tables& tables);
// The message for an answer of the duration routine; empty for other codes.
Texte MessageDuree(long long duree);

}  // namespace plivor
