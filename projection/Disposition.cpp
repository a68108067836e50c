#include "projection/Disposition.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/Notations.h"

namespace plivor {

int Centaine(int code) { return code / 100; }
int Unite(int code) { return code % 10; }
int AvecDizaine(int code, int dizaine) { return Centaine(code) * 100 + dizaine * 10 + Unite(code); }
int AvecUnite(int code, int unite) { return code / 10 * 10 + unite; }

int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  const std::int64_t produit = static_cast<std::int64_t>(a) * b;
  const std::int64_t moitie = std::llabs(c) / 2;
  const bool negatif = (produit < 0) != (c < 0);
  const std::int64_t q = (std::llabs(produit) + moitie) / std::llabs(c);
  return static_cast<int>(negatif ? -q : q);
}

namespace {

// A W...H... or X...Y... text read in a virtual 800 x 600 space. Beyond
// twice that space nothing of it could show: values are bounded there,
// before any arithmetic.
Taille Virtuelle(const Texte& notation, Taille reelle) {
  const Point p = LirePoint(notation);
  const int x = std::clamp(p.x, -1600, 1600), y = std::clamp(p.y, -1200, 1200);
  return {static_cast<int>(std::int64_t{reelle.l} * x / 800), static_cast<int>(std::int64_t{reelle.h} * y / 600)};
}

Taille Fraction(Taille t, int s) {
  switch (s) {
    case 0: return t;
    case 1: return {t.l * 4 / 5, (t.h / 5) * 4};
    case 2: return {t.l / 2, t.h / 2};
    case 3: return {t.l * 4 / 10, (t.h / 10) * 4};
    case 4: return {t.l / 4, t.h / 4};
    case 5: return {t.l * 2 / 10, (t.h / 10) * 2};
    default: return {200, 150};
  }
}

Taille TailleFixe(int s) {
  switch (s) {
    case 0: return {800, 600};
    case 1: return {640, 480};
    case 2: return {400, 300};
    case 3: return {320, 240};
    case 4: return {200, 150};
    case 5: return {160, 120};
    default: return {200, 150};
  }
}

}  // namespace

TailleDuCode TailleCode(int code, const ContexteDisposition& c) {
  const int rs = code / 10;
  TailleDuCode t;
  switch (rs) {
    case 30: case 31: case 32: case 33: case 34: case 35:
    case 80: case 81: case 82: case 83: case 84: case 85:
      t.taille = TailleFixe(rs % 10);
      break;
    case 36: case 46: case 76: case 86: t.taille = c.diapo; break;
    case 37: case 87: t.taille = c.cadre; break;
    case 38: t.taille = c.ecran; t.codeFenetre380 = true; break;
    case 39: t.taille = Virtuelle(c.dimFenetre, c.ecran); break;
    case 40: case 41: case 42: case 43: case 44: case 45: t.taille = Fraction(c.pbox, rs % 10); break;
    case 47: case 77: t.taille = c.pbox; t.codeDiapo470 = true; break;
    case 48: case 78:
      t.codeFenetre380 = t.codeDiapo470 = t.rafraichir = true;
      t.taille = c.pbox;
      break;
    case 49: t.taille = Virtuelle(c.dimDiapo, c.fenetre); break;
    case 70: case 71: case 72: case 73: case 74: case 75: t.taille = Fraction(c.diapo, rs % 10); break;
    case 89: t.taille = Virtuelle(c.dimObjet, c.ecran); break;
    default: t.taille = {200, 150}; break;
  }
  return t;
}

namespace {

struct Boite {
  Taille conteneur;
  Taille objet;
};

Boite BoiteDuCode(int r, const ContexteDisposition& c) {
  switch (r) {
    case 1: return {{160, 120}, c.apercuObjet};
    case 2: return {{160, 120}, c.apercuTitre};
    case 3: return {c.ecran, c.fenetreSeule ? c.fenetre : c.cadre};
    case 4: return {c.pbox, c.diapo};
    case 5: return {c.diapo, c.photo};
    case 7: return {c.diapo, c.titre};
    case 8: return {c.fenetre, c.objet};
    default: return {{232, 228}, {}};
  }
}

Place Predefinie(int r, const ContexteDisposition& c) {
  switch (r) {
    case 3: { const Taille t = Virtuelle(c.posFenetre, c.ecran); return {t.l, t.h}; }
    case 4: {
      const Taille t = Virtuelle(c.posDiapo, c.fenetre);
      return {t.l + c.decalageDiapo, t.h + c.decalageDiapo};
    }
    case 7: { const Taille t = Virtuelle(c.posTitre, c.fenetre); return {t.l, t.h}; }
    case 8: { const Taille t = Virtuelle(c.posObjet, c.ecran); return {t.l, t.h}; }
    default: return {};
  }
}

}  // namespace

Place PositionCode(int code, const ContexteDisposition& c) {
  const int r = Centaine(code);
  const int p = Unite(code);
  if (p == 9) return Predefinie(r, c);
  const auto [C, O] = BoiteDuCode(r, c);
  const int mx = c.margeDiapo ? C.l / 24 : 0;
  const int my = c.margeDiapo ? C.h / 24 : 0;
  const int droite = c.margeDiapo ? C.l * 23 / 24 : C.l;
  const int bas = c.margeDiapo ? C.h * 23 / 24 : C.h;
  const int cx = (C.l - O.l) / 2;
  const int cy = (C.h - O.h) / 2;
  switch (p) {
    case 0: return {cx, cy};
    case 1: return {cx, my};
    case 2: return {cx, bas - O.h};
    case 3: return {mx, cy};
    case 4: return {mx, my};
    case 5: return {mx, bas - O.h};
    case 6: return {droite - O.l, cy};
    case 7: return {droite - O.l, my};
    default: return {droite - O.l, bas - O.h};
  }
}

}  // namespace plivor
