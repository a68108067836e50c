// The English vocabulary shipped in the language file: each French word of
// the built-in tables beside its English word. The tables are made by
// walking the French ones, so codes and identifiers are theirs.

#include <utility>

#include "core/Langue.h"

namespace plivor {

namespace {

using Paire = std::pair<const char*, const char*>;  // French (UTF-8), English

constexpr Paire kMotsCles[] = {
    {"Avance", "Advance"},
    {"Icones", "Icons"},
    {"Langages", "Languages"},
    {"Menus", "Menus"},
    {"Drapeaux", "Flags"},
    {"Tempo", "Tempo"},
    {"Drapeau", "Flag"},
    {"Menu", "Menu"},
    {"AllerA", "GoTo"},
    {"Saut", "Jump"},
    {"Séquence", "Sequence"},
    {"Vignette", "Thumbnail"},
    {"Langage", "Language"},
    {"Audio", "Audio"},
    {"Audio-Volume", "Audio-Volume"},
    {"Audio-Début", "Audio-Start"},
    {"Audio-Durée", "Audio-Length"},
    {"Audio-FadeIn", "Audio-FadeIn"},
    {"Audio-FadeOff", "Audio-FadeOut"},
    {"Fenetre", "Window"},
    {"Fenetre-Couleur", "Window-Color"},
    {"Fenetre-Format", "Window-Format"},
    {"Fenetre-Position", "Window-Position"},
    {"Fenetre-Style", "Window-Style"},
    {"Fenetre-Cadre", "Window-Frame"},
    {"Fenetre-Marge", "Window-Margin"},
    {"Fenetre-Dim", "Window-Size"},
    {"Fenetre-Pos", "Window-Pos"},
    {"Diapo", "Slide"},
    {"Diapo-Couleur", "Slide-Color"},
    {"Image", "Picture"},
    {"Diapo-Format", "Slide-Format"},
    {"Diapo-Position", "Slide-Position"},
    {"Diapo-Dim", "Slide-Size"},
    {"Diapo-Pos", "Slide-Pos"},
    {"Transition", "Transition"},
    {"Morphe", "Morph"},
    {"Delai", "Delay"},
    {"Duree", "Duration"},
    {"Titre", "Title"},
    {"Titre-Couleur", "Title-Color"},
    {"Titre-Fonte", "Title-Font"},
    {"Titre-Position", "Title-Position"},
    {"Titre-Masque", "Title-Mask"},
    {"Titre-Capture", "Title-Capture"},
    {"Titrage", "Titling"},
    {"Titre-Pos", "Title-Pos"},
    {"Objet", "Object"},
    {"ObjetX", "ObjectX"},
    {"Objet-Format", "Object-Format"},
    {"Objet-Position", "Object-Position"},
    {"Objet-Dim", "Object-Size"},
    {"Objet-Pos", "Object-Pos"},
};

// Two French words of one value code may share their English word
// ("Normale", "Normal"): the code read back is the same.
constexpr Paire kValeurs[] = {
    {"vide", "empty"},
    {"Pause", "Pause"},
    {"Stop", "Stop"},
    {"Reprise", "Resume"},
    {"Manuelle", "Manual"},
    {"Normale", "Normal"},
    {"Masquer", "Hide"},
    {"Afficher", "Show"},
    {"Nouveau", "New"},
    {"Créer", "Create"},
    {"Nom de Drapeau", "Flag name"},
    {"Début", "Start"},
    {"Premier", "First"},
    {"Précédent", "Previous"},
    {"Suivant", "Next"},
    {"Dernier", "Last"},
    {"Quitter", "Quit"},
    {"Nouvelle", "New"},
    {"Choisir", "Choose"},
    {"Jouer", "Play"},
    {"Muet", "Mute"},
    {"Normal", "Normal"},
    {"Rénover", "Refresh"},
    {"Peindre", "Paint"},
    {"Verte", "Green"},
    {"Bordeau", "Burgundy"},
    {"Bleue", "Blue"},
    {"Formater", "Format"},
    {"Dimensionner", "Resize"},
    {"Positionner", "Position"},
    {"Style", "Style"},
    {"100%", "100%"},
    {"80%", "80%"},
    {"50%", "50%"},
    {"40%", "40%"},
    {"25%", "25%"},
    {"20%", "20%"},
    {"Adapter à la Diapo", "Fit to slide"},
    {"Adapter au bureau", "Fit to desktop"},
    {"Prédéfini", "Preset size"},
    {"Personnaliser", "Custom"},
    {"Centrer", "Center"},
    {"Centrer en haut", "Top center"},
    {"Centrer en bas", "Bottom center"},
    {"à Gauche", "Middle left"},
    {"en haut à Gauche", "Top left"},
    {"en bas à Gauche", "Bottom left"},
    {"à Droite", "Middle right"},
    {"en haut à Droite", "Top right"},
    {"en bas à Droite", "Bottom right"},
    {"Prédéfinie", "Preset position"},
    {"Windows", "Windows"},
    {"Plein écran", "Full screen"},
    {"Sans cadre", "No frame"},
    {"Sans marge", "No margin"},
    {"Avec fond", "With background"},
    {"Sans fond", "No background"},
    {"Détacher", "Detach"},
    {"Coller aux bords", "Stick to edges"},
    {"Image", "Picture"},
    {"Découpée", "Cut out"},
    {"Opaque", "Opaque"},
    {"Transparente", "Transparent"},
    {"Adapter à la Fenetre", "Fit to window"},
    {"Sans", "None"},
    {"Haut", "Top"},
    {"Bas", "Bottom"},
    {"Gauche", "Left"},
    {"Droite", "Right"},
    {"Rideau-ouvrant", "Curtain-opening"},
    {"Rideau-fermant", "Curtain-closing"},
    {"Store-ouvrant", "Blind-opening"},
    {"Store-fermant", "Blind-closing"},
    {"Vénitien", "Venetian"},
    {"Vénitien fin", "Fine venetian"},
    {"Lames", "Slats"},
    {"Lames fines", "Fine slats"},
    {"Calendrier", "Calendar"},
    {"Album", "Album"},
    {"Elargir", "Widen"},
    {"Dérouler", "Unroll"},
    {"Zoom", "Zoom"},
    {"1/4-sec", "1/4-sec"},
    {"1/2-sec", "1/2-sec"},
    {"3/4-sec", "3/4-sec"},
    {"1-sec", "1-sec"},
    {"1,5-sec", "1.5-sec"},
    {"2-sec", "2-sec"},
    {"3-sec", "3-sec"},
    {"5-sec", "5-sec"},
    {"Effacer", "Erase"},
    {"Texte Rtf", "Rtf text"},
    {"Vidéo avi", "Avi video"},
    {"Scène swf", "Swf scene"},
    {"Séquence Plivor", "Plivor sequence"},
    {"Tous Fichiers", "All files"},
    {"Nouveau titre", "New title"},
    {"Nouveau Drapeau", "New flag"},
};

// English of a French table word; nothing when the list lacks it, so the
// English table lacks the entry too (and the coverage test says so).
template <std::size_t N>
std::optional<Texte> Anglais(const Paire (&paires)[N], const Texte& francais) {
  for (const auto& [fr, en] : paires)
    if (Cp(fr) == francais) return Texte(en);
  return std::nullopt;
}

Texte ConstruireMotsCles() {
  Texte t = {OctetCode(0), 'e', 'n', 'G', OctetCode(0), static_cast<char>(0xB6)};
  for (const EntreeVocabulaire& e : EntreesMotsCles(TableMotsCles())) {
    const auto mot = Anglais(kMotsCles, e.mot);
    if (!mot) continue;
    t += '+';
    t += OctetCode(e.code);
    t += OctetCode(static_cast<int>(mot->size()));
    t += *mot;
  }
  return t + '+';
}

Texte ConstruireValeurs() {
  Texte t = {OctetCode(0), 'Z', 'V', 'L', 'e', 'n', OctetCode(0)};
  for (const EntreeVocabulaire& e : EntreesValeurs(TableValeurs())) {
    const auto mot = Anglais(kValeurs, e.mot);
    if (!mot) continue;
    t += '=';
    t += OctetCode(e.identifiant);
    t += OctetCode(e.code);
    t += OctetCode(static_cast<int>(mot->size()));
    t += *mot;
  }
  return t;
}

}  // namespace

const Tables& TablesAnglaises() {
  static const Tables tables{ConstruireMotsCles(), ConstruireValeurs()};
  return tables;
}

}  // namespace plivor
