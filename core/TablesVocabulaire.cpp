// The built-in French vocabulary, encoded once into its four byte tables.

#include <vector>

#include "core/Vocabulaire.h"

namespace plivor {

namespace {

struct MotDef {
  const char* mot;  // UTF-8 here, Windows-1252 in the table
  int code;
  int classe;
};

constexpr MotDef kMotsCles[] = {
    {"Avance", 1, 0},          {"Icones", 2, 0},          {"Langages", 5, 3},
    {"Menus", 6, 3},           {"Drapeaux", 7, 3},        {"Tempo", 9, 1},
    {"Drapeau", 11, 2},        {"Menu", 12, 0},           {"AllerA", 13, 8},
    {"Saut", 14, 0},           {"Séquence", 15, 3},       {"Vignette", 16, 3},
    {"Langage", 17, 3},        {"Audio", 20, 0},          {"Audio-Volume", 21, 1},
    {"Audio-Début", 23, 1},    {"Audio-Durée", 24, 1},    {"Audio-FadeIn", 25, 1},
    {"Audio-FadeOff", 26, 1},  {"Fenetre", 30, 0},        {"Fenetre-Couleur", 31, 4},
    {"Fenetre-Format", 33, 0}, {"Fenetre-Position", 34, 0}, {"Fenetre-Style", 35, 0},
    {"Fenetre-Cadre", 36, 1},  {"Fenetre-Marge", 37, 1},  {"Fenetre-Dim", 38, 9},
    {"Fenetre-Pos", 39, 9},    {"Diapo", 40, 0},          {"Diapo-Couleur", 41, 4},
    {"Image", 42, 0},          {"Diapo-Format", 43, 0},   {"Diapo-Position", 44, 0},
    {"Diapo-Dim", 48, 9},      {"Diapo-Pos", 49, 9},      {"Transition", 60, 0},
    {"Morphe", 61, 0},         {"Delai", 68, 1},          {"Duree", 69, 0},
    {"Titre", 70, 0},          {"Titre-Couleur", 71, 5},  {"Titre-Fonte", 72, 5},
    {"Titre-Position", 74, 0}, {"Titre-Masque", 75, 2},   {"Titre-Capture", 76, 2},
    {"Titrage", 77, 2},        {"Titre-Pos", 79, 9},      {"Objet", 80, 0},
    {"ObjetX", 81, 3},         {"Objet-Format", 83, 0},   {"Objet-Position", 84, 0},
    {"Objet-Dim", 88, 9},      {"Objet-Pos", 89, 9},
};

// Value words in identifier order (the identifier is the rank).
constexpr std::pair<const char*, int> kValeurs[] = {
    {"vide", 0}, {"Pause", 2}, {"Stop", 3}, {"Reprise", 5}, {"Manuelle", 6}, {"Normale", 10},
    {"Masquer", 2}, {"Afficher", 11}, {"Nouveau", 0}, {"Créer", 70}, {"Nom de Drapeau", 0},
    {"Début", 1}, {"Premier", 2}, {"Précédent", 3}, {"Suivant", 4}, {"Dernier", 5},
    {"Quitter", 12}, {"Nouvelle", 0}, {"Choisir", 0}, {"Jouer", 5}, {"Muet", 6}, {"Normal", 10},
    {"Rénover", 0}, {"Peindre", 1}, {"Verte", 21}, {"Bordeau", 22}, {"Bleue", 23},
    {"Formater", 30}, {"Dimensionner", 33}, {"Positionner", 34}, {"Style", 55}, {"100%", 30},
    {"80%", 31}, {"50%", 32}, {"40%", 33}, {"25%", 34}, {"20%", 35},
    {"Adapter à la Diapo", 36}, {"Adapter au bureau", 38}, {"Prédéfini", 39},
    {"Personnaliser", 50}, {"Centrer", 40}, {"Centrer en haut", 41}, {"Centrer en bas", 42},
    {"à Gauche", 43}, {"en haut à Gauche", 44}, {"en bas à Gauche", 45}, {"à Droite", 46},
    {"en haut à Droite", 47}, {"en bas à Droite", 48}, {"Prédéfinie", 49}, {"Windows", 2},
    {"Plein écran", 3}, {"Sans cadre", 6}, {"Sans marge", 7}, {"Avec fond", 11},
    {"Sans fond", 12}, {"Détacher", 55}, {"Coller aux bords", 56}, {"Image", 58},
    {"Découpée", 51}, {"Opaque", 53}, {"Transparente", 54}, {"Adapter à la Fenetre", 37},
    {"Sans", 0}, {"Haut", 1}, {"Bas", 2}, {"Gauche", 3}, {"Droite", 4}, {"Rideau-ouvrant", 5},
    {"Rideau-fermant", 6}, {"Store-ouvrant", 7}, {"Store-fermant", 8}, {"Vénitien", 11},
    {"Vénitien fin", 12}, {"Lames", 13}, {"Lames fines", 14}, {"Calendrier", 1}, {"Album", 3},
    {"Elargir", 5}, {"Dérouler", 7}, {"Zoom", 14}, {"1/4-sec", 1}, {"1/2-sec", 7},
    {"3/4-sec", 10}, {"1-sec", 14}, {"1,5-sec", 21}, {"2-sec", 28}, {"3-sec", 40},
    {"5-sec", 70}, {"Effacer", 1}, {"Texte Rtf", 1}, {"Vidéo avi", 2}, {"Scène swf", 3},
    {"Séquence Plivor", 4}, {"Tous Fichiers", 5}, {"Nouveau titre", 0}, {"Nouveau Drapeau", 0},
};

enum Ext { Pvi = 0, Pvv = 1, Pvr = 2, Pvd = 3 };

// One grammar entry: the keyword, the shown word (nullptr: none), the
// value code, the line extension and the editor kind.
struct GrammaireDef {
  int motCle;
  const char* mot;
  int valeur;
  int ext = Pvi;
  int editeur = 0;
};

void AjouterPositions(std::vector<GrammaireDef>& g, int motCle) {
  const std::pair<const char*, int> positions[] = {
      {"Centrer", 40},          {"Centrer en haut", 41}, {"Centrer en bas", 42},
      {"à Gauche", 43},         {"en haut à Gauche", 44}, {"en bas à Gauche", 45},
      {"à Droite", 46},         {"en haut à Droite", 47}, {"en bas à Droite", 48},
      {"Prédéfinie", 49}};
  for (const auto& [mot, code] : positions) g.push_back({motCle, mot, code});
  g.push_back({motCle, "Personnaliser", 50, Pvi, 9});
}

void AjouterFormats(std::vector<GrammaireDef>& g, int motCle, std::initializer_list<int> adaptations) {
  const std::pair<const char*, int> pourcents[] = {{"100%", 30}, {"80%", 31}, {"50%", 32},
                                                   {"40%", 33},  {"25%", 34}, {"20%", 35}};
  for (const auto& [mot, code] : pourcents) g.push_back({motCle, mot, code});
  for (int code : adaptations) {
    const char* mot = code == 36 ? "Adapter à la Diapo" : code == 37 ? "Adapter à la Fenetre" : "Adapter au bureau";
    g.push_back({motCle, mot, code});
  }
  g.push_back({motCle, "Prédéfini", 39});
  g.push_back({motCle, "Personnaliser", 50, Pvi, 9});
}

std::vector<GrammaireDef> DefinitionsGrammaire() {
  std::vector<GrammaireDef> g = {
      {1, "Pause", 2}, {1, "Stop", 3}, {1, "Reprise", 5}, {1, "Manuelle", 6}, {1, "Normale", 10},
      {2, "Masquer", 2}, {2, "Afficher", 11},
      {5, "Choisir", 0, Pvr, 3}, {6, "Choisir", 0, Pvr, 3}, {7, "Choisir", 0, Pvr, 3},
      {9, nullptr, 0, Pvi, 1},
      {11, "Nouveau Drapeau", 0, Pvd, 2},
      {12, "Afficher", 11}, {12, "Masquer", 12}, {12, "Créer", 70, Pvi, 8},
      {13, "Nom de Drapeau", 0, Pvi, 8},
      {14, "Début", 1}, {14, "Premier", 2}, {14, "Précédent", 3}, {14, "Suivant", 4},
      {14, "Dernier", 5}, {14, "Quitter", 12},
      {15, "Choisir", 0, Pvr, 3}, {16, "Choisir", 0, Pvr, 3}, {17, "Choisir", 0, Pvr, 3},
      {20, "Début", 1}, {20, "Pause", 2}, {20, "Stop", 3}, {20, "Jouer", 5}, {20, "Muet", 6},
      {20, "Normal", 10},
      {21, nullptr, 0, Pvi, 1}, {23, nullptr, 0, Pvi, 1}, {24, nullptr, 0, Pvi, 1},
      {25, nullptr, 0, Pvi, 1}, {26, nullptr, 0, Pvi, 1},
      {30, "Rénover", 0, Pvv}, {30, "Peindre", 1, Pvv}, {30, "Normale", 10}, {30, "Verte", 21},
      {30, "Bordeau", 22}, {30, "Bleue", 23}, {30, "Formater", 30, Pvi, 6},
      {30, "Dimensionner", 33, Pvi, 7}, {30, "Positionner", 34, Pvi, 7}, {30, "Style", 55, Pvi, 7},
      {31, "Choisir", 0, Pvi, 4},
  };
  AjouterFormats(g, 33, {36, 38});
  AjouterPositions(g, 34);
  g.insert(g.end(), {
      {35, "Windows", 2}, {35, "Plein écran", 3}, {35, "Sans cadre", 6}, {35, "Sans marge", 7},
      {35, "Normal", 10},
      {36, nullptr, 0, Pvi, 1}, {37, nullptr, 0, Pvi, 1},
      {38, nullptr, 0, Pvi, 9}, {39, nullptr, 0, Pvi, 9},
      {40, "Peindre", 1, Pvv}, {40, "Normale", 10}, {40, "Avec fond", 11}, {40, "Sans fond", 12},
      {40, "Verte", 21}, {40, "Bordeau", 22}, {40, "Bleue", 23}, {40, "Formater", 30, Pvi, 6},
      {40, "Dimensionner", 33, Pvi, 7}, {40, "Positionner", 34, Pvi, 7}, {40, "Détacher", 55},
      {40, "Coller aux bords", 56}, {40, "Image", 58, Pvi, 7},
      {41, "Choisir", 0, Pvi, 4},
      {42, "Normale", 10}, {42, "Adapter à la Diapo", 36}, {42, "Découpée", 51},
      {42, "Opaque", 53}, {42, "Transparente", 54},
  });
  AjouterFormats(g, 43, {37, 38});
  AjouterPositions(g, 44);
  g.insert(g.end(), {
      {48, nullptr, 0, Pvi, 9}, {49, nullptr, 0, Pvi, 9},
      {60, "Sans", 0}, {60, "Haut", 1}, {60, "Bas", 2}, {60, "Gauche", 3}, {60, "Droite", 4},
      {60, "Rideau-ouvrant", 5}, {60, "Rideau-fermant", 6}, {60, "Store-ouvrant", 7},
      {60, "Store-fermant", 8}, {60, "Vénitien", 11}, {60, "Vénitien fin", 12},
      {60, "Lames", 13}, {60, "Lames fines", 14},
      {61, "Calendrier", 1}, {61, "Album", 3}, {61, "Elargir", 5}, {61, "Dérouler", 7},
      {61, "Zoom", 14},
      {68, nullptr, 0, Pvi, 1},
      {69, "1/4-sec", 1}, {69, "1/2-sec", 7}, {69, "3/4-sec", 10}, {69, "1-sec", 14},
      {69, "1,5-sec", 21}, {69, "2-sec", 28}, {69, "3-sec", 40}, {69, "5-sec", 70},
      {70, "Effacer", 1, Pvv}, {70, "Normal", 10}, {70, "Afficher", 11, Pvv},
      {70, "Formater", 30, Pvi, 6}, {70, "Positionner", 34, Pvi, 7},
      {71, "Choisir", 0, Pvi, 4}, {72, "Choisir", 0, Pvi, 5},
  });
  AjouterPositions(g, 74);
  g.insert(g.end(), {
      {75, "Nouveau titre", 0, Pvv, 2}, {76, "Nouveau titre", 0, Pvi, 2},
      {77, "Nouveau titre", 0, Pvv, 2}, {79, nullptr, 0, Pvi, 9},
      {80, "Texte Rtf", 1, Pvi, 8}, {80, "Vidéo avi", 2, Pvi, 8}, {80, "Scène swf", 3, Pvi, 8},
      {80, "Séquence Plivor", 4, Pvi, 8}, {80, "Tous Fichiers", 5, Pvi, 8},
      {80, "Formater", 30, Pvi, 6}, {80, "Dimensionner", 33, Pvi, 7},
      {80, "Positionner", 34, Pvi, 7},
      {81, "Choisir", 0, Pvr, 3},
  });
  AjouterFormats(g, 83, {36, 37, 38});
  AjouterPositions(g, 84);
  g.insert(g.end(), {{88, nullptr, 0, Pvi, 9}, {89, nullptr, 0, Pvi, 9}});
  return g;
}

int IdentifiantDe(const char* mot) {
  if (mot == nullptr) return 0;
  const std::string_view cherche(mot);
  for (std::size_t i = 0; i < std::size(kValeurs); ++i)
    if (cherche == kValeurs[i].first) return static_cast<int>(i);
  return 0;
}

Texte ConstruireMotsCles() {
  Texte t = {OctetCode(0), 'f', 'r', 'G', OctetCode(0), static_cast<char>(0xB6)};
  for (const MotDef& def : kMotsCles) {
    const Texte mot = Cp(def.mot);
    t += '+';
    t += OctetCode(def.code);
    t += OctetCode(static_cast<int>(mot.size()));
    t += mot;
  }
  return t + '+';
}

Texte ConstruireValeurs() {
  Texte t = {OctetCode(0), 'Z', 'V', 'L', 'f', 'r', OctetCode(0)};
  for (std::size_t id = 0; id < std::size(kValeurs); ++id) {
    const Texte mot = Cp(kValeurs[id].first);
    t += '=';
    t += OctetCode(static_cast<int>(id));
    t += OctetCode(kValeurs[id].second);
    t += OctetCode(static_cast<int>(mot.size()));
    t += mot;
  }
  return t;
}

Texte ConstruireClasses() {
  Texte t = {OctetCode(0), 'G', 'U', OctetCode(0)};
  for (const MotDef& def : kMotsCles) {
    t += '+';
    t += OctetCode(def.code);
    t += OctetCode(def.classe);
  }
  return t;
}

Texte ConstruireGrammaire() {
  Texte t = {OctetCode(0), 'G', 'V', 'T', 'z', OctetCode(0)};
  for (const GrammaireDef& def : DefinitionsGrammaire()) {
    t += '+';
    t += OctetCode(def.motCle);
    t += OctetCode(def.valeur);
    t += OctetCode(def.editeur * 4 + def.ext);
    t += OctetCode(IdentifiantDe(def.mot));
  }
  return t + '+' + Texte(4, OctetCode(0));
}

}  // namespace

const Texte& TableMotsCles() {
  static const Texte table = ConstruireMotsCles();
  return table;
}

const Texte& TableValeurs() {
  static const Texte table = ConstruireValeurs();
  return table;
}

const Texte& TableClasses() {
  static const Texte table = ConstruireClasses();
  return table;
}

const Texte& TableGrammaire() {
  static const Texte table = ConstruireGrammaire();
  return table;
}

const Tables& TablesFrancaises() {
  static const Tables tables{TableMotsCles(), TableValeurs()};
  return tables;
}

}  // namespace plivor
