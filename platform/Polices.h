#pragma once
// Fonts of the titles. "Arial Black", the default title face, is not on a
// Debian system: a heavy installed face stands in for it.

#include <QFont>

namespace plivor {

// Registers the stand-ins; call once the application exists.
void InstallerPolices();
bool PoliceInstalleeSurEcran(const QString& famille);
// The title font: family, style letter code (core Style), pixel height.
QFont PoliceDeTitre(const QString& famille, int style, int hauteurPixels);

}  // namespace plivor
