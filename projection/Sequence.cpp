// Walking the list from one stop to the next.

#include "projection/TFVue.h"

namespace plivor {

void TFVue::Verifier() {
  if (Medias.empty()) return;
  IndexCourant = IndexBorne(Medias, IndexCourant);
  TypeLigne = ClasserLigne(Medias[static_cast<size_t>(IndexCourant)], services_.fichiers);
}

namespace {

// Whether the line just loaded is a stop: the advance waits there.
bool EstArret(int genre, int code, bool manuel) {
  if (EstImage(genre)) return true;
  if (EstSon(genre)) return manuel;
  switch (genre) {
    case Genre::Inconnu: case Genre::Jpeg: case Genre::Rtf: case Genre::SousListe: case Genre::Gif:
    case Genre::InstructionTexte: case Genre::Script: case Genre::Bmp: case Genre::Absent:
      return true;
    case Genre::Wav: case Genre::PisteCd: case Genre::Midi: case Genre::Mp3: return manuel;
    case Genre::Instruction: return manuel || code == 102 || code == 103;
    case Genre::Ressource: return code == 1500 || code == 8100;
    default: return false;
  }
}

}  // namespace

void TFVue::Suivant(Emetteur emetteur) {
  if (Medias.empty() || ChaineEpuisee()) return;
  if ((TypeLigne == Genre::Inconnu || TypeLigne == Genre::Absent) && !IgnorerAbsents) return;
  Avancer(emetteur);
}

void TFVue::Avancer(Emetteur emetteur) {
  Editer();
  // Chained lines show nothing of their own: only an advance is a step.
  if (emetteur != Emetteur::Interpreteur) emit EtapeAffichee();
  if (ScriptEnCours) return;
  for (int pas = 0; pas < 2; ++pas) {
    ++IndexCourant;
    Verifier();
    if (Medias.empty()) return;
    Charger(Medias[static_cast<size_t>(IndexCourant)]);
    // A chain cut short is a stop for every level it went through.
    if (chaineCoupee_ || (pas == 0 && EstArret(TypeLigne, CodeInstruction, Manuel))) return;
  }
}

void TFVue::Debut(Emetteur) {
  if (ChaineEpuisee()) return;  // a restart reached from its own chain
  Initialiser();
  AudioCourant.clear();
  if (!FenetreVisible) {
    FenetreVisible = true;
    emit GeometrieChangee();
  }
  if (Medias.empty()) return;
  if (Muet && !IgnorerAudio) ModeMuet();
  if (AudioEnCours) AudioAM(Emetteur::bt_AudioArret);
  if (Manuel) ModeManuel();
  IndexCourant = 0;
  Verifier();
  Charger(Medias.front());
  // The first line may have handed the list to the montage (a missing
  // file): the show stays stopped while it is edited.
  if (services_.voisins.MontageVisible() && !SuiviListe) return;
  if (!AvanceAuto) AvanceAM(Emetteur::Aucun);
  Suivant(Emetteur::Aucun);
}

}  // namespace plivor

namespace plivor {

void TFVue::Precedent(Emetteur) {
  if (Medias.empty() || ScriptEnCours) return;
  if (!Manuel) ModeManuel();
  CodeTransition = 0;
  // The pending line is one ahead of the line on screen.
  int pas = -2;
  if (IndexCourant == 0) {
    IndexCourant = -1;
    Verifier();
    pas = -1;
  }
  IndexCourant += pas;
  Verifier();
  Charger(Medias[static_cast<size_t>(IndexCourant)]);
  Editer();
  emit EtapeAffichee();
  ++IndexCourant;
  Verifier();
  if (!Medias.empty()) Charger(Medias[static_cast<size_t>(IndexCourant)]);
}

}  // namespace plivor
