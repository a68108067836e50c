#include "video/ExportVideo.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sys/stat.h>

extern "C" {
#include <libavutil/log.h>
}

#include "options/Registre.h"
#include "options/TFOptions.h"
#include "platform/AudioSdl.h"
#include "platform/SoundFont.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/Ecran.h"
#include "platform/FichiersHote.h"
#include "projection/TFVue.h"
#include "projection/Voisins.h"
#include "video/CadenceExport.h"
#include "video/ChoixVideo.h"
#include "video/CoucheAudioExport.h"
#include "video/EncodeurVideo.h"
#include "video/ImageEcran.h"
#include "video/JournalSonore.h"

namespace plivor {

namespace {

// What the projection would say in a box is a notice of the export, which
// goes on as the show does; a question stops it with its text.
class DialoguesExport : public DialoguesConsole {
 public:
  void Information(const QString& texte) override {
    if (!muet && avis) avis(texte);
  }
  bool Question(const QString& texte) override {
    if (message.isEmpty()) message = texte;
    return false;
  }
  std::function<void(const QString&)> avis;
  bool muet = false;  // the export has failed: what follows is its echo
  QString message;
};

// The screen a window-filling export lays the show out on: the offscreen
// render's, so that both show the same window.
const QSize kEcranFenetre(1280, 800);

// Past this a list that never comes back to its start is not a show.
constexpr Cadence::Duree kDureeSansFin = std::chrono::hours(6);

QString Nom(const QString& chemin) { return QDir::toNativeSeparators(chemin); }

// The projection, its services and the encoder, for one export.
class Export {
 public:
  Export(const ReglagesVideo& r, ProgressionExport& progression, EncodeurVideo& encodeur)
      : r_(r),
        progression_(progression),
        encodeur_(encodeur),
        cadence_(r.ips, [this](long long image) { Prendre(image); }),
        sources_(r.soundFont.isEmpty() ? SoundFontParDefaut(QFileInfo(r.cheminProgramme).absolutePath()) : r.soundFont),
        audio_(cadence_, journal_, sources_),
        ecran_(r.ecranEntier ? r.taille : kEcranFenetre),
        vue_(ServicesVue{fichiers_, dialogues_, audio_, ecran_, cadence_, bureau_, voisins_,
                         DossierDe(LigneDepuisHote(r.cheminProgramme.toStdString()).value_or(Texte{}),
                                   fichiers_.Style())}),
        registre_(reglages_.filePath(QStringLiteral("reglages.ini"))),
        options_(vue_, registre_),
        image_(r.taille, QImage::Format_RGB32) {
    vue_.CheminProgramme = LigneDepuisHote(r.cheminProgramme.toStdString()).value_or(Texte{});
    if (!r.ecranEntier) ecran_.Cadrer(r.taille);
    audio_.avis = [this](const QString& texte) { Avis(texte); };
    dialogues_.avis = [this](const QString& texte) { Avis(texte); };
    vue_.PasserAbsent = [this](const Texte& nom) { return PasserAbsent(nom); };
  }

  ResultatExport Projeter(const Texte& liste);

 private:
  void Prendre(long long image);
  bool Interrompre(const QString& message) {
    if (echec_.isEmpty()) echec_ = message;
    dialogues_.muet = true;
    cadence_.Interrompre();
    return false;
  }
  void Avis(const QString& texte) {
    if (avis_.contains(texte)) return;
    avis_.append(texte);
    progression_.Avis(texte);
  }
  bool PasserAbsent(const Texte& nom);
  // After each call into the projection: false when the export must stop.
  bool Bilan();
  double Fraction(double secondes);

