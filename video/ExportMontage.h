#pragma once
// "Exporter en vidéo…" of the montage's "Plus..." menu: the list being
// composed, saved first when it has changed, exported under a name the user
// chooses, with a progress report that can cancel it.

#include <QElapsedTimer>
#include <QProgressDialog>
#include <functional>
#include <optional>
#include <QStringList>
#include <memory>

#include "video/ExportVideo.h"

class QWidget;

namespace plivor {

class Montage;
class TFVue;

// The export's settings as the user chooses them, once the list is saved
// and before its name is asked; nothing: the export is given up.
using ChoisirReglages = std::function<std::optional<ReglagesVideo>(const ReglagesVideo&)>;

// True once the video is written. `modele` gives the size and frame rate.
bool ExporterListeEnVideo(Montage& montage, ProgressionExport& progression, const ReglagesVideo& modele = {},
                          const ChoisirReglages& choisir = {});

// The progress of an export in a dialog whose button cancels it.
class ProgressionFenetre : public ProgressionExport {
 public:
  explicit ProgressionFenetre(QWidget* parent) : parent_(parent) {}
  bool Avancer(double fraction, double secondes) override;
  void Avis(const QString& texte) override;
  void Fin() override { dialogue_.reset(); }

 private:
  // Shown once the export has started, not while its name is asked.
  QProgressDialog& Dialogue();
  QWidget* parent_;
  std::unique_ptr<QProgressDialog> dialogue_;
  QString avis_;
  QElapsedTimer chrono_;  // since the export started, for the time left
};

// The video of a published list (the publication's "Ajouter une vidéo"),
// with the choices last made in the export window; false with the reason.
bool ExporterVideoPubliee(TFVue& vue, const QString& liste, const QString& video, ProgressionExport& progression,
                          QString& raison);

// The menu entry's whole work, from the montage window.
void ExporterEnVideo(Montage& montage, QWidget* fenetre);

}  // namespace plivor
