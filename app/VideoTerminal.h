#pragma once
// "plivor --video sortie.mp4 [--taille LxH] [--ips N] [--duree S] liste.pvl":
// the sequence exported as a video, a progress bar on the terminal.

#include <QString>

namespace plivor {

struct Commande;

// Returns the program's exit code: 0 once the file is written.
int ExporterEnVideo(const Commande& commande, const QString& cheminProgramme);

}  // namespace plivor
