#pragma once
// The other windows as the projection window calls on them. The program
// binds them to its real windows; tests record the calls.

#include <QImage>

#include "core/Lignes.h"
#include "core/Notations.h"

namespace plivor {

class Voisins {
 public:
  virtual ~Voisins() = default;

  // Navigation panel.
  virtual bool PanneauVisible() const = 0;
  virtual void MontrerPanneau(bool visible) = 0;
  virtual void DeuxiemeRangee(bool visible) = 0;
  virtual bool MenuOuvert() const = 0;
  virtual void Navigation() = 0;  // opens or closes the menu pane
  virtual void ImageMenu(const QImage& image) = 0;
  virtual void CouleurFond(Couleur couleur) = 0;
  virtual void Boutons() = 0;  // mirror the advance and audio state
  // With flags the panel offers its navigation button, else its "Début".
  virtual void BoutonsDrapeaux(bool avecDrapeaux) = 0;

  // Montage window.
  virtual bool MontageVisible() const = 0;
  // Hands the projected list to the montage, which shows it.
  virtual void EditerDansMontage(const Liste& lignes, const Texte& nom, const Texte& dossier, int index,
                                 bool listeModifiee) = 0;
  virtual Texte NomListeMontage() const = 0;
  virtual bool SauverMontage() = 0;

  // Opener window, shown modally.
  virtual void MontrerOuvreur() = 0;
  virtual Texte DossierMontage() const = 0;
  virtual void TailleImage(int largeur, int hauteur) = 0;
  virtual void SuivreLigne(int index) = 0;
  virtual void StyleWindows(bool bordure) = 0;  // montage and resource windows follow

  // Hints shown in the projection, montage and resource windows.
  virtual void Bulles(bool visibles) = 0;
};

// Stands in while a window is not there: nothing visible, nothing done.
class VoisinsAbsents : public Voisins {
 public:
  bool PanneauVisible() const override { return panneau; }
  void MontrerPanneau(bool visible) override { panneau = visible; }
  void DeuxiemeRangee(bool visible) override { deuxiemeRangee = visible; }
  bool MenuOuvert() const override { return menu; }
  void Navigation() override { menu = !menu; }
  void ImageMenu(const QImage& image) override { imageMenu = image; }
  void CouleurFond(Couleur) override {}
  void Boutons() override {}
  bool MontageVisible() const override { return montage; }
  void EditerDansMontage(const Liste& lignes, const Texte&, const Texte&, int index, bool) override {
    montage = true;
    listeMontage = lignes;
    ligneMontage = index;
  }
  Texte NomListeMontage() const override { return nomListeMontage; }
  bool SauverMontage() override { return ++sauvegardes, true; }
  void MontrerOuvreur() override { ouvreur = true; }
  void BoutonsDrapeaux(bool avecDrapeaux) override { boutonsDrapeaux = avecDrapeaux; }
  Texte DossierMontage() const override { return dossierMontage; }
  void TailleImage(int largeur, int hauteur) override { tailleImage = {largeur, hauteur}; }
  void SuivreLigne(int index) override { ligneSuivie = index; }
  void StyleWindows(bool bordure) override { styleWindows = bordure; }
  void Bulles(bool visibles) override { bulles = visibles; }

  bool panneau = false, deuxiemeRangee = false, menu = false, montage = false;
  bool styleWindows = false, bulles = true, ouvreur = false, boutonsDrapeaux = false;
  Liste listeMontage;
  int ligneMontage = -1, sauvegardes = 0;
  Texte nomListeMontage = "Sans nom";
  QImage imageMenu;
  Texte dossierMontage;
  std::pair<int, int> tailleImage{-1, -1};
  int ligneSuivie = -1;
};

}  // namespace plivor
