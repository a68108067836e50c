// The sets of files when the program's folder holds the carried players
// (portable/: stripped copies with their libraries and Qt's paths): the
// players, lib/ and qt.conf come from there, the rest from beside the
// program; an installation made so is itself a carried folder, and what it
// publishes plays elsewhere too.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

#include "options/Installation.h"
#include "support/BancVue.h"

namespace plivor {
namespace {

using test::BancVue;

QByteArray Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void Ecrire(const QString& chemin, const QByteArray& octets) {
  QDir().mkpath(QFileInfo(chemin).absolutePath());
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(octets);
}

// Every file under `dossier`, relative, sorted, with its bytes.
std::map<QString, QByteArray> Contenu(const QString& dossier) {
  std::map<QString, QByteArray> r;
  QDirIterator it(dossier, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString chemin = it.next();
    r[QDir(dossier).relativeFilePath(chemin)] = Lire(chemin);
  }
  return r;
}

class JeuxEmportes : public testing::Test {
 protected:
  void SetUp() override {
    // The build's programs, and their carried copies, told apart by content.
    for (const char* nom : {"plivor", "prelio"}) {
      Ecrire(Source(nom), QByteArray("construit ") + nom);
      Ecrire(Source(QByteArray("portable/") + nom), QByteArray("emporte ") + nom);
    }
    Ecrire(Source("portable/lib/libQt6Core.so.6"), "bibliotheque");
    Ecrire(Source("portable/lib/plugins/platforms/libqxcb.so"), "greffon");
    Ecrire(Source("portable/lib/translations/qtbase_fr.qm"), "traduction");
    Ecrire(Source("portable/qt.conf"), "[Paths]\nPlugins=lib/plugins\n");
    Ecrire(Source("Plivor.hlp/index.html"), "<html>sommaire</html>");
    Ecrire(Source("Plivor-S.hlp/index.html"), "<html>montage</html>");
    for (const char* nom : {"Plivor.ico", "Plivor.txt", "Prelio.txt", "lg.pvg"}) Ecrire(Source(nom), nom);
  }
  QString Source(const QByteArray& nom) const { return banc.CheminHote(QString::fromUtf8(nom)); }
  QString Maison(const char* nom) const { return maison.filePath(QString::fromUtf8(nom)); }
  // What the carried folder gives, under `prefixe` in the target.
  std::map<QString, QByteArray> Emportes(const QStringList& programmes) const {
    std::map<QString, QByteArray> r;
    for (const QString& nom : programmes) r[nom] = "emporte " + nom.toUtf8();
    r["lib/libQt6Core.so.6"] = "bibliotheque";
    r["lib/plugins/platforms/libqxcb.so"] = "greffon";
    r["lib/translations/qtbase_fr.qm"] = "traduction";
    r["qt.conf"] = "[Paths]\nPlugins=lib/plugins\n";
    return r;
  }

  BancVue banc;
  QTemporaryDir maison;
  Installation installation{*banc.vue, DossiersXdg{maison.filePath(QStringLiteral("donnees")),
                                                    maison.filePath(QStringLiteral("config")),
                                                    maison.filePath(QStringLiteral("bureau"))}};
};

TEST_F(JeuxEmportes, LeLecteurPublieEstLaCopieEmporteeAvecSesBibliotheques) {
  const QString dossier = banc.CheminHote(QString());
  EXPECT_EQ(ElementsAInstaller(JeuFichiers::Lecteur, dossier, QStringLiteral("plivor")),
            (ElementsJeu{{dossier + "/Plivor.hlp", "Plivor.hlp"},
                         {dossier + "/Plivor.ico", "Plivor.ico"},
                         {dossier + "/Prelio.txt", "Prelio.txt"},
                         {dossier + "/portable/prelio", "prelio"},
                         {dossier + "/portable/lib", "lib"},
                         {dossier + "/portable/qt.conf", "qt.conf"}}));
  ASSERT_TRUE(installation.CopierProgramme(Maison("pub"), JeuFichiers::Lecteur));
  auto attendu = Emportes({"prelio"});
  attendu["Plivor.hlp/index.html"] = "<html>sommaire</html>";
  attendu["Plivor.ico"] = "Plivor.ico";
  attendu["Prelio.txt"] = "Prelio.txt";
  EXPECT_EQ(Contenu(Maison("pub")), attendu);
}

TEST_F(JeuxEmportes, UneInstallationEmporteeEstElleMemeUnDossierQuiJoueAilleurs) {
  ASSERT_TRUE(installation.CopierProgramme(Maison("installe"), JeuFichiers::Programme));
  auto attendu = Emportes({"plivor", "prelio"});
  attendu["Plivor.hlp/index.html"] = "<html>sommaire</html>";
  attendu["Plivor-S.hlp/index.html"] = "<html>montage</html>";
  for (const char* nom : {"Plivor.ico", "Plivor.txt", "Prelio.txt", "lg.pvg"}) attendu[nom] = nom;
  EXPECT_EQ(Contenu(Maison("installe")), attendu);

  // The installed program publishes its own carried player, libraries with it.
  banc.vue->CheminProgramme = VersCp1252((Maison("installe") + "/plivor").toStdString()).value();
  ASSERT_TRUE(installation.CopierProgramme(Maison("pub"), JeuFichiers::Lecteur));
  auto publie = Emportes({"prelio"});
  publie["Plivor.hlp/index.html"] = "<html>sommaire</html>";
  publie["Plivor.ico"] = "Plivor.ico";
  publie["Prelio.txt"] = "Prelio.txt";
  EXPECT_EQ(Contenu(Maison("pub")), publie);
}

TEST_F(JeuxEmportes, UnProgrammeRenommeEstPrisPresDeLuiLesLecteursDansLaCopie) {
  const QString dossier = banc.CheminHote(QString());
  const ElementsJeu elements = ElementsAInstaller(JeuFichiers::Programme, dossier, QStringLiteral("mon plivor"));
  ASSERT_EQ(elements.size(), 10);
  EXPECT_EQ(elements[6], (ElementJeu{dossier + "/portable/prelio", "prelio"}));
  EXPECT_EQ(elements[7], (ElementJeu{dossier + "/mon plivor", "mon plivor"}));
  EXPECT_EQ(elements[8], (ElementJeu{dossier + "/portable/lib", "lib"}));
  // Without the carried player, the sets are those of the program's folder.
  ASSERT_TRUE(QFile::remove(Source("portable/prelio")));
  for (const ElementJeu& e : ElementsAInstaller(JeuFichiers::Programme, dossier, QStringLiteral("plivor")))
    EXPECT_EQ(e.source, dossier + QLatin1Char('/') + e.nom);
}

}  // namespace
}  // namespace plivor
