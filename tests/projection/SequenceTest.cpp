#include <gtest/gtest.h>

#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancVue;

class Sequence : public testing::Test {
 protected:
  Sequence() {
    for (const char* nom : {"a", "b", "c", "d"})
      test::EcrireBmp(banc.CheminHote(QString::fromLatin1(nom) + ".bmp"), test::Unie(20, 20, Qt::red));
  }
  TFVue& vue() { return *banc.vue; }
  Texte Image(const char* nom) const { return banc.Chemin(QString::fromLatin1(nom) + ".bmp"); }
  void Demarrer(const Liste& lignes) {
    vue().Medias = lignes;
    vue().Debut(Emetteur::Aucun);
  }
  BancVue banc;
};

TEST_F(Sequence, UneListeDUneImageBoucle) {
  Demarrer({"Tempo=1000.pvi", Image("a")});
  EXPECT_TRUE(vue().AvanceAuto);
  EXPECT_EQ(vue().Timer1.interval(), 1000);
  for (int tic = 0; tic < 3; ++tic) {
    vue().Suivant(Emetteur::Minuterie);
    EXPECT_EQ(vue().IndexCourant, 1) << tic;
    EXPECT_EQ(vue().TypeLigne, Genre::Bmp);
  }
}

TEST_F(Sequence, UneLigneFautiveArreteLAvance) {
  vue().Medias = {Image("a")};
  vue().TypeLigne = Genre::Absent;
  vue().IndexCourant = 0;
  vue().Suivant(Emetteur::Minuterie);
  EXPECT_EQ(vue().IndexCourant, 0);
  vue().IgnorerAbsents = true;
  vue().Suivant(Emetteur::Minuterie);
  EXPECT_EQ(vue().TypeLigne, Genre::Bmp);
}

TEST_F(Sequence, LaListeIntegreeSArreteSurSaDerniereLigne) {
  vue().Medias = ListeIntroduction();
  vue().Debut(Emetteur::Aucun);
  for (int tic = 0; tic < 10 && vue().AvanceAuto; ++tic) vue().Suivant(Emetteur::Minuterie);
  EXPECT_FALSE(vue().AvanceAuto);
  EXPECT_EQ(vue().IndexCourant, 13);
  EXPECT_EQ(vue().Timer1.interval(), 1500);
  EXPECT_EQ(vue().CodeDiapo, 420);
  EXPECT_TRUE(banc.voisins.panneau);
}

TEST_F(Sequence, RetourEnArriereDepuisLaLigneZero) {
  Demarrer({Image("a"), Image("b"), Image("c"), Image("d")});
  vue().IndexCourant = 0;
  vue().Precedent(Emetteur::Menu);
  EXPECT_TRUE(vue().Manuel);
  EXPECT_EQ(vue().IndexCourant, 3);  // the last line pending
  EXPECT_EQ(vue().CodeTransition, 0);
}

TEST_F(Sequence, RetourEnArriereDUneLigne) {
  Demarrer({Image("a"), Image("b"), Image("c"), Image("d")});
  vue().IndexCourant = 3;  // c on screen, d pending
  int affichees = 0;
  QObject::connect(banc.vue.get(), &TFVue::EtapeAffichee, [&affichees] { ++affichees; });
  vue().Precedent(Emetteur::Menu);
  EXPECT_EQ(affichees, 1);
  EXPECT_EQ(vue().IndexCourant, 2);  // b shown, c pending again
}

class Drapeaux : public Sequence {
 protected:
  // 0 a, 1 Un, 2 b, 3 Deux, 4 c, 5 Trois, 6 d
  Liste Liste7() {
    return {Image("a"), "Drapeau=Un.pvd", Image("b"), "Drapeau=Deux.pvd", Image("c"), "Drapeau=Trois.pvd",
            Image("d")};
  }
};

TEST_F(Drapeaux, LeMenuDesDrapeaux) {
  banc.EcrireTexte("Suite.pvl", "x.bmp\r\n");
  vue().Medias = Liste7();
  vue().Medias.push_back(banc.Chemin("Suite.pvl"));
  vue().CreerPopDrapeaux();
  const std::vector<Texte> attendu = {"Un", "Deux", "Trois", banc.Chemin("Suite.pvl")};
  EXPECT_EQ(vue().DPop, attendu);
  EXPECT_TRUE(banc.voisins.boutonsDrapeaux);
  vue().Medias = {Image("a")};
  vue().CreerPopDrapeaux();
  EXPECT_TRUE(vue().DPop.empty());
  EXPECT_FALSE(banc.voisins.boutonsDrapeaux);
}

TEST_F(Drapeaux, DrapeauSuivantSurLaLigneDuDrapeauYSaute) {
  Demarrer(Liste7());
  vue().IndexCourant = 3;  // the pending line is the flag Deux
  vue().SautDrapeau(Emetteur::PopDrapeauSuivant);
  // Flag Deux chains to c, shown by the advance; d is pending.
  EXPECT_EQ(vue().IndexCourant, 6);
}

TEST_F(Drapeaux, DrapeauPrecedentPasseLeDrapeauDeLaSection) {
  Demarrer(Liste7());
  vue().IndexCourant = 4;  // in section Deux
  vue().SautDrapeau(Emetteur::PopDrapeauPrecedent);
  EXPECT_EQ(vue().IndexCourant, 4);  // Un, then b shown, Deux chains to c pending
  EXPECT_EQ(vue().Medias[2], Image("b"));
  vue().IndexCourant = 2;  // only one flag above: no target, the show advances
  vue().SautDrapeau(Emetteur::PopDrapeauPrecedent);
  EXPECT_EQ(vue().IndexCourant, 4);
}

