#include "support/FichiersMemoire.h"

namespace plivor::test {

FichiersMemoire::FichiersMemoire(StyleChemins style, Texte courant) : style_(style), courant_(std::move(courant)) {}

Texte FichiersMemoire::Cle(const Texte& chemin) const {
  const Texte complet = CheminComplet(chemin, courant_, style_);
  return style_ == StyleChemins::Windows ? Minuscules(complet) : complet;
}

void FichiersMemoire::Ajouter(const Texte& chemin, std::string contenu) { fichiers_[Cle(chemin)] = std::move(contenu); }

bool FichiersMemoire::FichierExiste(const Texte& chemin) const {
  ++requetes;
  return !chemin.empty() && fichiers_.count(Cle(chemin)) > 0;
}

bool FichiersMemoire::DossierExiste(const Texte& chemin) const {
  const Texte prefixe = Cle(chemin) + Separateur(style_);
  for (const auto& [cle, contenu] : fichiers_)
    if (cle.compare(0, prefixe.size(), prefixe) == 0) return true;
  return false;
}

std::optional<std::uint64_t> FichiersMemoire::TailleFichier(const Texte& chemin) const {
  const auto it = fichiers_.find(Cle(chemin));
  if (it == fichiers_.end()) return std::nullopt;
  return it->second.size();
}

std::optional<std::string> FichiersMemoire::LireFichier(const Texte& chemin) const {
  const auto it = fichiers_.find(Cle(chemin));
  if (it == fichiers_.end()) return std::nullopt;
  return it->second;
}

bool FichiersMemoire::EcrireFichier(const Texte& chemin, const std::string& contenu) {
  fichiers_[Cle(chemin)] = contenu;
  return true;
}

}  // namespace plivor::test
