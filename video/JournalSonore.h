#pragma once
// What the music channel plays, frame by frame at the output's rate: each
// stretch of a source from one frame to another, and the volume of each
// device as it changed. The export mixes it as its simulated clock goes, the
// projection's sound device as it asks for more; what was mixed is final, so
// nothing can start, stop or change before it. Safe to use from the window's
// thread while the device's thread mixes.

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/Audio.h"
#include "video/SourcesSonores.h"

namespace plivor {

struct Troncon {
  std::shared_ptr<const Pcm> pcm;  // none: a silent medium (a CD track)
  Peripherique peripherique = Peripherique::Onde;
  long long debut = 0;    // output frame where it starts
  long long origine = 0;  // source frame played at `debut`
  long long limite = 0;   // source frame where it ends by itself
  std::optional<long long> coupe;  // output frame where it was stopped
  long long FinNaturelle() const { return debut + std::max(0LL, limite - origine); }
  long long Fin() const { return coupe ? std::min(*coupe, FinNaturelle()) : FinNaturelle(); }
};

class JournalSonore {
 public:
  JournalSonore();
  // Levels 0..128 of the three devices.
  void Volume(long long trame, Peripherique peripherique, int niveau);
  // Starts a stretch; the one playing is stopped first.
  void Commencer(Troncon troncon);
  void Couper(long long trame);
  // Whether a stretch is open and has not reached its end by `trame`.
  bool Joue(long long trame) const;

  // Adds frames [produites, jusqua) to `sortie` (interleaved stereo).
  void Melanger(long long jusqua, std::vector<float>& sortie);
  long long Produites() const { return produites_; }

  // The frames already mixed hold: a change asked for before them takes
  // effect at the next frame to mix.
  long long Prochaine(long long trame) const { return std::max(trame, produites_.load()); }

 private:
  void CouperVerrouille(long long trame);
  struct Niveaux {
    long long trame;
    std::array<int, 3> niveaux;
  };
  std::vector<Troncon> troncons_;
  size_t premierActif_ = 0;
  std::vector<Niveaux> volumes_;
  mutable std::mutex verrou_;
  std::atomic<long long> produites_{0};
  std::vector<float> lus_;  // the part of a source mixed in this block
};

}  // namespace plivor
