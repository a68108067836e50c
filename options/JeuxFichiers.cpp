// The sets of files the installation and the publication copy.

#include "options/Installation.h"

namespace plivor {

QStringList FichiersAInstaller(JeuFichiers jeu, const QString& nomProgramme) {
  const QString lecteur = QLatin1String(kLecteur);
  if (jeu == JeuFichiers::Lecteur)
    return {QStringLiteral("Plivor.hlp"), QStringLiteral("Plivor.ico"), QStringLiteral("Prelio.txt"), lecteur};
  // The player rides along, so that a publication made from the installed
  // program finds it beside it.
  QStringList noms = {QStringLiteral("Plivor.hlp"), QStringLiteral("Plivor-S.hlp"), QStringLiteral("Plivor.ico"),
                      QStringLiteral("Plivor.txt"), QStringLiteral("lg.pvg"), lecteur};
  if (nomProgramme != lecteur) noms << nomProgramme;
  return noms;
}

ElementsJeu ElementsAInstaller(JeuFichiers jeu, const QString& dossierProgramme, const QString& nomProgramme) {
  ElementsJeu elements;
  for (const QString& nom : FichiersAInstaller(jeu, nomProgramme))
    elements.push_back({dossierProgramme + QLatin1Char('/') + nom, nom});
  return elements;
}

}  // namespace plivor
