#pragma once
// The command line of both programs, read in one place: its options, their
// values and the lists, with a French help and French faults.

#include <QSize>
#include <QStringList>

namespace plivor {

enum class Executable { Plivor, Prelio };

struct Commande {
  enum class Mode { Fenetre, Rendu, Video, Verifier, Publier, Montage, Aide, Version, Faute };
  Mode mode = Mode::Fenetre;
  QStringList listes;  // absolute host paths, in their order
  QStringList listesDonnees;  // the same, as the command line spelt them
  QString texte;       // the help, the version or what is wrong
  bool sansSurveillance = false;  // messages become notices, nothing waits
  bool nouvelleInstance = false;  // a program of its own, not the one already open
  // --rendu
  QString dossierRendu;
  int etapes = 60;
  bool pendant = false;
  // --video
  QString sortieVideo;
  QSize taille{1920, 1080};
  bool tailleDonnee = false;  // --taille, which --rendu takes too
  bool ecranEntier = false;   // --ecran
  bool materiel = false;      // --materiel
  int ips = 30;
  double duree = 0;  // 0: until the list comes back to its start
  // --publier
  QString dossierPublication;
  bool audio = false, script = false, conserver = false;
  bool programme = false, autorun = false, ignorerAbsents = false;
  bool videoPublication = false;  // --video with --publier: <nom>.mp4 beside the list
  QString nom;  // empty: the list's base name
  // --capture
  QString capture;
  int apres = 3000;
};

// `arguments` without the program's name. Never fails: a fault is a mode.
Commande LireCommande(const QStringList& arguments, Executable programme);

// The help, the version or the fault printed where it belongs; the exit
// code then, or -1 when the program goes on.
int RepondreSansFenetre(const Commande& commande, Executable programme);

// The arguments as the system gave them.
QStringList ArgumentsDe(int argc, char* argv[]);

}  // namespace plivor
