// The real program in a Wayland session of the test's own (weston's headless
// compositor): it runs on Qt's Wayland platform, never through X11, ends
// cleanly on the session's signal, and says that a screen capture is not
// allowed there instead of writing an empty picture.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QByteArray Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SessionWayland : public testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty()) GTEST_SKIP() << "weston absent";
    runtime_ = dossier_.filePath(QStringLiteral("run"));
    QDir().mkpath(runtime_);
    QFile::setPermissions(runtime_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_);
    env.remove(QStringLiteral("DISPLAY"));
    weston_.setProcessEnvironment(env);
    weston_.setProcessChannelMode(QProcess::MergedChannels);
    weston_.start(QStringLiteral("weston"), {QStringLiteral("--backend=headless-backend.so"),
                                            QStringLiteral("--socket=plivor-essai"), QStringLiteral("--idle-time=0")});
    for (int i = 0; i < 200 && !QFile::exists(runtime_ + QStringLiteral("/plivor-essai")); ++i) QThread::msleep(50);
    if (!QFile::exists(runtime_ + QStringLiteral("/plivor-essai"))) GTEST_SKIP() << "weston n'a pas démarré";
    QFile liste(dossier_.filePath(QStringLiteral("essai.pvl")));
    ASSERT_TRUE(liste.open(QIODevice::WriteOnly));
    liste.write("Tempo=3000.pvi\r\nAvance=Stop.pvi\r\n");
  }
  void TearDown() override {
    weston_.terminate();
    weston_.waitForFinished(5000);
  }
  QProcessEnvironment Environnement() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_);
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("plivor-essai"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    env.insert(QStringLiteral("HOME"), dossier_.path());
    env.insert(QStringLiteral("PLIVOR_REGLAGES"), dossier_.filePath(QStringLiteral("reglages.ini")));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.remove(QStringLiteral("DISPLAY"));
    return env;
  }

  QTemporaryDir dossier_;
  QString runtime_;
  QProcess weston_;
};

TEST_F(SessionWayland, LeProgrammeYTourneSansX11EtSeTermineProprement) {
  QProcess plivor;
  plivor.setProcessEnvironment(Environnement());
  plivor.start(QStringLiteral(PLIVOR_PROGRAMME), {dossier_.filePath(QStringLiteral("essai.pvl"))});
  ASSERT_TRUE(plivor.waitForStarted(10000));
  // Its platform plugin loaded once its window is up.
  QByteArray cartes;
  const QString maps = QStringLiteral("/proc/%1/maps").arg(plivor.processId());
  for (int i = 0; i < 300 && !cartes.contains("libQt6WaylandClient"); ++i) {
    QThread::msleep(50);
    cartes = Lire(maps);
  }
  EXPECT_TRUE(cartes.contains("libQt6WaylandClient")) << "pas de plateforme Wayland";
  EXPECT_FALSE(cartes.contains("libqxcb")) << "le programme passe par X11";
  EXPECT_FALSE(cartes.contains("libQt6XcbQpa"));
  QThread::msleep(1500);
  EXPECT_EQ(plivor.state(), QProcess::Running) << plivor.readAllStandardError().toStdString();
  // The session's end.
  ::kill(pid_t(plivor.processId()), SIGTERM);
  ASSERT_TRUE(plivor.waitForFinished(20000));
  EXPECT_EQ(plivor.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(plivor.exitCode(), 0) << plivor.readAllStandardError().toStdString();
}

TEST_F(SessionWayland, UneCaptureDEcranEstDiteImpossible) {
  QProcess plivor;
  plivor.setProcessEnvironment(Environnement());
  const QString capture = dossier_.filePath(QStringLiteral("capture.png"));
  plivor.start(QStringLiteral(PLIVOR_PROGRAMME), {QStringLiteral("--capture"), capture, QStringLiteral("--apres"),
                                                  QStringLiteral("2000"), dossier_.filePath(QStringLiteral("essai.pvl"))});
  ASSERT_TRUE(plivor.waitForFinished(30000));
  EXPECT_EQ(plivor.exitCode(), 1);
  EXPECT_TRUE(plivor.readAllStandardError().contains(
      "Capture d'\xC3\xA9" "cran impossible sous Wayland : la session ne la permet pas aux programmes."));
  EXPECT_FALSE(QFile::exists(capture));
}

}  // namespace
