#include <QCoreApplication>
#include <gtest/gtest.h>

#include "support/BancVue.h"

namespace plivor {
namespace {

using test::BancVue;

const Texte kArret = "Titrage=Fin.pvv";

class Musique : public testing::Test {
 protected:
  Musique() {
    for (const char* nom : {"theme.wav", "autre.wav", "air.mid", "chanson.mp3", "Track05.cda"})
      banc.EcrireTexte(QString::fromLatin1(nom), "x");
    banc.audio.dureesMp3[banc.CheminHote("chanson.mp3")] = 10000;
  }
  TFVue& vue() { return *banc.vue; }
  Texte Son(const char* nom) const { return banc.Chemin(QString::fromLatin1(nom)); }
  // Lines applied in one load, the last one stopping the chain.
  void Lire(Liste lignes) {
    lignes.push_back(kArret);
    banc.Projeter(lignes);
  }
  int Compter(const QString& entree) const { return int(banc.audio.journal.count(entree)); }
  BancVue banc;
};

TEST_F(Musique, UnSonDOndeSOuvreEtJoue) {
  Lire({Son("theme.wav")});
  EXPECT_TRUE(vue().MciOuvert);
  EXPECT_TRUE(vue().AudioEnCours);
  EXPECT_TRUE(vue().MusiqueCoche);
  EXPECT_EQ(vue().PeripheriqueVolume, 0);
  EXPECT_EQ(vue().AudioCourant, Son("theme.wav"));
  EXPECT_EQ(Compter(QStringLiteral("ouvrir 0 ") + banc.CheminHote("theme.wav")), 1);
  EXPECT_EQ(Compter(QStringLiteral("jouer 0 0")), 1);
}

TEST_F(Musique, UnSonNArretePasLAvance) {
  banc.Projeter({"Titrage=A.pvv", Son("theme.wav"), "Tempo=700.pvi", kArret});
  vue().Suivant(Emetteur::Minuterie);
  EXPECT_EQ(vue().IndexCourant, 3);
  EXPECT_EQ(vue().Timer1.interval(), 700);
  vue().Manuel = true;  // in manual mode it does
  banc.Projeter({"Titrage=A.pvv", Son("autre.wav"), "Tempo=800.pvi", kArret});
  vue().Suivant(Emetteur::Minuterie);
  EXPECT_EQ(vue().IndexCourant, 1);
}

TEST_F(Musique, DebutEtDureeSontConsommesParLeDepart) {
  Lire({Cp("Audio-Début=-1500.pvi"), Cp("Audio-Durée=2000.pvi"), Son("theme.wav")});
  EXPECT_EQ(Compter(QStringLiteral("jouer 1500 3500")), 1);
  EXPECT_EQ(vue().AudioDebut, 0);
  EXPECT_EQ(vue().AudioDuree, 0);
}

TEST_F(Musique, UnFichierMidiSurLaSortieMidi) {
  Lire({Son("air.mid")});
  EXPECT_EQ(vue().PeripheriqueVolume, 2);
  EXPECT_EQ(Compter(QStringLiteral("ouvrir 2 ") + banc.CheminHote("air.mid")), 1);
}

TEST_F(Musique, RelireLaLigneQuiJoueNeLaRelancePas) {
  Lire({Son("theme.wav")});
  banc.audio.journal.clear();
  vue().Charger(Son("theme.wav"));
  EXPECT_TRUE(banc.audio.journal.isEmpty());
  // Once it has stopped, it starts again from the top.
  banc.audio.enLecture = false;
  vue().Charger(Son("theme.wav"));
  EXPECT_EQ(banc.audio.journal, (QStringList{QStringLiteral("arreter"), QStringLiteral("jouer 0 0")}));
}

TEST_F(Musique, UnAutreSonFermeLePrecedent) {
  Lire({Son("theme.wav")});
  Lire({Son("autre.wav")});
  EXPECT_EQ(Compter(QStringLiteral("fermer")), 1);
  EXPECT_EQ(vue().AudioCourant, Son("autre.wav"));
}

TEST_F(Musique, UnMp3AnnonceSaLongueurEtIgnoreLaDuree) {
  Lire({Cp("Audio-Durée=2000.pvi"), Son("chanson.mp3")});
  EXPECT_TRUE(vue().Mp3Ouvert);
  EXPECT_FALSE(vue().MciOuvert);
  QCoreApplication::processEvents();
  EXPECT_TRUE(vue().Mp3Pret);
  EXPECT_EQ(vue().DureeMp3, 10000);
  EXPECT_EQ(vue().EtatMp3, 1);
  EXPECT_EQ(vue().AudioDuree, 2000);  // not applied to MP3
  EXPECT_EQ(Compter(QStringLiteral("mp3 jouer")), 1);
}

TEST_F(Musique, LeDebutAudioSAppliqueAuPremierMp3Ouvert) {
  Lire({Cp("Audio-Début=3000.pvi"), Son("chanson.mp3")});
  EXPECT_EQ(Compter(QStringLiteral("mp3 position 3000/10000")), 1);
}

TEST_F(Musique, UnePisteDeCdPrendSonDebutEtSaLongueur) {
  banc.audio.pistes[5] = {60000, 200000};
  Lire({Cp("Audio-Début=500.pvi"), Son("Track05.cda")});
  EXPECT_EQ(vue().PeripheriqueVolume, 1);
  EXPECT_EQ(Compter(QStringLiteral("jouer 60500 260500")), 1);
}

TEST_F(Musique, SansCdLaLigneEchoueEtLaProjectionContinue) {
  banc.Projeter({"Titrage=A.pvv", Son("Track05.cda"), "Tempo=700.pvi", kArret});
  vue().Suivant(Emetteur::Minuterie);
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_TRUE(banc.dialogues.textes[0].endsWith(QStringLiteral(": Aucun CD audio")));
  EXPECT_EQ(vue().Timer1.interval(), 700);
  EXPECT_FALSE(vue().MciOuvert);
}

TEST_F(Musique, UnSonIllisibleEstSignaleEtLAvanceReprend) {
  banc.audio.refus = QStringLiteral("format inconnu");
  banc.Projeter({"Titrage=A.pvv", Son("theme.wav"), "Tempo=700.pvi", kArret});
  vue().AvanceAM(Emetteur::Aucun);
  vue().Suivant(Emetteur::Minuterie);
  EXPECT_TRUE(banc.dialogues.textes.value(0).endsWith(QStringLiteral(": format inconnu")));
  EXPECT_TRUE(vue().Timer1.isActive());
  EXPECT_EQ(vue().Timer1.interval(), 700);
}

TEST_F(Musique, LeFonduEntrantMonteEnDixHuitPas) {
  vue().VolumeAudio = 204;
  vue().PeripheriqueVolume = 0;
  Lire({"Audio-FadeIn=100.pvi", Son("theme.wav")});
  // Opened, not started: the fade's ticks start it.
  EXPECT_EQ(Compter(QStringLiteral("jouer 0 0")), 0);
  EXPECT_TRUE(vue().TimerFade.isActive());
  EXPECT_EQ(vue().TimerFade.interval(), 12);
  banc.audio.niveaux.clear();
  for (int tic = 0; tic < 30 && vue().TimerFade.isActive(); ++tic) vue().onFadeTimer();
  EXPECT_FALSE(vue().FonduEntrant);
  EXPECT_TRUE(vue().AudioEnCours);
  std::vector<int> attendus;
  for (int k = 2; k <= 18; ++k) attendus.push_back(11 * k);
  attendus.push_back(204);
  EXPECT_EQ(banc.audio.niveaux, attendus);
}

TEST_F(Musique, UnFonduSousDixHuitSeTermine) {
  vue().VolumeAudio = 10;
  vue().PeripheriqueVolume = 0;
  Lire({"Audio-FadeIn=1000.pvi", Son("theme.wav")});
  int tics = 0;
  while (vue().TimerFade.isActive() && tics < 100) {
    vue().onFadeTimer();
    ++tics;
  }
  EXPECT_FALSE(vue().TimerFade.isActive());
  EXPECT_LE(tics, 11);
  EXPECT_EQ(banc.audio.niveaux.back(), 10);
}

TEST_F(Musique, FonduSortantDeDeuxSecondesBloquantAuDelaMinute) {
  vue().VolumeAudio = 204;
  Lire({Son("theme.wav")});
  banc.audio.RegleVolume(Peripherique::Onde, {204 * 256, 204 * 256});
  Lire({"Audio-FadeOff=2000.pvi"});
  EXPECT_FALSE(vue().TimerFade.isActive());
  EXPECT_LE(vue().VolumeFondu, 8);
  // 204 falls by 7/8 while above 8: 22 steps of 250 ms.
  EXPECT_EQ(banc.cadence.attendu, std::chrono::milliseconds(22 * 250));
  EXPECT_FALSE(vue().AudioEnCours);
  EXPECT_EQ(Compter(QStringLiteral("pause")), 1);

  Lire({Son("autre.wav")});
  banc.audio.RegleVolume(Peripherique::Onde, {204 * 256, 204 * 256});
  banc.cadence.attendu = {};
  Lire({"Audio-FadeOff=2001.pvi"});
  EXPECT_TRUE(vue().TimerFade.isActive());
  EXPECT_EQ(vue().TimerFade.interval(), 125);
  EXPECT_EQ(banc.cadence.attendu.count(), 0);
  for (int tic = 0; tic < 40 && vue().TimerFade.isActive(); ++tic) vue().onFadeTimer();
  EXPECT_EQ(vue().VolumeFondu, 0);
  EXPECT_FALSE(vue().AudioEnCours);
}

TEST_F(Musique, LeModeMuetArreteEtReprend) {
  Lire({Son("theme.wav")});
  banc.audio.journal.clear();
  vue().ModeMuet();
  EXPECT_TRUE(vue().Muet);
  EXPECT_FALSE(vue().AudioEnCours);
  EXPECT_EQ(Compter(QStringLiteral("arreter")), 1);
  // Muted, sound lines are passed over.
  banc.audio.journal.clear();
  Lire({Son("autre.wav")});
  EXPECT_TRUE(banc.audio.journal.isEmpty());
  vue().ModeMuet();
  EXPECT_FALSE(vue().Muet);
  EXPECT_TRUE(vue().AudioEnCours);
  EXPECT_EQ(Compter(QStringLiteral("reprendre")), 1);
}

TEST_F(Musique, LesInstructionsAudio) {
  Lire({Son("theme.wav")});
  Lire({"Audio=Pause.pvi"});
  EXPECT_FALSE(vue().AudioEnCours);
  Lire({"Audio=Jouer.pvi"});
  EXPECT_TRUE(vue().AudioEnCours);
  Lire({"Audio=Stop.pvi"});
  EXPECT_FALSE(vue().AudioEnCours);
  Lire({Cp("Audio=Début.pvi")});
  EXPECT_TRUE(vue().AudioEnCours);
  Lire({"Audio=Muet.pvi"});
  EXPECT_TRUE(vue().Muet);
  Lire({"Audio=Normal.pvi"});
  EXPECT_FALSE(vue().Muet);
}

TEST_F(Musique, IgnorerLesFichiersAudioFermeToutEtPasseLesSons) {
  Lire({Son("theme.wav")});
  banc.options->Coches(9, true);
  EXPECT_FALSE(vue().MciOuvert);
  EXPECT_FALSE(vue().AudioEnCours);
  banc.audio.journal.clear();
  Lire({Son("autre.wav")});
  EXPECT_TRUE(banc.audio.journal.isEmpty());
  banc.options->Coches(9, false);
  Lire({Son("autre.wav")});
  EXPECT_TRUE(vue().AudioEnCours);
}

TEST_F(Musique, PauseAvecAvanceEtMusiqueDonneTrois) {
  vue().Medias = {Son("theme.wav"), kArret};
  vue().Charger(vue().Medias[0]);
  vue().AvanceAM(Emetteur::Aucun);
  vue().PauseClick(Emetteur::bt_Pause);
  EXPECT_EQ(vue().EtatPause, 3);
  EXPECT_FALSE(vue().AudioEnCours);
  EXPECT_FALSE(vue().AvanceAuto);
  vue().PauseClick(Emetteur::bt_Pause);
  EXPECT_EQ(vue().EtatPause, 0);
  EXPECT_TRUE(vue().AudioEnCours);
  EXPECT_TRUE(vue().AvanceAuto);
}

TEST_F(Musique, QuitterAvecSautsAmortisBaisseLaMusiquePuisRendLesVolumes) {
  banc.options->options[4] = true;
  banc.audio.RegleVolume(Peripherique::Onde, {150 * 256, 150 * 256});
  vue().Ouverture();
  Lire({Son("theme.wav")});
  vue().Quitter(Emetteur::Menu);
  // 5/6 every 120 ms while above 8, then the curtain and 250 ms.
  EXPECT_GT(banc.cadence.attendu, std::chrono::milliseconds(250));
  EXPECT_FALSE(vue().AudioEnCours);
  EXPECT_FALSE(vue().MciOuvert);
  EXPECT_EQ(banc.audio.Volume(Peripherique::Onde).gauche, 150 * 256);
}

}  // namespace
}  // namespace plivor
