// Window, frame and slide geometry; the window modes.

#include <QPainter>
#include <cstdlib>

#include "options/TFOptions.h"
#include "projection/PreparationImage.h"
#include "projection/TFVue.h"

namespace plivor {

namespace {

Taille VersTaille(QSize s) { return {s.width(), s.height()}; }

}  // namespace

QRect TFVue::RectPBox() const {
  const int retrait = std::abs(BiseauCarton) + BordureCarton;
  return QRect(retrait, retrait, std::max(0, Carton.width() - 2 * retrait),
               std::max(0, Carton.height() - 2 * retrait));
}

ContexteDisposition TFVue::Contexte() const {
  ContexteDisposition c;
  c.ecran = VersTaille(services_.ecran.Taille());
  c.fenetre = VersTaille(Fenetre.size());
  c.cadre = VersTaille(Carton.size());
  c.pbox = VersTaille(RectPBox().size());
  c.diapo = {LargeurDiapo, HauteurDiapo};
  c.photo = VersTaille(EnFenetre(Photo.size()));
  c.titre = VersTaille(EnFenetre(Titre.size()));
  c.objet = TailleObjet;
  c.fenetreSeule = FenetreSeule;
  c.margeDiapo = MargeDiapo;
  c.decalageDiapo = DecalageDiapo;
  c.dimDiapo = DimDiapo;
  c.posDiapo = PosDiapo;
  c.dimFenetre = DimFenetre;
  c.posFenetre = PosFenetre;
  c.posTitre = PosTitre;
  c.dimObjet = DimObjet;
  c.posObjet = PosObjet;
  return c;
}

TailleDuCode TFVue::TailleCode(int code) const { return plivor::TailleCode(code, Contexte()); }

Taille TFVue::TailleDe(int code) {
  const TailleDuCode t = TailleCode(code);
  // The codes first: the refresh lays the window out by them.
  if (t.codeFenetre380) CodeFenetre = 380;
  if (t.codeDiapo470) CodeDiapo = 470;
  if (t.rafraichir) Rafraichir(Emetteur::Aucun);
  return t.rafraichir ? VersTaille(RectPBox().size()) : t.taille;
}

Place TFVue::PositionDe(int code) const { return PositionCode(code, Contexte()); }

QPoint TFVue::OrigineImage() const {
  const Place diapo = PositionDe(CodeDiapo);
  QPoint origine = EnPixels(QPoint(diapo.x, diapo.y));
  if (SansFond || !ImageOpaque) {
    origine.rx() += (EnPixels(LargeurDiapo) - Photo.width()) / 2;
    origine.ry() += (EnPixels(HauteurDiapo) - Photo.height()) / 2;
  }
  return origine;
}

void TFVue::CalculerDiapo() {
  const Taille t = TailleDe(CodeDiapo);
  LargeurDiapo = t.l;
  HauteurDiapo = t.h;
}

// The paint box follows the frame; its pixels are kept where they still fit.
void TFVue::AjusterPBox() {
  const double avant = Echelle;
  Echelle = services_.ecran.EchelleDe(Carton.size());
  const QSize taille = EnPixels(RectPBox().size()).expandedTo(QSize(1, 1));
  if (PBox.size() == taille) return;
  QImage nouvelle(taille, QImage::Format_RGB32);
  nouvelle.fill(VersQColor(CouleurFenetre));
  if (!PBox.isNull()) {
    QPainter peintre(&nouvelle);
    if (Echelle == avant)
      peintre.drawImage(0, 0, PBox);
    else
      peintre.drawImage(QRectF(QPointF(0, 0), QSizeF(PBox.size()) * (Echelle / avant)), PBox);
  }
  PBox = nouvelle;
  FormatDiapo();
  emit GeometrieChangee();
}

// Step 3 of the layout: the frame, or the window itself in window mode,
// takes the size and place of the window code.
void TFVue::AppliquerBornes() {
  const Taille t = TailleDe(CodeFenetre);
  if (!FenetreSeule) {
    if (Carton.size() != QSize(t.l, t.h)) CartonVisible = false;
    Carton.setSize(QSize(t.l, t.h));
    const Place p = PositionDe(CodeFenetre);
    Carton.moveTo(p.x, p.y);
  } else {
    Fenetre.setSize(QSize(t.l, t.h));
    const Place p = PositionDe(CodeFenetre);
    Fenetre.moveTo(p.x, p.y);
    Carton = QRect(QPoint(0, 0), Fenetre.size());
  }
}

void TFVue::Rafraichir(Emetteur emetteur) {
  if (Fermeture) return;
  if (emetteur == Emetteur::PopRafraichir) {
    CodeFenetre = CodeFenetreDefaut;
    CodeInstruction = 3001;
    Peindre();
  }
  const int codeDiapo = CodeDiapo;
  CodeDiapo = 470;
  AppliquerBornes();
  CouleurCarton = CouleurFenetre;
  BordureCarton = MargeFenetre;
  const QSize ecran = services_.ecran.Taille();
  if (Carton.width() >= ecran.width() || Carton.height() >= ecran.height()) {
    BiseauCarton = 0;
    CodeFenetre = 380;
    CadreFenetre = 0;
    AppliquerBornes();
  }
  BiseauCarton = CadreFenetre;
  AjusterPBox();
  if (CadreFenetre != 0) FormatDiapo();
  if (!FenetreVisible) {
    // The projection opens over what the screen showed behind it.
    const QRect pbox = RectPBox();
    const QPoint origine = Fenetre.topLeft() + Carton.topLeft() + pbox.topLeft();
    const QImage fond = services_.ecran.Capturer(QRect(origine, pbox.size()));
    FenetreVisible = true;
    emit GeometrieChangee();
    if (!fond.isNull()) {
      QPainter peintre(&PBox);
      if (Echelle == 1.0)
        peintre.drawImage(0, 0, fond);
      else
        peintre.drawImage(PBox.rect(), fond);
    }
  }
  CartonVisible = true;
  CodeInstruction = 0;
  CodeDiapo = codeDiapo;
  emit GeometrieChangee();
  emit Presenter();
}

void TFVue::FormatDiapo() {
  const Taille t = TailleCode(CodeDiapo).taille;
  const QSize pbox = RectPBox().size();
  if (pbox.width() < t.l || pbox.height() < t.h) CodeDiapo = 470;
}

void TFVue::Peindre() {
  const int codeDiapo = CodeDiapo;
  const bool opaque = ImageOpaque;
  const Taille t = TailleDe(CodeDiapo);
  if (CodeInstruction == 4001 && (LargeurDiapo == 0 || HauteurDiapo == 0 || !SansFond)) LargeurDiapo = t.l;
  HauteurDiapo = t.h;
  ImageOpaque = true;
  if (CodeTransition >= 100)
    Morphes();
  else
    Transitions();
  if (CodeInstruction != 4001) CouleurCarton = CouleurFenetre;
  CodeDiapo = codeDiapo;
  ImageOpaque = opaque;
  emit GeometrieChangee();
}

void TFVue::BureauVM() {
  const int duree = DureeTransition;
  const int code = CodeInstruction;
  DureeTransition = 4;
  const QImage copie = PBox.copy();
  CodeInstruction = 3000;
  Transitions();
  FenetreVisible = false;
  if (FenetreSeule) {
    FenetreSeule = false;
    Carton.moveTo(Fenetre.topLeft());
    Fenetre = QRect(QPoint(0, 0), services_.ecran.Taille());
  } else {
    FenetreSeule = true;
    Fenetre = QRect(Fenetre.topLeft() + Carton.topLeft(), Carton.size());
    Carton.moveTo(0, 0);
  }
  PleinEcranCoche = !FenetreSeule;
  FenetreVisible = true;
  AjusterPBox();
  QPainter(&PBox).drawImage(0, 0, copie);
  emit GeometrieChangee();
  emit Presenter();
  DureeTransition = duree;
  CodeInstruction = code;
}

void TFVue::WFenetre(Emetteur emetteur) {
  if (emetteur == Emetteur::Options) FenetreWindowsCoche = !Coche(7);
  if (FenetreWindowsCoche) {
    services_.voisins.StyleWindows(false);
    BordureFenetre = false;
    FenetreWindowsCoche = false;
    FormatDiapo();
  } else {
    FormResize();
    BordureFenetre = true;
    services_.voisins.StyleWindows(true);
    if (Fenetre.top() < 0 || Fenetre.left() < 0) Fenetre.moveTo(0, 0);
    FenetreWindowsCoche = true;
  }
  emit GeometrieChangee();
}

void TFVue::FormResize() {
  if (!BordureFenetre) return;
  CodeFenetre = 399;
  Carton = QRect(QPoint(0, 0), Fenetre.size());
  CodeDiapo = 470;
  DimFenetre = "X" + std::to_string(Fenetre.width()) + "Y" + std::to_string(Fenetre.height());
  PosFenetre = "X" + std::to_string(Fenetre.left()) + "Y" + std::to_string(Fenetre.top());
  AjusterPBox();
  FormatDiapo();
}

void TFVue::CouleurFond() {
  const bool enPause = AvanceAuto;
  if (enPause) PauseClick(Emetteur::Menu);
  if (const auto choix = services_.dialogues.CouleurAChoisir(VersQColor(CouleurFenetre))) {
    CouleurFenetre = DepuisQColor(*choix);
    Peindre();
    CouleurCarton = CouleurFenetre;
    emit GeometrieChangee();
  }
  if (enPause && EtatPause > 0) PauseClick(Emetteur::Menu);
}

}  // namespace plivor
