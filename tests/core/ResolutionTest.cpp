#include <gtest/gtest.h>

#include "core/Resolution.h"
#include "support/FichiersMemoire.h"

namespace plivor {
namespace {

using test::FichiersMemoire;

// The main list in C:\Show, its sub-list in C:\Sub.
class Resolution : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* f : {"C:\\Show\\pic\\b.jpg", "C:\\Sub\\pic\\b.jpg", "C:\\Sub\\c.jpg", "C:\\Sub\\d.jpg",
                          "C:\\Sub\\m.bmp"})
      fichiers.Ajouter(f);
  }
  LigneResolue R(const Texte& ligne) { return Resoudre(ligne, "C:\\Show", "C:\\Sub", fichiers); }
  FichiersMemoire fichiers{StyleChemins::Windows, "C:\\Ailleurs"};
};

TEST_F(Resolution, LeDossierDeLaProjectionDAbordPuisCeluiDeLaSousListe) {
  // Both hold pic\b.jpg: the projection's reading stands.
  EXPECT_EQ(R("pic\\b.jpg").ligne, "C:\\Show\\pic\\b.jpg");
  EXPECT_FALSE(R("pic\\b.jpg").voisine);
  // Only beside the sub-list.
  EXPECT_EQ(R("c.jpg").ligne, "C:\\Sub\\c.jpg");
  EXPECT_TRUE(R("c.jpg").voisine);
  // Written from the main list's folder, "..\" resolved.
  EXPECT_EQ(R("..\\Sub\\d.jpg").ligne, "C:\\Sub\\d.jpg");
  EXPECT_FALSE(R("..\\Sub\\d.jpg").voisine);
  EXPECT_EQ(R(Cp("Menus=m.bmp.pvr")).ligne, Cp("Menus=C:\\Sub\\m.bmp.pvr"));
}

TEST_F(Resolution, UnAbsentGardeLaLectureDeLaProjectionEtLesInstructionsPassent) {
  const LigneResolue absente = R("x.jpg");
  EXPECT_FALSE(absente.trouvee);
  EXPECT_EQ(absente.ligne, "C:\\Show\\x.jpg");
  EXPECT_EQ(LigneProjetee("x.jpg", "C:\\Show", "C:\\Sub", fichiers), "x.jpg");
  EXPECT_EQ(LigneProjetee("c.jpg", "C:\\Show", "C:\\Sub", fichiers), "C:\\Sub\\c.jpg");
  EXPECT_EQ(LigneProjetee("pic\\b.jpg", "C:\\Show", "C:\\Sub", fichiers), "pic\\b.jpg");
  EXPECT_EQ(R("Tempo=1000.pvi").ligne, "Tempo=1000.pvi");
  EXPECT_TRUE(R("Tempo=1000.pvi").trouvee);
  // The main list's own lines: its folder alone.
  EXPECT_FALSE(Resoudre("c.jpg", "C:\\Show", "", fichiers).trouvee);
}

}  // namespace
}  // namespace plivor
