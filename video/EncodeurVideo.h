#pragma once
// A video file that plays everywhere, at a constant frame rate with its
// sound at 48 kHz stereo: H.264 (libx264) and AAC in MP4, Matroska or
// QuickTime (the index at the front), VP9 and Opus in WebM.

#include <QImage>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct AVCodec;

namespace plivor {

// Chosen by the file's extension, whatever its case.
enum class Conteneur { Mp4, Mkv, Mov, Webm };
std::optional<Conteneur> ConteneurDuNom(const QString& chemin);
// Why a name is refused; empty when its extension is one of ours.
QString RefusDuNom(const QString& chemin);

struct ReglagesEncodage {
  QSize taille{1920, 1080};
  int ips = 30;
  int crf = 18;  // libx264's scale; VP9's own is derived from it
  QString preset = QStringLiteral("veryfast");
  Conteneur conteneur = Conteneur::Mp4;
  // H.264 by VA-API or NVENC where one works, else libx264 with a notice.
  bool materiel = false;
};

class EncodeurVideo {
 public:
  // Nothing, with the reason, when the file cannot be started.
  static std::unique_ptr<EncodeurVideo> Ouvrir(const QString& chemin, const ReglagesEncodage& reglages, QString& erreur);
  ~EncodeurVideo();
  EncodeurVideo(const EncodeurVideo&) = delete;
  EncodeurVideo& operator=(const EncodeurVideo&) = delete;

  // The next frame, an RGB32 image of the export's size. `identique`: the
  // same picture as the previous frame, not converted again.
  bool Image(const QImage& image, bool identique);
  // Interleaved stereo at 48 kHz, any number of frames.
  bool Son(const float* echantillons, long long trames);
  // Flushes both encoders and writes the index; false with the reason.
  bool Terminer(QString& erreur);
  const QString& Erreur() const { return erreur_; }
  // What the user should know of how the file is made (empty: nothing).
  QString Avis() const;

 private:
  struct Etat;
  explicit EncodeurVideo(std::unique_ptr<Etat> etat);
  static const AVCodec* OuvrirMateriel(Etat& e, const ReglagesEncodage& r);
  bool EnvoyerSon(bool dernier);
  std::unique_ptr<Etat> e_;
  QString erreur_;
};

}  // namespace plivor
