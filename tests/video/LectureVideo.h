#pragma once
// A video file read back with FFmpeg's libraries: what ffprobe would say of
// its streams, a frame at an instant, and its sound.

#include <QImage>
#include <QString>
#include <vector>

namespace plivor::test {

struct FaitsVideo {
  QString codecVideo, formatPixels, codecAudio;
  int largeur = 0, hauteur = 0;
  double ips = 0;
  int frequence = 0, canaux = 0;
  double dureeVideo = 0, dureeAudio = 0;  // seconds
  long long images = 0;                   // frames decoded
  bool indexEnTete = false;               // 'moov' before 'mdat'
  QString conteneur;                      // the demuxer's name
  QByteArray entete;                      // the file's first bytes
};

FaitsVideo LireFaits(const QString& fichier);
// The frame shown at `secondes` (the last whose time is not after it), RGB32.
QImage ImageA(const QString& fichier, double secondes);
// The left channel, at the file's rate.
std::vector<float> SonGauche(const QString& fichier);

// Peak signal-to-noise ratio of two images of one size, in dB.
double Psnr(const QImage& a, const QImage& b);
// Where `petite` lies inside `grande`, found by a sparse comparison.
QPoint Position(const QImage& grande, const QImage& petite);

// Sound measures at 48 kHz.
double FrequenceDe(const std::vector<float>& s, size_t debut, size_t n);
// First sample from `depuis` above `seuil`.
size_t Debut(const std::vector<float>& s, float seuil, size_t depuis = 0);
float Crete(const std::vector<float>& s, size_t debut, size_t n);

}  // namespace plivor::test
