#include "options/FenetreOptions.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "core/Langue.h"
#include "options/TFOptions.h"
#include "platform/DeplacementFenetre.h"
#include "platform/Ecran.h"
#include "projection/PreparationImage.h"

namespace plivor {

namespace {

// Every option shows at once and whole: the list is as tall and as wide as
// its rows, so the window grows to it rather than scroll.
void AjusterAuContenu(QListWidget* liste) {
  liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  liste->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  int hauteur = 0;
  for (int i = 0; i < liste->count(); ++i) hauteur += liste->sizeHintForRow(i);
  const int cadre = 2 * liste->frameWidth();
  liste->setMinimumSize(liste->sizeHintForColumn(0) + cadre, hauteur + cadre);
}

}  // namespace

FenetreOptions::FenetreOptions(TFOptions& options, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool), options_(options) {
  setObjectName(QStringLiteral("TFOptions"));
  // Frameless: its free parts are its caption.
  DeplacementFenetre::Installer(this);
  setWindowTitle(QStringLiteral("Plivor - Options"));
  resize(185, 281);
  auto* disposition = new QVBoxLayout(this);
  disposition->setContentsMargins(2, 2, 2, 2);
  opt_Page_ = new QTabWidget(this);
  // Each page's tab in view: the window is as wide as the three.
  opt_Page_->tabBar()->setUsesScrollButtons(false);
  opt_Page_->addTab(PageAPropos(), QStringLiteral(" A Propos"));
  opt_Page_->addTab(PageOptions(), QStringLiteral(" Options "));
  pageInstallation_ = new QWidget(this);
  opt_Page_->addTab(pageInstallation_, QStringLiteral("Installation"));
  disposition->addWidget(opt_Page_);
  auto* bt_Fermer = new QPushButton(QStringLiteral("Fermer"), this);
  bt_Fermer->setToolTip(QStringLiteral("Fermer le panneau Options"));
  disposition->addWidget(bt_Fermer);
  connect(bt_Fermer, &QPushButton::clicked, this, [this] { options_.FermerOptions(); });
  connect(&options_, &TFOptions::ControlesChanges, this, &FenetreOptions::Actualiser);
  connect(&options_, &TFOptions::VisibiliteChangee, this, [this](bool visible) {
    if (visible) {
      opt_Page_->setCurrentIndex(options_.opt_Page);
      // Centred on the screen at the size its contents take, its top in view.
      if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        layout()->activate();
        const QRect zone = ecran->availableGeometry();
        QRect place(QPoint(0, 0), size());
        place.moveCenter(zone.center());
        place.moveTop(std::max(place.top(), zone.top()));
        move(place.topLeft());
      }
    }
    setVisible(visible);
  });
  Actualiser();
}

QWidget* FenetreOptions::PageAPropos() {
  auto* page = new QWidget(this);
  auto* d = new QVBoxLayout(page);
  d->addWidget(new QLabel(options_.tr_version, page));
  d->addWidget(new QLabel(options_.oAtr_Version, page));
  auto* presentation = new QPushButton(QStringLiteral("Présentation"), page);
  auto* auteur = new QPushButton(QStringLiteral("L'auteur"), page);
  connect(presentation, &QPushButton::clicked, this, [this] { options_.AppelAide(Emetteur::AProposPresentation); });
  connect(auteur, &QPushButton::clicked, this, [this] { options_.AppelAide(Emetteur::AProposAuteur); });
  d->addWidget(presentation);
  d->addWidget(auteur);
  d->addStretch();
  return page;
}

