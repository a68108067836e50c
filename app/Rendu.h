#pragma once
// Projecting a sequence without a display: the paint box is written as PNG
// frames at each display step, and optionally during the transitions.

#include <QString>

namespace plivor {

struct ReglagesRendu {
  QString liste;
  QString dossier;           // where the frames go
  bool pendant = false;      // frames during transitions too
  int etapes = 60;           // display steps at most
  QString cheminProgramme;
};

// Returns the program's exit code; prints how many frames were written.
int Rendre(const ReglagesRendu& reglages);

}  // namespace plivor
