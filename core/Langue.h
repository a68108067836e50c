#pragma once
// Second language: keyword and value tables read from the language file.

#include "core/Lignes.h"
#include "core/Services.h"
#include "core/Vocabulaire.h"

namespace plivor {

struct EtatLangue {
  Texte codeLangue;     // CodeLangue
  // TableMotsCles, TableValeurs: French until the two languages are swapped.
  Tables tablesPremiere = TablesFrancaises();
  Tables tablesLangue;  // TableMotsClesLangue, TableValeursLangue
  bool langueInstallee = false;  // LangueInstallee
};

// Whether a second language is there to translate into or swap with.
bool DeuxiemeLangue(const EtatLangue& etat);
// Exchanges the first and second language tables.
void InverserLangues(EtatLangue& etat);
// A line in the second language: keyword and value words of the first
// language replaced by the second's; free values (numbers, texts, paths)
// kept. A line the first language does not know comes back unchanged.
Texte TraduireLigne(const Texte& ligne, const EtatLangue& etat);

// The tables every lookup reads.
const Tables& TablesActives(const EtatLangue& etat);

inline constexpr const char* kFichierLangue = "lg.pvg";
// The entries of the options' language choice.
inline constexpr const char* kChoixLangues[] = {"", "Fr", "En", "Ge", "Sp", "It", "00"};

enum class ResultatLangue { Retiree, Introuvable, Installee, Echec };

// Value of `nom` in a file of name=value lines (names without letter case).
Texte ValeurNommee(const Liste& lignes, std::string_view nom);

// Installs the language of a choice entry from the language file in the
// program's folder, saying what happened. A failure leaves the language in
// force untouched.
ResultatLangue ChoisirLangue(const Texte& entree, const Texte& dossierProgramme,
                             const ServicesFichiers& fichiers, Messagerie& messagerie, EtatLangue& etat);

}  // namespace plivor
