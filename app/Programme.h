#pragma once
// The program's windows, created in their order and kept for the whole run.

#include <QApplication>
#include <memory>

#include "navigation/PanneauNavigation.h"
#include "navigation/TFMenu.h"
#include "montage/Recuperation.h"
#include "montage/TFListe.h"
#include "montage/VoisinsMontage.h"
#include "opener/TFOuvrir.h"
#include "options/FenetreOptions.h"
#include "options/Installation.h"
#include "options/Registre.h"
#include "options/TFOptions.h"
#include "platform/Audio.h"
#include "platform/AudioSdl.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/DialoguesSurveilles.h"
#include "platform/Ecran.h"
#include "platform/FichiersHote.h"
#include "projection/EcranVue.h"
#include "projection/MenuProjection.h"
#include "projection/TFVue.h"
#include "projection/Voisins.h"
#include "sources/TFSource.h"

namespace plivor {

// The other windows as the projection calls on them: the navigation panel
// and the montage through their engines, the others as the windows that
// exist so far.
class VoisinsProgramme : public VoisinsMontage {
 public:
  void MontrerOuvreur() override {
    if (ouvreur) ouvreur->show();
  }
  void StyleWindows(bool bordure) override;
  void Bulles(bool visibles) override;

  TFListe* liste = nullptr;
  TFSource* source = nullptr;
  TFOuvrir* ouvreur = nullptr;
};

struct OptionsProgramme {
  QString fichierReglages;  // settings in this file instead of the user's
  bool ecranFixe = false;   // a fixed 1280 x 800 screen instead of the real one
  bool sansSurveillance = false;  // a show left to run alone
};

class Programme {
 public:
  Programme(const QString& cheminProgramme, const OptionsProgramme& options);
  // The opener exists last; its creation opens the show.
  void Demarrer();
  // Edits a run ended without saving left behind are offered back.
  void ProposerRecuperation();
  // A signal or the session's end: unsaved edits are copied aside, every
  // dialog is closed and the program ends through its closing sequence.
  void FinDemandee();
  TFVue& Vue() { return *vue_; }
  EcranVue& FenetreVue() { return *ecranVue_; }
  Montage& MoteurMontage() { return liste_->Moteur(); }

 private:
  FichiersHote fichiers_;
  DialoguesEcran dialogues_;
  DialoguesSurveilles surveilles_{dialogues_};
  bool minuterieTenue_ = false;
  CoucheAudioSdl audio_;
  BureauHote bureau_{surveilles_};
  CadenceReelle cadence_;
  std::unique_ptr<Ecran> ecran_;
  std::unique_ptr<Registre> registre_;
  VoisinsProgramme voisins_;
  std::unique_ptr<TFVue> vue_;
  std::unique_ptr<EcranVue> ecranVue_;
  std::unique_ptr<PanneauNavigation> panneau_;
  std::unique_ptr<TFMenu> menu_;
  std::unique_ptr<TFOptions> options_;
  std::unique_ptr<FenetreOptions> fenetreOptions_;
  std::unique_ptr<Installation> installation_;
  std::unique_ptr<TFListe> liste_;
  std::unique_ptr<Recuperation> recuperation_;
  bool finParSignal_ = false;
  std::unique_ptr<TFSource> source_;
  std::unique_ptr<TFOuvrir> ouvrir_;
};

}  // namespace plivor
