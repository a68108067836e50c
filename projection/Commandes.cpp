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
  if (Coche(1)) services_.bureau.InhiberVeille(AvanceAuto);
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
  // The panel's advance button says how to leave manual mode.
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

namespace plivor {

void TFVue::Boutons() { services_.voisins.Boutons(); }

void TFVue::Options(Emetteur) {
  if (!options_) return;
  options_->BasculerOptions();
  Boutons();
}

void TFVue::AppelAide(Emetteur emetteur) {
  int rubrique = 1000;
  switch (emetteur) {
    case Emetteur::opt_RubtAide: rubrique = 1670; break;
    case Emetteur::opt_R_btAide: rubrique = 1600; break;
    case Emetteur::lk_btAide: rubrique = 1660; break;
    case Emetteur::AProposPresentation: rubrique = 100; break;
    case Emetteur::AProposAuteur: rubrique = 200; break;
    default: break;
  }
  services_.bureau.OuvrirAide(TexteEcran(FichierAide), rubrique);
}

void TFVue::PopNavigationClick() {
  if (!services_.voisins.PanneauVisible()) VoirIcones();
  services_.voisins.Navigation();
}

bool TFVue::ModeApercu() const {
  return ApercuMontage || SuiviListe || TestMontage || ApercuSource || DiaporamaDossier;
}

void TFVue::ImageMouseDown(bool droit) {
  if (ModeApercu() || !ListePropre) {
    if (droit) SourceClick();
    return;
  }
  if (droit || !services_.voisins.PanneauVisible()) return;
  // Holding the button holds the show.
  if (AvanceAuto && !Manuel) {
    AvanceAM(Emetteur::Clic);
    PauseActive = false;
  } else if (Manuel) {
    Suivant(Emetteur::Clic);
  }
}

void TFVue::ImageMouseUp(bool droit) {
  if (ModeApercu() || !ListePropre || droit) return;
  if (AvanceAuto || Manuel) return;
  AvanceAM(Emetteur::Clic);
  PauseActive = true;
  Suivant(Emetteur::Clic);
}

void TFVue::SourceClick() {
  if (ScriptEnCours) return;
  if (!ListePropre) {
    // The window previews the montage's line: back to the montage.
    services_.voisins.EditerDansMontage(Medias, CheminListe, DossierProjection, IndexCourant, ListeModifiee);
    return;
  }
  if (ModeApercu()) {
    ListePropre = false;
    services_.voisins.EditerDansMontage(Medias, CheminListe, DossierProjection, IndexCourant, ListeModifiee);
    return;
  }
  if (!services_.voisins.PanneauVisible()) VoirIcones();
}

void TFVue::FormActivate() { MenuAutomatique = PopupAutomatique(); }

}  // namespace plivor
