#include <QDir>
#include <gtest/gtest.h>

#include "core/Vocabulaire.h"
#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancVue;

// A title line stops the chain, so one instruction is applied alone.
const Texte kArret = "Titrage=Fin.pvv";

class Interpreteur : public testing::Test {
 protected:
  TFVue& vue() { return *banc.vue; }
  void Appliquer(std::string_view utf8) { banc.Projeter({Cp(utf8), kArret}); }
  QString Messages() const { return banc.dialogues.textes.join(QStringLiteral("|")); }
  BancVue banc;
};

TEST_F(Interpreteur, TempoAuDessusDeTrenteDeuxSinonQuaranteMillisecondes) {
  const std::pair<const char*, int> cas[] = {
      {"Tempo=10.pvi", 40}, {"Tempo=33.pvi", 33}, {"Tempo=abc.pvi", 40}, {"Tempo=1500.pvi", 1500}};
  for (const auto& [ligne, intervalle] : cas) {
    Appliquer(ligne);
    EXPECT_EQ(vue().Timer1.interval(), intervalle) << ligne;
  }
}

TEST_F(Interpreteur, VolumeAudioPlafonneACentPourCent) {
  vue().PeripheriqueVolume = 0;
  Appliquer("Audio-Volume=150.pvi");
  EXPECT_EQ(vue().VolumeAudio, 255);
  Appliquer("Audio-Volume=50.pvi");
  EXPECT_EQ(vue().VolumeAudio, 127);
  EXPECT_EQ(banc.audio.Volume(Peripherique::Onde).gauche, 127 * 256);
  EXPECT_EQ(banc.audio.Volume(Peripherique::Onde).droite, 127 * 256);
  Appliquer("Audio-Volume=fort.pvi");
  EXPECT_EQ(vue().VolumeAudio, 204);  // default 80
}

TEST_F(Interpreteur, DebutEtDureeAudioSaufSiLAudioEstIgnore) {
  Appliquer("Audio-Début=500.pvi");
  Appliquer("Audio-Durée=2500.pvi");
  EXPECT_EQ(vue().AudioDebut, 500);
  EXPECT_EQ(vue().AudioDuree, 2500);
  vue().IgnorerAudio = true;
  Appliquer("Audio-Début=900.pvi");
  Appliquer("Audio-Volume=10.pvi");
  EXPECT_EQ(vue().AudioDebut, 500);
  EXPECT_NE(vue().VolumeAudio, 25);
}

TEST_F(Interpreteur, FonduEntrantPrepareSonPas) {
  vue().VolumeAudio = 180;
  Appliquer("Audio-FadeIn=100.pvi");
  EXPECT_TRUE(vue().FonduEntrant);
  EXPECT_EQ(vue().DureeFondu, 200);  // at least 200
  EXPECT_EQ(vue().TimerFade.interval(), 12);
  EXPECT_EQ(vue().PasFondu, 10);
}

TEST_F(Interpreteur, FonduSortantCourtBloqueEtBaisseLeVolume) {
  vue().PeripheriqueVolume = 0;
  banc.audio.RegleVolume(Peripherique::Onde, {200 * 256, 200 * 256});
  Appliquer("Audio-FadeOff=80.pvi");
  EXPECT_FALSE(vue().FonduEntrant);
  EXPECT_LE(vue().VolumeFondu, 8);
  EXPECT_LE(banc.audio.Volume(Peripherique::Onde).gauche, 8 * 256);
  EXPECT_FALSE(vue().TimerFade.isActive());
}

TEST_F(Interpreteur, DelaiEtDureeDeTransition) {
  Appliquer("Delai=50.pvi");
  EXPECT_EQ(vue().DureeTransition, 1);
  Appliquer("Delai=1000.pvi");
  EXPECT_EQ(vue().DureeTransition, 14);
  Appliquer("Duree=3/4-sec.pvi");
  EXPECT_EQ(vue().DureeTransition, 10);
  Appliquer("Duree=Bidule.pvi");
  EXPECT_EQ(vue().DureeTransition, 10);
  Appliquer("Transition=Gauche.pvi");
  EXPECT_EQ(vue().CodeTransition, 3);
  Appliquer("Morphe=Zoom.pvi");
  EXPECT_EQ(vue().CodeTransition, 114);
}

