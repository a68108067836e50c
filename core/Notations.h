#pragma once
// Size, position, font, colour and measure notations of instruction values.

#include <cstdint>
#include <functional>
#include <optional>

#include "core/Services.h"
#include "core/Texte.h"

namespace plivor {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// "W300H400" gives (300, 400), "X420Y20" gives (420, 20); a part that is not
// an integer gives -1.
Point LirePoint(std::string_view notation);
Texte TexteDimension(int largeur, int hauteur);
Texte TextePosition(int x, int y);

inline constexpr const char* kPoliceParDefaut = "Arial Black";
inline constexpr const char* kFonteTitreParDefaut = "Arial Black+N128";

using PoliceInstallee = std::function<bool(const Texte& nom)>;

// "Arial Black+N128": name, style letter (N, B, I, S) and size in points.
Texte PoliceNom(std::string_view notation, const PoliceInstallee& installee);
int PoliceStyle(std::string_view notation);
int PoliceTaille(std::string_view notation);
namespace Style {
constexpr int Normal = 0, Gras = 1, Italique = 2, Souligne = 3;
}

// Colours: 24-bit RGB with red in the low byte; 0x80000000 + n is the
// platform's system colour n.
using Couleur = std::uint32_t;
constexpr Couleur RGB(int r, int g, int b) {
  return static_cast<Couleur>(r) | (static_cast<Couleur>(g) << 8) | (static_cast<Couleur>(b) << 16);
}
constexpr Couleur kCouleurAucune = 0x1FFFFFFF;  // clNone
constexpr Couleur kCouleurSysteme = 0x80000000;

// Nothing for a text that is neither a colour name nor an integer.
std::optional<Couleur> LireCouleur(std::string_view texte);
Texte TexteCouleur(Couleur couleur);

Texte TexteDuree(long long millisecondes);
// Empty when the file cannot be opened.
Texte TexteTaille(const Texte& chemin, const ServicesFichiers& fichiers);

}  // namespace plivor
