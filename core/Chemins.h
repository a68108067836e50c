#pragma once
// File paths as the sequence lines write them. Lists written on Windows use
// "\" and drive letters; on a POSIX host both "\" and "/" separate folders,
// the written separator is "/", and the root "/" stands for the drive.

#include <vector>

#include "core/Texte.h"

namespace plivor {

enum class StyleChemins { Windows, Posix };

constexpr StyleChemins StyleHote() {
#ifdef _WIN32
  return StyleChemins::Windows;
#else
  return StyleChemins::Posix;
#endif
}

char Separateur(StyleChemins style);
bool EstSeparateur(char c);
Texte AvecSeparateurs(std::string_view chemin, StyleChemins style);

// "C:" or "\\serveur\partage" on Windows, "/" on POSIX, empty for a relative path.
Texte Racine(std::string_view chemin, StyleChemins style);
bool EstAbsolu(std::string_view chemin, StyleChemins style);
bool MemeComposante(std::string_view a, std::string_view b, StyleChemins style);

// Folder part without its trailing separator, and the name after it.
Texte DossierDe(std::string_view chemin, StyleChemins style);
Texte NomDeFichier(std::string_view chemin);
Texte Joindre(std::string_view dossier, std::string_view nom, StyleChemins style);

// Path of `fichier` seen from the folder `dossierBase`; the file unchanged
// when the two lie on different roots.
Texte CheminRelatif(std::string_view fichier, std::string_view dossierBase, StyleChemins style);

// Full path against the folder `courant`, with "." and ".." resolved.
Texte CheminComplet(std::string_view chemin, std::string_view courant, StyleChemins style);

// Whether a file name matches one mask of `masque` ("*" and "?" wildcards,
// masks joined by ";", letter case ignored).
bool NomCorrespond(std::string_view nom, std::string_view masque);

// Number of a CD track line: the digits of "TrackNN.cda" (any letter case);
// 0 when the name is not of that form.
int NumeroPisteCd(std::string_view chemin);

}  // namespace plivor
