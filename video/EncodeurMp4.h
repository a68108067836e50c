#pragma once
// An MP4 file that plays everywhere: H.264 (libx264) in yuv420p at a
// constant frame rate, AAC at 48 kHz stereo, the index at the front.

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

namespace plivor {

struct ReglagesEncodage {
  QSize taille{1920, 1080};
  int ips = 30;
  int crf = 18;
  QString preset = QStringLiteral("veryfast");
};

class EncodeurMp4 {
 public:
  // Nothing, with the reason, when the file cannot be started.
  static std::unique_ptr<EncodeurMp4> Ouvrir(const QString& chemin, const ReglagesEncodage& reglages, QString& erreur);
  ~EncodeurMp4();
  EncodeurMp4(const EncodeurMp4&) = delete;
  EncodeurMp4& operator=(const EncodeurMp4&) = delete;

  // The next frame, an RGB32 image of the export's size. `identique`: the
  // same picture as the previous frame, not converted again.
  bool Image(const QImage& image, bool identique);
  // Interleaved stereo at 48 kHz, any number of frames.
  bool Son(const float* echantillons, long long trames);
  // Flushes both encoders and writes the index; false with the reason.
  bool Terminer(QString& erreur);
  const QString& Erreur() const { return erreur_; }

 private:
  struct Etat;
  explicit EncodeurMp4(std::unique_ptr<Etat> etat);
  bool EnvoyerSon(bool dernier);
  std::unique_ptr<Etat> e_;
  QString erreur_;
};

}  // namespace plivor
