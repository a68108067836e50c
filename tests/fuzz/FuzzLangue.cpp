// The language file: any content installed as "lg.pvg", then lines
// translated with the tables it gave.

#include <cstddef>
#include <cstdint>

#include "core/Langue.h"
#include "support/FichiersMemoire.h"
#include "support/MessagerieEnregistree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace plivor;
  test::FichiersMemoire fichiers(StyleChemins::Posix, "/prog");
  fichiers.Ajouter("/prog/lg.pvg", std::string(reinterpret_cast<const char*>(donnees), taille));
  test::MessagerieEnregistree messages;
  EtatLangue etat;
  for (const char* langue : kChoixLangues) {
    if (ChoisirLangue(langue, "/prog", fichiers, messages, etat) != ResultatLangue::Installee) continue;
    for (const char* ligne : {"Tempo=1500.pvi", "Transition=Gauche.pvi", "Menu=Masquer.pvi", "Titrage=x.pvv"})
      TraduireLigne(ligne, etat);
  }
  return 0;
}
