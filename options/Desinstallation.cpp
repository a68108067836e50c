// The record of an installation, and "Désinstaller", which undoes it.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

#include "options/Installation.h"
#include "options/RegistreInstallation.h"
#include "platform/Dialogues.h"
#include "platform/Enregistrement.h"
#include "projection/TFVue.h"

namespace plivor {

namespace {

constexpr char kEnTete[] = "# Fichiers écrits par l'installation de Plivor";

QString Registre(const QString& dossier) { return dossier + QLatin1Char('/') + QLatin1String(kRegistreInstallation); }

// A line of the record: kind, size, date, target, path, separated by tabs
// (no name the record holds has a tab or a line end: others are not noted).
QByteArray Ligne(const FichierInstalle& f) {
  return (f.lien ? QByteArrayLiteral("L\t") : QByteArrayLiteral("F\t")) + QByteArray::number(f.taille) + '\t' +
         QByteArray::number(f.date) + '\t' + f.cible.toUtf8() + '\t' + f.chemin.toUtf8() + '\n';
}

bool Notable(const QString& chemin) {
  return !chemin.contains(QLatin1Char('\t')) && !chemin.contains(QLatin1Char('\n')) &&
         !chemin.contains(QLatin1Char('\r'));
}

// Removes `dossier` and its parents up to `haut` (excluded) while empty.
void RetirerDossiersVides(QString dossier, const QString& haut) {
  while (dossier.size() > haut.size() && dossier.startsWith(haut + QLatin1Char('/')) && QDir().rmdir(dossier))
    dossier = QFileInfo(dossier).absolutePath();
}

}  // namespace

FichierInstalle Constater(const QString& chemin) {
  FichierInstalle f;
  f.chemin = chemin;
  struct stat etat {};
  if (::lstat(QFile::encodeName(chemin).constData(), &etat) != 0) return f;
  f.lien = S_ISLNK(etat.st_mode);
  f.taille = etat.st_size;
  f.date = qint64(etat.st_mtim.tv_sec) * 1'000'000'000 + etat.st_mtim.tv_nsec;
  if (f.lien) f.cible = QFileInfo(chemin).symLinkTarget();
  return f;
}

bool Inchange(const FichierInstalle& fichier) {
  const FichierInstalle maintenant = Constater(fichier.chemin);
  // A link's own date changes when it is renewed: its target says it all.
  if (fichier.lien) return maintenant.lien && maintenant.cible == fichier.cible;
  return !maintenant.lien && maintenant.taille == fichier.taille && maintenant.date == fichier.date;
}

QList<FichierInstalle> LireRegistreInstallation(const QString& dossier) {
  QFile f(Registre(dossier));
  if (!f.open(QIODevice::ReadOnly)) return {};
  QList<FichierInstalle> fichiers;
  for (const QByteArray& ligne : f.readAll().split('\n')) {
    const QList<QByteArray> champs = ligne.split('\t');
    if (champs.size() != 5 || (champs[0] != "F" && champs[0] != "L")) continue;
    FichierInstalle e;
    e.lien = champs[0] == "L";
    e.taille = champs[1].toLongLong();
    e.date = champs[2].toLongLong();
    e.cible = QString::fromUtf8(champs[3]);
    e.chemin = QString::fromUtf8(champs[4]);
    if (QFileInfo(e.chemin).isAbsolute()) fichiers << e;
  }
  return fichiers;
}

bool NoterInstallation(const QString& dossier, const QList<FichierInstalle>& nouveaux) {
  QList<FichierInstalle> tous = LireRegistreInstallation(dossier);
  for (const FichierInstalle& n : nouveaux) {
    if (!Notable(n.chemin) || !Notable(n.cible)) continue;
    tous.removeIf([&](const FichierInstalle& a) { return a.chemin == n.chemin; });
    tous << n;
  }
  QByteArray texte = QByteArray(kEnTete) + '\n';
  for (const FichierInstalle& f : tous) texte += Ligne(f);
  return bool(EnregistrerFichier(QFile::encodeName(Registre(dossier)).toStdString(), texte.toStdString()));
}

bool Installation::Desinstaller() {
  QString cible = opt_RNomDossier;
  while (cible.size() > 1 && cible.endsWith(QLatin1Char('/'))) cible.chop(1);
  const QList<FichierInstalle> fichiers = LireRegistreInstallation(cible);
  if (fichiers.isEmpty()) {
    Dire(QStringLiteral("Aucune installation de Plivor n'est notée dans le dossier \"") + cible + QStringLiteral("\"."));
    return false;
  }
  if (!vue_.Services().dialogues.Question(QStringLiteral("Désinstaller Plivor du dossier \"") + cible +
                                          QStringLiteral("\" ?\r\rSeuls les fichiers écrits par l'installation "
                                                         "seront supprimés.")))
    return false;
  QStringList laisses;
  for (const FichierInstalle& f : fichiers) {
    if (!QFileInfo(f.chemin).exists() && !QFileInfo(f.chemin).isSymLink()) continue;
    if (!Inchange(f) || !QFile::remove(f.chemin)) {
      laisses << f.chemin;
      continue;
    }
    // The folders the installation made go with their last file.
    // The shared folders of the desktop stay, even empty.
    const QString propre = dossiers_.donnees + QStringLiteral("/plivor/");
    if (f.chemin.startsWith(cible + QLatin1Char('/')))
      RetirerDossiersVides(QFileInfo(f.chemin).absolutePath(), cible);
    else if (f.chemin.startsWith(propre))
      RetirerDossiersVides(QFileInfo(f.chemin).absolutePath(), dossiers_.donnees);
  }
  const bool dissocie = Dissocier(dossiers_);
  QFile::remove(cible + QLatin1Char('/') + QLatin1String(kRegistreInstallation));
  QDir().rmdir(cible);
  // The program that runs is again the one shown.
  if (CheminProgramme().startsWith(cible + QLatin1Char('/')))
    if (const auto ligne = VersCp1252(ProgrammeEnCours().toStdString())) vue_.CheminProgramme = *ligne;
  Versions();
  QString message = QStringLiteral("Désinstallation terminée.");
  if (!dissocie) message += QStringLiteral("\r\rLe fichier mimeapps.list n'a pas pu être modifié.");
  if (!laisses.isEmpty())
    message += QStringLiteral("\r\rFichiers modifiés depuis l'installation, laissés en place :\r") +
               laisses.join(QLatin1Char('\r'));
  Dire(message);
  return laisses.isEmpty() && dissocie;
}

}  // namespace plivor
