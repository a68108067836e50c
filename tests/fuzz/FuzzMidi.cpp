// The length of a MIDI file read from any bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/DureeMidi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  plivor::DureeMidi(std::string_view(reinterpret_cast<const char*>(donnees), taille));
  return 0;
}
