// What the montage shows of each line: icon, caption, information box,
// and the preview in the projection window.

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <gtest/gtest.h>

#include "BancMontage.h"
#include "codecs/Encodeurs.h"
#include "platform/AudioSdl.h"
#include "support/SonsEssai.h"

namespace plivor {
namespace {

using test::BancMontage;

struct Attendu {
  Texte ligne;
  int icone;
  Texte legende;
};

TEST(Affichage, IconeEtLegendeDeChaqueSorteDeLigne) {
  BancMontage banc;
  banc.Image(QStringLiteral("m/vue.jpg"));
  banc.Ecrire(QStringLiteral("m/son.wav"), "RIFF");
  banc.Ecrire(QStringLiteral("m/sous.pvl"), "Tempo=1.pvi\r\n");
  banc.Ecrire(QStringLiteral("m/jeu.pvs"), "Tempo=1.pvi\r\n");
  banc.Ecrire(QStringLiteral("m/menu.bmp"), "BM");
  banc.Ecrire(QStringLiteral("m/fichier.xyz"), "?");
  const Texte vue = banc.Chemin(QStringLiteral("m/vue.jpg"));
  const Texte son = banc.Chemin(QStringLiteral("m/son.wav"));
  const Texte sous = banc.Chemin(QStringLiteral("m/sous.pvl"));
  const Texte jeu = banc.Chemin(QStringLiteral("m/jeu.pvs"));
  const Texte menu = banc.Chemin(QStringLiteral("m/menu.bmp"));
  const std::vector<Attendu> attendus = {
      {"Drapeau=Scene 1.pvd", 0, "Drapeau Scene 1"},
      {son, 1, "son.wav"},
      {vue, 2, "vue.jpg"},
      {"Diapo-Couleur=Verte.pvv", 3, "Couleur Verte"},
      {"Titrage=Bonjour.pvv", 4, "Titrage=Bonjour"},
      {"Tempo=2000.pvi", 5, "Tempo 2000"},
      {"Avance=Pause.pvi", 6, "Pause"},
      {"AllerA=Scene 1.pvi", 7, "Scene 1"},
      {"Audio=Jouer.pvi", 8, "Audio Jouer"},
      {"Fenetre-Cadre=2.pvi", 9, "Cadre 2"},
      {"Diapo-Format=50%.pvi", 10, "Format 50%"},
      {"Image=Opaque.pvi", 11, "Image Opaque"},
      {"Transition=Gauche.pvi", 12, "Gauche"},
      {"Duree=1-sec.pvi", 13, "Duree 1-sec"},
      {"Titre-Position=Centrer.pvi", 14, "Position Centrer"},
      {"Objet-Format=50%.pvi", 15, "Format 50%"},
      {sous, 16, "sous.pvl"},
      {jeu, 17, "jeu.pvs"},
      {"Titre-Capture=Oui.pvi", 18, "Capture Oui"},
      {banc.Chemin(QStringLiteral("m/absente.jpg")), 19, banc.Chemin(QStringLiteral("m/absente.jpg"))},
      {"Foo=Bar.pvi", 20, "Foo=Bar.pvi"},
      {banc.Chemin(QStringLiteral("m/fichier.xyz")), 20, banc.Chemin(QStringLiteral("m/fichier.xyz"))},
      {"Fenetre-Couleur=Bleue.pvv", 21, "Couleur Bleue"},
      {Cp("Séquence=") + sous + ".pvr", 22, "sous.pvl"},
      {"Menus=" + menu + ".pvr", 23, "Menus " + menu},
      {"Diapo-Position=Centrer-Fenetre-Tres-Longue.pvi", 10, "Position Centrer-Fenetre-Tres-Longue"},
  };
  Liste lignes;
  for (const Attendu& a : attendus) lignes.push_back(a.ligne);
  banc.Lignes(lignes);
  for (int i = 0; i < banc.montage->Compte(); ++i) {
    SCOPED_TRACE(attendus[size_t(i)].ligne);
    EXPECT_EQ(banc.montage->Icone(i), attendus[size_t(i)].icone);
    EXPECT_EQ(banc.montage->Legende(i), attendus[size_t(i)].legende);
  }
  // The keyword part is cut at 15 characters.
  EXPECT_EQ(Montage::LegendeDe("Objet-Abcdefghijklmnopqrst=1.pvi", 15), "Abcdefghijklmno 1");
}

TEST(Affichage, InfosDUneImage) {
  BancMontage banc;
  banc.Image(QStringLiteral("photos/vue.jpg"), 120, 80);
  const Texte vue = banc.Chemin(QStringLiteral("photos/vue.jpg"));
  banc.Lignes({vue, "Tempo=2000.pvi"}, {0});
  const Infos& infos = banc.montage->InfosCourantes();
  const QFileInfo fichier(banc.CheminHote(QStringLiteral("photos/vue.jpg")));
  const QString date = QLocale::system().toString(
      QDateTime::fromSecsSinceEpoch(fichier.lastModified().toSecsSinceEpoch()), QLocale::ShortFormat);
  ASSERT_EQ(infos.lignes.size(), 4u);
  EXPECT_FALSE(infos.avertissement);
  EXPECT_EQ(VersUtf8(infos.lignes[0]), "Date : " + date.toStdString());
  EXPECT_EQ(infos.lignes[1], "Taille : " + std::to_string(fichier.size()) + " octets.");
  EXPECT_EQ(infos.lignes[2], "Dimension : 120 / 80 pixels");
  EXPECT_EQ(infos.lignes[3], "-->" + banc.Chemin(QStringLiteral("photos")));
  EXPECT_EQ(banc.montage->TitreFichier(), "vue.jpg");
  // The preview loaded it for the projection: 50 % of the window, left middle.
  EXPECT_EQ(banc.vue->LigneApercu, vue);
  EXPECT_EQ(banc.vue->CodeDiapo, 423);
  EXPECT_TRUE(banc.vue->ApercuMontage);
  EXPECT_FALSE(banc.vue->Photo.isNull());
}

TEST(Affichage, InfosDUneInstructionEtDesLignesInconnues) {
  BancMontage banc;
  const Texte absente = banc.Chemin(QStringLiteral("loin/absente.jpg"));
  banc.Ecrire(QStringLiteral("fichier.xyz"), "?");
  const Texte inconnu = banc.Chemin(QStringLiteral("fichier.xyz"));
  banc.Lignes({"Tempo=2000.pvi", "Foo=Bar.pvi", inconnu, absente, "Avance=Pause.pvi"});
  Montage& m = *banc.montage;
  Infos infos = m.ObtenirInfos("Tempo=2000.pvi");
  EXPECT_EQ(infos.lignes, (std::vector<Texte>{Cp("Représente, en millisecondes, le délai d'attente entre le début "
                                                 "d'affichage de la diapo précédente et celui de la diapo suivante.")}));
  EXPECT_FALSE(infos.avertissement);
  EXPECT_EQ(m.ObtenirInfos("Avance=Pause.pvi").lignes,
            (std::vector<Texte>{Cp("Arrête le défilement et la musique.")}));
  infos = m.ObtenirInfos("Foo=Bar.pvi");
  EXPECT_TRUE(infos.avertissement);
  EXPECT_EQ(infos.lignes, (std::vector<Texte>{"*** Avertissement !! ***", " INSTRUCTION ", "NON RECONNUE",
                                              Cp("Vérifier la syntaxe.")}));
  infos = m.ObtenirInfos(inconnu);
  EXPECT_TRUE(infos.avertissement);
  EXPECT_EQ(infos.lignes, (std::vector<Texte>{"*** Avertissement !! ***", " ", "LIGNE NON RECONNUE",
                                              Cp("Vérifier la syntaxe.")}));
  infos = m.ObtenirInfos(absente);
  EXPECT_TRUE(infos.avertissement);
  EXPECT_EQ(infos.lignes, (std::vector<Texte>{"*** Avertissement !! ***", " ", "F I C H I E R   A B S E N T",
                                              Cp("à cette adresse !!"), "-->" + banc.Chemin(QStringLiteral("loin"))}));
  // Three characters or fewer: nothing.
  EXPECT_TRUE(m.ObtenirInfos("a.b").lignes.empty());
}

TEST(Affichage, UneLigneAbsenteSePrevisualiseDepuisLeDossierDeLaListe) {
  BancMontage banc;
  banc.Image(QStringLiteral("expo/images/a.jpg"));
  banc.montage->AfficherTexte(true);  // keeps the relative line as written
  banc.Ecrire(QStringLiteral("expo/expo.pvl"), "images\\a.jpg\r\nTempo=1.pvi\r\n");
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("expo/expo.pvl"))));
  EXPECT_EQ(banc.montage->Icone(0), 19);
  EXPECT_FALSE(banc.vue->Photo.isNull());  // the joined line was shown
  EXPECT_EQ(banc.vue->CodeDiapo, 423);
}

