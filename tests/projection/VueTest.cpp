#include <gtest/gtest.h>

#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancVue;

TEST(Vue, SurUnEcranDeHuitCentsPixelsLaFenetreCouvreLEcranSansBiseau) {
  BancVue banc(QSize(800, 600));
  TFVue& vue = *banc.vue;
  EXPECT_EQ(vue.CodeFenetreDefaut, 380);
  EXPECT_EQ(vue.CodeFenetre, 380);
  EXPECT_EQ(vue.CadreFenetre, 0);
  EXPECT_EQ(vue.BiseauCarton, 0);
  EXPECT_EQ(vue.DecalageDiapo, 2);
  EXPECT_FALSE(vue.PleinEcranCoche);
}

TEST(Vue, SurUnEcranLargeLeCodeTroisCents) {
  BancVue banc(QSize(1280, 800));
  TFVue& vue = *banc.vue;
  EXPECT_EQ(vue.CodeFenetreDefaut, 300);
  EXPECT_EQ(vue.DecalageDiapo, 0);
  EXPECT_EQ(vue.CadreFenetre, 2);
  EXPECT_EQ(vue.Fenetre, QRect(240, 100, 800, 600));  // centred
  EXPECT_EQ(vue.RectPBox(), QRect(10, 10, 780, 580));
  EXPECT_EQ(vue.PBox.size(), QSize(780, 580));
}

TEST(Vue, SurUnEcranEtroitLaFenetrePrendLEcran) {
  BancVue banc(QSize(640, 480));
  TFVue& vue = *banc.vue;
  EXPECT_EQ(vue.Fenetre.size(), QSize(640, 480));
  EXPECT_FALSE(vue.PleinEcranActif);
  EXPECT_EQ(vue.MargeFenetre, 0);
  EXPECT_EQ(vue.CodeFenetreDefaut, 380);
}

// A wide screen too low for 800 x 600 (1920 x 1080 at a scale of 2): the
// window takes the screen rather than reach out of it.
TEST(Vue, SurUnEcranBasLaFenetrePrendLEcran) {
  BancVue banc(QSize(960, 540));
  TFVue& vue = *banc.vue;
  EXPECT_EQ(vue.Fenetre, QRect(0, 0, 960, 540));
  EXPECT_EQ(vue.Carton, QRect(0, 0, 960, 540));
  EXPECT_EQ(vue.MargeFenetre, 0);
}

TEST(Vue, EtatInitial) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  EXPECT_EQ(vue.Medias.size(), 14u);
  EXPECT_EQ(vue.Medias[12], MarqueIntroduction());
  EXPECT_EQ(vue.CodeDiapo, 470);
  EXPECT_EQ(vue.CodeTitre, 700);
  EXPECT_EQ(vue.CodeObjet, 873);
  EXPECT_EQ(vue.CouleurDiapo, RGB(60, 0, 0));
  EXPECT_EQ(vue.CouleurFenetre, RGB(35, 32, 55));
  EXPECT_EQ(vue.FonteTitre, "Arial Black+N128");
  EXPECT_EQ(vue.Timer1.interval(), 2000);
  EXPECT_FALSE(vue.Timer1.isActive());
  EXPECT_TRUE(vue.ListePropre);
  EXPECT_EQ(vue.PeripheriqueVolume, -1);
  EXPECT_EQ(vue.DossierProjection, banc.fichiers.DossierCourant());
}

TEST(Vue, OuvertureLitLesVolumes) {
  BancVue banc;
  banc.audio.RegleVolume(Peripherique::Onde, {0, 0});
  banc.audio.RegleVolume(Peripherique::Midi, {100 * 256, 50 * 256});
  banc.vue->Ouverture();
  EXPECT_EQ(banc.vue->VolumeInitial, 204);
  EXPECT_EQ(banc.vue->VolumeAudio, 204);
  EXPECT_EQ(banc.vue->VolumeMidiInitial, 75);
  EXPECT_TRUE(banc.vue->FenetreVisible);

  BancVue muet;
  muet.audio.RegleVolume(Peripherique::Onde, {0, 0});
  muet.options->options[9] = true;
  muet.vue->Ouverture();
  EXPECT_EQ(muet.vue->VolumeInitial, 0);
}

