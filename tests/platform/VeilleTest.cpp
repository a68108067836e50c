// The screen saver held during a show through the desktop portal when the
// session has no screen saver service: on a D-Bus session of the test's own
// (dbus-run-session), a portal of the test answers from its own thread and
// keeps what it was asked.

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QMutex>
#include <QProcess>
#include <QSemaphore>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

#include "platform/Bureau.h"
#include "platform/Dialogues.h"

namespace {

struct Journal {
  QMutex verrou;
  QStringList appels;
  void Noter(const QString& appel) {
    QMutexLocker garde(&verrou);
    appels << appel;
  }
  QStringList Lire() {
    QMutexLocker garde(&verrou);
    return appels;
  }
};

Journal& LeJournal() {
  static Journal journal;
  return journal;
}

class Demande : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")

 public slots:
  void Close() { LeJournal().Noter(QStringLiteral("Close")); }
};

class Portail : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")

 public:
  explicit Portail(QDBusConnection connexion) : connexion_(connexion) {}

 public slots:
  QDBusObjectPath Inhibit(const QString& fenetre, uint drapeaux, const QVariantMap& options) {
    LeJournal().Noter(QStringLiteral("Inhibit %1 %2 %3").arg(fenetre).arg(drapeaux).arg(options.value("reason").toString()));
    const QString chemin = QStringLiteral("/org/freedesktop/portal/desktop/request/essai/1");
    connexion_.registerObject(chemin, &demande_, QDBusConnection::ExportAllSlots);
    return QDBusObjectPath(chemin);
  }

 private:
  QDBusConnection connexion_;
  Demande demande_;
};

// The portal on its own connection and thread, so the program's blocking calls get answers.
class FilPortail : public QThread {
 public:
  void run() override {
    QDBusConnection c = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("portail"));
    Portail portail(c);
    pret = c.registerService(QStringLiteral("org.freedesktop.portal.Desktop")) &&
           c.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portail, QDBusConnection::ExportAllSlots);
    demarre.release();
    exec();
    QDBusConnection::disconnectFromBus(QStringLiteral("portail"));
  }
  bool pret = false;
  QSemaphore demarre;
};

TEST(Veille, SansEconomiseurLePortailTientLaVeille) {
  if (qEnvironmentVariableIsEmpty("PLIVOR_BUS_ESSAI")) {
    // A session bus of the test's own: the program under test then runs in it.
    const QString outil = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    if (outil.isEmpty()) GTEST_SKIP() << "dbus-run-session absent";
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PLIVOR_BUS_ESSAI"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(outil, {QStringLiteral("--"), QCoreApplication::applicationFilePath(),
                    QStringLiteral("--gtest_filter=Veille.SansEconomiseurLePortailTientLaVeille")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString sortie = QString::fromUtf8(p.readAll());
    EXPECT_EQ(p.exitCode(), 0) << sortie.toStdString();
    EXPECT_TRUE(sortie.contains(QStringLiteral("[  PASSED  ] 1 test"))) << sortie.toStdString();
    return;
  }
  ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
  ASSERT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.ScreenSaver")));
  FilPortail fil;
  fil.start();
  fil.demarre.acquire();
  ASSERT_TRUE(fil.pret);
  {
    plivor::DialoguesScriptes dialogues;
    plivor::BureauHote bureau(dialogues);
    bureau.InhiberVeille(true);
    bureau.InhiberVeille(true);  // held once
    EXPECT_EQ(LeJournal().Lire(), QStringList{QStringLiteral("Inhibit  8 Projection en cours")});
    bureau.InhiberVeille(false);
    EXPECT_EQ(LeJournal().Lire(), (QStringList{QStringLiteral("Inhibit  8 Projection en cours"), QStringLiteral("Close")}));
    bureau.InhiberVeille(true);
  }
  // The end of the program gives it back too.
  EXPECT_EQ(LeJournal().Lire().size(), 4);
  EXPECT_EQ(LeJournal().Lire().back(), QStringLiteral("Close"));
  fil.quit();
  fil.wait();
}

}  // namespace

#include "VeilleTest.moc"
