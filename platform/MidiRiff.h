#pragma once
// RIFF MIDI files (".rmi"): a standard MIDI file wrapped in a RIFF form of
// type "RMID", in its chunk "data".

#include <string_view>

namespace plivor {

// The standard MIDI file a RIFF MIDI file carries; any other bytes are
// given back as they are.
std::string_view MidiStandard(std::string_view octets);

}  // namespace plivor
