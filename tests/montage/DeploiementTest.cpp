// Sub-lists kept in folders of their own, their lines written both ways:
// verification, deployment and the relative copy read them as the
// projection does, on real files; deployment stays bounded; a missing
// file is said and may be left out.

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "BancMontage.h"
#include "codecs/Encodeurs.h"
#include "montage/Verification.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancMontage;

class SousListesAilleurs : public testing::Test {
 protected:
  SousListesAilleurs() {
    // The projection reads "pic\b.jpg" of a sub-list from the main list's
    // folder: the green one; the blue one beside the sub-list is never taken.
    Image("show/img/rouge.jpg", Qt::red);
    Image("show/img/vert.jpg", Qt::green);
    Image("show/pic/b.jpg", Qt::darkGreen);
    Image("show/sub/pic/b.jpg", Qt::blue);
    banc.Ecrire(QStringLiteral("show/dep.pvl"), "Tempo=2000.pvi\r\nsub\\nest.pvl\r\nimg\\rouge.jpg\r\nsub\\MAJ.PVL\r\n");
    // "inner.pvl" and "../img/vert.jpg" name files only from the sub-list's own folder.
    banc.Ecrire(QStringLiteral("show/sub/nest.pvl"), "Drapeau=N.pvd\r\ninner.pvl\r\npic\\b.jpg\r\n");
    banc.Ecrire(QStringLiteral("show/sub/inner.pvl"), "Titrage=Inner.pvv\r\n../img/vert.jpg\r\n");
    banc.Ecrire(QStringLiteral("show/sub/MAJ.PVL"), "pic\\b.jpg\r\n");
    EXPECT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("show/dep.pvl"))));
    s = banc.Chemin(QStringLiteral("show"));
  }
  void Image(const char* nom, QColor couleur) {
    QDir().mkpath(QFileInfo(banc.CheminHote(QString::fromUtf8(nom))).path());
    EcrireJpeg(banc.CheminHote(QString::fromUtf8(nom)), test::Unie(32, 24, couleur));
  }

  BancMontage banc;
  Montage& m = *banc.montage;
  Texte s;
};

TEST_F(SousListesAilleurs, VerifierDeployerEtRelativiserPrennentLesFichiersQueLaProjectionMontre) {
  EXPECT_FALSE(VerifierListe(m));
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Les ressources sont complètes !"));
  ASSERT_TRUE(DeployerPvl(m));
  // Clean full paths; the capital extension deployed like the others.
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=2000.pvi", "Drapeau=nest.pvd", "Drapeau=N.pvd", "Drapeau=inner.pvd",
                               "Titrage=Inner.pvv", s + "/img/vert.jpg", s + "/pic/b.jpg", s + "/img/rouge.jpg",
                               "Drapeau=MAJ.pvd", s + "/pic/b.jpg"}));
  banc.dialogues.textes.clear();
  banc.dialogues.dossiers << banc.CheminHote(QStringLiteral("show"));
  banc.dialogues.reponses << true;
  ASSERT_TRUE(CheminRelatif(m)) << banc.dialogues.textes.join(" | ").toStdString();
  EXPECT_EQ(banc.Lire(QStringLiteral("show/dep.pvl")),
            "Tempo=2000.pvi\r\nDrapeau=nest.pvd\r\nDrapeau=N.pvd\r\nDrapeau=inner.pvd\r\nTitrage=Inner.pvv\r\n"
            "img\\vert.jpg\r\npic\\b.jpg\r\nimg\\rouge.jpg\r\nDrapeau=MAJ.pvd\r\npic\\b.jpg\r\n");
  EXPECT_EQ(banc.Lire(QStringLiteral("show/dep.bak")),
            "Tempo=2000.pvi\r\nsub\\nest.pvl\r\nimg\\rouge.jpg\r\nsub\\MAJ.PVL\r\n");
}

