#pragma once
// The publication panel's engine: a finished sequence gathered with every
// file it uses into one folder that plays by itself elsewhere, the program
// carried beside it, and the automatic-start files. The edited list, its
// state and the user's clipboard are never used: each list is published
// from a copy of its own.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "core/Lignes.h"
#include "options/Installation.h"
#include "sources/CopiePublication.h"
#include "sources/RegistrePublication.h"

namespace plivor {

class Montage;
class Sources;
class TFVue;

enum class BoutonPublication {
  Pub_btRefermer,
  Pub_btDossier,
  Pub_btCharger,
  Pub_btNouveau,
  Pub_btValider,
  Pub_Plivor,
  Pub_btAutorun,
  Pub_btVideo,
};

inline constexpr char kNomSequenceInitial[] = "Nom de séquence";
inline constexpr char kDossierNonSelectionne[] = "Dossier non sélectionné";

class Publication : public QObject {
  Q_OBJECT

 public:
  explicit Publication(Sources& sources, QObject* parent = nullptr);

  // The program files come through the installation routine; without it
  // "Inclure le programme" says it cannot.
  void DefinirInstallation(Installation* installation);
  // "Ajouter une vidéo" writes the published show's video through this:
  // the list, the video's name; false with the reason. Unset, it says it cannot.
  using ExportVideoPublication = std::function<bool(const QString& liste, const QString& video, QString& raison)>;
  void DefinirExportVideo(ExportVideoPublication exporter) { exporterVideo_ = std::move(exporter); }

  // The montage's "Publier la présentation": the panel in the resource window.
  void Publier();
  void PubClick(BoutonPublication bouton);
  // "Aide Publication".
  void Aide();

  // ---- The panel's controls.
  bool Ouvert = false;                       // Pub_pn shown in place of pn_Fdroit
  QString Pub_NomListe = QString::fromUtf8(kNomSequenceInitial);
  bool OptionAudio = false;                  // Pub_CBox 0 "Dossier Audio"
  bool OptionScript = false;                 // 1 "Dossier Script"
  bool OptionConserver = false;              // 2 "Conserver les sous-listes"
  bool rb_Plivor = true;                     // rb_Prelio is its opposite
  QString Pub_trEnCours;
  bool EnCoursVisible = false;
  QString Pub_dossier = QString::fromUtf8(kDossierNonSelectionne);
  bool Occupe = false;                       // the busy cursor is on

  // ---- The assembly under way (full host paths, Windows-1252).
  Texte DossierSequence;
  Texte DossierAudio;
  Texte DossierScript;
  Texte ListePrincipale;
  bool ModeScript = false;
  bool PublicationInterrompue = false;

  // Pictures are shown and sounds played in the projection while they are
  // copied, at most this often so that it does not slow the copy; 0: never.
  int IntervalleApercu = 400;

  // The published main list of the last assembly that ended well.
  Texte ListePubliee;

 signals:
  void Change();
  // Bytes copied so far in this assembly, and known so far to copy.
  void Progression(qint64 copies, qint64 total);
  void Focus();  // the panel takes the focus

 private:
  // A list waiting to be published, and the folder its relative lines
  // resolve from: the projected list's, as the projection reads them.
  struct EnAttente {
    Texte chemin;
    Texte dossierProjection;
  };
  // What became of a file a line names.
  enum class Issue { Copiee, Laissee, Arret };
  enum class Montrer { Rien, Image, Son };

