#pragma once
// The desktop's shared standards under the user's own folders: the MIME
// type of sequence lists, the launcher, the default application in
// mimeapps.list and the icon. Nothing here touches the system's folders.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

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
// A launcher of `programme` opening one list, started in the program's
// folder, with an "Editer" action opening it in the montage. `commande` is
// what Exec runs: the program, or a link to it. `association`: it declares
// the lists' type, as the association's own launcher does; a shortcut
// does not, so it never takes the lists over.
QByteArray EntreeBureau(const QString& programme, const QString& commande, bool association);
inline QByteArray EntreeBureau(const QString& programme) { return EntreeBureau(programme, programme, true); }

// What a launcher's Exec runs for `programme`: the program itself, or,
// when its path holds characters simple launchers split or misread (a
// space, "$"...), a link to it at `lien`, made or renewed here. `lien` is
// kept only when it is a link already or nothing.
QString CommandeLancement(const QString& programme, const QString& lien);
// Where that link is made for the user.
inline QString LienLancement(const QString& donnees) { return donnees + QStringLiteral("/plivor/bin/plivor"); }
// `chemin` as one argument of a launcher's Exec key (quoted and escaped).
QString ArgumentExec(const QString& chemin);
// `existant` with `type` given `lanceur` as default application: only that
// line is written or replaced, every other byte is kept.
QByteArray AvecApplicationParDefaut(const QByteArray& existant, const QString& type, const QString& lanceur);
// `existant` with `lanceur` no longer the default application of `type`:
// only that line loses it (the line goes when nothing is left in it), and
// only when it names it; every other byte is kept.
QByteArray SansApplicationParDefaut(const QByteArray& existant, const QString& type, const QString& lanceur);

// Replaces a whole file at once (temporary file renamed); false on any failure.
bool EcrireFichierEntier(const QString& chemin, const QByteArray& contenu);

// The association of lists with `programme`: MIME package and database,
// icon, launcher in the applications folder, default application. Empty
// when done, else what failed. `ecrits` receives the files written (the
// link of CommandeLancement among them), mimeapps.list aside.
QString Associer(const DossiersXdg& dossiers, const QString& programme, const QString& icone,
                 QStringList* ecrits = nullptr);
// Undoes the association's default application and refreshes the
// desktop's databases once its files are gone. False when mimeapps.list
// could not be rewritten.
bool Dissocier(const DossiersXdg& dossiers);

// A shortcut launcher `nom` in `dossier`, executable as desktops require
// of launchers they show. Its path, or nothing when it could not be written.
std::optional<QString> CreerLanceur(const QString& dossier, const QString& programme,
                                    const QString& nom = QLatin1String(kLanceur));
// The name of a menu shortcut to `programme`: never the association's
// launcher, so a shortcut never changes what opens lists.
QString NomRaccourciMenu(const QString& programme);

}  // namespace plivor
