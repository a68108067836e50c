#pragma once
// "plivor --video sortie.mp4 [--taille LxH] [--ips N] [--duree S] liste.pvl":
// the sequence exported as a video, a progress bar on the terminal.

#include <QStringList>

namespace plivor {

// Whether the command line asks for a video.
bool VideoDemandee(int argc, char* argv[]);
// Returns the program's exit code: 0 once the file is written.
int ExporterEnVideo(const QStringList& arguments, const QString& cheminProgramme);

}  // namespace plivor