TEST(Vue, VolumeRéglerSuitLePeripherique) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  EXPECT_FALSE(vue.VolumeRegler(100));
  vue.PeripheriqueVolume = 2;
  EXPECT_TRUE(vue.VolumeRegler(100));
  EXPECT_EQ(banc.audio.Volume(Peripherique::Midi).gauche, 25600);
  EXPECT_EQ(vue.VolumeLire(2), 100);
  EXPECT_EQ(vue.VolumeLire(3), vue.VolumeLire(0));
}

TEST(Vue, InitialiserRemetLAffichage) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  vue.CodeDiapo = 424;
  vue.CodeObjet = 899;
  vue.ImageOpaque = false;
  vue.SansFond = true;
  vue.CodeTransition = 5;
  vue.DureeTransition = 40;
  vue.LangueActive = "en";
  banc.options->opt_tempo = QStringLiteral("1234");
  banc.options->opt_couleurFond = RGB(1, 2, 3);
  vue.Initialiser();
  EXPECT_EQ(vue.CodeDiapo, 470);
  EXPECT_EQ(vue.CodeObjet, 823);
  EXPECT_TRUE(vue.ImageOpaque);
  EXPECT_FALSE(vue.SansFond);
  EXPECT_EQ(vue.CodeTransition, 0);
  EXPECT_EQ(vue.DureeTransition, 4);
  EXPECT_EQ(vue.Timer1.interval(), 1234);
  EXPECT_EQ(vue.CouleurFenetre, RGB(1, 2, 3));
  EXPECT_EQ(vue.LangueActive, "fr");
  // With "Masquer le bureau" off the window keeps to the frame.
  EXPECT_TRUE(vue.FenetreSeule);
  banc.options->opt_tempo = QStringLiteral("vite");
  vue.Initialiser();
  EXPECT_EQ(vue.Timer1.interval(), 2000);
}

TEST(Vue, InitialiserMontreLePanneauSelonLOption) {
  BancVue banc;
  banc.options->options[2] = true;
  banc.vue->Initialiser();
  EXPECT_TRUE(banc.voisins.panneau);
  BancVue apercu;
  apercu.options->options[2] = true;
  apercu.vue->ApercuMontage = true;
  apercu.vue->Initialiser();
  EXPECT_FALSE(apercu.voisins.panneau);
}

TEST(Vue, LeMenuNeSurgitPasQuandLeMontageEstVisible) {
  BancVue banc;
  EXPECT_TRUE(banc.vue->PopupAutomatique());
  banc.voisins.montage = true;
  EXPECT_FALSE(banc.vue->PopupAutomatique());
  banc.voisins.montage = false;
  banc.vue->SuiviListe = true;
  EXPECT_FALSE(banc.vue->PopupAutomatique());
  banc.vue->SuiviListe = false;
  banc.options->Visible = true;
  EXPECT_FALSE(banc.vue->PopupAutomatique());
}

TEST(Vue, UnCadreGrandCommeLEcranPerdSonBiseau) {
  BancVue banc(QSize(800, 600));
  TFVue& vue = *banc.vue;
  vue.CodeFenetre = 300;
  vue.CadreFenetre = 2;
  vue.Rafraichir();
  EXPECT_EQ(vue.CodeFenetre, 380);
  EXPECT_EQ(vue.CadreFenetre, 0);
  EXPECT_EQ(vue.BiseauCarton, 0);
  EXPECT_EQ(vue.Carton.size(), QSize(800, 600));
}

