// Script files: lines run from the montage's scratch list, one stop at a time.

#include "projection/TFVue.h"

namespace plivor {

void TFVue::ExecuterScript(const Texte& fichier) {
  Liste& transfert = services_.voisins.Transfert();
  if (fichier == "FinScript") {
    // Resets and jumps end the script under way.
    if (ScriptEnCours) transfert.clear();
    ScriptEnCours = false;
    return;
  }
  if (ChaineEpuisee()) return;
  if (!ScriptEnCours) {
    if (fichier == "Suite") return;
    const auto lue = LireLignes(fichier);
    if (!lue) return;
    transfert = *lue;
    ScriptEnCours = true;
  }
  for (size_t i = 0; i < transfert.size(); ++i) {
    const Texte ligne = transfert[i];
    const int genre = ClasserLigne(ligne, services_.fichiers);
    const bool attend = genre == Genre::Jpeg || genre == Genre::Gif || genre == Genre::InstructionTexte ||
                        genre == Genre::Bmp;
    const bool enchaine =
        genre == Genre::Wav || genre == Genre::PisteCd || genre == Genre::Midi || genre == Genre::Instruction;
    if (!attend && !enchaine) continue;
    Charger(ligne);
    if (!ScriptEnCours) return;  // the line ended the script
    transfert[i].assign(1, '-');  // consumed
    if (attend) return;
  }
  ScriptEnCours = false;
}

}  // namespace plivor
