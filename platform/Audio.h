#pragma once
// The sound devices as the projection sees them. The audio layer stands in
// for the media player and the mixer's per-device volumes.

#include <array>

namespace plivor {

// Device kinds of the volume calls.
enum class Peripherique { Onde = 0, Auxiliaire = 1, Midi = 2 };

struct VolumeStereo {
  int gauche = 0;  // 0..65535
  int droite = 0;
};

class CoucheAudio {
 public:
  virtual ~CoucheAudio() = default;
  virtual VolumeStereo Volume(Peripherique peripherique) const = 0;
  virtual bool RegleVolume(Peripherique peripherique, VolumeStereo volume) = 0;
};

// Keeps the volumes and plays nothing: for tests, and where no device is.
class CoucheAudioSilencieuse : public CoucheAudio {
 public:
  VolumeStereo Volume(Peripherique p) const override { return volumes_[Index(p)]; }
  bool RegleVolume(Peripherique p, VolumeStereo v) override {
    volumes_[Index(p)] = v;
    return true;
  }

 private:
  static int Index(Peripherique p) { return static_cast<int>(p); }
  std::array<VolumeStereo, 3> volumes_{{{0xCCCC, 0xCCCC}, {0xCCCC, 0xCCCC}, {0xCCCC, 0xCCCC}}};
};

}  // namespace plivor
