#pragma once
// The desktop's shared standards under the user's own folders: the MIME
// type of sequence lists, the launcher, the default application in
// mimeapps.list and the icon. Nothing here touches the system's folders.

#include <QByteArray>
#include <QString>

namespace plivor {

// The type of sequence lists, a kind of plain text.
inline constexpr char kTypeListes[] = "application/x-plivorfile";
inline constexpr char kLanceur[] = "plivor.desktop";

// The user's folders, absolute, without trailing "/".
struct DossiersXdg {
  QString donnees;        // XDG_DATA_HOME
  QString configuration;  // XDG_CONFIG_HOME
  QString bureau;         // the desktop folder
  QString Applications() const { return donnees + QStringLiteral("/applications"); }
};

// From the environment: XDG variables when absolute, else the defaults under
// HOME; the desktop from XDG_DESKTOP_DIR, `xdg-user-dir DESKTOP` or ~/Desktop.
DossiersXdg DossiersUtilisateur();

// The shared-mime-info package declaring "*.pvl".
QByteArray PaquetMime();
// A launcher of `programme` opening one list, started in the program's folder.
QByteArray EntreeBureau(const QString& programme);
// `chemin` as one argument of a launcher's Exec key (quoted and escaped).
QString ArgumentExec(const QString& chemin);
// `existant` with `type` given `lanceur` as default application: only that
// line is written or replaced, every other byte is kept.
QByteArray AvecApplicationParDefaut(const QByteArray& existant, const QString& type, const QString& lanceur);

// Replaces a whole file at once (temporary file renamed); false on any failure.
bool EcrireFichierEntier(const QString& chemin, const QByteArray& contenu);

// The association of lists with `programme`: MIME package and database,
// icon, launcher in the applications folder, default application. Empty
// when done, else what failed.
QString Associer(const DossiersXdg& dossiers, const QString& programme, const QString& icone);

// A launcher file "plivor.desktop" in `dossier`, executable as desktops
// require of launchers they show. False when it could not be written.
bool CreerLanceur(const QString& dossier, const QString& programme);

}  // namespace plivor
