#pragma once
// The help page of the sequence language, made from the vocabulary tables
// so that it names exactly the keywords and values the program reads.

#include <string>
#include <vector>

#include "core/Vocabulaire.h"

namespace plivor {

// Topic of the page, in "Plivor-S.hlp".
inline constexpr int kRubriqueLangage = 2100;

// The grammar records of one keyword, in table order.
std::vector<FicheGrammaire> FichesDuMotCle(int motCle);

// A line the program reads as `fiche` of keyword `mot` (Windows-1252).
Texte LigneExemple(const Texte& mot, const FicheGrammaire& fiche);

// The whole page, UTF-8 HTML.
std::string PageLangage();

}  // namespace plivor
