#include <gtest/gtest.h>

#include "navigation/PanneauNavigation.h"
#include "platform/Aide.h"
#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancVue;

class Panneau : public testing::Test {
 protected:
  Panneau() : panneau(*banc.vue, QSize(1280, 800)) {
    banc.voisins.panneauNav = &panneau;
    for (const char* nom : {"a", "b", "c"})
      test::EcrireBmp(banc.CheminHote(QString::fromLatin1(nom) + ".bmp"), test::Unie(20, 20, Qt::red));
  }
  TFVue& vue() { return *banc.vue; }
  Texte Image(const char* nom) const { return banc.Chemin(QString::fromLatin1(nom) + ".bmp"); }
  BancVue banc;
  PanneauNavigation panneau;
};

TEST_F(Panneau, PlaceEnBasADroiteEtRevientDansLEcran) {
  EXPECT_EQ(panneau.Geometrie, QRect(1280 - 255 - 16, 800 - 32 - 8, 255, 32));
  panneau.Deplacer(QPoint(1200, 790));
  panneau.Montrer(true);
  EXPECT_EQ(panneau.Geometrie.topLeft(), QPoint(1280 - 255 - 4, 800 - 32 - 4));
}

TEST_F(Panneau, CacherLaDeuxiemeRangeeGardeLeBasEnPlace) {
  panneau.Masquer(true);
  EXPECT_TRUE(panneau.Icones2);
  EXPECT_EQ(panneau.Geometrie.height(), 64);
  const int bas = panneau.Geometrie.bottom();
  panneau.Masquer(true);
  EXPECT_FALSE(panneau.Icones2);
  EXPECT_EQ(panneau.Geometrie.height(), 32);
  EXPECT_EQ(panneau.Geometrie.bottom(), bas);
}

TEST_F(Panneau, LaVignetteDeuxUnEstLeDrapeauSix) {
  vue().DPop = {"Un", "Deux", "Trois", "Quatre", "Cinq"};
  panneau.FixeVignette(2 * 56 + 5, 44 + 5);
  EXPECT_EQ(panneau.IndexVignette, -1);  // only 5 flags: nothing
  EXPECT_EQ(panneau.IndiceBouton, QStringLiteral("Nom de drapeau"));
  vue().DPop.push_back("Six");
  vue().DPop.push_back("Sept");
  panneau.FixeVignette(2 * 56 + 5, 44 + 5);
  EXPECT_EQ(panneau.IndexVignette, 6);
  EXPECT_EQ(panneau.IndiceBouton, QStringLiteral("Sept"));
  EXPECT_EQ(panneau.Menu01, QPoint(123, 55));
  EXPECT_EQ(panneau.Menu02, QPoint(122, 54));
}

class MenuDesDrapeaux : public Panneau {
 protected:
  MenuDesDrapeaux() {
    vue().Medias = {Image("a"), "Drapeau=Un.pvd", Image("b"), "Drapeau=Deux.pvd", Image("c")};
    vue().CreerPopDrapeaux();
    vue().Debut(Emetteur::Aucun);
    panneau.ChargerImageMenu(test::Unie(224, 44, QColor(30, 30, 30)));
    panneau.Navigation(Emetteur::bt_Navigation);  // the image pane opens
  }
};

TEST_F(MenuDesDrapeaux, UneImageDeMenuOuvreEtFermeSonVolet) {
  EXPECT_TRUE(panneau.MenuVisible);
  EXPECT_EQ(panneau.HauteurMenu, 52);
  EXPECT_EQ(panneau.Geometrie.height(), 32 + 52);
  EXPECT_TRUE(panneau.Etats[Emetteur::bt_Navigation].visible);
  EXPECT_FALSE(panneau.Etats[Emetteur::bt_Debut].visible);
  panneau.Navigation(Emetteur::bt_Navigation);
  EXPECT_FALSE(panneau.MenuVisible);
}

TEST_F(MenuDesDrapeaux, UnClicSurUneVignetteSauteEtFermeLeMenu) {
  panneau.FixeVignette(56 + 20, 20);  // flag Deux
  panneau.BoutonMouseUp(false);
  EXPECT_FALSE(panneau.MenuVisible);
  EXPECT_EQ(vue().IndexCourant, 0);  // Deux chains to c, shown; wraps to a
  EXPECT_EQ(vue().DureeTransition, 7);
}

