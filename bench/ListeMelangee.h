#pragma once
// The long list the benchmarks load: instructions, present and absent
// media under "img\", flags, titles, and on every eighth line from the
// seventh the line `septieme` gives.

#include <functional>
#include <string>

#include "core/Lignes.h"
#include "core/Texte.h"

namespace plivor {

inline Liste ListeMelangee(int nombre, const std::function<Texte(int)>& septieme) {
  Liste lignes;
  lignes.reserve(static_cast<size_t>(nombre));
  for (int i = 0; i < nombre; ++i) {
    switch (i % 8) {
      case 0: lignes.push_back("Tempo=" + std::to_string(500 + i % 3000) + ".pvi"); break;
      case 1: lignes.push_back("Transition=Gauche.pvi"); break;
      case 2: lignes.push_back("img\\p" + std::to_string(i % 50) + ".jpg"); break;
      case 3: lignes.push_back("Titrage=Titre " + std::to_string(i) + ".pvv"); break;
      case 4: lignes.push_back("img\\absente" + std::to_string(i) + ".gif"); break;
      case 5: lignes.push_back("Drapeau=D" + std::to_string(i) + ".pvd"); break;
      case 6: lignes.push_back(septieme(i)); break;
      default: lignes.push_back(Cp("Duree=3/4-sec.pvi")); break;
    }
  }
  return lignes;
}

}  // namespace plivor
