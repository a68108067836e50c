// The sets of files the installation and the publication copy.

#include <QFile>
#include <QFileInfo>

#include "core/Langue.h"
#include "platform/FichiersHote.h"

#include "options/Installation.h"

namespace plivor {

namespace {

// The folder of the players that carry their libraries: the build's
// portable/, or the program's own folder when it is such a copy (an
// installation made from one). Empty when there is none.
QString DossierEmporte(const QString& dossierProgramme) {
  const QString portable = dossierProgramme + QStringLiteral("/portable");
  if (QFileInfo(portable + QLatin1Char('/') + QLatin1String(kLecteur)).isFile()) return portable;
  const bool emporte = QFileInfo(dossierProgramme + QStringLiteral("/qt.conf")).isFile() &&
                       QFileInfo(dossierProgramme + QStringLiteral("/lib")).isDir() &&
                       QFileInfo(dossierProgramme + QLatin1Char('/') + QLatin1String(kLecteur)).isFile();
  return emporte ? dossierProgramme : QString();
}

// The program's own files, where the program itself looks for them.
QString DossierDesDonnees(const QString& dossierProgramme) {
  FichiersHote fichiers;
  const auto dossier = LigneDepuisHote(QFile::encodeName(dossierProgramme).toStdString());
  if (!dossier) return dossierProgramme;
  return QFile::decodeName(fichiers.CheminHote(DossierDonnees(*dossier, fichiers)).c_str());
}

bool EstProgramme(const QString& nom, const QString& nomProgramme) {
  return nom == QLatin1String(kLecteur) || nom == nomProgramme;
}

}  // namespace

QStringList FichiersAInstaller(JeuFichiers jeu, const QString& nomProgramme) {
  const QString lecteur = QLatin1String(kLecteur);
  if (jeu == JeuFichiers::Lecteur)
    return {QStringLiteral("Plivor.hlp"), QStringLiteral("Plivor.ico"), QStringLiteral("Prelio.txt"), lecteur};
  // The player rides along with its text, so that a publication made from
  // the installed program finds its whole set beside it.
  QStringList noms = {QStringLiteral("Plivor.hlp"), QStringLiteral("Plivor-S.hlp"), QStringLiteral("Plivor.ico"),
                      QStringLiteral("Plivor.txt"), QStringLiteral("Prelio.txt"), QStringLiteral("lg.pvg"), lecteur};
  if (nomProgramme != lecteur) noms << nomProgramme;
  return noms;
}

ElementsJeu ElementsAInstaller(JeuFichiers jeu, const QString& dossierProgramme, const QString& nomProgramme) {
  const QString emporte = DossierEmporte(dossierProgramme);
  const QString donnees = DossierDesDonnees(dossierProgramme);
  ElementsJeu elements;
  for (const QString& nom : FichiersAInstaller(jeu, nomProgramme)) {
    // The carried copy of a program, when there is one under that name:
    // what it was built from needs this machine's libraries.
    const QString carrie = emporte + QLatin1Char('/') + nom;
    const bool depuisEmporte = !emporte.isEmpty() && EstProgramme(nom, nomProgramme) && QFileInfo(carrie).isFile();
    const QString dossier = EstProgramme(nom, nomProgramme) ? dossierProgramme : donnees;
    elements.push_back({depuisEmporte ? carrie : dossier + QLatin1Char('/') + nom, nom});
  }
  // Then what the carried players load, so the copy plays anywhere.
  if (!emporte.isEmpty())
    for (const char* nom : {"lib", "qt.conf"})
      elements.push_back({emporte + QLatin1Char('/') + QLatin1String(nom), QLatin1String(nom)});
  return elements;
}

}  // namespace plivor
