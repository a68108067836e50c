#pragma once
// Sounds for the audio tests, and the reading back of what SDL's disk
// driver wrote (the engine's 48 kHz, float stereo).

#include <QString>
#include <cstdint>
#include <vector>

namespace plivor::test {

inline constexpr int kFrequence = 48000;

// Runs the event loop for `ms` milliseconds.
void Attendre(int ms);
// One second of 440 Hz, then one of 880 Hz, mono, amplitude 10 000.
std::vector<std::int16_t> DeuxNotes();
// The left channel of a file written by the disk driver, on the 16-bit
// scale.
std::vector<std::int16_t> CanalGauche(const QString& fichier);
// Both channels as the driver wrote them.
std::vector<float> Stereo(const QString& fichier);

// First and past-last sample above the silence.
struct Extrait {
  size_t debut = 0, fin = 0;
};
Extrait Sonore(const std::vector<std::int16_t>& e, int seuil = 300);
// Frequency from the zero crossings of `n` samples from `debut`.
double Frequence(const std::vector<std::int16_t>& e, size_t debut, size_t n);
int Crete(const std::vector<std::int16_t>& e, size_t debut, size_t n);

}  // namespace plivor::test
