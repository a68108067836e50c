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

#include "montage/MontageInterne.h"

namespace plivor {

using namespace montage_interne;

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
  NouveauDepart({});
  alterees_.clear();
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

void Montage::NoterAlterees(const ListeLue& lue, const Liste& etendues, bool dire) {
  Dialogues& dialogues = vue_.Services().dialogues;
  for (int i : lue.lignesIntraduisibles)
    if (dire)
      dialogues.Message(Texte("Ligne ") + std::to_string(i + 1) + " : " +
                        Cp("caractères que Windows-1252 ne peut pas représenter, lus \"?\"."));
  if (const Texte avis = AvisLecture(lue); dire && !avis.empty()) dialogues.Message(avis);
  for (int i : lue.LignesAlterees())
    if (static_cast<size_t>(i) < etendues.size()) alterees_.push_back(etendues[static_cast<size_t>(i)]);
}

bool Montage::Ouvrir(const Texte& chemin) {
  const Texte complet = CheminComplet(chemin, fichiers_.DossierCourant(), fichiers_.Style());
  const auto lue = fichiers_.FichierExiste(complet) ? LireListe(complet, fichiers_) : std::nullopt;
  if (!lue) {
    vue_.Services().dialogues.Message(Cp("Liste non chargée.") + "\r" + "Liste en cours : " + NomListe);
    return false;
  }
  IndexUndo = 0;
  const Texte dossier = SansBarre(DossierDe(complet, fichiers_.Style()));
  // Relative lines are the list's own: they resolve against its folder.
  std::vector<signed char> icones;
  Remplacer(Etendre(lue->lignes, dossier, &icones));
  icones_ = std::move(icones);
  // The history belongs to the list being left.
  NouveauDepart(lignes_);
  alterees_.clear();
  NoterAlterees(*lue, lignes_, true);
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
    lignesFichier_.clear();
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
    const Texte cause = fichiers_.CauseDerniereErreur();
    vue_.Services().dialogues.Message(Cp("Impossible d'écrire le fichier \"") + chemin + "\"" +
                                      (cause.empty() ? Texte(".") : " : " + cause + ".") + "\r" +
                                      Cp("Le fichier n'a pas été modifié."));
    return false;
  }
  return true;
}

Texte Montage::DepartSauvegarde(const Texte& propose) {
  const StyleChemins style = fichiers_.Style();
  if (DossierListe.empty()) return propose;
  if (fichiers_.DossierExiste(DossierListe)) return Joindre(DossierListe, propose, style);
  // The list's folder is gone (a medium taken out, a folder renamed): the
  // dialog must not fall back on another folder holding a list of that name.
  vue_.Services().dialogues.Message(Cp("Le dossier de la liste n'existe plus :") + "\r" + DossierListe + "\r" +
                                    Cp("Choisissez où enregistrer la liste."));
  Texte parent = DossierListe;
  while (!parent.empty() && !fichiers_.DossierExiste(parent)) {
    const Texte plusHaut = SansBarre(DossierDe(parent, style));
    if (plusHaut == parent) break;
    parent = plusHaut;
  }
  return parent.empty() ? propose : Joindre(parent, propose, style);
}

bool Montage::Sauver() {
  Dialogues& dialogues = vue_.Services().dialogues;
  if (lignes_.empty()) {
    dialogues.Message("La liste est vide");
    return false;
  }
  const bool nomActuel = vue_.ListeModifiee && NomListe != kSansNom && !fichiers_.LectureSeule(NomListe);
  const Texte propose = nomActuel ? NomDeFichier(NomListe) : Texte("NouveauNom");
  const bool dossierDisparu = !DossierListe.empty() && !fichiers_.DossierExiste(DossierListe);
  const Texte depart = DepartSauvegarde(propose);
  const QString titre = dossierDisparu ? QStringLiteral("Sauver une liste Plivor (son dossier n'existe plus)")
                                       : QStringLiteral("Sauver une liste Plivor");
  const auto choix = dialogues.FichierAEnregistrer(titre, TexteEcran(depart), kFiltreSauver);
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
  // Lines that lost something at reading are not written back unsaid.
  const auto perdues = std::count_if(lignes_.begin(), lignes_.end(), [this](const Texte& l) {
    return std::find(alterees_.begin(), alterees_.end(), l) != alterees_.end();
  });
  if (perdues > 0 &&
      !dialogues.Question(TexteEcran(Texte("La liste contient ") + std::to_string(perdues) +
                                     Cp(" ligne(s) qui ne sont plus telles que le fichier les tenait (caractères "
                                        "que Windows-1252 ne peut pas représenter, lus \"?\", octets nuls "
                                        "retirés ou lignes trop longues coupées).") +
                                     "\r" + "Les enregistrer ainsi ?")))
    return false;
  return EnregistrerSous(chemin);
}

