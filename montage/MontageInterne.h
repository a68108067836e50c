#pragma once
// Rules the montage engine's files share: the dialogs' filters, the kinds of
// line each operation accepts.

#include <QString>
#include <algorithm>
#include <climits>

#include "core/Lignes.h"
#include "core/Texte.h"

namespace plivor::montage_interne {

inline const QString kFiltreListes = QStringLiteral("Listes Plivor (*.pvl)|*.pvl|Listes au format Texte (*.txt)|*.txt");
inline const QString kFiltreSauver = QStringLiteral("Fichier Plivor (*.pvl)|*.pvl|Format texte (*.txt)|*.txt");
inline const QString kFiltreScript = QStringLiteral("Script Plivor (*.pvs)|*.pvs");

inline constexpr int kTempo = 9;

inline bool EstVisuel(int genre) { return EstImage(genre) || genre == Genre::InstructionTexte; }

// Kinds a drop from the desktop accepts.
inline bool AccepteDuBureau(int genre) {
  if (EstImage(genre) || EstSon(genre)) return true;
  switch (genre) {
    case Genre::Jpeg: case Genre::Gif: case Genre::Bmp: case Genre::Wav: case Genre::Mp3:
    case Genre::Midi: case Genre::PisteCd: case Genre::SousListe: case Genre::Script:
      return true;
    default:
      return false;
  }
}

// Kinds whose whole line is a file the load expands.
inline bool EstFichierMedia(int genre) {
  return EstImage(genre) || EstSon(genre) || genre == Genre::SousListe || genre == Genre::Script;
}

// A tempo below zero lasts nothing: a total is never taken for an error code.
inline int NombreOuZero(const Texte& ligne) {
  return static_cast<int>(std::clamp<long long>(LireEntier(Valeur(ligne)).value_or(0), 0, INT_MAX));
}

}  // namespace plivor::montage_interne