TEST(Affichage, ImagesVoisinesSurLaPremiereEtLaDerniereLigne) {
  BancMontage banc;
  banc.Image(QStringLiteral("a.jpg"));
  banc.Image(QStringLiteral("b.jpg"));
  banc.vue->ImagesVoisines = true;
  banc.montage->RafraichirFond = false;  // each presented frame is then a picture
  std::vector<int> codes;
  QObject::connect(banc.vue.get(), &TFVue::Presenter, [&] { codes.push_back(banc.vue->CodeDiapo); });
  // Receiving the list selects and previews line 0.
  banc.Lignes({banc.Chemin(QStringLiteral("a.jpg")), "Tempo=1.pvi", banc.Chemin(QStringLiteral("b.jpg"))});
  // First line: itself and the next image; no previous one.
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 444), 0);
  EXPECT_GT(std::count(codes.begin(), codes.end(), 443), 0);
  EXPECT_GT(std::count(codes.begin(), codes.end(), 445), 0);
  codes.clear();
  banc.montage->Selectionner(2);
  banc.montage->Selection();
  EXPECT_GT(std::count(codes.begin(), codes.end(), 444), 0);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 445), 0);
}

class AffichageSon : public testing::Test {
 protected:
  AffichageSon() {
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(sortie_.filePath(QStringLiteral("sortie.raw"))));
    son_ = std::make_unique<CoucheAudioSdl>();
    banc_ = std::make_unique<BancMontage>(son_.get());
  }
  ~AffichageSon() override {
    banc_->vue->FermerAudio();
    banc_.reset();
    son_.reset();
  }
  QTemporaryDir sortie_;
  std::unique_ptr<CoucheAudioSdl> son_;
  std::unique_ptr<BancMontage> banc_;
};

