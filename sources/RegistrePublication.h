#pragma once
// What the publications wrote in a publication folder, recorded in the
// folder itself: a later publication replaces only its own files, never
// one the user put there under the same name.

#include <set>
#include <vector>

#include "core/Services.h"

namespace plivor {

inline constexpr char kNomRegistre[] = ".plivor-publication";

class RegistrePublication {
 public:
  // The record of `dossier`; files it names that are gone are forgotten.
  void Ouvrir(const Texte& dossier, ServicesFichiers& fichiers);
  // Whether a publication may write at `chemin` (a full path in the
  // folder): nothing is there, or a file a publication wrote.
  bool Libre(const Texte& chemin) const;
  bool Ecrit(const Texte& chemin) const;
  // Recorded before the file is written, so that a run killed in between
  // still knows the file as its own. False when the record cannot be saved.
  bool Noter(const Texte& chemin);
  // Several at once, in one save of the record.
  bool NoterTous(const std::vector<Texte>& chemins);

 private:
  Texte Relatif(const Texte& chemin) const;

  Texte dossier_;
  ServicesFichiers* fichiers_ = nullptr;
  std::set<Texte> ecrits_;  // names relative to the folder, "/" between folders
};

}  // namespace plivor
