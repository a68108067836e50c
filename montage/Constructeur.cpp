#include "montage/Constructeur.h"

#include <algorithm>

#include "core/Chemins.h"
#include "core/Lignes.h"
#include "core/Notations.h"
#include "montage/CodesConstructeur.h"
#include "montage/Descriptions.h"
#include "montage/MiseEnForme.h"
#include "options/TFOptions.h"
#include "platform/Dialogues.h"

namespace plivor {

std::vector<FicheGrammaire> EntreesGrammaire(int motCle) {
  std::vector<FicheGrammaire> entrees;
  const Texte& table = TableGrammaire();
  for (std::size_t i = 6; i + 4 < table.size(); i += 5) {
    if (table[i] != '+') break;
    const int code = CodeOctet(table[i + 1]);
    if (code == 0) break;
    if (code == motCle) {
      FicheGrammaire f;
      f.octets = table.substr(i + 1, 4);
      entrees.push_back(f);
    } else if (!entrees.empty()) {
      break;
    }
  }
  return entrees;
}

namespace {

// The sample value of a number keyword's candidate; nothing for the others.
std::optional<int> ValeurExemple(int motCle) {
  switch (motCle) {
    case Mc::Volume: return 75;
    case Mc::Debut: return 8550;
    case Mc::Duree: return 22400;
    case Mc::FadeIn: case Mc::FadeOff: return 1250;
    case Mc::Cadre: return -2;
    case Mc::Marge: return 8;
    case Mc::Delai: return 2400;
    default: return std::nullopt;
  }
}

// The keywords a family lists, in order.
std::vector<int> Famille(int motCle) {
  switch (motCle) {
    case 1: case 2: return {1, 2};
    case 9: return {9};
    case 11: case 13: case 14: return {11, 13, 14, 15};
    case 12: return {12, 16};
    case 20: case 21: case 23: case 24: case 25: case 26: return {20, 21, 23, 24, 25, 26};
    case 30: return {30, 31};
    case 33: case 34: case 43: case 44: case 74: case 83: case 84: return {motCle};
    case 35: return {35, 36, 37};
    case 40: return {40, 41};
    case 42: return {42};
    case 60: case 61: return {60, 61};
    case 68: case 69: return {69, 68};
    case 70: return {77, 70, 71, 72, 75, 76};
    case 80: case 81: return {80};
    default: return {};
  }
}

bool CodeParmi(int code, std::initializer_list<int> codes) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

Constructeur::Constructeur(Montage& montage)
    : montage_(montage), panneau_(std::make_unique<MiseEnForme>(montage, *this)) {}

Constructeur::~Constructeur() = default;

const Tables& Constructeur::TablesCourantes() const { return montage_.Vue().TablesEnCours(); }

Dialogues& Constructeur::Boites() { return montage_.Vue().Services().dialogues; }

Texte Constructeur::Mot(int motCle) const { return NomMotCle(motCle, TablesCourantes()); }

// ---- Candidates.

void Constructeur::AjouterCandidat(const FicheGrammaire& fiche) {
  const int motCle = fiche.MotCle();
  const Texte debut = Mot(motCle) + "=";
  const Texte extension = fiche.ExtensionLigne();
  switch (fiche.Editeur()) {
    case Editeur::Nombre:
      if (const auto v = ValeurExemple(motCle)) candidats_.push_back(debut + std::to_string(*v) + extension);
      return;
    case Editeur::Couleur: {
      const TFVue& vue = montage_.Vue();
      const Couleur c = motCle == Mc::FenetreCouleur ? vue.CouleurFenetre
                        : motCle == Mc::DiapoCouleur ? vue.CouleurDiapo
                        : motCle == Mc::TitreCouleur ? vue.CouleurTitre
                                                     : vue.CouleurDiapo;
      candidats_.push_back(debut + TexteCouleur(c) + extension);
      return;
    }
    default:
      candidats_.push_back(debut + NomValeur(fiche.IdentifiantValeur(), TablesCourantes()) + extension);
  }
}

void Constructeur::CreerPvi(int motCle) {
  if (motCle == Mc::Tempo) {
    const long long base = LireEntier(montage_.TempoBase).value_or(0);
    long long options = 2000;
    if (const TFOptions* o = montage_.Vue().Reglages())
      if (const auto t = LireEntier(o->opt_tempo.toStdString()); t && *t > 0) options = *t;
    const Texte extension = EntreesGrammaire(Mc::Tempo).front().ExtensionLigne();
    for (long long v : {base, base / 2, base / 4, base * 2, options})
      candidats_.push_back(Mot(Mc::Tempo) + "=" + std::to_string(v) + extension);
    return;
  }
  const std::vector<FicheGrammaire> entrees = EntreesGrammaire(motCle);
  if (entrees.empty()) {
    Boites().Message(Cp("Erreur d'affectation de groupe : ") + std::to_string(motCle));
    return;
  }
  for (const FicheGrammaire& f : entrees) AjouterCandidat(f);
}

void Constructeur::ListerFamille(int motCle) {
  candidats_.clear();
  choisi_ = -1;
  for (int code : Famille(motCle)) CreerPvi(code);
}

int Constructeur::CodeBouton(BoutonInstruction bouton, bool gauche) {
  switch (bouton) {
    case BoutonInstruction::Tempo: return gauche ? 9 : 1;
    case BoutonInstruction::Transition: return gauche ? 60 : 69;
    case BoutonInstruction::Diapo: return gauche ? 40 : 30;
    case BoutonInstruction::Titre: return gauche ? 70 : 0;
    case BoutonInstruction::Avance: return gauche ? 11 : 12;
    case BoutonInstruction::Audio: return gauche ? 20 : 80;
  }
  return 0;
}

void Constructeur::NvelleInstruction(BoutonInstruction bouton, bool gauche) {
  const int code = CodeBouton(bouton, gauche);
  if (code == 0) return;
  FermerEditeur();
  panneau_->Fermer();
  ModeInsertion = true;
  choixDrapeau_ = false;
  ListerFamille(code);
  Deroule(0);
}

void Constructeur::ListerDrapeaux() {
  candidats_.clear();
  choisi_ = -1;
  for (const Texte& ligne : montage_.Lignes())
    if (GenreExtension(ligne) == Genre::Drapeau) candidats_.push_back(CmdNom + "=" + Valeur(ligne) + ".pvi");
}

void Constructeur::Deroule(int choisi) {
  deroulee_ = !candidats_.empty();
  choisi_ = candidats_.empty() ? -1 : std::clamp(choisi, 0, static_cast<int>(candidats_.size()) - 1);
  CmdChange(choisi_);
  if (deroulee_) emit Derouler();
}

void Constructeur::CmdChange(int index) {
  if (index >= 0 && index < static_cast<int>(candidats_.size())) {
    choisi_ = index;
    description_ = DescriptionDe(candidats_[static_cast<size_t>(index)]);
  } else {
    description_.clear();
  }
  emit Change();
  emit DescriptionChangee();
}

Texte Constructeur::DescriptionDe(const Texte& ligne) const {
  return plivor::Description(montage_.Vue().LangueActive, CodeCombine(ligne, TablesCourantes()));
}

int Constructeur::IconeCandidat(int index) const {
  const Texte& ligne = candidats_[static_cast<size_t>(index)];
  const int code = CodeCombine(ligne, TablesCourantes());
  if (CodeParmi(code, {1270, 1500, 1600, 3030, 3100, 4030, 4100, 7030, 7100, 7200, 8030})) return 23;
  if (CodeParmi(code, {3033, 3034, 3055, 4033, 4034, 4058, 7034, 8033, 8034})) return 1;
  return IconeLigne(ligne, montage_.Fichiers(), TablesCourantes(), true);
}

Texte Constructeur::TexteCandidat(int index) const {
  const Texte& ligne = candidats_[static_cast<size_t>(index)];
  const Texte sansExtension = ligne.substr(0, ligne.size() > 4 ? ligne.size() - 4 : 0);
  switch (IconeCandidat(index)) {
    case 1: return EstSon(GenreExtension(ligne)) ? NomDeFichier(ligne) : sansExtension;
    case 2: case 16: case 17: return NomDeFichier(ligne);
    case 19: case 20: return ligne;
    case 23: {
      const int code = CodeCombine(ligne, TablesCourantes());
      if (!CodeParmi(code, {3100, 4100, 7100})) return sansExtension;
      const FicheGrammaire f = EntreeGrammaire(ligne, TablesCourantes());
      return MotCle(ligne) + "=" + NomValeur(f.IdentifiantValeur(), TablesCourantes());
    }
    default: return sansExtension;
  }
}

// ---- The choice of a candidate.

Texte Constructeur::LigneCourante() const {
  return LigneValide() ? montage_.Lignes()[static_cast<size_t>(montage_.LigneCourante)] : Texte();
}

bool Constructeur::LigneValide() const {
  return montage_.LigneCourante >= 0 && montage_.LigneCourante < montage_.Compte();
}

bool Constructeur::LigneNouvelle() const {
  return ligneNouvelle_ >= 0 && ligneNouvelle_ == montage_.LigneCourante && LigneValide() &&
         LigneCourante() == texteNouveau_;
}

bool Constructeur::LigneCibleEnPlace() const {
  // A free line to insert: the line it goes below, or still none.
  if (insertionLibre_) return LigneCourante() == ligneCible_;
  return LigneValide() && LigneCourante() == ligneCible_;
}

void Constructeur::Rafraichir() {
  montage_.Vue().ListeModifiee = true;
  if (montage_.Compte() > 0) montage_.Selectionner(std::clamp(montage_.LigneCourante, 0, montage_.Compte() - 1));
  montage_.ApresEdition();
}

void Constructeur::ChoixCmd(int index) {
  if (index < 0 || index >= static_cast<int>(candidats_.size())) return;
  const Texte ligne = candidats_[static_cast<size_t>(index)];
  deroulee_ = false;
  const bool drapeau = choixDrapeau_;
  choixDrapeau_ = false;
  const int n = montage_.Compte();
  if (ModeInsertion || n == 0) {
    // The user's clipboard stays as it is: the line goes in directly.
    montage_.PrendreInstantane();
    modifieeAvant_ = montage_.Vue().ListeModifiee;
    const int lc = montage_.LigneCourante;
    const int position = (n == 0 || lc >= n - 1) ? n : std::max(lc, -1) + 1;
    montage_.InsererLigne(position, ligne);
    montage_.LigneCourante = position;
    ligneNouvelle_ = position;
    texteNouveau_ = ligne;
    ligneRemplacee_.reset();
  } else {
    const int lc = IndexBorne(n, montage_.LigneCourante);
    montage_.LigneCourante = lc;
    // A choice that completes the builder's own new line keeps the
    // snapshot taken before it: one undo takes the whole building back.
    if (!LigneNouvelle()) {
      montage_.PrendreInstantane();
      modifieeAvant_ = montage_.Vue().ListeModifiee;
      ligneRemplacee_ = montage_.Lignes()[static_cast<size_t>(lc)];
    }
    ligneNouvelle_ = lc;
    texteNouveau_ = ligne;
    montage_.EcrireLigne(lc, ligne);
  }
  Rafraichir();
  const FicheGrammaire fiche = EntreeGrammaire(ligne, TablesCourantes());
  if (!drapeau && fiche.Editeur() > 0) Modifier();
  if (drapeau) ValeurSaisie.clear();
  ModeInsertion = false;
  emit Change();
}

void Constructeur::AbandonnerLigneNouvelle() {
  if (!LigneNouvelle()) return;
  const int lc = montage_.LigneCourante;
  if (ligneRemplacee_) {
    montage_.EcrireLigne(lc, *ligneRemplacee_);
  } else {
    montage_.RetirerLigne(lc);
    montage_.LigneCourante = montage_.Compte() == 0 ? -1 : IndexBorne(montage_.Compte(), lc - 1);
  }
  ligneNouvelle_ = -1;
  ligneRemplacee_.reset();
  Rafraichir();
  // The list is back as it was: so is its mark.
  montage_.Vue().ListeModifiee = modifieeAvant_;
}

void Constructeur::OublierLigneNouvelle() {
  ligneNouvelle_ = -1;
  ligneRemplacee_.reset();
}

void Constructeur::SelectionUtilisateur() {
  if (montage_.LigneCourante != ligneNouvelle_) {
    ligneNouvelle_ = -1;
    ligneRemplacee_.reset();
  }
  FermerEditeur();
  panneau_->Fermer();
}

}  // namespace plivor
