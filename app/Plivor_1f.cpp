// Program entry. With "--rendu DOSSIER" the sequence is projected without a
// display and its frames are written to DOSSIER; with "--video" it is
// exported; "--verifier" and "--publier" check and publish a list without
// a display; otherwise the windows open, with "--montage" on the list
// loaded in the montage.

#include <QApplication>
#include <QFileInfo>
#include <QSessionManager>
#include <QIcon>
#include <cstdio>
#include <memory>

#include "app/Accueil.h"
#include "app/Capture.h"
#include "app/Enchainement.h"
#include "app/Instance.h"
#include "app/LigneDeCommande.h"
#include "app/Programme.h"
#include "app/Rendu.h"
#include "app/Terminal.h"
#include "app/VideoTerminal.h"
#include "platform/IconeProgramme.h"
#include "platform/Polices.h"
#include "platform/Signaux.h"
#include "platform/Traductions.h"

int main(int argc, char* argv[]) {
  // Help, version and faults need no display.
  const plivor::Commande commande = plivor::LireCommande(plivor::ArgumentsDe(argc, argv), plivor::Executable::Plivor);
  if (const int code = plivor::RepondreSansFenetre(commande, plivor::Executable::Plivor); code >= 0) return code;
  using Mode = plivor::Commande::Mode;
  const bool video = commande.mode == Mode::Video;
  const bool rendu = commande.mode == Mode::Rendu;
  const bool terminal = commande.mode == Mode::Verifier || commande.mode == Mode::Publier;
  const bool montage = commande.mode == Mode::Montage;
  if (montage && !QFileInfo(commande.listes.value(0)).isReadable()) {
    std::fprintf(stderr, "Liste illisible : %s\n", qPrintable(commande.listesDonnees.value(0)));
    return 2;
  }
  if (rendu || video || terminal) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Plivor  v-1.1ck- fr"));
  application.setOrganizationName(QStringLiteral("Orvande"));
  plivor::InstallerPolices();
  const auto traductionQt = plivor::InstallerTraductionsQt();
  if (video) return plivor::ExporterEnVideo(commande, QCoreApplication::applicationFilePath());
  if (rendu) return plivor::Rendre(commande, QCoreApplication::applicationFilePath());
  if (commande.mode == Mode::Verifier) return plivor::VerifierEnTerminal(commande, QCoreApplication::applicationFilePath());
  if (commande.mode == Mode::Publier) return plivor::PublierEnTerminal(commande, QCoreApplication::applicationFilePath());
  // A launch with windows goes to the program already open, if there is one.
  std::unique_ptr<plivor::Instance> instance;
  if (commande.capture.isEmpty() && !commande.nouvelleInstance) {
    instance = std::make_unique<plivor::Instance>(QString(), qEnvironmentVariable("PLIVOR_REGLAGES"));
    switch (instance->Etablir({commande.listes, montage})) {
      case plivor::Instance::Issue::Confiee: return 0;
      case plivor::Instance::Issue::Muette:
        std::fputs("Le programme déjà ouvert ne répond pas.\n", stderr);
        return 1;
      case plivor::Instance::Issue::Libre: instance.reset(); break;
      case plivor::Instance::Issue::Seule: break;
    }
  }
  plivor::OptionsProgramme options;
  options.fichierReglages = qEnvironmentVariable("PLIVOR_REGLAGES");
  options.sansSurveillance = commande.sansSurveillance;
  plivor::Capture capture(commande);
  plivor::Programme programme(QCoreApplication::applicationFilePath(), options);
  // The list folder's own icon, if it has one, else the program's at every size.
  application.setWindowIcon(programme.Vue().IconeApplication.isEmpty()
                                ? plivor::IconeProgramme(plivor::TexteEcran(programme.Vue().DossierFichiersProgramme))
                                : QIcon(programme.Vue().IconeApplication));
  // The end asks no window: the projection window has run its closing
  // sequence already, and would refuse a close asked of it.
  QObject::connect(&programme.Vue(), &plivor::TFVue::Terminer, &application, [] { QCoreApplication::exit(0); },
                   Qt::QueuedConnection);
  plivor::SignauxFin signaux;
  QObject::connect(&signaux, &plivor::SignauxFin::FinDemandee, &programme.Vue(), [&programme] { programme.FinDemandee(); });
  // The session ends (logout, shutdown): as a signal.
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &programme.Vue(),
                   [&programme](QSessionManager&) { programme.FinDemandee(); });
  // The montage's list is edited, not projected: the show opens as usual.
  const plivor::ListesCommande listes(montage ? QStringList{} : commande.listes);
  const std::unique_ptr<plivor::Accueil> accueil(instance ? new plivor::Accueil(programme, *instance) : nullptr);
  listes.AvantOuverture(programme.Vue());
  programme.Demarrer();
  listes.ApresOuverture(programme.Vue());
  programme.ProposerRecuperation();
  if (montage && !plivor::OuvrirDansMontage(programme.Vue(), commande.listes.value(0), commande.listesDonnees.value(0))) return 2;
  // A capture taken inside the opening's own dialogs ended their loops
  // only: the program's loop is not started then.
  if (capture.Finie()) return capture.Fin(0);
  return capture.Fin(application.exec());
}
