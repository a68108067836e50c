#include "montage/Montage.h"

#include <QDateTime>
#include <QImageReader>
#include <QLocale>
#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/Adresses.h"
#include "core/FichiersListe.h"
#include "core/Langue.h"
#include "core/Vocabulaire.h"
#include "montage/Descriptions.h"
#include "options/TFOptions.h"

namespace plivor {

namespace {

const QString kFiltreListes = QStringLiteral("Listes Plivor (*.pvl)|*.pvl|Listes au format Texte (*.txt)|*.txt");
const QString kFiltreSauver = QStringLiteral("Fichier Plivor (*.pvl)|*.pvl|Format texte (*.txt)|*.txt");
const QString kFiltreScript = QStringLiteral("Script Plivor (*.pvs)|*.pvs");

constexpr int kTempo = 9;

bool EstVisuel(int genre) { return EstImage(genre) || genre == Genre::InstructionTexte; }

// Kinds a drop from the desktop accepts.
bool AccepteDuBureau(int genre) {
  switch (genre) {
    case Genre::Jpeg: case Genre::Gif: case Genre::Bmp: case Genre::Wav: case Genre::Mp3:
    case Genre::Midi: case Genre::PisteCd: case Genre::SousListe: case Genre::Script:
      return true;
    default:
      return false;
  }
}

// Kinds whose whole line is a file the load expands.
bool EstFichierMedia(int genre) {
  return EstImage(genre) || EstSon(genre) || genre == Genre::SousListe || genre == Genre::Script;
}

// A tempo below zero lasts nothing: a total is never taken for an error code.
int NombreOuZero(const Texte& ligne) {
  return static_cast<int>(std::clamp<long long>(LireEntier(Valeur(ligne)).value_or(0), 0, INT_MAX));
}

}  // namespace

Montage::Montage(TFVue& vue, ServicesFichiers& fichiers) : vue_(vue), fichiers_(fichiers) {
  TempoBase = std::to_string(TempoOptions());
}

int Montage::TempoOptions() const {
  if (const TFOptions* options = vue_.Reglages())
    if (const auto t = LireEntier(options->opt_tempo.toStdString()); t && *t > 0) return static_cast<int>(*t);
  return 2000;
}

int Montage::Genre(const Texte& ligne) const { return ClasserLigne(ligne, fichiers_); }

// ---- Line primitives.

void Montage::InsererBloc(int position, const Liste& bloc, bool choisies) {
  // One insertion for the whole block: long pastes stay linear.
  const auto n = static_cast<std::ptrdiff_t>(bloc.size());
  lignes_.insert(lignes_.begin() + position, bloc.begin(), bloc.end());
  selection_.insert(selection_.begin() + position, static_cast<size_t>(n), choisies ? 1 : 0);
  icones_.insert(icones_.begin() + position, static_cast<size_t>(n), -2);
  if (choisies) nombreSelectionnees_ += static_cast<int>(n);
  if (focus_ >= position) focus_ += static_cast<int>(n);
}

int Montage::RetirerSelection() {
  // One pass over the list: removing the lines one by one would be
  // quadratic on long lists.
  int plusBas = -1, ecrites = 0, avantFocus = 0;
  for (int i = 0; i < Compte(); ++i) {
    const auto k = static_cast<size_t>(i);
    if (selection_[k]) {
      if (plusBas < 0) plusBas = i;
      if (i < focus_) ++avantFocus;
      continue;
    }
    const auto e = static_cast<size_t>(ecrites++);
    if (e != k) {
      lignes_[e] = std::move(lignes_[k]);
      icones_[e] = icones_[k];
    }
  }
  lignes_.resize(static_cast<size_t>(ecrites));
  icones_.resize(static_cast<size_t>(ecrites));
  selection_.assign(static_cast<size_t>(ecrites), 0);
  nombreSelectionnees_ = 0;
  focus_ = lignes_.empty() ? -1 : std::clamp(focus_ - avantFocus, 0, Compte() - 1);
  return plusBas;
}

void Montage::Remplacer(const Liste& lignes) {
  lignes_ = lignes;
  selection_.assign(lignes_.size(), 0);
  icones_.assign(lignes_.size(), -2);
  nombreSelectionnees_ = 0;
  focus_ = lignes_.empty() ? -1 : std::clamp(focus_, 0, Compte() - 1);
}

void Montage::RemplacerLignes(const Liste& lignes) {
  Remplacer(lignes);
  LigneCourante = lignes_.empty() ? -1 : std::clamp(LigneCourante, 0, Compte() - 1);
  emit ListeChangee();
}

void Montage::Marquer(int index, bool choisie) {
  char& s = selection_[static_cast<size_t>(index)];
  if (bool(s) != choisie) nombreSelectionnees_ += choisie ? 1 : -1;
  s = choisie;
}

void Montage::ToutDeselectionner() {
  std::fill(selection_.begin(), selection_.end(), 0);
  nombreSelectionnees_ = 0;
}

std::vector<int> Montage::Selectionnees() const {
  std::vector<int> r;
  r.reserve(static_cast<size_t>(nombreSelectionnees_));
  for (int i = 0; i < Compte(); ++i)
    if (selection_[static_cast<size_t>(i)]) r.push_back(i);
  return r;
}

int Montage::Icone(int index) const {
  signed char& icone = icones_[static_cast<size_t>(index)];
  if (icone == -2) icone = static_cast<signed char>(IconeLigne(lignes_[static_cast<size_t>(index)], fichiers_, vue_.TablesEnCours()));
  return icone;
}

Texte Montage::Legende(int index) const { return LegendeDe(lignes_[static_cast<size_t>(index)], Icone(index)); }

Texte Montage::LegendeDe(const Texte& ligne, int icone) {
  switch (icone) {
    case 1: case 2: case 16: case 17: return NomDeFichier(ligne);
    case 4: return ligne.substr(0, ligne.size() > 4 ? ligne.size() - 4 : 0);
    case 6: case 7: case 22: return NomDeFichier(Valeur(ligne));
    case 12: return Valeur(ligne);
    case 19: case 20: return ligne;
    default: {
      const Texte motCle = MotCle(ligne);
      const std::size_t tiret = motCle.find('-');
      const Texte partie = tiret == Texte::npos ? motCle : motCle.substr(tiret + 1);
      return partie.substr(0, 15) + " " + Valeur(ligne);
    }
  }
}

void Montage::Instantane() {
  instantane_ = lignes_;
  annulable_ = true;
  IndexUndo = focus_;
}

void Montage::Modifiee() { vue_.ListeModifiee = true; }

void Montage::Apres() {
  DessinSuspendu = false;
  if (!lignes_.empty()) focus_ = std::clamp(LigneCourante, 0, Compte() - 1);
  emit ListeChangee();
  emit TransfertChange();
  Selection();
}

// ---- Selection.

void Montage::DefinirSelection(const std::vector<int>& indices, int focus) {
  ToutDeselectionner();
  for (int i : indices)
    if (i >= 0 && i < Compte()) Marquer(i, true);
  focus_ = lignes_.empty() ? -1 : std::clamp(focus, 0, Compte() - 1);
}

void Montage::Selectionner(int index) { DefinirSelection({index}, index); }

void Montage::Selection() {
  // A line chosen while the list is followed on show stops the show first.
  if (vue_.SuiviListe) {
    ArreterProjection();
    vue_.SuiviListe = false;
  }
  if (lignes_.empty()) {
    emit SelectionChangee();
    return;
  }
  LigneCourante = IndexBorne(Compte(), focus_);
  const Texte& ligne = lignes_[static_cast<size_t>(LigneCourante)];
  if (ligne != vue_.LigneApercu) {
    vue_.ApercuMontage = true;
    vue_.ApercuSource = false;
    if (vue_.AudioEnCours) vue_.AudioAM(Emetteur::bt_AudioArret);
    vue_.SuiviListe = false;
    const int genre = GenreExtension(ligne);
    if (genre == Genre::Instruction || genre == Genre::InstructionTexte || genre == Genre::Drapeau)
      titreFichier_ = ligne.substr(0, ligne.size() - 4);
    else if (genre == Genre::Ressource)
      titreFichier_ = MotCle(ligne) + "=" + NomDeFichier(Valeur(ligne));
    else
      titreFichier_ = NomDeFichier(ligne);
    const Texte copie = ligne;  // the preview may change the list's neighbours
    Afficher(copie, LigneCourante);
    vue_.LigneApercu = copie;
    infos_ = ObtenirInfos(copie);
    emit InfosChangees();
  }
  emit SelectionChangee();
}

// ---- Editing.

void Montage::Couper() {
  if (lignes_.empty()) return;
  DessinSuspendu = true;
  Modifiee();
  Instantane();
  Transfert.clear();
  for (int i = Compte() - 1; i >= 0; --i)
    if (Selectionnee(i)) Transfert.push_back(lignes_[static_cast<size_t>(i)]);
  const int plusBas = RetirerSelection();
  const int retour = plusBas >= 0 ? plusBas : LigneCourante;
  LigneCourante = lignes_.empty() ? -1 : IndexBorne(Compte(), retour);
  if (!lignes_.empty()) Marquer(LigneCourante, true);
  Apres();
}

void Montage::Copier() {
  if (lignes_.empty()) return;
  Transfert.clear();
  for (int i = Compte() - 1; i >= 0; --i)
    if (Selectionnee(i)) Transfert.push_back(lignes_[static_cast<size_t>(i)]);
  LigneCourante = IndexBorne(Compte(), LigneCourante);
  Marquer(LigneCourante, true);
  Apres();
}

void Montage::CollerLignes(const Liste& pile) {
  if (pile.empty()) return;
  // Taken from its last entry to its first: the list order they had.
  const Liste bloc(pile.rbegin(), pile.rend());
  const int k = static_cast<int>(bloc.size());
  if (LigneCourante < Compte() - 1) {
    InsererBloc(LigneCourante + 1, bloc, true);
    LigneCourante += k;
  } else {
    InsererBloc(Compte(), bloc, true);
    LigneCourante = Compte() - 1;
  }
}

void Montage::CollerDessous() {
  DessinSuspendu = true;
  Instantane();
  ToutDeselectionner();
  Modifiee();
  LigneCourante = std::clamp(LigneCourante, -1, Compte() - 1);
  CollerLignes(Transfert);
  Apres();
}

void Montage::Supprimer() {
  if (lignes_.empty()) return;
  DessinSuspendu = true;
  Modifiee();
  Instantane();
  const int plusBas = RetirerSelection();
  if (!lignes_.empty()) {
    LigneCourante = IndexBorne(Compte(), plusBas >= 0 ? plusBas : LigneCourante);
    Marquer(LigneCourante, true);
  } else {
    LigneCourante = -1;
  }
  Apres();
}

void Montage::Deplacer(int avant) {
  if (nombreSelectionnees_ == 0) return;
  DessinSuspendu = true;
  Modifiee();
  Instantane();
  Liste deplacees;
  deplacees.reserve(static_cast<size_t>(nombreSelectionnees_));
  int cible = avant;
  for (int i = 0; i < Compte(); ++i)
    if (Selectionnee(i)) {
      deplacees.push_back(lignes_[static_cast<size_t>(i)]);
      if (i < avant) --cible;
    }
  RetirerSelection();
  cible = std::clamp(cible, 0, Compte());
  InsererBloc(cible, deplacees, true);
  LigneCourante = cible + static_cast<int>(deplacees.size()) - 1;
  Apres();
}

void Montage::Debut() { Deplacer(0); }

void Montage::Fin() { Deplacer(Compte()); }

void Montage::ToutSelectionner() {
  std::fill(selection_.begin(), selection_.end(), 1);
  nombreSelectionnees_ = Compte();
  emit ListeChangee();
  Selection();
}

void Montage::ListeUndo() {
  if (!annulable_) return;
  Remplacer(instantane_);
  annulable_ = false;
  if (!lignes_.empty()) {
    focus_ = IndexBorne(Compte(), IndexUndo);
    LigneCourante = focus_;
    Marquer(focus_, true);
  } else {
    LigneCourante = -1;
  }
  emit ListeChangee();
  Selection();
}

void Montage::DeposerInterne(int rangee) {
  if (!DragOn) return;
  Deplacer(std::clamp(rangee, 0, Compte()));
}

void Montage::DeposerSource(const Liste& fichiers, int rangee) {
  if (!DragOn || vue_.ModePublication || fichiers.empty()) return;
  LigneCourante = std::clamp(rangee - 1, -1, Compte() - 1);
  // The resource window fills the clipboard last selected file first.
  Transfert.assign(fichiers.rbegin(), fichiers.rend());
  if (lignes_.empty()) LigneCourante = -1;
  CollerDessous();
}

void Montage::DeposerBureau(const QStringList& chemins, std::optional<int> rangee) {
  if (rangee) LigneCourante = std::clamp(*rangee - 1, -1, Compte() - 1);
  Liste acceptes;
  for (auto it = chemins.rbegin(); it != chemins.rend(); ++it) {
    const auto ligne = VersCp1252(it->toStdString());
    if (!ligne) {
      vue_.Services().dialogues.Information(QStringLiteral("Fichier : \r") + *it + QStringLiteral("\r") +
                                            QStringLiteral("nom illisible en Windows-1252 : refusé par Plivor"));
      continue;
    }
    if (AccepteDuBureau(GenreExtension(*ligne)))
      acceptes.push_back(*ligne);
    else
      vue_.Services().dialogues.Message(Texte("Fichier : \r") + *ligne + "\r" + "non reconnu par Plivor");
  }
  // A drop that brought nothing leaves the clipboard and the list alone.
  if (acceptes.empty()) return;
  Transfert = std::move(acceptes);
  CollerDessous();
}

// ---- Files.

std::optional<Texte> Montage::CheminDepuisHote(const QString& chemin) {
  const auto ligne = VersCp1252(chemin.toStdString());
  if (!ligne)
    vue_.Services().dialogues.Information(chemin + QStringLiteral(" : nom de fichier non représentable"));
  else
    return CheminComplet(*ligne, fichiers_.DossierCourant(), fichiers_.Style());
  return std::nullopt;
}

bool Montage::QuestionSauver() {
  if (!vue_.ListeModifiee) return true;
  const Texte question = Texte("La liste ") + NomListe + Cp(" a été modifiée, la sauvegarder ?");
  if (!vue_.Services().dialogues.Question(TexteEcran(question))) return true;
  return Sauver();
}

bool Montage::NvelleListe() {
  if (!QuestionSauver()) return false;
  Remplacer({});
  LigneCourante = -1;
  NomListe = kSansNom;
  instantane_.clear();
  annulable_ = false;
  IndexUndo = -1;
  DossierListe.clear();
  vue_.ListeModifiee = false;
  emit NomChange();
  emit ListeChangee();
  Selection();
  return true;
}

namespace {

// The icon of a media line whose existence is known.
int IconeMedia(int genre, bool existe) {
  if (!existe) return 19;
  if (EstImage(genre)) return 2;
  if (EstSon(genre)) return 1;
  return genre == Genre::SousListe ? 16 : 17;
}

}  // namespace

Texte Montage::Etendue(const Texte& ligne, const Texte& dossier, signed char* icone) const {
  const int genre = GenreExtension(ligne);
  const StyleChemins style = fichiers_.Style();
  // A relative line missing from the list's folder, when that folder is the
  // current one, is missing for the classification too.
  const bool dossierCourant = dossier == fichiers_.DossierCourant();
  if (EstFichierMedia(genre)) {
    if (ligne.empty()) return ligne;
    if (EstAbsolu(ligne, style) || dossier.empty()) {
      if (icone) *icone = static_cast<signed char>(IconeMedia(genre, fichiers_.FichierExiste(ligne)));
      return ligne;
    }
    const Texte complet = CheminComplet(ligne, dossier, style);
    const bool existe = fichiers_.FichierExiste(complet);
    if (icone && (existe || dossierCourant)) *icone = static_cast<signed char>(IconeMedia(genre, existe));
    return existe ? complet : ligne;
  }
  if (genre == Genre::Ressource) {
    const Texte valeur = Valeur(ligne);
    if (valeur.empty() || EstAbsolu(valeur, style) || dossier.empty()) return ligne;
    const Texte complet = CheminComplet(valeur, dossier, style);
    return fichiers_.FichierExiste(complet) ? MotCle(ligne) + "=" + complet + ".pvr" : ligne;
  }
  return ligne;
}

// A relative resource line whose file is not in the list's folder.
bool Montage::RessourceIntrouvable(const Texte& ligne, const Texte& dossier) const {
  if (GenreExtension(ligne) != Genre::Ressource || dossier.empty()) return false;
  const Texte valeur = Valeur(ligne);
  const StyleChemins style = fichiers_.Style();
  if (valeur.empty() || EstAbsolu(valeur, style)) return false;
  return !fichiers_.FichierExiste(CheminComplet(valeur, dossier, style));
}

Liste Montage::Etendre(const Liste& lignes, const Texte& dossier, std::vector<signed char>* icones) const {
  if (icones) icones->assign(lignes.size(), -2);
  if (ModeTexte) return lignes;
  Liste r;
  r.reserve(lignes.size());
  for (size_t i = 0; i < lignes.size(); ++i) {
    if (RessourceIntrouvable(lignes[i], dossier)) {
      // The expansion says why it fails; the walk stops there and the
      // lines from this one on stay as they were.
      Dialogues& dialogues = vue_.Services().dialogues;
      const Texte complet = CheminComplet(Valeur(lignes[i]), dossier, fichiers_.Style());
      AdresseEtendue(MotCle(lignes[i]) + "=" + complet + ".pvr", fichiers_, dialogues);
      dialogues.Message(Cp("Procédure interrompue !\rErreurs dans la liste."));
      r.insert(r.end(), lignes.begin() + static_cast<std::ptrdiff_t>(i), lignes.end());
      return r;
    }
    r.push_back(Etendue(lignes[i], dossier, icones ? &(*icones)[i] : nullptr));
  }
  return r;
}

void Montage::AppliquerTempoBase() {
  for (const Texte& ligne : lignes_)
    if (GenreExtension(ligne) == Genre::Instruction && CodeMotCle(MotCle(ligne), vue_.TablesEnCours()) == kTempo) {
      TempoBase = Valeur(ligne);
      return;
    }
  TempoBase = std::to_string(TempoOptions());
}

bool Montage::Ouvrir(const Texte& chemin) {
  const Texte complet = CheminComplet(chemin, fichiers_.DossierCourant(), fichiers_.Style());
  const auto lue = fichiers_.FichierExiste(complet) ? LireListe(complet, fichiers_) : std::nullopt;
  if (!lue) {
    vue_.Services().dialogues.Message(Cp("Liste non chargée.") + "\r" + "Liste en cours : " + NomListe);
    return false;
  }
  intraduisibles_.clear();
  for (int i : lue->lignesIntraduisibles) intraduisibles_.push_back(lue->lignes[static_cast<size_t>(i)]);
  for (int i : lue->lignesIntraduisibles)
    vue_.Services().dialogues.Message(Texte("Ligne ") + std::to_string(i + 1) + " : " +
                                      Cp("caractères que Windows-1252 ne peut pas représenter, lus \"?\"."));
  // The snapshot belongs to the list being left.
  instantane_.clear();
  annulable_ = false;
  IndexUndo = 0;
  const Texte dossier = SansBarre(DossierDe(complet, fichiers_.Style()));
  // Relative lines are the list's own: they resolve against its folder.
  std::vector<signed char> icones;
  Remplacer(Etendre(lue->lignes, dossier, &icones));
  icones_ = std::move(icones);
  NomListe = complet;
  DossierListe = dossier;
  vue_.ListeModifiee = false;
  emit NomChange();
  std::size_t longueur = 0;  // of the whole text, line ends included
  for (const Texte& l : lignes_) longueur += l.size() + 2;
  if (longueur > 4 && !lignes_.empty()) {
    AppliquerTempoBase();
    Selectionner(0);
    LigneCourante = 0;
  } else {
    Remplacer({});
    LigneCourante = -1;
  }
  emit ListeChangee();
  Selection();
  return true;
}

bool Montage::ChargerListe() {
  if (!QuestionSauver()) return false;
  const auto choix = vue_.Services().dialogues.FichierAOuvrir(QStringLiteral("Charger une liste"),
                                                             TexteEcran(DossierListe), kFiltreListes);
  const auto chemin = choix ? CheminDepuisHote(*choix) : std::nullopt;
  if (!chemin || !fichiers_.FichierExiste(*chemin)) {
    vue_.Services().dialogues.Message(Cp("Liste non chargée.") + "\r" + "Liste en cours : " + NomListe);
    return false;
  }
  vue_.MenuImageCharge = false;
  return Ouvrir(*chemin);
}

bool Montage::EcrireLignes(const Texte& chemin, const Liste& lignes) {
  if (fichiers_.LectureSeule(chemin)) {
    vue_.Services().dialogues.Message(Texte("Le fichier \"") + chemin + Cp("\" est en lecture seule."));
    return false;
  }
  if (!EcrireListe(chemin, lignes, fichiers_)) {
    vue_.Services().dialogues.Message(Cp("Impossible d'écrire le fichier \"") + chemin + "\".");
    return false;
  }
  return true;
}

bool Montage::Sauver() {
  Dialogues& dialogues = vue_.Services().dialogues;
  if (lignes_.empty()) {
    dialogues.Message("La liste est vide");
    return false;
  }
  const bool nomActuel = vue_.ListeModifiee && NomListe != kSansNom && !fichiers_.LectureSeule(NomListe);
  const Texte propose = nomActuel ? NomDeFichier(NomListe) : Texte("NouveauNom");
  const Texte depart = DossierListe.empty() ? propose : Joindre(DossierListe, propose, fichiers_.Style());
  const auto choix =
      dialogues.FichierAEnregistrer(QStringLiteral("Sauver une liste Plivor"), TexteEcran(depart), kFiltreSauver);
  if (!choix) return false;
  const auto choisi = CheminDepuisHote(*choix);
  if (!choisi) return false;
  // A name without the list extension takes it; the name's own dots stay.
  Texte chemin = *choisi;
  const Texte extension = Minuscules(Extension(NomDeFichier(chemin)));
  if (extension != ".pvl" && extension != ".txt") chemin += ".pvl";
  if (chemin != *choisi && chemin != NomListe && fichiers_.FichierExiste(chemin) &&
      !dialogues.Question(TexteEcran(Texte("Le fichier \"") + chemin + Cp("\" existe déjà.") + "\r" +
                                     "Le remplacer ?")))
    return false;
  // Lines that lost characters at reading are not written back unsaid.
  const auto perdues = std::count_if(lignes_.begin(), lignes_.end(), [this](const Texte& l) {
    return std::find(intraduisibles_.begin(), intraduisibles_.end(), l) != intraduisibles_.end();
  });
  if (perdues > 0 &&
      !dialogues.Question(TexteEcran(Texte("La liste contient ") + std::to_string(perdues) +
                                     Cp(" ligne(s) dont des caractères ne s'écrivent pas en Windows-1252 (lus \"?\").") +
                                     "\r" + "Les enregistrer ainsi ?")))
    return false;
  if (!EcrireLignes(chemin, lignes_)) return false;
  NomListe = chemin;
  DossierListe = SansBarre(DossierDe(chemin, fichiers_.Style()));
  vue_.ListeModifiee = false;
  emit NomChange();
  return true;
}

bool Montage::EnregistrerScript() {
  Dialogues& dialogues = vue_.Services().dialogues;
  if (nombreSelectionnees_ == 0) {
    dialogues.Message(Cp("Aucune ligne n'est sélectionnée !..."));
    return false;
  }
  Liste script;
  for (int i : Selectionnees()) script.push_back(lignes_[static_cast<size_t>(i)]);
  const auto choix = dialogues.FichierAEnregistrer(QStringLiteral("Sauver une liste Plivor"),
                                                   TexteEcran(DossierListe), kFiltreScript);
  if (!choix) return false;
  auto chemin = CheminDepuisHote(*choix);
  if (!chemin) return false;
  const Texte choisi = *chemin;
  if (Minuscules(Extension(*chemin)) != ".pvs") *chemin += ".pvs";
  // The dialog asked about the name chosen, not about the one completed.
  if (*chemin != choisi && fichiers_.FichierExiste(*chemin) &&
      !dialogues.Question(TexteEcran(Texte("Le fichier \"") + *chemin + Cp("\" existe déjà.") + "\r" +
                                     "Le remplacer ?")))
    return false;
  return EcrireLignes(*chemin, script);
}

void Montage::ImporterListe(const Texte& chemin) {
  const auto lue = LireListe(chemin, fichiers_);
  if (!lue) {
    vue_.Services().dialogues.Message(Cp("Liste non chargée.") + "\r" + "Liste en cours : " + NomListe);
    return;
  }
  Modifiee();
  const StyleChemins style = fichiers_.Style();
  const Texte dossier = SansBarre(DossierDe(CheminComplet(chemin, fichiers_.DossierCourant(), style), style));
  if (LigneCourante >= 0 && LigneCourante < Compte()) Marquer(LigneCourante, false);
  const int position = std::clamp(LigneCourante, -1, Compte() - 1);
  Liste bloc;
  bloc.reserve(lue->lignes.size());
  for (const Texte& brute : lue->lignes) {
    const int genre = GenreExtension(brute);
    const bool instruction = genre == Genre::Instruction || genre == Genre::InstructionTexte ||
                             genre == Genre::Ressource || genre == Genre::Drapeau;
    bloc.push_back(instruction || EstAbsolu(brute, style) ? brute : Joindre(dossier, brute, style));
  }
  InsererBloc(position + 1, bloc, true);
  emit ListeChangee();
  emit SelectionChangee();
}

void Montage::RecevoirListe(const Liste& lignes, const Texte& nom, const Texte& dossier, int index,
                            bool modifiee) {
  if (!modifiee) Remplacer({});
  if (lignes_.empty()) {
    NomListe = nom;
    DossierListe = dossier;
    ModeTexte = false;
    Remplacer(Etendre(lignes, dossier));
    // Another list: the snapshot of the last one must not come back in it.
    instantane_.clear();
    annulable_ = false;
    if (lignes_.empty()) {
      NomListe = kSansNom;
      DossierListe = SansBarre(vue_.Services().dossierProgramme);
      LigneCourante = -1;
    } else {
      Selectionner(IndexBorne(Compte(), index));
      LigneCourante = focus_;
    }
  } else if (lignes_ == lignes) {
    Selectionner(IndexBorne(Compte(), index));
    LigneCourante = focus_;
  }
  const auto marque = std::find(lignes_.begin(), lignes_.end(), MarqueIntroduction());
  if (marque != lignes_.end() && marque != lignes_.begin()) NvelleListe();
  AppliquerTempoBase();
  ArreterProjection();
  vue_.Services().voisins.MontrerPanneau(false);
  vue_.ImageOpaque = true;
  if (vue_.TestMontage && !lignes_.empty()) {
    LigneCourante = IndexBorne(Compte(), vue_.IndexCourant - 1);
    Selectionner(LigneCourante);
  }
  vue_.ListePropre = vue_.TestMontage = vue_.SuiviListe = vue_.ApercuMontage = false;
  vue_.LigneApercu.clear();
  Rafraichir();
  vue_.MenuAutomatique = false;
  Visible = true;
  emit NomChange();
  emit ListeChangee();
  emit Montrer();
  Selection();
}

// Showing: the projection's playback stops and serves the previews, out of
// mute, manual mode and pause.
void Montage::ArreterProjection() {
  if (vue_.Muet) vue_.ModeMuet();
  if (vue_.Manuel) vue_.ModeManuel();
  if (vue_.EtatPause > 0) vue_.PauseClick(Emetteur::Aucun);
  if (vue_.AvanceAuto) vue_.AvanceAM(Emetteur::Aucun);
  if (vue_.AudioEnCours) vue_.AudioAM(Emetteur::bt_AudioArret);
  if (vue_.Fenetre.width() < 600 || vue_.Fenetre.height() < 400) vue_.Rafraichir(Emetteur::Aucun);
}

void Montage::FermerListe(EmetteurMontage emetteur) {
  const bool retour = emetteur == EmetteurMontage::bt_Fermer || emetteur == EmetteurMontage::PopFermer;
  if (retour) vue_.ApercuMontage = vue_.ApercuSource = false;
  vue_.SuiviListe = false;
  Visible = false;
  emit Masquer();
  vue_.CodeInstruction = 3001;
  vue_.Peindre();
  if (emetteur == EmetteurMontage::PopFermer) {
    vue_.Medias = lignes_;
    const StyleChemins style = fichiers_.Style();
    vue_.CheminListe = NomListe == kSansNom ? Texte(kSansNom) : NomListe;
    vue_.DossierProjection = NomListe == kSansNom ? (DossierListe.empty() ? fichiers_.DossierCourant() : DossierListe)
                                                  : SansBarre(DossierDe(NomListe, style));
    vue_.CreerPopDrapeaux();
  }
  vue_.ListePropre = true;
  vue_.MenuAutomatique = true;
  // The panel the montage hid comes back when the options want it shown.
  if (vue_.Reglages() && vue_.Reglages()->Coche(2)) vue_.Services().voisins.MontrerPanneau(true);
  if (retour) {
    vue_.Services().fichiers.ChangerDossier(vue_.DossierProjection);
    vue_.Debut(Emetteur::Aucun);
  }
}

// ---- Display and information.

void Montage::AfficherTexte(bool texte) {
  ModeTexte = texte;
  emit ListeChangee();
}

void Montage::Rafraichir() {
  if (vue_.PBox.isNull()) return;
  const Couleur c = vue_.CouleurDiapo;
  vue_.PBox.fill(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
  emit vue_.Presenter();
}

void Montage::Afficher(const Texte& ligne, int rangee) {
  const int genre = Genre(ligne);
  const bool dansLaListe = rangee >= 0 && rangee < Compte();
  const bool voisines = vue_.ImagesVoisines;
  if (RafraichirFond && (EstImage(genre) || genre == Genre::InstructionTexte)) Rafraichir();
  auto charger = [this](const Texte& l, int code) {
    vue_.CodeDiapo = code;
    vue_.Charger(l);
    vue_.Transitions();
  };
  if (EstImage(genre)) {
    if (voisines && dansLaListe)
      for (int i = rangee - 1; i >= 0; --i) {
        const int g = Genre(lignes_[static_cast<size_t>(i)]);
        if (EstImage(g) || g == Genre::Metafichier) {
          charger(lignes_[static_cast<size_t>(i)], 444);
          break;
        }
      }
    charger(ligne, voisines ? 443 : 423);
    if (voisines && dansLaListe)
      for (int i = rangee + 1; i < Compte(); ++i) {
        const int g = Genre(lignes_[static_cast<size_t>(i)]);
        if (EstImage(g) || g == Genre::Metafichier) {
          charger(lignes_[static_cast<size_t>(i)], 445);
          break;
        }
      }
  } else if (EstSon(genre)) {
    if (!vue_.IgnorerAudio) vue_.Charger(ligne);
  } else if (genre == Genre::InstructionTexte) {
    vue_.CodeTitre = 700;
    const int motCle = CodeMotCle(MotCle(ligne), vue_.TablesEnCours());
    const bool titre = motCle == 70 || motCle == 77;
    if (titre) vue_.ImageOpaque = false;
    charger(ligne, voisines ? 443 : 423);
    if (titre) vue_.ImageOpaque = true;
  } else if (genre == Genre::Ressource && CodeMotCle(MotCle(ligne), vue_.TablesEnCours()) == 6) {
    Rafraichir();
    vue_.MenuImageCharge = false;
    vue_.Charger(ligne);
  } else if (genre == Genre::Absent && !DossierListe.empty()) {
    const Texte jointe = AdresseJointe(ligne, DossierListe, fichiers_);
    const Texte fichier = jointe.find(".pvr") != Texte::npos ? Valeur(jointe) : jointe;
    if (jointe != ligne && fichiers_.FichierExiste(fichier)) Afficher(jointe, rangee);
  }
}

void Montage::InfosSource(const Texte& chemin) {
  titreFichier_ = chemin;
  infos_ = ObtenirInfos(chemin);
  emit InfosChangees();
}

Infos Montage::ObtenirInfos(const Texte& ligne) const {
  Infos infos;
  if ((!vue_.FenetreSources && lignes_.empty()) || ligne.size() <= 3) return infos;
  const StyleChemins style = fichiers_.Style();
  auto& l = infos.lignes;
  const Texte dossier = "-->" + SansBarre(DossierDe(ligne, style));
  const auto date = [&] {
    const auto secondes = fichiers_.DateFichier(ligne);
    const QDateTime moment = QDateTime::fromSecsSinceEpoch(secondes.value_or(0));
    l.push_back("Date : " + VersCp1252(QLocale::system().toString(moment, QLocale::ShortFormat).toStdString()).value_or(""));
  };
  const auto taille = [&] { l.push_back(TexteTaille(ligne, fichiers_)); };
  const auto dureeOuverte = [&] {
    if (vue_.MciOuvert && vue_.AudioCourant == ligne)
      if (const auto longueur = vue_.Services().audio.Longueur()) l.push_back(TexteDuree(*longueur));
  };
  const int genre = Genre(ligne);
  switch (genre) {
    case Genre::Inconnu:
      infos.avertissement = true;
      l = {"*** Avertissement !! ***", " ", "LIGNE NON RECONNUE", Cp("Vérifier la syntaxe.")};
      break;
    case Genre::Jpeg: case Genre::Gif: case Genre::Bmp: {
      date();
      taille();
      const QImageReader lecteur(QString::fromStdString(vue_.Services().fichiers.CheminHote(ligne).string()));
      const QSize dimension = lecteur.size();
      l.push_back("Dimension : " + std::to_string(dimension.width()) + " / " + std::to_string(dimension.height()) +
                  " pixels");
      l.push_back(dossier);
      break;
    }
    case Genre::Wav: case Genre::Midi:
      date();
      taille();
      dureeOuverte();
      l.push_back(dossier);
      break;
    case Genre::Mp3:
      date();
      taille();
      if (vue_.Mp3Ouvert) l.push_back(TexteDuree(vue_.DureeMp3));
      l.push_back(dossier);
      break;
    case Genre::PisteCd: {
      const int numero = NumeroPisteCd(ligne);
      char texte[3];
      std::snprintf(texte, sizeof texte, "%02d", numero);
      l.push_back(Cp("Piste Cd-audio n° ") + texte);
      if (const auto piste = vue_.Services().audio.Piste(numero)) l.push_back(TexteDuree(piste->dureeMs));
      break;
    }
    case Genre::Instruction: case Genre::InstructionTexte: case Genre::Ressource: case Genre::Drapeau: {
      const Texte description = Description(vue_.LangueActive, CodeCombine(ligne, vue_.TablesEnCours()));
      if (!description.empty()) {
        l.push_back(description);
      } else {
        infos.avertissement = true;
        l = {"*** Avertissement !! ***", " INSTRUCTION ", "NON RECONNUE", Cp("Vérifier la syntaxe.")};
      }
      break;
    }
    case Genre::SousListe:
      l.push_back(Cp("-- Séquence Plivor --"));
      date();
      taille();
      l.push_back(dossier);
      break;
    case Genre::Script:
      l.push_back("--- Script Plivor ---");
      date();
      taille();
      l.push_back(dossier);
      break;
    case Genre::Absent:
      infos.avertissement = true;
      l = {"*** Avertissement !! ***", " ", "F I C H I E R   A B S E N T", Cp("à cette adresse !!"), dossier};
      break;
    default:
      break;
  }
  return infos;
}

void Montage::VoirTransfert(int index) {
  if (index < 0 || index >= static_cast<int>(Transfert.size())) return;
  LigneCourante = index;
  if (vue_.AudioEnCours) vue_.AudioAM(Emetteur::bt_AudioArret);
  const Texte ligne = Transfert[static_cast<size_t>(index)];
  Afficher(ligne, -1);
  titreFichier_ = NomDeFichier(ligne);
  infos_ = ObtenirInfos(ligne);
  emit InfosChangees();
}

// ---- Duration.

long long DureeLignes(const Liste& w, int f, int l, const ServicesFichiers& fichiers, const Tables& tables) {
  if (w.empty() || l < f || f < 0 || l >= static_cast<int>(w.size())) return -1;
  const auto tempo = [&](const Texte& ligne) {
    return GenreExtension(ligne) == Genre::Instruction && CodeMotCle(MotCle(ligne), tables) == kTempo;
  };
  const auto arretOuSaut = [&](const Texte& ligne) {
    if (GenreExtension(ligne) != Genre::Instruction) return false;
    const int code = CodeCombine(ligne, tables);
    const int motCle = code / 100;
    return code == 102 || code == 103 || code == 106 || motCle == 13 || motCle == 14 || motCle == 15 ||
           motCle == 81;
  };
  long long t = 0, s = 0, v = 0;
  for (int i = f - 1; i >= 0; --i)
    if (tempo(w[static_cast<size_t>(i)])) {
      t = NombreOuZero(w[static_cast<size_t>(i)]);
      break;
    }
  for (int i = f; i <= l; ++i) {
    const Texte& ligne = w[static_cast<size_t>(i)];
    const int genre = ClasserLigne(ligne, fichiers);
    if (EstVisuel(genre)) {
      if (v > 0 && t == 0) return -2;
      s += t;
      ++v;
    } else if (tempo(ligne)) {
      s -= t;
      t = NombreOuZero(ligne);
      s += t;
    } else if (arretOuSaut(ligne)) {
      return -3;
    } else if (genre == Genre::SousListe || genre == Genre::Script) {
      return -5;
    }
  }
  for (int i = l + 1; i < static_cast<int>(w.size()); ++i) {
    const Texte& ligne = w[static_cast<size_t>(i)];
    if (EstVisuel(ClasserLigne(ligne, fichiers)) || arretOuSaut(ligne)) break;
    if (tempo(ligne)) {
      s = s - t + NombreOuZero(ligne);
      break;
    }
  }
  return s;
}

Texte MessageDuree(long long d) {
  if (d > 0)
    return Cp("Durée de la sélection : ") + std::to_string(d) + " millisecondes." + "\r" + "Soit une " +
           TexteDuree(d);
  switch (d) {
    case 0: return Cp("Durée de la sélection : 0 milliseconde");
    case -1:
      return Cp("Aucune ligne n'est sélectionnée !\r\rSélectionner un groupe de lignes\rafin d'en calculer la durée");
    case -2:
      return Cp("Au moins une instruction \"Tempo\" doit être présente\rau début ou avant la sélection, sinon les "
                "premières lignes\rn'auront pas de durée !...");
    case -3:
      return Cp("La sélection contient des instructions\rqui ne permettent pas le calcul de durée :\r  Avance, "
                "Saut, AllerA...\rLes déselectionner ou les effacer.");
    case -5: return Cp("  Déployer les listes *.pvl\ravant de calculer la durée !");
    default: return Texte();
  }
}

long long Montage::DureeLignesSelectionnees() const {
  const std::vector<int> choisies = Selectionnees();
  if (choisies.empty()) return -1;
  const int f = choisies.front();
  const int l = choisies.back();
  // The list with the unselected lines between the first and the last
  // selected ones left out, built in one pass.
  Liste w(lignes_.begin(), lignes_.begin() + f);
  for (int i : choisies) w.push_back(lignes_[static_cast<size_t>(i)]);
  const int derniere = static_cast<int>(w.size()) - 1;
  w.insert(w.end(), lignes_.begin() + l + 1, lignes_.end());
  return DureeLignes(w, f, derniere, fichiers_, vue_.TablesEnCours());
}

Texte Montage::DureeSelection() {
  const Texte message = MessageDuree(DureeLignesSelectionnees());
  if (!message.empty()) vue_.Services().dialogues.Message(message);
  return message;
}

// ---- Test runs.

void Montage::Diaporama(EmetteurMontage emetteur, bool depuisLigne) {
  Dialogues& dialogues = vue_.Services().dialogues;
  if (lignes_.empty()) {
    dialogues.Message(Cp("La liste est vide !\r    et ne peut donc être affichée..."));
    return;
  }
  const bool visuel = std::any_of(lignes_.begin(), lignes_.end(), [this](const Texte& l) {
    const int g = Genre(l);
    return EstVisuel(g) || g == Genre::SousListe;
  });
  if (!visuel) {
    dialogues.Message(Cp("La liste ne contient pas d'image\r    et ne peut donc être affichée..."));
    return;
  }
  vue_.Medias = lignes_;
  const StyleChemins style = fichiers_.Style();
  if (NomListe == kSansNom) {
    vue_.CheminListe = kSansNom;
    vue_.DossierProjection = DossierListe.empty() ? fichiers_.DossierCourant() : DossierListe;
  } else {
    vue_.CheminListe = CheminComplet(NomListe, fichiers_.DossierCourant(), style);
    vue_.DossierProjection = SansBarre(DossierDe(vue_.CheminListe, style));
  }
  vue_.CreerPopDrapeaux();
  if (emetteur == EmetteurMontage::bts_suivi) {
    vue_.SuiviListe = vue_.ListePropre = true;
  } else {
    FermerListe(EmetteurMontage::bt_Diaporama);
    vue_.TestMontage = true;
  }
  vue_.CodeDiapo = 470;
  vue_.FormatDiapo();
  Rafraichir();
  if (depuisLigne)
    TesterListe();
  else
    vue_.Debut(Emetteur::Aucun);
}

void Montage::TesterListe() {
  if (lignes_.empty()) return;
  const Tables& tables = vue_.TablesEnCours();
  int s = std::clamp(LigneCourante, 0, Compte() - 1);
  long long t = 0, e = 0;
  int p = -1, a = 0;
  bool visuel = false, tempoConnu = false;
  vue_.AudioDebut = 0;
  vue_.ExecutionMuette = true;
  const auto motCle = [&](const Texte& l) { return CodeMotCle(MotCle(l), tables); };
  for (int i = s - 1; i >= 0; --i) {
    const Texte& ligne = lignes_[static_cast<size_t>(i)];
    const int genre = Genre(ligne);
    if (EstVisuel(genre)) {
      if (!visuel) s = i;
      visuel = true;
    } else if (EstSon(genre)) {
      if (p < 0) {
        p = i;
        vue_.Charger(ligne);
      } else if (a == 0) {
        a = i;
      }
    } else if (genre == Genre::Instruction && motCle(ligne) == kTempo) {
      if (p >= 0 && !tempoConnu) {
        t = NombreOuZero(ligne);
        tempoConnu = true;
      }
    } else if ((genre == Genre::Instruction && (motCle(ligne) == 1 || motCle(ligne) == 13 || motCle(ligne) == 14)) ||
               genre == Genre::Ressource || genre == Genre::Drapeau) {
      if (a == 0) a = i;
      break;
    }
    if (tempoConnu && a > 0) break;
  }
  for (int i = a + 1; i < s; ++i) {
    const Texte& ligne = lignes_[static_cast<size_t>(i)];
    const int genre = Genre(ligne);
    if (p >= 0 && i > p && EstVisuel(genre)) {
      e += t;
    } else if (i == p) {
      e = t;
    } else if (genre == Genre::Instruction && motCle(ligne) == kTempo && p >= 0 && i > p) {
      e -= t;
      t = NombreOuZero(ligne);
      e += t;
    } else if (genre == Genre::Instruction && motCle(ligne) != 20) {
      vue_.Charger(ligne);
    }
  }
  if (p >= 0) {
    for (int i = s + 1; i < Compte(); ++i) {
      const Texte& ligne = lignes_[static_cast<size_t>(i)];
      const int genre = Genre(ligne);
      if (EstVisuel(genre)) break;
      if (genre != Genre::Instruction) continue;
      const int code = CodeCombine(ligne, tables);
      const int mc = code / 100;
      if (code == 102 || code == 103 || code == 106 || mc == 13 || mc == 14 || mc == 15 || mc == 81) break;
      if (mc == kTempo) {
        e = e - t + NombreOuZero(ligne);
        t = NombreOuZero(ligne);
        break;
      }
    }
    if (t == 0) vue_.Services().dialogues.Message(Cp("Aucune instruction Tempo trouvée !!\rSynchronisation impossible."));
  }
  if (t > 0) vue_.Timer1.setInterval(static_cast<int>(t));
  vue_.ExecutionMuette = false;
  vue_.IndexCourant = s;
  vue_.Verifier();
  vue_.Charger(lignes_[static_cast<size_t>(s)]);
  if (!vue_.AvanceAuto) vue_.AvanceAM(Emetteur::Aucun);
  if (p >= 0) {
    vue_.AudioCourant.clear();
    vue_.AudioDebut += static_cast<int>(e);
    DecalageAudio = vue_.AudioDebut;
    vue_.Charger(lignes_[static_cast<size_t>(p)]);
  }
  vue_.Suivant(Emetteur::Aucun);
}

// ---- Languages.

bool Montage::Traduire() {
  if (!DeuxiemeLangue(vue_.Langue)) {
    vue_.Services().dialogues.Message(Cp("Choisir auparavant une deuxième langue !..."));
    return false;
  }
  Instantane();
  Liste traduites;
  traduites.reserve(lignes_.size());
  for (const Texte& ligne : lignes_) traduites.push_back(TraduireLigne(ligne, vue_.Langue));
  const std::vector<char> selection = selection_;
  const int nombre = nombreSelectionnees_;
  lignes_ = std::move(traduites);
  selection_ = selection;
  nombreSelectionnees_ = nombre;
  icones_.assign(lignes_.size(), -2);
  vue_.Langue.langueInstallee = true;
  Modifiee();
  emit ListeChangee();
  return true;
}

bool Montage::InverserLangues() {
  if (!DeuxiemeLangue(vue_.Langue)) {
    vue_.Services().dialogues.Message(Cp("Choisir auparavant une deuxième langue !..."));
    return false;
  }
  plivor::InverserLangues(vue_.Langue);
  icones_.assign(lignes_.size(), -2);
  emit ListeChangee();
  return true;
}

bool Montage::ChangeTempoBase(const Texte& valeur) {
  const auto tempo = LireEntier(valeur);
  if (!tempo || *tempo <= 0) {
    vue_.Services().dialogues.Message(valeur + Cp(" ?? - Entrer une valeur numérique en millisecondes."));
    return false;
  }
  TempoBase = std::to_string(*tempo);
  return true;
}

// ---- Single lines of the builder.

void Montage::EcrireLigne(int index, const Texte& ligne) {
  if (index < 0 || index >= Compte()) return;
  lignes_[static_cast<size_t>(index)] = ligne;
  icones_[static_cast<size_t>(index)] = -2;
  Modifiee();
}

void Montage::InsererLigne(int index, const Texte& ligne) {
  InsererBloc(std::clamp(index, 0, Compte()), {ligne}, false);
  Modifiee();
}

void Montage::RetirerLigne(int index) {
  if (index < 0 || index >= Compte()) return;
  const auto k = static_cast<size_t>(index);
  if (selection_[k]) --nombreSelectionnees_;
  lignes_.erase(lignes_.begin() + index);
  selection_.erase(selection_.begin() + index);
  icones_.erase(icones_.begin() + index);
  if (focus_ > index || focus_ >= Compte()) --focus_;
  if (lignes_.empty()) focus_ = -1;
  Modifiee();
}

void Montage::AppelAide(int rubrique) {
  vue_.FichierAide = Joindre(DossierDe(vue_.CheminProgramme, fichiers_.Style()), "Plivor.hlp", fichiers_.Style());
  vue_.Services().bureau.OuvrirAide(TexteEcran(vue_.FichierAide), rubrique);
}

}  // namespace plivor
