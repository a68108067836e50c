// Program entry. With "--rendu DOSSIER" the sequence is projected without a
// display and its frames are written to DOSSIER.

#include <QApplication>
#include <QSessionManager>
#include <QIcon>
#include <cstring>

#include "app/Programme.h"
#include "app/Rendu.h"
#include "app/VideoTerminal.h"
#include "app/Capture.h"
#include "platform/Polices.h"
#include "platform/Signaux.h"
#include "platform/Traductions.h"

namespace {

bool RenduDemande(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--rendu") == 0) return true;
  return false;
}

plivor::ReglagesRendu LireReglagesRendu(const QStringList& arguments) {
  plivor::ReglagesRendu r;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (a == QLatin1String("--rendu") && i + 1 < arguments.size())
      r.dossier = arguments[++i];
    else if (a == QLatin1String("--pendant"))
      r.pendant = true;
    else if (a == QLatin1String("--etapes") && i + 1 < arguments.size())
      r.etapes = arguments[++i].toInt();
    else
      r.liste = a;
  }
  return r;
}


}  // namespace

int main(int argc, char* argv[]) {
  const bool video = plivor::VideoDemandee(argc, argv);
  const bool rendu = RenduDemande(argc, argv);
  if (rendu || video) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Plivor  v-1.1ck- fr"));
  application.setOrganizationName(QStringLiteral("Orvande"));
  plivor::InstallerPolices();
  const auto traductionQt = plivor::InstallerTraductionsQt();
  if (video) return plivor::ExporterEnVideo(application.arguments(), QCoreApplication::applicationFilePath());
  if (rendu) {
    plivor::ReglagesRendu reglages = LireReglagesRendu(application.arguments());
    reglages.cheminProgramme = QCoreApplication::applicationFilePath();
    return plivor::Rendre(reglages);
  }
  plivor::OptionsProgramme options;
  options.fichierReglages = qEnvironmentVariable("PLIVOR_REGLAGES");
  QStringList arguments = application.arguments().mid(1);
  plivor::PreparerCapture(arguments);
  options.arguments = arguments;
  plivor::Programme programme(QCoreApplication::applicationFilePath(), options);
  if (!programme.Vue().IconeApplication.isEmpty())
    application.setWindowIcon(QIcon(programme.Vue().IconeApplication));
  // The end asks no window: the projection window has run its closing
  // sequence already, and would refuse a close asked of it.
  QObject::connect(&programme.Vue(), &plivor::TFVue::Terminer, &application, [] { QCoreApplication::exit(0); },
                   Qt::QueuedConnection);
  plivor::SignauxFin signaux;
  QObject::connect(&signaux, &plivor::SignauxFin::FinDemandee, &programme.Vue(), [&programme] { programme.FinDemandee(); });
  // The session ends (logout, shutdown): as a signal.
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &programme.Vue(),
                   [&programme](QSessionManager&) { programme.FinDemandee(); });
  programme.Demarrer();
  return application.exec();
}