TEST_F(MenuDesDrapeaux, MaintenirLeMenuSauteSansLeFermerNiEffacer) {
  banc.options->options[3] = true;
  const QImage avant = panneau.ImageMenu.copy();
  panneau.FixeVignette(56 + 20, 20);
  vue().PBox.fill(Qt::white);
  int effacements = 0;
  QObject::connect(banc.vue.get(), &TFVue::Presenter, [&] {
    if (vue().PBox.pixelColor(0, 0) == VersQColor(vue().CouleurFenetre)) ++effacements;
  });
  panneau.BoutonMouseUp(false);
  EXPECT_TRUE(panneau.MenuVisible);
  EXPECT_EQ(effacements, 0);
  EXPECT_EQ(vue().DureeTransition, 7);  // the jump happened
  // The thumbnail is framed.
  EXPECT_NE(panneau.ImageMenu, avant);
  EXPECT_EQ(panneau.ImageMenu.pixelColor(panneau.Menu02 - QPoint(4, 4)), QColor(220, 200, 180));
}

TEST_F(Panneau, SansImageLaNavigationMontreLeMenuDesDrapeaux) {
  QPoint ou;
  QObject::connect(&panneau, &PanneauNavigation::MontrerDPop, [&ou](QPoint p) { ou = p; });
  panneau.Navigation(Emetteur::bt_Navigation);
  EXPECT_EQ(ou, QPoint(640, 790));
  panneau.Navigation(Emetteur::bt_Navigation, true);  // right button: from the top
  EXPECT_TRUE(vue().AvanceAuto);
}

TEST_F(Panneau, LesBoutonsSuiventLEtat) {
  vue().Medias = {Image("a"), Image("b")};
  vue().AvanceAM(Emetteur::Aucun);
  EXPECT_TRUE(panneau.Etats[Emetteur::bt_AvanceArret].visible);
  EXPECT_FALSE(panneau.Etats[Emetteur::bt_Avance].visible);
  EXPECT_TRUE(panneau.Etats[Emetteur::bt_Pause].visible);
  EXPECT_FALSE(panneau.Etats[Emetteur::bt_Jouer].visible);
  vue().ModeManuel();
  EXPECT_EQ(panneau.Etats[Emetteur::bt_Avance].indice, QStringLiteral("(z) pour réactiver l'avance"));
  EXPECT_FALSE(panneau.Etats[Emetteur::bt_Avance].actif);
  vue().ModeManuel();
  EXPECT_EQ(panneau.Etats[Emetteur::bt_Avance].indice, QStringLiteral("Avance automatique  (a)"));
  vue().ModeMuet();
  EXPECT_EQ(panneau.Etats[Emetteur::bt_Audio].indice, QString::fromUtf8("(ù) pour réactiver la musique"));
  EXPECT_FALSE(panneau.Etats[Emetteur::bt_Audio].actif);
  vue().Options(Emetteur::bt_Options);
  EXPECT_EQ(panneau.Etats[Emetteur::bt_Options].indice, QStringLiteral("Fermer le panneau Option (i)"));
}

TEST_F(Panneau, LesBoutonsAppellentLaProjection) {
  vue().Medias = {Image("a"), Image("b"), Image("c")};
  vue().Debut(Emetteur::Aucun);
  vue().AvanceAM(Emetteur::Aucun);  // stopped, b pending
  panneau.Commandes(Emetteur::bt_Suivant);
  EXPECT_EQ(vue().IndexCourant, 2);
  panneau.Commandes(Emetteur::bt_Avance);  // one line, then the advance
  EXPECT_EQ(vue().IndexCourant, 0);
  EXPECT_TRUE(vue().AvanceAuto);
  panneau.Commandes(Emetteur::bt_Aide);
  EXPECT_TRUE(banc.bureau.aides.value(0).endsWith(QStringLiteral("Plivor.hlp#1000")));
  vue().ApercuMontage = true;  // the montage drives: buttons do nothing
  panneau.Commandes(Emetteur::bt_Quitter);
  EXPECT_FALSE(vue().Fermeture);
}

TEST_F(Panneau, LeClicGaucheEnModeManuelAvanceDUneLigneParAppui) {
  vue().Medias = {Image("a"), Image("b"), Image("c"), "Titrage=x.pvv"};
  vue().Debut(Emetteur::Aucun);
  panneau.Montrer(true);
  vue().ModeManuel();
  const int depart = vue().IndexCourant;
  vue().ImageMouseDown(false);
  vue().ImageMouseUp(false);
  EXPECT_EQ(vue().IndexCourant, depart + 1);
  vue().ImageMouseDown(false);
  vue().ImageMouseUp(false);
  EXPECT_EQ(vue().IndexCourant, depart + 2);
  EXPECT_FALSE(vue().AvanceAuto);
}

