// Test runs from the montage, with the music in step (read back from SDL's
// disk driver), and the second language.

#include <QFile>
#include <gtest/gtest.h>

#include "BancMontage.h"
#include "codecs/Encodeurs.h"
#include "core/FichiersListe.h"
#include "core/Vocabulaire.h"
#include "platform/AudioSdl.h"
#include "support/SonsEssai.h"

namespace plivor {
namespace {

using namespace test;

class Essai : public testing::Test {
 protected:
  Essai() {
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(sortie_.filePath(QStringLiteral("sortie.raw"))));
    son_ = std::make_unique<CoucheAudioSdl>();
    banc_ = std::make_unique<BancMontage>(son_.get());
    EcrireWav(banc_->CheminHote(QStringLiteral("notes.wav")), DeuxNotes(), kFrequence, 1);
    banc_->vue->PeripheriqueVolume = 0;
    banc_->vue->VolumeAudio = 255;
    banc_->vue->IgnorerAudio = false;
    for (int i = 0; i < 4; ++i) banc_->Image(QStringLiteral("v%1.jpg").arg(i));
  }
  std::vector<std::int16_t> Sortie() {
    banc_->vue->FermerAudio();
    banc_.reset();
    son_.reset();
    return CanalGauche(sortie_.filePath(QStringLiteral("sortie.raw")));
  }
  Texte V(int i) const { return banc_->Chemin(QStringLiteral("v%1.jpg").arg(i)); }
  Texte Notes() const { return banc_->Chemin(QStringLiteral("notes.wav")); }

  QTemporaryDir sortie_;
  std::unique_ptr<CoucheAudioSdl> son_;
  std::unique_ptr<BancMontage> banc_;
};

TEST_F(Essai, DepuisUneLigneLaMusiqueReprendAuTempsDesImagesPassees) {
  // Tempo 250 ms; the sound at line 2; four visuals after it. Testing from
  // line 8 (a title) starts at the nearest visual above, line 7, and the
  // sound from 250 (its own step) + 3 x 250 (lines 4 to 6) = 1000 ms: the
  // second note, for its last second.
  const Liste lignes = {"Transition=Sans.pvi", "Tempo=250.pvi", Notes(), "Fenetre-Cadre=4.pvi", V(0), V(1), V(2),
                        V(3), "Titrage=Fin.pvv"};
  banc_->Lignes(lignes, {8});
  Montage& m = *banc_->montage;
  EXPECT_EQ(m.LigneCourante, 8);
  m.Diaporama(EmetteurMontage::bt_Diaporama, true);
  banc_->vue->Timer1.stop();  // one step only: the music is what is looked at
  EXPECT_EQ(m.DecalageAudio, 1000);
  EXPECT_EQ(banc_->vue->Timer1.interval(), 250);
  EXPECT_EQ(banc_->vue->Medias, lignes);
  EXPECT_TRUE(banc_->vue->TestMontage);
  EXPECT_FALSE(m.Visible);
  // Line 7 was shown, line 8 is pending.
  EXPECT_EQ(banc_->vue->IndexCourant, 8);
  EXPECT_EQ(banc_->vue->CadreFenetre, 4);  // the settings in force at line 7 were applied
  Attendre(1500);
  const auto e = Sortie();
  const Extrait son = Sonore(e);
  EXPECT_NEAR(Frequence(e, son.debut, kFrequence / 10), 880, 20);
  EXPECT_NEAR(double(son.fin - son.debut) / kFrequence, 1.0, 0.1);
}

TEST_F(Essai, UnTempoApresLaLigneFixeLeDernierDelai) {
  const Liste lignes = {"Tempo=200.pvi", Notes(), V(0), V(1), "Tempo=700.pvi", V(2)};
  // From the tempo line 4: the start is the visual above it, line 3.
  banc_->Lignes(lignes, {4});
  Montage& m = *banc_->montage;
  m.Diaporama(EmetteurMontage::bt_Diaporama, true);
  banc_->vue->Timer1.stop();
  // 200 (sound) + 200 (line 2), then the tempo after line 3 replaces 200 by 700.
  EXPECT_EQ(m.DecalageAudio, 200 + 200 - 200 + 700);
  EXPECT_EQ(banc_->vue->Timer1.interval(), 700);
}

TEST_F(Essai, SansTempoLaSynchronisationEstImpossible) {
  banc_->Lignes({Notes(), V(0), V(1)}, {2});
  banc_->montage->Diaporama(EmetteurMontage::bt_Diaporama, true);
  banc_->vue->Timer1.stop();
  EXPECT_TRUE(banc_->dialogues.textes.contains(
      QStringLiteral("Aucune instruction Tempo trouvée !!\rSynchronisation impossible.")));
}

TEST_F(Essai, AvantToutVisuelLEssaiPartDeLaLigneElleMeme) {
  banc_->Lignes({"Tempo=300.pvi", "Transition=Sans.pvi", V(0), V(1)}, {1});
  banc_->montage->Diaporama(EmetteurMontage::bt_Diaporama, true);
  banc_->vue->Timer1.stop();
  // Line 1 applied, chained to line 2 which was shown; line 3 pending.
  EXPECT_EQ(banc_->vue->IndexCourant, 3);
  EXPECT_EQ(banc_->montage->DecalageAudio, 0);
}

TEST(EssaiSansSon, ListeVideOuSansImage) {
  BancMontage banc;
  const Liste avant = banc.vue->Medias;
  banc.Lignes({});
  banc.montage->Diaporama(EmetteurMontage::bt_Diaporama, true);
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("La liste est vide !\r    et ne peut donc être affichée..."));
  banc.Lignes({"Tempo=1.pvi"});
  banc.montage->Diaporama(EmetteurMontage::bt_Diaporama, true);
  EXPECT_EQ(banc.dialogues.textes.last(),
            QStringLiteral("La liste ne contient pas d'image\r    et ne peut donc être affichée..."));
  EXPECT_EQ(banc.vue->Medias, avant);
}