TEST_F(Drapeaux, PremierEtDernier) {
  Demarrer(Liste7());
  vue().SautDrapeau(Emetteur::PopPremierDrapeau);
  EXPECT_EQ(vue().IndexCourant, 4);  // Un chains to b, shown; Deux chains to c
  vue().SautDrapeau(Emetteur::PopDernierDrapeau);
  EXPECT_EQ(vue().IndexCourant, 0);  // Trois chains to d, shown; wraps to a
}

TEST_F(Drapeaux, UnDrapeauSurLaDerniereLigneOuLaPremiere) {
  // A jump goes through InitScene, which sets the duration 7.
  Demarrer({Image("a"), Image("b"), "Drapeau=Fin.pvd"});
  vue().IndexCourant = 0;
  vue().SautDrapeau(Emetteur::PopDrapeauSuivant);
  EXPECT_EQ(vue().DureeTransition, 4);
  vue().SautDrapeau(Emetteur::PopPremierDrapeau);
  EXPECT_EQ(vue().DureeTransition, 4);
  Demarrer({"Drapeau=Debut.pvd", Image("a"), Image("b")});
  vue().SautDrapeau(Emetteur::PopDernierDrapeau);
  EXPECT_EQ(vue().DureeTransition, 4);
  vue().IndexCourant = 2;
  vue().SautDrapeau(Emetteur::PopDrapeauPrecedent);
  EXPECT_EQ(vue().DureeTransition, 4);
  vue().SautDrapeau(Emetteur::PopPremierDrapeau);
  EXPECT_EQ(vue().DureeTransition, 7);
}

TEST_F(Drapeaux, AllerAUnDrapeauNomme) {
  vue().Medias = {Image("a"), "AllerA=Trois.pvi", Image("b"), "Drapeau=Trois.pvd", Image("c"), Image("d")};
  vue().IndexCourant = 1;
  vue().Charger(vue().Medias[1]);
  EXPECT_EQ(vue().DrapeauCible, "Trois");
  EXPECT_TRUE(vue().AvanceAuto);
  EXPECT_EQ(vue().DureeTransition, 7);  // InitScene
  EXPECT_EQ(vue().IndexCourant, 5);     // Trois chains to c, shown; d pending
}

TEST_F(Drapeaux, EntreeDuMenu) {
  Demarrer(Liste7());
  vue().CreerPopDrapeaux();
  vue().AllerDrapeau(1);  // Deux
  EXPECT_EQ(vue().IndexCourant, 6);
  vue().CreerItem("Quitter");
  vue().AllerDrapeau(static_cast<int>(vue().DPop.size()) - 1);
  EXPECT_TRUE(vue().Fermeture);
}

TEST_F(Drapeaux, EntreeDeSousListeDejaDeveloppee) {
  Demarrer(Liste7());
  vue().Medias[3] = "Drapeau=Suite.pvd";
  vue().DPop = {banc.Chemin("Suite.pvl")};
  vue().AllerDrapeau(0);
  EXPECT_EQ(vue().DPop[0], "Suite");
  EXPECT_EQ(vue().IndexCourant, 6);
}

TEST_F(Drapeaux, SautAmortiBaisseLeSonAvantDeSauter) {
  banc.options->options[4] = true;
  Demarrer(Liste7());
  vue().AudioEnCours = true;
  vue().PeripheriqueVolume = 0;
  vue().SautDrapeau(Emetteur::PopPremierDrapeau);
  EXPECT_LE(vue().VolumeFondu, 15);
  EXPECT_GE(banc.cadence.attendu, std::chrono::milliseconds(500 + 150));
  EXPECT_EQ(vue().CodeTransition, 0);  // given back
}

TEST_F(Sequence, UnScriptDeDeuxSonsUneInstructionEtUneImage) {
  banc.EcrireTexte("son1.wav", "RIFF");
  banc.EcrireTexte("son2.mid", "MThd");
  banc.EcrireTexte("s.pvs", banc.Chemin("son1.wav") + "\r\n" + banc.Chemin("son2.mid") +
                                "\r\nTempo=700.pvi\r\n" + Image("a") + "\r\n");
  vue().Medias = {banc.Chemin("s.pvs"), Image("b")};
  vue().IndexCourant = 0;
  vue().Charger(vue().Medias[0]);
  EXPECT_TRUE(vue().ScriptEnCours);
  EXPECT_EQ(vue().Timer1.interval(), 700);
  EXPECT_EQ(vue().TypeLigne, Genre::Bmp);
  const Liste consomme = {"-", "-", "-", "-"};
  EXPECT_EQ(banc.vue->LignesScript, consomme);
  EXPECT_EQ(vue().IndexCourant, 0);
  // The next advance shows the image and the script ends; the list goes on.
  vue().Suivant(Emetteur::Minuterie);
  EXPECT_FALSE(vue().ScriptEnCours);
  EXPECT_EQ(vue().IndexCourant, 1);
}

TEST_F(Sequence, UneRemiseAZeroTermineLeScript) {
  banc.EcrireTexte("s.pvs", Image("a") + "\r\n" + Image("b") + "\r\n");
  vue().Medias = {banc.Chemin("s.pvs"), Image("c")};
  vue().Charger(vue().Medias[0]);
  ASSERT_TRUE(vue().ScriptEnCours);
  vue().Initialiser();
  EXPECT_FALSE(vue().ScriptEnCours);
  EXPECT_TRUE(banc.vue->LignesScript.empty());
}

}  // namespace
}  // namespace plivor