TEST_F(Panneau, TenirLeBoutonTientLaProjection) {
  vue().Medias = {Image("a"), Image("b"), Image("c")};
  vue().Debut(Emetteur::Aucun);
  panneau.Montrer(true);
  ASSERT_TRUE(vue().AvanceAuto);
  vue().ImageMouseDown(false);
  EXPECT_FALSE(vue().AvanceAuto);
  EXPECT_FALSE(vue().PauseActive);
  const int tenu = vue().IndexCourant;
  vue().ImageMouseUp(false);
  EXPECT_TRUE(vue().AvanceAuto);
  EXPECT_TRUE(vue().PauseActive);
  EXPECT_EQ(vue().IndexCourant, IndexBorne(3, tenu + 1));
}

TEST_F(Panneau, UnClicSansPanneauLeMontre) {
  vue().SourceClick();
  EXPECT_TRUE(panneau.Visible);
  EXPECT_FALSE(vue().MasquerCoche);
  vue().VoirIcones();
  EXPECT_FALSE(panneau.Visible);
  EXPECT_TRUE(vue().MasquerCoche);  // "Voir les icônes" checked while hidden
}

TEST_F(Panneau, LeMenuNeSurgitPasQuandLeMontageEstVisible) {
  vue().FormActivate();
  EXPECT_TRUE(vue().MenuAutomatique);
  banc.voisins.montage = true;
  vue().FormActivate();
  EXPECT_FALSE(vue().MenuAutomatique);
}

TEST_F(Panneau, LEconomiseurDEcranSuitLAvanceAvecLOption) {
  vue().Medias = {Image("a")};
  vue().AvanceAM(Emetteur::Aucun);
  EXPECT_FALSE(banc.bureau.veilleInhibee);
  vue().AvanceAM(Emetteur::Aucun);
  banc.options->options[1] = true;
  vue().AvanceAM(Emetteur::Aucun);
  EXPECT_TRUE(banc.bureau.veilleInhibee);
  vue().AvanceAM(Emetteur::Aucun);
  EXPECT_FALSE(banc.bureau.veilleInhibee);
}

TEST_F(Panneau, MenuNavigationMontreLePanneauPuisSonMenu) {
  panneau.ChargerImageMenu(test::Unie(224, 44, Qt::gray));
  vue().PopNavigationClick();
  EXPECT_TRUE(panneau.Visible);
  EXPECT_TRUE(panneau.MenuVisible);
}

TEST(Aide, UneRubriqueSansPageOuvreLeSommaire) {
  QTemporaryDir dossier;
  QDir(dossier.path()).mkpath(QStringLiteral("Plivor.hlp"));
  const QString aide = dossier.filePath(QStringLiteral("Plivor.hlp"));
  EXPECT_TRUE(PageAide(aide, 1000).isEmpty());
  QFile(aide + QStringLiteral("/index.html")).open(QIODevice::WriteOnly);
  QFile(aide + QStringLiteral("/1000.html")).open(QIODevice::WriteOnly);
  EXPECT_EQ(PageAide(aide, 1000), aide + QStringLiteral("/1000.html"));
  EXPECT_EQ(PageAide(aide, 4321), aide + QStringLiteral("/index.html"));
}

TEST(Aide, LesRubriquesParEmetteur) {
  BancVue banc;
  const std::pair<Emetteur, int> rubriques[] = {
      {Emetteur::bt_Aide, 1000},           {Emetteur::PopAide, 1000},     {Emetteur::opt_RubtAide, 1670},
      {Emetteur::opt_R_btAide, 1600},      {Emetteur::lk_btAide, 1660},   {Emetteur::AProposPresentation, 100},
      {Emetteur::AProposAuteur, 200}};
  for (const auto& [emetteur, rubrique] : rubriques) {
    banc.bureau.aides.clear();
    banc.vue->AppelAide(emetteur);
    EXPECT_EQ(banc.bureau.aides.value(0), TexteEcran(banc.vue->FichierAide) + QStringLiteral("#%1").arg(rubrique));
  }
}

}  // namespace
}  // namespace plivor