TEST(EssaiSansSon, ProjeterLaListeLaDonneALaProjection) {
  BancMontage banc;
  banc.Image(QStringLiteral("a.jpg"));
  banc.Lignes({"Tempo=300.pvi", banc.Chemin(QStringLiteral("a.jpg"))}, {0});
  banc.montage->FermerListe(EmetteurMontage::PopFermer);
  EXPECT_EQ(banc.vue->Medias, banc.montage->Lignes());
  EXPECT_FALSE(banc.montage->Visible);
  EXPECT_TRUE(banc.vue->ListePropre);
  // Restarted: the picture shown, the walk wrapped round to it again.
  EXPECT_EQ(banc.vue->IndexCourant, 1);
  EXPECT_FALSE(banc.vue->Photo.isNull());
}

// An English vocabulary for a few keywords and values, under the value
// identifiers of the French table.
std::string FichierLangue() {
  Texte motsCles = {OctetCode(0), 'e', 'n', 'G', OctetCode(0), static_cast<char>(0xB6)};
  for (const auto& [code, mot] :
       std::vector<std::pair<int, Texte>>{{1, "Advance"}, {9, "Speed"}, {11, "Flag"}, {60, "Transition"}})
    motsCles += Texte("+") + OctetCode(code) + OctetCode(static_cast<int>(mot.size())) + mot;
  motsCles += "+";
  Texte valeurs = {OctetCode(0), 'Z', 'V', 'L', 'e', 'n', OctetCode(0)};
  for (const auto& [ligne, mot] : std::vector<std::pair<Texte, Texte>>{{"Avance=Pause.pvi", "Hold"},
                                                                       {"Transition=Gauche.pvi", "Left"}}) {
    const FicheGrammaire fiche = EntreeGrammaire(ligne);
    valeurs += Texte("=") + OctetCode(fiche.IdentifiantValeur()) + OctetCode(fiche.CodeValeur()) +
               OctetCode(static_cast<int>(mot.size())) + mot;
  }
  return JoindreLignes({"Entete=Plivor", "enG=" + motsCles, "ENV=" + valeurs});
}

TEST(Langues, TraduireEtInverserDeuxFoisRendLaListe) {
  BancMontage banc;
  banc.Image(QStringLiteral("a.jpg"));
  const Liste origine = {"Tempo=2000.pvi", "Transition=Gauche.pvi", "Avance=Pause.pvi", "Drapeau=Scene.pvd",
                         "Foo=Bar.pvi", banc.Chemin(QStringLiteral("a.jpg"))};
  banc.Lignes(origine, {0});
  Montage& m = *banc.montage;
  EXPECT_FALSE(m.Traduire());
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Choisir auparavant une deuxième langue !..."));
  EXPECT_FALSE(m.InverserLangues());

  banc.Ecrire(QStringLiteral("lg.pvg"), FichierLangue());
  ASSERT_EQ(ChoisirLangue("En", banc.fichiers.DossierCourant(), banc.fichiers, banc.dialogues, banc.vue->Langue),
            ResultatLangue::Installee);
  banc.vue->Langue.langueInstallee = false;
  ASSERT_TRUE(m.Traduire());
  const Liste anglaise = {"Speed=2000.pvi", "Transition=Left.pvi", "Advance=Hold.pvi", "Flag=Scene.pvd",
                          "Foo=Bar.pvi", banc.Chemin(QStringLiteral("a.jpg"))};
  EXPECT_EQ(m.Lignes(), anglaise);
  EXPECT_TRUE(banc.vue->ListeModifiee);
  EXPECT_TRUE(m.Annulable());
  EXPECT_EQ(m.Icone(1), 12);  // read with the installed language
  EXPECT_EQ(m.Icone(4), 20);

  ASSERT_TRUE(m.InverserLangues());
  ASSERT_TRUE(m.Traduire());
  EXPECT_EQ(m.Lignes(), origine);
  ASSERT_TRUE(m.InverserLangues());
  EXPECT_EQ(banc.vue->Langue.tablesPremiere.motsCles, TableMotsCles());
  EXPECT_EQ(banc.vue->Langue.tablesPremiere.valeurs, TableValeurs());
  // The translation is one undoable step.
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), anglaise);
}

}  // namespace
}  // namespace plivor
