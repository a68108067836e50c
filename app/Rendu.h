#pragma once
// Projecting a sequence without a display: the paint box is written as PNG
// frames at each display step, and optionally during the transitions.

#include <QString>

namespace plivor {

struct Commande;

// Returns the program's exit code: 0 when every step asked was written or
// the show ended by itself; 1, its message said, when a step cannot be made.
int Rendre(const Commande& commande, const QString& cheminProgramme);

}  // namespace plivor
