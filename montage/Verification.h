#pragma once
// The montage's checks and rewritings of the edited list: verification,
// relative copy, deployment of sub-lists, walking by type, and the choice
// of an object's file. Each is one call on the montage engine; none uses
// the clipboard or the undo snapshot as scratch space.

#include <optional>

#include "montage/Montage.h"

namespace plivor {

// "Vérifier la liste": the index of the first bad line (selected, focused,
// shown at the top), or nothing after "Les ressources sont complètes !".
std::optional<int> VerifierListe(Montage& montage);

// "Créer un chemin relatif": true once the relative copy has been written
// beside its ".bak".
bool CheminRelatif(Montage& montage);

// "Déployer les listes *.pvl": false when nothing was deployed.
bool DeployerPvl(Montage& montage);

// The lines with their ".pvl" sub-lists expanded as DeployerPvl does,
// relative sub-list lines read from `dossier`; the edited list is not
// touched. Nothing when a sub-list could not be read (reported).
std::optional<Liste> LignesDeployees(const Liste& lignes, const Texte& dossier, const ServicesFichiers& fichiers,
                                     Messagerie& messagerie, const Texte& motDrapeau);

// The file at `cible` becomes its ".bak", an older ".bak" moving one rank
// up first; false when a rename failed.
bool GarderAncienneVersion(const Texte& cible, ServicesFichiers& fichiers);

// bts_suivant (`suivant`) or bts_precedent; `gauche`: the left button
// walks by type, any other by instruction. The line found, if any.
std::optional<int> Parcourir(Montage& montage, bool suivant, bool gauche);

// The file of an object or replacement-sequence instruction.
//   depuisBoite: the formatting panel's file box asks; no line changes.
//   ligneInseree: the builder has just inserted the focused line and it
//     still waits for its file: a cancel removes it. A cancel never
//     removes any other line.
// Otherwise the focused line becomes "Séquence=" or "ObjetX=" + the file.
// The full path chosen, or nothing when cancelled.
std::optional<Texte> ChoisirObjet(Montage& montage, bool depuisBoite, bool ligneInseree = false);

}  // namespace plivor
