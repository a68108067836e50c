#include "montage/Verification.h"

#include "montage/Constructeur.h"

#include <algorithm>

#include "core/Adresses.h"
#include "core/FichiersListe.h"
#include "core/Resolution.h"
#include "core/Vocabulaire.h"

namespace plivor {

namespace {

constexpr int kIdentifiantChoisir = 18;  // the value word "Choisir"

bool EstInstructionLigne(int genre) {
  return genre == Genre::Instruction || genre == Genre::InstructionTexte || genre == Genre::Ressource ||
         genre == Genre::Drapeau;
}

Texte DossierDeListe(const Texte& chemin, StyleChemins style) { return SansBarre(DossierDe(chemin, style)); }

// A line the grammar knows nothing of.
// A known keyword with a misspelt value word is as faulty as an unknown line.
bool GrammaireInconnue(const Texte& ligne, const Tables& tables) {
  return EntreeGrammaire(ligne, tables).Vide() || MotValeurInconnu(ligne, tables);
}

// What the information box says of a faulty line.
constexpr char kLigneNonReconnue[] = "LIGNE NON RECONNUE";
constexpr char kInstructionNonReconnue[] = "INSTRUCTION NON RECONNUE";
constexpr char kFichierAbsent[] = "F I C H I E R   A B S E N T";

Texte ErreurDans(const Texte& ligne) { return Texte("Erreur dans \"") + ligne + "\" !\""; }

// A sub-list's line that names nothing usable: an unknown extension, or a
// file found neither as the projection reads it nor beside the sub-list.
std::optional<Texte> FauteDeSousListe(const Texte& ligne, const Texte& dossierProjection, const Texte& dossier,
                                      const ServicesFichiers& fichiers) {
  if (ClasserLigne(ligne, fichiers) == Genre::Inconnu) return Texte(kLigneNonReconnue);
  if (!Resoudre(ligne, dossierProjection, dossier, fichiers).trouvee) return Texte(kFichierAbsent);
  return std::nullopt;
}

}  // namespace

// ---- Verification.

std::vector<FauteVerifiee> FautesDeLigne(const Texte& ligne, int index, const ContexteVerification& c) {
  const int genre = ClasserLigne(ligne, c.fichiers);
  if (genre == Genre::Inconnu) return {{{}, index, kLigneNonReconnue}};
  if (genre == Genre::Absent) return {{{}, index, kFichierAbsent}};
  if (EstInstructionLigne(genre))
    return GrammaireInconnue(ligne, c.tables) ? std::vector<FauteVerifiee>{{{}, index, kInstructionNonReconnue}}
                                              : std::vector<FauteVerifiee>{};
  if (genre != Genre::SousListe && genre != Genre::Script) return {};
  // Read into a list of its own: the clipboard stays the user's.
  const auto lue = LireListe(ligne, c.fichiers);
  if (!lue) return {{{}, index, ErreurDans(ligne)}};
  const Texte dossier = DossierDeListe(ligne, c.fichiers.Style());
  std::vector<FauteVerifiee> fautes;
  for (size_t j = 0; j < lue->lignes.size(); ++j)
    if (auto message = FauteDeSousListe(lue->lignes[j], c.dossierListe, dossier, c.fichiers))
      fautes.push_back({ligne, static_cast<int>(j), std::move(*message)});
  return fautes;
}

std::vector<FauteVerifiee> FautesDeListe(const Liste& lignes, const ContexteVerification& contexte) {
  std::vector<FauteVerifiee> fautes;
  for (size_t i = 0; i < lignes.size(); ++i) {
    auto deLigne = FautesDeLigne(lignes[i], static_cast<int>(i), contexte);
    fautes.insert(fautes.end(), std::make_move_iterator(deLigne.begin()), std::make_move_iterator(deLigne.end()));
  }
  return fautes;
}

std::optional<int> VerifierListe(Montage& montage) {
  TFVue& vue = montage.Vue();
  Dialogues& dialogues = vue.Services().dialogues;
  const ContexteVerification contexte{montage.Fichiers(), vue.TablesEnCours(), montage.DossierListe};
  montage.DessinSuspendu = true;
  montage.DefinirSelection({}, montage.Focus());
  std::optional<int> fautive;
  Texte message;  // said once the list shows the bad line again
  for (int i = 0; i < montage.Compte() && !fautive; ++i) {
    const Texte& ligne = montage.Lignes()[static_cast<size_t>(i)];
    if (FautesDeLigne(ligne, i, contexte).empty()) continue;
    fautive = i;
    // A sub-list or script is named as a whole in the message.
    const int genre = ClasserLigne(ligne, contexte.fichiers);
    if (genre == Genre::SousListe || genre == Genre::Script) message = ErreurDans(ligne);
  }
  montage.DessinSuspendu = false;
  if (!fautive) {
    emit montage.ListeChangee();
    dialogues.Message(Cp("Les ressources sont complètes !"));
    return std::nullopt;
  }
  montage.Selectionner(*fautive);
  montage.LigneCourante = *fautive;
  emit montage.ListeChangee();
  emit montage.MontrerEnHaut(*fautive);
  if (!message.empty()) dialogues.Message(message);
  montage.Selection();
  return fautive;
}

// ---- Relative copy.

namespace {

bool RelativiserGenre(int genre) {
  if (EstImage(genre) || EstFichierSon(genre)) return true;
  switch (genre) {
    case Genre::Inconnu: case Genre::Absent:
    case Genre::Instruction: case Genre::InstructionTexte: case Genre::Ressource: case Genre::Drapeau:
    case Genre::SousListe: case Genre::Script:
      return true;
    default:
      return false;
  }
}

// Lines written relative to a folder use "\", so that the list also plays
// where it is the only separator; absolute paths stay as they are.
Texte BarresInverses(const Texte& chemin, StyleChemins style) {
  if (EstAbsolu(chemin, style)) return chemin;
  Texte r = chemin;
  std::replace(r.begin(), r.end(), '/', '\\');
  return r;
}

Texte AvecBarresInverses(const Texte& ligne, StyleChemins style) {
  const int genre = GenreExtension(ligne);
  if (EstChemin(genre)) return BarresInverses(ligne, style);
  if (genre == Genre::Ressource) return MotCle(ligne) + "=" + BarresInverses(Valeur(ligne), style) + ".pvr";
  return ligne;
}

bool Echec(const Texte& resultat) {
  return resultat == kExterieur || resultat == kExterieurAccent || resultat == kErreur;
}

// Older ".bak" files move one rank up, so that "liste.bak" is free and no
// earlier version is lost. False when a rename failed.
bool LibererBak(const Texte& cible, ServicesFichiers& fichiers) {
  if (!fichiers.FichierExiste(cible)) return true;
  int libre = 0;
  while (fichiers.FichierExiste(NomBak(cible, libre))) ++libre;
  for (int rang = libre; rang > 0; --rang)
    if (!fichiers.Renommer(NomBak(cible, rang - 1), NomBak(cible, rang))) return false;
  return true;
}

std::optional<Texte> DossierChoisi(Montage& montage) {
  Dialogues& dialogues = montage.Vue().Services().dialogues;
  const auto choix = dialogues.DossierAChoisir(QStringLiteral("Dossier de base de la liste relative"),
                                               TexteEcran(montage.DossierListe));
  if (!choix || choix->isEmpty()) return std::nullopt;
  const auto dossier = VersCp1252(choix->toStdString());
  if (!dossier) {
    dialogues.Information(*choix + QStringLiteral(" : nom de dossier non représentable"));
    return std::nullopt;
  }
  Texte b = *dossier;
  while (b.size() > 1 && EstSeparateur(b.back())) b.pop_back();
  return b;
}

// The rewritten copy of every line, or nothing after the first failure. A
// missing file is left out of the rewriting only as "Ignorer les absents"
// or the person says: its line is kept as it stands.
std::optional<Liste> CopieRelative(const Liste& lignes, const Texte& base, const ServicesFichiers& fichiers,
                                   Dialogues& dialogues, bool ignorerAbsents) {
  Liste copie = lignes;  // a list of its own: the undo snapshot is left alone
  for (Texte& ligne : copie) {
    const int genre = ClasserLigne(ligne, fichiers);
    if (!RelativiserGenre(genre)) continue;
    if (genre == Genre::Absent) {
      const Texte fichier = GenreExtension(ligne) == Genre::Ressource ? Valeur(ligne) : ligne;
      if (!ContinuerSansFichier(dialogues, ignorerAbsents, Texte("Le fichier \"") + fichier + Cp("\" est absent ou illisible.")))
        return std::nullopt;
      continue;
    }
    const Texte relative = AdresseRelative(base, ligne, fichiers, dialogues);
    if (Echec(relative)) return std::nullopt;
    ligne = AvecBarresInverses(relative, fichiers.Style());
  }
  return copie;
}

}  // namespace

bool CheminRelatif(Montage& montage) {
  TFVue& vue = montage.Vue();
  Dialogues& dialogues = vue.Services().dialogues;
  ServicesFichiers& fichiers = montage.Fichiers();
  const StyleChemins style = fichiers.Style();
  // A cancelled choice ends here: nothing is written anywhere.
  const auto dossier = DossierChoisi(montage);
  if (!dossier) return false;
  const Texte base = EstSeparateur(dossier->back()) ? *dossier : *dossier + Separateur(style);
  const auto copie = CopieRelative(montage.Lignes(), base, fichiers, dialogues, vue.IgnorerAbsents);
  if (!copie) {
    dialogues.Message(Cp("Procédure interrompue !\rVérifier le contenu de la Liste."));
    return false;
  }
  if (!dialogues.Question(TexteEcran(Cp("Désirez-vous sauvegarder une liste relative dans \"") + base + "\" ?")))
    return false;
  // A list never saved takes the name the person gives it.
  Texte nom = NomDeFichier(montage.NomListe);
  if (montage.NomListe == kSansNom) {
    const auto choix = dialogues.FichierAEnregistrer(QStringLiteral("Sauver une liste Plivor"),
                                                     TexteEcran(Joindre(*dossier, "NouveauNom.pvl", style)),
                                                     QStringLiteral("Fichier Plivor (*.pvl)|*.pvl"));
    const auto choisi = choix ? VersCp1252(choix->toStdString()) : std::nullopt;
    if (!choisi || NomDeFichier(*choisi).empty()) return false;
    nom = NomDeFichier(*choisi);
    if (Minuscules(Extension(nom)) != ".pvl" && Minuscules(Extension(nom)) != ".txt") nom += ".pvl";
  }
  const Texte cible = Joindre(*dossier, nom, style);
  const Texte nonEcrit = Cp("Impossible d'écrire le fichier \"") + cible + "\".";
  if (fichiers.LectureSeule(cible)) {
    dialogues.Message(nonEcrit);
    return false;
  }
  if (!LibererBak(cible, fichiers)) {
    dialogues.Message(Cp("Impossible de garder la version précédente de \"") + cible + "\".");
    return false;
  }
  if (!EcrireEnGardant(cible, *copie, NomBak(cible, 0), fichiers)) {
    dialogues.Message(nonEcrit);
    return false;
  }
  // The montage keeps its full paths; only the file holds relative ones.
  montage.NomListe = cible;
  montage.DossierListe = SansBarre(*dossier);
  vue.ListeModifiee = false;
  emit montage.NomChange();
  return true;
}

Texte NomBak(const Texte& cible, int rang) {
  Texte bak = cible.substr(0, cible.size() >= 3 ? cible.size() - 3 : 0) + "bak";
  return rang == 0 ? bak : bak + std::to_string(rang);
}

bool EcrireEnGardant(const Texte& cible, const Liste& lignes, const Texte& bak, ServicesFichiers& fichiers) {
  if (!bak.empty() && fichiers.FichierExiste(cible)) {
    const auto ancienne = fichiers.LireFichier(cible);
    if (!ancienne || !fichiers.EcrireFichier(bak, *ancienne)) return false;
  }
  return EcrireListe(cible, lignes, fichiers);
}

// ---- Walking by type or instruction.

namespace {

enum class Famille { Erreur, Image, TexteValeur, Son, Instruction, SousListe, Ressource, Drapeau, Autre };

Famille FamilleDe(int genre) {
  if (genre == Genre::Inconnu || genre == Genre::Absent) return Famille::Erreur;
  if (EstImage(genre)) return Famille::Image;
  if (EstSon(genre)) return Famille::Son;
  switch (genre) {
    case Genre::InstructionTexte: return Famille::TexteValeur;
    case Genre::Instruction: return Famille::Instruction;
    case Genre::SousListe: case Genre::Script: return Famille::SousListe;
    case Genre::Ressource: return Famille::Ressource;
    case Genre::Drapeau: return Famille::Drapeau;
    default: return Famille::Autre;
  }
}

bool ElementDeMenu(int code) {
  return code == 600 || code == 700 || code == 1100 || code == 1500 || code == 1600;
}

// What the walk looks for, from the current line.
struct Critere {
  Famille famille = Famille::Autre;
  bool gauche = true;
  int motCle = 0;  // of an instruction or text value
  int code = 0;    // instruction number of a resource or flag line
  Texte libelle;
};

Critere CritereDe(const Texte& ligne, int genre, bool gauche, const Tables& tables) {
  Critere c;
  c.famille = FamilleDe(genre);
  c.gauche = gauche;
  c.motCle = CodeMotCle(MotCle(ligne), tables);
  c.code = CodeCombine(ligne, tables);
  const Texte instructions = Texte("instructions \"") + MotCle(ligne) + "\"";
  switch (c.famille) {
    case Famille::Erreur: c.libelle = "Erreur ou absent"; break;
    case Famille::Image: c.libelle = gauche ? "visuels" : "Images"; break;
    case Famille::TexteValeur: c.libelle = gauche ? Texte("visuels") : instructions; break;
    case Famille::Son: c.libelle = "sons"; break;
    case Famille::Instruction: c.libelle = gauche ? Cp("instructions de même type") : instructions; break;
    case Famille::SousListe: c.libelle = "sous-liste"; break;
    case Famille::Ressource:
    case Famille::Drapeau:
      if (gauche)
        c.libelle = c.famille == Famille::Ressource ? "appel-ressource" : "drapeau";
      else
        c.libelle = ElementDeMenu(c.code) ? Cp("Elément de Menu") : c.code == 8100 ? "objet externe" : "appel-ressource";
      break;
    case Famille::Autre: break;
  }
  return c;
}

bool Correspond(const Critere& c, const Texte& ligne, int genre, const Tables& tables) {
  const Famille f = FamilleDe(genre);
  switch (c.famille) {
    case Famille::Erreur: return f == Famille::Erreur;
    case Famille::Son: return f == Famille::Son;
    case Famille::SousListe: return f == Famille::SousListe;
    case Famille::Image:
      return f == Famille::Image || (c.gauche && f == Famille::TexteValeur);
    case Famille::TexteValeur:
    case Famille::Instruction: {
      if (c.gauche && c.famille == Famille::TexteValeur) return f == Famille::Image || f == Famille::TexteValeur;
      if (f != Famille::Instruction && f != Famille::TexteValeur) return false;
      const int motCle = CodeMotCle(MotCle(ligne), tables);
      if (!c.gauche) return motCle == c.motCle;
      return f == Famille::Instruction && motCle / 10 == c.motCle / 10;
    }
    case Famille::Ressource:
    case Famille::Drapeau: {
      if (c.gauche) return f == c.famille;
      if (f != Famille::Ressource && f != Famille::Drapeau) return false;
      const int code = CodeCombine(ligne, tables);
      if (ElementDeMenu(c.code)) return ElementDeMenu(code);
      if (c.code == 8100) return f == Famille::Ressource && code == 8100;
      return f == Famille::Ressource && !ElementDeMenu(code) && code != 8100;
    }
    case Famille::Autre: return false;
  }
  return false;
}

}  // namespace

std::optional<int> Parcourir(Montage& montage, bool suivant, bool gauche) {
  if (montage.Compte() == 0) return std::nullopt;
  const Tables& tables = montage.Vue().TablesEnCours();
  const ServicesFichiers& fichiers = montage.Fichiers();
  const int courante = std::clamp(montage.LigneCourante, 0, montage.Compte() - 1);
  const Texte& ligne = montage.Lignes()[static_cast<size_t>(courante)];
  const Critere critere = CritereDe(ligne, ClasserLigne(ligne, fichiers), gauche, tables);
  // Documents and metafiles have no family to walk.
  if (critere.famille == Famille::Autre) return std::nullopt;
  const int pas = suivant ? 1 : -1;
  for (int i = courante + pas; i >= 0 && i < montage.Compte(); i += pas) {
    const Texte& candidate = montage.Lignes()[static_cast<size_t>(i)];
    if (!Correspond(critere, candidate, ClasserLigne(candidate, fichiers), tables)) continue;
    montage.Selectionner(i);
    montage.LigneCourante = i;
    emit montage.ListeChangee();
    montage.Selection();
    return i;
  }
  montage.Vue().Services().dialogues.Message(Texte("Pas d'autres ") + critere.libelle + "\r" +
                                             (suivant ? Cp("après cette ligne...") : Cp("avant cette ligne...")));
  return std::nullopt;
}

// ---- Object file.

namespace {

QString FiltreObjet(bool depuisBoite, int instruction) {
  if (depuisBoite) return QStringLiteral("Fichiers (*.pvl *.rtf *.avi *.swf)|*.pvl;*.rtf;*.avi;*.swf|Tous (*.*)|*.*");
  switch (instruction) {
    case 1500: case 8004: return QStringLiteral("Fichiers Plivor (*.pvl)|*.pvl");
    case 8001: return QStringLiteral("Fichiers texte (*.rtf)|*.rtf");
    case 8002: return QStringLiteral("Fichiers vidéo (*.avi)|*.avi");
    case 8003: return QStringLiteral("Fichiers animation (*.swf)|*.swf");
    case 8005: case 8100:
      return QStringLiteral("Tous (*.*)|*.*|Fichiers (*.txt *.rtf *.avi *.swf)|*.txt;*.rtf;*.avi;*.swf");
    default: return QStringLiteral("Listes Plivor (*.pvl)|*.pvl|Listes au format Texte (*.txt)|*.txt");
  }
}

// A line that has no file yet: its value is still the word "Choisir", or
// it is an object instruction that names only a kind of file.
bool AttendSonFichier(const Texte& ligne, int instruction, const Tables& tables) {
  if (instruction / 100 == 80) return true;
  return Valeur(ligne) == NomValeur(kIdentifiantChoisir, tables);
}

}  // namespace

std::optional<Texte> ChoisirObjet(Montage& montage, bool depuisBoite, bool ligneInseree) {
  TFVue& vue = montage.Vue();
  Dialogues& dialogues = vue.Services().dialogues;
  const Tables& tables = vue.TablesEnCours();
  const int focus = montage.Focus();
  const bool surLigne = !depuisBoite && focus >= 0 && focus < montage.Compte();
  const Texte ligne = surLigne ? montage.Lignes()[static_cast<size_t>(focus)] : Texte();
  const int instruction = surLigne ? CodeCombine(ligne, tables) : 0;
  const Texte depart = !montage.DossierListe.empty() ? montage.DossierListe : vue.DossierProjection;
  const auto choix = dialogues.FichierAOuvrir(QStringLiteral("Charger une liste"), TexteEcran(depart),
                                              FiltreObjet(depuisBoite, instruction));
  const auto chemin = choix ? VersCp1252(choix->toStdString()) : std::nullopt;
  if (choix && !chemin) dialogues.Information(*choix + QStringLiteral(" : nom de fichier non représentable"));
  if (!chemin) {
    // Only a line the builder has just inserted, still waiting for its
    // file, goes away with the cancel.
    if (surLigne && ligneInseree && AttendSonFichier(ligne, instruction, tables)) {
      montage.RetirerLigne(focus);
      montage.LigneCourante = montage.Compte() == 0 ? -1 : IndexBorne(montage.Compte(), focus);
      if (montage.Compte() > 0) montage.Selectionner(montage.LigneCourante);
      emit montage.ListeChangee();
      montage.Selection();
    }
    return std::nullopt;
  }
  const Texte complet = CheminComplet(*chemin, montage.Fichiers().DossierCourant(), montage.Fichiers().Style());
  if (!surLigne) return complet;
  const int famille = instruction / 100;
  const int motCle = famille == 15 ? 15 : famille == 80 || famille == 81 ? 81 : 0;
  if (motCle != 0) {
    montage.EcrireLigne(focus, NomMotCle(motCle, tables) + "=" + complet + ".pvr");
    emit montage.ListeChangee();
    montage.Vue().LigneApercu.clear();
    montage.Selection();
  }
  return complet;
}

}  // namespace plivor
