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

}  // namespace plivor
