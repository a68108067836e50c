#include "montage/Historique.h"

#include <utility>

namespace plivor {

void Historique::Noter(EtatListe avant) {
  for (const EtatListe& e : futur_) lignesGardees_ -= e.lignes.size();
  futur_.clear();
  lignesGardees_ += avant.lignes.size();
  passe_.push_back(std::move(avant));
  Borner();
}

std::optional<EtatListe> Historique::Annuler(EtatListe present) {
  if (passe_.empty()) return std::nullopt;
  EtatListe retour = std::move(passe_.back());
  passe_.pop_back();
  lignesGardees_ += present.lignes.size();
  lignesGardees_ -= retour.lignes.size();
  futur_.push_back(std::move(present));
  return retour;
}

std::optional<EtatListe> Historique::Refaire(EtatListe present) {
  if (futur_.empty()) return std::nullopt;
  EtatListe retour = std::move(futur_.back());
  futur_.pop_back();
  lignesGardees_ += present.lignes.size();
  lignesGardees_ -= retour.lignes.size();
  passe_.push_back(std::move(present));
  return retour;
}

void Historique::Vider() {
  passe_.clear();
  futur_.clear();
  lignesGardees_ = 0;
}

void Historique::Borner() {
  // The step just noted always stays: the last edit can always be undone.
  std::size_t retires = 0;
  while (passe_.size() - retires > 1 && (passe_.size() - retires > pasMax_ || lignesGardees_ > lignesMax_)) {
    lignesGardees_ -= passe_[retires].lignes.size();
    ++retires;
  }
  passe_.erase(passe_.begin(), passe_.begin() + static_cast<std::ptrdiff_t>(retires));
}

}  // namespace plivor
