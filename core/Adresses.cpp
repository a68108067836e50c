#include "core/Adresses.h"

#include "core/Lignes.h"

namespace plivor {

namespace {

Texte AvecLigne(const char* debut, const Texte& ligne, const char* fin) {
  return Cp(debut) + ligne + Cp(fin);
}

// A ".." component, not a name that merely ends in dots ("Vol..").
bool SortDuDossier(const Texte& chemin) {
  std::size_t debut = 0;
  for (std::size_t i = 0; i < chemin.size(); ++i) {
    if (!EstSeparateur(chemin[i])) continue;
    if (std::string_view(chemin).substr(debut, i - debut) == "..") return true;
    debut = i + 1;
  }
  return false;
}

Texte LigneRessource(const Texte& ligne, const Texte& chemin) { return MotCle(ligne) + "=" + chemin + ".pvr"; }

}  // namespace

Texte AdresseRelative(const Texte& base, const Texte& ligne, const ServicesFichiers& fichiers,
                      Messagerie& messagerie) {
  const StyleChemins style = fichiers.Style();
  Texte dossierBase = DossierDe(base, style);
  if (dossierBase.empty()) dossierBase = Racine(base, style);  // "/" itself
  const int genre = ClasserLigne(ligne, fichiers);
  Texte resultat;
  if (genre == Genre::Inconnu) {
    messagerie.Message(AvecLigne("La ligne \"", ligne, "\" est érronée !") + "\r" +
                       "Impossible de modifier son adresse" + "\r" + Cp("Vérifier son contenu et sa syntaxe !"));
    return kExterieur;
  }
  if (genre == Genre::Absent) {
    messagerie.Message(AvecLigne("Le fichier \"", ligne, "\" n'existe pas !") + "\r" +
                       "Impossible de modifier son adresse");
    return kExterieur;
  }
  if (EstChemin(genre))
    resultat = CheminRelatif(ligne, dossierBase, style);
  else if (genre == Genre::Ressource)
    resultat = LigneRessource(ligne, CheminRelatif(Valeur(ligne), dossierBase, style));
  else
    resultat = ligne;  // instructions hold no address; objects are left as written
  if (SortDuDossier(resultat)) {
    messagerie.Message(AvecLigne("Le fichier \"", NomDeFichier(resultat), "\" est extérieur au dossier \"") +
                       base + "\" !");
    return kExterieurAccent;
  }
  return resultat;
}

Texte AdresseEtendue(const Texte& ligne, const ServicesFichiers& fichiers, Messagerie& messagerie) {
  const StyleChemins style = fichiers.Style();
  const int genre = ClasserLigne(ligne, fichiers);
  switch (genre) {
    case Genre::Inconnu:
      messagerie.Message(AvecLigne("La ligne \"", ligne, "\" est érronée !") + "\r" +
                         Cp("Impossible d'étendre son adresse") + "\r" +
                         Cp("Vérifier son contenu et sa syntaxe !"));
      return kErreur;
    case Genre::Absent:
      messagerie.Message(AvecLigne("Le fichier \"", ligne, "\" n'existe pas !") + "\r" +
                         Cp("Impossible d'étendre son adresse"));
      return kErreur;
    case Genre::Instruction:
    case Genre::InstructionTexte:
    case Genre::Drapeau:
      return ligne;
    case Genre::Ressource:
      return LigneRessource(ligne, CheminComplet(Valeur(ligne), fichiers.DossierCourant(), style));
    default:
      if (EstChemin(genre)) return CheminComplet(ligne, fichiers.DossierCourant(), style);
      messagerie.Message(Cp("Impossible d'étendre l'adresse de : ") + ligne);
      return kErreur;
  }
}

Texte AdresseJointe(const Texte& ligne, const Texte& dossier, const ServicesFichiers& fichiers) {
  const StyleChemins style = fichiers.Style();
  const int genre = ClasserLigne(ligne, fichiers);
  if (EstChemin(genre)) return Joindre(SansBarre(dossier), ligne, style);
  if (genre != Genre::Absent) return ligne;
  if (ligne.find(".pvr") != Texte::npos) return LigneRessource(ligne, Joindre(SansBarre(dossier), Valeur(ligne), style));
  return Joindre(SansBarre(dossier), ligne, style);
}

}  // namespace plivor
