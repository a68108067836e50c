#pragma once
// The montage engine with a projection engine around it, on a real
// temporary folder, with scripted dialogs and the projection's hooks
// routed to the montage as in the program.

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
#include "projection/TFVue.h"

namespace plivor::test {

class BancMontage {
 public:
  // `son`: a real audio layer; `fichiersMontage`: file services of the
  // montage in place of the projection's.
  explicit BancMontage(CoucheAudio* son = nullptr, ServicesFichiers* fichiersMontage = nullptr);

  Texte Chemin(const QString& nom) const;
  QString CheminHote(const QString& nom) const;
  void Ecrire(const QString& nom, const std::string& octets) const;
  std::string Lire(const QString& nom) const;
  // A small picture (JPEG) under that name.
  void Image(const QString& nom, int largeur = 64, int hauteur = 48) const;
  // Lines given, selection of `choisies`, focus on the last of them.
  void Lignes(const Liste& lignes, const std::vector<int>& choisies = {});

  QTemporaryDir dossier;
  FichiersHote fichiers;
  DialoguesScriptes dialogues;
  CoucheAudioSilencieuse audio;
  EcranFixe ecran;
  BureauEnregistre bureau;
  CadenceSimulee cadence;
  VoisinsMontage voisins;
  std::unique_ptr<TFVue> vue;
  std::unique_ptr<Registre> registre;
  std::unique_ptr<TFOptions> options;
  std::unique_ptr<Montage> montage;
};

}  // namespace plivor::test
