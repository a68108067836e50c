#pragma once
// The projection's calls on the montage window, forwarded to its engine.

#include "montage/Montage.h"
#include "navigation/PanneauNavigation.h"

namespace plivor {

class VoisinsMontage : public VoisinsNavigation {
 public:
  Montage* montage = nullptr;

  bool MontageVisible() const override { return montage ? montage->Visible : VoisinsNavigation::MontageVisible(); }
  void EditerDansMontage(const Liste& lignes, const Texte& nom, const Texte& dossier, int index,
                         bool modifiee) override {
    if (montage)
      montage->RecevoirListe(lignes, nom, dossier, index, modifiee);
    else
      VoisinsNavigation::EditerDansMontage(lignes, nom, dossier, index, modifiee);
  }
  Texte NomListeMontage() const override { return montage ? montage->NomListe : VoisinsNavigation::NomListeMontage(); }
  bool SauverMontage() override { return montage ? montage->Sauver() : VoisinsNavigation::SauverMontage(); }
  Texte DossierMontage() const override {
    return montage ? montage->DossierListe : VoisinsNavigation::DossierMontage();
  }
  void SuivreLigne(int index) override {
    if (!montage || !montage->Visible || montage->Compte() == 0) return;
    // The montage follows the projection's line while it tests the list.
    montage->Selectionner(IndexBorne(montage->Compte(), index - 1));
    montage->LigneCourante = montage->Focus();
    emit montage->SelectionChangee();
  }
};

}  // namespace plivor
