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

namespace plivor {

namespace {

std::uint32_t MotBe(std::string_view o, size_t position) {
  return std::uint32_t(std::uint8_t(o[position])) << 24 | std::uint32_t(std::uint8_t(o[position + 1])) << 16 |
         std::uint32_t(std::uint8_t(o[position + 2])) << 8 | std::uint32_t(std::uint8_t(o[position + 3]));
}

void EcrireBe(std::string& o, size_t position, std::uint32_t v, int octets) {
  for (int i = 0; i < octets; ++i) o[position + size_t(i)] = char((v >> (8 * (octets - 1 - i))) & 0xFF);
}

}  // namespace

std::string MidiJouable(std::string_view octets) {
  std::string smf(MidiStandard(octets));
  if (smf.size() < 22 || smf.compare(0, 4, "MThd") != 0 || MotBe(smf, 4) < 6) return smf;
  const std::uint32_t division = std::uint32_t(std::uint8_t(smf[12])) << 8 | std::uint8_t(smf[13]);
  if (!(division & 0x8000)) return smf;
  // Frames per second (29 stands for 29.97) times ticks per frame: ticks
  // per second. As quarter notes: that many ticks to a quarter note of a
  // second (of 29/29.97 s at 29.97 frames), said by a tempo at the start.
  const int images = 256 - int((division >> 8) & 0xFF);
  const int parImage = int(division & 0xFF);
  const int noire = images * parImage;
  if (noire <= 0 || noire > 0x7FFF) return smf;
  const std::uint32_t tempo = images == 29 ? 967634u : 1000000u;
  EcrireBe(smf, 12, std::uint32_t(noire), 2);
  const size_t piste = 8 + MotBe(smf, 4);
  if (piste + 8 > smf.size() || smf.compare(piste, 4, "MTrk") != 0) return smf;
  EcrireBe(smf, piste + 4, MotBe(smf, piste + 4) + 7, 4);
  std::string evenement("\x00\xFF\x51\x03", 4);
  evenement += char(tempo >> 16), evenement += char((tempo >> 8) & 0xFF), evenement += char(tempo & 0xFF);
  smf.insert(piste + 8, evenement);
  return smf;
}

}  // namespace plivor
