// Operations the interpreter already calls whose behaviour comes with the
// audio and titles work. Each keeps the state it owns
// consistent and does nothing else yet.

#include "projection/TFVue.h"

namespace plivor {

void TFVue::Titrer(const Texte&) {}

void TFVue::AudioAM(Emetteur) {}

void TFVue::onFadeTimer() { TimerFade.stop(); }

void TFVue::OuvrirSon(const Texte&, int) {}


}  // namespace plivor
