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
  if (ecrituresRefusees || LectureSeule(chemin)) return false;
  fichiers_[Cle(chemin)] = contenu;
  return true;
}

bool FichiersMemoire::CopierFichier(const Texte& source, const Texte& cible, bool ecraser) {
  const auto it = fichiers_.find(Cle(source));
  if (it == fichiers_.end() || (!ecraser && fichiers_.count(Cle(cible)))) return false;
  if (!EcrireFichier(cible, it->second)) return false;
  if (const auto date = dates_.find(Cle(source)); date != dates_.end()) dates_[Cle(cible)] = date->second;
  return true;
}

bool FichiersMemoire::Renommer(const Texte& source, const Texte& cible) {
  const auto it = fichiers_.find(Cle(source));
  if (it == fichiers_.end() || fichiers_.count(Cle(cible))) return false;
  fichiers_[Cle(cible)] = it->second;
  fichiers_.erase(Cle(source));
  return true;
}

std::vector<Texte> FichiersMemoire::ListerFichiers(const Texte& dossier, const Texte& masque) const {
  const Texte prefixe = Cle(dossier) + Separateur(style_);
  std::vector<Texte> noms;
  for (const auto& [cle, contenu] : fichiers_) {
    if (cle.compare(0, prefixe.size(), prefixe) != 0) continue;
    const Texte nom = cle.substr(prefixe.size());
    if (nom.find(Separateur(style_)) == Texte::npos && NomCorrespond(nom, masque)) noms.push_back(nom);
  }
  return noms;
}

std::optional<std::int64_t> FichiersMemoire::DateFichier(const Texte& chemin) const {
  if (!fichiers_.count(Cle(chemin))) return std::nullopt;
  const auto it = dates_.find(Cle(chemin));
  return it == dates_.end() ? 0 : it->second;
}

bool FichiersMemoire::LectureSeule(const Texte& chemin) const {
  const auto it = lectureSeule_.find(Cle(chemin));
  return it != lectureSeule_.end() && it->second;
}

}  // namespace plivor::test
