#pragma once
// A projection window's engine with everything around it: a real temporary
// folder, scripted dialogs, a silent audio layer, a fixed screen, recorded
// neighbour windows and the options engine on a settings file of its own.

#include <QTemporaryDir>
#include <memory>

#include "options/Registre.h"
#include "options/TFOptions.h"
#include "platform/Audio.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/Ecran.h"
#include "platform/FichiersHote.h"
#include "projection/TFVue.h"
#include "navigation/PanneauNavigation.h"
#include "projection/Voisins.h"

namespace plivor::test {

class BancVue {
 public:
  // `son`: a real audio layer in place of the silent one.
  explicit BancVue(QSize ecran = QSize(1280, 800), CoucheAudio* son = nullptr);

  // Path of a file in the temporary folder, as a line.
  Texte Chemin(const QString& nom) const;
  QString CheminHote(const QString& nom) const;
  void EcrireTexte(const QString& nom, const std::string& contenu) const;
  // Loads line 0 of a fresh list, as the start of a projection does.
  void Projeter(const Liste& lignes);

  QTemporaryDir dossier;
  FichiersHote fichiers;
  DialoguesScriptes dialogues;
  CoucheAudioSilencieuse audio;
  EcranFixe ecran;
  BureauEnregistre bureau;
  CadenceSimulee cadence;
  VoisinsNavigation voisins;  // without a panel engine: VoisinsAbsents
  std::unique_ptr<TFVue> vue;
  std::unique_ptr<Registre> registre;
  std::unique_ptr<TFOptions> options;
};

}  // namespace plivor::test
