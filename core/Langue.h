#pragma once
// Second language: keyword and value tables read from the language file.

#include <vector>

#include "core/Lignes.h"
#include "core/Services.h"
#include "core/Vocabulaire.h"

namespace plivor {

struct EtatLangue {
  Texte codeLangue;     // CodeLangue
  // TableMotsCles, TableValeurs: French until the two languages are swapped.
  Tables tablesPremiere = TablesFrancaises();
  Tables tablesLangue;  // TableMotsClesLangue, TableValeursLangue
  // LangueInstallee: the lookups read the second language's tables.
  bool langueInstallee = false;
};

// Whether a second language is there to translate into or swap with.
bool DeuxiemeLangue(const EtatLangue& etat);
// Exchanges the first and second language tables. The lookups go on
// reading the same words: a list shown in one language stays readable.
void InverserLangues(EtatLangue& etat);
// A line in the second language: keyword and value words of the first
// language replaced by the second's; free values (numbers, texts, paths)
// and the line's extension kept, so that the line means what it meant.
// A line the first language does not know comes back unchanged.
Texte TraduireLigne(const Texte& ligne, const EtatLangue& etat);

// The tables every lookup reads.
const Tables& TablesActives(const EtatLangue& etat);

// One entry of a keyword table (no identifier) or of a value table.
struct EntreeVocabulaire {
  int identifiant = -1;
  int code = 0;
  Texte mot;
};
// The entries of an encoded table, in table order; reading stops at the
// first byte that does not follow the layout.
std::vector<EntreeVocabulaire> EntreesMotsCles(const Texte& table);
std::vector<EntreeVocabulaire> EntreesValeurs(const Texte& table);
// Identifier of a value word, -1 when the table lacks it.
int IdentifiantValeur(std::string_view mot, const Tables& tables);

// The English keyword and value tables, made from the French ones.
const Tables& TablesAnglaises();

inline constexpr const char* kFichierLangue = "lg.pvg";
// The entries of the options' language choice.
inline constexpr const char* kChoixLangues[] = {"", "Fr", "En", "Ge", "Sp", "It", "00"};

// The bytes of the language file shipped beside the program: French and
// English tables, one name=value line each, lines ended by CR LF.
std::string ContenuFichierLangue();

enum class ResultatLangue { Retiree, Introuvable, Installee, Echec };

// Value of `nom` in a file of name=value lines (names without letter case).
Texte ValeurNommee(const Liste& lignes, std::string_view nom);

// Installs the language of a choice entry from the language file in the
// program's folder, saying what happened. A failure leaves the language in
// force untouched.
ResultatLangue ChoisirLangue(const Texte& entree, const Texte& dossierProgramme,
                             const ServicesFichiers& fichiers, Messagerie& messagerie, EtatLangue& etat);

}  // namespace plivor

namespace plivor {

// Where the program's own files lie (help, language file, texts, icon):
// beside the program in a build or a carried copy, else in "share/plivor"
// beside its "bin" folder, as an installed package has them.
Texte DossierDonnees(const Texte& dossierProgramme, const ServicesFichiers& fichiers);

}  // namespace plivor
