// The exchange between two launches, without a program: the message a
// second launch sends, and the folder the socket lives in.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "app/Instance.h"

namespace {

using plivor::Instance;

TEST(MessageInstance, LesListesArriventCommeEllesSontParties) {
  using plivor::Requete;
  const QStringList listes = {QStringLiteral("/tmp/Ma démo (1).pvl"), QStringLiteral("/home/é/x\ny.txt")};
  for (const Requete& requete : {Requete{listes, false}, Requete{{}, false}, Requete{listes.mid(0, 1), true}})
    EXPECT_EQ(Instance::Lire(Instance::Message(requete)), std::optional<Requete>(requete));
  // The montage is not told to edit nothing.
  EXPECT_FALSE(Instance::Lire(Instance::Message({{}, true})));
  // A message cut short, lengthened, or of something else is not one.
  const QByteArray message = Instance::Message({listes, false});
  EXPECT_FALSE(Instance::Lire(message.left(message.size() - 1)));
  EXPECT_FALSE(Instance::Lire(message + "x"));
  EXPECT_FALSE(Instance::Lire(QByteArray("GET / HTTP/1.0\r\n\r\n")));
  EXPECT_FALSE(Instance::Lire(message.left(5)));
}

TEST(MessageInstance, LeSocketVitDansUnDossierDeLUtilisateurSeul) {
  // The environment of the other tests is given back.
  struct Garde {
    QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), ecran = qgetenv("DISPLAY");
    static void Rendre(const char* nom, const QByteArray& valeur) {
      if (valeur.isNull()) qunsetenv(nom);
      else qputenv(nom, valeur);
    }
    ~Garde() {
      Rendre("XDG_RUNTIME_DIR", runtime);
      Rendre("DISPLAY", ecran);
    }
  } garde;
  QTemporaryDir runtime;
  ASSERT_TRUE(runtime.isValid());
  ASSERT_EQ(chmod(QFile::encodeName(runtime.path()).constData(), 0700), 0);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  EXPECT_EQ(plivor::DossierPrive(), runtime.path());
  // Open to others, it is not trusted: a folder of the user's own is made.
  ASSERT_EQ(chmod(QFile::encodeName(runtime.path()).constData(), 0755), 0);
  const QString repli = plivor::DossierPrive();
  EXPECT_NE(repli, runtime.path());
  EXPECT_FALSE(repli.isEmpty());
  struct stat s {};
  ASSERT_EQ(stat(QFile::encodeName(repli).constData(), &s), 0);
  EXPECT_EQ(s.st_mode & 0777, 0700u);
  // Each settings file and each display has its own program.
  const Instance a(runtime.path(), QStringLiteral("/x/reglages.ini"));
  const Instance b(runtime.path(), QStringLiteral("/y/reglages.ini"));
  const Instance c(runtime.path(), QString());
  EXPECT_NE(a.Socket(), b.Socket());
  EXPECT_NE(a.Socket(), c.Socket());
  EXPECT_EQ(a.Socket(), Instance(runtime.path(), QStringLiteral("/x/reglages.ini")).Socket());
  qputenv("DISPLAY", ":77");
  EXPECT_NE(a.Socket(), Instance(runtime.path(), QStringLiteral("/x/reglages.ini")).Socket());
  EXPECT_TRUE(a.Socket().startsWith(runtime.path() + QStringLiteral("/plivor-")));
}

}  // namespace

#include "app/LigneDeCommande.h"

namespace {

TEST(MessageInstance, NouvelleInstanceEstUneOptionDePlivorSeul) {
  const auto c = plivor::LireCommande({QStringLiteral("--nouvelle-instance"), QStringLiteral("a.pvl")},
                                      plivor::Executable::Plivor);
  EXPECT_EQ(c.mode, plivor::Commande::Mode::Fenetre);
  EXPECT_TRUE(c.nouvelleInstance);
  EXPECT_FALSE(plivor::LireCommande({QStringLiteral("a.pvl")}, plivor::Executable::Plivor).nouvelleInstance);
  const auto aide = plivor::LireCommande({QStringLiteral("--help")}, plivor::Executable::Plivor).texte;
  EXPECT_TRUE(aide.contains(QStringLiteral(
      "  --nouvelle-instance    Démarre un programme de plus au lieu de confier les listes à celui qui est déjà ouvert.\n")))
      << aide.toStdString();
  // The player never hands its lists over: the option is not its own.
  const auto lecteur = plivor::LireCommande({QStringLiteral("--nouvelle-instance")}, plivor::Executable::Prelio);
  EXPECT_EQ(lecteur.mode, plivor::Commande::Mode::Faute);
  EXPECT_EQ(lecteur.texte, QStringLiteral("Option inconnue : --nouvelle-instance"));
}

}  // namespace
