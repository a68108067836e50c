// The display step and the drawing of new content onto the paint box.

#include <QPainter>
#include <vector>

#include "projection/Pinceau.h"
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

namespace {

// One unit of the pacing formula. Calibrated so that a picture (pause factor
// 4) at the speed setting 400 takes d / 14 s for a duration code d.
constexpr double kUniteNs = 1e9 / (14.0 * 400 * 4 * 100);

const Texte kTransitionInconnue = Cp("Transition non reconnue\rVérifier la ligne d'instruction.");

}  // namespace

void TFVue::Ralentisseur() {
  const int d = DureeTransition;
  if (d < 10 && titreEnCours_) return;
  if (NombrePas <= 0) return;
  const long long n = (static_cast<long long>(VitesseTransitions) * FacteurPause * 1000 / NombrePas) / 10;
  Cadence& cadence = services_.cadence;
  cadence.PauseEtape(Cadence::Duree(static_cast<long long>(static_cast<double>(d) * n * kUniteNs)), [this, &cadence] {
    if (cadence.avantImage) cadence.avantImage();
    emit Presenter();
    cadence.zone = QRegion();
  });
}

namespace {

// Draws through the brush and notes on the cadence what the next frame shows.
// Opaque columns wait for the frame that shows them and are then copied row
// by row: one pass over memory instead of one cache line a pixel.
class Trace {
 public:
  Trace(Pinceau& pinceau, Cadence& cadence, QImage& pbox, const QImage* opaque = nullptr)
      : pinceau_(pinceau), cadence_(cadence), pbox_(pbox), visible_(cadence.travail & pbox.rect()),
        opaque_(opaque && opaque->format() == QImage::Format_RGB32 ? opaque : nullptr) {
    if (opaque_) cadence_.avantImage = [this] { Vider(); };
  }
  ~Trace() {
    Vider();
    cadence_.avantImage = nullptr;
  }
  Trace(const Trace&) = delete;
  Trace& operator=(const Trace&) = delete;
  int Largeur() const { return pinceau_.Largeur(); }
  int Hauteur() const { return pinceau_.Hauteur(); }
  void Rangee(int y) {
    pinceau_.Rangee(y);
    const QRect& t = cadence_.travail;
    Noter(QRect(t.x(), t.y() + y, t.width(), 1));
  }
  void Colonne(int x) {
    const QRect& t = cadence_.travail;
    const QRect colonne = QRect(t.x() + x, t.y(), 1, t.height()) & visible_;
    if (!opaque_)
      pinceau_.Colonne(x);
    else if (x >= 0 && x < t.width() && !colonne.isEmpty())
      colonnes_.push_back(x);
    Noter(colonne);
  }
  void Tout() {
    pinceau_.Tout();
    Noter(cadence_.travail);
  }
  // The columns held back, drawn at once.
  void Vider() {
    if (colonnes_.empty()) return;
    const QRect& t = cadence_.travail;
    for (int yy = visible_.top(); yy <= visible_.bottom(); ++yy) {
      const auto* source = reinterpret_cast<const QRgb*>(opaque_->constScanLine(yy - t.y()));
      auto* cible = reinterpret_cast<QRgb*>(pbox_.scanLine(yy));
      for (const int x : colonnes_) cible[t.x() + x] = source[x] | 0xFF000000;
    }
    colonnes_.clear();
  }