  const ReglagesVideo& r_;
  ProgressionExport& progression_;
  EncodeurVideo& encodeur_;
  CadenceExport cadence_;
  JournalSonore journal_;
  SourcesSonores sources_;
  FichiersHote fichiers_;
  DialoguesExport dialogues_;
  CoucheAudioExport audio_;
  EcranFixe ecran_;
  BureauEnregistre bureau_;
  VoisinsAbsents voisins_;
  TFVue vue_;
  QTemporaryDir reglages_;
  Registre registre_;
  TFOptions options_;
  QImage image_;
  PlanEcran plan_;
  QImage boite_;  // the paint box of the last frame drawn
  std::vector<float> son_;
  QString echec_;
  QStringList avis_;
  std::map<QString, bool> absents_;  // each missing file is asked about once
  bool annule_ = false;
  double avancement_ = 0;   // share of the list's lines walked
  double estimee_ = 0;      // seconds the list's tempos add up to
  double dejaDit_ = 0;      // the progress only goes forward
  std::optional<Cadence::Duree> fin_;
};

void Export::Prendre(long long image) {
  // A held picture is neither drawn nor converted again: most frames are.
  const PlanEcran plan = PlanDe(vue_);
  const bool identique = image > 0 && plan == plan_ && vue_.PBox.size() == boite_.size() &&
                         std::memcmp(vue_.PBox.constBits(), boite_.constBits(), boite_.sizeInBytes()) == 0;
  if (!identique) {
    if (r_.ecranEntier)
      ComposerEcran(vue_, image_);
    else
      ComposerCadre(vue_, image_);
    plan_ = plan;
    boite_ = vue_.PBox.copy();
  }
  if (!encodeur_.Image(image_, identique)) {
    Interrompre(QStringLiteral("Échec de l'encodage vidéo : ") + encodeur_.Erreur());
    return;
  }
  // The sound up to the end of this frame is final: mixed and encoded.
  const long long trames = (image + 1) * kFrequenceExport / r_.ips;
  son_.clear();
  journal_.Melanger(trames, son_);
  if (!encodeur_.Son(son_.data(), static_cast<long long>(son_.size() / 2))) {
    Interrompre(QStringLiteral("Échec de l'encodage du son : ") + encodeur_.Erreur());
    return;
  }
  const double secondes = double(image + 1) / r_.ips;
  if (image % std::max(1, r_.ips / 5) == 0 && !progression_.Avancer(Fraction(secondes), secondes)) {
    annule_ = true;
    cadence_.Interrompre();
  }
}

// A missing file follows "Ignorer les absents", else the user's answer; a
// file not passed fails the export with the projection's words.
bool Export::PasserAbsent(const Texte& nom) {
  const QString texte = TexteEcran(nom) + QStringLiteral(" : Médias ou dossier absents!!");
  const auto [place, nouveau] = absents_.try_emplace(texte, false);
  if (!nouveau) return place->second;
  place->second =
      r_.ignorerAbsents || (r_.questions && r_.questions->Question(texte + QStringLiteral("\rContinuer l'export sans ce fichier ?")));
  if (place->second)
    Avis(texte + QStringLiteral(" Passé."));
  else
    Interrompre(r_.questions ? texte : texte + QStringLiteral("\rL'option --ignorer-absents passe les fichiers absents."));
  return place->second;
}

// The end is exact once the show has looped or a length was asked; before
// that the tempos' sum, else the lines walked, tell it, never the whole.
double Export::Fraction(double t) {
  constexpr double kAvantLaFin = 0.95;
  double fraction = 0;
  if (fin_ && fin_->count() > 0)
    fraction = std::min(1.0, t / (double(fin_->count()) / 1e9));
  else if (estimee_ > 0)
    fraction = std::min(kAvantLaFin, t / estimee_);
  else
    fraction = std::min(kAvantLaFin, avancement_);
  dejaDit_ = std::max(dejaDit_, fraction);
  return dejaDit_;
}

bool Export::Bilan() {
  if (!dialogues_.message.isEmpty()) return Interrompre(dialogues_.message);
  return !cadence_.Interrompue();
}

ResultatExport Export::Projeter(const Texte& liste) {
  using namespace std::chrono;
  vue_.Arguments = {liste};
  bool termine = false;
  QObject::connect(&vue_, &TFVue::Terminer, [&termine] { termine = true; });
  SuiviMinuterie tempo(vue_.Timer1, cadence_);
  SuiviMinuterie fondu(vue_.TimerFade, cadence_);
  const auto rearmer = [&] {
    tempo.Rearmer();
    fondu.Rearmer();
  };
  vue_.Ouverture();
  estimee_ = DureeEstimee(vue_.Medias, vue_.Timer1.interval());
  rearmer();
  const auto plafond = r_.dureeMax > 0 ? std::optional<Cadence::Duree>(duration_cast<nanoseconds>(duration<double>(r_.dureeMax)))
                                       : std::nullopt;
  fin_ = plafond;
  std::optional<Cadence::Duree>& fin = fin_;
  std::set<Texte> listes{vue_.CheminListe};
  Cadence::Duree dernierTempo{};
  bool continuer = Bilan();
  while (continuer && !termine) {
    const auto t1 = tempo.Echeance(), tf = fondu.Echeance();
    const bool tempoSuivant = t1 && (!tf || *t1 <= *tf) && (!fin || *t1 < *fin);
    const bool fonduSuivant = !tempoSuivant && tf && (!fin || *tf < *fin);
    if (!tempoSuivant && !fonduSuivant) {
      // The show stopped by itself: its last picture stays one tempo.
      if (!fin) fin = std::max(cadence_.Maintenant(), dernierTempo + milliseconds(tempo.Intervalle()));
      break;
    }
    cadence_.AvancerJusqua(tempoSuivant ? *t1 : *tf);
    audio_.Rattraper();
    if (!Bilan()) break;
    if (!plafond && cadence_.Maintenant() > kDureeSansFin) {
      Interrompre(QStringLiteral("La liste ne revient jamais à son début : indiquez la durée de la vidéo (--duree)."));
      break;
    }
    if (fonduSuivant) {
      fondu.Declencher();
      vue_.onFadeTimer();
    } else {
      dernierTempo = cadence_.Maintenant();
      const int avant = vue_.IndexCourant;
      const bool scriptAvant = vue_.ScriptEnCours;
      tempo.Declencher();
      vue_.Suivant(Emetteur::Minuterie);
      rearmer();
      if (!vue_.Medias.empty())
        avancement_ = std::max(avancement_, double(vue_.IndexCourant) / double(vue_.Medias.size()));
      // Back to the start, or to a list played already: the show loops.
      const bool nouvelle = listes.insert(vue_.CheminListe).second;
      // A running script holds the walk on its line: no step back then.
      const bool recul = !scriptAvant && !vue_.ScriptEnCours && vue_.IndexCourant <= avant;
      if (!plafond && !fin && !nouvelle && recul) {
        const auto suivante = tempo.Echeance();
        fin = suivante ? *suivante : cadence_.Maintenant() + milliseconds(tempo.Intervalle());
      }
    }
    rearmer();
    continuer = Bilan();
  }
  if (Bilan() && fin) cadence_.AvancerJusqua(*fin);
  ResultatExport resultat;
  resultat.images = cadence_.ImagesPrises();
  resultat.secondes = double(resultat.images) / r_.ips;
  resultat.annule = annule_;
  resultat.avis = avis_;
  if (!Bilan() || annule_) {
    resultat.message = annule_ ? QStringLiteral("Export annulé.") : echec_;
    return resultat;
  }
  if (resultat.images == 0) {
    resultat.message = QStringLiteral("La liste ne montre rien : aucune image à exporter.");
    return resultat;
  }
  progression_.Avancer(1.0, resultat.secondes);
  resultat.reussi = true;
  return resultat;
}

}  // namespace

QString VerifierReglages(const ReglagesVideo& r) {
  const QSize t = r.taille;
  if (t.width() < 16 || t.height() < 16 || t.width() > 7680 || t.height() > 4320 || t.width() % 2 || t.height() % 2)
    return QStringLiteral("Taille de vidéo invalide : %1x%2 (largeur et hauteur paires, de 16 à 7680x4320).")
        .arg(t.width())
        .arg(t.height());
  if (r.ips < 1 || r.ips > 120) return QStringLiteral("Nombre d'images par seconde invalide : %1 (de 1 à 120).").arg(r.ips);
  if (r.dureeMax < 0) return QStringLiteral("Durée invalide.");
  if (r.sortie.isEmpty()) return QStringLiteral("Aucun fichier vidéo indiqué.");
  return RefusDuNom(r.sortie);
}

namespace {

ResultatExport Exporter(const ReglagesVideo& r, ProgressionExport& progression) {
  ResultatExport echec;
  echec.message = VerifierReglages(r);
  if (!echec.message.isEmpty()) return echec;
  const auto liste = LigneDepuisHote(QDir::current().absoluteFilePath(r.liste).toStdString());
  if (!liste) {
    echec.message = QStringLiteral("Nom de liste non représentable : ") + Nom(r.liste);
    return echec;
  }
  if (!QFileInfo(r.liste).isFile()) {
    echec.message = QStringLiteral("Liste introuvable : ") + Nom(r.liste);
    return echec;
  }
  // Written beside the chosen name, renamed over it once complete.
  const QFileInfo cible(QDir::current().absoluteFilePath(r.sortie));
  QTemporaryFile provisoire(cible.absolutePath() + QStringLiteral("/.") + cible.fileName() +
                            QStringLiteral("-XXXXXX.partiel"));
  if (cible.isDir() || !provisoire.open()) {
    echec.message = QStringLiteral("Impossible d'écrire le fichier vidéo ") + Nom(cible.absoluteFilePath()) +
                    (cible.isDir() ? QStringLiteral(" : c'est un dossier") : QStringLiteral(" : ") + provisoire.errorString());
    return echec;
  }
  provisoire.close();
  ReglagesEncodage encodage;
  encodage.taille = r.taille;
  encodage.ips = r.ips;
  encodage.preset = r.preset;
  encodage.crf = r.crf;
  encodage.materiel = r.materiel;
  encodage.conteneur = *ConteneurDuNom(r.sortie);
  QString erreur;
  // The encoders' own chatter stays off the terminal; failures are said.
  av_log_set_level(AV_LOG_ERROR);
  auto encodeur = EncodeurVideo::Ouvrir(provisoire.fileName(), encodage, erreur);
  if (!encodeur) {
    echec.message = QStringLiteral("Impossible d'écrire le fichier vidéo ") + Nom(cible.absoluteFilePath()) +
                    QStringLiteral(" : ") + erreur;
    return echec;
  }
  if (const QString avis = encodeur->Avis(); !avis.isEmpty()) progression.Avis(avis);
  ResultatExport resultat;
  {
    Export exportation(r, progression, *encodeur);
    resultat = exportation.Projeter(*liste);
  }
  if (resultat.reussi && !encodeur->Terminer(erreur)) {
    resultat.reussi = false;
    resultat.message = QStringLiteral("Échec de l'écriture du fichier vidéo : ") + erreur;
  }
  encodeur.reset();
  if (!resultat.reussi) return resultat;
  std::error_code code;
  std::filesystem::rename(QFile::encodeName(provisoire.fileName()).toStdString(),
                          QFile::encodeName(cible.absoluteFilePath()).toStdString(), code);
  if (code) {
    resultat.reussi = false;
    resultat.message = QStringLiteral("Impossible d'écrire le fichier vidéo ") + Nom(cible.absoluteFilePath()) +
                       QStringLiteral(" : ") + QString::fromStdString(code.message());
    return resultat;
  }
  provisoire.setAutoRemove(false);
  // A temporary file is private; the video gets a new file's permissions.
  const mode_t masque = umask(0);
  umask(masque);
  chmod(QFile::encodeName(cible.absoluteFilePath()).constData(), 0666 & ~masque);
  return resultat;
}

}  // namespace

ResultatExport ExporterVideo(const ReglagesVideo& reglages, ProgressionExport& progression) {
  const ResultatExport resultat = Exporter(reglages, progression);
  progression.Fin();
  return resultat;
}

}  // namespace plivor