TEST_F(AffichageSon, InfosDUnWavAvecSaTailleEtSaDuree) {
  EcrireWav(banc_->CheminHote(QStringLiteral("notes.wav")), test::DeuxNotes(), test::kFrequence, 1);
  const Texte wav = banc_->Chemin(QStringLiteral("notes.wav"));
  banc_->Lignes({"Tempo=1.pvi", wav}, {1});
  const Infos& infos = banc_->montage->InfosCourantes();
  ASSERT_EQ(infos.lignes.size(), 4u) << (infos.lignes.empty() ? "" : infos.lignes[0]);
  EXPECT_TRUE(infos.lignes[0].starts_with("Date : "));
  EXPECT_EQ(infos.lignes[1], "Taille : " + std::to_string(44 + 2 * 2 * test::kFrequence) + " octets.");
  EXPECT_EQ(infos.lignes[2], Cp("Durée : 0 Min 2 sec 0 mill."));
  EXPECT_EQ(infos.lignes[3], "-->" + banc_->Chemin(QStringLiteral("")));
}

TEST_F(AffichageSon, InfosDUnMidiAvecSaDureeLueDansLeFichier) {
  // Two notes, the last ending at 1.5 s.
  EcrireMidi(banc_->CheminHote(QStringLiteral("air.mid")), {{60, 0, 500}, {64, 1000, 500}});
  const Texte midi = banc_->Chemin(QStringLiteral("air.mid"));
  banc_->Lignes({"Tempo=1.pvi", midi}, {1});
  const Infos& infos = banc_->montage->InfosCourantes();
  ASSERT_EQ(infos.lignes.size(), 4u) << banc_->dialogues.textes.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(infos.lignes[2], Cp("Durée : 0 Min 1 sec 500 mill."));
}

}  // namespace
}  // namespace plivor

namespace plivor {
namespace {

TEST(Descriptions, ChaqueValeurDUneFamilleAPourMotLeSien) {
  test::BancMontage banc;
  banc.Lignes({"Transition=Gauche.pvi"});
  EXPECT_EQ(banc.montage->ObtenirInfos("Transition=Gauche.pvi").lignes, (std::vector<Texte>{"Transition : Gauche."}));
  EXPECT_EQ(banc.montage->ObtenirInfos("Diapo-Format=50%.pvi").lignes,
            (std::vector<Texte>{"Format de la diapo : 50%."}));
}

}  // namespace
}  // namespace plivor

namespace plivor {
namespace {

TEST(Descriptions, UnePisteDeCdSeDecritParSonNumeroEtSaDuree) {
  test::BancMontage banc;
  banc.audio.pistes[5] = PisteCd{60000, 185250};
  banc.Ecrire(QStringLiteral("Track05.cda"), "");
  const Texte piste = banc.Chemin(QStringLiteral("Track05.cda"));
  banc.Lignes({piste});
  EXPECT_EQ(banc.montage->ObtenirInfos(piste).lignes,
            (std::vector<Texte>{Cp("Piste Cd-audio n° 05"), Cp("Durée : 3 Min 5 sec 250 mill.")}));
}

}  // namespace
}  // namespace plivor
