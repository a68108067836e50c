#include "core/Notations.h"

#include <charconv>
#include <cstdio>
#include <utility>

namespace plivor {

namespace {

int EntierOuMoinsUn(std::string_view texte) {
  const auto valeur = LireEntier(texte);
  if (!valeur || *valeur < INT32_MIN || *valeur > INT32_MAX) return -1;
  return static_cast<int>(*valeur);
}

constexpr std::pair<const char*, Couleur> kCouleursNommees[] = {
    {"clBlack", 0x000000},   {"clMaroon", 0x000080}, {"clGreen", 0x008000},
    {"clOlive", 0x008080},   {"clNavy", 0x800000},   {"clPurple", 0x800080},
    {"clTeal", 0x808000},    {"clGray", 0x808080},   {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},     {"clLime", 0x00FF00},   {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},   {"clNone", kCouleurAucune},
};

constexpr const char* kCouleursSysteme[] = {
    "clScrollBar",   "clBackground",   "clActiveCaption", "clInactiveCaption",
    "clMenu",        "clWindow",       "clWindowFrame",   "clMenuText",
    "clWindowText",  "clCaptionText",  "clActiveBorder",  "clInactiveBorder",
    "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
    "clBtnShadow",   "clGrayText",     "clBtnText",       "clInactiveCaptionText",
    "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
    "clInfoBk"};

std::optional<Couleur> CouleurNommee(std::string_view texte) {
  for (const auto& [nom, valeur] : kCouleursNommees)
    if (EgalSansCasse(texte, nom)) return valeur;
  for (std::size_t i = 0; i < std::size(kCouleursSysteme); ++i)
    if (EgalSansCasse(texte, kCouleursSysteme[i])) return kCouleurSysteme + static_cast<Couleur>(i);
  return std::nullopt;
}

}  // namespace

Point LirePoint(std::string_view notation) {
  const bool position = !notation.empty() && notation[0] == 'X';
  const std::size_t lettre = notation.find(position ? 'Y' : 'H');
  if (lettre == std::string_view::npos) return {-1, -1};
  const std::string_view premier = notation.substr(std::min<std::size_t>(1, lettre), lettre >= 1 ? lettre - 1 : 0);
  const std::string_view second = notation.substr(lettre + 1, 8);
  return {EntierOuMoinsUn(premier), EntierOuMoinsUn(second)};
}

Texte TexteDimension(int largeur, int hauteur) {
  return "W" + std::to_string(largeur) + "H" + std::to_string(hauteur);
}

Texte TextePosition(int x, int y) { return "X" + std::to_string(x) + "Y" + std::to_string(y); }

Texte PoliceNom(std::string_view notation, const PoliceInstallee& installee) {
  const std::size_t plus = notation.find('+');
  const Texte nom(notation.substr(0, plus));
  if (plus == std::string_view::npos || nom.empty() || !installee || !installee(nom)) return kPoliceParDefaut;
  return nom;
}

int PoliceStyle(std::string_view notation) {
  const std::size_t plus = notation.find('+');
  if (plus == std::string_view::npos || plus + 1 >= notation.size()) return Style::Normal;
  switch (notation[plus + 1]) {
    case 'B': return Style::Gras;
    case 'I': return Style::Italique;
    case 'S': return Style::Souligne;
    default: return Style::Normal;
  }
}

int PoliceTaille(std::string_view notation) {
  const std::size_t plus = notation.find('+');
  if (plus == std::string_view::npos || plus + 2 > notation.size()) return 128;
  const auto taille = LireEntier(notation.substr(plus + 2, 8));
  if (!taille || *taille < INT32_MIN || *taille > INT32_MAX) return 128;
  return static_cast<int>(*taille);
}

std::optional<Couleur> LireCouleur(std::string_view texte) {
  if (auto nommee = CouleurNommee(texte)) return nommee;
  if (!texte.empty() && texte[0] == '$') {
    const std::string_view chiffres = texte.substr(1);
    if (chiffres.empty() || chiffres.size() > 8) return std::nullopt;
    Couleur valeur = 0;
    const auto [fin, err] = std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), valeur, 16);
    if (err != std::errc() || fin != chiffres.data() + chiffres.size()) return std::nullopt;
    return valeur;
  }
  const auto entier = LireEntier(texte);
  if (!entier || *entier < INT32_MIN || *entier > static_cast<long long>(UINT32_MAX)) return std::nullopt;
  return static_cast<Couleur>(*entier);
}

Texte TexteCouleur(Couleur couleur) {
  for (const auto& [nom, valeur] : kCouleursNommees)
    if (valeur == couleur) return nom;
  if (couleur >= kCouleurSysteme && couleur - kCouleurSysteme < std::size(kCouleursSysteme))
    return kCouleursSysteme[couleur - kCouleurSysteme];
  char tampon[16];
  std::snprintf(tampon, sizeof tampon, "$%.8X", couleur);
  return tampon;
}

Texte TexteDuree(long long d) {
  return Cp("Durée : ") + std::to_string(d / 60000) + " Min " + std::to_string((d % 60000) / 1000) +
         " sec " + std::to_string(d % 1000) + " mill.";
}

Texte TexteTaille(const Texte& chemin, const ServicesFichiers& fichiers) {
  const auto taille = fichiers.TailleFichier(chemin);
  if (!taille) return Texte();
  return "Taille : " + std::to_string(*taille) + " octets.";
}

}  // namespace plivor
