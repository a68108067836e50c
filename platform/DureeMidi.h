#pragma once
// The length of a standard MIDI file, read from its events and tempo map
// (the synthesizer's player gives none).

#include <optional>
#include <string_view>

namespace plivor {

// Milliseconds up to the last event of the longest track; nothing when the
// bytes are not a standard MIDI file.
std::optional<long long> DureeMidi(std::string_view octets);

}  // namespace plivor
