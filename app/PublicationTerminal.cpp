// --publier: the publication panel's assembly, from the command line.

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

#include "app/LigneDeCommande.h"
#include "app/Terminal.h"
#include "montage/Verification.h"
#include "options/Installation.h"
#include "platform/Enregistrement.h"
#include "platform/Freedesktop.h"
#include "sources/Publication.h"
#include "sources/Sources.h"
#include "video/ExportMontage.h"

namespace plivor {

namespace {

// The copy's progress, redrawn in place on a terminal; elsewhere one line
// each tenth.
class BarreCopie {
 public:
  BarreCopie() : terminal_(isatty(fileno(stderr)) != 0) {}
  void Avancer(qint64 copies, qint64 total) {
    const int pourcent = total > 0 ? int(std::clamp<qint64>(copies * 100 / total, 0, 100)) : 0;
    if (!terminal_ && pourcent / 10 == dernier_ / 10 && dernier_ >= 0) return;
    if (terminal_ && pourcent == dernier_ && ouverte_) return;
    dernier_ = pourcent;
    // On a terminal the line is drawn again over itself, its end cleared.
    std::fprintf(stderr, "%sCopie : %3d %%  (%s / %s)%s", terminal_ ? "\r" : "", pourcent, qPrintable(Taille(copies)),
                 qPrintable(Taille(total)), terminal_ ? "\033[K" : "");
    if (terminal_)
      ouverte_ = true;
    else
      std::fputc('\n', stderr);
    std::fflush(stderr);
  }
  // The bar's line ends before anything else is said.
  void Fin() {
    if (ouverte_) std::fputc('\n', stderr);
    ouverte_ = false;
  }

