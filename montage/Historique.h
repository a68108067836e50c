#pragma once
// The montage's undo history: the states of the list before each edit, and
// those undone, so undo and redo walk back and forth through every edit
// since the list was loaded. Bounded in steps and in lines kept, the oldest
// steps going first.

#include <cstddef>
#include <optional>
#include <vector>

#include "core/Lignes.h"

namespace plivor {

struct EtatListe {
  Liste lignes;
  int focus = -1;
  int ligneCourante = -1;
};

class Historique {
 public:
  explicit Historique(std::size_t pasMax = 500, std::size_t lignesMax = 20'000'000)
      : pasMax_(pasMax), lignesMax_(lignesMax) {}

  // Before an edit: what it changes can come back. Redo is no longer offered.
  void Noter(EtatListe avant);
  // The state to go back to; `present` is kept for redo.
  std::optional<EtatListe> Annuler(EtatListe present);
  std::optional<EtatListe> Refaire(EtatListe present);
  bool PeutAnnuler() const { return !passe_.empty(); }
  bool PeutRefaire() const { return !futur_.empty(); }
  std::size_t Pas() const { return passe_.size(); }
  // Another list: nothing of the last one comes back.
  void Vider();

 private:
  void Borner();

  std::vector<EtatListe> passe_;
  std::vector<EtatListe> futur_;
  std::size_t lignesGardees_ = 0;
  std::size_t pasMax_;
  std::size_t lignesMax_;
};

}  // namespace plivor
