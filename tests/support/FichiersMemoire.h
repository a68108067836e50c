#pragma once
// An in-memory file system for the core's tests, in either path style.

#include <map>

#include "core/Services.h"

namespace plivor::test {

class FichiersMemoire : public ServicesFichiers {
 public:
  explicit FichiersMemoire(StyleChemins style, Texte courant);

  // Adds a file (and so its folders); the path may be relative.
  void Ajouter(const Texte& chemin, std::string contenu = {});
  void ChangerDossier(const Texte& dossier) { courant_ = dossier; }

  StyleChemins Style() const override { return style_; }
  Texte DossierCourant() const override { return courant_; }
  bool FichierExiste(const Texte& chemin) const override;
  bool DossierExiste(const Texte& chemin) const override;
  std::optional<std::uint64_t> TailleFichier(const Texte& chemin) const override;
  std::optional<std::string> LireFichier(const Texte& chemin) const override;
  bool EcrireFichier(const Texte& chemin, const std::string& contenu) override;

  mutable int requetes = 0;  // existence queries answered

 private:
  Texte Cle(const Texte& chemin) const;

  StyleChemins style_;
  Texte courant_;
  std::map<Texte, std::string> fichiers_;
};

}  // namespace plivor::test
