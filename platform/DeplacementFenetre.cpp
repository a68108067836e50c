#include "platform/DeplacementFenetre.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace plivor {

DeplacementFenetre::DeplacementFenetre(QWidget* fenetre) : QObject(fenetre), fenetre_(fenetre) {
  fenetre->installEventFilter(this);
}

void DeplacementFenetre::Installer(QWidget* fenetre) { new DeplacementFenetre(fenetre); }

bool DeplacementFenetre::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet != fenetre_) return false;
  const QEvent::Type type = evenement->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) return false;
  const auto* souris = static_cast<QMouseEvent*>(evenement);
  switch (type) {
    case QEvent::MouseButtonPress:
      if (souris->button() != Qt::LeftButton) return false;
      if (fenetre_->windowHandle() && fenetre_->windowHandle()->startSystemMove()) {
        prise_.reset();
        return true;
      }
      prise_ = souris->globalPosition().toPoint() - fenetre_->frameGeometry().topLeft();
      return true;
    case QEvent::MouseMove:
      if (!prise_ || !(souris->buttons() & Qt::LeftButton)) return false;
      fenetre_->move(souris->globalPosition().toPoint() - *prise_);
      return true;
    case QEvent::MouseButtonRelease:
      if (!prise_ || souris->button() != Qt::LeftButton) return false;
      prise_.reset();
      return true;
    default:
      return false;
  }
}

}  // namespace plivor
