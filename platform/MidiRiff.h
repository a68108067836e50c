#pragma once
// RIFF MIDI files (".rmi"): a standard MIDI file wrapped in a RIFF form of
// type "RMID", in its chunk "data".

#include <string_view>

namespace plivor {

// The standard MIDI file a RIFF MIDI file carries; any other bytes are
// given back as they are.
std::string_view MidiStandard(std::string_view octets);

}  // namespace plivor

#include <string>

namespace plivor {

// What a player that knows only quarter-note timing plays right: the
// standard file a RIFF MIDI file carries, and a file timed in SMPTE frames
// turned into one timed in quarter notes at the same instants (FluidSynth
// plays SMPTE-timed files silent). Other bytes come back as they are.
std::string MidiJouable(std::string_view octets);

}  // namespace plivor
