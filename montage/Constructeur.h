#pragma once
// The instruction builder: the candidate lines of a keyword family, built
// from the grammar table; the choice of one into the edited list; the value
// editor with its dialogs and its checks. The window binds Cmd_Liste and
// pni_modif to it and paints what it prepares.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "core/Vocabulaire.h"
#include "montage/Montage.h"

namespace plivor {

class MiseEnForme;

// The filters of the builder's file dialogs.
inline const QString FiltreImages = QStringLiteral(
    "Images (*.jpg;*.gif;*.bmp)|"
    "*.jpg;*.jpeg;*.jfif;*.jpe;*.gif;*.bmp;*.png;*.webp;*.tif;*.tiff;*.heic;*.heif;*.avif");
inline const QString FiltreSons = QStringLiteral(
    "Fichiers audio (*.wav *.cda *.mp3* .mid)|"
    "*.wav;*.cda;*.mp3;*.mid;*.rmi;*.flac;*.ogg;*.oga;*.opus;*.m4a;*.aac");
inline const QString FiltreListes =
    QStringLiteral("Listes Plivor (*.pvl)|*.pvl|Listes au format Texte (*.txt)|*.txt");
inline const QString FiltreScript = QStringLiteral("Script Plivor (*.pvs)|*.pvs");
inline const QString FiltreTous = QStringLiteral("Tous (*.*)|*.*");
// The search for a line's missing file, by its extension.
inline const QString FiltreImagesManquantes = QStringLiteral(
    "Fichiers images (*.jpg *.gif *.bmp)|"
    "*.jpg;*.jpeg;*.jfif;*.jpe;*.gif;*.bmp;*.png;*.webp;*.tif;*.tiff;*.heic;*.heif;*.avif");
inline const QString FiltreSonsManquants = QStringLiteral(
    "Fichiers audio (*.wav *.cda *.mp3 *.mid)|"
    "*.wav;*.cda;*.mp3;*.mid;*.rmi;*.flac;*.ogg;*.oga;*.opus;*.m4a;*.aac");
inline const QString FiltrePlivorManquants =
    QStringLiteral("Fichiers Plivor (*.pvl *.pvs *.pvm *.pvd)|*.pvl;*.pvs;*.pvm;*.pvd");

// The grammar entries of a keyword, in table order.
std::vector<FicheGrammaire> EntreesGrammaire(int motCle);

// Whether a line of a keyword of words carries a word the keyword does not
// have (it would play as the keyword's value code 0).
bool MotValeurInconnu(std::string_view ligne, const Tables& tables);

// The six instruction buttons of the montage window.
enum class BoutonInstruction { Tempo, Transition, Diapo, Titre, Avance, Audio };

class Constructeur : public QObject {
  Q_OBJECT

 public:
  explicit Constructeur(Montage& montage);
  ~Constructeur() override;

  Montage& Edition() { return montage_; }
  MiseEnForme& Panneau() { return *panneau_; }

  // ---- The instruction list Cmd_Liste.
  const Liste& Candidats() const { return candidats_; }
  int Choisi() const { return choisi_; }
  bool Deroulee() const { return deroulee_; }
  void Replier() { deroulee_ = false; }
  // Appends the candidate lines of keyword `motCle`.
  void CreerPvi(int motCle);
  // Clears the list and fills it with a keyword's family.
  void ListerFamille(int motCle);
  // The keyword a button asks for by mouse button; 0 for nothing at all.
  static int CodeBouton(BoutonInstruction bouton, bool gauche);
  // A button pressed: insertion mode and the family dropped down.
  void NvelleInstruction(BoutonInstruction bouton, bool gauche);
  // The free editor, empty, for a line of any text to go below the
  // current line; only a keyword the grammar knows has its value checked.
  void NvelleLigneLibre();
  // The go-to lines of the list's flags.
  void ListerDrapeaux();
  // A candidate chosen.
  void ChoixCmd(int index);
  // The highlighted candidate changed: its description shows.
  void CmdChange(int index);
  int IconeCandidat(int index) const;
  Texte TexteCandidat(int index) const;
  Texte DescriptionDe(const Texte& ligne) const;
  const Texte& Description() const { return description_; }

