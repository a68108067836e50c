#include <gtest/gtest.h>

#include "core/Adresses.h"
#include "platform/Dialogues.h"
#include "support/FichiersMemoire.h"

namespace plivor {
namespace {

TEST(Dialogues, CoreMessagesArriveAsTheirFrenchTexts) {
  DialoguesScriptes dialogues;
  test::FichiersMemoire fichiers(StyleChemins::Windows, "C:\\");
  EXPECT_EQ(AdresseEtendue("absent.jpg", fichiers, dialogues), "erreur");
  ASSERT_EQ(dialogues.textes.size(), 1);
  EXPECT_EQ(dialogues.textes[0], QString::fromUtf8("Le fichier \"absent.jpg\" n'existe pas !\rImpossible d'étendre son adresse"));
}

TEST(Dialogues, ScriptedAnswersAreTakenInOrder) {
  DialoguesScriptes dialogues;
  dialogues.reponses = {true};
  dialogues.fichiers = {QString("/tmp/a.pvl")};
  EXPECT_TRUE(dialogues.Question("Quitter ?"));
  EXPECT_FALSE(dialogues.Question("Encore ?")) << "No once the script is exhausted";
  EXPECT_EQ(dialogues.FichierAOuvrir("t", "", ""), QString("/tmp/a.pvl"));
  EXPECT_EQ(dialogues.FichierAOuvrir("t", "", ""), std::nullopt);
  EXPECT_EQ(dialogues.textes, (QStringList{"Quitter ?", "Encore ?"}));
}

}  // namespace
}  // namespace plivor
