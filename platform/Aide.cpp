#include "platform/Aide.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace plivor {

QString PageAide(const QString& fichierAide, int rubrique) {
  const QDir dossier(fichierAide);
  const QString page = dossier.filePath(QStringLiteral("%1.html").arg(rubrique));
  if (QFileInfo::exists(page)) return page;
  const QString sommaire = dossier.filePath(QStringLiteral("index.html"));
  return QFileInfo::exists(sommaire) ? sommaire : QString();
}

VisionneuseAide::VisionneuseAide() : texte_(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("Aide de Plivor"));
  resize(520, 600);
  auto* disposition = new QVBoxLayout(this);
  disposition->setContentsMargins(0, 0, 0, 0);
  disposition->addWidget(texte_);
  texte_->setOpenLinks(true);
}

void VisionneuseAide::Ouvrir(const QString& page) {
  texte_->setSource(QUrl::fromLocalFile(page));
  show();
  raise();
  activateWindow();
}

}  // namespace plivor
