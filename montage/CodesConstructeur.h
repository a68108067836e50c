#pragma once
// Keyword codes the instruction builder acts on (the vocabulary's numbers).

namespace plivor::Mc {

constexpr int Tempo = 9, Drapeau = 11, Menu = 12, AllerA = 13, Sequence = 15, Vignette = 16, Audio = 20,
              Volume = 21, Debut = 23, Duree = 24, FadeIn = 25, FadeOff = 26, FenetreCouleur = 31,
              Cadre = 36, Marge = 37, DiapoCouleur = 41, Image = 42, Delai = 68, TitreCouleur = 71,
              Objet = 80, ObjetX = 81;

}  // namespace plivor::Mc
