#pragma once
// Pacing of transitions. Each pause is added to a schedule that started with
// the transition; the cadence waits until the schedule's time, so that the
// whole transition lasts what its pauses add up to on any machine.

#include <chrono>

namespace plivor {

class Cadence {
 public:
  using Duree = std::chrono::nanoseconds;
  virtual ~Cadence() = default;
  virtual void Debut() = 0;
  virtual void Pause(Duree duree) = 0;
  // Whether a frame is due on screen since the last one.
  virtual bool ImageDue() = 0;
  // A plain blocking wait (fades, jumps), outside any transition.
  virtual void Attendre(Duree duree) = 0;
};

// Real time: sleeps, then spins the last stretch; frames at 60 per second.
class CadenceReelle : public Cadence {
 public:
  void Debut() override;
  void Pause(Duree duree) override;
  bool ImageDue() override;
  void Attendre(Duree duree) override;

 private:
  using Horloge = std::chrono::steady_clock;
  Horloge::time_point echeance_;
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