TEST_F(SousListesAilleurs, UneSousListeAbsenteEstDiteEtPeutEtreLaissee) {
  banc.Ecrire(QStringLiteral("show/dep.pvl"), "Tempo=2000.pvi\r\nsub\\absente.pvl\r\nsub\\MAJ.PVL\r\n");
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("show/dep.pvl"))));
  const Liste avant = m.Lignes();
  const QString question = QString::fromStdString(VersUtf8(
      "Le fichier \"" + s + "/sub/absente.pvl\" est absent ou illisible.\rContinuer sans ce fichier ?"));
  banc.dialogues.textes.clear();
  EXPECT_FALSE(DeployerPvl(m));  // answered No: nothing changes
  EXPECT_EQ(banc.dialogues.textes, QStringList{question});
  EXPECT_EQ(m.Lignes(), avant);
  banc.dialogues.reponses << true;
  ASSERT_TRUE(DeployerPvl(m));
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=2000.pvi", avant[1], "Drapeau=MAJ.pvd", s + "/pic/b.jpg"}));
  // "Ignorer les absents": no question.
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("show/dep.pvl"))));
  banc.vue->IgnorerAbsents = true;
  banc.dialogues.textes.clear();
  ASSERT_TRUE(DeployerPvl(m));
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
}

TEST_F(SousListesAilleurs, LaCopieRelativeDUneListeAvecUnAbsentDemandeOuSuitLOption) {
  banc.Ecrire(QStringLiteral("show/dep.pvl"), "Tempo=2000.pvi\r\nimg\\absente.jpg\r\nimg\\rouge.jpg\r\n");
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("show/dep.pvl"))));
  banc.dialogues.textes.clear();
  banc.dialogues.dossiers << banc.CheminHote(QStringLiteral("show"));
  EXPECT_FALSE(CheminRelatif(m));
  EXPECT_EQ(banc.dialogues.textes,
            (QStringList{QStringLiteral("Le fichier \"img\\absente.jpg\" est absent ou illisible.\rContinuer sans ce "
                                        "fichier ?"),
                         QStringLiteral("Procédure interrompue !\rVérifier le contenu de la Liste.")}));
  banc.vue->IgnorerAbsents = true;
  banc.dialogues.dossiers << banc.CheminHote(QStringLiteral("show"));
  banc.dialogues.reponses << true;
  ASSERT_TRUE(CheminRelatif(m));
  // The missing file's line kept as it stood.
  EXPECT_EQ(banc.Lire(QStringLiteral("show/dep.pvl")), "Tempo=2000.pvi\r\nimg\\absente.jpg\r\nimg\\rouge.jpg\r\n");
}

TEST(DeploiementBorne, DesChainesDeSousListesSArretentAvecUnMessage) {
  BancMontage banc;
  // Each list names the next four times: the deployed list would grow
  // fourfold at each of the ten levels.
  for (int i = 0; i < 10; ++i) {
    const std::string suivante = "L" + std::to_string(i + 1) + ".pvl\r\n";
    banc.Ecrire(QStringLiteral("L%1.pvl").arg(i), suivante + suivante + suivante + suivante);
  }
  banc.Ecrire(QStringLiteral("L10.pvl"), "Tempo=1000.pvi\r\n");
  banc.Lignes({banc.Chemin(QStringLiteral("L0.pvl"))});
  Montage& m = *banc.montage;
  const Liste avant = m.Lignes();
  EXPECT_FALSE(DeployerPvl(m));
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("La liste déployée dépasserait 50000 lignes : le déploiement est abandonné."));
  EXPECT_EQ(m.Lignes(), avant);
  // Nested deeper than the bound, one line each.
  for (int i = 0; i < 30; ++i)
    banc.Ecrire(QStringLiteral("P%1.pvl").arg(i), "P" + std::to_string(i + 1) + ".pvl\r\n");
  banc.Ecrire(QStringLiteral("P30.pvl"), "Tempo=1000.pvi\r\n");
  banc.Lignes({banc.Chemin(QStringLiteral("P0.pvl"))});
  EXPECT_FALSE(DeployerPvl(m));
  EXPECT_EQ(banc.dialogues.textes.last(),
            QStringLiteral("Les sous-listes s'imbriquent sur plus de 20 niveaux : le déploiement est abandonné."));
  EXPECT_EQ(m.Lignes(), Liste{banc.Chemin(QStringLiteral("P0.pvl"))});
}

}  // namespace
}  // namespace plivor
