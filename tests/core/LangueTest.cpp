#include <gtest/gtest.h>

#include "core/FichiersListe.h"
#include "core/Langue.h"
#include "support/FichiersMemoire.h"
#include "support/MessagerieEnregistree.h"

namespace plivor {
namespace {

using test::FichiersMemoire;
using test::MessagerieEnregistree;

// An English keyword table with a few entries, encoded as the built-in one.
Texte MotsClesAnglais() {
  Texte t = {OctetCode(0), 'e', 'n', 'G', OctetCode(0), static_cast<char>(0xB6)};
  for (const auto& [code, mot] : std::vector<std::pair<int, Texte>>{{1, "Advance"}, {9, "Tempo"}, {60, "Transition"}})
    t += Texte("+") + OctetCode(code) + OctetCode(static_cast<int>(mot.size())) + mot;
  return t + "+";
}

Texte ValeursAnglaises() {
  Texte t = {OctetCode(0), 'Z', 'V', 'L', 'e', 'n', OctetCode(0)};
  int id = 0;
  for (const auto& [code, mot] : std::vector<std::pair<int, Texte>>{{0, "empty"}, {2, "Pause"}, {3, "Left"}})
    t += Texte("=") + OctetCode(id++) + OctetCode(code) + OctetCode(static_cast<int>(mot.size())) + mot;
  return t;
}

class Langues : public ::testing::Test {
 protected:
  FichiersMemoire fichiers{StyleChemins::Windows, "C:\\"};
  MessagerieEnregistree messages;
  EtatLangue etat;
  const Texte programme = "C:\\Plivor";
};

TEST_F(Langues, EnglishTablesInstallAndParse) {
  fichiers.Ajouter("C:\\Plivor\\lg.pvg", JoindreLignes({"Entete=Plivor", "enG=" + MotsClesAnglais(),
                                                        "ENV=" + ValeursAnglaises()}));
  EXPECT_EQ(ChoisirLangue("En", programme, fichiers, messages, etat), ResultatLangue::Installee);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0], "Langage \"En\" installé !");
  EXPECT_TRUE(etat.langueInstallee);
  EXPECT_EQ(etat.codeLangue, "En");

  const Tables& actives = TablesActives(etat);
  EXPECT_EQ(CodeCombine("Advance=Pause.pvi", actives), 102);
  EXPECT_EQ(CodeCombine("Transition=Left.pvi", actives), 6003);
  EXPECT_EQ(NomMotCle(60, actives), "Transition");
  // French words the installed tables lack give code 0.
  EXPECT_EQ(CodeMotCle("Avance", actives), 0);
  EXPECT_EQ(CodeCombine("Transition=Gauche.pvi", actives), 6000);

  EXPECT_EQ(ChoisirLangue("", programme, fichiers, messages, etat), ResultatLangue::Retiree);
  EXPECT_FALSE(etat.langueInstallee);
  EXPECT_TRUE(etat.codeLangue.empty());
  EXPECT_EQ(CodeMotCle("Avance", TablesActives(etat)), 1);
}

TEST_F(Langues, MissingFile) {
  EXPECT_EQ(ChoisirLangue("Ge", programme, fichiers, messages, etat), ResultatLangue::Introuvable);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0],
            "Fichier langage introuvable...\r\rRechercher ou télécharger le fichier \"lg.pvg\"et "
            "l'installer dans le dossier du programme.");
  EXPECT_FALSE(etat.langueInstallee);
}

TEST_F(Langues, FileWithoutTheLanguageFailsAndKeepsTheLanguageInForce) {
  fichiers.Ajouter("C:\\Plivor\\lg.pvg", JoindreLignes({"EnG=" + MotsClesAnglais(), "EnV=" + ValeursAnglaises(),
                                                        "SpG=" + MotsClesAnglais()}));
  ASSERT_EQ(ChoisirLangue("En", programme, fichiers, messages, etat), ResultatLangue::Installee);
  EXPECT_EQ(ChoisirLangue("Sp", programme, fichiers, messages, etat), ResultatLangue::Echec);
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[1],
            "Echec d'installation du Langage \"Sp\"...\r\rTélécharger un fichier \"lg.pvg\" contenant cette "
            "langueet l'installer dans le dossier du programme.");
  EXPECT_TRUE(etat.langueInstallee);
  EXPECT_EQ(etat.codeLangue, "En");
  EXPECT_EQ(CodeMotCle("Advance", TablesActives(etat)), 1);
}

TEST(ValeursNommees, FirstEqualsSeparatesAndNamesIgnoreCase) {
  const Liste lignes = {"a=1", "Nom=x=y", "NOM=z"};
  EXPECT_EQ(ValeurNommee(lignes, "nom"), "x=y");
  EXPECT_EQ(ValeurNommee(lignes, "absent"), "");
}

}  // namespace
}  // namespace plivor