  // ---- The value editor pni_modif.
  bool EditeurVisible() const { return editeurVisible_; }
  Texte CmdNom;       // pni_CmdNom
  Texte ValeurSaisie;  // pni_Valeur
  const FicheGrammaire& Fiche() const { return fiche_; }
  // The box holds a line read whole on Enter (the free entry).
  bool SaisieLibre() const { return libre_; }
  bool ModeInsertion = false;
  // Opens the editor suited to the selected line.
  void ModifierCmd();
  // Enter in the value box.
  void EntreeSaisie();
  // Checks the value and writes the line; false when refused or cancelled.
  bool ValiderCmd();
  void FermerEditeur();
  // Whether the current line is the one the last choice wrote.
  bool LigneNouvelle() const;
  // Whether the current line is still the one the editor was opened on.
  bool LigneCibleEnPlace() const;
  // Gives up the line the last choice wrote: removed when it was inserted,
  // the former line put back when it replaced one. Any other line stays.
  void AbandonnerLigneNouvelle();
  void OublierLigneNouvelle();
  // The user moved in the list: the editor and panels close.
  void SelectionUtilisateur();

  // ---- Windows opened from here that other parts of the window own.
  // The object file chooser: (from the panel's file box, on a line the
  // builder has just inserted); the full path chosen, nothing when cancelled.
  std::function<std::optional<Texte>(bool depuisBoite, bool ligneInseree)> ChoisirObjet;
  // The menu panel of the scenes.
  std::function<void()> OuvrirMenuScenes;

  // The number check of a keyword: the message ending when refused.
  static std::optional<Texte> ControleNombre(int motCle, const Texte& valeur);
  // Whether a geometry value reads in its notation, size ("W") or position ("X").
  static bool GeometrieLisible(const Texte& valeur, bool position);

 signals:
  // Candidates, editor, description or panel changed.
  void Change();
  // Cmd_Liste drops down.
  void Derouler();
  // The highlighted candidate changed: its description is to be shown.
  void DescriptionChangee();
  // The value box takes the focus.
  void SaisirValeur();

 private:
  const Tables& TablesCourantes() const;
  Dialogues& Boites();
  Texte Mot(int motCle) const;
  int CodeFrancais(const Texte& ligne) const;
  void AjouterCandidat(const FicheGrammaire& fiche);
  void Deroule(int choisi = 0);
  Texte LigneCourante() const;
  bool LigneValide() const;
  void EcrireLigneCourante(const Texte& ligne);
  void Rafraichir();
  void OuvrirEditeur(const Texte& nom, const Texte& valeur);
  void Modifier();
  void ModifierInstruction();
  void ModifierFichier(int genre);
  void ModifierManquant();
  void ModifierVignette();
  void ModifierDrapeauCible();
  void ModifierGeometrie();
  std::optional<Texte> FichierChoisi(const QString& titre, const Texte& depart, const QString& filtre);
  std::optional<Texte> CouleurChoisie(Couleur depart);
  int MotCleGeometrie(int motCle) const;
  void EntreeLibre();
  void EcrireLibre(const Texte& ligne);
  std::optional<Texte> RefusLibre() const;

  Montage& montage_;
  std::unique_ptr<MiseEnForme> panneau_;
  Liste candidats_;
  int choisi_ = -1;
  bool deroulee_ = false;
  bool editeurVisible_ = false;
  FicheGrammaire fiche_;
  Texte description_;
  // The line the last choice wrote: inserted there, or put in place of the
  // line kept here. A placeholder the user gives up on goes, and only it.
  int ligneNouvelle_ = -1;
  std::optional<Texte> ligneRemplacee_;
  Texte texteNouveau_;
  bool choixDrapeau_ = false;  // Cmd_Liste holds the flags of a go-to line
  // The line the editor was opened on: an edit of the list meanwhile
  // (a delete key, a paste) must not have the value written elsewhere.
  Texte ligneCible_;
  bool libre_ = false;           // the free entry: the box holds a line
  bool insertionLibre_ = false;  // and that line goes in below the current one
  bool modifieeAvant_ = false;   // the list's mark before the builder's new line
};

}  // namespace plivor