TEST_F(Interpreteur, InstructionsDeLaFenetre) {
  Appliquer("Fenetre=Verte.pvi");
  EXPECT_EQ(vue().CouleurFenetre, RGB(38, 55, 34));
  Appliquer("Fenetre-Couleur=$00FF0000.pvi");
  EXPECT_EQ(vue().CouleurFenetre, RGB(0, 0, 255));
  vue().CodeFenetre = 300;
  Appliquer("Fenetre-Format=50%.pvi");
  EXPECT_EQ(vue().CodeFenetre, 320);
  Appliquer("Fenetre-Position=en bas à Droite.pvi");
  EXPECT_EQ(vue().CodeFenetre, 328);
  Appliquer("Fenetre-Dim=W300H200.pvi");
  EXPECT_EQ(vue().DimFenetre, "W300H200");
  EXPECT_EQ(vue().CodeFenetre, 398);
  Appliquer("Fenetre-Pos=X10Y10.pvi");
  EXPECT_EQ(vue().PosFenetre, "X10Y10");
  EXPECT_EQ(vue().CodeFenetre, 399);
  Appliquer("Fenetre-Cadre=-3.pvi");
  EXPECT_EQ(vue().CadreFenetre, -3);
  Appliquer("Fenetre-Marge=abc.pvi");
  EXPECT_EQ(vue().MargeFenetre, 0);
  Appliquer("Fenetre-Style=Sans cadre.pvi");
  EXPECT_EQ(vue().CadreFenetre, 0);
}

TEST_F(Interpreteur, LesStylesDeLaFenetre) {
  Appliquer("Fenetre-Style=Windows.pvi");
  EXPECT_TRUE(vue().FenetreWindowsCoche);
  EXPECT_TRUE(vue().BordureFenetre);
  Appliquer("Fenetre=Plein écran.pvi");  // a word of value code 3 leaves the style
  EXPECT_FALSE(vue().FenetreWindowsCoche);
  ASSERT_FALSE(vue().FenetreSeule);
  Appliquer("Fenetre-Style=Normal.pvi");
  EXPECT_TRUE(vue().FenetreSeule);
  Appliquer("Fenetre-Style=Plein écran.pvi");
  EXPECT_FALSE(vue().FenetreSeule);
  Appliquer("Fenetre-Style=Sans marge.pvi");
  EXPECT_EQ(vue().MargeFenetre, 0);
  Appliquer("Fenetre=Bordeau.pvi");
  EXPECT_EQ(vue().CouleurFenetre, RGB(60, 0, 0));
  Appliquer("Fenetre=Bleue.pvi");
  EXPECT_EQ(vue().CouleurFenetre, RGB(35, 32, 55));
}

TEST_F(Interpreteur, LesAutresMotsDeLaDiapoEtDeLImage) {
  vue().SansFond = true;
  Appliquer("Diapo=Avec fond.pvi");
  EXPECT_FALSE(vue().SansFond);
  Appliquer("Diapo=Verte.pvi");
  EXPECT_EQ(vue().CouleurDiapo, RGB(38, 55, 34));
  Appliquer("Diapo=Bordeau.pvi");
  EXPECT_EQ(vue().CouleurDiapo, RGB(60, 0, 0));
  vue().MargeDiapo = false;
  Appliquer("Diapo=Détacher.pvi");
  EXPECT_TRUE(vue().MargeDiapo);
  vue().ImageDecoupee = true;
  Appliquer("Image=Adapter à la Diapo.pvi");
  EXPECT_FALSE(vue().ImageDecoupee);
  vue().ImageOpaque = false;
  Appliquer("Image=Opaque.pvi");
  EXPECT_TRUE(vue().ImageOpaque);
  vue().ImageOpaque = false;
  vue().ImageDecoupee = true;
  Appliquer("Image=Normale.pvi");
  EXPECT_TRUE(vue().ImageOpaque);
  EXPECT_FALSE(vue().ImageDecoupee);
}

