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
  plivor::Programme programme(QCoreApplication::applicationFilePath(), options);
  if (!programme.Vue().IconeApplication.isEmpty())
    application.setWindowIcon(QIcon(programme.Vue().IconeApplication));
  QObject::connect(&programme.Vue(), &plivor::TFVue::GeometrieChangee, &application, [&] {
    if (programme.Vue().Fermeture) application.quit();
  });
  return application.exec();
}
