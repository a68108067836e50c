#include "core/Langue.h"

#include "core/FichiersListe.h"
#include "core/Lignes.h"

namespace plivor {

const Tables& TablesActives(const EtatLangue& etat) {
  return etat.langueInstallee ? etat.tablesLangue : etat.tablesPremiere;
}

bool DeuxiemeLangue(const EtatLangue& etat) {
  return !etat.tablesLangue.motsCles.empty() && !etat.tablesLangue.valeurs.empty();
}

void InverserLangues(EtatLangue& etat) { std::swap(etat.tablesPremiere, etat.tablesLangue); }

Texte TraduireLigne(const Texte& ligne, const EtatLangue& etat) {
  const int genre = GenreExtension(ligne);
  if (genre != Genre::Instruction && genre != Genre::InstructionTexte && genre != Genre::Ressource &&
      genre != Genre::Drapeau)
    return ligne;
  const FicheGrammaire fiche = EntreeGrammaire(ligne, etat.tablesPremiere);
  if (fiche.Vide()) return ligne;
  const Texte motCle = NomMotCle(fiche.MotCle(), etat.tablesLangue);
  if (motCle.empty()) return ligne;
  // Resource and flag lines, and free values, keep the line's own value.
  const bool valeurLibre = fiche.Editeur() != Editeur::Fixe || genre == Genre::Ressource || genre == Genre::Drapeau;
  Texte valeur = Valeur(ligne);
  if (!valeurLibre) {
    valeur = NomValeur(fiche.IdentifiantValeur(), etat.tablesLangue);
    if (valeur == "Erreur") return ligne;
  }
  return motCle + "=" + valeur + fiche.ExtensionLigne();
}

Texte ValeurNommee(const Liste& lignes, std::string_view nom) {
  for (const Texte& ligne : lignes) {
    const std::size_t egal = ligne.find('=');
    if (egal != Texte::npos && EgalSansCasse(std::string_view(ligne).substr(0, egal), nom))
      return ligne.substr(egal + 1);
  }
  return Texte();
}

ResultatLangue ChoisirLangue(const Texte& entree, const Texte& dossierProgramme,
                             const ServicesFichiers& fichiers, Messagerie& messagerie, EtatLangue& etat) {
  const Texte code = entree.substr(0, 2);
  if (code.empty()) {
    etat = EtatLangue{};
    return ResultatLangue::Retiree;
  }
  const Texte chemin = Joindre(dossierProgramme, kFichierLangue, fichiers.Style());
  const auto contenu = fichiers.FichierExiste(chemin) ? fichiers.LireFichier(chemin) : std::nullopt;
  if (!contenu) {
    messagerie.Message(Cp("Fichier langage introuvable...\r\rRechercher ou télécharger le fichier "
                          "\"lg.pvg\"et l'installer dans le dossier du programme."));
    return ResultatLangue::Introuvable;
  }
  // The tables are binary: read the lines byte for byte.
  const Liste lignes = DecouperLignes(*contenu);
  Tables tables{ValeurNommee(lignes, code + "G"), ValeurNommee(lignes, code + "V")};
  if (tables.motsCles.empty() || tables.valeurs.empty()) {
    messagerie.Message(Cp("Echec d'installation du Langage \"") + code + "\"..." + "\r\r" +
                       Cp("Télécharger un fichier \"lg.pvg\" contenant cette langue") +
                       Cp("et l'installer dans le dossier du programme."));
    return ResultatLangue::Echec;
  }
  etat.codeLangue = code;
  etat.tablesLangue = std::move(tables);
  etat.langueInstallee = true;
  messagerie.Message(Cp("Langage \"") + code + Cp("\" installé !"));
  return ResultatLangue::Installee;
}

}  // namespace plivor
