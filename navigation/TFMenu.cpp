#include "navigation/TFMenu.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "navigation/Glyphes.h"
#include "platform/DeplacementFenetre.h"
#include "projection/PreparationImage.h"

namespace plivor {

BoutonPanneau::BoutonPanneau(Emetteur bouton, QWidget* parent) : QToolButton(parent), bouton_(bouton) {
  setAutoRaise(true);
  setContextMenuPolicy(Qt::PreventContextMenu);
  setIcon(Glyphe(bouton));
  setIconSize(QSize(22, 22));
  setCursor(Qt::PointingHandCursor);
}

void BoutonPanneau::mousePressEvent(QMouseEvent* evenement) {
  emit Presse(evenement->button() == Qt::RightButton);
  // The right button is the button's own (its release acts): it must not
  // reach the panel, whose context menu would take the release.
  if (evenement->button() == Qt::RightButton) {
    evenement->accept();
    return;
  }
  QToolButton::mousePressEvent(evenement);
}

void BoutonPanneau::mouseReleaseEvent(QMouseEvent* evenement) {
  const bool dedans = rect().contains(evenement->position().toPoint());
  QToolButton::mouseReleaseEvent(evenement);
  if (dedans) emit Relache(evenement->button() == Qt::RightButton);
}

ImageMenu::ImageMenu(PanneauNavigation& panneau, QWidget* parent) : QLabel(parent), panneau_(panneau) {
  setMouseTracking(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

// A thumbnail is a control: a press on it is its own, the rest of the
// picture moves the panel.
void ImageMenu::mousePressEvent(QMouseEvent* evenement) {
  evenement->setAccepted(panneau_.IndexVignette >= 0);
}

void ImageMenu::mouseMoveEvent(QMouseEvent* evenement) {
  panneau_.FixeVignette(evenement->position().toPoint().x(), evenement->position().toPoint().y());
  setToolTip(panneau_.IndiceBouton);
}

void ImageMenu::mouseReleaseEvent(QMouseEvent* evenement) {
  const bool droit = evenement->button() == Qt::RightButton;
  const QRect bouton(panneau_.Menu01, QSize(50, 38));
  if (panneau_.IndexVignette >= 0 && bouton.contains(evenement->position().toPoint())) {
    panneau_.BoutonMouseUp(droit);
  } else if (droit) {
    panneau_.CommandeMenu();
  }
}

void ImageMenu::paintEvent(QPaintEvent* evenement) {
  QLabel::paintEvent(evenement);
  if (panneau_.IndexVignette < 0) return;
  QPainter peintre(this);
  peintre.setPen(QColor(255, 255, 255, 200));
  peintre.drawRect(QRect(panneau_.Menu01, QSize(50, 38)).adjusted(0, 0, -1, -1));
  peintre.setPen(QColor(0, 0, 0, 160));
  peintre.drawRect(QRect(panneau_.Menu02, QSize(50, 40)).adjusted(0, 0, -1, -1));
}

TFMenu::TFMenu(PanneauNavigation& panneau, TFVue& vue, QMenu* popImage, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      panneau_(panneau),
      vue_(vue),
      popImage_(popImage),
      icones1_(new QWidget(this)),
      icones2_(new QWidget(this)),
      menu_pn_(new QWidget(this)),
      menu_img_(new ImageMenu(panneau, menu_pn_)) {
  setObjectName(QStringLiteral("TFMenu"));
  // Any free part of the panel moves it.
  DeplacementFenetre::Installer(this);
  setWindowTitle(QStringLiteral("   Plivor"));
  setToolTip(QStringLiteral("Déplacer"));
  // The projection window keeps the focus during a show: the hints must
  // show all the same.
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setCursor(Qt::PointingHandCursor);
  setAutoFillBackground(true);
  menu_pn_->setAutoFillBackground(true);
  QPalette gris = menu_pn_->palette();
  gris.setColor(QPalette::Window, QColor(64, 64, 64));
  menu_pn_->setPalette(gris);
  menu_img_->move(3, 3);
  int x = 2;
  for (Emetteur b : {Emetteur::bt_Quitter, Emetteur::bt_Charger}) {
    Creer(b, 1, x);
    x += 30;
  }
  Creer(Emetteur::bt_Debut, 1, x);
  Creer(Emetteur::bt_Navigation, 1, x);
  x += 30;
  Creer(Emetteur::bt_Pause, 1, x);
  Creer(Emetteur::bt_Jouer, 1, x);
  x += 30;
  Creer(Emetteur::bt_Plivor, 1, x, 64);
  boutons_[Emetteur::bt_Plivor]->setIcon(QIcon());
  boutons_[Emetteur::bt_Plivor]->setText(QStringLiteral("Plivor"));
  // Scoped to the button: its hint keeps the hints' own colours.
  boutons_[Emetteur::bt_Plivor]->setStyleSheet(
      QStringLiteral("QToolButton { color: rgb(235, 225, 200); font-weight: bold; }"));
  x += 66;
  Creer(Emetteur::bt_Masquer, 1, x);
  x = 2;
  for (Emetteur b : {Emetteur::bt_Precedent, Emetteur::bt_Suivant}) {
    Creer(b, 2, x);
    x += 30;
  }
  Creer(Emetteur::bt_Avance, 2, x);
  Creer(Emetteur::bt_AvanceArret, 2, x);
  x += 30;
  Creer(Emetteur::bt_Audio, 2, x);
  Creer(Emetteur::bt_AudioArret, 2, x);
  x += 30;
  for (Emetteur b : {Emetteur::bt_Options, Emetteur::bt_Aide}) {
    Creer(b, 2, x);
    x += 30;
  }
  connect(&panneau_, &PanneauNavigation::Change, this, &TFMenu::Actualiser);
  connect(&panneau_, &PanneauNavigation::MontrerDPop, this, &TFMenu::MontrerDPop);
  Actualiser();
}

void TFMenu::Creer(Emetteur bouton, int rangee, int x, int largeur) {
  auto* b = new BoutonPanneau(bouton, rangee == 1 ? icones1_ : icones2_);
  b->setGeometry(x, 2, largeur, 28);
  boutons_[bouton] = b;
  switch (bouton) {
    case Emetteur::bt_Charger:
      connect(b, &BoutonPanneau::Presse, this, [this](bool droit) { panneau_.Charger(droit); });
      break;
    case Emetteur::bt_Masquer:
      connect(b, &BoutonPanneau::Presse, this, [this](bool droit) { panneau_.Masquer(droit); });
      break;
    case Emetteur::bt_Debut: case Emetteur::bt_Navigation:
      connect(b, &BoutonPanneau::Relache, this, [this, bouton](bool droit) { panneau_.Navigation(bouton, droit); });
      break;
    default:
      connect(b, &QToolButton::clicked, this, [this, bouton] { panneau_.Commandes(bouton); });
      break;
  }
}

void TFMenu::Actualiser() {
  synchronisation_ = true;
  QPalette fond = palette();
  fond.setColor(QPalette::Window, VersQColor(panneau_.CouleurFond));
  setPalette(fond);
  for (auto& [bouton, widget] : boutons_) {
    const EtatBouton& etat = panneau_.Etats[bouton];
    widget->setVisible(etat.visible);
    widget->setEnabled(etat.actif);
    widget->setToolTip(etat.indice);
  }
  int y = 0;
  icones1_->setGeometry(0, y, PanneauNavigation::kLargeur, PanneauNavigation::kRangee);
  icones1_->setVisible(panneau_.Icones1);
  if (panneau_.Icones1) y += PanneauNavigation::kRangee;
  icones2_->setGeometry(0, y, PanneauNavigation::kLargeur, PanneauNavigation::kRangee);
  icones2_->setVisible(panneau_.Icones2);
  if (panneau_.Icones2) y += PanneauNavigation::kRangee;
  menu_pn_->setGeometry(0, y, PanneauNavigation::kLargeur, panneau_.HauteurMenu);
  menu_pn_->setVisible(panneau_.MenuVisible);
  menu_img_->setPixmap(QPixmap::fromImage(panneau_.ImageMenu));
  menu_img_->resize(panneau_.ImageMenu.size());
  menu_img_->setEnabled(panneau_.MenuVisible && panneau_.Visible);
  menu_img_->update();
  if (geometry() != panneau_.Geometrie) setGeometry(panneau_.Geometrie);
  if (panneau_.Visible != isVisible()) setVisible(panneau_.Visible);
  synchronisation_ = false;
}

void TFMenu::MontrerDPop(QPoint ou) {
  QMenu dpop;
  dpop.setObjectName(QStringLiteral("DPop"));
  for (size_t i = 0; i < vue_.DPop.size(); ++i) {
    QAction* action = dpop.addAction(TexteEcran(vue_.DPop[i]));
    connect(action, &QAction::triggered, this, [this, i] { vue_.AllerDrapeau(static_cast<int>(i)); });
  }
  if (dpop.isEmpty()) return;
  dpop.exec(ou - QPoint(dpop.sizeHint().width() / 2, dpop.sizeHint().height()));
}

void TFMenu::moveEvent(QMoveEvent* evenement) {
  QWidget::moveEvent(evenement);
  if (!synchronisation_ && isVisible()) panneau_.Geometrie.moveTo(pos());
}

void TFMenu::changeEvent(QEvent* evenement) {
  QWidget::changeEvent(evenement);
  // While the panel is active, the projection's menu does not pop up by itself.
  if (evenement->type() == QEvent::ActivationChange && isActiveWindow()) vue_.MenuAutomatique = false;
}

void TFMenu::contextMenuEvent(QContextMenuEvent* evenement) {
  if (popImage_) popImage_->popup(evenement->globalPos());
}

}  // namespace plivor
