#pragma once
// One French sentence per instruction, shown in the montage's information
// box and beside the builder's candidate lines.

#include "core/Texte.h"

namespace plivor {

// The description of instruction `code` (keyword code x 100 + value code)
// in language `langue` ("fr"); empty when there is none.
Texte Description(const Texte& langue, int code);

}  // namespace plivor
