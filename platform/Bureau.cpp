#include "platform/Bureau.h"

#include <QDesktopServices>
#include <QUrl>

namespace plivor {

bool BureauHote::OuvrirDocument(const QString& chemin) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}

}  // namespace plivor
