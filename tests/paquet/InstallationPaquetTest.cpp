// The program installed in the desktop's standard layout by `cmake
// --install`: every file where a Debian user expects it, the desktop's own
// checkers content, and the installed program started from its prefix with
// the build tree out of its reach: it finds its help and language file in
// share/plivor and its icon at every size.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/Langue.h"
#include "platform/FichiersHote.h"
#include "platform/Freedesktop.h"

namespace {

QByteArray Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

QString Executer(const QString& outil, const QStringList& arguments, int* code = nullptr,
                 const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(outil, arguments);
  if (!p.waitForFinished(180000)) return QStringLiteral("<bloqué>");
  if (code) *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  return QString::fromUtf8(p.readAllStandardOutput());
}

class InstallationPaquet : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    prefixe_ = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/prefixe-XXXXXX"));
    int code = -1;
    sortie_ = Executer(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(PLIVOR_CONSTRUCTION),
                                                  QStringLiteral("--prefix"), prefixe_->path()},
                       &code);
    code_ = code;
  }
  static void TearDownTestSuite() { delete prefixe_; }
  static QString P(const QString& relatif) { return prefixe_->filePath(relatif); }

  static inline QTemporaryDir* prefixe_ = nullptr;
  static inline QString sortie_;
  static inline int code_ = -1;
};

TEST_F(InstallationPaquet, ChaqueFichierALaPlaceQueLeBureauAttend) {
  ASSERT_EQ(code_, 0) << sortie_.toStdString();
  for (const char* f : {"bin/plivor", "bin/prelio", "share/plivor/lg.pvg", "share/plivor/Plivor.txt",
                        "share/plivor/Prelio.txt", "share/plivor/Plivor.ico", "share/plivor/Plivor.hlp/index.html",
                        "share/plivor/Plivor-S.hlp/index.html", "share/applications/plivor.desktop",
                        "share/metainfo/fr.orvande.Plivor.metainfo.xml", "share/mime/packages/plivor.xml",
                        "share/icons/hicolor/scalable/apps/plivor.svg", "share/man/man1/plivor.1.gz",
                        "share/man/man1/prelio.1.gz", "share/doc/plivor/copyright",
                        "share/doc/plivor/changelog.gz"})
    EXPECT_TRUE(QFileInfo(P(QLatin1String(f))).isFile()) << f;
  EXPECT_TRUE(QFileInfo(P(QStringLiteral("bin/plivor"))).isExecutable());
  for (const int taille : {16, 32, 48, 64, 128, 256}) {
    const QImage png(P(QStringLiteral("share/icons/hicolor/%1x%1/apps/plivor.png").arg(taille)));
    EXPECT_EQ(png.size(), QSize(taille, taille)) << taille;
    // Drawn at its size, not scaled from a small one: its corners are clear, its middle is not.
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0) << taille;
    EXPECT_EQ(qAlpha(png.pixel(taille / 2, taille / 2)), 255) << taille;
  }
  // The type of lists is the one the association declares.
  EXPECT_EQ(Lire(P(QStringLiteral("share/mime/packages/plivor.xml"))), plivor::PaquetMime());
  // Nothing of the build is named in what was installed.
  for (const char* f : {"bin/plivor", "bin/prelio"}) {
    const QString rpath = Executer(QStringLiteral("readelf"), {QStringLiteral("-d"), P(QLatin1String(f))});
    EXPECT_FALSE(rpath.contains(QStringLiteral("RPATH")) || rpath.contains(QStringLiteral("RUNPATH"))) << f;
  }
}

TEST_F(InstallationPaquet, LesVerificateursDuBureauSontContents) {
  ASSERT_EQ(code_, 0);
  if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty()) GTEST_SKIP();
  int code = -1;
  const QString desktop =
      Executer(QStringLiteral("desktop-file-validate"), {P(QStringLiteral("share/applications/plivor.desktop"))}, &code);
  EXPECT_EQ(code, 0) << desktop.toStdString();
  EXPECT_EQ(desktop, QString());
  if (QStandardPaths::findExecutable(QStringLiteral("appstreamcli")).isEmpty()) GTEST_SKIP();
  const QString meta = Executer(QStringLiteral("appstreamcli"),
                                {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                 P(QStringLiteral("share/metainfo/fr.orvande.Plivor.metainfo.xml"))},
                                &code);
  EXPECT_EQ(code, 0) << meta.toStdString();
}

