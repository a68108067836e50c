#include "options/PageInstallation.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "options/Installation.h"
#include "projection/TFVue.h"

namespace plivor {

namespace {

QPushButton* Bouton(const QString& texte, const QString& bulle, QWidget* parent) {
  auto* bouton = new QPushButton(texte, parent);
  if (!bulle.isEmpty()) bouton->setToolTip(bulle);
  return bouton;
}

}  // namespace

PageInstallation::PageInstallation(Installation& installation, TFVue& vue, QWidget* page)
    : QWidget(page), installation_(installation), vue_(vue) {
  setObjectName(QStringLiteral("PageInstallation"));
  auto* cadre = new QVBoxLayout(page);
  cadre->setContentsMargins(0, 0, 0, 0);
  cadre->addWidget(this);
  auto* d = new QVBoxLayout(this);
  d->setContentsMargins(2, 2, 2, 2);
  d->setSpacing(2);
  d->addWidget(new QLabel(QStringLiteral("Installer dans le dossier :"), this));
  opt_RNomDossier_ = Bouton({}, QStringLiteral("Cliquer pour modifier l'emplacement d'installation"), this);
  opt_RNomDossier_->setObjectName(QStringLiteral("opt_RNomDossier"));
  d->addWidget(opt_RNomDossier_);
  d->addWidget(new QLabel(QStringLiteral("Versions installées"), this));
  opt_RVersions_ = new QComboBox(this);
  opt_RVersions_->setToolTip(QStringLiteral("Versions déjà installées"));
  d->addWidget(opt_RVersions_);
  d->addWidget(new QLabel(QStringLiteral("Version à installer"), this));
  opt_RNomProgram_ = new QLabel(this);
  d->addWidget(opt_RNomProgram_);
  auto* opt_bt_Installer = Bouton(QStringLiteral("Installer le programme"), {}, this);
  opt_bt_Installer->setObjectName(QStringLiteral("opt_bt_Installer"));
  auto* opt_bt_Raccourci = Bouton(QStringLiteral("Installer un raccourci"), {}, this);
  opt_bt_Raccourci->setObjectName(QStringLiteral("opt_bt_Raccourci"));
  d->addWidget(opt_bt_Installer);
  d->addWidget(opt_bt_Raccourci);
  lk_pnRaccourci_ = PanneauRaccourci();
  d->addWidget(lk_pnRaccourci_);
  opt_RMessage_ = new QLabel(this);
  d->addWidget(opt_RMessage_);
  progression_ = new QProgressBar(this);
  progression_->setTextVisible(false);
  progression_->setMaximumHeight(8);
  progression_->hide();
  d->addWidget(progression_);
  auto* opt_R_btAide = Bouton(QStringLiteral("?"), QStringLiteral("Aide à l'installation"), this);
  d->addWidget(opt_R_btAide);
  auto* opt_bt_Desinstaller =
      Bouton(QStringLiteral("Désinstaller"), QStringLiteral("Supprimer ce que l'installation a écrit"), this);
  opt_bt_Desinstaller->setObjectName(QStringLiteral("opt_bt_Desinstaller"));
  d->addWidget(opt_bt_Desinstaller);
  d->addStretch();

  connect(opt_RNomDossier_, &QPushButton::clicked, this, [this] { installation_.ChoisirDossier(); });
  connect(opt_bt_Installer, &QPushButton::clicked, this, [this] { installation_.Installer(); });
  connect(opt_bt_Desinstaller, &QPushButton::clicked, this, [this] { installation_.Desinstaller(); });
  connect(opt_bt_Raccourci, &QPushButton::clicked, this,
          [this] { installation_.ChoixRaccourci(BoutonRaccourci::opt_bt_Raccourci); });
  connect(opt_R_btAide, &QPushButton::clicked, this, [this] { vue_.AppelAide(Emetteur::opt_R_btAide); });
  connect(&installation_, &Installation::ControlesChanges, this, &PageInstallation::Actualiser);
  connect(&installation_, &Installation::Progression, this, [this](qint64 copies, qint64 total) {
    // Whole kilobytes keep the bar's range within an int.
    progression_->setRange(0, int(std::max<qint64>(total / 1024, 1)));
    progression_->setValue(int(copies / 1024));
    progression_->show();
    progression_->repaint();
  });
  Actualiser();
}

QFrame* PageInstallation::PanneauRaccourci() {
  auto* panneau = new QFrame(this);
  panneau->setFrameShape(QFrame::Panel);
  auto* d = new QVBoxLayout(panneau);
  d->setContentsMargins(2, 2, 2, 2);
  d->setSpacing(1);
  for (const char* texte : {"Cliquer sur un emplacement", "pour y créer un raccourci", "vers le programme Plivor"})
    d->addWidget(new QLabel(QString::fromUtf8(texte), panneau));
  const std::pair<const char*, BoutonRaccourci> boutons[] = {
      {"Menu Démarrer", BoutonRaccourci::k_btPrograms},
      {"Bureau", BoutonRaccourci::k_btBureau},
      {"Autre emplacement", BoutonRaccourci::lk_btAutre},
      {"Annuler", BoutonRaccourci::lk_btAnnuler}};
  for (const auto& [texte, bouton] : boutons) {
    auto* b = Bouton(QString::fromUtf8(texte), {}, panneau);
    connect(b, &QPushButton::clicked, this, [this, bouton = bouton] { installation_.ChoixRaccourci(bouton); });
    d->addWidget(b);
  }
  auto* lk_btAide = Bouton(QStringLiteral("?"), QStringLiteral("Aide à l'installation"), panneau);
  connect(lk_btAide, &QPushButton::clicked, this, [this] { vue_.AppelAide(Emetteur::lk_btAide); });
  d->addWidget(lk_btAide);
  panneau->hide();
  return panneau;
}

void PageInstallation::showEvent(QShowEvent* evenement) {
  QWidget::showEvent(evenement);
  installation_.Versions();
}

void PageInstallation::Actualiser() {
  const QFontMetrics mesure = opt_RNomDossier_->fontMetrics();
  opt_RNomDossier_->setText(mesure.elidedText(installation_.opt_RNomDossier, Qt::ElideMiddle, 160));
  opt_RNomDossier_->setToolTip(installation_.opt_RNomDossier);
  opt_RVersions_->clear();
  opt_RVersions_->addItems(installation_.opt_RVersions);
  opt_RVersions_->setCurrentIndex(int(opt_RVersions_->count()) - 1);
  opt_RNomProgram_->setText(mesure.elidedText(installation_.opt_RNomProgram, Qt::ElideMiddle, 160));
  opt_RNomProgram_->setToolTip(installation_.opt_RNomProgram);
  opt_RMessage_->setText(installation_.opt_RMessage);
  if (installation_.opt_RMessage.isEmpty()) progression_->hide();
  lk_pnRaccourci_->setVisible(installation_.lk_pnRaccourci);
}

}  // namespace plivor
