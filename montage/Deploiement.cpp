// Deployment of sub-lists: each ".pvl" line becomes its flag followed by
// the sub-list's lines, nested sub-lists included, within bounds.

#include <algorithm>
#include <set>

#include "core/FichiersListe.h"
#include "core/Resolution.h"
#include "core/Vocabulaire.h"
#include "montage/Verification.h"

namespace plivor {

namespace {

bool EstPvl(const Texte& ligne) { return Minuscules(Extension(ligne)) == ".pvl"; }

struct Deploiement {
  Texte dossierProjection;  // where relative lines resolve, as the projection reads them
  const ContexteDeploiement& contexte;
  std::vector<Texte> enCours;  // the lists being expanded, outermost first
  std::set<Texte> signalees;
  bool echec = false;

  bool EnCours(const Texte& chemin) const {
    return std::find(enCours.begin(), enCours.end(), chemin) != enCours.end();
  }

  void Abandon(const Texte& message) {
    contexte.dialogues.Message(message);
    echec = true;
  }

  // Appends `ligne`, a line of the list kept in `dossierListe` (empty for
  // the edited list), expanded when it names a sub-list.
  void Ajouter(const Texte& ligne, const Texte& dossierListe, Liste& sortie) {
    if (echec) return;
    if (sortie.size() >= kLignesDeployeesMax) {
      Abandon(Cp("La liste déployée dépasserait ") + std::to_string(kLignesDeployeesMax) +
              Cp(" lignes : le déploiement est abandonné."));
      return;
    }
    const ServicesFichiers& fichiers = contexte.fichiers;
    const LigneResolue resolue = Resoudre(ligne, dossierProjection, dossierListe, fichiers);
    // The edited list's own lines stay as written; a sub-list's are given
    // in full, so that they name the same file wherever the list is kept.
    // A line whose file is nowhere stays as written, read as the
    // projection reads it.
    const Texte ecrite = dossierListe.empty() || !resolue.trouvee ? ligne : resolue.ligne;
    if (!EstPvl(ligne)) {
      sortie.push_back(ecrite);
      return;
    }
    const Texte& chemin = resolue.ligne;
    if (EnCours(chemin)) {
      // A list that contains itself is expanded once; the line that would
      // start it again stays as it is.
      if (signalees.insert(chemin).second)
        contexte.dialogues.Message(Texte("La liste \"") + chemin +
                                   Cp("\" se contient elle-même : elle n'est déployée qu'une fois."));
      sortie.push_back(ecrite);
      return;
    }
    if (enCours.size() >= kProfondeurDeploiementMax) {
      Abandon(Cp("Les sous-listes s'imbriquent sur plus de ") + std::to_string(kProfondeurDeploiementMax) +
              Cp(" niveaux : le déploiement est abandonné."));
      return;
    }
    const auto lue = resolue.trouvee ? LireListe(chemin, fichiers) : std::nullopt;
    if (!lue) {
      if (ContinuerSansFichier(contexte.dialogues, contexte.ignorerAbsents,
                               Texte("Le fichier \"") + chemin + Cp("\" est absent ou illisible.")))
        sortie.push_back(ecrite);
      else
        echec = true;
      return;
    }
    const Texte nom = NomDeFichier(chemin);
    sortie.push_back(contexte.motDrapeau + "=" + nom.substr(0, nom.size() - 4) + ".pvd");
    const StyleChemins style = fichiers.Style();
    const Texte dossier = SansBarre(DossierDe(chemin, style));
    enCours.push_back(chemin);
    const std::vector<int> alterees = lue->LignesAlterees();
    if (!alterees.empty()) contexte.dialogues.Message(chemin + " : " + std::to_string(alterees.size()) +
                                                      Cp(" ligne(s) altérées à la lecture (caractères hors "
                                                         "Windows-1252, octets nuls ou lignes coupées)."));
    for (std::size_t i = 0; i < lue->lignes.size(); ++i) {
      const Texte& sous = lue->lignes[i];
      if (sous.size() < 5) continue;
      const std::size_t avant = sortie.size();
      Ajouter(sous, dossier, sortie);
      if (contexte.alterees && std::binary_search(alterees.begin(), alterees.end(), static_cast<int>(i)))
        contexte.alterees->insert(contexte.alterees->end(), sortie.begin() + static_cast<std::ptrdiff_t>(avant),
                                  sortie.end());
    }
    enCours.pop_back();
  }
};

}  // namespace

bool ContinuerSansFichier(Dialogues& dialogues, bool ignorerAbsents, const Texte& raison) {
  if (ignorerAbsents) return true;
  return dialogues.Question(TexteEcran(raison + "\r" + "Continuer sans ce fichier ?"));
}

std::optional<Liste> LignesDeployees(const Liste& lignes, const Texte& dossier, const ContexteDeploiement& contexte) {
  Deploiement d{dossier, contexte, {}, {}, false};
  Liste deployee;
  for (const Texte& ligne : lignes) d.Ajouter(ligne, {}, deployee);
  if (d.echec) return std::nullopt;
  return deployee;
}

bool DeployerPvl(Montage& montage) {
  TFVue& vue = montage.Vue();
  Dialogues& dialogues = vue.Services().dialogues;
  if (montage.Compte() == 0) {
    dialogues.Information(QStringLiteral("La liste est vide..."));
    return false;
  }
  montage.DessinSuspendu = true;
  Liste alterees;
  const ContexteDeploiement contexte{montage.Fichiers(), dialogues, vue.IgnorerAbsents,
                                     NomMotCle(11, vue.TablesEnCours()), &alterees};
  const auto deployee = LignesDeployees(montage.Lignes(), montage.DossierListe, contexte);
  montage.DessinSuspendu = false;
  if (!deployee || *deployee == montage.Lignes()) {
    emit montage.ListeChangee();
    return false;
  }
  montage.RemplacerLignes(*deployee);
  montage.AjouterAlterees(alterees);
  vue.ListeModifiee = true;
  montage.Selection();
  return true;
}

}  // namespace plivor
