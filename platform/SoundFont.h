#pragma once
// The General MIDI SoundFont that plays MIDI files: the one carried beside
// a published player, else the system's (Debian's own first), else the one
// FluidSynth is built to use.

#include <QString>
#include <QStringList>

namespace plivor {

// Where a SoundFont is looked for, in order, for a program in `dossierProgramme`.
QStringList PlacesSoundFont(const QString& dossierProgramme);
// The first of them that exists; the first place when none does, so that
// the message of a missing SoundFont names where it was expected.
QString SoundFontParDefaut(const QString& dossierProgramme);

}  // namespace plivor
