#pragma once
// The command-line modes that work on a list without a window: the
// montage's verification and the publication panel's assembly, run by the
// very engines the windows use, with a terminal for the person.

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "montage/Montage.h"
#include "montage/VoisinsMontage.h"
#include "options/Registre.h"
#include "options/TFOptions.h"
#include "platform/Audio.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/Ecran.h"
#include "platform/FichiersHote.h"
#include "projection/Cadence.h"
#include "projection/TFVue.h"

namespace plivor {

struct Commande;

// Messages and questions on the error output; nobody answers, so every
// question is No. A line left open (a progress bar) is ended first.
class DialoguesTerminal : public DialoguesConsole {
 public:
  void Information(const QString& texte) override;
  bool Question(const QString& texte) override;
  // Ends the open line before anything is said.
  std::function<void()> avantDeDire;
  QStringList textes;  // as said, in order
};

// The projection and montage engines without a display, settings of their
// own (the user's are neither read nor written).
class MoteursTerminal {
 public:
  explicit MoteursTerminal(const QString& cheminProgramme);
  // The list loaded into the montage as its "Ouvrir" does, the current
  // folder moved to the list's; the exit code 2 when it cannot be (said,
  // by the name `nommee` the command line gave it).
  int Ouvrir(const QString& liste, const QString& nommee);

  FichiersHote fichiers;
  DialoguesTerminal dialogues;
  CoucheAudioSilencieuse audio;
  EcranFixe ecran{QSize(1280, 800)};
  CadenceSimulee cadence;
  BureauEnregistre bureau;
  VoisinsMontage voisins;
  std::unique_ptr<TFVue> vue;
  QTemporaryDir reglages;
  std::unique_ptr<Registre> registre;
  std::unique_ptr<TFOptions> options;
  std::unique_ptr<Montage> montage;
};

// --verifier: 0 for a clean list, 1 when faults were printed, 2 when the
// list cannot be read.
int VerifierEnTerminal(const Commande& commande, const QString& cheminProgramme);

// --publier: 0 once everything asked was done, 1 otherwise, 2 when the
// list cannot be read.
int PublierEnTerminal(const Commande& commande, const QString& cheminProgramme);

// --montage: the list shown in the montage window of the running program,
// as "Ouvrir" would load it, unless the montage holds edits taken back
// from a killed run; false when it cannot be read (said, by the name
// `nommee` the command line gave it).
bool OuvrirDansMontage(TFVue& vue, const QString& liste, const QString& nommee);

// Windows-1252 text for the terminal, carriage returns as spaces.
QString PourTerminal(const Texte& texte);

}  // namespace plivor