 private:
  void Noter(const QRect& r) {
    if (cadence_.zone) *cadence_.zone += r & visible_;
  }
  Pinceau& pinceau_;
  Cadence& cadence_;
  QImage& pbox_;
  QRect visible_;
  const QImage* opaque_;
  std::vector<int> colonnes_;
};

bool Reveler(TFVue& vue, Trace& p, int transition) {
  const int W = p.Largeur(), H = p.Hauteur();
  const auto pas = [&vue](int n) { vue.NombrePas = n; };
  const auto pause = [&vue] { vue.Ralentisseur(); };
  switch (transition) {
    case 0: p.Tout(); return true;
    case 1: pas(H); for (int y = 0; y < H; ++y) { p.Rangee(y); pause(); } return true;
    case 2: pas(H); for (int e = H; e >= 0; --e) { p.Rangee(e - 1); pause(); } return true;
    case 3: pas(W); for (int x = 0; x < W; ++x) { p.Colonne(x); pause(); } return true;
    case 4: pas(W); for (int e = W; e >= 0; --e) { p.Colonne(e - 1); pause(); } return true;
    case 5: {
      const int h = W / 2;
      pas(h);
      for (int k = 0; k <= h; ++k) { p.Colonne(h - 1 - k); p.Colonne(h + k); pause(); }
      return true;
    }
    case 6:
      pas(W / 2);
      for (int k = 0; k <= W / 2; ++k) { p.Colonne(W - 1 - k); p.Colonne(k); pause(); }
      return true;
    case 7: {
      const int m = H / 2;
      pas(m);
      for (int k = 0; k <= m + 1; ++k) { p.Rangee(m - 1 - k); p.Rangee(m - 1 + k); pause(); }
      return true;
    }
    case 8:
      pas(H / 2);
      for (int i = 1; i <= H / 2 + 1; ++i) { p.Rangee(H - i); p.Rangee(i - 1); pause(); }
      return true;
    case 11: case 12: {
      const int bande = std::max(1, H / (transition == 11 ? 30 : 60));
      pas(bande);
      for (int i = 0; i < bande; ++i) {
        const int k = transition == 11 ? i : bande - 1 - i;
        for (int y = k; y < H; y += bande) p.Rangee(y);
        pause();
      }
      return true;
    }
    case 13: case 14: {
      const int bande = std::max(1, W / (transition == 13 ? 40 : 80));
      pas(bande);
      for (int i = 0; i < bande; ++i) {
        const int k = transition == 13 ? i : bande - 1 - i;
        for (int x = k; x < W; x += bande) p.Colonne(x);
        pause();
      }
      return true;
    }
    default: return false;
  }
}

}  // namespace

void TFVue::Transitions() {
  const int code = CodeInstruction;
  titreEnCours_ = code / 1000 == 7;
  FacteurPause = 4;
  if (ImageOpaque && code == 4001) FacteurPause = 8;
  if (!ImageOpaque) FacteurPause = 2;

  // Where the work image goes, in paint-box pixels.
  const Place diapo = PositionDe(CodeDiapo);
  QImage travail;
  QPoint origine = EnPixels(QPoint(diapo.x, diapo.y));
  const auto avecTitre = [&](const QImage& image) {
    travail = image;
    const Place titre = PositionDe(CodeTitre);
    origine = EnPixels(QPoint(diapo.x + titre.x, diapo.y + titre.y));
    CodeInstruction = 0;
  };
  switch (code) {
    case 3001:
      travail = QImage(PBox.size(), QImage::Format_RGB32);
      travail.fill(VersQColor(CouleurFenetre));
      origine = {0, 0};
      break;
    case 4001:
      travail = QImage(EnPixels(QSize(std::max(LargeurDiapo, 1), std::max(HauteurDiapo, 1))), QImage::Format_RGB32);
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
  std::optional<Couleur> cle;
  // Titles key out their own ground, pictures the colour found at loading.
  if (!ImageOpaque)
    cle = titreEnCours_ ? DepuisQColor(travail.pixelColor(0, travail.height() - 1)) : CouleurTransparente;
  Pinceau pinceau(PBox, travail, origine, cle);
  Cadence& cadence = services_.cadence;
  cadence.travail = QRect(origine, travail.size());
  cadence.zone = QRegion();
  cadence.Debut();
  {
    Trace trace(pinceau, cadence, PBox, cle ? nullptr : &travail);
    if (!Reveler(*this, trace, CodeTransition % 100)) services_.dialogues.Message(kTransitionInconnue);
  }
  cadence.Fin();
  NombrePas = 0;
  titreEnCours_ = false;
  emit Presenter();
  cadence.zone.reset();
}

bool TFVue::Devoiler(Pinceau& pinceau, int transition) {
  Trace trace(pinceau, services_.cadence, PBox);
  return Reveler(*this, trace, transition);
}

}  // namespace plivor
