#include "video/ImageEcran.h"

#include <QPainter>
#include <cmath>

#include "projection/DessinCarton.h"
#include "projection/PreparationImage.h"
#include "projection/TFVue.h"

namespace plivor {

PlanEcran PlanDe(const TFVue& vue) {
  return PlanEcran{vue.Fenetre, vue.Carton, vue.RectPBox(), vue.CartonVisible, int(vue.CouleurCarton), vue.BiseauCarton};
}

void ComposerEcran(const TFVue& vue, QImage& ecran) {
  QPainter peintre(&ecran);
  peintre.fillRect(ecran.rect(), Qt::black);
  peintre.translate(vue.Fenetre.topLeft());
  peintre.setClipRect(QRect(QPoint(0, 0), vue.Fenetre.size()));
  DessinerCarton(peintre, vue);
}

void ComposerCadre(const TFVue& vue, QImage& cadre) {
  QPainter peintre(&cadre);
  peintre.fillRect(cadre.rect(), Qt::black);
  const QRect carton = vue.Carton;
  if (!vue.CartonVisible || carton.isEmpty()) return;
  const double echelle = vue.Echelle;
  const QSizeF taille = QSizeF(carton.size()) * echelle;
  peintre.translate(std::round((cadre.width() - taille.width()) / 2), std::round((cadre.height() - taille.height()) / 2));
  peintre.scale(echelle, echelle);
  peintre.translate(-carton.topLeft());
  peintre.setClipRect(carton);
  DessinerCarton(peintre, vue);
}

}  // namespace plivor