TEST_F(Interpreteur, LesSautsDeLaListe) {
  ASSERT_TRUE(test::EcrireBmp(banc.CheminHote("a.bmp"), test::Quadrants(20, 20)));
  const Texte image = banc.Chemin("a.bmp");
  // Saut=Début starts the list again from its top, advancing.
  banc.Projeter({image, "Drapeau=Un.pvd", image, Cp("Saut=Début.pvi"), image});
  vue().IndexCourant = 3;
  vue().Charger(vue().Medias[3]);
  EXPECT_TRUE(vue().AvanceAuto);
  EXPECT_EQ(vue().IndexCourant, 2);  // line 0 shown, the flag chains to line 2
  // The flag jumps run as their menu entries.
  vue().Medias = {image, "Drapeau=Un.pvd", image, "Saut=Premier.pvi", image};
  vue().IndexCourant = 3;
  vue().Charger(vue().Medias[3]);
  EXPECT_EQ(vue().DureeTransition, 7);  // InitScene of the jump
  // Saut=Quitter pauses, then quits.
  vue().Medias = {"Saut=Quitter.pvi", image};
  vue().IndexCourant = 0;
  vue().Charger(vue().Medias[0]);
  EXPECT_TRUE(vue().Fermeture);
}

TEST_F(Interpreteur, FenetreNormaleRevientAuCodeParDefaut) {
  vue().CodeFenetre = 329;
  vue().CadreFenetre = 0;
  Appliquer("Fenetre=Normale.pvi");
  EXPECT_EQ(vue().CodeFenetre, vue().CodeFenetreDefaut);
  EXPECT_EQ(vue().CadreFenetre, 2);
  EXPECT_EQ(vue().MargeFenetre, 8);
  banc.options->options[6] = true;
  Appliquer("Fenetre=Normale.pvi");
  EXPECT_EQ(vue().MargeFenetre, 0);
}

TEST_F(Interpreteur, InstructionsDeLaDiapoEtDeLImage) {
  Appliquer("Diapo=Sans fond.pvi");
  EXPECT_TRUE(vue().SansFond);
  Appliquer("Diapo=Coller aux bords.pvi");
  EXPECT_FALSE(vue().MargeDiapo);
  Appliquer("Image=Découpée.pvi");
  EXPECT_TRUE(vue().ImageDecoupee);
  Appliquer("Image=Transparente.pvi");
  EXPECT_FALSE(vue().ImageOpaque);
  Appliquer("Diapo=Bleue.pvi");
  EXPECT_EQ(vue().CouleurDiapo, RGB(35, 32, 55));
  Appliquer("Diapo-Couleur=clLime.pvi");
  EXPECT_EQ(vue().CouleurDiapo, RGB(0, 255, 0));
  EXPECT_EQ(vue().CouleurPinceau, RGB(0, 255, 0));
  Appliquer("Diapo=Normale.pvi");
  EXPECT_FALSE(vue().SansFond);
  EXPECT_TRUE(vue().MargeDiapo);
  EXPECT_FALSE(vue().ImageDecoupee);
  EXPECT_TRUE(vue().ImageOpaque);
  EXPECT_EQ(vue().CodeDiapo, 470);
}

TEST_F(Interpreteur, FormatEtPlaceDeLaDiapo) {
  const QSize pbox = vue().RectPBox().size();
  Appliquer("Diapo-Format=50%.pvi");
  EXPECT_EQ(vue().CodeDiapo, 420);
  EXPECT_EQ(vue().LargeurDiapo, pbox.width() / 2);
  EXPECT_EQ(vue().HauteurDiapo, pbox.height() / 2);
  Appliquer("Diapo-Position=en haut à Gauche.pvi");
  EXPECT_EQ(vue().CodeDiapo, 424);
  Appliquer("Diapo-Dim=W400H300.pvi");
  EXPECT_EQ(vue().CodeDiapo, 494);
  EXPECT_EQ(vue().DimDiapo, "W400H300");
  EXPECT_EQ(vue().LargeurDiapo, vue().Fenetre.width() * 400 / 800);
  Appliquer("Diapo-Pos=X100Y100.pvi");
  EXPECT_EQ(vue().CodeDiapo, 499);
  EXPECT_EQ(vue().PosDiapo, "X100Y100");
}