TEST(Vue, LaPremiereApparitionMontreLEcranDerriere) {
  BancVue banc;
  banc.ecran = EcranFixe(QSize(1280, 800), QColor(10, 200, 30));
  TFVue& vue = *banc.vue;
  ASSERT_FALSE(vue.FenetreVisible);
  vue.Rafraichir();
  EXPECT_TRUE(vue.FenetreVisible);
  EXPECT_EQ(vue.PBox.pixelColor(5, 5), QColor(10, 200, 30));
  EXPECT_EQ(vue.CodeInstruction, 0);
}

TEST(Vue, PleinEcranEtFenetreSeule) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  vue.Rafraichir();
  const QRect cadreEcran(vue.Fenetre.topLeft() + vue.Carton.topLeft(), vue.Carton.size());
  ASSERT_FALSE(vue.FenetreSeule);
  vue.BureauVM();
  EXPECT_TRUE(vue.FenetreSeule);
  EXPECT_FALSE(vue.PleinEcranCoche);
  EXPECT_EQ(vue.Fenetre, cadreEcran);
  EXPECT_EQ(vue.Carton.topLeft(), QPoint(0, 0));
  vue.BureauVM();
  EXPECT_FALSE(vue.FenetreSeule);
  EXPECT_TRUE(vue.PleinEcranCoche);
  EXPECT_EQ(vue.Fenetre, QRect(0, 0, 1280, 800));
  EXPECT_EQ(vue.Carton.topLeft(), cadreEcran.topLeft());  // the frame stays in place
}

TEST(Vue, StyleWindowsEtRedimensionnement) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  vue.WFenetre(Emetteur::Menu);
  EXPECT_TRUE(vue.FenetreWindowsCoche);
  EXPECT_TRUE(vue.BordureFenetre);
  EXPECT_TRUE(banc.voisins.styleWindows);
  vue.Fenetre = QRect(30, 40, 640, 480);
  vue.FormResize();
  EXPECT_EQ(vue.CodeFenetre, 399);
  EXPECT_EQ(vue.CodeDiapo, 470);
  EXPECT_EQ(vue.DimFenetre, "X640Y480");
  EXPECT_EQ(vue.PosFenetre, "X30Y40");
  EXPECT_EQ(vue.Carton, QRect(0, 0, 640, 480));
  vue.WFenetre(Emetteur::Menu);
  EXPECT_FALSE(vue.BordureFenetre);
  EXPECT_FALSE(banc.voisins.styleWindows);
  // From the options the style ends equal to the option.
  banc.options->options[7] = false;
  vue.WFenetre(Emetteur::Options);
  EXPECT_FALSE(vue.FenetreWindowsCoche);
}

TEST(Vue, PeindreRemplitLaFenetreOuLaDiapo) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  vue.CouleurFenetre = RGB(1, 100, 200);
  vue.CodeInstruction = 3001;
  vue.Peindre();
  EXPECT_EQ(vue.PBox.pixelColor(0, 0), QColor(1, 100, 200));
  EXPECT_EQ(vue.PBox.pixelColor(779, 579), QColor(1, 100, 200));
  EXPECT_EQ(vue.CouleurCarton, RGB(1, 100, 200));

  vue.CodeDiapo = 420;  // half the paint box, centred
  vue.CouleurDiapo = RGB(250, 250, 0);
  vue.CodeInstruction = 4001;
  vue.Peindre();
  EXPECT_EQ(vue.PBox.pixelColor(390, 290), QColor(250, 250, 0));
  EXPECT_EQ(vue.PBox.pixelColor(195, 145), QColor(250, 250, 0));
  EXPECT_EQ(vue.PBox.pixelColor(194, 144), QColor(1, 100, 200));
  EXPECT_EQ(vue.CodeDiapo, 420);
}

