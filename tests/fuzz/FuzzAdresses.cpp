// Address rewriting: relative, expanded and joined lines, on both styles of
// path, against a few files that exist.

#include <cstddef>
#include <cstdint>

#include "core/Adresses.h"
#include "support/FichiersMemoire.h"
#include "support/MessagerieEnregistree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace plivor;
  const Texte entree(reinterpret_cast<const char*>(donnees), taille);
  const std::size_t coupe = entree.find('\n');
  const Texte base = coupe == Texte::npos ? Texte("/shows/") : entree.substr(0, coupe);
  const Texte ligne = coupe == Texte::npos ? entree : entree.substr(coupe + 1);
  test::MessagerieEnregistree messages;
  for (const StyleChemins style : {StyleChemins::Posix, StyleChemins::Windows}) {
    test::FichiersMemoire fichiers(style, style == StyleChemins::Posix ? "/shows" : "C:\\Shows");
    fichiers.Ajouter(style == StyleChemins::Posix ? "/shows/img/a.jpg" : "C:\\Shows\\img\\a.jpg");
    AdresseRelative(base, ligne, fichiers, messages);
    AdresseEtendue(ligne, fichiers, messages);
    AdresseJointe(ligne, base, fichiers);
    CheminComplet(ligne, base, style);
    CheminRelatif(ligne, base, style);
    Racine(ligne, style);
    DossierDe(ligne, style);
  }
  return 0;
}
