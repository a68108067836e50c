#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/FichiersListe.h"
#include "core/Lignes.h"
#include "platform/FichiersHote.h"

namespace plivor {
namespace {

namespace fs = std::filesystem;

class DossierTemporaire : public ::testing::Test {
 protected:
  void SetUp() override {
    racine = fs::temp_directory_path() / ("plivor-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(racine / "img");
    fichiers.ChangerDossier(*LigneDepuisHote(racine));
  }
  void TearDown() override { fs::remove_all(racine); }

  void Creer(const fs::path& chemin, const std::string& contenu = "x") {
    std::ofstream(racine / chemin, std::ios::binary) << contenu;
  }

  fs::path racine;
  FichiersHote fichiers;
};

TEST_F(DossierTemporaire, ClassifiesRealFilesThroughWindowsSeparators) {
  Creer("img/photo.JPG");
  EXPECT_EQ(ClasserLigne("img\\photo.JPG", fichiers), Genre::Jpeg);
  EXPECT_EQ(ClasserLigne("img/photo.JPG", fichiers), Genre::Jpeg);
  EXPECT_EQ(ClasserLigne("img\\absente.jpg", fichiers), Genre::Absent);
  // A folder is not a file.
  EXPECT_EQ(ClasserLigne("img", fichiers), Genre::Absent);
  EXPECT_TRUE(fichiers.DossierExiste("img"));
}

TEST_F(DossierTemporaire, AccentedNamesMatchTheirUtf8FileNames) {
  Creer(fs::path(u8"\u00e9t\u00e9.wav"));
  EXPECT_EQ(ClasserLigne("\xE9t\xE9.wav", fichiers), Genre::Wav);
  EXPECT_EQ(fichiers.TailleFichier("\xE9t\xE9.wav"), 1u);
  EXPECT_EQ(LigneDepuisHote(fs::path(u8"\u0141\u00f3d\u017a.jpg")), std::nullopt);
}

TEST_F(DossierTemporaire, ListWrittenIsWindows1252WithCrLf) {
  const Liste lignes = {"Tempo=1500.pvi", "S\xE9quence=b.pvl.pvr"};
  ASSERT_TRUE(EcrireListe("l.pvl", lignes, fichiers));
  std::ifstream flux(racine / "l.pvl", std::ios::binary);
  const std::string octets((std::istreambuf_iterator<char>(flux)), std::istreambuf_iterator<char>());
  EXPECT_EQ(octets, "Tempo=1500.pvi\r\nS\xE9quence=b.pvl.pvr\r\n");
  EXPECT_EQ(LireListe("l.pvl", fichiers)->lignes, lignes);
}

}  // namespace
}  // namespace plivor