TEST_F(Interpreteur, InstructionsDuTitreEtDesObjets) {
  Appliquer("Titre-Couleur=clRed.pvi");
  EXPECT_EQ(vue().CouleurTitre, RGB(255, 0, 0));
  Appliquer("Titre-Fonte=Verdana+B40.pvi");
  EXPECT_EQ(vue().FonteTitre, "Verdana+B40");
  Appliquer("Titre-Position=Centrer en bas.pvi");
  EXPECT_EQ(vue().CodeTitre, 782);
  Appliquer("Titre-Pos=X10Y20.pvi");
  EXPECT_EQ(vue().CodeTitre, 789);
  EXPECT_EQ(vue().PosTitre, "X10Y20");
  Appliquer("Titre=Normal.pvi");
  EXPECT_EQ(vue().CodeTitre, 700);
  EXPECT_EQ(vue().CouleurTitre, 11656177u);
  EXPECT_EQ(vue().FonteTitre, "Arial Black+N128");
  Appliquer("Objet-Format=50%.pvi");
  EXPECT_EQ(vue().CodeObjet, 823);
  Appliquer("Objet-Position=à Droite.pvi");
  EXPECT_EQ(vue().CodeObjet, 826);
  Appliquer("Objet-Dim=W100H100.pvi");
  EXPECT_EQ(vue().CodeObjet, 896);
  Appliquer("Objet-Pos=X1Y2.pvi");
  EXPECT_EQ(vue().CodeObjet, 899);
  EXPECT_EQ(vue().PosObjet, "X1Y2");
}

TEST_F(Interpreteur, AvanceStopEtPauseArretentLaChaine) {
  vue().AvanceAuto = true;
  vue().Timer1.start();
  banc.Projeter({"Avance=Stop.pvi", "Tempo=100.pvi", kArret});
  EXPECT_FALSE(vue().AvanceAuto);
  EXPECT_FALSE(vue().Timer1.isActive());
  EXPECT_EQ(vue().IndexCourant, 0);
  EXPECT_EQ(vue().Timer1.interval(), 2000);

  vue().AvanceAM(Emetteur::Aucun);
  banc.Projeter({"Avance=Pause.pvi", "Tempo=100.pvi", kArret});
  EXPECT_EQ(vue().EtatPause, 1);
  EXPECT_EQ(vue().IndexCourant, 0);
  banc.Projeter({"Avance=Reprise.pvi", kArret});
  EXPECT_EQ(vue().EtatPause, 0);
  EXPECT_TRUE(vue().AvanceAuto);
}

TEST_F(Interpreteur, AvanceManuelleEtNormale) {
  Appliquer("Avance=Manuelle.pvi");
  EXPECT_TRUE(vue().Manuel);
  EXPECT_TRUE(vue().Muet);
  EXPECT_TRUE(banc.voisins.panneau);
  EXPECT_TRUE(banc.voisins.deuxiemeRangee);
  Appliquer("Avance=Normale.pvi");
  EXPECT_FALSE(vue().Manuel);
  EXPECT_FALSE(vue().Muet);
  EXPECT_FALSE(banc.voisins.deuxiemeRangee);
}

TEST_F(Interpreteur, IconesEtMenuDuPanneau) {
  Appliquer("Icones=Afficher.pvi");
  EXPECT_TRUE(banc.voisins.panneau);
  Appliquer("Icones=Masquer.pvi");
  EXPECT_FALSE(banc.voisins.panneau);
  Appliquer("Menu=Afficher.pvi");
  EXPECT_TRUE(banc.voisins.panneau);
  EXPECT_TRUE(banc.voisins.menu);
  Appliquer("Menu=Masquer.pvi");
  EXPECT_FALSE(banc.voisins.menu);
}

TEST_F(Interpreteur, CinqInstructionsEtUneImageEnUnSeulChargement) {
  ASSERT_TRUE(test::EcrireJpeg(banc.CheminHote("a.jpg"), test::Quadrants(200, 100)));
  banc.Projeter({"Tempo=900.pvi", "Transition=Haut.pvi", "Duree=1-sec.pvi", "Diapo=Sans fond.pvi",
                 "Fenetre=Bordeau.pvi", banc.Chemin("a.jpg"), kArret});
  EXPECT_EQ(vue().IndexCourant, 5);
  EXPECT_EQ(vue().TypeLigne, Genre::Jpeg);
  EXPECT_EQ(vue().Timer1.interval(), 900);
  EXPECT_EQ(vue().CodeTransition, 1);
  EXPECT_EQ(vue().DureeTransition, 14);
  EXPECT_TRUE(vue().SansFond);
  EXPECT_EQ(vue().CouleurFenetre, RGB(60, 0, 0));
  EXPECT_EQ(vue().Photo.size(), QSize(200, 100));
}

