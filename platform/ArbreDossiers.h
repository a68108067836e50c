#pragma once
// The folder browser of the resource window, the opener and the
// installation page: drives, the folders of the folder shown, and its files
// through a mask. Every listing is read at once, in a fixed order, so what a
// window shows is known as soon as it asks.

#include <QString>
#include <QStringList>
#include <vector>

namespace plivor {

// A place to start browsing: the root, the user's home, a mounted volume.
struct UniteDisque {
  QString chemin;
  QString libelle;
};

// The drives of this machine: "/", the home folder, then the volumes
// mounted under /media, /mnt and /run/media, in the order of the mount
// table `tableMontages` (the contents of /proc/self/mounts).
std::vector<UniteDisque> UnitesDe(const QString& tableMontages, const QString& maison);
std::vector<UniteDisque> Unites();

// Whether a file name matches one pattern of `masque` ("*" any run, "?" one
// character, patterns joined by ";", letter case ignored). Names only: a
// pattern holding a folder separator matches nothing.
bool NomSelonMasque(const QString& nom, const QString& masque);

class ArbreDossiers {
 public:
  explicit ArbreDossiers(const QString& depart);

  // The folder shown: absolute, clean, without trailing separator ("/" for the root).
  const QString& Dossier() const { return dossier_; }
  // Opens a folder given by its full path; false (and nothing changes)
  // when it is not a folder.
  bool Ouvrir(const QString& dossier);
  // Opens an entry of SousDossiers(); ".." goes up.
  bool OuvrirEntree(const QString& entree);
  // ".." first (except at the root), then the sub-folders by name.
  QStringList SousDossiers() const;
  // Names of the regular files matching the mask, by name, letter case ignored.
  QStringList Fichiers(const QString& masque) const;
  QString Chemin(const QString& nom) const;

 private:
  QString dossier_;
};

}  // namespace plivor
