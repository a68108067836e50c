// The display step and the drawing of new content onto the paint box.

#include <QPainter>

#include "projection/PreparationImage.h"
#include "projection/TFVue.h"

namespace plivor {

void TFVue::Editer() {
  if (EstImage(TypeLigne) && TypeLigne != Genre::Metafichier) {
    if (CodeTransition >= 100)
      Morphes();
    else
      Transitions();
  } else if (TypeLigne == Genre::InstructionTexte) {
    const bool sansFond = SansFond;
    const bool opaque = ImageOpaque;
    switch (CodeInstruction) {
      case 3000: Rafraichir(Emetteur::Aucun); break;
      case 3001: case 4001: Peindre(); break;
      case 7001: case 7011: case 7700:
        // Titles are always drawn transparently.
        SansFond = true;
        ImageOpaque = false;
        Transitions();
        break;
      case 7500:
        SansFond = false;
        ImageOpaque = true;
        Transitions();
        break;
      default: break;
    }
    SansFond = sansFond;
    ImageOpaque = opaque;
  }
  if (ScriptEnCours) ExecuterScript("Suite");
}

void TFVue::Transitions() {
  const Place diapo = PositionDe(CodeDiapo);
  QImage travail;
  Place origine = diapo;
  const auto avecTitre = [&](const QImage& image) {
    travail = image;
    const Place titre = PositionDe(CodeTitre);
    origine = {diapo.x + titre.x, diapo.y + titre.y};
    CodeInstruction = 0;
  };
  const bool titre = CodeInstruction / 1000 == 7;
  switch (CodeInstruction) {
    case 3001:
      travail = QImage(PBox.size(), QImage::Format_RGB32);
      travail.fill(VersQColor(CouleurFenetre));
      origine = {0, 0};
      break;
    case 4001:
      travail = QImage(std::max(LargeurDiapo, 1), std::max(HauteurDiapo, 1), QImage::Format_RGB32);
      travail.fill(VersQColor(CouleurDiapo));
      break;
    case 7001: avecTitre(XTitre); break;
    case 7011: case 7700: avecTitre(Titre); break;
    case 7500:
      travail = Photo;
      CodeInstruction = 0;
      break;
    default:
      travail = Photo;
      origine = OrigineImage();
      break;
  }
  if (travail.isNull()) return;
  if (ImageOpaque) {
    QPainter(&PBox).drawImage(origine.x, origine.y, travail);
  } else {
    const Couleur cle =
        titre ? DepuisQColor(travail.pixelColor(0, travail.height() - 1)) : CouleurTransparente;
    CopierTransparent(PBox, QPoint(origine.x, origine.y), travail, cle);
  }
  emit Presenter();
}

void TFVue::Morphes() { Transitions(); }

}  // namespace plivor
