#include "video/ImageEcran.h"

#include <QPainter>

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

}  // namespace plivor
