#pragma once
// The two services the core calls out to: the file system and the person.
// Both take Windows-1252 text; their host implementations convert.

#include <cstdint>
#include <optional>
#include <vector>

#include "core/Chemins.h"
#include "core/Texte.h"

namespace plivor {

class ServicesFichiers {
 public:
  virtual ~ServicesFichiers() = default;

  // The separator and drive rules of the paths this service accepts.
  virtual StyleChemins Style() const = 0;
  // Folder that relative paths are resolved against, without trailing separator.
  virtual Texte DossierCourant() const = 0;
  virtual bool FichierExiste(const Texte& chemin) const = 0;
  virtual bool DossierExiste(const Texte& chemin) const = 0;
  virtual std::optional<std::uint64_t> TailleFichier(const Texte& chemin) const = 0;
  // The whole content; nothing when the file cannot be read.
  virtual std::optional<std::string> LireFichier(const Texte& chemin) const = 0;
  // Replaces the whole file at once: a write that fails leaves the former
  // file as it was.
  virtual bool EcrireFichier(const Texte& chemin, const std::string& contenu) = 0;
  // Copy keeping the source's modification date; an existing target is
  // replaced only when `ecraser`.
  virtual bool CopierFichier(const Texte& source, const Texte& cible, bool ecraser) = 0;
  // Renames only when nothing holds the target name.
  virtual bool Renommer(const Texte& source, const Texte& cible) = 0;
  // Names of the files of `dossier` matching `masque` ("*.pvl", several
  // masks joined by ";"; letter case ignored), in name order.
  virtual std::vector<Texte> ListerFichiers(const Texte& dossier, const Texte& masque) const = 0;
  // Modification time in seconds since 1970 (UTC).
  virtual std::optional<std::int64_t> DateFichier(const Texte& chemin) const = 0;
  virtual bool LectureSeule(const Texte& chemin) const = 0;
  // Why the last write failed, in French; empty when the service cannot tell.
  virtual Texte CauseDerniereErreur() const { return {}; }
};

// Message boxes raised by the core. The program's dialogue interface
// implements this; tests record the texts.
class Messagerie {
 public:
  virtual ~Messagerie() = default;
  virtual void Message(const Texte& texte) = 0;
};

}  // namespace plivor
