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

void Montage::Remplacer(Liste lignes) {
  lignes_ = std::move(lignes);
  selection_.assign(lignes_.size(), 0);
  icones_.assign(lignes_.size(), -2);
  nombreSelectionnees_ = 0;
  focus_ = lignes_.empty() ? -1 : std::clamp(focus_, 0, Compte() - 1);
}

void Montage::RemplacerLignes(const Liste& lignes) {
  Instantane();
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
  historique_.Noter({lignes_, focus_, LigneCourante});
  IndexUndo = focus_;
}

void Montage::Modifiee() { vue_.ListeModifiee = true; }

void Montage::NouveauDepart(const Liste& lignesFichier) {
  historique_.Vider();
  lignesFichier_ = lignesFichier;
}

void Montage::Restaurer(EtatListe etat) {
  Remplacer(std::move(etat.lignes));
  vue_.ListeModifiee = lignes_ != lignesFichier_;
  if (!lignes_.empty()) {
    focus_ = IndexBorne(Compte(), etat.focus);
    LigneCourante = focus_;
    Marquer(focus_, true);
  } else {
    LigneCourante = -1;
  }
  emit ListeChangee();
  emit TransfertChange();
  Selection();
}

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
    // Nothing left to describe: the box does not keep a line that is gone.
    if (!titreFichier_.empty() || !infos_.lignes.empty()) {
      titreFichier_.clear();
      infos_ = {};
      vue_.LigneApercu.clear();
      emit InfosChangees();
    }
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
  vue_.FichierAide = Joindre(vue_.DossierFichiersProgramme, "Plivor.hlp", fichiers_.Style());
  vue_.Services().bureau.OuvrirAide(TexteEcran(vue_.FichierAide), rubrique);
}

}  // namespace plivor
