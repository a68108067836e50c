#include "video/CadenceExport.h"

#include <QProperty>

namespace plivor {

namespace {
// About 23 days: a timer of the projection never fires in real time while
// the export drives it.
constexpr int kIntervalleInatteignable = 2'000'000'000;
}  // namespace

void CadenceExport::AvancerJusqua(Duree t) {
  if (t <= maintenant_) return;
  while (!interrompue_ && InstantImage(prochaine_) < t) prendre_(prochaine_++);
  maintenant_ = t;
}

void CadenceExport::PauseEtape(Duree duree, const std::function<void()>& presenter) {
  // Columns held back by the transition are drawn before a frame shows them.
  if (InstantImage(prochaine_) < maintenant_ + duree) presenter();
  Avancer(duree);
}

SuiviMinuterie::SuiviMinuterie(QTimer& minuterie, const CadenceExport& horloge)
    : minuterie_(minuterie), horloge_(horloge), intervalle_(minuterie.interval()) {
  minuterie_.setTimerType(Qt::PreciseTimer);
  Redemarre();
  actif_ = minuterie_.bindableActive().addNotifier([this] {
    if (!muet_) Redemarre();
  });
  intervalleChange_ = minuterie_.bindableInterval().addNotifier([this] {
    if (muet_) return;
    intervalle_ = minuterie_.interval();
    Redemarre();
  });
  Rearmer();
}

SuiviMinuterie::~SuiviMinuterie() {
  muet_ = true;
  minuterie_.setInterval(intervalle_);
}

void SuiviMinuterie::Redemarre() {
  if (minuterie_.isActive())
    echeance_ = horloge_.Maintenant() + std::chrono::milliseconds(intervalle_);
  else
    echeance_.reset();
}

void SuiviMinuterie::Declencher() {
  if (!echeance_) return;
  const auto maintenant = horloge_.Maintenant();
  auto prochaine = *echeance_ + std::chrono::milliseconds(intervalle_);
  if (prochaine < maintenant) prochaine = maintenant + std::chrono::milliseconds(intervalle_);
  echeance_ = prochaine;
}

void SuiviMinuterie::Rearmer() {
  muet_ = true;
  minuterie_.setInterval(kIntervalleInatteignable);
  muet_ = false;
}

}  // namespace plivor
