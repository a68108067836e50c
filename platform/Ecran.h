#pragma once
// The screen the projection covers, and what it shows behind the window.
// Several screens may be connected: the projection goes to the one chosen
// in the options, the primary one when none is chosen or it is gone.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <algorithm>
#include <vector>

class QScreen;

namespace plivor {

struct EcranDecrit {
  QString nom;
  QRect geometrie;  // in the desktop's coordinates
  bool principal = false;
};

// How the options list a screen: "HDMI-1 — 1920 × 1080".
QString LibelleEcran(const EcranDecrit& ecran);

// The position in `ecrans` of the one named `nom`, else of the primary one,
// else 0; -1 when there is no screen at all.
int IndexEcran(const std::vector<EcranDecrit>& ecrans, const QString& nom);

class Ecran {
 public:
  virtual ~Ecran() = default;
  // The size of the screen the projection goes to.
  QSize Taille() const;
  // That screen's pixels under `zone` (in the screen's own coordinates); a
  // null image where they cannot be read.
  virtual QImage Capturer(const QRect& zone) const = 0;
  // The screens connected now, in the window system's order.
  virtual std::vector<EcranDecrit> Ecrans() const = 0;
  // Pixels drawn per window pixel for a card of that size.
  virtual double EchelleDe(QSize /*carton*/) const { return 1.0; }

  // The screen asked for by name; kept even while it is absent, so that
  // it is taken again once plugged back. The windows are given the screen
  // to read only: the choice is where to look, not a change of the screens.
  void Choisir(const QString& nom) const { choisi_ = nom; }
  const QString& NomChoisi() const { return choisi_; }
  // The screen the projection goes to now.
  EcranDecrit Projection() const;
  // The primary screen's rectangle in the desktop: where the other windows
  // go, whichever screen shows the projection.
  QRect Principal() const;

 private:
  mutable QString choisi_;
};

// The screens of the windowing system.
class EcranPrincipal : public Ecran {
 public:
  QImage Capturer(const QRect& zone) const override;
  std::vector<EcranDecrit> Ecrans() const override;
  // The screen's own density: at a scale of 2 the show is drawn at its
  // device pixels, not doubled.
  double EchelleDe(QSize carton) const override;
};

// The window system's screen of that name, else the primary one.
QScreen* EcranQt(const QString& nom);

// Screens of given sizes showing one colour: tests and headless runs.
class EcranFixe : public Ecran {
 public:
  explicit EcranFixe(QSize taille, QColor fond = Qt::black)
      : ecrans_{{QStringLiteral("Écran"), QRect(QPoint(0, 0), taille), true}}, fond_(fond) {}
  explicit EcranFixe(std::vector<EcranDecrit> ecrans, QColor fond = Qt::black)
      : ecrans_(std::move(ecrans)), fond_(fond) {}
  QImage Capturer(const QRect& zone) const override {
    QImage image(zone.size(), QImage::Format_RGB32);
    image.fill(fond_);
    return image;
  }
  std::vector<EcranDecrit> Ecrans() const override { return ecrans_; }
  double EchelleDe(QSize carton) const override {
    if (cadre_.isEmpty() || carton.isEmpty()) return 1.0;
    return std::min(double(cadre_.width()) / carton.width(), double(cadre_.height()) / carton.height());
  }
  // The card is drawn to fill a frame of that size, its aspect kept (a
  // video of the window); an empty size draws it at its own.
  void Cadrer(QSize cadre) { cadre_ = cadre; }
  // A screen unplugged or plugged in.
  void Brancher(std::vector<EcranDecrit> ecrans) { ecrans_ = std::move(ecrans); }

 private:
  std::vector<EcranDecrit> ecrans_;
  QColor fond_;
  QSize cadre_;
};

}  // namespace plivor
