#pragma once
// An in-memory file system for the core's tests, in either path style.

#include <map>

#include "core/Services.h"

namespace plivor::test {

class FichiersMemoire : public ServicesFichiers {
 public:
  explicit FichiersMemoire(StyleChemins style, Texte courant);

  // Adds a file (and so its folders); the path may be relative.
  void Ajouter(const Texte& chemin, std::string contenu = {});
  void ChangerDossier(const Texte& dossier) { courant_ = dossier; }

  StyleChemins Style() const override { return style_; }
  Texte DossierCourant() const override { return courant_; }
  bool FichierExiste(const Texte& chemin) const override;
  bool DossierExiste(const Texte& chemin) const override;
  std::optional<std::uint64_t> TailleFichier(const Texte& chemin) const override;
  std::optional<std::string> LireFichier(const Texte& chemin) const override;
  bool EcrireFichier(const Texte& chemin, const std::string& contenu) override;
  bool CopierFichier(const Texte& source, const Texte& cible, bool ecraser) override;
  bool Renommer(const Texte& source, const Texte& cible) override;
  std::vector<Texte> ListerFichiers(const Texte& dossier, const Texte& masque) const override;
  std::optional<std::int64_t> DateFichier(const Texte& chemin) const override;
  bool LectureSeule(const Texte& chemin) const override;

  void DefinirDate(const Texte& chemin, std::int64_t date) { dates_[Cle(chemin)] = date; }
  void DefinirLectureSeule(const Texte& chemin) { lectureSeule_[Cle(chemin)] = true; }

  mutable int requetes = 0;  // existence queries answered
  bool ecrituresRefusees = false;  // every write fails, as on a full disk

 private:
  Texte Cle(const Texte& chemin) const;

  StyleChemins style_;
  Texte courant_;
  std::map<Texte, std::string> fichiers_;
  std::map<Texte, std::int64_t> dates_;
  std::map<Texte, bool> lectureSeule_;
};

}  // namespace plivor::test