QWidget* FenetreOptions::PageOptions() {
  auto* page = new QWidget(this);
  auto* d = new QFormLayout(page);
  d->setContentsMargins(2, 2, 2, 2);
  opt_ListeIntro_ = new QPushButton(page);
  opt_ListeIntro_->setToolTip(QStringLiteral("Cliquer pour sélectionner une autre liste"));
  opt_chemin_ = new QLabel(page);
  opt_tempo_ = new QLineEdit(page);
  opt_tempo_->setToolTip(QStringLiteral("Entrer une valeur numérique"));
  opt_couleurFond_ = new QPushButton(page);
  opt_couleurFond_->setToolTip(QStringLiteral("Cliquer pour la modifier"));
  opt_Vitesse_ = new QComboBox(page);
  opt_Vitesse_->addItems(FacteursVitesse());
  opt_Vitesse_->setToolTip(QStringLiteral("Réglage de la vitesse des transitions"));
  options_liste_ = new QListWidget(page);
  for (const QString& libelle : TFOptions::LibellesOptions()) {
    auto* item = new QListWidgetItem(libelle, options_liste_);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    item->setCheckState(Qt::Unchecked);
  }
  AjusterAuContenu(options_liste_);
  opt_langue_ = new QComboBox(page);
  opt_langue_->setToolTip(QStringLiteral("Choisir un deuxième langage"));
  for (const char* entree : kChoixLangues) opt_langue_->addItem(QString::fromLatin1(entree));
  opt_ecran_ = new QComboBox(page);
  opt_ecran_->setObjectName(QStringLiteral("opt_ecran"));
  opt_ecran_->setToolTip(QStringLiteral("L'écran qui montre la projection en plein écran"));
  auto* bto_sauver = new QPushButton(QStringLiteral("Enregistrer les options"), page);
  bto_sauver->setDefault(true);
  d->addRow(QStringLiteral("Liste"), opt_ListeIntro_);
  d->addRow(opt_chemin_);
  d->addRow(QStringLiteral("Tempo"), opt_tempo_);
  d->addRow(QStringLiteral("Fond"), opt_couleurFond_);
  d->addRow(QStringLiteral("CPU Mz"), opt_Vitesse_);
  d->addRow(options_liste_);
  d->addRow(QStringLiteral("Langue"), opt_langue_);
  d->addRow(new QLabel(QStringLiteral("Écran de projection"), page));
  d->addRow(opt_ecran_);
  d->addRow(bto_sauver);

  connect(opt_ListeIntro_, &QPushButton::clicked, this, [this] { options_.ChoisirIntro(); });
  connect(opt_tempo_, &QLineEdit::editingFinished, this, [this] {
    options_.opt_tempo = opt_tempo_->text();
    options_.ChoisirTempo();
  });
  connect(opt_couleurFond_, &QPushButton::clicked, this, [this] { options_.ChoisirCouleur(); });
  connect(opt_Vitesse_, &QComboBox::activated, this, [this](int index) { options_.ChoisirVitesse(index); });
  connect(options_liste_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (actualisation_) return;
    options_.Coches(options_liste_->row(item), item->checkState() == Qt::Checked);
  });
  connect(opt_langue_, &QComboBox::activated, this, [this](int index) { options_.opt_langueChange(index); });
  connect(opt_ecran_, &QComboBox::activated, this, [this](int index) { options_.ChoisirEcran(index); });
  connect(bto_sauver, &QPushButton::clicked, this, [this] { options_.OptionsSauver(); });
  return page;
}

// Closing the window is the close button: the show resumes.
void FenetreOptions::closeEvent(QCloseEvent* evenement) {
  evenement->ignore();
  options_.FermerOptions();
}

void FenetreOptions::Actualiser() {
  actualisation_ = true;
  opt_ListeIntro_->setText(options_.opt_ListeIntro);
  opt_chemin_->setText(opt_chemin_->fontMetrics().elidedText(options_.opt_chemin, Qt::ElideMiddle, 170));
  opt_chemin_->setToolTip(options_.opt_chemin);
  opt_tempo_->setText(options_.opt_tempo);
  opt_couleurFond_->setStyleSheet(
      QStringLiteral("background-color: %1").arg(VersQColor(options_.opt_couleurFond).name()));
  opt_Vitesse_->setCurrentIndex(options_.opt_Vitesse);
  for (int i = 0; i < options_liste_->count(); ++i)
    options_liste_->item(i)->setCheckState(options_.Coche(i) ? Qt::Checked : Qt::Unchecked);
  opt_langue_->setCurrentIndex(options_.opt_langue);
  // Screens come and go: the list is read again each time.
  opt_ecran_->clear();
  for (const EcranDecrit& ecran : options_.Ecrans()) opt_ecran_->addItem(LibelleEcran(ecran));
  opt_ecran_->setCurrentIndex(options_.EcranChoisi());
  actualisation_ = false;
}

}  // namespace plivor
