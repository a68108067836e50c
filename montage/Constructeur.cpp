#include "montage/Constructeur.h"

#include <algorithm>

#include "core/Chemins.h"
#include "core/Lignes.h"
#include "core/Notations.h"
#include "montage/Descriptions.h"
#include "montage/MiseEnForme.h"
#include "options/TFOptions.h"
#include "platform/Dialogues.h"

namespace plivor {

namespace {

namespace Mc {
constexpr int Tempo = 9, Drapeau = 11, Menu = 12, AllerA = 13, Sequence = 15, Vignette = 16, Audio = 20,
              Volume = 21, Debut = 23, Duree = 24, FadeIn = 25, FadeOff = 26, FenetreCouleur = 31,
              Cadre = 36, Marge = 37, DiapoCouleur = 41, Image = 42, Delai = 68, TitreCouleur = 71,
              Objet = 80, ObjetX = 81;
}

constexpr int kIdentifiantNomDeDrapeau = 10;

}  // namespace

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

bool Constructeur::LigneCibleEnPlace() const { return LigneValide() && LigneCourante() == ligneCible_; }

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

// ---- The value editor.

void Constructeur::FermerEditeur() {
  if (!editeurVisible_) return;
  editeurVisible_ = false;
  emit Change();
}

void Constructeur::OuvrirEditeur(const Texte& nom, const Texte& valeur) {
  CmdNom = nom;
  ValeurSaisie = valeur;
  editeurVisible_ = true;
  emit Change();
  emit SaisirValeur();
}

void Constructeur::ModifierCmd() {
  // Opened by the user on a line: it is no longer the builder's new one.
  ligneNouvelle_ = -1;
  ligneRemplacee_.reset();
  choixDrapeau_ = false;
  ModeInsertion = false;
  Modifier();
}

void Constructeur::Modifier() {
  if (montage_.Compte() == 0) return;
  montage_.LigneCourante = IndexBorne(montage_.Compte(), montage_.LigneCourante);
  const Texte ligne = LigneCourante();
  ligneCible_ = ligne;
  const int genre = ClasserLigne(ligne, montage_.Fichiers());
  if (EstImage(genre)) {
    if (const auto f = FichierChoisi(QStringLiteral("Ouvrir une image"), ligne, FiltreImages)) EcrireLigneCourante(*f);
  } else if (EstSon(genre)) {
    if (const auto f = FichierChoisi(QStringLiteral("Ouvrir un son"), ligne, FiltreSons)) EcrireLigneCourante(*f);
  } else if (genre == Genre::SousListe) {
    if (const auto f = FichierChoisi(QStringLiteral("Ouvrir une liste"), ligne, FiltreListes)) EcrireLigneCourante(*f);
  } else if (genre == Genre::Script) {
    if (const auto f = FichierChoisi(QStringLiteral("Ouvrir un script"), ligne, FiltreScript)) EcrireLigneCourante(*f);
  } else if (genre == Genre::Absent) {
    ModifierManquant();
  } else {
    ModifierInstruction();
  }
}

void Constructeur::EcrireLigneCourante(const Texte& ligne) {
  if (!LigneValide()) {
    montage_.PrendreInstantane();
    montage_.InsererLigne(montage_.Compte(), ligne);
    montage_.LigneCourante = montage_.Compte() - 1;
  } else {
    if (!LigneNouvelle()) montage_.PrendreInstantane();
    montage_.EcrireLigne(montage_.LigneCourante, ligne);
  }
  ligneNouvelle_ = -1;
  ligneRemplacee_.reset();
  Rafraichir();
}

std::optional<Texte> Constructeur::FichierChoisi(const QString& titre, const Texte& depart, const QString& filtre) {
  const auto choix = Boites().FichierAOuvrir(titre, TexteEcran(depart), filtre);
  if (!choix) return std::nullopt;
  const auto ligne = VersCp1252(choix->toStdString());
  if (!ligne) {
    Boites().Information(*choix + QStringLiteral(" : nom de fichier non représentable"));
    return std::nullopt;
  }
  return *ligne;
}

std::optional<Texte> Constructeur::CouleurChoisie(Couleur depart) {
  const QColor initiale(static_cast<int>(depart & 0xFF), static_cast<int>((depart >> 8) & 0xFF),
                        static_cast<int>((depart >> 16) & 0xFF));
  const auto choix = Boites().CouleurAChoisir(initiale);
  if (!choix) return std::nullopt;
  return TexteCouleur(RGB(choix->red(), choix->green(), choix->blue()));
}

void Constructeur::ModifierManquant() {
  const Texte ligne = LigneCourante();
  const Texte extension = Minuscules(Extension(ligne));
  if (GenreExtension(ligne) == Genre::Ressource) {
    if (CodeMotCle(MotCle(ligne), TablesCourantes()) == Mc::Sequence) {
      if (ChoisirObjet) ChoisirObjet(false, LigneNouvelle());
      return;
    }
    ModifierInstruction();
    return;
  }
  QString filtre;
  if (extension == ".jpg" || extension == ".gif" || extension == ".bmp")
    filtre = FiltreImagesManquantes;
  else if (Texte(".wav.mp3.cda.mid.rmi").find(extension) != Texte::npos)
    filtre = FiltreSonsManquants;
  else if (Texte(".pvl.pvs.pvm.pvd").find(extension) != Texte::npos)
    filtre = FiltrePlivorManquants;
  else
    return ModifierInstruction();
  if (const auto f = FichierChoisi(QStringLiteral("Rechercher le fichier"), ligne, filtre)) EcrireLigneCourante(*f);
}

void Constructeur::ModifierInstruction() {
  const Texte ligne = LigneCourante();
  fiche_ = EntreeGrammaire(ligne, TablesCourantes());
  if (fiche_.Vide()) {
    // A line the grammar does not know: the whole of it, to be corrected.
    fiche_ = FicheGrammaire();
    OuvrirEditeur(Texte(), ligne);
    return;
  }
  const int motCle = fiche_.MotCle();
  const int code = CodeCombine(ligne, TablesCourantes());
  switch (fiche_.Editeur()) {
    case Editeur::Fixe: {
      FermerEditeur();
      ListerFamille(motCle);
      const auto trouve = std::find(candidats_.begin(), candidats_.end(), ligne);
      Deroule(trouve == candidats_.end() ? 0 : static_cast<int>(trouve - candidats_.begin()));
      return;
    }
    case Editeur::Fichier:
      if (motCle == Mc::Sequence || motCle == Mc::Objet || motCle == Mc::ObjetX) {
        if (ChoisirObjet) ChoisirObjet(false, LigneNouvelle());
        return;
      }
      if (motCle == Mc::Vignette) return ModifierVignette();
      CmdNom = MotCle(ligne);
      ValeurSaisie = Valeur(ligne);
      ValiderCmd();
      return;
    case Editeur::Couleur:
      CmdNom = MotCle(ligne);
      ValeurSaisie = Valeur(ligne);
      ValiderCmd();
      return;
    case Editeur::Police:
      CmdNom = MotCle(ligne);
      // A placeholder ("Choisir") is no font: the title keeps its own.
      if (Valeur(ligne).find('+') != Texte::npos) montage_.Vue().FonteTitre = Valeur(ligne);
      ValeurSaisie = montage_.Vue().FonteTitre;
      panneau_->Ouvrir(code);
      return;
    case Editeur::Format:
      CmdNom = MotCle(ligne);
      ValeurSaisie = Valeur(ligne);
      panneau_->Ouvrir(code);
      return;
    case Editeur::SousChoix: {
      candidats_.clear();
      const int valeur = fiche_.CodeValeur();
      if (valeur == 55) {
        for (int k : {35, 36, 37}) CreerPvi(k);
      } else if (valeur == 58) {
        CreerPvi(Mc::Image);
      } else {
        CreerPvi(motCle / 10 * 10 + valeur % 10);
      }
      Deroule(0);
      return;
    }
    case Editeur::ChoixListe:
      if (motCle == Mc::Menu) {
        if (OuvrirMenuScenes) OuvrirMenuScenes();
      } else if (motCle == Mc::Objet) {
        if (ChoisirObjet) ChoisirObjet(false, LigneNouvelle());
      } else if (motCle == Mc::AllerA) {
        ModifierDrapeauCible();
      }
      return;
    case Editeur::Geometrie:
      return ModifierGeometrie();
    default:
      OuvrirEditeur(MotCle(ligne), Valeur(ligne));
  }
}

void Constructeur::ModifierDrapeauCible() {
  CmdNom = MotCle(LigneCourante());
  ListerDrapeaux();
  if (!candidats_.empty()) {
    choixDrapeau_ = true;
    ValeurSaisie = NomValeur(kIdentifiantNomDeDrapeau, TablesCourantes());
    Deroule(0);
    return;
  }
  Boites().Message(Cp("Pas de drapeau dans la liste !!\r\rCréer des drapeaux avant\rd'utiliser cette commande."));
  AbandonnerLigneNouvelle();
}

void Constructeur::ModifierVignette() {
  const Texte ligne = LigneCourante();
  const Texte valeur = Valeur(ligne);
  const int lc = montage_.LigneCourante;
  const Liste& lignes = montage_.Lignes();
  const FicheGrammaire fiche = EntreeGrammaire(ligne, TablesCourantes());
  const bool sansFichier = valeur.empty() || valeur == NomValeur(fiche.IdentifiantValeur(), TablesCourantes());
  if (!sansFichier) {
    if (const auto f = FichierChoisi(QStringLiteral("Ouvrir une image"), valeur, FiltreImages))
      EcrireLigneCourante(Mot(Mc::Vignette) + "=" + *f + ".pvr");
    return;
  }
  if (lc > 0 && GenreExtension(lignes[static_cast<size_t>(lc - 1)]) == Genre::Drapeau) {
    Texte depart = montage_.DossierListe;
    for (int i = lc + 1; i < montage_.Compte(); ++i) {
      const int genre = GenreExtension(lignes[static_cast<size_t>(i)]);
      if (genre == Genre::Drapeau) break;
      if (EstImage(genre)) {
        depart = lignes[static_cast<size_t>(i)];
        break;
      }
    }
    if (const auto f = FichierChoisi(QStringLiteral("Ouvrir une image"), depart, FiltreImages))
      EcrireLigneCourante(Mot(Mc::Vignette) + "=" + *f + ".pvr");
    else
      AbandonnerLigneNouvelle();
    return;
  }
  Boites().Message(Cp("La ligne sélectionnée doit représenter\run drapeau à illustrer par une image!\r\r"
                      "Sélectionner une instruction \"Drapeau=...\"\rpuis reprendre la commande."));
  AbandonnerLigneNouvelle();
}

int Constructeur::MotCleGeometrie(int motCle) const {
  const int unite = motCle % 10;
  if (unite == 3 || unite == 8) return motCle / 10 * 10 + 8;
  if (unite == 4 || unite == 9) return motCle / 10 * 10 + 9;
  return motCle;
}

void Constructeur::ModifierGeometrie() {
  const TFVue& vue = montage_.Vue();
  const int motCle = MotCleGeometrie(fiche_.MotCle());
  Texte valeur;
  switch (motCle) {
    case 38: valeur = vue.DimFenetre; break;
    case 39: valeur = vue.PosFenetre; break;
    case 48: valeur = vue.DimDiapo; break;
    case 49: valeur = vue.PosDiapo; break;
    case 79: valeur = vue.PosTitre; break;
    case 88: valeur = vue.DimObjet; break;
    case 89: valeur = vue.PosObjet; break;
    default: break;
  }
  OuvrirEditeur(Mot(motCle), valeur);
}

void Constructeur::EntreeSaisie() {
  if (fiche_.Vide() && CmdNom.empty()) {
    const Texte texte = ValeurSaisie;
    fiche_ = EntreeGrammaire(texte, TablesCourantes());
    if (fiche_.Vide()) {
      // Still unknown: written as typed.
      if (!LigneCibleEnPlace()) return FermerEditeur();
      EcrireLigneCourante(texte);
      FermerEditeur();
      ModeInsertion = false;
      return;
    }
    CmdNom = MotCle(texte);
    ValeurSaisie = Valeur(texte);
  }
  if (CmdNom == Mot(Mc::Tempo) + "=") {
    if (montage_.ChangeTempoBase(ValeurSaisie)) FermerEditeur();
    return;
  }
  ValiderCmd();
}

std::optional<Texte> Constructeur::ControleNombre(int motCle, const Texte& valeur) {
  const auto v = LireEntier(valeur);
  const auto hors = [&](long long bas, long long haut) { return !v || *v < bas || *v > haut; };
  switch (motCle) {
    case Mc::Tempo: case Mc::Debut: case Mc::Duree: case Mc::FadeIn: case Mc::FadeOff: case Mc::Delai:
      if (!v || *v <= 0) return Cp(" ?? - Entrer une valeur numérique en millisecondes.");
      return std::nullopt;
    case Mc::Volume:
      if (hors(0, 100)) return Cp(" ?? - Entrer une valeur comprise entre 0 et 100.");
      return std::nullopt;
    case Mc::Cadre:
      if (hors(-12, 12)) return Cp(" ?? - Entrer une valeur comprise entre -12 et 12.");
      return std::nullopt;
    case Mc::Marge:
      if (hors(1, 200)) return Cp(" ?? - Entrer une valeur comprise entre 1 et 200.");
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

bool Constructeur::GeometrieLisible(const Texte& valeur, bool position) {
  const char premiere = position ? 'X' : 'W', seconde = position ? 'Y' : 'H';
  if (valeur.empty() || valeur[0] != premiere) return false;
  const std::size_t s = valeur.find(seconde);
  const Texte a = valeur.substr(1, s == Texte::npos ? Texte::npos : s - 1);
  const Texte b = s == Texte::npos ? Texte() : valeur.substr(s + 1, 8);
  return LireEntier(a).has_value() || LireEntier(b).has_value();
}

bool Constructeur::ValiderCmd() {
  if (!LigneCibleEnPlace()) {
    FermerEditeur();
    return false;
  }
  const int motCle = CodeMotCle(CmdNom, TablesCourantes());
  switch (fiche_.Editeur()) {
    case Editeur::Nombre:
      if (const auto message = ControleNombre(motCle, ValeurSaisie)) {
        Boites().Message(ValeurSaisie + *message);
        return false;
      }
      break;
    case Editeur::Fichier: {
      const auto f = FichierChoisi(QStringLiteral("Choisir un fichier"), ValeurSaisie, FiltreTous);
      if (!f) return false;
      ValeurSaisie = *f;
      if (motCle == Mc::Objet) CmdNom = Mot(Mc::ObjetX);
      break;
    }
    case Editeur::Couleur: {
      const Couleur depart = LireCouleur(ValeurSaisie).value_or(montage_.Vue().CouleurDiapo);
      const auto c = CouleurChoisie(depart);
      if (!c) return false;
      ValeurSaisie = *c;
      break;
    }
    case Editeur::ChoixListe:
      if (motCle == Mc::AllerA && choisi_ >= 0 && choisi_ < static_cast<int>(candidats_.size()))
        ValeurSaisie = Valeur(candidats_[static_cast<size_t>(choisi_)]);
      break;
    case Editeur::Geometrie: {
      const int forme = MotCleGeometrie(motCle);
      CmdNom = Mot(forme);
      const bool position = forme % 10 == 9;
      if (!GeometrieLisible(ValeurSaisie, position)) {
        Boites().Message(Cp("La syntaxe de : \"") + ValeurSaisie + Cp("\" n'est pas correcte.") + "\r" +
                         Cp(position ? "Syntaxe correcte : X234Y345" : "Syntaxe correcte : W234H345"));
        return false;
      }
      break;
    }
    default:
      break;
  }
  EcrireLigneCourante(CmdNom + "=" + ValeurSaisie + fiche_.ExtensionLigne());
  editeurVisible_ = false;
  ModeInsertion = false;
  emit Change();
  return true;
}

}  // namespace plivor
