#pragma once
// Writing media files: the demo's generator and the tests make their
// pictures and sounds with these.

#include <QColor>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace plivor {

bool EcrireJpeg(const QString& chemin, const QImage& image, int qualite = 90);
// A JPEG of any size, `ligne` filling each row's RGB bytes in turn: nothing
// larger than a row is held.
bool EcrireJpegParLignes(const QString& chemin, int largeur, int hauteur,
                         const std::function<void(int y, unsigned char* rgb)>& ligne, int qualite = 90);
// Up to 256 colours; `transparent` is a palette colour marked transparent.
bool EcrireGif(const QString& chemin, const QImage& image, std::optional<QColor> transparent = {},
               bool entrelace = false);
bool EcrireBmp(const QString& chemin, const QImage& image);

// 16-bit PCM, samples interleaved by channel.
bool EcrireWav(const QString& chemin, const std::vector<std::int16_t>& echantillons, int frequence, int canaux);

struct NoteMidi {
  int note = 60;      // MIDI note number
  int debutMs = 0;
  int dureeMs = 500;
  int velocite = 90;
  int canal = 0;
  int programme = 0;  // General MIDI instrument of the channel
};
// A format 0 file at 120 beats per minute, 480 ticks per beat.
bool EcrireMidi(const QString& chemin, const std::vector<NoteMidi>& notes);

}  // namespace plivor
