#include "video/ExportMontage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "montage/Montage.h"
#include "options/TFOptions.h"
#include "video/ChoixVideo.h"
#include "video/DialogueVideo.h"
#include "video/EncodeurVideo.h"
#include "projection/TFVue.h"

namespace plivor {

namespace {

const QString kFiltreVideo = QStringLiteral(
    "Vidéo MP4 (*.mp4)|*.mp4|Vidéo Matroska (*.mkv)|*.mkv|Vidéo QuickTime (*.mov)|*.mov|Vidéo WebM (*.webm)|*.webm");

constexpr int kLargeurProgression = 420;

QString Duree(double secondes) {
  const int minutes = int(secondes / 60);
  return QStringLiteral("%1 min %2 s")
      .arg(minutes)
      .arg(QString::number(secondes - minutes * 60, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')));
}

// What the export said and passed, under its result.
QString Avis(const QStringList& avis) {
  if (avis.isEmpty()) return {};
  return QStringLiteral("\r\rPendant l'export :\r") + avis.join(QLatin1Char('\r'));
}

}  // namespace

bool ExporterListeEnVideo(Montage& montage, ProgressionExport& progression, const ReglagesVideo& modele,
                          const ChoisirReglages& choisir) {
  TFVue& vue = montage.Vue();
  Dialogues& dialogues = vue.Services().dialogues;
  if (montage.Lignes().empty()) {
    dialogues.Message("La liste est vide");
    return false;
  }
  // The export projects the list from its file, as the show would.
  if (vue.ListeModifiee || montage.NomListe == kSansNom) {
    if (!dialogues.Question(QStringLiteral("La liste doit être sauvegardée avant l'export en vidéo.\rLa sauvegarder ?")))
      return false;
    if (!montage.Sauver()) return false;
  }
  std::optional<ReglagesVideo> choisis = modele;
  if (choisir) choisis = choisir(modele);
  if (!choisis) return false;
  const QString liste = QString::fromStdString(vue.Services().fichiers.CheminHote(montage.NomListe).string());
  const QFileInfo infos(liste);
  const auto choix = dialogues.FichierAEnregistrer(
      QStringLiteral("Exporter en vidéo"), infos.absoluteDir().filePath(infos.completeBaseName() + QStringLiteral(".mp4")),
      kFiltreVideo);
  if (!choix) return false;
  QString sortie = *choix;
  if (QFileInfo(sortie).suffix().isEmpty()) {
    sortie += QStringLiteral(".mp4");
    // The dialog asked about the name chosen, not about the one completed.
    if (QFileInfo::exists(sortie) &&
        !dialogues.Question(QStringLiteral("Le fichier \"") + sortie + QStringLiteral("\" existe déjà.\rLe remplacer ?")))
      return false;
  }
  if (const QString refus = RefusDuNom(sortie); !refus.isEmpty()) {
    dialogues.Information(refus);
    return false;
  }
  ReglagesVideo r = *choisis;
  r.liste = liste;
  r.sortie = sortie;
  r.ignorerAbsents = vue.IgnorerAbsents;
  r.questions = &dialogues;
  if (r.cheminProgramme.isEmpty()) r.cheminProgramme = QCoreApplication::applicationFilePath();
  const ResultatExport resultat = ExporterVideo(r, progression);
  if (resultat.reussi)
    dialogues.Information(QStringLiteral("Vidéo enregistrée : ") + sortie + QStringLiteral("\rDurée : ") +
                          Duree(resultat.secondes) + Avis(resultat.avis));
  else if (!resultat.annule)
    dialogues.Information(QStringLiteral("L'export en vidéo a échoué.\r") + resultat.message);
  return resultat.reussi;
}

QProgressDialog& ProgressionFenetre::Dialogue() {
  if (!dialogue_) {
    dialogue_ = std::make_unique<QProgressDialog>(QStringLiteral("Export en vidéo…"), QStringLiteral("Annuler"), 0, 1000,
                                                  parent_);
    dialogue_->setWindowTitle(QStringLiteral("Exporter en vidéo"));
    dialogue_->setWindowModality(Qt::WindowModal);
    dialogue_->setMinimumDuration(0);
    dialogue_->setAutoClose(false);
    dialogue_->setAutoReset(false);
    // Centred on the screen: the montage's window is narrow and at its edge,
    // and a dialog centred on it would reach out of the screen.
    dialogue_->setMinimumWidth(kLargeurProgression);
    if (const QScreen* ecran = parent_ ? parent_->screen() : QGuiApplication::primaryScreen()) {
      QRect place(QPoint(0, 0), dialogue_->sizeHint().expandedTo(QSize(kLargeurProgression, 0)));
      place.moveCenter(ecran->availableGeometry().center());
      dialogue_->move(place.topLeft());
    }
    chrono_.start();
  }
  return *dialogue_;
}

// "reste environ 1 min 20 s", once enough is done to tell; not at the last
// twentieth, where the export waits for the show to tell its end.
QString TempsRestant(double fraction, qint64 ecouleMs) {
  if (fraction < 0.02 || ecouleMs < 1000 || fraction >= 0.95) return {};
  const int reste = int(std::lround(double(ecouleMs) / 1000 * (1 - fraction) / fraction));
  return QStringLiteral("\nreste environ %1 min %2 s").arg(reste / 60).arg(reste % 60);
}

bool ProgressionFenetre::Avancer(double fraction, double secondes) {
  QProgressDialog& d = Dialogue();
  d.setValue(std::clamp(int(fraction * 1000), 0, 1000));
  // Notices stay above the progress for the whole export.
  d.setLabelText(avis_ + QStringLiteral("Export en vidéo… %1 de vidéo").arg(Duree(secondes)) +
                 TempsRestant(fraction, chrono_.elapsed()));
  // The dialog answers its button while the export runs.
  QCoreApplication::processEvents();
  return !d.wasCanceled();
}

void ProgressionFenetre::Avis(const QString& texte) {
  avis_ += texte + QLatin1Char('\n');
  Dialogue().setLabelText(avis_);
}

bool ExporterVideoPubliee(TFVue& vue, const QString& liste, const QString& video, ProgressionExport& progression,
                          QString& raison) {
  ChoixVideo choix;
  if (TFOptions* options = vue.Reglages()) choix = LireChoixVideo(options->LeRegistre().Reglages());
  ReglagesVideo r;
  AppliquerChoix(choix, r);
  r.liste = liste;
  r.sortie = video;
  r.cheminProgramme = QCoreApplication::applicationFilePath();
  r.ignorerAbsents = vue.IgnorerAbsents;
  r.questions = &vue.Services().dialogues;
  const ResultatExport resultat = ExporterVideo(r, progression);
  raison = resultat.message;
  return resultat.reussi;
}

void ExporterEnVideo(Montage& montage, QWidget* fenetre) {
  ProgressionFenetre progression(fenetre);
  TFVue& vue = montage.Vue();
  const auto choisir = [&](const ReglagesVideo& modele) -> std::optional<ReglagesVideo> {
    TFOptions* options = vue.Reglages();
    std::optional<ChoixVideo> lus;
    if (options) lus = LireChoixVideo(options->LeRegistre().Reglages());
    const QSize carte = vue.Carton.isEmpty() ? QSize(800, 600) : vue.Carton.size();
    DialogueVideo dialogue(lus.value_or(ChoixVideo{}), carte, DureeEstimee(montage.Lignes(), vue.Timer1.interval()),
                           fenetre);
    if (dialogue.exec() != QDialog::Accepted) return std::nullopt;
    const ChoixVideo choix = dialogue.Choix();
    if (options) EcrireChoixVideo(options->LeRegistre().Reglages(), choix);
    ReglagesVideo r = modele;
    AppliquerChoix(choix, r);
    return r;
  };
  ExporterListeEnVideo(montage, progression, {}, choisir);
}

}  // namespace plivor
