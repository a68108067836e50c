// Script files: lines run from the projection's own list, one stop at a time.

#include "core/Resolution.h"
#include "projection/TFVue.h"

namespace plivor {

void TFVue::ExecuterScript(const Texte& fichier) {
  if (fichier == "FinScript") {
    // Resets and jumps end the script under way.
    if (ScriptEnCours) LignesScript.clear();
    ScriptEnCours = false;
    return;
  }
  if (ChaineEpuisee()) return;
  if (!ScriptEnCours) {
    if (fichier == "Suite") return;
    const auto lue = LireLignes(fichier);
    if (!lue) return;
    LignesScript = *lue;
    // A script's lines resolve as a sub-list's do.
    const StyleChemins style = services_.fichiers.Style();
    const Texte courant = services_.fichiers.DossierCourant();
    const Texte dossier = SansBarre(DossierDe(CheminComplet(fichier, courant, style), style));
    for (Texte& l : LignesScript) l = LigneProjetee(l, courant, dossier, services_.fichiers);
    ScriptEnCours = true;
  }
  for (size_t i = 0; i < LignesScript.size(); ++i) {
    const Texte ligne = LignesScript[i];
    const int genre = ClasserLigne(ligne, services_.fichiers);
    const bool attend = EstImage(genre) || genre == Genre::InstructionTexte;
    // Sounds on the media player chain on; MP3 lines are passed over in a
    // script, as they always were.
    const bool enchaine = (EstSon(genre) && genre != Genre::Mp3) || genre == Genre::Instruction;
    if (!attend && !enchaine) continue;
    Charger(ligne);
    if (!ScriptEnCours) return;  // the line ended the script
    LignesScript[i].assign(1, '-');  // consumed
    if (attend) return;
  }
  ScriptEnCours = false;
}

}  // namespace plivor
