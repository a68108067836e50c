#include "platform/Bureau.h"

#include <QCoreApplication>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "platform/Aide.h"

namespace plivor {

namespace {

// The freedesktop screen saver, where the session has one.
QDBusInterface EconomiseurEcran() {
  return QDBusInterface(QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
                        QStringLiteral("org.freedesktop.ScreenSaver"));
}

}  // namespace

BureauHote::~BureauHote() {
  InhiberVeille(false);
  delete visionneuse_;
}

bool BureauHote::OuvrirDocument(const QString& chemin) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}

void BureauHote::InhiberVeille(bool inhibee) {
  if (inhibee == inhibee_) return;
  QDBusInterface economiseur = EconomiseurEcran();
  if (!economiseur.isValid()) return;
  if (inhibee) {
    const QDBusReply<quint32> jeton = economiseur.call(QStringLiteral("Inhibit"), QCoreApplication::applicationName(),
                                                       QStringLiteral("Projection en cours"));
    if (!jeton.isValid()) return;
    jeton_ = jeton.value();
  } else {
    economiseur.call(QStringLiteral("UnInhibit"), jeton_);
  }
  inhibee_ = inhibee;
}

void BureauHote::OuvrirAide(const QString& fichierAide, int rubrique) {
  const QString page = PageAide(fichierAide, rubrique);
  if (page.isEmpty()) {
    QMessageBox::information(nullptr, QCoreApplication::applicationName(),
                             QStringLiteral("Fichier d'aide absent : ") + fichierAide);
    return;
  }
  if (!visionneuse_) visionneuse_ = new VisionneuseAide;
  visionneuse_->Ouvrir(page);
}

}  // namespace plivor
