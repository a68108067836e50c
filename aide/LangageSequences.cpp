#include "aide/LangageSequences.h"

#include <map>

#include "core/Langue.h"
#include "core/Lignes.h"
#include "montage/Descriptions.h"

namespace plivor {

namespace {

constexpr std::size_t kEnteteGrammaire = 6;  // 0x80 "GVTz" 0x80

// Values the page shows for keywords that take a free value; the others
// take the example of their editor kind.
const std::map<int, const char*>& ValeursLibres() {
  static const std::map<int, const char*> valeurs = {
      {5, "lg.pvg"},         {6, "Voyage.bmp"},        {7, "Voyage.txt"},       {9, "3000"},
      {11, "Arrivée"},       {13, "Arrivée"},          {15, "Suite.pvl"},       {16, "port.jpg"},
      {17, "lg.pvg"},        {21, "80"},               {23, "15000"},           {24, "60000"},
      {25, "2000"},          {26, "3000"},             {31, "clNavy"},          {36, "4"},
      {37, "20"},            {38, "W600H450"},         {39, "X100Y75"},         {41, "$00372023"},
      {48, "W400H300"},      {49, "X200Y150"},         {68, "1500"},            {71, "clYellow"},
      {72, "Arial Black+N128"}, {75, "Bienvenue"},     {76, "Bienvenue"},       {77, "Cliquer sur Plivor"},
      {79, "X60Y420"},       {81, "notes.rtf"},        {88, "W400H400"},        {89, "X20Y20"},
  };
  return valeurs;
}

const char* ValeurParEditeur(int editeur) {
  switch (editeur) {
    case Editeur::Nombre: return "100";
    case Editeur::TexteLibre: return "Bonjour";
    case Editeur::Fichier: return "image.jpg";
    case Editeur::Couleur: return "clWhite";
    case Editeur::Police: return "Arial+B24";
    case Editeur::ChoixListe: return "Arrivée";
    case Editeur::Geometrie: return "W400H300";
    default: return "1";
  }
}

// What a free value is, by the editor the montage opens for it.
const char* SorteDeValeur(int editeur) {
  switch (editeur) {
    case Editeur::Nombre: return "un nombre entier";
    case Editeur::TexteLibre: return "un texte libre, écrit tel quel";
    case Editeur::Fichier:
      return "le chemin d'un fichier, absolu ou relatif au dossier de la liste (ligne de ressource)";
    case Editeur::Couleur:
      return "une couleur : un nom (clBlack, clRed, clNavy, clYellow, clWhite…) ou « $ » suivi de huit "
             "chiffres hexadécimaux 00BBVVRR";
    case Editeur::Police:
      return "une police : son nom, « + », une lettre de style (N normal, B gras, I italique, S souligné) "
             "et la taille en points";
    case Editeur::ChoixListe: return "le nom d'un drapeau de la liste";
    case Editeur::Geometrie:
      return "une dimension W…H… ou une position X…Y…, dans un espace de 800 × 600 où W800H600 est tout "
             "le conteneur";
    default: return "une valeur";
  }
}

std::string Html(const Texte& cp1252) {
  std::string sortie;
  for (char c : VersUtf8(cp1252)) {
    switch (c) {
      case '&': sortie += "&amp;"; break;
      case '<': sortie += "&lt;"; break;
      case '>': sortie += "&gt;"; break;
      case '"': sortie += "&quot;"; break;
      default: sortie += c;
    }
  }
  return sortie;
}

std::string Ligne(const Texte& mot, const FicheGrammaire& fiche) {
  const Texte ligne = LigneExemple(mot, fiche);
  std::string rangee = "<td><code class=\"exemple\">" + Html(ligne) + "</code></td><td>";
  rangee += Html(Description("fr", CodeCombine(ligne))) + "</td></tr>\n";
  return rangee;
}

std::string SectionMotCle(const EntreeVocabulaire& entree) {
  const std::string code = std::to_string(entree.code);
  const std::vector<FicheGrammaire> fiches = FichesDuMotCle(entree.code);
  const int classe = ClasseMotCle(entree.mot + "=.pvi");
  std::string s = "<h3><a name=\"mc" + code + "\"></a>" + Html(entree.mot) + "</h3>\n<p>";
  const Texte anglais = NomMotCle(entree.code, TablesAnglaises());
  if (!anglais.empty() && anglais != entree.mot) s += "En anglais : <i>" + Html(anglais) + "</i>. ";
  if (classe == 0 || fiches.empty()) {
    s += "Valeur : un des mots ci-dessous, écrit exactement (majuscules et accents compris).</p>\n";
  } else {
    s += std::string("Valeur : ") + SorteDeValeur(fiches.front().Editeur()) + ". Extension de la ligne : " +
         Html(fiches.front().ExtensionLigne()) + ".</p>\n";
  }
  s += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr><th>Valeur</th><th>Exemple</th>"
       "<th>Effet</th></tr>\n";
  for (const FicheGrammaire& fiche : fiches) {
    const bool libre = classe != 0;
    s += "<tr><td>" + (libre ? std::string("<i>libre</i>") : Html(NomValeur(fiche.IdentifiantValeur()))) + "</td>";
    s += Ligne(entree.mot, fiche);
  }
  return s + "</table>\n";
}

constexpr const char* kDebut = R"(<html><head><meta charset="utf-8"><title>Le langage des séquences</title></head><body>
<h2>Le langage des séquences</h2>
<p>Une séquence est un fichier texte : une ligne par élément. Une ligne est soit le chemin d'un fichier à
projeter (image, son, liste, script), soit une instruction écrite <code>MotClé=Valeur.ext</code>.
Plivor lit les mots-clés et les valeurs exactement comme ils sont écrits : une majuscule ou un accent
de trop, et la ligne n'est pas reconnue ; elle est alors passée sans effet.</p>
<p>L'extension dit la sorte de la ligne :</p>
<ul>
<li><code>.pvi</code> : une instruction dont la valeur est un mot ou un nombre ;</li>
<li><code>.pvv</code> : une instruction dont la valeur est un texte affiché, ou qui agit sur l'écran ;</li>
<li><code>.pvr</code> : une instruction dont la valeur est un fichier (une ressource) ;</li>
<li><code>.pvd</code> : un drapeau, point de la séquence où mènent le menu et les sauts.</li>
</ul>
<p>Le montage écrit ces lignes pour vous (bouton « Instructions ») ; cette page sert à les lire et à les
écrire à la main. Chaque exemple ci-dessous est une ligne complète, à copier telle quelle.</p>
<p>Mots-clés :
)";

}  // namespace

