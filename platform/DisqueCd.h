#pragma once
// Audio CD tracks read from a real drive through libcdio; where there is
// no drive, or no audio CD in it, opening says so.

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/Audio.h"

namespace plivor {

class DisqueCd {
 public:
  virtual ~DisqueCd() = default;
  // The audio CD in the first drive; nothing, with the reason, otherwise.
  static std::unique_ptr<DisqueCd> Ouvrir(QString& erreur);

  // Positions are milliseconds from the start of the disc.
  virtual std::optional<PisteCd> Piste(int numero) const = 0;
  virtual void Positionner(int ms) = 0;
  // Fills 44.1 kHz 16-bit stereo frames; false past the end of the disc.
  virtual bool Lire(std::int16_t* trames, int nombre) = 0;
};

}  // namespace plivor
