#pragma once
// Second language: keyword and value tables read from the language file.

#include "core/Lignes.h"
#include "core/Services.h"
#include "core/Vocabulaire.h"

namespace plivor {

struct EtatLangue {
  Texte codeLangue;     // CodeLangue
  Tables tablesLangue;  // TableMotsClesLangue, TableValeursLangue
  bool langueInstallee = false;  // LangueInstallee
};

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
