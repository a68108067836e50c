#pragma once
// The decoders' faults in our own words, the file named; a library's own
// words follow in brackets only where we have none.

#include <QFileInfo>
#include <QString>

namespace plivor::messages {

inline QString Nom(const QString& chemin) {
  return QStringLiteral("« ") + QFileInfo(chemin).fileName() + QStringLiteral(" »");
}

// `modele` holds %1 for the file's name.
inline QString Dire(const QString& modele, const QString& chemin) { return modele.arg(Nom(chemin)); }

inline QString TropGrande(const QString& chemin, qint64 largeur, qint64 hauteur) {
  return QStringLiteral("L'image %1 est trop grande (%2 x %3 pixels).").arg(Nom(chemin)).arg(largeur).arg(hauteur);
}

inline QString Memoire(const QString& chemin) {
  return Dire(QStringLiteral("Mémoire insuffisante pour décoder l'image %1."), chemin);
}

inline QString NonOuvert(const QString& chemin) {
  return Dire(QStringLiteral("Le fichier %1 ne peut pas être ouvert."), chemin);
}

}  // namespace plivor::messages
