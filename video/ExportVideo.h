#pragma once
// A sequence projected offscreen on a simulated clock and written as a
// video: the frames the projection shows at each 1/ips boundary and the
// music it plays, mixed offline.

#include <QSize>
#include <QString>
#include <QStringList>

namespace plivor {

class Dialogues;

struct ReglagesVideo {
  QString liste;   // the sequence, a host path
  QString sortie;  // the video file; its extension chooses the container
  QSize taille{1920, 1080};
  int ips = 30;
  double dureeMax = 0;  // seconds; 0: until the list comes back to its start
  QString cheminProgramme;
  QString soundFont;  // empty: the projection's
  QString preset = QStringLiteral("veryfast");
  int crf = 18;
  // H.264 by the graphics hardware where FFmpeg finds a working encoder.
  bool materiel = false;
  // The whole screen as the display shows it, the window at its own size;
  // otherwise the window's card fills the frame, drawn at its pixels.
  bool ecranEntier = false;
  // A missing file is passed by, said as a notice; otherwise `questions`
  // (when given) is asked whether to go on without it.
  bool ignorerAbsents = false;
  Dialogues* questions = nullptr;
};

// Reports the progress of an export and may cancel it.
class ProgressionExport {
 public:
  virtual ~ProgressionExport() = default;
  // `fraction` 0..1 of the expected whole, `secondes` of video made. False
  // cancels the export.
  virtual bool Avancer(double fraction, double secondes) = 0;
  virtual void Avis(const QString& texte) = 0;
  // The export is over, whatever its end.
  virtual void Fin() {}
};

struct ResultatExport {
  bool reussi = false;
  bool annule = false;
  QString message;  // why it failed, in French
  QStringList avis;  // what was said and passed: damaged pictures, missing files
  long long images = 0;
  double secondes = 0;
};

// The checks of the settings; empty when they are usable.
QString VerifierReglages(const ReglagesVideo& reglages);

// The file appears under its name only when the export succeeded; a failed
// or cancelled export leaves nothing there. The progress report is told the
// end before this returns.
ResultatExport ExporterVideo(const ReglagesVideo& reglages, ProgressionExport& progression);

}  // namespace plivor