std::vector<FicheGrammaire> FichesDuMotCle(int motCle) {
  std::vector<FicheGrammaire> fiches;
  const Texte& table = TableGrammaire();
  for (std::size_t i = kEnteteGrammaire; i + 4 < table.size() && table[i] == '+'; i += 5) {
    FicheGrammaire fiche;
    fiche.octets = table.substr(i + 1, 4);
    if (fiche.Vide()) break;
    if (fiche.MotCle() == motCle) fiches.push_back(fiche);
  }
  return fiches;
}

Texte LigneExemple(const Texte& mot, const FicheGrammaire& fiche) {
  const int classe = ClasseMotCle(mot + "=.pvi");
  Texte valeur;
  if (classe == 0) {
    valeur = NomValeur(fiche.IdentifiantValeur());
  } else {
    const auto& libres = ValeursLibres();
    const auto it = libres.find(fiche.MotCle());
    valeur = Cp(it != libres.end() ? it->second : ValeurParEditeur(fiche.Editeur()));
  }
  return mot + "=" + valeur + fiche.ExtensionLigne();
}

std::string PageLangage() {
  const std::vector<EntreeVocabulaire> mots = EntreesMotsCles(TableMotsCles());
  std::string page = kDebut;
  for (std::size_t i = 0; i < mots.size(); ++i) {
    if (i) page += ", ";
    page += "<a href=\"#mc" + std::to_string(mots[i].code) + "\">" + Html(mots[i].mot) + "</a>";
  }
  page += ".</p>\n";
  for (const EntreeVocabulaire& entree : mots) page += SectionMotCle(entree);
  page += "<p><a href=\"index.html\">Écrire une séquence</a> — <a href=\"../Plivor.hlp/index.html\">Sommaire"
          "</a></p>\n</body></html>\n";
  return page;
}

}  // namespace plivor
