#pragma once
// The export's time. A simulated clock that the projection's pacing moves
// forward; a frame is taken at each 1/ips boundary the clock crosses, with
// the picture the projection holds at that instant.

#include <QProperty>
#include <QTimer>
#include <functional>
#include <optional>

#include "projection/Cadence.h"

namespace plivor {

class CadenceExport : public Cadence {
 public:
  // `prendre` is called once for each frame due, with its index.
  CadenceExport(int ips, std::function<void(long long)> prendre) : ips_(ips), prendre_(std::move(prendre)) {}

  Duree Maintenant() const { return maintenant_; }
  // The frames in [now, t) are taken, then the clock is at t.
  void AvancerJusqua(Duree t);
  void Avancer(Duree duree) { AvancerJusqua(maintenant_ + duree); }
  Duree InstantImage(long long image) const { return Duree(image * 1'000'000'000LL / ips_); }
  long long ImagesPrises() const { return prochaine_; }
  // After a failure or a cancel no frame is taken any more: the projection
  // runs out its current step at once.
  void Interrompre() { interrompue_ = true; }
  bool Interrompue() const { return interrompue_; }

  void Debut() override {}
  void Pause(Duree duree) override { Avancer(duree); }
  bool ImageDue() override { return false; }
  void Attendre(Duree duree) override { Avancer(duree); }
  void PauseEtape(Duree duree, const std::function<void()>& presenter) override;
  void Fin() override {}

 private:
  int ips_;
  std::function<void(long long)> prendre_;
  Duree maintenant_{};
  long long prochaine_ = 0;
  bool interrompue_ = false;
};

// Follows a timer of the projection on the simulated clock: its deadline
// moves wherever the projection starts, stops or sets it. Between two calls
// into the projection the timer holds an interval no real clock reaches, so
// that a restart by an unchanged interval is seen too.
class SuiviMinuterie {
 public:
  SuiviMinuterie(QTimer& minuterie, const CadenceExport& horloge);
  ~SuiviMinuterie();
  SuiviMinuterie(const SuiviMinuterie&) = delete;
  SuiviMinuterie& operator=(const SuiviMinuterie&) = delete;

  std::optional<Cadence::Duree> Echeance() const { return echeance_; }
  int Intervalle() const { return intervalle_; }
  // The timer fires now; its next deadline as Qt sets it before the handler.
  void Declencher();
  // After each call into the projection.
  void Rearmer();

 private:
  void Redemarre();
  QTimer& minuterie_;
  const CadenceExport& horloge_;
  int intervalle_;
  std::optional<Cadence::Duree> echeance_;
  bool muet_ = false;
  QPropertyNotifier actif_, intervalleChange_;
};

}  // namespace plivor
