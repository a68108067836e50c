#include "platform/Traductions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace plivor {

std::unique_ptr<QTranslator> InstallerTraductionsQt() {
  auto traduction = std::make_unique<QTranslator>();
  if (!traduction->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return nullptr;
  QCoreApplication::installTranslator(traduction.get());
  return traduction;
}

}  // namespace plivor
