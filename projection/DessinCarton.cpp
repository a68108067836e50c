#include "projection/DessinCarton.h"

#include <QPainter>
#include <cstdlib>

#include "projection/PreparationImage.h"
#include "projection/TFVue.h"

namespace plivor {

void DessinerCarton(QPainter& peintre, const TFVue& vue) {
  if (!vue.CartonVisible) return;
  const QRect carton = vue.Carton;
  peintre.fillRect(carton, VersQColor(vue.CouleurCarton));
  const int biseau = std::abs(vue.BiseauCarton);
  // Lowered: dark above and left; raised: the other way round.
  const bool abaisse = vue.BiseauCarton > 0;
  const QColor sombre(64, 64, 64), clair(224, 224, 224);
  for (int i = 0; i < biseau; ++i) {
    const QRect r = carton.adjusted(i, i, -i - 1, -i - 1);
    peintre.setPen(abaisse ? sombre : clair);
    peintre.drawLine(r.topLeft(), r.topRight());
    peintre.drawLine(r.topLeft(), r.bottomLeft());
    peintre.setPen(abaisse ? clair : sombre);
    peintre.drawLine(r.bottomLeft(), r.bottomRight());
    peintre.drawLine(r.topRight(), r.bottomRight());
  }
  // The paint box's pixels fill its place whatever their density.
  const QRect boite(carton.topLeft() + vue.RectPBox().topLeft(), vue.RectPBox().size());
  if (vue.PBox.size() == boite.size())
    peintre.drawImage(boite.topLeft(), vue.PBox);
  else
    peintre.drawImage(boite, vue.PBox);
}

}  // namespace plivor
