#include "platform/MidiRiff.h"

#include <cstdint>

namespace plivor {

namespace {

std::uint32_t MotLe(std::string_view o, size_t position) {
  return std::uint32_t(std::uint8_t(o[position])) | std::uint32_t(std::uint8_t(o[position + 1])) << 8 |
         std::uint32_t(std::uint8_t(o[position + 2])) << 16 | std::uint32_t(std::uint8_t(o[position + 3])) << 24;
}

}  // namespace

std::string_view MidiStandard(std::string_view octets) {
  if (octets.size() < 12 || octets.substr(0, 4) != "RIFF" || octets.substr(8, 4) != "RMID") return octets;
  size_t position = 12;
  while (position + 8 <= octets.size()) {
    const std::string_view id = octets.substr(position, 4);
    const size_t taille = MotLe(octets, position + 4);
    const size_t debut = position + 8;
    // A chunk said longer than the file keeps what the file has.
    if (id == "data") return octets.substr(debut, taille);
    if (taille > octets.size() - debut) break;
    position = debut + taille + (taille & 1);
  }
  return octets;
}

}  // namespace plivor
