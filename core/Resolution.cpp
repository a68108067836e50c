#include "core/Resolution.h"

namespace plivor {

namespace {

// The address a line holds, empty when it holds none: the whole line for
// media, lists and scripts, the value for resource lines. CD tracks name a
// drive's track, not a file of a folder.
Texte Adresse(const Texte& ligne) {
  const int genre = GenreExtension(ligne);
  if (genre == Genre::PisteCd) return Texte();
  if (EstChemin(genre)) return ligne;
  if (genre == Genre::Ressource) return Valeur(ligne);
  return Texte();
}

Texte AvecAdresse(const Texte& ligne, const Texte& adresse) {
  if (GenreExtension(ligne) == Genre::Ressource) return MotCle(ligne) + "=" + adresse + ".pvr";
  return adresse;
}

}  // namespace

LigneResolue Resoudre(const Texte& ligne, const Texte& dossierProjection, const Texte& dossierListe,
                      const ServicesFichiers& fichiers) {
  const Texte adresse = Adresse(ligne);
  if (adresse.empty()) return {ligne, ClasserLigne(ligne, fichiers) != Genre::Absent, false};
  const StyleChemins style = fichiers.Style();
  const Texte projection = dossierProjection.empty() ? fichiers.DossierCourant() : dossierProjection;
  const Texte lue = CheminComplet(adresse, projection, style);
  if (fichiers.FichierExiste(lue) || EstAbsolu(adresse, style) || dossierListe.empty())
    return {AvecAdresse(ligne, lue), fichiers.FichierExiste(lue), false};
  const Texte aCote = CheminComplet(adresse, dossierListe, style);
  if (aCote != lue && fichiers.FichierExiste(aCote)) return {AvecAdresse(ligne, aCote), true, true};
  return {AvecAdresse(ligne, lue), false, false};
}

Texte LigneProjetee(const Texte& ligne, const Texte& dossierProjection, const Texte& dossierListe,
                    const ServicesFichiers& fichiers) {
  const LigneResolue r = Resoudre(ligne, dossierProjection, dossierListe, fichiers);
  return r.voisine ? r.ligne : ligne;
}

}  // namespace plivor