TEST_F(Interpreteur, EnModeManuelUneInstructionParAvance) {
  vue().Manuel = true;
  banc.Projeter({"Tempo=900.pvi", "Transition=Haut.pvi", kArret});
  EXPECT_EQ(vue().IndexCourant, 0);
  EXPECT_EQ(vue().CodeTransition, 0);
  vue().Suivant(Emetteur::bt_Suivant);
  EXPECT_EQ(vue().IndexCourant, 1);
  EXPECT_EQ(vue().CodeTransition, 1);
}

TEST_F(Interpreteur, UnTitreAttendSonAffichage) {
  banc.Projeter({"Titrage=Bonjour.pvv", "Tempo=900.pvi"});
  EXPECT_EQ(vue().CodeInstruction, 7700);
  EXPECT_EQ(vue().IndexCourant, 0);
  EXPECT_EQ(vue().Timer1.interval(), 2000);
}

TEST_F(Interpreteur, UneListeSansArretNeBouclePasSansFin) {
  banc.Projeter({"Tempo=900.pvi", "Transition=Haut.pvi"});
  EXPECT_EQ(vue().Timer1.interval(), 900);
  EXPECT_EQ(vue().CodeTransition, 1);
  // Forty instructions and nothing else: one round per advance, no more.
  Liste lignes;
  for (int i = 0; i < 40; ++i) lignes.push_back("Tempo=" + std::to_string(100 + i) + ".pvi");
  banc.Projeter(lignes);
  EXPECT_EQ(vue().Timer1.interval(), 101);  // once round, then line 1 again
  for (int avance = 0; avance < 3; ++avance) vue().Suivant(Emetteur::Minuterie);
  EXPECT_EQ(vue().TypeLigne, Genre::Instruction);
}

TEST_F(Interpreteur, UneTresLongueChaineSArreteSansEpuiserLaPile) {
  ASSERT_TRUE(test::EcrireBmp(banc.CheminHote("a.bmp"), test::Quadrants(20, 20)));
  Liste lignes(5000, "Transition=Haut.pvi");
  lignes.push_back(banc.Chemin("a.bmp"));
  banc.Projeter(lignes);
  EXPECT_EQ(vue().TypeLigne, Genre::Instruction);  // a line pending, the chain cut
  EXPECT_GT(vue().IndexCourant, 500);
  for (int avance = 0; avance < 10 && vue().TypeLigne != Genre::Bmp; ++avance) vue().Suivant(Emetteur::Minuterie);
  EXPECT_EQ(vue().TypeLigne, Genre::Bmp);
  EXPECT_EQ(vue().IndexCourant, 5000);
}

TEST_F(Interpreteur, SousListeDevelopeeSurPlace) {
  ASSERT_TRUE(test::EcrireJpeg(banc.CheminHote("a.jpg"), test::Quadrants(20, 20)));
  const Texte image = banc.Chemin("a.jpg");
  banc.EcrireTexte("Suite.pvl", image + "\r\n\r\nabc\r\n");
  banc.Projeter({"Tempo=900.pvi", banc.Chemin("Suite.pvl"), kArret});
  const Liste attendue = {"Tempo=900.pvi", "Drapeau=Suite.pvd", image, kArret};
  EXPECT_EQ(vue().Medias, attendue);
  EXPECT_TRUE(vue().ListeTemporaire.empty());
}

TEST_F(Interpreteur, SousListeSeuleDansLaListe) {
  banc.EcrireTexte("Suite.pvl", "Tempo=800.pvi\r\n");
  banc.Projeter({banc.Chemin("Suite.pvl")});
  const Liste attendue = {"Drapeau=Suite.pvd", "Tempo=800.pvi"};
  EXPECT_EQ(vue().Medias, attendue);
}

TEST_F(Interpreteur, SousListeVide) {
  banc.EcrireTexte("Vide.pvl", "\r\n");
  banc.Projeter({banc.Chemin("Vide.pvl")});
  EXPECT_TRUE(vue().Medias.empty());
  EXPECT_EQ(Messages(), QStringLiteral("La liste est vide !!"));
}

TEST_F(Interpreteur, ImageAbsenteRetrouveeDansLeDossierDeLaListe) {
  QDir(banc.dossier.path()).mkpath(QStringLiteral("liste/images"));
  ASSERT_TRUE(test::EcrireJpeg(banc.CheminHote("liste/images/a.jpg"), test::Quadrants(40, 30)));
  vue().Medias = {"images\\a.jpg", kArret};  // written on Windows
  vue().DossierProjection = banc.Chemin("liste");
  vue().Charger(vue().Medias[0]);
  EXPECT_EQ(vue().TypeLigne, Genre::Jpeg);
  EXPECT_EQ(vue().Photo.isNull(), false);
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
}

