#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/Enregistrement.h"
#include "platform/FichiersHote.h"

namespace plivor {
namespace {

namespace fs = std::filesystem;

std::string Lire(const fs::path& chemin) {
  std::ifstream flux(chemin, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(flux)), std::istreambuf_iterator<char>());
}

void Ecrire(const fs::path& chemin, const std::string& contenu) {
  std::ofstream(chemin, std::ios::binary) << contenu;
}

std::set<std::string> Noms(const fs::path& dossier) {
  std::set<std::string> noms;
  for (const auto& entree : fs::directory_iterator(dossier)) noms.insert(entree.path().filename().string());
  return noms;
}

class Enregistrement : public ::testing::Test {
 protected:
  void SetUp() override {
    racine = fs::temp_directory_path() / ("plivor-enr-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(racine);
    fs::create_directories(racine / "partage");
    fs::create_directories(racine / "journal");
    DefinirJournalEnregistrements(racine / "journal");
  }
  void TearDown() override {
    DefinirJournalEnregistrements({});
    std::error_code erreur;
    fs::permissions(racine / "partage", fs::perms::owner_all, erreur);
    fs::remove_all(racine, erreur);
  }
  fs::path racine;
};

TEST_F(Enregistrement, UnLienPoseSousLAncienNomTemporaireNeDetourneRien) {
  Ecrire(racine / "victime.txt", "SECRET du proprietaire");
  Ecrire(racine / "partage/liste.pvl", "ancien\r\n");
  fs::create_symlink("../victime.txt", racine / "partage/liste.pvl.plivor-tmp");
  ASSERT_TRUE(EnregistrerFichier(racine / "partage/liste.pvl", "Tempo=3000.pvi\r\n"));
  EXPECT_EQ(Lire(racine / "victime.txt"), "SECRET du proprietaire");
  EXPECT_FALSE(fs::is_symlink(racine / "partage/liste.pvl"));
  EXPECT_EQ(Lire(racine / "partage/liste.pvl"), "Tempo=3000.pvi\r\n");
  // Nothing else is left in the folder, and the journal is empty again.
  EXPECT_EQ(Noms(racine / "partage"), (std::set<std::string>{"liste.pvl", "liste.pvl.plivor-tmp"}));
  EXPECT_TRUE(Noms(racine / "journal").empty());
}

TEST_F(Enregistrement, UnLienEstEcritJusquASaCibleEtResteUnLien) {
  fs::create_directories(racine / "partage/vrai");
  Ecrire(racine / "partage/vrai/L5.pvl", "six lignes\r\n");
  fs::create_symlink("vrai/L5.pvl", racine / "partage/L5.pvl");
  fs::create_symlink("L5.pvl", racine / "partage/encore.pvl");  // a link to a link
  ASSERT_TRUE(EnregistrerFichier(racine / "partage/encore.pvl", "cinq\r\n"));
  EXPECT_TRUE(fs::is_symlink(racine / "partage/L5.pvl"));
  EXPECT_TRUE(fs::is_symlink(racine / "partage/encore.pvl"));
  EXPECT_EQ(Lire(racine / "partage/vrai/L5.pvl"), "cinq\r\n");
  EXPECT_EQ(Noms(racine / "partage/vrai"), (std::set<std::string>{"L5.pvl"}));
}

TEST_F(Enregistrement, LesDroitsDuFichierRemplaceSontGardes) {
  const fs::path liste = racine / "partage/l.pvl";
  Ecrire(liste, "a");
  fs::permissions(liste, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(EnregistrerFichier(liste, "b"));
  EXPECT_EQ(fs::status(liste).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(Enregistrement, UnProprietaireAutreResteProprietaire) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file away";
  const passwd* personne = ::getpwnam("nobody");
  ASSERT_NE(personne, nullptr);
  const fs::path liste = racine / "partage/l.pvl";
  Ecrire(liste, "a");
  ASSERT_EQ(::chown(liste.c_str(), personne->pw_uid, personne->pw_gid), 0);
  ASSERT_TRUE(EnregistrerFichier(liste, "b"));
  struct stat etat {};
  ASSERT_EQ(::stat(liste.c_str(), &etat), 0);
  EXPECT_EQ(etat.st_uid, personne->pw_uid);
  EXPECT_EQ(Lire(liste), "b");
}

TEST_F(Enregistrement, UneEcritureRateeLaisseLAncienFichierIntactEtRienDerriere) {
  const fs::path liste = racine / "partage/l.pvl";
  Ecrire(liste, "ancien contenu\r\n");
  const auto moitie = [](int fd, const std::string& octets) {
    EcrireTout(fd, octets.substr(0, octets.size() / 2));
    errno = ENOSPC;
    return false;
  };
  const auto resultat = EnregistrerFichier(liste, std::string(100000, 'n'), moitie);
  EXPECT_FALSE(resultat.reussi);
  EXPECT_EQ(resultat.erreur, ENOSPC);
  EXPECT_EQ(CauseEchec(resultat.erreur), "le disque est plein");
  EXPECT_EQ(Lire(liste), "ancien contenu\r\n");
  EXPECT_EQ(Noms(racine / "partage"), (std::set<std::string>{"l.pvl"}));
  EXPECT_TRUE(Noms(racine / "journal").empty());
}

TEST_F(Enregistrement, UnDossierAbsentEstDitEtRienNEstCree) {
  const auto resultat = EnregistrerFichier(racine / "parti/l.pvl", "x");
  EXPECT_FALSE(resultat.reussi);
  EXPECT_EQ(CauseEchec(resultat.erreur), "le dossier n'existe pas");
  EXPECT_FALSE(fs::exists(racine / "parti"));
}

// Runs `travail` as the user nobody in a child process, whose exit code
// it gives; root passes folder permissions by, an ordinary user does not.
int CommeUnUtilisateur(const std::function<int()>& travail) {
  const pid_t enfant = ::fork();
  if (enfant == 0) {
    if (::geteuid() == 0) {
      const passwd* personne = ::getpwnam("nobody");
      if (!personne || ::setgid(personne->pw_gid) != 0 || ::setuid(personne->pw_uid) != 0) ::_exit(90);
    }
    ::_exit(travail());
  }
  int etat = 0;
  ::waitpid(enfant, &etat, 0);
  return WIFEXITED(etat) ? WEXITSTATUS(etat) : 99;
}

class DossierProtege : public Enregistrement {
 protected:
  void SetUp() override {
    Enregistrement::SetUp();
    liste = racine / "partage/L5.pvl";
    Ecrire(liste, "ancien\r\n");
    fs::permissions(racine, fs::perms::all);
    fs::permissions(racine / "journal", fs::perms::all);
    if (const passwd* personne = ::getpwnam("nobody"); personne && ::geteuid() == 0) {
      ASSERT_EQ(::chown(liste.c_str(), personne->pw_uid, personne->pw_gid), 0);
    }
    fs::permissions(racine / "partage", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                            fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  }
  fs::path liste;
};

TEST_F(DossierProtege, UneListeModifiableEstReecriteSurPlace) {
  const int code = CommeUnUtilisateur([&] { return EnregistrerFichier(liste, "nouveau, plus long\r\n") ? 0 : 1; });
  ASSERT_EQ(code, 0);
  EXPECT_EQ(Lire(liste), "nouveau, plus long\r\n");
  EXPECT_EQ(Noms(racine / "partage"), (std::set<std::string>{"L5.pvl"}));
}

TEST_F(DossierProtege, UnEchecSurPlaceRendLesAnciensOctets) {
  const int code = CommeUnUtilisateur([&] {
    const auto moitie = [](int fd, const std::string& octets) {
      EcrireTout(fd, octets.substr(0, octets.size() / 2));
      errno = ENOSPC;
      return false;
    };
    const auto r = EnregistrerFichier(liste, std::string(5000, 'z'), moitie);
    return r.reussi ? 1 : r.erreur == ENOSPC ? 0 : 2;
  });
  ASSERT_EQ(code, 0);
  EXPECT_EQ(Lire(liste), "ancien\r\n");
}

TEST_F(Enregistrement, LesTemporairesDUneExecutionTueeSontRetiresAuDemarrageSuivant) {
  const fs::path liste = racine / "partage/cent-mille.pvl";
  Ecrire(liste, "ancien\r\n");
  int tube[2];
  ASSERT_EQ(::pipe(tube), 0);
  const pid_t enfant = ::fork();
  if (enfant == 0) {
    // Half written, then the run is killed before it can finish.
    EnregistrerFichier(liste, std::string(200000, 'x'), [&](int fd, const std::string& octets) {
      EcrireTout(fd, octets.substr(0, octets.size() / 2));
      [[maybe_unused]] const auto e = ::write(tube[1], "!", 1);
      ::pause();
      return false;
    });
    ::_exit(0);
  }
  char signe = 0;
  ASSERT_EQ(::read(tube[0], &signe, 1), 1);
  ::kill(enfant, SIGKILL);
  ::waitpid(enfant, nullptr, 0);
  ::close(tube[0]);
  ::close(tube[1]);
  EXPECT_EQ(Noms(racine / "partage").size(), 2u);  // the list and a half temporary
  // An entry naming a file that is not one of our temporaries is never obeyed.
  Ecrire(racine / "partage/precieux.pvl", "a garder");
  Ecrire(racine / "journal" / (std::to_string(enfant) + "-99"), "tmp\n" + (racine / "partage/precieux.pvl").string() + "\n");
  EXPECT_EQ(NettoyerEnregistrementsInterrompus(), 2);
  EXPECT_EQ(Noms(racine / "partage"), (std::set<std::string>{"cent-mille.pvl", "precieux.pvl"}));
  EXPECT_EQ(Lire(liste), "ancien\r\n");
  EXPECT_TRUE(Noms(racine / "journal").empty());
}

TEST_F(Enregistrement, LesServicesDeFichiersDisentLaCauseDeLEchec) {
  FichiersHote fichiers;
  EXPECT_FALSE(fichiers.EcrireFichier((racine / "parti/l.pvl").string(), "x"));
  EXPECT_EQ(fichiers.CauseDerniereErreur(), "le dossier n'existe pas");
  EXPECT_TRUE(fichiers.EcrireFichier((racine / "partage/l.pvl").string(), "x"));
  EXPECT_EQ(fichiers.CauseDerniereErreur(), "");
}

}  // namespace
}  // namespace plivor
