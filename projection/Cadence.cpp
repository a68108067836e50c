#include "projection/Cadence.h"

#include <thread>

namespace plivor {

void CadenceReelle::Debut() {
  debut_ = echeance_ = derniereImage_ = Horloge::now();
  prochaineImage_ = debut_ + kPeriode;
}

CadenceReelle::Horloge::time_point CadenceReelle::ImageApres(Horloge::time_point t) const {
  if (t < debut_) return debut_ + kPeriode;
  return debut_ + kPeriode * ((t - debut_) / kPeriode + 1);
}

// Morphs draw one frame a pause: a plain sleep to the schedule's time.
void CadenceReelle::Pause(Duree duree) {
  echeance_ += duree;
  std::this_thread::sleep_until(echeance_);
}

void CadenceReelle::PauseEtape(Duree duree, const std::function<void()>& presenter) {
  echeance_ += duree;
  // Due before the next frame: drawn at once, shown with that frame.
  if (echeance_ < prochaineImage_) return;
  std::this_thread::sleep_until(prochaineImage_);
  presenter();
  ++images;
  // A frame that took long skips the frames it overran; a step due later
  // than the next frame leaves nothing to show until it is drawn.
  const auto maintenant = Horloge::now();
  prochaineImage_ = ImageApres(std::max(maintenant, echeance_));
  if (echeance_ > maintenant) std::this_thread::sleep_until(echeance_);
}

void CadenceReelle::Fin() { std::this_thread::sleep_until(echeance_); }

void CadenceReelle::Attendre(Duree duree) { std::this_thread::sleep_for(duree); }

bool CadenceReelle::ImageDue() {
  const auto maintenant = Horloge::now();
  if (maintenant - derniereImage_ < kPeriode) return false;
  derniereImage_ = maintenant;
  return true;
}

}  // namespace plivor
