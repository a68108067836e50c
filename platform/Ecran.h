#pragma once
// The screen the projection covers, and what it shows behind the window.

#include <QImage>
#include <QRect>
#include <QSize>

namespace plivor {

class Ecran {
 public:
  virtual ~Ecran() = default;
  virtual QSize Taille() const = 0;
  // The screen's pixels under `zone`; a null image where they cannot be read.
  virtual QImage Capturer(const QRect& zone) const = 0;
};

// The primary screen of the windowing system.
class EcranPrincipal : public Ecran {
 public:
  QSize Taille() const override;
  QImage Capturer(const QRect& zone) const override;
};

// A screen of a given size showing one colour: tests and headless runs.
class EcranFixe : public Ecran {
 public:
  explicit EcranFixe(QSize taille, QColor fond = Qt::black) : taille_(taille), fond_(fond) {}
  QSize Taille() const override { return taille_; }
  QImage Capturer(const QRect& zone) const override {
    QImage image(zone.size(), QImage::Format_RGB32);
    image.fill(fond_);
    return image;
  }

 private:
  QSize taille_;
  QColor fond_;
};

}  // namespace plivor
