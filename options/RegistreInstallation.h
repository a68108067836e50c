#pragma once
// What an installation wrote, noted in the installed folder so that
// "Désinstaller" removes exactly that: each file with its size and date as
// written (a file changed since is left in place), and the links.

#include <QList>
#include <QString>
#include <QStringList>

namespace plivor {

inline constexpr char kRegistreInstallation[] = ".plivor-installation";

struct FichierInstalle {
  QString chemin;  // absolute
  bool lien = false;
  qint64 taille = 0;
  qint64 date = 0;    // nanoseconds since the epoch
  QString cible;      // a link's target
  bool operator==(const FichierInstalle&) const = default;
};

// The file at `chemin` as it is now.
FichierInstalle Constater(const QString& chemin);
// Still as the installation left it.
bool Inchange(const FichierInstalle& fichier);

// The record of `dossier`; nothing when there is none or it cannot be read.
QList<FichierInstalle> LireRegistreInstallation(const QString& dossier);
// `nouveaux` noted over what `dossier`'s record held (a path noted again
// takes its new state). False when the record could not be written.
bool NoterInstallation(const QString& dossier, const QList<FichierInstalle>& nouveaux);

}  // namespace plivor
