#include "montage/Descriptions.h"

#include <cstdio>
#include <map>

#include "core/Vocabulaire.h"

namespace plivor {

namespace {

// Instructions with a description, as key and text.
struct Entree {
  int code;
  const char* texte;  // UTF-8 here
};

constexpr Entree kDescriptions[] = {
    {102, "Arrête le défilement et la musique."},
    {103, "Arrête le défilement sans arrêter la musique."},
    {105, "Reprend le défilement automatique."},
    {106, "Passe en mode manuel : chaque diapo attend un clic."},
    {110, "Rétablit le défilement normal."},
    {202, "Masque le panneau de navigation."},
    {211, "Affiche le panneau de navigation."},
    {500, "Installe le fichier de langue indiqué."},
    {600, "Image du menu des drapeaux affichée par le panneau de navigation."},
    {700, "Liste des drapeaux proposés par le menu de navigation."},
    {900, "Représente, en millisecondes, le délai d'attente entre le début d'affichage de la diapo "
          "précédente et celui de la diapo suivante."},
    {1100, "Marque un drapeau : un point de la séquence où le menu ou un saut peuvent conduire."},
    {1211, "Affiche le menu des drapeaux."},
    {1212, "Masque le menu des drapeaux."},
    {1270, "Crée le menu des drapeaux et ses vignettes."},
    {1300, "Va au drapeau nommé."},
    {1401, "Saute au début de la séquence."},
    {1402, "Saute au premier drapeau."},
    {1403, "Saute au drapeau précédent."},
    {1404, "Saute au drapeau suivant."},
    {1405, "Saute au dernier drapeau."},
    {1412, "Quitte le programme."},
    {1500, "Remplace la séquence en cours par la liste indiquée."},
    {1600, "Image qui illustre le drapeau au-dessus dans le menu en vignettes."},
    {1700, "Langage des instructions de la liste."},
    {2001, "Relance la musique depuis son début."},
    {2002, "Met la musique en pause."},
    {2003, "Arrête la musique."},
    {2005, "Joue la musique."},
    {2006, "Coupe le son."},
    {2010, "Rétablit le son normal."},
    {2100, "Volume de la musique, de 0 à 100."},
    {2300, "Position de départ du prochain son, en millisecondes."},
    {2400, "Durée de lecture du prochain son, en millisecondes."},
    {2500, "Durée de la montée du son au début du prochain son, en millisecondes."},
    {2600, "Durée de la descente du son qui termine la musique, en millisecondes."},
    {3000, "Rénove la fenêtre de projection."},
    {3001, "Repeint la fenêtre de projection dans sa couleur."},
    {3010, "Rétablit la fenêtre normale."},
    {3021, "Fenêtre de couleur verte."},
    {3022, "Fenêtre de couleur bordeaux."},
    {3023, "Fenêtre de couleur bleue."},
    {3030, "Ouvre le panneau de format de la fenêtre."},
    {3033, "Dimensionne la fenêtre selon son format."},
    {3034, "Positionne la fenêtre selon sa position."},
    {3055, "Style de la fenêtre : cadre et marge."},
    {3100, "Couleur de fond de la fenêtre."},
    {3502, "Fenêtre dans le style Windows, avec sa bordure."},
    {3503, "Fenêtre en plein écran."},
    {3506, "Fenêtre sans cadre."},
    {3507, "Fenêtre sans marge."},
    {3510, "Style normal de la fenêtre."},
    {3600, "Largeur du cadre de la fenêtre, de -12 à 12 pixels."},
    {3700, "Marge de la fenêtre, de 1 à 200 pixels."},
    {3800, "Dimension personnalisée de la fenêtre (W...H...)."},
    {3900, "Position personnalisée de la fenêtre (X...Y...)."},
    {4001, "Repeint la diapo dans sa couleur."},
    {4010, "Rétablit la diapo normale."},
    {4011, "Diapo avec son fond."},
    {4012, "Diapo sans fond."},
    {4021, "Diapo de couleur verte."},
    {4022, "Diapo de couleur bordeaux."},
    {4023, "Diapo de couleur bleue."},
    {4030, "Ouvre le panneau de format de la diapo."},
    {4033, "Dimensionne la diapo selon son format."},
    {4034, "Positionne la diapo selon sa position."},
    {4055, "Détache la diapo des bords de la fenêtre."},
    {4056, "Colle la diapo aux bords de la fenêtre."},
    {4058, "Adapte la diapo à l'image."},
    {4100, "Couleur de fond de la diapo."},
    {4210, "Images affichées normalement."},
    {4236, "Images adaptées à la diapo."},
    {4251, "Images découpées à la taille de la diapo."},
    {4253, "Images opaques."},
    {4254, "Images transparentes : leur couleur de coin laisse voir le fond."},
    {4800, "Dimension personnalisée de la diapo (W...H...)."},
    {4900, "Position personnalisée de la diapo (X...Y...)."},
    {6000, "Sans transition : l'image suivante remplace la précédente."},
    {6800, "Délai de la transition en millisecondes."},
    {6901, "Transition d'un quart de seconde."},
    {6907, "Transition d'une demi-seconde."},
    {6910, "Transition de trois quarts de seconde."},
    {6914, "Transition d'une seconde."},
    {6921, "Transition d'une seconde et demie."},
    {6928, "Transition de deux secondes."},
    {6940, "Transition de trois secondes."},
    {6970, "Transition de cinq secondes."},
    {7000, "Nouveau titre."},
    {7001, "Efface le titre."},
    {7010, "Titre normal."},
    {7011, "Titre avec son fond."},
    {7030, "Ouvre le panneau de format du titre."},
    {7034, "Positionne le titre selon sa position."},
    {7100, "Couleur des lettres du titre."},
    {7200, "Police des lettres du titre."},
    {7500, "Titre dessiné à travers l'image, comme un masque."},
    {7600, "Capture l'écran sous le titre."},
    {7700, "Titre affiché sur la diapo."},
    {7900, "Position personnalisée du titre (X...Y...)."},
    {8030, "Ouvre le panneau de format de l'objet."},
    {8033, "Dimensionne l'objet selon son format."},
    {8034, "Positionne l'objet selon sa position."},
    {8100, "Ouvre le document indiqué à côté de la projection."},
    {8800, "Dimension personnalisée de l'objet (W...H...)."},
    {8900, "Position personnalisée de l'objet (X...Y...)."},
};

// The families whose every value has a description of the same form.
struct Famille {
  int motCle;
  int premier, dernier;
  const char* debut;
};

constexpr Famille kFamilles[] = {
    {33, 30, 39, "Format de la fenêtre : "},  {33, 50, 50, "Format de la fenêtre : "},
    {34, 40, 50, "Position de la fenêtre : "}, {43, 30, 39, "Format de la diapo : "},
    {43, 50, 50, "Format de la diapo : "},     {44, 40, 50, "Position de la diapo : "},
    {60, 1, 14, "Transition : "},              {61, 1, 14, "Morphe : "},
    {74, 40, 50, "Position du titre : "},      {80, 1, 5, "Objet : "},
    {83, 30, 39, "Format de l'objet : "},      {83, 50, 50, "Format de l'objet : "},
    {84, 40, 50, "Position de l'objet : "},
};

const std::map<int, Texte>& Table() {
  static const std::map<int, Texte> table = [] {
    std::map<int, Texte> t;
    for (const Entree& e : kDescriptions) t[e.code] = Cp(e.texte);
    // A family's value words come from the vocabulary: the grammar knows
    // which codes exist.
    for (const Famille& f : kFamilles)
      for (int v = f.premier; v <= f.dernier; ++v) {
        const int code = f.motCle * 100 + v;
        if (t.count(code)) continue;
        const Texte mot = NomMotCle(f.motCle);
        for (int id = 0; id < 128; ++id) {
          const Texte valeur = NomValeur(id);
          if (valeur == "Erreur") break;
          // Value codes repeat across words: the grammar entry names its word.
          const FicheGrammaire fiche = EntreeGrammaire(mot + "=" + valeur + ".pvi");
          if (fiche.CodeValeur() == v && fiche.IdentifiantValeur() == id &&
              CodeCombine(mot + "=" + valeur + ".pvi") == code) {
            t[code] = Cp(f.debut) + valeur + ".";
            break;
          }
        }
      }
    return t;
  }();
  return table;
}

}  // namespace

Texte Description(const Texte& langue, int code) {
  if (langue != "fr" || code <= 0) return Texte();
  const auto& table = Table();
  const auto it = table.find(code);
  return it == table.end() ? Texte() : it->second;
}

}  // namespace plivor
