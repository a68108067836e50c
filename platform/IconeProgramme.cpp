#include "platform/IconeProgramme.h"

#include <QDir>
#include <QFileInfo>

namespace plivor {

QIcon IconeProgramme(const QString& dossierDonnees) {
  QIcon icone;
  const QDir tailles(dossierDonnees + QStringLiteral("/icones/hicolor"));
  for (const QString& taille : tailles.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QString png = tailles.filePath(taille + QStringLiteral("/apps/plivor.png"));
    if (QFileInfo(png).isFile()) icone.addFile(png);
  }
  if (!icone.isNull()) return icone;
  icone = QIcon::fromTheme(QStringLiteral("plivor"));
  if (!icone.isNull()) return icone;
  return QIcon(dossierDonnees + QStringLiteral("/Plivor.ico"));
}

}  // namespace plivor
