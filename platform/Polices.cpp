#include "platform/Polices.h"

#include <QFontDatabase>
#include <QStringList>

#include "core/Notations.h"

namespace plivor {

void InstallerPolices() {
  const QStringList lourdes = {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                               QStringLiteral("FreeSans")};
  QFont::insertSubstitutions(QString::fromLatin1(kPoliceParDefaut), lourdes);
}

bool PoliceInstalleeSurEcran(const QString& famille) { return QFontDatabase::hasFamily(famille); }

QFont PoliceDeTitre(const QString& famille, int style, int hauteurPixels) {
  QFont police(famille);
  police.setPixelSize(std::max(1, hauteurPixels));
  // The stand-in keeps the weight of the face it replaces.
  if (famille == QLatin1String(kPoliceParDefaut)) police.setWeight(QFont::Black);
  police.setBold(style == Style::Gras || police.weight() >= QFont::Bold);
  police.setItalic(style == Style::Italique);
  police.setUnderline(style == Style::Souligne);
  police.setStyleStrategy(QFont::PreferAntialias);
  return police;
}

}  // namespace plivor