 private:
  static QString Taille(qint64 octets) {
    const bool mega = octets >= 1024 * 1024;
    return QString::number(double(octets) / (mega ? 1024.0 * 1024.0 : 1024.0), 'f', 1)
               .replace(QLatin1Char('.'), QLatin1Char(',')) +
           (mega ? QStringLiteral(" Mo") : QStringLiteral(" ko"));
  }
  bool terminal_;
  bool ouverte_ = false;
  int dernier_ = -1;
};

// The video's notices on the error output; its progress is not drawn.
class AvisTerminal : public ProgressionExport {
 public:
  bool Avancer(double, double) override { return true; }
  void Avis(const QString& texte) override { std::fprintf(stderr, "%s\n", qPrintable(texte)); }
};

bool Dit(const DialoguesTerminal& dialogues, const char* texte) {
  return !dialogues.textes.isEmpty() && dialogues.textes.back() == QString::fromUtf8(texte);
}

// Saves of lists a killed run left half written are settled, as at the
// program's start: the record lives beside the settings.
void SuivreEnregistrements() {
  const QString fichier = qEnvironmentVariable("PLIVOR_REGLAGES");
  const Registre registre = fichier.isEmpty() ? Registre() : Registre(fichier);
  DefinirJournalEnregistrements(registre.Dossier().toStdString() + "/enregistrements-en-cours");
  NettoyerEnregistrementsInterrompus();
}

QString Hote(const FichiersHote& fichiers, const Texte& chemin) {
  return QString::fromStdString(fichiers.CheminHote(chemin).string());
}

// The published main list checked as the panel does once it is written:
// its faults said; they fail the publication unless missing files were to
// be passed.
bool VerifierPubliee(MoteursTerminal& moteurs, const Texte& principale, bool ignorerAbsents) {
  const QString hote = Hote(moteurs.fichiers, principale);
  if (moteurs.Ouvrir(hote, hote) != 0) return false;
  const Montage& montage = *moteurs.montage;
  const ContexteVerification contexte{moteurs.fichiers, moteurs.vue->TablesEnCours(), montage.DossierListe};
  const auto fautes = FautesDeListe(montage.Lignes(), contexte);
  for (const FauteVerifiee& f : fautes)
    std::fprintf(stderr, "%s:%d: %s\n", qPrintable(Hote(moteurs.fichiers, f.sousListe.empty() ? principale : f.sousListe)),
                 f.ligne + 1, qPrintable(PourTerminal(f.message)));
  return fautes.empty() || ignorerAbsents;
}

// "Créer un fichier Autorun" on the published main list, chosen in the
// folder's file list as the person would.
bool CreerDemarrage(Publication& publication, Sources& sources, const MoteursTerminal& moteurs, const QString& dossier) {
  const QString nom = QFileInfo(Hote(moteurs.fichiers, publication.ListePubliee)).fileName();
  sources.OuvrirDossier(dossier);
  const auto index = sources.Fichiers.indexOf(nom);
  if (index >= 0) sources.DefinirSelection({int(index)}, int(index));
  publication.PubClick(BoutonPublication::Pub_btAutorun);
  return Dit(moteurs.dialogues, "Fichiers de démarrage installés !");
}

// The folder named on the command line, made when missing; nothing when
// it cannot be (said, with the exit code).
std::optional<Texte> DossierDemande(const Commande& c, int& code) {
  const QString dossier = QDir::cleanPath(QDir::current().absoluteFilePath(c.dossierPublication));
  const auto ligne = LigneDepuisHote(dossier.toStdString());
  if (!ligne) {
    std::fprintf(stderr, "Nom de dossier non représentable : %s\n", qPrintable(dossier));
    code = 2;
    return std::nullopt;
  }
  if (!QDir().mkpath(dossier)) {
    std::fprintf(stderr, "Le nom de dossier : \"%s\" est incorrect\n", qPrintable(dossier));
    code = 1;
    return std::nullopt;
  }
  return ligne;
}

}  // namespace

int PublierEnTerminal(const Commande& c, const QString& cheminProgramme) {
  SuivreEnregistrements();
  MoteursTerminal moteurs(cheminProgramme);
  if (const int code = moteurs.Ouvrir(c.listes.value(0), c.listesDonnees.value(0)); code != 0) return code;
  int code = 0;
  const auto p = DossierDemande(c, code);
  if (!p) return code;
  const QString dossier = Hote(moteurs.fichiers, *p);
  TFVue& vue = *moteurs.vue;
  vue.IgnorerAbsents = c.ignorerAbsents;
  Sources sources(vue, *moteurs.montage, dossier);
  Publication publication(sources);
  // Nobody watches: no picture is shown nor sound played while copying.
  publication.IntervalleApercu = 0;
  // The stand-alone player is what a published show needs to play by itself.
  Installation installation(vue, DossiersUtilisateur());
  publication.DefinirInstallation(&installation);
  publication.rb_Plivor = false;
  AvisTerminal avis;
  publication.DefinirExportVideo([&vue, &avis](const QString& liste, const QString& video, QString& raison) {
    return ExporterVideoPubliee(vue, liste, video, avis, raison);
  });

  BarreCopie barre;
  moteurs.dialogues.avantDeDire = [&barre] { barre.Fin(); };
  QObject::connect(&publication, &Publication::Progression,
                   [&barre](qint64 copies, qint64 total) { barre.Avancer(copies, total); });
  moteurs.montage->DossierPublication = *p;
  publication.Publier();
  publication.OptionAudio = c.audio;
  publication.OptionScript = c.script;
  publication.OptionConserver = c.conserver;
  if (!c.nom.isEmpty()) publication.Pub_NomListe = c.nom;
  publication.PubClick(BoutonPublication::Pub_btValider);
  barre.Fin();
  bool reussie = !publication.ListePubliee.empty() && VerifierPubliee(moteurs, publication.ListePubliee, c.ignorerAbsents);
  if (reussie && c.programme) {
    publication.PubClick(BoutonPublication::Pub_Plivor);
    barre.Fin();
    reussie = Dit(moteurs.dialogues, "Installation terminée !");
  }
  // Before the start files, so that autorun.sh falls back to the video.
  if (reussie && c.videoPublication) {
    publication.PubClick(BoutonPublication::Pub_btVideo);
    reussie = !moteurs.dialogues.textes.isEmpty() &&
              moteurs.dialogues.textes.back().startsWith(QStringLiteral("Vidéo ajoutée : "));
  }
  if (reussie && c.autorun) reussie = CreerDemarrage(publication, sources, moteurs, dossier);
  if (reussie) std::printf("%s\n", qPrintable(Hote(moteurs.fichiers, publication.ListePubliee)));
  return reussie ? 0 : 1;
}

}  // namespace plivor
