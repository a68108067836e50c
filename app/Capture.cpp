#include "app/Capture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/LigneDeCommande.h"
#include "platform/FichiersHote.h"

namespace plivor {

namespace {

bool Ecrire(const QString& fichier) {
  QScreen* ecran = QGuiApplication::primaryScreen();
  const auto chemin = LigneDepuisHote(fichier.toStdString());
  QByteArray png;
  QBuffer tampon(&png);
  if (!ecran || !chemin || !tampon.open(QIODevice::WriteOnly) || !ecran->grabWindow(0).save(&tampon, "PNG"))
    return false;
  FichiersHote fichiers;
  return fichiers.EcrireFichier(*chemin, png.toStdString());
}

}  // namespace

Capture::Capture(const Commande& c) {
  if (c.capture.isEmpty()) return;
  fichier_ = QDir::current().absoluteFilePath(c.capture);
  QTimer::singleShot(c.apres, qApp, [this] {
    // Wayland gives no program the screen's pixels: said, never an empty picture.
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
      echec_ = true;
      std::fprintf(stderr, "Capture d'écran impossible sous Wayland : la session ne la permet pas aux programmes.\n");
      QCoreApplication::exit(1);
      return;
    }
    ecrite_ = Ecrire(fichier_);
    echec_ = !ecrite_;
    if (echec_) std::fprintf(stderr, "Capture d'écran impossible à écrire : %s\n", fichier_.toUtf8().constData());
    QCoreApplication::exit(ecrite_ ? 0 : 1);
  });
}

int Capture::Fin(int code) const {
  if (fichier_.isEmpty()) return code;
  if (ecrite_ || echec_) return ecrite_ ? 0 : 1;
  std::fprintf(stderr, "Le programme s'est terminé avant la capture d'écran : %s n'est pas écrit.\n",
               fichier_.toUtf8().constData());
  return 1;
}

}  // namespace plivor
