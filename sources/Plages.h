#pragma once
// A selection in a list held as runs of consecutive rows, so that choosing
// every row or a range of rows costs the same whatever the list's length,
// and its exchange with a Qt view's selection model in one call.

#include <QItemSelection>
#include <vector>

class QAbstractItemModel;

namespace plivor {

// Rows `debut` to `fin`, both included.
struct Plage {
  int debut = 0;
  int fin = -1;
  bool operator==(const Plage&) const = default;
};

class Choix {
 public:
  // Runs in any order, overlapping or touching, within a list of `compte` rows.
  void Definir(std::vector<Plage> plages, int compte);
  void DefinirIndices(const std::vector<int>& indices, int compte);
  void Tout(int compte) { plages_.assign(compte > 0 ? 1 : 0, Plage{0, compte - 1}); }
  void Vider() { plages_.clear(); }
  bool Contient(int rangee) const;
  bool Vide() const { return plages_.empty(); }
  int Nombre() const;
  // Sorted, disjoint and not touching.
  const std::vector<Plage>& Plages() const { return plages_; }
  bool operator==(const Choix&) const = default;

 private:
  std::vector<Plage> plages_;
};

// A view's selection as runs of rows (column 0 of a list model).
std::vector<Plage> PlagesDe(const QItemSelection& selection);
QItemSelection SelectionDe(const Choix& choix, const QAbstractItemModel& modele);

}  // namespace plivor
