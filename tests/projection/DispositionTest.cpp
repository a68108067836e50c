#include <gtest/gtest.h>

#include "projection/Disposition.h"

namespace plivor {
namespace {

ContexteDisposition Contexte800() {
  ContexteDisposition c;
  c.ecran = {800, 600};
  c.fenetre = {800, 600};
  c.cadre = {780, 580};
  c.pbox = {800, 600};
  c.diapo = {400, 300};
  c.photo = {100, 50};
  c.titre = {200, 40};
  c.objet = {300, 200};
  c.decalageDiapo = 2;
  return c;
}

TEST(Disposition, TaillesFixesEtFractionsDuPaintBox) {
  const ContexteDisposition c = Contexte800();
  const std::pair<int, Taille> attendues[] = {
      {300, {800, 600}}, {315, {640, 480}}, {329, {400, 300}}, {330, {320, 240}}, {340, {200, 150}},
      {350, {160, 120}}, {800, {800, 600}}, {850, {160, 120}}, {400, {800, 600}}, {410, {640, 480}},
      {420, {400, 300}}, {430, {320, 240}}, {440, {200, 150}}, {450, {160, 120}}};
  for (const auto& [code, taille] : attendues) EXPECT_EQ(TailleCode(code, c).taille, taille) << code;
}

TEST(Disposition, FractionsTronqueesDansLOrdreEcrit) {
  ContexteDisposition c = Contexte800();
  c.pbox = {799, 599};
  EXPECT_EQ(TailleCode(410, c).taille, (Taille{639, 476}));  // 799*4/5, (599/5)*4
  EXPECT_EQ(TailleCode(430, c).taille, (Taille{319, 236}));  // 799*4/10, (599/10)*4
  EXPECT_EQ(TailleCode(450, c).taille, (Taille{159, 118}));
  EXPECT_EQ(TailleCode(710, c).taille, (Taille{320, 240}));  // of the slide 400x300
}

TEST(Disposition, TaillesRelativesAuxAutresObjets) {
  const ContexteDisposition c = Contexte800();
  for (int code : {360, 460, 760, 860}) EXPECT_EQ(TailleCode(code, c).taille, c.diapo) << code;
  EXPECT_EQ(TailleCode(370, c).taille, c.cadre);
  EXPECT_EQ(TailleCode(870, c).taille, c.cadre);
  EXPECT_EQ(TailleCode(700, c).taille, c.diapo);
  const TailleDuCode ecran = TailleCode(383, c);
  EXPECT_EQ(ecran.taille, c.ecran);
  EXPECT_TRUE(ecran.codeFenetre380);
  const TailleDuCode pbox = TailleCode(470, c);
  EXPECT_EQ(pbox.taille, c.pbox);
  EXPECT_TRUE(pbox.codeDiapo470);
  const TailleDuCode tout = TailleCode(480, c);
  EXPECT_TRUE(tout.rafraichir && tout.codeDiapo470 && tout.codeFenetre380);
}

TEST(Disposition, TaillesPersonnaliseesDansUnEcranVirtuel) {
  ContexteDisposition c = Contexte800();
  c.ecran = {1600, 1200};
  c.fenetre = {1000, 600};
  c.dimFenetre = "W300H400";
  c.dimDiapo = "W400H300";
  c.dimObjet = "W200H150";
  EXPECT_EQ(TailleCode(390, c).taille, (Taille{600, 800}));  // the screen
  EXPECT_EQ(TailleCode(490, c).taille, (Taille{500, 300}));  // the window
  EXPECT_EQ(TailleCode(890, c).taille, (Taille{400, 300}));  // the screen
}

TEST(Disposition, HorsTableCommeLeVingtCinqPourCent) {
  const ContexteDisposition c = Contexte800();
  for (int code : {340, 660, 500, 990, 120, 0}) {
    EXPECT_EQ(TailleCode(code, c).taille, (Taille{200, 150})) << code;
  }
}

TEST(Disposition, NeufPlacesAvecMarge) {
  ContexteDisposition c = Contexte800();
  c.diapo = {200, 100};
  // Container 800 x 600: margins 33 and 25, far edges 766 and 575.
  const Place attendues[] = {{300, 250}, {300, 25}, {300, 475}, {33, 250}, {33, 25},
                             {33, 475},  {566, 250}, {566, 25}, {566, 475}};
  for (int p = 0; p < 9; ++p) EXPECT_EQ(PositionCode(400 + p, c), attendues[p]) << p;
}

TEST(Disposition, SansMargeLesBordsSontLesBordsDuConteneur) {
  ContexteDisposition c = Contexte800();
  c.diapo = {200, 100};
  c.margeDiapo = false;
  EXPECT_EQ(PositionCode(404, c), (Place{0, 0}));
  EXPECT_EQ(PositionCode(408, c), (Place{600, 500}));
}

TEST(Disposition, ExemplesDeLaDiapo) {
  ContexteDisposition c = Contexte800();
  c.diapo = {0, 0};
  EXPECT_EQ(PositionCode(474, c), (Place{33, 25}));  // "en haut à Gauche"
  c.posDiapo = "X200Y50";
  EXPECT_EQ(PositionCode(479, c), (Place{202, 52}));  // scaled, plus the offset 2
}

TEST(Disposition, PlacesPredefiniesParConteneur) {
  ContexteDisposition c = Contexte800();
  c.ecran = {1600, 1200};
  c.fenetre = {400, 300};
  c.posFenetre = "X20Y20";
  c.posTitre = "X60Y420";
  c.posObjet = "X420Y20";
  EXPECT_EQ(PositionCode(309, c), (Place{40, 40}));
  EXPECT_EQ(PositionCode(709, c), (Place{30, 210}));
  EXPECT_EQ(PositionCode(899, c), (Place{840, 40}));
}

TEST(Disposition, ObjetsDesConteneurs) {
  ContexteDisposition c = Contexte800();
  c.fenetreSeule = true;
  c.fenetre = {400, 300};
  EXPECT_EQ(PositionCode(300, c), (Place{200, 150}));  // the window on the screen
  c.fenetreSeule = false;
  EXPECT_EQ(PositionCode(300, c), (Place{10, 10}));  // the frame 780 x 580
  EXPECT_EQ(PositionCode(500, c), (Place{150, 125}));  // the photo in the slide
  EXPECT_EQ(PositionCode(700, c), (Place{100, 130}));  // the title in the slide
  EXPECT_EQ(PositionCode(800, c), (Place{50, 50}));  // the object in the 400 x 300 window
  EXPECT_EQ(PositionCode(604, c), (Place{9, 9}));       // 232 x 228 with margins
}

TEST(Disposition, ChiffresDUnCode) {
  EXPECT_EQ(AvecDizaine(473, 2), 423);
  EXPECT_EQ(AvecUnite(473, 9), 479);
  EXPECT_EQ(MulDiv(800, 3, 2), 1200);
  EXPECT_EQ(MulDiv(5, 1, 2), 3);  // halves away from zero
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(7, 7, 0), 0);
}

}  // namespace
}  // namespace plivor
