// The start script of a published folder, run by sh as a desktop would: a
// player that the system cannot start gives way to the next one, carried
// or installed, with a notice; one that ran keeps its own end.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "sources/Publication.h"

namespace plivor {
namespace {

struct Issue {
  int code = -1;
  QString erreurs;
};

class AutorunSh : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dossier_.isValid());
    QDir().mkpath(Chemin("pub"));
    QDir().mkpath(Chemin("installes"));
    Ecrire("pub/autorun.sh", TexteAutorunSh(QStringLiteral("prelio"), QStringLiteral("plivor")).toUtf8());
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  void Ecrire(const QString& nom, const QByteArray& octets, bool executable = false) const {
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
    f.close();
    if (executable) {
      ASSERT_TRUE(f.setPermissions(f.permissions() | QFileDevice::ExeOwner));
    }
  }
  // A player that notes where it ran and with what, and ends with `code`.
  void Joueur(const QString& nom, const char* trace, int code = 0) const {
    Ecrire(nom,
           QByteArray("#!/bin/sh\necho \"$@\" > '") + Chemin(QString::fromUtf8(trace)).toUtf8() + "'\nexit " +
               QByteArray::number(code) + "\n",
           true);
  }
  QByteArray Trace(const char* nom) const {
    QFile f(Chemin(QString::fromUtf8(nom)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
  }
  // The script run from elsewhere, the installed players on its PATH.
  Issue Lancer() const {
    QProcess sh;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), Chemin("installes") + QStringLiteral(":/usr/bin:/bin"));
    sh.setProcessEnvironment(env);
    sh.setWorkingDirectory(dossier_.path());
    sh.start(QStringLiteral("sh"), {Chemin("pub/autorun.sh"), QStringLiteral("--plein")});
    EXPECT_TRUE(sh.waitForFinished(60000));
    return {sh.exitCode(), QString::fromUtf8(sh.readAllStandardError())};
  }

  QTemporaryDir dossier_;
};

TEST_F(AutorunSh, UnLecteurEmporteQuiNeDemarrePasCedeALInstalle) {
  // An interpreter that is not there: the system cannot start it (127).
  Ecrire("pub/prelio", "#!/nulle/part/interprete\n", true);
  Joueur("installes/prelio", "installe.txt");
  const Issue issue = Lancer();
  EXPECT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  EXPECT_EQ(Trace("installe.txt"), "--plein Autorun.pvl\n");
  EXPECT_TRUE(issue.erreurs.endsWith(QStringLiteral("Le lecteur ./prelio n'a pas pu démarrer : essai de prelio.\n")))
      << issue.erreurs.toStdString();
}

TEST_F(AutorunSh, LAutreLecteurEmporteVientAvantLesInstalles) {
  Ecrire("pub/prelio", "#!/bin/sh\nexit 127\n", true);
  Joueur("pub/plivor", "emporte.txt");
  Joueur("installes/prelio", "installe.txt");
  const Issue issue = Lancer();
  EXPECT_EQ(issue.code, 0);
  EXPECT_EQ(Trace("emporte.txt"), "--plein Autorun.pvl\n");
  EXPECT_EQ(Trace("installe.txt"), "<absent>");
  EXPECT_EQ(issue.erreurs, QStringLiteral("Le lecteur ./prelio n'a pas pu démarrer : essai de ./plivor.\n"));
}

TEST_F(AutorunSh, UnLecteurQuiAJoueFinitLeScriptAvecSonCode) {
  for (int code : {0, 3, 1}) {
    Joueur("pub/prelio", "emporte.txt", code);
    Joueur("installes/prelio", "installe.txt");
    const Issue issue = Lancer();
    EXPECT_EQ(issue.code, code);
    EXPECT_EQ(Trace("emporte.txt"), "--plein Autorun.pvl\n") << code;
    EXPECT_EQ(Trace("installe.txt"), "<absent>") << code;
    EXPECT_TRUE(issue.erreurs.isEmpty()) << issue.erreurs.toStdString();
  }
}

TEST_F(AutorunSh, SansLecteurQuiDemarrePlivorEstIntrouvable) {
  if (!QStandardPaths::findExecutable(QStringLiteral("prelio")).isEmpty() ||
      !QStandardPaths::findExecutable(QStringLiteral("plivor")).isEmpty())
    GTEST_SKIP() << "un lecteur est installé sur cette machine";
  Ecrire("pub/prelio", "#!/bin/sh\nexit 126\n", true);
  // Not runnable: passed over without a try.
  Ecrire("pub/plivor", "#!/bin/sh\necho lance > lance.txt\n");
  const Issue issue = Lancer();
  EXPECT_EQ(issue.code, 1);
  EXPECT_EQ(issue.erreurs, QStringLiteral("Plivor est introuvable.\n"));
  EXPECT_FALSE(QFile::exists(Chemin("lance.txt")));
}

// No player starts but the show's video is there: the system's player
// opens it (xdg-open, here a stand-in on the PATH), with a word why.
TEST_F(AutorunSh, SansLecteurQuiDemarreLaVideoSOuvre) {
  if (!QStandardPaths::findExecutable(QStringLiteral("prelio")).isEmpty() ||
      !QStandardPaths::findExecutable(QStringLiteral("plivor")).isEmpty())
    GTEST_SKIP() << "un lecteur est installé sur cette machine";
  const QString video = QStringLiteral("Mon spectacle $(1).mp4");
  Ecrire("pub/autorun.sh", TexteAutorunSh(QStringLiteral("prelio"), QStringLiteral("plivor"), video).toUtf8());
  Ecrire("pub/prelio", "#!/bin/sh\nexit 127\n", true);
  Joueur("installes/xdg-open", "ouvert.txt");
  // Without the video, as before.
  Issue issue = Lancer();
  EXPECT_EQ(issue.code, 1);
  EXPECT_EQ(Trace("ouvert.txt"), "<absent>");
  Ecrire("pub/" + video, "vidéo");
  issue = Lancer();
  EXPECT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  EXPECT_EQ(Trace("ouvert.txt"), video.toUtf8() + "\n");
  EXPECT_TRUE(issue.erreurs.endsWith(
      QStringLiteral("Aucun lecteur Plivor n'a démarré : ouverture de la vidéo Mon spectacle $(1).mp4.\n")))
      << issue.erreurs.toStdString();
}

}  // namespace
}  // namespace plivor
