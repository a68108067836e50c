// "Exporter en vidéo…" of the montage: the list saved first, the name asked,
// the video written or nothing left behind, the result said.

#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QFile>
#include <QMenu>
#include <QProgressDialog>
#include <gtest/gtest.h>
#include <chrono>
#include <thread>

#include "codecs/Encodeurs.h"
#include "montage/BancMontage.h"
#include "montage/TFListe.h"
#include "support/ImagesEssai.h"
#include "video/ExportMontage.h"
#include "video/LectureVideo.h"

namespace plivor {
namespace {

class Suivi : public ProgressionExport {
 public:
  explicit Suivi(bool annuler = false) : annuler_(annuler) {}
  bool Avancer(double, double) override { return !annuler_; }
  void Avis(const QString&) override {}

 private:
  bool annuler_;
};

class MontageVideo : public testing::Test {
 protected:
  void SetUp() override {
    EcrireBmp(banc.CheminHote("a.bmp"), test::Quadrants(200, 150));
    banc.Ecrire("liste.pvl", "Tempo=1000.pvi\r\n" + banc.CheminHote("a.bmp").toStdString() + "\r\n" +
                                 banc.CheminHote("a.bmp").toStdString() + "\r\n");
    ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin("liste.pvl")));
    modele.taille = QSize(160, 120);
    modele.ips = 10;
  }
  QStringList Videos() const { return QDir(banc.dossier.path()).entryList({"*.mp4*", ".*.mp4*"}, QDir::Files | QDir::Hidden); }
  test::BancMontage banc;
  ReglagesVideo modele;
};

TEST_F(MontageVideo, LaListeDevientUneVideoSousLeNomChoisi) {
  banc.dialogues.fichiers = {banc.CheminHote("film")};
  Suivi suivi;
  ASSERT_TRUE(ExporterListeEnVideo(*banc.montage, suivi, modele));
  EXPECT_EQ(banc.dialogues.dialogues, QStringList{"Exporter en vidéo"});
  EXPECT_EQ(banc.dialogues.departs, QStringList{banc.CheminHote("liste.mp4")});
  EXPECT_EQ(banc.dialogues.textes,
            QStringList{QStringLiteral("Vidéo enregistrée : ") + banc.CheminHote("film.mp4") + "\rDurée : 0 min 2,0 s"});
  EXPECT_NEAR(test::LireFaits(banc.CheminHote("film.mp4")).dureeVideo, 2.0, 0.1);
  EXPECT_EQ(Videos(), QStringList{"film.mp4"});
}

TEST_F(MontageVideo, UneListeModifieeEstSauveeDAbordOuRienNeSeFait) {
  banc.vue->ListeModifiee = true;
  banc.dialogues.reponses = {false};
  Suivi suivi;
  EXPECT_FALSE(ExporterListeEnVideo(*banc.montage, suivi, modele));
  EXPECT_EQ(banc.dialogues.textes,
            QStringList{"La liste doit être sauvegardée avant l'export en vidéo.\rLa sauvegarder ?"});
  EXPECT_TRUE(banc.dialogues.dialogues.isEmpty());
  EXPECT_TRUE(Videos().isEmpty());
}

TEST_F(MontageVideo, UnExportAnnuleNeLaisseRienEtNeSeDitPasEchoue) {
  banc.dialogues.fichiers = {banc.CheminHote("film.mp4")};
  Suivi annule(true);
  EXPECT_FALSE(ExporterListeEnVideo(*banc.montage, annule, modele));
  EXPECT_TRUE(banc.dialogues.textes.isEmpty()) << banc.dialogues.textes.join('|').toStdString();
  EXPECT_TRUE(Videos().isEmpty()) << Videos().join(' ').toStdString();
}

TEST_F(MontageVideo, UnMediaAbsentEstDemandeEtRefuseFaitEchouer) {
  banc.Ecrire("perdue.pvl", "Tempo=1000.pvi\r\n" + banc.CheminHote("a.bmp").toStdString() + "\r\n" +
                                banc.CheminHote("perdue.jpg").toStdString() + "\r\n");
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin("perdue.pvl")));
  banc.dialogues.fichiers = {banc.CheminHote("perdue.mp4")};
  banc.dialogues.reponses = {false};
  Suivi suivi;
  EXPECT_FALSE(ExporterListeEnVideo(*banc.montage, suivi, modele));
  const QString absent = banc.CheminHote("perdue.jpg") + " : Médias ou dossier absents!!";
  EXPECT_EQ(banc.dialogues.textes,
            (QStringList{absent + "\rContinuer l'export sans ce fichier ?", "L'export en vidéo a échoué.\r" + absent}));
  EXPECT_TRUE(Videos().isEmpty());
}

