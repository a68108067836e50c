#include "platform/Bureau.h"

#include <QCoreApplication>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/Aide.h"
#include "platform/Dialogues.h"

namespace plivor {

namespace {

// The freedesktop screen saver, where the session has one.
QDBusInterface EconomiseurEcran() {
  return QDBusInterface(QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
                        QStringLiteral("org.freedesktop.ScreenSaver"));
}

const QString kPortail = QStringLiteral("org.freedesktop.portal.Desktop");

// Whether the desktop has a browser for a page: xdg-open hands it to the
// session's handler of HTML, $BROWSER or x-www-browser. Without any of them
// it would fail after the help had been let go.
bool NavigateurPresent() {
  if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) return false;
  if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
  if (!QStandardPaths::findExecutable(QStringLiteral("x-www-browser")).isEmpty()) return true;
  QProcess mime;
  mime.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
  if (!mime.waitForFinished(3000)) {
    mime.kill();
    mime.waitForFinished(1000);
    return false;
  }
  return mime.exitCode() == 0 && !mime.readAllStandardOutput().trimmed().isEmpty();
}

bool FinitPar(const QString& nom, const QStringList& extensions) {
  const QString suffixe = nom.section(QLatin1Char('.'), -1).toLower();
  return nom.contains(QLatin1Char('.')) && extensions.contains(suffixe);
}

bool DesDeux(const ApercuObjet& o, const QStringList& extensions) {
  return FinitPar(o.nom, extensions) || FinitPar(o.nomCible, extensions);
}

// What the object is, when it is not a document.
QString Nature(const ApercuObjet& o) {
  static const QStringList plivor = {"pvl", "pvs", "pvm", "pvd", "pvi", "pvv", "pvr", "pvg"};
  static const QStringList lanceurs = {"desktop", "kdelnk", "directory", "lnk", "url", "webloc"};
  static const QStringList programmes = {"exe", "com", "msi", "scr", "pif", "elf", "bin", "appimage", "out",
                                         "so", "dll", "apk", "deb", "rpm", "snap", "flatpak", "flatpakref"};
  static const QStringList scripts = {"sh", "bash", "zsh", "ksh", "csh", "tcsh", "fish", "dash", "py", "pyw",
                                      "pl", "pm", "rb", "php", "lua", "tcl", "js", "mjs", "vbs", "vbe", "wsf",
                                      "ps1", "psm1", "bat", "cmd", "command", "awk", "run", "jar"};
  if (o.dossier) return QStringLiteral("un dossier");
  if (DesDeux(o, plivor)) return QStringLiteral("une liste ou un script de Plivor");
  const bool entree = o.debut.startsWith("[Desktop Entry]") || o.debut.contains("\n[Desktop Entry]");
  if (DesDeux(o, lanceurs) || entree) return QStringLiteral("un lanceur du bureau");
  if (DesDeux(o, programmes) || o.debut.startsWith("\x7f" "ELF") || o.debut.startsWith("MZ"))
    return QStringLiteral("un programme");
  if (DesDeux(o, scripts) || o.debut.startsWith("#!")) return QStringLiteral("un script");
  if (o.executable) return QStringLiteral("un fichier exécutable");
  return {};
}

}  // namespace

QString RefusObjet(const ApercuObjet& objet) {
  const QString nature = Nature(objet);
  if (nature.isEmpty()) return {};
  return QStringLiteral("Objet non ouvert : « %1 » est %2.\rPlivor ne confie au bureau que des documents.")
      .arg(objet.nom, nature);
}

ApercuObjet ExaminerObjet(const QString& chemin) {
  const QFileInfo info(chemin);
  ApercuObjet o;
  o.nom = chemin;
  o.nomCible = QFileInfo(info.canonicalFilePath()).fileName();
  o.dossier = info.isDir();
  o.executable = info.permissions() & (QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
  QFile f(chemin);
  if (!o.dossier && f.open(QIODevice::ReadOnly)) o.debut = f.read(4096);
  return o;
}

Bureau::Remise Bureau::RemettreObjet(const QString& chemin) {
  Remise remise;
  const QString refus = RefusObjet(ExaminerObjet(chemin));
  if (refus.isEmpty()) {
    remise.ouvert = OuvrirDocument(chemin);
    return remise;
  }
  remise.refuse = true;
  if (!refuses_.contains(chemin)) remise.message = refus;
  refuses_.insert(chemin);
  return remise;
}

BureauHote::~BureauHote() {
  InhiberVeille(false);
  delete visionneuse_;
}

bool BureauHote::OuvrirDocument(const QString& chemin) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}

void BureauHote::InhiberVeille(bool inhibee) {
  if (inhibee == inhibee_) return;
  if (!inhibee) {
    if (!demandePortail_.isEmpty())
      QDBusInterface(kPortail, demandePortail_, QStringLiteral("org.freedesktop.portal.Request")).call(QStringLiteral("Close"));
    else
      EconomiseurEcran().call(QStringLiteral("UnInhibit"), jeton_);
    demandePortail_.clear();
    inhibee_ = false;
    return;
  }
  // The session's screen saver where there is one, else the desktop portal
  // (sandboxes and Wayland sessions without the former).
  QDBusInterface economiseur = EconomiseurEcran();
  if (economiseur.isValid()) {
    const QDBusReply<quint32> jeton = economiseur.call(QStringLiteral("Inhibit"), QCoreApplication::applicationName(),
                                                       QStringLiteral("Projection en cours"));
    if (jeton.isValid()) {
      jeton_ = jeton.value();
      inhibee_ = true;
      return;
    }
  }
  QDBusInterface portail(kPortail, QStringLiteral("/org/freedesktop/portal/desktop"),
                         QStringLiteral("org.freedesktop.portal.Inhibit"));
  if (!portail.isValid()) return;
  constexpr uint kVeille = 8;  // the portal's "idle" flag
  const QVariantMap options{{QStringLiteral("reason"), QStringLiteral("Projection en cours")}};
  const QDBusReply<QDBusObjectPath> demande = portail.call(QStringLiteral("Inhibit"), QString(), kVeille, options);
  if (!demande.isValid()) return;
  demandePortail_ = demande.value().path();
  inhibee_ = true;
}

void BureauHote::OuvrirAide(const QString& fichierAide, int rubrique) {
  const QString page = PageAide(fichierAide, rubrique);
  if (page.isEmpty()) {
    dialogues_.Information(QStringLiteral("Fichier d'aide absent : ") + fichierAide);
    return;
  }
  // The desktop's browser, as any help opens; our own viewer where the
  // desktop has no way to open a page.
  if (NavigateurPresent() && QDesktopServices::openUrl(QUrl::fromLocalFile(page))) return;
  if (!visionneuse_) visionneuse_ = new VisionneuseAide;
  visionneuse_->Ouvrir(page);
}

}  // namespace plivor
