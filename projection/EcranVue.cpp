#include "projection/EcranVue.h"

#include <QTimer>

#include <QLabel>

#include <QPainter>
#include <algorithm>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "platform/Ecran.h"

#include "projection/DessinCarton.h"
#include "projection/MenuProjection.h"

#include "projection/PreparationImage.h"
#include "projection/TFVue.h"

namespace plivor {

EcranVue::EcranVue(TFVue& vue, QWidget* parent) : QWidget(parent), vue_(vue) {
  setObjectName(QStringLiteral("TFVue"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setWindowFlag(Qt::FramelessWindowHint, true);
  // Painted at once, so that a transition shows as it happens.
  connect(&vue_, &TFVue::Presenter, this, &EcranVue::Presenter);
  connect(&vue_, &TFVue::GeometrieChangee, this, &EcranVue::SuivreGeometrie);
  menu_ = std::make_unique<MenuProjection>(vue_, this);
  setFocusPolicy(Qt::StrongFocus);
  SuivreGeometrie();
  avis_ = new QLabel(this);
  avis_->setWordWrap(true);
  avis_->setAttribute(Qt::WA_TransparentForMouseEvents);
  avis_->setStyleSheet(QStringLiteral("QLabel { background: rgba(0, 0, 0, 190); color: white; padding: 8px; }"));
  avis_->hide();
  finAvis_ = new QTimer(this);
  finAvis_->setSingleShot(true);
  connect(finAvis_, &QTimer::timeout, avis_, &QWidget::hide);
}

void EcranVue::MontrerAvis(const QString& texte) {
  avis_->setText(QString(texte).replace(QLatin1Char('\r'), QLatin1Char('\n')));
  const int largeur = std::max(200, width() - 40);
  avis_->setFixedWidth(largeur);
  avis_->adjustSize();
  avis_->move(20, std::max(0, height() - avis_->height() - 20));
  avis_->raise();
  avis_->show();
  finAvis_->start(6000);
}

void EcranVue::SuivreGeometrie() {
  synchronisation_ = true;
  const bool bordure = !windowFlags().testFlag(Qt::FramelessWindowHint);
  if (bordure != vue_.BordureFenetre) {
    setWindowFlag(Qt::FramelessWindowHint, !vue_.BordureFenetre);
  }
  // The window covers the screen: the window system's full screen.
  const bool pleinEcran =
      !vue_.FenetreSeule && vue_.Fenetre == QRect(QPoint(0, 0), vue_.Services().ecran.Taille());
  if (pleinEcran) {
    PleinEcran();
  } else {
    if (isFullScreen()) showNormal();
    if (geometry() != vue_.Fenetre) setGeometry(vue_.Fenetre);
    if (vue_.FenetreVisible && !isVisible()) show();
  }
  if (!vue_.FenetreVisible && isVisible()) hide();
  if (vue_.Minimisee && !isMinimized()) showMinimized();
  synchronisation_ = false;
  update();
}

// The window system's full screen on the chosen screen. Its rectangle is
// also given at once: without a window manager nothing else would size it.
void EcranVue::PleinEcran() {
  QScreen* ecran = EcranQt(vue_.Services().ecran.NomChoisi());
  if (!ecran) return;
  if (!windowHandle()) winId();
  if (windowHandle()->screen() != ecran) {
    if (isFullScreen()) showNormal();
    windowHandle()->setScreen(ecran);
  }
  if (geometry() != ecran->geometry()) setGeometry(ecran->geometry());
  if (vue_.FenetreVisible && !isFullScreen()) showFullScreen();
}

QRect EcranVue::BoiteEcran() const {
  return QRect(vue_.Carton.topLeft() + vue_.RectPBox().topLeft(), vue_.RectPBox().size());
}

// A transition's frame repaints only the rows or columns drawn since the
// last one: at 3840 x 2160 a whole repaint would not fit in a frame.
void EcranVue::Presenter() {
  const std::optional<QRegion>& zone = vue_.Services().cadence.zone;
  if (!zone || !vue_.CartonVisible) {
    repaint();
    return;
  }
  if (zone->isEmpty() || !isVisible()) return;
  // Slats are many columns a pixel wide: one copy of the rows they span
  // costs less than a copy, and a transfer to the display, a column.
  // The zone is in the paint box's pixels, the window in its own.
  QRegion montree = vue_.Echelle == 1.0 ? *zone : QRegion(vue_.EnFenetre(zone->boundingRect()));
  if (zone->rectCount() > 8 &&
      std::all_of(zone->begin(), zone->end(), [](const QRect& r) { return r.width() < 4 && r.height() > 4; }))
    montree = zone->boundingRect();
  imageTransition_ = true;
  repaint(montree.translated(BoiteEcran().topLeft()));
  imageTransition_ = false;
}

void EcranVue::paintEvent(QPaintEvent* evenement) {
  QPainter peintre(this);
  const QRect boite = BoiteEcran();
  if (vue_.CartonVisible && boite.contains(evenement->region().boundingRect())) {
    if (imageTransition_) ++imagesTransition_;
    for (const QRect& r : evenement->region()) {
      const QRect source = r.translated(-boite.topLeft());
      if (vue_.Echelle == 1.0)
        peintre.drawImage(r.topLeft(), vue_.PBox, source);
      else
        peintre.drawImage(QRectF(r), vue_.PBox, QRectF(vue_.EnPixels(source)));
    }
    return;
  }
  peintre.fillRect(rect(), Qt::black);
  DessinerCarton(peintre, vue_);
}

void EcranVue::resizeEvent(QResizeEvent* evenement) {
  QWidget::resizeEvent(evenement);
  if (synchronisation_ || !vue_.BordureFenetre) return;
  vue_.Fenetre = geometry();
  vue_.FormResize();
}

EcranVue::~EcranVue() = default;

void EcranVue::mousePressEvent(QMouseEvent* evenement) {
  const bool droit = evenement->button() == Qt::RightButton;
  vue_.ImageMouseDown(droit);
  if (droit && vue_.MenuAutomatique && !vue_.ModeApercu() && vue_.ListePropre)
    menu_->Ouvrir(evenement->globalPosition().toPoint());
}

void EcranVue::mouseReleaseEvent(QMouseEvent* evenement) { vue_.ImageMouseUp(evenement->button() == Qt::RightButton); }

void EcranVue::changeEvent(QEvent* evenement) {
  QWidget::changeEvent(evenement);
  if (evenement->type() == QEvent::ActivationChange && isActiveWindow()) vue_.FormActivate();
}

// A close asked of the window runs Quitter, which may keep the program; the
// close that ends the program, once Quitter has run, goes through.
void EcranVue::closeEvent(QCloseEvent* evenement) {
  if (vue_.Fermeture) {
    evenement->accept();
    return;
  }
  evenement->ignore();
  vue_.Quitter(Emetteur::Menu);
}

namespace {

// The physical key left of the digit 1: its X11 key code and its scan code
// on Windows.
bool ToucheAvantUn(const QKeyEvent& touche) {
#ifdef _WIN32
  return touche.nativeScanCode() == 0x29;
#else
  return touche.nativeScanCode() == 49;
#endif
}

}  // namespace

void EcranVue::keyPressEvent(QKeyEvent* evenement) {
  if (ToucheAvantUn(*evenement) && evenement->key() != Qt::Key_Ugrave) {
    menu_->Action(Emetteur::PopMuet)->trigger();
    return;
  }
  QWidget::keyPressEvent(evenement);
}

void EcranVue::moveEvent(QMoveEvent* evenement) {
  QWidget::moveEvent(evenement);
  if (!synchronisation_ && vue_.BordureFenetre) vue_.Fenetre.moveTo(geometry().topLeft());
}

}  // namespace plivor
