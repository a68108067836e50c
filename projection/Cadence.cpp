#include "projection/Cadence.h"

#include <thread>

namespace plivor {

void CadenceReelle::Debut() { echeance_ = derniereImage_ = Horloge::now(); }

void CadenceReelle::Pause(Duree duree) {
  echeance_ += duree;
  // Sleeping is coarse: sleep to within a millisecond, then spin.
  const auto marge = std::chrono::milliseconds(1);
  if (echeance_ - Horloge::now() > marge) std::this_thread::sleep_until(echeance_ - marge);
  while (Horloge::now() < echeance_) {
  }
}

void CadenceReelle::Attendre(Duree duree) { std::this_thread::sleep_for(duree); }

bool CadenceReelle::ImageDue() {
  const auto maintenant = Horloge::now();
  if (maintenant - derniereImage_ < std::chrono::microseconds(16667)) return false;
  derniereImage_ = maintenant;
  return true;
}

}  // namespace plivor
