#include "platform/VueDossiers.h"

#include <QComboBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace plivor {

VueDossiers::VueDossiers(ArbreDossiers& arbre, QWidget* parent) : QWidget(parent), arbre_(arbre) {
  auto* colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(0, 0, 0, 0);
  colonne->setSpacing(2);
  directory_ = new QListWidget(this);
  directory_->setObjectName(QStringLiteral("Directory"));
  unite_ = new QComboBox(this);
  unite_->setObjectName(QStringLiteral("Unite"));
  unite_->setToolTip(QStringLiteral("Sélectionner un disque"));
  // Long mount points must not widen the narrow windows that hold it.
  unite_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  unite_->setMinimumContentsLength(8);
  for (const UniteDisque& u : Unites()) unite_->addItem(u.libelle, u.chemin);
  colonne->addWidget(directory_, 1);
  colonne->addWidget(unite_);
  connect(unite_, &QComboBox::activated, this, [this](int index) {
    if (arbre_.Ouvrir(unite_->itemData(index).toString())) Relire();
    emit UniteChoisie();
  });
  connect(directory_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    if (arbre_.OuvrirEntree(item->text())) Relire();
    emit DossierOuvert();
  });
  Relire();
}

void VueDossiers::Relire() {
  directory_->clear();
  directory_->addItems(arbre_.SousDossiers());
  directory_->setToolTip(arbre_.Dossier());
  // The drive box shows the drive the folder lies on: the longest start.
  int meilleure = 0;
  qsizetype longueur = 0;
  for (int i = 0; i < unite_->count(); ++i) {
    const QString chemin = unite_->itemData(i).toString();
    const bool dedans = arbre_.Dossier() == chemin || chemin == QLatin1String("/") ||
                        arbre_.Dossier().startsWith(chemin + QLatin1Char('/'));
    if (dedans && chemin.size() > longueur) {
      meilleure = i;
      longueur = chemin.size();
    }
  }
  unite_->setCurrentIndex(meilleure);
}

}  // namespace plivor
