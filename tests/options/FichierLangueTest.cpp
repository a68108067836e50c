// The language file the build writes beside the program: its bytes, and
// the second language it gives when the options choose it from there.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Langue.h"
#include "platform/FichiersHote.h"
#include "support/MessagerieEnregistree.h"

namespace plivor {
namespace {

const std::filesystem::path kFichier = PLIVOR_FICHIER_LANGUE;

TEST(FichierLangueLivre, HoldsTheFrenchAndEnglishTablesOneLineEach) {
  FichiersHote fichiers;
  const auto contenu = fichiers.LireFichier(kFichier.string());
  ASSERT_TRUE(contenu) << kFichier;
  const Tables& en = TablesAnglaises();
  const std::string attendu = "Entete=Plivor\r\nFrG=" + TableMotsCles() + "\r\nFrV=" + TableValeurs() +
                              "\r\nEnG=" + en.motsCles + "\r\nEnV=" + en.valeurs + "\r\n";
  EXPECT_EQ(*contenu, attendu);
  EXPECT_EQ(*contenu, ContenuFichierLangue());
  EXPECT_EQ(en.motsCles.substr(0, 16), Texte("\x80""enG\x80\xB6+\x81\x87""Advance"));
}

TEST(FichierLangueLivre, ChoosingEnglishFromTheProgramFolderInstallsIt) {
  FichiersHote fichiers;
  test::MessagerieEnregistree messages;
  EtatLangue etat;
  const Texte dossier = kFichier.parent_path().string();
  ASSERT_EQ(ChoisirLangue("En", dossier, fichiers, messages, etat), ResultatLangue::Installee);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0], "Langage \"En\" installé !");
  EXPECT_EQ(etat.codeLangue, "En");
  EXPECT_EQ(TraduireLigne("Transition=Rideau-ouvrant.pvi", etat), "Transition=Curtain-opening.pvi");
  EXPECT_EQ(CodeCombine("Transition=Curtain-opening.pvi", TablesActives(etat)), 6005);

  EXPECT_EQ(ChoisirLangue("It", dossier, fichiers, messages, etat), ResultatLangue::Echec);
  EXPECT_EQ(etat.codeLangue, "En");
}

}  // namespace
}  // namespace plivor