TEST_F(MontageVideo, UnMediaAbsentAccepteEstPasseEtNommeALaFin) {
  banc.Ecrire("perdue.pvl", "Tempo=1000.pvi\r\n" + banc.CheminHote("a.bmp").toStdString() + "\r\n" +
                                banc.CheminHote("perdue.jpg").toStdString() + "\r\n" +
                                banc.CheminHote("a.bmp").toStdString() + "\r\n");
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin("perdue.pvl")));
  banc.dialogues.fichiers = {banc.CheminHote("perdue.mp4")};
  banc.dialogues.reponses = {true};
  Suivi suivi;
  ASSERT_TRUE(ExporterListeEnVideo(*banc.montage, suivi, modele));
  const QString absent = banc.CheminHote("perdue.jpg") + " : Médias ou dossier absents!!";
  ASSERT_EQ(banc.dialogues.textes.size(), 2);
  EXPECT_EQ(banc.dialogues.textes[0], absent + "\rContinuer l'export sans ce fichier ?");
  EXPECT_EQ(banc.dialogues.textes[1], "Vidéo enregistrée : " + banc.CheminHote("perdue.mp4") +
                                          "\rDurée : 0 min 2,0 s\r\rPendant l'export :\r" + absent + " Passé.");
  EXPECT_EQ(Videos(), QStringList{"perdue.mp4"});
}

TEST_F(MontageVideo, UnNomDeFormatInconnuEstRefuseAvantTout) {
  banc.dialogues.fichiers = {banc.CheminHote("film.avi")};
  Suivi suivi;
  EXPECT_FALSE(ExporterListeEnVideo(*banc.montage, suivi, modele));
  EXPECT_EQ(banc.dialogues.textes,
            QStringList{"Format de vidéo inconnu : « film.avi ».\rPlivor écrit des vidéos .mp4, .mkv, .mov et .webm."});
  EXPECT_TRUE(QDir(banc.dossier.path()).entryList({"*avi*"}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST(ProgressionFenetre, LesAvisRestentAuDessusDeLAvancementQuiSAnnule) {
  QWidget fenetre;
  fenetre.setGeometry(QGuiApplication::primaryScreen()->availableGeometry().right() - 200, 0, 200, 500);
  ProgressionFenetre progression(&fenetre);
  EXPECT_EQ(fenetre.findChild<QProgressDialog*>(), nullptr);  // nothing shown before the export starts
  progression.Avis(QStringLiteral("Les pistes de CD audio restent muettes dans la vidéo."));
  EXPECT_TRUE(progression.Avancer(0.5, 75.0));
  auto* dialogue = fenetre.findChild<QProgressDialog*>();
  ASSERT_NE(dialogue, nullptr);
  EXPECT_EQ(dialogue->value(), 500);
  EXPECT_EQ(dialogue->labelText(), QStringLiteral("Les pistes de CD audio restent muettes dans la vidéo.\n"
                                                  "Export en vidéo… 1 min 15,0 s de vidéo"));
  // Away from a window at the screen's edge, as wide as it will grow.
  const QRect ecran = dialogue->screen()->availableGeometry();
  EXPECT_TRUE(ecran.contains(dialogue->frameGeometry())) << dialogue->frameGeometry().x() << "+" << dialogue->width();
  // After a second, the time left on a line of its own.
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  EXPECT_TRUE(progression.Avancer(0.5, 75.0));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("\\nExport en vidéo… 1 min 15,0 s de vidéo\\nreste environ \\d+ min \\d+ s$"))
                  .match(dialogue->labelText())
                  .hasMatch())
      << dialogue->labelText().toStdString();
  EXPECT_TRUE(ecran.contains(dialogue->frameGeometry())) << dialogue->frameGeometry().x() << "+" << dialogue->width();
  dialogue->cancel();  // its button
  EXPECT_FALSE(progression.Avancer(0.6, 80.0));
  progression.Fin();
  EXPECT_EQ(fenetre.findChild<QProgressDialog*>(), nullptr);
}

TEST(MenuPlus, LExportEnVideoEstLaDerniereEntree) {
  test::BancMontage banc;
  TFListe fenetre(*banc.vue, banc.fichiers);
  ASSERT_FALSE(fenetre.PopPlus()->actions().isEmpty());
  EXPECT_EQ(fenetre.PopPlus()->actions().last()->text(), QStringLiteral("Exporter en vidéo…"));
}

}  // namespace
}  // namespace plivor
