// Operations the interpreter already calls whose behaviour comes with the
// audio, titles, flags and list-loading work. Each keeps the state it owns
// consistent and does nothing else yet.

#include "projection/TFVue.h"

namespace plivor {

void TFVue::Titrer(const Texte&) {}

void TFVue::AudioAM(Emetteur) {}

void TFVue::onFadeTimer() { TimerFade.stop(); }

void TFVue::OuvrirSon(const Texte&, int) {}

void TFVue::SautDrapeau(Emetteur) {}

void TFVue::AllerDrapeau(const Texte*) {}

void TFVue::CreerPopDrapeaux() {
  MenuImageCharge = false;
  MenuDrapeauxCharge = false;
}

void TFVue::CreerItem(const Texte&) {}

void TFVue::ExecuterScript(const Texte&) { ScriptEnCours = false; }

void TFVue::ChargerListe(Emetteur) {}

void TFVue::EditerListe(Emetteur) {
  if (ScriptEnCours || !ListePropre) return;
  services_.voisins.OuvrirMontage();
}

void TFVue::Quitter(Emetteur) { Fermeture = true; }


}  // namespace plivor
