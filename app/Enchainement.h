#pragma once
// The lists named on the command line, put before the projection's first
// opening: one takes the introduction list's place (a missing one is named
// and another may be chosen); several are chained as the opener chains
// them, a flag at the head of each.

#include <QStringList>
#include <vector>

#include "core/Texte.h"

namespace plivor {

class TFVue;

class ListesCommande {
 public:
  // `chemins`: absolute host paths.
  explicit ListesCommande(const QStringList& chemins);

  // What is wrong with the lists, one line each; empty when all are there.
  const QStringList& Fautes() const { return fautes_; }

  // Before `Ouverture`: the lists left out of a chain are said, a lone
  // list is the one the opening loads (or names, when it is missing).
  void AvantOuverture(TFVue& vue) const;
  // After it: the chained lists replace the empty projection and start.
  void ApresOuverture(TFVue& vue) const;

 private:
  bool Chaine() const { return listes_.size() > 1; }
  std::vector<Texte> listes_;    // those that are there
  std::vector<Texte> absentes_;  // missing, in their order
  QStringList fautes_;
  QStringList illisibles_;       // names Windows-1252 cannot hold
};

}  // namespace plivor
