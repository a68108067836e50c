#pragma once
// Layout codes: three digits r s p naming a container and its object (r),
// a size choice (s) and a position choice (p).

#include "core/Texte.h"

namespace plivor {

struct Taille {
  int l = 0;
  int h = 0;
  bool operator==(const Taille&) const = default;
};

struct Place {
  int x = 0;
  int y = 0;
  bool operator==(const Place&) const = default;
};

// What the rules read of the projection window at the time of the call.
struct ContexteDisposition {
  Taille ecran;
  Taille fenetre;   // the projection window itself
  Taille cadre;     // the frame panel
  Taille pbox;      // the paint box inside the frame
  Taille diapo;     // current slide size
  Taille photo;     // the prepared picture
  Taille titre;     // the prepared title
  Taille objet;     // object window size last computed
  Taille apercuObjet;  // montage's object preview panel
  Taille apercuTitre;  // montage's title preview label
  bool fenetreSeule = false;
  bool margeDiapo = true;
  int decalageDiapo = 0;
  Texte dimDiapo = "W400H400", posDiapo = "X200Y50";
  Texte dimFenetre = "W300H400", posFenetre = "X20Y20";
  Texte posTitre = "X60Y420";
  Texte dimObjet = "W300H400", posObjet = "X420Y20";
};

// Some size choices also change the codes of the window.
struct TailleDuCode {
  Taille taille;
  bool codeFenetre380 = false;  // 38, 48
  bool codeDiapo470 = false;    // 47, 77, 48
  bool rafraichir = false;      // 48: lay the window out, then use the paint box
};

TailleDuCode TailleCode(int code, const ContexteDisposition& contexte);
Place PositionCode(int code, const ContexteDisposition& contexte);

// The digits of a layout code, and a code with one digit replaced.
int Centaine(int code);
int Unite(int code);
int AvecDizaine(int code, int dizaine);
int AvecUnite(int code, int unite);

// Rounded a * b / c, halves away from zero; 0 when c is 0.
int MulDiv(int a, int b, int c);

}  // namespace plivor
