#pragma once
// The navigation panel's engine: its layout, its buttons' states and hints,
// the flag menu image and its thumbnails. Every action is a call into the
// projection; the window on screen (TFMenu) only shows this state.

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <map>

#include "core/Notations.h"
#include "projection/TFVue.h"
#include "projection/Voisins.h"

namespace plivor {

struct EtatBouton {
  bool visible = true;
  bool actif = true;
  bool enfonce = false;
  QString indice;
};

class PanneauNavigation : public QObject {
  Q_OBJECT

 public:
  static constexpr int kLargeur = 255;
  static constexpr int kRangee = 32;
  static constexpr int kCelluleL = 56, kCelluleH = 44, kColonnes = 4;

  PanneauNavigation(TFVue& vue, QSize ecran);

  void FormShow();
  void FormResize();
  void Commandes(Emetteur bouton);
  // The release on bt_Debut or bt_Navigation, the menu entry, the interpreter.
  void Navigation(Emetteur emetteur = Emetteur::bt_Navigation, bool droit = false);
  void Masquer(bool droit);
  void Charger(bool droit);
  void FixeVignette(int x, int y);
  void BoutonMouseUp(bool droit);
  void CommandeMenu();
  void ChargerImageMenu(const QImage& image);
  // Mirrors the projection's advance, music, manual and mute states.
  void Boutons();
  void MontrerDrapeaux(bool avecDrapeaux);
  void Montrer(bool visible);
  // Dragged by the person: the new place on the screen.
  void Deplacer(QPoint coin);

  QRect Geometrie;
  bool Visible = false;
  bool Icones1 = true;
  bool Icones2 = false;
  bool MenuVisible = false;
  QImage ImageMenu;       // Menu_img
  int HauteurMenu = 0;    // Menu_pn's height
  Couleur CouleurFond = RGB(35, 32, 55);
  std::map<Emetteur, EtatBouton> Etats;
  int IndexVignette = -1;
  QPoint Menu01, Menu02;  // the highlight frames over the thumbnail
  QString IndiceBouton = QStringLiteral("Nom de drapeau");
  QPoint PositionDPop;    // where the flag menu last popped up

 signals:
  void Change();
  // The flag menu DPop pops up at this point of the screen.
  void MontrerDPop(QPoint ou);

 private:
  TFVue& vue_;
  QSize ecran_;
};

// The projection's calls on the panel, forwarded to its engine; the other
// windows are those of VoisinsAbsents until their own work fills them.
class VoisinsNavigation : public VoisinsAbsents {
 public:
  PanneauNavigation* panneauNav = nullptr;

  bool PanneauVisible() const override { return panneauNav ? panneauNav->Visible : panneau; }
  void MontrerPanneau(bool visible) override;
  void DeuxiemeRangee(bool visible) override;
  bool MenuOuvert() const override { return panneauNav ? panneauNav->MenuVisible : menu; }
  void Navigation() override;
  void ImageMenu(const QImage& image) override;
  void CouleurFond(Couleur couleur) override;
  void Boutons() override;
  void BoutonsDrapeaux(bool avecDrapeaux) override;
};

}  // namespace plivor
