#pragma once
// The program's icon for its windows, at every size the desktop asks for:
// the sizes written beside the program (a build, a carried copy), else the
// installed theme's, else the single icon file.

#include <QIcon>
#include <QString>

namespace plivor {

QIcon IconeProgramme(const QString& dossierDonnees);

}  // namespace plivor
