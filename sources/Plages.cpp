#include "sources/Plages.h"

#include <QAbstractItemModel>
#include <algorithm>

namespace plivor {

void Choix::Definir(std::vector<Plage> plages, int compte) {
  plages_.clear();
  std::sort(plages.begin(), plages.end(), [](const Plage& a, const Plage& b) { return a.debut < b.debut; });
  for (Plage p : plages) {
    p.debut = std::max(p.debut, 0);
    p.fin = std::min(p.fin, compte - 1);
    if (p.debut > p.fin) continue;
    if (!plages_.empty() && p.debut <= plages_.back().fin + 1)
      plages_.back().fin = std::max(plages_.back().fin, p.fin);
    else
      plages_.push_back(p);
  }
}

void Choix::DefinirIndices(const std::vector<int>& indices, int compte) {
  std::vector<Plage> plages;
  plages.reserve(indices.size());
  for (int i : indices) plages.push_back({i, i});
  Definir(std::move(plages), compte);
}

bool Choix::Contient(int rangee) const {
  const auto apres = std::upper_bound(plages_.begin(), plages_.end(), rangee,
                                      [](int r, const Plage& p) { return r < p.debut; });
  return apres != plages_.begin() && rangee <= std::prev(apres)->fin;
}

int Choix::Nombre() const {
  int n = 0;
  for (const Plage& p : plages_) n += p.fin - p.debut + 1;
  return n;
}

std::vector<Plage> PlagesDe(const QItemSelection& selection) {
  std::vector<Plage> plages;
  plages.reserve(size_t(selection.size()));
  for (const QItemSelectionRange& r : selection)
    if (r.isValid() && r.left() <= 0 && r.right() >= 0) plages.push_back({r.top(), r.bottom()});
  return plages;
}

QItemSelection SelectionDe(const Choix& choix, const QAbstractItemModel& modele) {
  QItemSelection selection;
  selection.reserve(qsizetype(choix.Plages().size()));
  for (const Plage& p : choix.Plages()) selection.append(QItemSelectionRange(modele.index(p.debut, 0), modele.index(p.fin, 0)));
  return selection;
}

}  // namespace plivor
