// The projection's own commands: pause, advance, manual mode, panel, hints.

#include "options/TFOptions.h"
#include "projection/TFVue.h"

namespace plivor {

void TFVue::PauseClick(Emetteur) {
  if (EtatPause <= 0) {
    EtatPause = 0;
    if (AvanceAuto) {
      EtatPause = 1;
      AvanceAM(Emetteur::Aucun);
    }
    if (AudioEnCours) {
      EtatPause += 2;
      AudioAM(Emetteur::bt_Audio);
    }
    PauseCoche = true;
  } else {
    if ((EtatPause & 1) && !AvanceAuto) AvanceAM(Emetteur::Aucun);
    if ((EtatPause & 2) && !AudioEnCours) AudioAM(Emetteur::bt_Audio);
    EtatPause = 0;
    PauseCoche = false;
  }
  services_.voisins.Boutons();
}

void TFVue::AvanceAM(Emetteur emetteur) {
  if (Medias.empty() || Manuel) return;
  if (emetteur == Emetteur::PopAvance || emetteur == Emetteur::bt_Avance) Suivant(emetteur);
  AvanceAuto = !AvanceAuto;
  if (AvanceAuto)
    Timer1.start();
  else
    Timer1.stop();
  AvanceCoche = AvanceAuto;
  services_.voisins.Boutons();
}

void TFVue::ModeManuel() {
  if (Manuel) {
    Manuel = false;
    PauseClick(Emetteur::Aucun);
  } else {
    PauseClick(Emetteur::Aucun);
    Manuel = true;
  }
  ManuelCoche = Manuel;
  services_.voisins.Boutons();
}

void TFVue::VoirIcones() {
  if (TestMontage || DiaporamaDossier || ApercuMontage || ApercuSource) return;
  if (services_.voisins.PanneauVisible()) {
    if (Manuel) ModeManuel();
    services_.voisins.MontrerPanneau(false);
    MasquerCoche = true;
  } else {
    services_.voisins.MontrerPanneau(true);
    MasquerCoche = false;
  }
  services_.voisins.CouleurFond(CouleurFenetre);
}

void TFVue::Bulles(Emetteur emetteur) {
  if (emetteur == Emetteur::Options) MasquerBullesCoche = !Coche(5);
  MasquerBullesCoche = !MasquerBullesCoche;
  services_.voisins.Bulles(!MasquerBullesCoche);
}

void TFVue::ModeMuet() {
  if (AudioEnCours) AudioAM(Emetteur::bt_AudioArret);
  Muet = !Muet;
  MuetCoche = Muet;
  if (!Muet) AudioAM(Emetteur::bt_Audio);
  services_.voisins.Boutons();
}

}  // namespace plivor