TEST_F(InstallationPaquet, LeProgrammeInstalleTrouveSesFichiersDansShare) {
  ASSERT_EQ(code_, 0);
  plivor::FichiersHote fichiers;
  const auto bin = plivor::LigneDepuisHote(P(QStringLiteral("bin")).toStdString());
  ASSERT_TRUE(bin);
  EXPECT_EQ(plivor::DossierDonnees(*bin, fichiers), *plivor::LigneDepuisHote(P(QStringLiteral("share/plivor")).toStdString()));
  // Beside the program, its own files come first (a build, a carried copy).
  const auto construction = plivor::LigneDepuisHote(PLIVOR_CONSTRUCTION);
  EXPECT_EQ(plivor::DossierDonnees(*construction, fichiers), *construction);
  // Neither: the program's folder, whose messages then say what is missing.
  QTemporaryDir vide;
  const auto ailleurs = plivor::LigneDepuisHote(vide.filePath(QStringLiteral("bin")).toStdString());
  EXPECT_EQ(plivor::DossierDonnees(*ailleurs, fichiers), *ailleurs);
}

TEST_F(InstallationPaquet, LeProgrammeInstalleOuvreSonAideEtSaLangue) {
  ASSERT_EQ(code_, 0);
  for (const char* outil : {"Xvfb", "xdotool"})
    if (QStandardPaths::findExecutable(QLatin1String(outil)).isEmpty()) GTEST_SKIP() << outil << " absent";
  QTemporaryDir maison;
  // The installed program copied elsewhere with its prefix, the build's help out of reach.
  const QString liste = maison.filePath(QStringLiteral("essai.pvl"));
  QFile f(liste);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("Tempo=3000.pvi\r\nAvance=Stop.pvi\r\n");
  f.close();
  const QString script = maison.filePath(QStringLiteral("actions.sh"));
  QFile s(script);
  ASSERT_TRUE(s.open(QIODevice::WriteOnly));
  s.write(QStringLiteral(
              "cd /\n"
              "fenetre() { for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do\n"
              "  case \"$(xdotool getwindowname \"$id\" 2>/dev/null)\" in \"$1\"*) echo \"$id\"; return;; esac; done; }\n"
              "timeout 40 '%1' '%2' & pid=$!\n"
              "for _ in $(seq 100); do [ -n \"$(fenetre 'Plivor  v')\" ] && break; sleep 0.1; done\n"
              "sleep 1\n"
              "xdotool mousemove 640 400; xdotool windowfocus --sync \"$(fenetre 'Plivor  v')\"; xdotool key F1\n"
              "for _ in $(seq 50); do [ -n \"$(fenetre 'Aide de Plivor')\" ] && break; sleep 0.1; done\n"
              "[ -n \"$(fenetre 'Aide de Plivor')\" ] && echo aide\n"
              "tr '\\0' '\\n' < /proc/$pid/environ | grep -c '^LD_LIBRARY_PATH=.' \n"
              "kill -KILL $pid\n")
              .arg(P(QStringLiteral("bin/plivor")), liste)
              .toUtf8());
  s.close();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), maison.path());
  env.insert(QStringLiteral("PLIVOR_REGLAGES"), maison.filePath(QStringLiteral("reglages.ini")));
  env.remove(QStringLiteral("LD_LIBRARY_PATH"));
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  const QString sortie =
      Executer(QStringLiteral("bash"), {QStringLiteral(PLIVOR_SUR_XVFB), QStringLiteral("bash"), script}, nullptr, env);
  EXPECT_TRUE(sortie.contains(QStringLiteral("aide\n0\n"))) << sortie.toStdString();
}

}  // namespace
