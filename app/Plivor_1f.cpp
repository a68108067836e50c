// Program entry.

#include <QApplication>
#include <QIcon>

#include "app/Programme.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Plivor  v-1.1ck- fr"));
  application.setOrganizationName(QStringLiteral("Orvande"));
  plivor::OptionsProgramme options;
  options.fichierReglages = qEnvironmentVariable("PLIVOR_REGLAGES");
  options.arguments = application.arguments().mid(1);
  plivor::Programme programme(QCoreApplication::applicationFilePath(), options);
  if (!programme.Vue().IconeApplication.isEmpty())
    application.setWindowIcon(QIcon(programme.Vue().IconeApplication));
  QObject::connect(&programme.Vue(), &plivor::TFVue::Terminer, &application, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  programme.Demarrer();
  return application.exec();
}