bool Montage::Enregistrer() {
  if (NomListe == kSansNom || lignes_.empty() || !fichiers_.FichierExiste(NomListe) || !alterees_.empty())
    return Sauver();
  if (!vue_.ListeModifiee) return true;
  return EnregistrerSous(NomListe);
}

bool Montage::EnregistrerSous(const Texte& chemin) {
  if (!EcrireLignes(chemin, lignes_)) return false;
  NomListe = chemin;
  DossierListe = SansBarre(DossierDe(chemin, fichiers_.Style()));
  lignesFichier_ = lignes_;
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
  Instantane();
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
  NoterAlterees(*lue, bloc, true);
  InsererBloc(position + 1, bloc, true);
  emit ListeChangee();
  emit SelectionChangee();
}

namespace {

// Where the projection's line `index` of its working list stands in the
// file's own lines: the working list holds the file's lines in order, with
// sub-lists expanded between them.
int IndexDansFichier(const Liste& travail, int index, const Liste& fichier) {
  int j = 0;
  const int n = static_cast<int>(fichier.size());
  for (int i = 0; i < static_cast<int>(travail.size()) && j < n; ++i) {
    const Texte& ligne = travail[static_cast<size_t>(i)];
    // The file's line j was expanded in place: the working copy is back on
    // the file's lines at the next one.
    if (j + 1 < n && ligne != fichier[static_cast<size_t>(j)] && ligne == fichier[static_cast<size_t>(j + 1)]) ++j;
    const bool sienne = travail[static_cast<size_t>(i)] == fichier[static_cast<size_t>(j)];
    if (i == index) return j;
    if (sienne) ++j;
  }
  return std::clamp(j, 0, std::max(0, static_cast<int>(fichier.size()) - 1));
}

}  // namespace

void Montage::RecevoirListe(const Liste& lignes, const Texte& nom, const Texte& dossier, int index,
                            bool modifiee) {
  if (!modifiee) Remplacer({});
  int indexTest = vue_.IndexCourant - 1;
  if (lignes_.empty()) {
    NomListe = nom;
    DossierListe = dossier;
    ModeTexte = false;
    emit ModeTexteChange();
    alterees_.clear();
    // The montage edits the list as its file holds it: the projection's
    // working copy has its sub-lists expanded in place, and saving that
    // would inline them.
    const auto lue = nom != kSansNom && fichiers_.FichierExiste(nom) ? LireListe(nom, fichiers_) : std::nullopt;
    if (lue) {
      index = IndexDansFichier(lignes, index, lue->lignes);
      indexTest = IndexDansFichier(lignes, indexTest, lue->lignes);
      Remplacer(Etendre(lue->lignes, dossier));
      NoterAlterees(*lue, lignes_, false);
    } else {
      Remplacer(Etendre(lignes, dossier));
    }
    for (const Texte& l : Etendre(vue_.LignesAlterees, dossier)) alterees_.push_back(l);
    // Another list: the history of the last one must not come back in it.
    NouveauDepart(lue ? lignes_ : Liste{});
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
    LigneCourante = IndexBorne(Compte(), indexTest);
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

void Montage::Reprendre(const Liste& lignes, const Texte& nom, const Texte& dossier) {
  const auto lue = nom != kSansNom && fichiers_.FichierExiste(nom) ? LireListe(nom, fichiers_) : std::nullopt;
  Remplacer(lignes);
  NomListe = nom;
  DossierListe = dossier;
  NouveauDepart(lue ? Etendre(lue->lignes, dossier) : Liste{});
  alterees_.clear();
  vue_.ListeModifiee = lignes_ != lignesFichier_;
  RecevoirListe(lignes_, NomListe, DossierListe, 0, true);
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

}  // namespace plivor
