#pragma once
// Rewriting the file address a line holds: relative, expanded, joined.

#include "core/Services.h"
#include "core/Texte.h"

namespace plivor {

inline constexpr const char* kExterieur = "exterieur";
inline const Texte kExterieurAccent = Cp("extérieur");
inline constexpr const char* kErreur = "erreur";

// `base`: a folder ending in a separator, or a file in that folder.
Texte AdresseRelative(const Texte& base, const Texte& ligne, const ServicesFichiers& fichiers,
                      Messagerie& messagerie);
Texte AdresseEtendue(const Texte& ligne, const ServicesFichiers& fichiers, Messagerie& messagerie);
Texte AdresseJointe(const Texte& ligne, const Texte& dossier, const ServicesFichiers& fichiers);

}  // namespace plivor