TEST(Vue, LImageChargeeSAfficheALaPlaceDeLaDiapo) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  ASSERT_TRUE(test::EcrireBmp(banc.CheminHote("a.bmp"), test::Quadrants(100, 80)));
  vue.CodeDiapo = 474;  // slide = paint box, "en haut à Gauche"
  vue.Charger(banc.Chemin("a.bmp"));
  ASSERT_EQ(vue.TypeLigne, Genre::Bmp);
  vue.Editer();
  // The slide covers the paint box; the picture is centred on its ground.
  EXPECT_EQ(vue.PBox.pixelColor(0, 0), VersQColor(vue.CouleurDiapo));
  EXPECT_EQ(vue.PBox.pixelColor(340, 250), QColor(255, 0, 0));
  EXPECT_EQ(vue.PBox.pixelColor(439, 329), QColor(255, 255, 0));
}

TEST(Vue, UneImageTransparenteLaisseVoirLeFond) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  vue.PBox.fill(Qt::white);
  QImage motif = test::Unie(40, 40, QColor(0, 0, 255));
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 30; ++x) motif.setPixelColor(x, y, QColor(255, 0, 0));
  ASSERT_TRUE(test::EcrireBmp(banc.CheminHote("t.bmp"), motif));
  vue.ImageOpaque = false;
  vue.Charger(banc.Chemin("t.bmp"));
  vue.Editer();
  EXPECT_EQ(vue.CouleurTransparente, RGB(0, 0, 255));
  const QPoint o = vue.OrigineImage();
  EXPECT_EQ(vue.PBox.pixelColor(o.x() + 2, o.y() + 2), QColor(Qt::white));
  EXPECT_EQ(vue.PBox.pixelColor(o.x() + 20, o.y() + 20), QColor(255, 0, 0));
}

TEST(Vue, LaDiapoTropGrandeRevientAuPaintBox) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  vue.CodeDiapo = 400;
  vue.FormatDiapo();
  EXPECT_EQ(vue.CodeDiapo, 400);
  vue.DimDiapo = "W900H500";
  vue.CodeDiapo = 491;
  vue.FormatDiapo();
  EXPECT_EQ(vue.CodeDiapo, 470);
}

TEST(Vue, CouleurDuFondChoisie) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  banc.dialogues.couleurs = {QColor(9, 8, 7), std::nullopt};
  vue.CouleurFond();
  EXPECT_EQ(vue.CouleurFenetre, RGB(9, 8, 7));
  EXPECT_EQ(vue.CouleurCarton, RGB(9, 8, 7));
  vue.CouleurFond();
  EXPECT_EQ(vue.CouleurFenetre, RGB(9, 8, 7));
  EXPECT_EQ(banc.dialogues.dialogues.size(), 2);
}

TEST(Vue, PauseAvanceEtModeManuel) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  vue.AvanceAM(Emetteur::Aucun);
  EXPECT_TRUE(vue.AvanceAuto);
  EXPECT_TRUE(vue.Timer1.isActive());
  vue.PauseClick(Emetteur::bt_Pause);
  EXPECT_EQ(vue.EtatPause, 1);
  EXPECT_FALSE(vue.Timer1.isActive());
  vue.PauseClick(Emetteur::bt_Pause);
  EXPECT_EQ(vue.EtatPause, 0);
  EXPECT_TRUE(vue.Timer1.isActive());
  vue.ModeManuel();
  EXPECT_TRUE(vue.Manuel);
  EXPECT_EQ(vue.EtatPause, 1);
  vue.ModeManuel();
  EXPECT_FALSE(vue.Manuel);
  EXPECT_TRUE(vue.AvanceAuto);
}

TEST(Vue, BullesSuiventLOption) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  vue.Bulles(Emetteur::Menu);
  EXPECT_TRUE(vue.MasquerBullesCoche);
  EXPECT_FALSE(banc.voisins.bulles);
  banc.options->options[5] = false;
  vue.Bulles(Emetteur::Options);
  EXPECT_FALSE(vue.MasquerBullesCoche);
  EXPECT_TRUE(banc.voisins.bulles);
}

}  // namespace
}  // namespace plivor
