#pragma once
// A WAV file that starts later: the same format, the samples from a given
// time on. SDL_mixer seeks WAV files by whole seconds only; a sound that
// must start (or resume) at 1.5 s plays from such a copy.

#include <QByteArray>
#include <QString>
#include <optional>

namespace plivor {

// Nothing when the file is not a PCM (or float) WAV this can cut.
std::optional<QByteArray> WavDepuis(const QByteArray& wav, int debutMs);

// What makes a WAV unplayable before any player sees it (no channel, no
// rate, no block), in our words; empty when nothing does, or when the
// bytes are no WAV or their format chunk lies further on.
QString DefautWav(const QByteArray& debut);

}  // namespace plivor
