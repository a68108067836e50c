// Notations and vocabulary lookups on any line.

#include <cstddef>
#include <cstdint>

#include "core/Lignes.h"
#include "core/Notations.h"
#include "core/Vocabulaire.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace plivor;
  const Texte ligne(reinterpret_cast<const char*>(donnees), taille);
  LirePoint(ligne);
  if (const auto couleur = LireCouleur(ligne)) TexteCouleur(*couleur);
  PoliceNom(ligne, [](const Texte& nom) { return nom.size() % 2 == 0; });
  PoliceStyle(ligne);
  PoliceTaille(ligne);
  LireEntier(ligne);
  if (const auto n = LireEntier(ligne)) TexteDuree(*n);
  MotCle(ligne);
  Valeur(ligne);
  CodeMotCle(ligne);
  CodeValeur(ligne);
  CodeCombine(ligne);
  ClasseMotCle(ligne);
  EntreeGrammaire(ligne).ExtensionLigne();
  if (taille > 0) {
    NomMotCle(donnees[0]);
    NomValeur(donnees[0]);
  }
  return 0;
}
