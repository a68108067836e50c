// The stand-alone player: the projection and its navigation panel only, for
// a published folder to carry. It reads the user's settings and never
// writes them; the montage, resource, opener and options windows are not
// there, and their commands leave the show as it was.

#include <QApplication>
#include <QTimer>
#include <memory>

#include "app/Capture.h"
#include "app/Enchainement.h"
#include "app/LigneDeCommande.h"
#include "navigation/PanneauNavigation.h"
#include "navigation/TFMenu.h"
#include "options/Registre.h"
#include "options/TFOptions.h"
#include "platform/IconeProgramme.h"
#include "platform/AudioSdl.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/Ecran.h"
#include "platform/FichiersHote.h"
#include "platform/Polices.h"
#include "platform/Signaux.h"
#include "platform/Traductions.h"
#include "projection/EcranVue.h"
#include "projection/MenuProjection.h"
#include "projection/TFVue.h"

namespace plivor {
namespace {

class VoisinsLecteur : public VoisinsNavigation {
 public:
  TFVue* vue = nullptr;
  // No montage: the show paused for it goes on.
  void EditerDansMontage(const Liste&, const Texte&, const Texte&, int, bool) override {
    if (vue && vue->EtatPause > 0) vue->PauseClick(Emetteur::Aucun);
  }
  // No opener: another list is chosen in the open dialog.
  void MontrerOuvreur() override {
    if (vue) QTimer::singleShot(0, vue, [v = vue] { v->ChargerListe(Emetteur::PopOuvrir); });
  }
};

class Lecteur {
 public:
  explicit Lecteur(const QString& cheminProgramme) {
    const QString reglages = qEnvironmentVariable("PLIVOR_REGLAGES");
    registre_ = reglages.isEmpty() ? std::make_unique<Registre>() : std::make_unique<Registre>(reglages);
    const Texte programme = LigneDepuisHote(cheminProgramme.toStdString()).value_or(Texte{});
    ServicesVue services{fichiers_, dialogues_, audio_, ecran_, cadence_, bureau_, voisins_,
                         DossierDe(programme, fichiers_.Style())};
    vue_ = std::make_unique<TFVue>(services);
    vue_->CheminProgramme = programme;
    voisins_.vue = vue_.get();
    ecranVue_ = std::make_unique<EcranVue>(*vue_);
    panneau_ = std::make_unique<PanneauNavigation>(*vue_, ecran_.Taille());
    voisins_.panneauNav = panneau_.get();
    menu_ = std::make_unique<TFMenu>(*panneau_, *vue_, &ecranVue_->Menu().PopImage());
    // The settings engine without its window: the options command closes
    // again at once, and the show resumes.
    options_ = std::make_unique<TFOptions>(*vue_, *registre_);
    QObject::connect(options_.get(), &TFOptions::VisibiliteChangee, options_.get(), [this](bool visible) {
      if (visible) QTimer::singleShot(0, options_.get(), [this] { options_->FermerOptions(); });
    });
  }
  TFVue& Vue() { return *vue_; }

 private:
  FichiersHote fichiers_;
  DialoguesEcran dialogues_;
  CoucheAudioSdl audio_;
  BureauHote bureau_{dialogues_};
  CadenceReelle cadence_;
  EcranPrincipal ecran_;
  std::unique_ptr<Registre> registre_;
  VoisinsLecteur voisins_;
  std::unique_ptr<TFVue> vue_;
  std::unique_ptr<EcranVue> ecranVue_;
  std::unique_ptr<PanneauNavigation> panneau_;
  std::unique_ptr<TFMenu> menu_;
  std::unique_ptr<TFOptions> options_;
};


}  // namespace
}  // namespace plivor

int main(int argc, char* argv[]) {
  const plivor::Commande commande = plivor::LireCommande(plivor::ArgumentsDe(argc, argv), plivor::Executable::Prelio);
  if (const int code = plivor::RepondreSansFenetre(commande, plivor::Executable::Prelio); code >= 0) return code;
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Prelio  v-1.1ck- fr"));
  application.setOrganizationName(QStringLiteral("Orvande"));
  plivor::InstallerPolices();
  const auto traductionQt = plivor::InstallerTraductionsQt();
  plivor::Capture capture(commande);
  plivor::Lecteur lecteur(QCoreApplication::applicationFilePath());
  application.setWindowIcon(plivor::IconeProgramme(plivor::TexteEcran(lecteur.Vue().DossierFichiersProgramme)));
  QObject::connect(&lecteur.Vue(), &plivor::TFVue::Terminer, &application, [] { QCoreApplication::exit(0); },
                   Qt::QueuedConnection);
  plivor::SignauxFin signaux;
  // A signal closes any dialog open, then ends the player.
  QObject::connect(&signaux, &plivor::SignauxFin::FinDemandee, &lecteur.Vue(), [&lecteur] {
    plivor::FermerLesDialogues();
    QTimer::singleShot(0, &lecteur.Vue(), [&lecteur] { lecteur.Vue().QuitterSurSignal(); });
  });
  const plivor::ListesCommande listes(commande.listes);
  listes.AvantOuverture(lecteur.Vue());
  lecteur.Vue().Ouverture();
  listes.ApresOuverture(lecteur.Vue());
  if (capture.Finie()) return capture.Fin(0);
  return capture.Fin(application.exec());
}
