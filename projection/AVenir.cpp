// Operations the interpreter already calls whose behaviour comes with the
// titles and morphs work.

#include "projection/TFVue.h"

namespace plivor {

void TFVue::Titrer(const Texte&) {}



}  // namespace plivor