  Texte DossierPub() const;
  void Dire(const QString& texte);
  void Etape(const QString& texte);
  void Refermer();
  void ValiderDossier();
  void Charger();
  void Nouveau();
  bool Assembler();
  bool PreparerDossiers();
  // The main list's name is free, or the person lets it be replaced.
  bool PrincipaleLibre(const Texte& principale);
  // One list: the main one or a queued list or script, from a copy of its lines.
  bool Distribution(const EnAttente& liste, Liste lignes, bool principale);
  // `laissees`: the lines left as they stood, their file left out.
  bool PremierePasse(Liste& lignes, const EnAttente& liste, const Texte& dossierListe, std::vector<bool>& laissees);
  // The file a line of these kinds has copied, if any.
  std::optional<Texte> FichierCopie(const Texte& resolue) const;
  // `laissee`: the file left out, the line kept as it stood.
  std::optional<Texte> Rediger(const Texte& ligne, const Texte& resolue, int genre, const EnAttente& liste,
                               bool& laissee);
  // Copied into `dossier`; a picture is shown, a sound played, when time allows.
  Issue Media(const Texte& source, const Texte& dossier, Montrer montrer, Texte& cible);
  // The list's name in the folder, queued on first meeting; nothing when
  // the list is left out (unreadable) or the assembly stops.
  Issue NomDansPublication(const Texte& source, const Texte& dossierProjection, Texte& nom);
  // "Ignorer les absents", or the person's answer: go on without the file.
  bool SansFichier(const Texte& raison);
  void SecondePasse(Liste& lignes, const std::vector<bool>& laissees);
  bool Sauver(const Texte& chemin, const Liste& lignes);
  // A name in `dossier` for `source`, kept for it during the assembly,
  // never one of the user's own files.
  Texte Place(const Texte& source, const Texte& dossier, bool liste);
  // The backup name of a list of the folder, never a user's file.
  Texte BakLibre(const Texte& cible) const;
  Issue Copier(const Texte& source, const Texte& cible);
  // The copies written aside since the last time take their names; false
  // (said) when one cannot, the rest then removed.
  bool MettreEnPlace();
  void AbandonnerEnAttente();
  // What the person is told of a failed copy, and what becomes of the assembly.
  Issue EchecCopie(IssueCopie issue, const Texte& source, const QString& de, const QString& vers);
  bool ApercuPermis();  // not more often than IntervalleApercu
  void InclureProgramme();
  void Autorun();
  void AjouterVideo();
  // A file of the automatic start at `chemin` may be written: free, the
  // publication's own, or the person lets it be replaced.
  bool DemarrageLibre(const Texte& chemin);
  bool EcrireAutorunSh(const QString& programme, const QString& autre, const QString& video);
  Montage& Moteur();

  Sources& sources_;
  TFVue& vue_;
  Installation* installation_ = nullptr;
  ExportVideoPublication exporterVideo_;
  RegistrePublication registre_;

  // Per assembly.
  std::deque<EnAttente> file_;               // lists still to publish
  std::map<Texte, Texte> places_;            // target -> the source it holds
  std::map<Texte, Texte> listesPubliees_;    // list source -> its name in the folder
  // Copies written whole under a temporary name, waiting to take theirs:
  // put in place together, so the record is saved once for many.
  struct CopieEnAttente {
    QByteArray temporaire;
    Texte cible;
    QString vers;
    bool remplacer;
  };
  static constexpr size_t kCopiesParLot = 64;
  static constexpr qint64 kOctetsParLot = qint64(256) << 20;
  std::vector<CopieEnAttente> enAttente_;
  qint64 octetsEnAttente_ = 0;
  Texte motDrapeau_;
  qint64 copies_ = 0;
  qint64 total_ = 0;
  QElapsedTimer depuisApercu_;
};

// The text of the autorun.sh that starts the show of its folder with
// `programme` or `autre`, carried beside it or installed, else opens
// `video` (when given) in the system's player; every name quoted, so that
// no character of a name is run.
QString TexteAutorunSh(const QString& programme, const QString& autre, const QString& video = {});
// The video "Ajouter une vidéo" writes for a published list: beside it, of its name.
QString VideoDeListe(const QString& liste);

// A sequence or folder name the user typed, as a single folder name inside
// the publication folder; the message saying why it is refused otherwise.
std::optional<QString> NomRefuse(const QString& nom);

}  // namespace plivor
