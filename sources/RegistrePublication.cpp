#include "sources/RegistrePublication.h"

#include <algorithm>

#include "core/FichiersListe.h"

namespace plivor {

Texte RegistrePublication::Relatif(const Texte& chemin) const {
  Texte r = CheminRelatif(chemin, dossier_, fichiers_->Style());
  std::replace(r.begin(), r.end(), '\\', '/');
  return r;
}

void RegistrePublication::Ouvrir(const Texte& dossier, ServicesFichiers& fichiers) {
  dossier_ = dossier;
  fichiers_ = &fichiers;
  ecrits_.clear();
  const auto lue = LireListe(Joindre(dossier, kNomRegistre, fichiers.Style()), fichiers);
  if (!lue) return;
  for (const Texte& nom : lue->lignes)
    if (!nom.empty() && fichiers.FichierExiste(Joindre(dossier, nom, fichiers.Style()))) ecrits_.insert(nom);
}

bool RegistrePublication::Ecrit(const Texte& chemin) const { return fichiers_ && ecrits_.count(Relatif(chemin)) > 0; }

bool RegistrePublication::Libre(const Texte& chemin) const {
  if (!fichiers_) return true;
  if (fichiers_->DossierExiste(chemin)) return false;
  return !fichiers_->FichierExiste(chemin) || Ecrit(chemin);
}

bool RegistrePublication::Noter(const Texte& chemin) { return NoterTous({chemin}); }

bool RegistrePublication::NoterTous(const std::vector<Texte>& chemins) {
  if (!fichiers_) return false;
  bool nouveau = false;
  for (const Texte& chemin : chemins) nouveau = ecrits_.insert(Relatif(chemin)).second || nouveau;
  if (!nouveau) return true;
  const Liste lignes(ecrits_.begin(), ecrits_.end());
  return EcrireListe(Joindre(dossier_, kNomRegistre, fichiers_->Style()), lignes, *fichiers_);
}

}  // namespace plivor
