#include "core/Langue.h"

#include "core/FichiersListe.h"
#include "core/Lignes.h"

namespace plivor {

namespace {

constexpr std::size_t kEnteteMotsCles = 6;  // 0x80 "frG" 0x80 0xB6
constexpr std::size_t kEnteteValeurs = 7;   // 0x80 "ZVLfr" 0x80

// The value word of a line whose keyword takes a word of its list. The
// grammar entry's own word first: two identifiers may share one word of the
// same code ("Normale", "Normal"), and the entry says which one the line
// shows. Any other known word by its identifier; an unknown word as written.
std::optional<Texte> ValeurTraduite(const Texte& ligne, const Tables& depuis, const Tables& vers) {
  const Texte mot = Valeur(ligne);
  const FicheGrammaire fiche = EntreeGrammaire(ligne, depuis);
  int identifiant = -1;
  if (!fiche.Vide() && NomValeur(fiche.IdentifiantValeur(), depuis) == mot)
    identifiant = fiche.IdentifiantValeur();
  else
    identifiant = IdentifiantValeur(mot, depuis);
  if (identifiant < 0) return mot;
  Texte traduit = NomValeur(identifiant, vers);
  if (traduit == "Erreur") return std::nullopt;
  return traduit;
}

}  // namespace

const Tables& TablesActives(const EtatLangue& etat) {
  return etat.langueInstallee ? etat.tablesLangue : etat.tablesPremiere;
}

bool DeuxiemeLangue(const EtatLangue& etat) {
  return !etat.tablesLangue.motsCles.empty() && !etat.tablesLangue.valeurs.empty();
}

void InverserLangues(EtatLangue& etat) {
  std::swap(etat.tablesPremiere, etat.tablesLangue);
  // The tables read before the swap are now on the other side.
  etat.langueInstallee = !etat.langueInstallee;
}

Texte TraduireLigne(const Texte& ligne, const EtatLangue& etat) {
  const int genre = GenreExtension(ligne);
  const bool instruction = genre == Genre::Instruction || genre == Genre::InstructionTexte;
  if (!instruction && genre != Genre::Ressource && genre != Genre::Drapeau) return ligne;
  const Tables& depuis = etat.tablesPremiere;
  const int classe = ClasseMotCle(ligne, depuis);
  if (classe < 0) return ligne;
  const Texte motCle = NomMotCle(CodeMotCle(MotCle(ligne), depuis), etat.tablesLangue);
  if (motCle.empty()) return ligne;
  // Only a word of the keyword's list is vocabulary; resource and flag
  // lines, and free values, keep their own.
  Texte valeur = Valeur(ligne);
  if (instruction && classe == 0) {
    const auto traduite = ValeurTraduite(ligne, depuis, etat.tablesLangue);
    if (!traduite) return ligne;
    valeur = *traduite;
  }
  return motCle + "=" + valeur + ligne.substr(ligne.size() - 4);
}

std::vector<EntreeVocabulaire> EntreesMotsCles(const Texte& table) {
  std::vector<EntreeVocabulaire> entrees;
  std::size_t i = kEnteteMotsCles;
  while (i + 2 < table.size() && table[i] == '+') {
    const auto longueur = static_cast<std::size_t>(CodeOctet(table[i + 2]));
    if (longueur > 127 || i + 3 + longueur > table.size()) break;
    entrees.push_back({-1, CodeOctet(table[i + 1]), table.substr(i + 3, longueur)});
    i += 3 + longueur;
  }
  return entrees;
}

std::vector<EntreeVocabulaire> EntreesValeurs(const Texte& table) {
  std::vector<EntreeVocabulaire> entrees;
  std::size_t i = kEnteteValeurs;
  while (i + 3 < table.size() && table[i] == '=') {
    const auto longueur = static_cast<std::size_t>(CodeOctet(table[i + 3]));
    if (longueur > 127 || i + 4 + longueur > table.size()) break;
    entrees.push_back({CodeOctet(table[i + 1]), CodeOctet(table[i + 2]), table.substr(i + 4, longueur)});
    i += 4 + longueur;
  }
  return entrees;
}

int IdentifiantValeur(std::string_view mot, const Tables& tables) {
  if (mot.empty() || mot.size() > 127) return -1;
  Texte cle(1, OctetCode(static_cast<int>(mot.size())));
  cle += mot;
  // "=", identifier, code, then the key; never inside the header.
  const std::size_t position = tables.valeurs.find(cle);
  if (position == Texte::npos || position < 3 || tables.valeurs[position - 3] != '=') return -1;
  return CodeOctet(tables.valeurs[position - 2]);
}

std::string ContenuFichierLangue() {
  const Tables& fr = TablesFrancaises();
  const Tables& en = TablesAnglaises();
  return JoindreLignes({"Entete=Plivor", "FrG=" + fr.motsCles, "FrV=" + fr.valeurs, "EnG=" + en.motsCles,
                        "EnV=" + en.valeurs});
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

namespace plivor {

Texte DossierDonnees(const Texte& dossierProgramme, const ServicesFichiers& fichiers) {
  const StyleChemins style = fichiers.Style();
  if (fichiers.FichierExiste(Joindre(dossierProgramme, kFichierLangue, style))) return dossierProgramme;
  Texte dossier = dossierProgramme;
  while (dossier.size() > 1 && EstSeparateur(dossier.back())) dossier.pop_back();
  const Texte installe = Joindre(Joindre(DossierDe(dossier, style), "share", style), "plivor", style);
  return fichiers.FichierExiste(Joindre(installe, kFichierLangue, style)) ? installe : dossierProgramme;
}

}  // namespace plivor
