#include "app/Enchainement.h"

#include <QDir>
#include <QFileInfo>

#include "core/Chemins.h"
#include "opener/Ouvreur.h"
#include "options/TFOptions.h"
#include "platform/Dialogues.h"
#include "platform/FichiersHote.h"
#include "projection/TFVue.h"

namespace plivor {

ListesCommande::ListesCommande(const QStringList& chemins) {
  for (const QString& chemin : chemins) {
    const auto ligne = LigneDepuisHote(chemin.toStdString());
    if (!ligne) {
      illisibles_ << chemin;
      fautes_ << QStringLiteral("Nom de liste non représentable : ") + QDir::toNativeSeparators(chemin);
    } else if (!QFileInfo(chemin).isFile()) {
      absentes_.push_back(*ligne);
      fautes_ << QStringLiteral("Liste introuvable : ") + QDir::toNativeSeparators(chemin);
    } else {
      listes_.push_back(*ligne);
    }
  }
}

void ListesCommande::AvantOuverture(TFVue& vue) const {
  Dialogues& dialogues = vue.Services().dialogues;
  for (const QString& nom : illisibles_) dialogues.Information(nom + QStringLiteral(" : nom de fichier non représentable"));
  if (listes_.empty()) {
    // The opening names the missing list and offers to choose another.
    if (!absentes_.empty()) vue.CheminListe = absentes_.front();
    return;
  }
  for (const Texte& absente : absentes_)
    dialogues.Message("Liste " + absente + Cp(" non trouvée.") + "\r" + Cp("Elle reste hors de l'enchaînement."));
  if (!Chaine()) {
    vue.Arguments = {listes_.front()};
    vue.CheminListe = listes_.front();
    return;
  }
  // A name the opening takes for "no introduction list"; under a file, it
  // can never name one.
  vue.Arguments.clear();
  vue.CheminListe = Joindre(listes_.front(), "aucune", vue.Services().fichiers.Style());
}

void ListesCommande::ApresOuverture(TFVue& vue) const {
  if (!Chaine()) return;
  auto& fichiers = vue.Services().fichiers;
  const Texte dossier = SansBarre(DossierDe(listes_.front(), fichiers.Style()));
  Ouvreur ouvreur(vue, TexteEcran(dossier));
  ouvreur.Lignes = listes_;
  const auto chainee = ouvreur.Deploiement();
  if (!chainee) return;
  vue.Medias = *chainee;
  vue.CheminListe = "Sans nom";
  vue.DossierProjection = dossier;
  fichiers.ChangerDossier(dossier);
  // The empty opening showed the navigation panel; a chain is a show.
  if (!vue.Reglages() || !vue.Reglages()->Coche(2)) vue.Services().voisins.MontrerPanneau(false);
  vue.CreerPopDrapeaux();
  vue.Debut(Emetteur::Aucun);
}

}  // namespace plivor
