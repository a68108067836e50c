#include "sources/Filtres.h"

#include <algorithm>

namespace plivor {

void Filtres::Basculer() {
  PanneauVisible = !PanneauVisible;
  CreationVisible = false;
}

void Filtres::Creer(const QString& nomCourant, const QString& masque) {
  CreationVisible = true;
  if (!nomCourant.isEmpty())
    Filtre = nomCourant;
  else if (!ListeFiltres.isEmpty())
    Filtre = ListeFiltres[std::clamp(IndexFiltre, 0, int(ListeFiltres.size()) - 1)];
  else
    Filtre = masque.contains(u';') ? masque.left(masque.indexOf(u';')) : QString();
}

QString Filtres::Valider() {
  ListeFiltres << Filtre;
  IndexFiltre = int(ListeFiltres.indexOf(Filtre));
  IndexChoisi = IndexFiltre;
  FermerCreation();
  return Filtre;
}

std::optional<QString> Filtres::Choisir(int index) {
  if (ListeFiltres.isEmpty() || index < 0 || index >= ListeFiltres.size()) return std::nullopt;
  IndexFiltre = IndexChoisi = index;
  return ListeFiltres[index];
}

void Filtres::Supprimer() {
  if (ListeFiltres.isEmpty() || IndexChoisi < 0 || IndexChoisi >= ListeFiltres.size()) return;
  ListeFiltres.removeAt(IndexChoisi);
  IndexChoisi = ListeFiltres.isEmpty() ? -1 : std::min(IndexChoisi, int(ListeFiltres.size()) - 1);
}

}  // namespace plivor
