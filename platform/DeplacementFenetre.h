#pragma once
// Frameless windows are moved by dragging any part of them not covered by
// a control, as a caption would be. The window system moves them where it
// can (a window manager, Wayland); without one the window follows the
// pointer itself.

#include <QObject>
#include <QPoint>
#include <optional>

class QWidget;

namespace plivor {

class DeplacementFenetre : public QObject {
 public:
  // Owned by `fenetre`. A press no control of it takes moves it.
  static void Installer(QWidget* fenetre);

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  explicit DeplacementFenetre(QWidget* fenetre);

  QWidget* fenetre_;
  std::optional<QPoint> prise_;  // the pointer from the window's corner, while it follows
};

}  // namespace plivor
