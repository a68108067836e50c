#pragma once
// "--capture FICHIER [--apres MS]": the whole screen is written to FICHIER
// after MS milliseconds (3000 by default), then the program ends. Tests of
// the real program look at what a person would have seen.

#include <QStringList>

namespace plivor {

// Takes the two options out of `arguments` and arms the capture.
void PreparerCapture(QStringList& arguments);

}  // namespace plivor
