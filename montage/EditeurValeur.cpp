#include <algorithm>

#include "core/Chemins.h"
#include "core/Lignes.h"
#include "core/Notations.h"
#include "montage/CodesConstructeur.h"
#include "montage/Constructeur.h"
#include "montage/MiseEnForme.h"
#include "platform/Dialogues.h"

// The builder's value editor: the editor suited to a line, the dialogs of
// each line kind, the checks and the writing of the line.

namespace plivor {

namespace {

constexpr int kIdentifiantNomDeDrapeau = 10;

Texte MessageSyntaxe(const Texte& valeur, bool position) {
  return Cp("La syntaxe de : \"") + valeur + Cp("\" n'est pas correcte.") + "\r" +
         Cp(position ? "Syntaxe correcte : X234Y345" : "Syntaxe correcte : W234H345");
}

// A text that reads as an instruction line by itself.
bool LigneEntiere(const Texte& texte) {
  const int genre = GenreExtension(texte);
  return texte.find('=') != Texte::npos && (genre == Genre::Instruction || genre == Genre::InstructionTexte ||
                                            genre == Genre::Ressource || genre == Genre::Drapeau);
}

}  // namespace

bool MotValeurInconnu(std::string_view ligne, const Tables& tables) {
  // Only a keyword of words: an unknown word reads as value code 0, and
  // the entry found for it shows another word.
  if (ClasseMotCle(ligne, tables) != 0) return false;
  const FicheGrammaire fiche = EntreeGrammaire(ligne, tables);
  if (fiche.Vide() || fiche.CodeValeur() != 0) return false;
  return Valeur(ligne) != NomValeur(fiche.IdentifiantValeur(), tables);
}

// ---- The value editor.

void Constructeur::FermerEditeur() {
  libre_ = insertionLibre_ = false;
  if (!editeurVisible_) return;
  editeurVisible_ = false;
  emit Change();
}

void Constructeur::OuvrirEditeur(const Texte& nom, const Texte& valeur) {
  CmdNom = nom;
  ValeurSaisie = valeur;
  libre_ = insertionLibre_ = false;
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
  if (insertionLibre_) {
    // A free line goes in below the current line, or at the end.
    insertionLibre_ = false;
    montage_.PrendreInstantane();
    const int n = montage_.Compte(), lc = montage_.LigneCourante;
    const int position = (n == 0 || lc >= n - 1) ? n : std::max(lc, -1) + 1;
    montage_.InsererLigne(position, ligne);
    montage_.LigneCourante = position;
  } else if (!LigneValide()) {
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
  if (EstImage(GenreExtension(ligne)) && GenreExtension(ligne) != Genre::Metafichier)
    filtre = FiltreImagesManquantes;
  else if (EstSon(GenreExtension(ligne)))
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
    libre_ = true;
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
  // A custom line already holds its text: that is the one to correct.
  Texte valeur = motCle == fiche_.MotCle() ? Valeur(LigneCourante()) : Texte();
  if (!valeur.empty()) return OuvrirEditeur(Mot(motCle), valeur);
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
  if (libre_) return EntreeLibre();
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
  // Read as the projection reads it: at least one of its two numbers.
  if (valeur.empty() || valeur[0] != (position ? 'X' : 'W')) return false;
  const Point p = LirePoint(valeur);
  return p.x != -1 || p.y != -1;
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
        Boites().Message(MessageSyntaxe(ValeurSaisie, position));
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

// ---- The free editor: any line, checked only where the grammar knows it.

void Constructeur::NvelleLigneLibre() {
  FermerEditeur();
  panneau_->Fermer();
  deroulee_ = false;
  choixDrapeau_ = false;
  OublierLigneNouvelle();
  fiche_ = FicheGrammaire();
  ligneCible_ = LigneCourante();
  OuvrirEditeur(Texte(), Texte());
  libre_ = insertionLibre_ = true;
  ModeInsertion = true;
}

std::optional<Texte> Constructeur::RefusLibre() const {
  const int motCle = fiche_.MotCle();
  if (fiche_.Editeur() == Editeur::Nombre)
    if (const auto message = ControleNombre(motCle, ValeurSaisie)) return ValeurSaisie + *message;
  // A custom size or position holds its notation; a choice word ("Personnaliser") is a line as it is.
  if (fiche_.Editeur() == Editeur::Geometrie && MotCleGeometrie(motCle) == motCle) {
    const bool position = motCle % 10 == 9;
    if (!GeometrieLisible(ValeurSaisie, position)) return MessageSyntaxe(ValeurSaisie, position);
  }
  return std::nullopt;
}

void Constructeur::EcrireLibre(const Texte& ligne) {
  libre_ = false;
  EcrireLigneCourante(ligne);
  FermerEditeur();
  ModeInsertion = false;
  emit Change();
}

void Constructeur::EntreeLibre() {
  if (!LigneCibleEnPlace()) return FermerEditeur();
  Texte texte = ValeurSaisie;
  // After a refusal the label holds the keyword and the box its value; a
  // whole line typed there again is read as a line.
  if (!CmdNom.empty() && !LigneEntiere(texte)) texte = CmdNom + "=" + texte + fiche_.ExtensionLigne();
  if (texte.find_first_not_of(' ') == Texte::npos) {
    FermerEditeur();
    ModeInsertion = false;
    return;
  }
  const FicheGrammaire fiche = EntreeGrammaire(texte, TablesCourantes());
  // An unknown keyword, a path: written as typed.
  if (fiche.Vide()) return EcrireLibre(texte);
  fiche_ = fiche;
  CmdNom = MotCle(texte);
  ValeurSaisie = Valeur(texte);
  emit Change();
  if (MotValeurInconnu(texte, TablesCourantes())) {
    // A misspelt word: the keyword's own words to choose from, in place
    // of the line or below it.
    const bool inserer = insertionLibre_;
    FermerEditeur();
    ModeInsertion = inserer;
    ListerFamille(fiche.MotCle());
    Deroule(0);
    return;
  }
  if (const auto refus = RefusLibre()) {
    Boites().Message(*refus);
    return;
  }
  EcrireLibre(CmdNom + "=" + ValeurSaisie + fiche_.ExtensionLigne());
}

}  // namespace plivor
