#pragma once
// Drives the real program on a virtual X server of its own (sur-xvfb.sh), as
// a user would, with a bash script: real clicks and keys (xdotool), screen
// captures, the texts of its boxes. The script runs in the test's folder,
// the program with the test's own settings file, and gets these functions:
//   demarrer ARGS...        starts the program ($P), waits for its window
//   fenetre TITRE [S]       the id of the topmost visible window whose title
//                           starts so, waited for up to S seconds (10)
//   disparue TITRE [S]      until no such window is left (S seconds, 20)
//   titres TITRE            the titles of the visible windows starting so
//   dans TITRE X Y          the pointer into that window (it gets the keys)
//   cliquer X Y             a click at that point of the screen
//   touches TOUCHE...       key presses, one after the other
//   taper TEXTE             typed characters
//   boites                  how many boxes of the program are open
//   boite                   the pointer into the topmost box (answer with
//                           Return, or alt+o / alt+n for "Oui" / "Non")
//   texte_boite             the topmost box's text (selected and copied)
//   fermer_boites           Return on each box until none is left, their
//                           texts kept in boites.txt
//   capturer NOM.png        the screen
//   attendre_fichier F [S]  until F exists (S seconds, 10)
//   vivant                  whether the program still runs
//   terminer [SIGNAL]       ends it by a signal (TERM), its exit code in
//                           code.txt ("encore" in reste.txt if it had to
//                           be killed)
// The program's error output goes to erreurs.txt.

#include <QImage>
#include <QProcessEnvironment>
#include <QString>
#include <string>

namespace plivor::test {

class Pilote {
 public:
  Pilote(QString programme, QString dossier);

  // Xvfb and xdotool are there.
  static bool Disponible();

  // Runs `actions` under a new virtual screen; the script's exit status.
  int Lancer(const QString& actions, int delaiMs = 180000);

  // The bytes of a file of the folder ("<absent>" when there is none).
  std::string Lire(const QString& nom) const;
  // The exit code written by `terminer`, or -1.
  int Code() const;
  // A capture taken by `capturer`; kept in PLIVOR_CAPTURES when set.
  QImage Capture(const QString& nom) const;
  // The script's own error output and the program's.
  std::string Erreurs() const { return erreurs_ + Lire(QStringLiteral("erreurs.txt")); }

  static QProcessEnvironment Environnement(const QString& reglages);

 private:
  QString programme_, dossier_;
  std::string erreurs_;
};

}  // namespace plivor::test
