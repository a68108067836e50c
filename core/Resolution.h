#pragma once
// Where the file named by a line of a list lies. Every tool that reads
// lists asks here: the projection, the montage's verification, relative
// copy and deployment, the publication, the opener. A relative line
// resolves against the folder of the projected list, as the projection
// has always read it (stored lists rely on that); a line of a sub-list or
// script that names no file there, but one beside its own list, takes
// that one.

#include "core/Lignes.h"

namespace plivor {

struct LigneResolue {
  Texte ligne;               // its address in full, "." and ".." resolved
  bool trouvee = false;      // its file exists, or it names none
  bool voisine = false;  // found only beside its own list
};

// `dossierProjection`: the folder of the projected list (empty: the
// current folder); `dossierListe`: the folder of the list holding the line
// (empty, or the same, for the projected list's own lines).
LigneResolue Resoudre(const Texte& ligne, const Texte& dossierProjection, const Texte& dossierListe,
                      const ServicesFichiers& fichiers);

// The line as a projected list holds it: as written when the projection
// finds its file, or when nothing does; in full when only its own list's
// folder holds it.
Texte LigneProjetee(const Texte& ligne, const Texte& dossierProjection, const Texte& dossierListe,
                    const ServicesFichiers& fichiers);

}  // namespace plivor
