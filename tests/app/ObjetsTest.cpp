// What an object line may hand to the desktop, and the lists given on the
// command line before the projection opens.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/Enchainement.h"
#include "platform/Bureau.h"
#include "support/BancVue.h"
#include "support/ProgrammeReel.h"

namespace plivor {
namespace {

QString Refus(const QString& nom, const char* nature) {
  return QStringLiteral("Objet non ouvert : « %1 » est %2.\rPlivor ne confie au bureau que des documents.")
      .arg(nom, QString::fromUtf8(nature));
}

TEST(PolitiqueObjets, SeulsLesDocumentsVontAuBureau) {
  const struct {
    ApercuObjet objet;
    const char* nature;  // nullptr: a document
  } cas[] = {
      {{"/d/notes.txt", "notes.txt", false, false, "bonjour"}, nullptr},
      {{"/d/photo.jpg", "photo.jpg", false, false, "\xFF\xD8\xFF"}, nullptr},
      {{"/d/texte.rtf", "texte.rtf", false, false, "{\\rtf1"}, nullptr},
      {{"/d/outil", "outil", false, true, "\x7f" "ELF\x02"}, "un programme"},
      {{"/d/outil", "outil", false, false, "\x7f" "ELF\x02"}, "un programme"},
      {{"/d/setup.exe", "setup.exe", false, false, "MZ\x90"}, "un programme"},
      {{"/d/jeu.AppImage", "jeu.AppImage", false, false, ""}, "un programme"},
      {{"/d/evil.desktop", "evil.desktop", false, false, "[Desktop Entry]\nExec=x"}, "un lanceur du bureau"},
      {{"/d/image.jpg", "image.jpg", false, false, "# c\n[Desktop Entry]\nExec=x"}, "un lanceur du bureau"},
      {{"/d/doc.pdf", "evil.desktop", false, false, "%PDF"}, "un lanceur du bureau"},  // a link's target
      {{"/d/evil.sh", "evil.sh", false, false, "rm -rf"}, "un script"},
      {{"/d/run.py", "run.py", false, false, "print()"}, "un script"},
      {{"/d/lisez-moi", "lisez-moi", false, false, "#!/bin/sh\n"}, "un script"},
      {{"/d/notes.txt", "notes.txt", false, true, "bonjour"}, "un fichier exécutable"},
      {{"/d/show.pvl", "show.pvl", false, false, "Tempo=1000.pvi"}, "une liste ou un script de Plivor"},
      {{"/d/Show.PVS", "Show.PVS", false, false, ""}, "une liste ou un script de Plivor"},
      {{"/d/photos", "photos", true, true, ""}, "un dossier"},
  };
  for (const auto& c : cas) {
    const QString attendu = c.nature ? Refus(c.objet.nom, c.nature) : QString();
    EXPECT_EQ(RefusObjet(c.objet), attendu) << c.objet.nom.toStdString() << " " << c.objet.nomCible.toStdString();
  }
}

class Objets : public testing::Test {
 protected:
  TFVue& vue() { return *banc.vue; }
  test::BancVue banc;
};

TEST_F(Objets, UnScriptEstRefuseUneFoisDitEtLaProjectionContinue) {
  banc.EcrireTexte("evil.sh", "touch marque\n");
  banc.EcrireTexte("notes.txt", "bonjour");
  vue().AvanceAM(Emetteur::Aucun);
  const Liste lignes = {"ObjetX=" + banc.Chemin("evil.sh") + ".pvr", "Tempo=600.pvi", "Titrage=Fin.pvv"};
  banc.Projeter(lignes);
  EXPECT_TRUE(banc.bureau.ouverts.isEmpty());
  EXPECT_EQ(banc.dialogues.textes, QStringList{Refus(banc.CheminHote("evil.sh"), "un script")});
  EXPECT_EQ(vue().EtatPause, 0);
  EXPECT_TRUE(vue().AvanceAuto);
  EXPECT_EQ(vue().Timer1.interval(), 600);  // the tail chains on
  // The show comes round to it again: nothing more is said.
  banc.Projeter(lignes);
  EXPECT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_TRUE(vue().AvanceAuto);
  // A document is still handed over, and the show waits for it.
  banc.Projeter({"ObjetX=" + banc.Chemin("notes.txt") + ".pvr", "Titrage=Fin.pvv"});
  EXPECT_EQ(banc.bureau.ouverts, QStringList{banc.CheminHote("notes.txt")});
  EXPECT_EQ(vue().EtatPause, 1);
}

TEST_F(Objets, UneListeQuiSeNommeCommeObjetNeLanceRien) {
  const QString liste = banc.CheminHote("chaine.pvl");
  banc.EcrireTexte("chaine.pvl", "Tempo=1000.pvi\r\nObjetX=" + liste.toStdString() + ".pvr\r\n");
  banc.Projeter({"ObjetX=" + banc.Chemin("chaine.pvl") + ".pvr", "Titrage=Fin.pvv"});
  EXPECT_TRUE(banc.bureau.ouverts.isEmpty());
  EXPECT_EQ(banc.dialogues.textes, QStringList{Refus(liste, "une liste ou un script de Plivor")});
  // A link named as a document leads to the list: refused all the same.
  ASSERT_TRUE(QFile::link(liste, banc.CheminHote("lien.txt")));
  banc.Projeter({"ObjetX=" + banc.Chemin("lien.txt") + ".pvr", "Titrage=Fin.pvv"});
  EXPECT_TRUE(banc.bureau.ouverts.isEmpty());
  EXPECT_EQ(banc.dialogues.textes.value(1), Refus(banc.CheminHote("lien.txt"), "une liste ou un script de Plivor"));
}

// ---- The command line's lists, before the projection's first opening.

TEST_F(Objets, UneListeAbsenteDeLaLigneDeCommandeEstNommee) {
  const QString absente = banc.CheminHote("absente.pvl");
  const ListesCommande listes({absente});
  EXPECT_EQ(listes.Fautes(), QStringList{QStringLiteral("Liste introuvable : ") + absente});
  listes.AvantOuverture(vue());
  vue().Ouverture();
  listes.ApresOuverture(vue());
  ASSERT_FALSE(banc.dialogues.textes.isEmpty());
  EXPECT_EQ(banc.dialogues.textes.front(),
            QStringLiteral("Liste ") + absente + QStringLiteral(" non trouvée.\rChoisir une autre liste Plivor."));
  EXPECT_EQ(banc.dialogues.dialogues, QStringList{QStringLiteral("Charger une liste")});
}

TEST_F(Objets, DeuxListesSontEnchaineesCommeParLOuvreur) {
  QDir().mkpath(banc.CheminHote("b"));
  banc.EcrireTexte("a.pvl", "Tempo=500.pvi\r\nun.jpg\r\n");
  banc.EcrireTexte("b/b.pvl", "deux.jpg\r\n");
  const ListesCommande listes({banc.CheminHote("a.pvl"), banc.CheminHote("absente.pvl"), banc.CheminHote("b/b.pvl")});
  listes.AvantOuverture(vue());
  vue().Ouverture();
  listes.ApresOuverture(vue());
  const Liste attendue = {"Drapeau=a.pvd", "Tempo=500.pvi", banc.Chemin("un.jpg"), "Drapeau=b.pvd",
                          banc.Chemin("b/deux.jpg")};
  EXPECT_EQ(vue().Medias, attendue);
  EXPECT_EQ(vue().DossierProjection, SansBarre(banc.Chemin("")));
  // The missing one is said, the chain goes on without it.
  ASSERT_FALSE(banc.dialogues.textes.isEmpty());
  EXPECT_EQ(banc.dialogues.textes.front(), QStringLiteral("Liste ") + banc.CheminHote("absente.pvl") +
                                               QStringLiteral(" non trouvée.\rElle reste hors de l'enchaînement."));
}

}  // namespace
}  // namespace plivor
