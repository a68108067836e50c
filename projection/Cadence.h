#pragma once
// Pacing of transitions. Each pause is added to a schedule that started with
// the transition; the cadence waits until the schedule's time, so that the
// whole transition lasts what its pauses add up to on any machine.

#include <QRegion>
#include <chrono>
#include <functional>
#include <optional>

namespace plivor {

class Cadence {
 public:
  using Duree = std::chrono::nanoseconds;
  virtual ~Cadence() = default;
  virtual void Debut() = 0;
  // Returns once the schedule's time has come.
  virtual void Pause(Duree duree) = 0;
  // Whether a frame is due on screen since the last one.
  virtual bool ImageDue() = 0;
  // A plain blocking wait (fades, jumps), outside any transition.
  virtual void Attendre(Duree duree) = 0;

  // The pause after a step of a transition; `presenter` shows what is drawn
  // when a frame is due. Returns when the next step may be drawn.
  virtual void PauseEtape(Duree duree, const std::function<void()>& presenter) {
    Pause(duree);
    if (ImageDue()) presenter();
  }
  // The end of a transition: returns once its whole schedule has passed.
  virtual void Fin() {}

  // The part of the paint box drawn since the last frame while a transition
  // runs, so that the screen shows only that; none outside transitions (the
  // screen then shows it all).
  std::optional<QRegion> zone;
  // Where the transition's work image lies on the paint box.
  QRect travail;
  // Drawing a transition holds back until a frame shows it.
  std::function<void()> avantImage;
};

// Real time, aligned on the display's frames (60 per second): the steps due
// before the next frame are drawn at once, the frame is shown at its time,
// then the thread sleeps until the next step is due. Never spins.
class CadenceReelle : public Cadence {
 public:
  static constexpr Duree kPeriode = std::chrono::nanoseconds(16'666'667);

  void Debut() override;
  void Pause(Duree duree) override;
  bool ImageDue() override;
  void Attendre(Duree duree) override;
  void PauseEtape(Duree duree, const std::function<void()>& presenter) override;
  void Fin() override;

  // Frames shown by transitions since the start of the program.
  long long images = 0;

 private:
  using Horloge = std::chrono::steady_clock;
  // The first frame of the transition's grid strictly after `t`.
  Horloge::time_point ImageApres(Horloge::time_point t) const;

  Horloge::time_point debut_;
  Horloge::time_point echeance_;
  Horloge::time_point prochaineImage_;
  Horloge::time_point derniereImage_;
};

// Counts the scheduled time without waiting: tests and headless renders.
// A frame is due every `periode` of scheduled time.
class CadenceSimulee : public Cadence {
 public:
  explicit CadenceSimulee(Duree periode = std::chrono::milliseconds(40)) : periode_(periode) {}
  void Debut() override {
    ecoule = Duree::zero();
    prochaineImage_ = periode_;
  }
  void Pause(Duree duree) override {
    ecoule += duree;
    total += duree;
    ++pauses;
  }
  bool ImageDue() override {
    if (ecoule < prochaineImage_) return false;
    while (prochaineImage_ <= ecoule) prochaineImage_ += periode_;
    return true;
  }

  void Attendre(Duree duree) override { attendu += duree; }

  Duree attendu{};  // blocking waits
  Duree ecoule{};  // of the current transition
  Duree total{};
  int pauses = 0;

 private:
  Duree periode_;
  Duree prochaineImage_{};
};

}  // namespace plivor
