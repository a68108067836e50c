#pragma once
// The options window's "Installation" page: the program files copied into a
// chosen folder, the launcher, and lists associated with the program. The
// copy also serves the publication, which carries the program or the
// stand-alone player into its folder.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/Freedesktop.h"

namespace plivor {

class TFVue;

// The program with everything beside it, or the stand-alone player.
enum class JeuFichiers { Programme, Lecteur };

inline constexpr char kLecteur[] = "prelio";

// Names copied from the program's folder, in their order; `nomProgramme`
// is the running program's own file name.
QStringList FichiersAInstaller(JeuFichiers jeu, const QString& nomProgramme);

// One file or folder of a set: the full path it is taken from, and its
// name in the target folder.
struct ElementJeu {
  QString source;
  QString nom;
  bool operator==(const ElementJeu&) const = default;
};
using ElementsJeu = QList<ElementJeu>;

// What `jeu` copies when the program `nomProgramme` runs from
// `dossierProgramme`, in order.
ElementsJeu ElementsAInstaller(JeuFichiers jeu, const QString& dossierProgramme, const QString& nomProgramme);

// Whether two paths name one folder, whatever their spelling (trailing
// "/", "..", symbolic links).
bool MemeDossier(const QString& a, const QString& b);

// Bytes copied so far, and in all.
using Progression = std::function<void(qint64 copies, qint64 total)>;

// One file written beside the target and renamed over it, with the
// source's date and permissions. Every read and write is checked: a short
// or failed copy leaves the former target as it was and gives false.
bool CopierFichierVerifie(const QString& source, const QString& cible, const std::function<void(qint64)>& avance);

struct BilanCopie {
  enum class Etat { Reussie, Absent, Echec };
  Etat etat = Etat::Reussie;
  QString fichier;  // the missing source, or the target that failed
};

// Copies `noms` (files or folders) from `source` into the existing folder
// `cible` as one change: every file is first written whole in a hidden
// folder inside `cible`, and only once all are there are they renamed into
// place. A missing or failed one leaves `cible` as it was. `ecrits`
// receives the files put in place, relative to `cible`.
BilanCopie CopierFichiers(const QString& source, const QString& cible, const QStringList& noms,
                          const Progression& progression = {});
BilanCopie CopierFichiers(const ElementsJeu& elements, const QString& cible, const Progression& progression = {},
                          QStringList* ecrits = nullptr);

// A copy into `cible` that was killed is settled: finished when all its
// files were written, else its hidden folder is removed. Gives the number
// of copies settled.
int ReprendreCopiesInterrompues(const QString& cible);

// The hidden folders of copies under way start with this.
inline constexpr char kPrefixeLot[] = ".plivor-lot-";

// The buttons of the shortcut panel.
enum class BoutonRaccourci { opt_bt_Raccourci, k_btPrograms, k_btBureau, lk_btAutre, lk_btAnnuler };

class Installation : public QObject {
  Q_OBJECT

 public:
  Installation(TFVue& vue, DossiersXdg dossiers, QObject* parent = nullptr);

  // The page shown: files already in the installation folder, the program.
  void Versions();
  // The folder chooser; a cancelled choice changes nothing.
  void ChoisirDossier();
  // Copies, then associates lists with the installed program. True when
  // everything was done.
  bool Installer();
  // "Désinstaller": removes what the installation in the chosen folder
  // wrote, and nothing else. True when it was done.
  bool Desinstaller();
  // The files of `jeu` into `cible`, reporting what goes wrong; what the
  // publication calls.
  // `ecrits`: the files put in place, relative to `cible`.
  bool CopierProgramme(const QString& cible, JeuFichiers jeu, QStringList* ecrits = nullptr);
  void ChoixRaccourci(BoutonRaccourci bouton);
  // A launcher `nom` of the program in `dossier`; false when not made.
  bool CreerRaccourci(const QString& dossier, const QString& nom = QLatin1String(kLanceur));

  // The folder of the program that runs, whatever was installed since.
  QString DossierSource() const;
  QString CheminProgramme() const;

  QString opt_RNomDossier;
  QStringList opt_RVersions;
  QString opt_RNomProgram;
  QString opt_RMessage;
  bool lk_pnRaccourci = false;

 signals:
  void ControlesChanges();
  void Progression(qint64 copies, qint64 total);

 private:
  void Dire(const QString& texte);
  QString ProgrammeEnCours() const;

  TFVue& vue_;
  DossiersXdg dossiers_;
  mutable QString programmeEnCours_;  // the program that runs
};

}  // namespace plivor
