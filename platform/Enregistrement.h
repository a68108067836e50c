#pragma once
// The one routine every file the program writes goes through. The new bytes
// go to a fresh temporary file created exclusively beside the target,
// flushed to the disk, then renamed over it: a reader sees the old file or
// the new one, never a torn one, and a planted name cannot redirect the
// write. A link is written through to the file it names. A writable file in
// a folder that cannot take a temporary is rewritten in place, its old bytes
// put back when the new ones cannot all be written.

#include <filesystem>
#include <functional>
#include <string>

namespace plivor {

struct ResultatEnregistrement {
  bool reussi = false;
  int erreur = 0;  // errno of the step that failed
  explicit operator bool() const { return reussi; }
};

// Writes every byte to an open descriptor; false when one could not be.
using EcrivainOctets = std::function<bool(int descripteur, const std::string& contenu)>;
bool EcrireTout(int descripteur, const std::string& contenu);

ResultatEnregistrement EnregistrerFichier(const std::filesystem::path& cible, const std::string& contenu,
                                          const EcrivainOctets& ecrivain = EcrireTout);

// The file a path names once its links are followed (the path itself when
// it is no link); relative links are read from their own folder.
std::filesystem::path CibleDesLiens(const std::filesystem::path& chemin);

// Temporaries under way are noted in this folder, so the ones a killed run
// left are removed at the next start. Empty: nothing is noted.
void DefinirJournalEnregistrements(const std::filesystem::path& dossier);
// Removes what runs that ended without finishing left behind (temporary
// files; a file being rewritten in place gets its old bytes back). Gives the
// number of entries settled.
int NettoyerEnregistrementsInterrompus();

// Every write to the file system holding `dossier` flushed to the disk
// (syncfs); the errno of the failure, or 0.
int ViderSurDisque(const std::filesystem::path& dossier);

// The cause of a failed write, in French ("le disque est plein"...).
std::string CauseEchec(int erreur);

}  // namespace plivor
