#pragma once
// The disc in the drive as a sound for the engine: read from the position
// asked and brought from the disc's 44.1 kHz to the engine's rate.

#include <memory>

#include "platform/DisqueCd.h"
#include "video/SourcesSonores.h"

namespace plivor {

// Owns the disc, whose tracks the caller still reads through `disque`.
std::shared_ptr<const Pcm> SonDuDisque(std::shared_ptr<DisqueCd> disque);

}  // namespace plivor
