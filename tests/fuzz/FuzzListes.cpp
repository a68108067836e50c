// List decoding and line classification on any bytes.

#include <cstddef>
#include <cstdint>

#include "core/FichiersListe.h"
#include "core/Lignes.h"
#include "core/Vocabulaire.h"
#include "support/FichiersMemoire.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace plivor;
  const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
  const ListeLue lue = DecoderListe(octets);
  test::FichiersMemoire fichiers(StyleChemins::Posix, "/l");
  fichiers.Ajouter("/l/a.jpg");
  for (const Texte& ligne : lue.lignes) {
    ClasserLigne(ligne, fichiers);
    IconeLigne(ligne, fichiers, TablesFrancaises());
    SansBarre(ligne);
  }
  // What the program writes reads back as the same lines, unless the
  // reading said it altered some (NUL bytes left out, lines cut), which a
  // save asks about first.
  const std::string ecrit = JoindreLignes(lue.lignes);
  if (!lue.enUtf8 && lue.LignesAlterees().empty() && DecoderListe(ecrit).lignes != lue.lignes) __builtin_trap();
  return 0;
}
