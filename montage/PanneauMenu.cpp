#include "montage/PanneauMenu.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace plivor {

PanneauMenu::PanneauMenu(MenuScenes& moteur, QWidget* couvert, QWidget* parent)
    : QWidget(parent), moteur_(moteur), couvert_(couvert) {
  setObjectName(QStringLiteral("Menu_Pn"));
  couvert_->installEventFilter(this);
  setAutoFillBackground(true);
  auto* colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(4, 4, 4, 4);
  auto* titre = new QLabel(QStringLiteral("Création de la liste des Drapeaux"), this);
  titre->setObjectName(QStringLiteral("Menu_trFree"));
  colonne->addWidget(titre);

  auto* boutons = new QHBoxLayout;
  const auto bouton = [this, boutons](const char* nom, const QString& glyphe, const QString& bulle, BoutonMenu b) {
    auto* bt = new QToolButton(this);
    bt->setObjectName(QString::fromLatin1(nom));
    bt->setText(glyphe);
    bt->setToolTip(bulle);
    bt->setFixedSize(30, 24);
    boutons->addWidget(bt);
    connect(bt, &QToolButton::clicked, this, [this, b] { moteur_.CreerMenu(b); });
  };
  bouton("Menu_Aide", QStringLiteral("?"), QStringLiteral("Aide - Création de menu"), BoutonMenu::Aide);
  bouton("Menu_Valider", QStringLiteral("✔"), QStringLiteral("Créer le Menu"), BoutonMenu::Valider);
  bouton("Menu_Annuler", QStringLiteral("✕"), QStringLiteral("Annuler et Fermer"), BoutonMenu::Annuler);
  bouton("Menu_Tester", QStringLiteral("▶"), QStringLiteral("Tester le Menu"), BoutonMenu::Tester);
  boutons->addStretch();
  colonne->addLayout(boutons);

  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("Menu_message"));
  QFont gras = message_->font();
  gras.setBold(true);
  message_->setFont(gras);
  colonne->addWidget(message_);

  auto* type = new QGroupBox(QStringLiteral("Options de Menu"), this);
  type->setObjectName(QStringLiteral("Menu_Type"));
  auto* options = new QVBoxLayout(type);
  vignettes_ = new QRadioButton(QStringLiteral("Vignettes"), type);
  texte_ = new QRadioButton(QStringLiteral("Menu Texte  "), type);
  menuPvl_ = new QCheckBox(QStringLiteral("Inclure les sous-Listes"), type);
  menuSeq_ = new QCheckBox(QStringLiteral("Inclure les Séquences"), type);
  effacer_ = new QCheckBox(QStringLiteral("Supprimer les lignes-Vignettes"), type);
  for (QWidget* w : {static_cast<QWidget*>(vignettes_), static_cast<QWidget*>(texte_), static_cast<QWidget*>(menuPvl_),
                     static_cast<QWidget*>(menuSeq_), static_cast<QWidget*>(effacer_)})
    options->addWidget(w);
  colonne->addWidget(type);
  const auto coche = [this](auto faire) {
    return [this, faire](bool) {
      if (synchro_) return;
      faire();
      moteur_.MenuCocheChange();
    };
  };
  connect(vignettes_, &QRadioButton::toggled, this, coche([this] { moteur_.TypeMenu = vignettes_->isChecked() ? 0 : 1; }));
  connect(menuPvl_, &QCheckBox::toggled, this, coche([this] { moteur_.MenuPvl = menuPvl_->isChecked(); }));
  connect(menuSeq_, &QCheckBox::toggled, this, coche([this] { moteur_.MenuSeq = menuSeq_->isChecked(); }));
  connect(effacer_, &QCheckBox::toggled, this, [this](bool oui) { moteur_.MenuEffacer = oui; });

  entrees_ = new QListWidget(this);
  entrees_->setObjectName(QStringLiteral("MemoListe"));
  colonne->addWidget(entrees_, 10);
  colonne->addStretch(1);  // the controls stay at the top while the list is hidden
  connect(&moteur_, &MenuScenes::Change, this, &PanneauMenu::Actualiser);
  Actualiser();
}

bool PanneauMenu::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == couvert_ && (evenement->type() == QEvent::Resize || evenement->type() == QEvent::Move))
    setGeometry(couvert_->geometry());
  return QWidget::eventFilter(objet, evenement);
}

void PanneauMenu::Actualiser() {
  synchro_ = true;
  message_->setText(TexteEcran(moteur_.Message));
  (moteur_.TypeMenu == 0 ? vignettes_ : texte_)->setChecked(true);
  menuPvl_->setChecked(moteur_.MenuPvl);
  menuSeq_->setChecked(moteur_.MenuSeq);
  effacer_->setChecked(moteur_.MenuEffacer);
  entrees_->clear();
  for (const Texte& entree : moteur_.Entrees()) entrees_->addItem(TexteEcran(entree));
  entrees_->setVisible(moteur_.EntreesVisibles());
  setGeometry(couvert_->geometry());
  setVisible(moteur_.Ouvert);
  if (moteur_.Ouvert) raise();
  synchro_ = false;
}

}  // namespace plivor