TEST_F(Interpreteur, ImageAbsenteSignalee) {
  vue().Timer1.start();
  vue().AvanceAuto = true;
  vue().DossierProjection = banc.Chemin("");
  banc.Projeter({"manque.jpg", kArret});
  EXPECT_EQ(Messages(), QString::fromUtf8("manque.jpg : Médias ou dossier absents!!\n\nVérifiez le contenu de "
                                          "votre liste\n    dans la fenêtre de Montage !!")
                            .replace(QLatin1Char('\n'), QLatin1Char('\r')));
  EXPECT_FALSE(vue().Timer1.isActive());
  EXPECT_FALSE(vue().AvanceAuto);
  EXPECT_TRUE(banc.voisins.panneau);
  EXPECT_TRUE(banc.voisins.montage);
}

TEST_F(Interpreteur, ImageAbsenteIgnoreeSiDemande) {
  vue().IgnorerAbsents = true;
  banc.Projeter({"manque.jpg", "Tempo=700.pvi", kArret});
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
  EXPECT_EQ(vue().Timer1.interval(), 700);
  EXPECT_EQ(vue().IndexCourant, 2);
}

TEST_F(Interpreteur, LigneIncomprehensible) {
  // An existing file of no known kind.
  banc.EcrireTexte("notes.doc", "x");
  vue().Timer1.start();
  banc.Projeter({banc.Chemin("notes.doc"), kArret});
  EXPECT_EQ(vue().TypeLigne, Genre::Inconnu);
  EXPECT_TRUE(Messages().startsWith(QString::fromUtf8("Contenu de la liste incompréhensible!!\r\r")));
  EXPECT_FALSE(vue().Timer1.isActive());
  EXPECT_TRUE(banc.voisins.montage);
}

TEST_F(Interpreteur, ImageIllisibleAbandonneeAvecLeMotDuDecodeur) {
  banc.EcrireTexte("casse.jpg", std::string(3000, 'x'));
  banc.EcrireTexte("vide.gif", "");
  for (const char* nom : {"casse.jpg", "vide.gif"}) {
    banc.dialogues.textes.clear();
    banc.Projeter({banc.Chemin(nom), "Tempo=700.pvi"});
    ASSERT_EQ(banc.dialogues.textes.size(), 1) << nom;
    EXPECT_TRUE(banc.dialogues.textes[0].contains(QString::fromLatin1(nom)));
    EXPECT_EQ(vue().Timer1.interval(), 2000);  // the line is abandoned, nothing chains
  }
}

TEST_F(Interpreteur, ImageDuMenuDuPanneau) {
  ASSERT_TRUE(test::EcrireBmp(banc.CheminHote("menu.bmp"), test::Quadrants(80, 40)));
  banc.Projeter({"Menus=" + banc.Chemin("menu.bmp") + ".pvr", kArret});
  EXPECT_TRUE(vue().MenuImageCharge);
  EXPECT_EQ(banc.voisins.imageMenu.size(), QSize(80, 40));
  EXPECT_EQ(vue().IndexCourant, 0);  // no tail
}

TEST_F(Interpreteur, UnObjetSOuvreAvecSonProgrammeEtLaProjectionSArrete) {
  banc.EcrireTexte("notes.txt", "bonjour");
  vue().AvanceAM(Emetteur::Aucun);
  vue().CodeObjet = 823;
  banc.Projeter({"ObjetX=" + banc.Chemin("notes.txt") + ".pvr", "Tempo=600.pvi", kArret});
  EXPECT_EQ(banc.bureau.ouverts, QStringList{banc.CheminHote("notes.txt")});
  EXPECT_EQ(vue().EtatPause, 1);
  EXPECT_EQ(vue().TailleObjet, (Taille{400, 300}));  // code 823: 400 x 300
  EXPECT_EQ(vue().Timer1.interval(), 600);  // the tail chains on
}

TEST_F(Interpreteur, LaLigneDrapeauEnchaine) {
  banc.Projeter({"Drapeau=Un.pvd", "Tempo=600.pvi", kArret});
  EXPECT_EQ(vue().Timer1.interval(), 600);
  EXPECT_EQ(vue().IndexCourant, 2);
}

}  // namespace
}  // namespace plivor
