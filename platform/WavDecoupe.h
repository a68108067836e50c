#pragma once
// A WAV file that starts later: the same format, the samples from a given
// time on. SDL_mixer seeks WAV files by whole seconds only; a sound that
// must start (or resume) at 1.5 s plays from such a copy.

#include <QByteArray>
#include <optional>

namespace plivor {

// Nothing when the file is not a PCM (or float) WAV this can cut.
std::optional<QByteArray> WavDepuis(const QByteArray& wav, int debutMs);

}  // namespace plivor
