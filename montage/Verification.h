#pragma once
// The montage's checks and rewritings of the edited list: verification,
// relative copy, deployment of sub-lists, walking by type, and the choice
// of an object's file. Each is one call on the montage engine; none uses
// the clipboard or the undo snapshot as scratch space.

#include <optional>

#include "montage/Montage.h"
#include "platform/Dialogues.h"

namespace plivor {

// "Vérifier la liste": the index of the first bad line (selected, focused,
// shown at the top), or nothing after "Les ressources sont complètes !".
std::optional<int> VerifierListe(Montage& montage);

// A fault the verification finds: on a line of the checked list itself
// (`sousListe` empty) or on one of the sub-list or script it names (its
// full path); `ligne` is 0-based in the list that holds it. The message is
// what the information box says of such a line.
struct FauteVerifiee {
  Texte sousListe;
  int ligne = 0;
  Texte message;
  bool operator==(const FauteVerifiee&) const = default;
};

struct ContexteVerification {
  const ServicesFichiers& fichiers;
  const Tables& tables;
  Texte dossierListe;  // the checked list's folder, where its relative lines resolve
};

// What the verification finds on the line at `index` of the checked list:
// nothing, its own fault, or the faults of the sub-list or script it names.
std::vector<FauteVerifiee> FautesDeLigne(const Texte& ligne, int index, const ContexteVerification& contexte);

// The faults of every line, in order.
std::vector<FauteVerifiee> FautesDeListe(const Liste& lignes, const ContexteVerification& contexte);

// "Créer un chemin relatif": true once the relative copy has been written
// beside its ".bak".
bool CheminRelatif(Montage& montage);

// "Déployer les listes *.pvl": false when nothing was deployed.
bool DeployerPvl(Montage& montage);

// Bounds of a deployment: sub-lists nested deeper, or more lines in all,
// stop it with a message, the list left as it was.
inline constexpr size_t kProfondeurDeploiementMax = 20;
inline constexpr size_t kLignesDeployeesMax = 50000;

struct ContexteDeploiement {
  const ServicesFichiers& fichiers;
  Dialogues& dialogues;
  bool ignorerAbsents;  // "Ignorer les absents"
  Texte motDrapeau;
  // Receives the deployed lines that lost something when their sub-list
  // was read (characters Windows-1252 cannot hold, NUL bytes, cut lines).
  Liste* alterees = nullptr;
};

// The lines with their ".pvl" sub-lists expanded as DeployerPvl does,
// lines resolving from `dossier`, the folder of the list; the edited list
// is not touched. Nothing when the deployment stopped (said).
std::optional<Liste> LignesDeployees(const Liste& lignes, const Texte& dossier, const ContexteDeploiement& contexte);

// A file a tool cannot take, `raison` naming it: with "Ignorer les
// absents" the tool goes on without it, otherwise the person is asked.
bool ContinuerSansFichier(Dialogues& dialogues, bool ignorerAbsents, const Texte& raison);

// "liste.pvl" -> "liste.bak", then "liste.bak1", "liste.bak2"...
Texte NomBak(const Texte& cible, int rang);

// The new list written whole at `cible`; the former one, if any, is first
// kept as a copy at `bak` (when not empty). The former list stays in its
// place until the new one replaces it at once, so a failure or a kill
// never leaves `cible` missing.
bool EcrireEnGardant(const Texte& cible, const Liste& lignes, const Texte& bak, ServicesFichiers& fichiers);

// bts_suivant (`suivant`) or bts_precedent; `gauche`: the left button
// walks by type, any other by instruction. The line found, if any.
std::optional<int> Parcourir(Montage& montage, bool suivant, bool gauche);

// The file of an object or replacement-sequence instruction.
//   depuisBoite: the formatting panel's file box asks; no line changes.
//   ligneInseree: the builder has just inserted the focused line and it
//     still waits for its file: a cancel removes it. A cancel never
//     removes any other line.
// Otherwise the focused line becomes "Séquence=" or "ObjetX=" + the file.
// The full path chosen, or nothing when cancelled.
std::optional<Texte> ChoisirObjet(Montage& montage, bool depuisBoite, bool ligneInseree = false);

}  // namespace plivor
