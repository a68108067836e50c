#pragma once
// The host file system behind the core's file services. Lines are
// Windows-1252 and may use "\" as written on Windows; host names are UTF-8.

#include <filesystem>

#include "core/Services.h"

namespace plivor {

class FichiersHote : public ServicesFichiers {
 public:
  // Starts in the process's current folder.
  FichiersHote();

  StyleChemins Style() const override { return StyleHote(); }
  Texte DossierCourant() const override { return dossierCourant_; }
  // The folder shown by the browsing windows; relative lines follow it.
  void ChangerDossier(const Texte& dossier);

  bool FichierExiste(const Texte& chemin) const override;
  bool DossierExiste(const Texte& chemin) const override;
  std::optional<std::uint64_t> TailleFichier(const Texte& chemin) const override;
  std::optional<std::string> LireFichier(const Texte& chemin) const override;
  // Through the one save routine (platform/Enregistrement.h).
  bool EcrireFichier(const Texte& chemin, const std::string& contenu) override;
  Texte CauseDerniereErreur() const override;
  bool CopierFichier(const Texte& source, const Texte& cible, bool ecraser) override;
  bool Renommer(const Texte& source, const Texte& cible) override;
  std::vector<Texte> ListerFichiers(const Texte& dossier, const Texte& masque) const override;
  std::optional<std::int64_t> DateFichier(const Texte& chemin) const override;
  bool LectureSeule(const Texte& chemin) const override;

  std::filesystem::path CheminHote(const Texte& chemin) const;

 protected:
  // Writes the bytes of a file being saved to its open descriptor; false
  // when any of them could not be written.
  virtual bool EcrireOctets(int descripteur, const std::string& contenu);

 private:
  Texte dossierCourant_;
  int derniereErreur_ = 0;
};

// A host path (UTF-8) as a line; nothing when Windows-1252 cannot hold it.
std::optional<Texte> LigneDepuisHote(const std::filesystem::path& chemin);

}  // namespace plivor
