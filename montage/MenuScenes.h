#pragma once
// The scene menu of a list: its entries (flags, and on request sub-lists
// and replacement sequences), one 48 x 36 thumbnail per entry drawn by the
// projection into the navigation panel's menu picture, and the two
// companion files beside the list with their reference lines at its top.
// The panel Menu_Pn (PanneauMenu) binds its controls to this engine.

#include <QImage>
#include <QObject>

#include "montage/Montage.h"

namespace plivor {

// The four buttons of Menu_Pn.
enum class BoutonMenu { Aide, Valider, Annuler, Tester };

inline constexpr int kLargeurImageMenu = 232;

// Entries of the menu, in list order.
Liste EntreesMenu(const Liste& lignes, bool sousListes, bool sequences, const Tables& tables);
// Height of the menu picture for `entrees` entries (the panel is 8 more).
int HauteurImageMenu(int entrees);
// Top-left corner of thumbnail `cellule` in the picture.
QPoint CoinVignette(int cellule);

class MenuScenes : public QObject {
  Q_OBJECT

 public:
  explicit MenuScenes(Montage& montage);

  // Opens the panel over the list. `ligneInseree`: the focused line is the
  // menu-creation instruction the builder has just inserted; it goes away
  // when no menu is made from it.
  void Ouvrir(bool ligneInseree = true);
  void CreerMenu(BoutonMenu bouton);
  // Menu_Type, MenuPvl or MenuSeq changed: a drawn menu is discarded.
  void MenuCocheChange();

  // Controls of Menu_Pn.
  bool Ouvert = false;     // Menu_Pn shown over the list
  int TypeMenu = 0;        // Menu_Type: 0 "Vignettes", 1 "Menu Texte  "
  bool MenuPvl = false;    // "Inclure les sous-Listes"
  bool MenuSeq = false;    // "Inclure les Séquences"
  bool MenuEffacer = false;  // "Supprimer les lignes-Vignettes"
  Texte Message;           // Menu_message

  // The menu entries as the panel lists them, while it shows them.
  const Liste& Entrees() const { return entrees_; }
  bool EntreesVisibles() const { return entreesVisibles_; }
  bool MenuCree() const { return menuCree_; }
  // The menu picture drawn last (also handed to the navigation panel).
  const QImage& Image() const { return image_; }
  // The companion files of the list, once known.
  const Texte& FichierDrapeaux() const { return fichierDrapeaux_; }
  const Texte& FichierImage() const { return fichierImage_; }

 signals:
  void Change();

 private:
  void Fermer();
  void RetirerLigneEnAttente();
  bool LireEntrees();
  bool DessinerVignettes();
  QImage VignetteProjetee(const Texte& fichier);
  void DessinerCellule(QImage& image, int cellule, const QImage& vignette, int icone);
  bool EcrireCompagnons();
  bool NomsCompagnons();
  bool AccordRemplacer(const Texte& fichier, int rangReference, int motCle);
  void PoserReference(int rang, int motCle, const Texte& fichier);
  void EffacerVignettes();
  void MontrerImage();
  void MasquerImage();

  Montage& montage_;
  Liste entrees_;  // the panel's own list: the undo snapshot is left alone
  bool entreesVisibles_ = false;
  bool menuCree_ = false;
  bool imageMontree_ = false;
  QImage image_;
  // The menu-creation line waiting for a menu, by place and text.
  int ligneEnAttente_ = -1;
  Texte texteEnAttente_;
  Texte fichierDrapeaux_, fichierImage_;
};

}  // namespace plivor
