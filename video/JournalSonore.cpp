#include "video/JournalSonore.h"

#include <algorithm>

namespace plivor {

JournalSonore::JournalSonore() { volumes_.push_back({0, {102, 102, 102}}); }

void JournalSonore::Volume(long long trame, Peripherique peripherique, int niveau) {
  const std::lock_guard garde(verrou_);
  trame = Prochaine(trame);
  Niveaux n = volumes_.back();
  n.trame = std::max(trame, n.trame);
  n.niveaux[static_cast<size_t>(peripherique)] = std::clamp(niveau, 0, 128);
  if (n.trame == volumes_.back().trame)
    volumes_.back() = n;
  else
    volumes_.push_back(n);
}

void JournalSonore::Commencer(Troncon troncon) {
  const std::lock_guard garde(verrou_);
  // Late by what was mixed meanwhile, it still starts at its first frame.
  troncon.debut = Prochaine(troncon.debut);
  CouperVerrouille(troncon.debut);
  troncons_.push_back(std::move(troncon));
}

void JournalSonore::Couper(long long trame) {
  const std::lock_guard garde(verrou_);
  CouperVerrouille(Prochaine(trame));
}

void JournalSonore::CouperVerrouille(long long trame) {
  if (troncons_.empty() || troncons_.back().coupe) return;
  troncons_.back().coupe = std::max(trame, troncons_.back().debut);
}

bool JournalSonore::Joue(long long trame) const {
  const std::lock_guard garde(verrou_);
  return !troncons_.empty() && !troncons_.back().coupe && trame < troncons_.back().FinNaturelle();
}

void JournalSonore::Melanger(long long jusqua, std::vector<float>& sortie) {
  const std::lock_guard garde(verrou_);
  if (jusqua <= produites_) return;
  const long long depart = produites_;
  const size_t base = sortie.size();
  sortie.resize(base + size_t(jusqua - depart) * 2, 0.0f);
  float* s = sortie.data() + base;
  // The volume steps up to this block; those before it are no longer needed.
  while (volumes_.size() > 1 && volumes_[1].trame <= depart) volumes_.erase(volumes_.begin());
  for (size_t i = premierActif_; i < troncons_.size(); ++i) {
    const Troncon& t = troncons_[i];
    const long long a = std::max(t.debut, depart), b = std::min(t.Fin(), jusqua);
    if (!t.pcm || a >= b) continue;
    const size_t p = static_cast<size_t>(t.peripherique);
    lus_.resize(size_t(b - a) * 2);
    t.pcm->Lire(t.origine + (a - t.debut), b - a, lus_.data());
    size_t v = 0;
    for (long long k = a; k < b; ++k) {
      while (v + 1 < volumes_.size() && volumes_[v + 1].trame <= k) ++v;
      const float gain = float(volumes_[v].niveaux[p]) / 128.0f;
      const float* source = lus_.data() + size_t(k - a) * 2;
      float* cible = s + size_t(k - depart) * 2;
      cible[0] += source[0] * gain;
      cible[1] += source[1] * gain;
    }
  }
  // Stretches over by now are left behind.
  while (premierActif_ < troncons_.size() && troncons_[premierActif_].coupe &&
         troncons_[premierActif_].Fin() <= jusqua) {
    troncons_[premierActif_].pcm.reset();
    ++premierActif_;
  }
  produites_ = jusqua;
}

}  // namespace plivor
