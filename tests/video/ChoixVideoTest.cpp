// The choices of the export window: kept in the settings, turned into the
// export's settings, the window's controls, and the cost announced.

#include <QComboBox>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "video/ChoixVideo.h"
#include "video/DialogueVideo.h"

namespace plivor {
namespace {

TEST(ChoixVideo, LesChoixReviennentDesReglagesEtLesValeursIllisiblesSontCellesParDefaut) {
  QTemporaryDir dossier;
  QSettings reglages(dossier.filePath("r.ini"), QSettings::IniFormat);
  EXPECT_EQ(LireChoixVideo(reglages), ChoixVideo{});
  const ChoixVideo choix{{2560, 1440}, 50, QualiteVideo::Haute, true, true};
  EcrireChoixVideo(reglages, choix);
  QSettings relus(dossier.filePath("r.ini"), QSettings::IniFormat);
  EXPECT_EQ(LireChoixVideo(relus), choix);
  relus.beginGroup("Options");
  relus.setValue("VideoTaille", "641x480");  // odd: no encoder takes it
  relus.setValue("VideoIps", "vite");
  relus.setValue("VideoQualite", 7);
  relus.endGroup();
  const ChoixVideo lus = LireChoixVideo(relus);
  EXPECT_EQ(lus.taille, QSize(1920, 1080));
  EXPECT_EQ(lus.ips, 30);
  EXPECT_EQ(lus.qualite, QualiteVideo::Normale);
  EXPECT_TRUE(lus.ecranEntier);
}

TEST(ChoixVideo, LaQualiteChoisitLEncodageEtLeCadrage) {
  ReglagesVideo r;
  AppliquerChoix({{1280, 720}, 25, QualiteVideo::Brouillon, true, true}, r);
  EXPECT_EQ(r.taille, QSize(1280, 720));
  EXPECT_EQ(r.ips, 25);
  EXPECT_TRUE(r.ecranEntier);
  EXPECT_TRUE(r.materiel);
  const int brouillon = r.crf;
  AppliquerChoix({{1280, 720}, 25, QualiteVideo::Haute, false, false}, r);
  EXPECT_LT(r.crf, brouillon);
  EXPECT_EQ(r.preset, "medium");
  EXPECT_FALSE(r.ecranEntier);
}

TEST(ChoixVideo, LaTailleDeLaFenetreEstProposeePaire) {
  const auto tailles = TaillesProposees({801, 601});
  ASSERT_EQ(tailles.size(), 6u);
  EXPECT_EQ(tailles[4].libelle, QString::fromUtf8("Celle de la fenêtre (800 × 600)"));
  EXPECT_EQ(tailles[4].taille, QSize(800, 600));
  EXPECT_TRUE(tailles[5].taille.isEmpty());
}

TEST(ChoixVideo, LaDureeSuitLesTemposEtLesArrets) {
  const Liste lignes = {"Tempo=2000.pvi", "a.jpg", "Titrage=Bonjour.pvv", "Tempo=500.pvi", "b.png",
                        "Transition=Gauche.pvi", "sous.pvl", "musique.mp3"};
  EXPECT_DOUBLE_EQ(DureeEstimee(lignes, 1750), 2.0 + 2.0 + 0.5 + 0.5);
  EXPECT_DOUBLE_EQ(DureeEstimee({"a.jpg"}, 1750), 1.75);
  // Four times the pixels: nearly four times the file, the sound the same.
  const ChoixVideo hd{{1280, 720}, 30, QualiteVideo::Normale, false, false};
  const ChoixVideo uhd{{2560, 1440}, 30, QualiteVideo::Normale, false, false};
  const double rapport = double(TailleEstimee(uhd, 60)) / double(TailleEstimee(hd, 60));
  EXPECT_GT(rapport, 3.0);
  EXPECT_LT(rapport, 4.0);
  EXPECT_TRUE(Estimation(hd, 75).startsWith(QString::fromUtf8("Durée estimée : 1 min 15 s · fichier d'environ ")));
}

TEST(DialogueVideo, LesControlesDonnentLeChoixEtUneTaillePersonnelleEstRenduePaire) {
  DialogueVideo dialogue({{1920, 1080}, 30, QualiteVideo::Normale, false, false}, {800, 600}, 60);
  auto combos = dialogue.findChildren<QComboBox*>();
  ASSERT_EQ(combos.size(), 3);
  ASSERT_EQ(combos[0]->currentIndex(), 1);  // 1080p, as given
  combos[0]->setCurrentIndex(combos[0]->count() - 1);  // Personnalisée
  auto spins = dialogue.findChildren<QSpinBox*>();
  ASSERT_EQ(spins.size(), 2);
  EXPECT_TRUE(spins[0]->isEnabled());
  spins[0]->setValue(1001);
  spins[1]->setValue(501);
  combos[1]->setCurrentIndex(4);  // 60 images/s
  combos[2]->setCurrentIndex(2);
  dialogue.findChildren<QRadioButton*>()[1]->setChecked(true);
  const ChoixVideo c = dialogue.Choix();
  EXPECT_EQ(c.taille, QSize(1000, 500));
  EXPECT_EQ(c.ips, 60);
  EXPECT_EQ(c.qualite, QualiteVideo::Haute);
  EXPECT_TRUE(c.ecranEntier);
  // A size of its own given back comes back as such.
  DialogueVideo autre(c, {800, 600}, 60);
  EXPECT_EQ(autre.findChildren<QComboBox*>()[0]->currentIndex(), 5);
  EXPECT_EQ(autre.Choix(), c);
}

}  // namespace
}  // namespace plivor
