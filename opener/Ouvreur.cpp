#include "opener/Ouvreur.h"

#include <QFileInfo>
#include <algorithm>

#include "codecs/Images.h"
#include "core/FichiersListe.h"
#include "core/Resolution.h"
#include "core/Vocabulaire.h"
#include "options/TFOptions.h"

namespace plivor {

namespace {

// Letter case aside, as the file list's mask matches.
bool EstPvl(const Texte& ligne) { return ligne.size() >= 4 && Minuscules(ligne.substr(ligne.size() - 4)) == ".pvl"; }

bool EstImageApercu(int genre) { return EstImage(genre); }

constexpr int kPassesMax = 256;

const QString kFiltreSauver = QStringLiteral("Fichier Plivor (*.pvl)|*.pvl|Format texte (*.txt)|*.txt");

// A line of the working list and the sequences it was taken from.
struct Element {
  Texte ligne;
  std::vector<Texte> origines;
  bool retiree = false;
};

}  // namespace

Ouvreur::Ouvreur(TFVue& vue, const QString& depart) : Arbre(depart), vue_(vue) { DirectoryChange(); }

// ---- Browsing.

void Ouvreur::DirectoryChange() {
  Fichiers = Arbre.Fichiers(QStringLiteral("*.pvl"));
  fichiersChoisis_.Definir({{0, 0}}, int(Fichiers.size()));
  IndexSequence = 0;
  NbSources = Fichiers.isEmpty() ? QString() : QString::number(Fichiers.size());
  if (const auto dossier = VersCp1252(Arbre.Dossier().toStdString()))
    vue_.Services().fichiers.ChangerDossier(*dossier);
  if (Fichiers.isEmpty()) VignetteVisible = false;
  emit Change();
}

void Ouvreur::UniteChange(const QString& unite) {
  if (Arbre.Ouvrir(unite)) DirectoryChange();
  SelectionFichiers();
}

void Ouvreur::DirectoryClick(const QString& entree) {
  if (Arbre.OuvrirEntree(entree)) DirectoryChange();
  SelectionFichiers();
}

bool Ouvreur::OuvrirDossier(const QString& dossier) {
  if (!Arbre.Ouvrir(dossier)) return false;
  DirectoryChange();
  SelectionFichiers();
  return true;
}

// ---- Selections.

void Ouvreur::ChoisirFichiers(const std::vector<int>& indices, int courant) {
  std::vector<Plage> plages;
  for (int i : indices) plages.push_back({i, i});
  ChoisirPlagesFichiers(std::move(plages), courant);
}

void Ouvreur::ChoisirPlagesFichiers(std::vector<Plage> plages, int courant) {
  fichiersChoisis_.Definir(std::move(plages), int(Fichiers.size()));
  if (!Fichiers.isEmpty()) IndexSequence = std::clamp(courant, 0, int(Fichiers.size()) - 1);
  SelectionFichiers();
}

void Ouvreur::ChoisirLignes(const std::vector<int>& indices, int courant) {
  lignesChoisies_.assign(Lignes.size(), 0);
  for (int i : indices)
    if (i >= 0 && i < int(Lignes.size())) lignesChoisies_[size_t(i)] = 1;
  ligneCourante_ = Lignes.empty() ? -1 : std::clamp(courant, 0, int(Lignes.size()) - 1);
  if (!indices.empty() && ligneCourante_ >= 0) LigneOuvrir = ligneCourante_;
  SelectionListe();
}

// ---- Thumbnail.

std::optional<Texte> Ouvreur::CheminFichier(int index) const {
  return VersCp1252(Arbre.Chemin(Fichiers[index]).toStdString());
}

void Ouvreur::SelectionFichiers() {
  if (GlisserEnCours) return;
  TrApercu = QStringLiteral("Aperçu");
  if (Apercu && !Fichiers.isEmpty()) {
    IndexSequence = std::clamp(IndexSequence, 0, int(Fichiers.size()) - 1);
    if (const auto sequence = CheminFichier(IndexSequence))
      Apercevoir(*sequence, false);
    else
      Absentes();
  }
  emit Change();
}

void Ouvreur::SelectionListe() {
  if (GlisserEnCours) return;
  TrApercu = QStringLiteral("Aperçu");
  if (Apercu && ligneCourante_ >= 0 && ligneCourante_ < int(Lignes.size()))
    Apercevoir(Lignes[size_t(ligneCourante_)], true);
  emit Change();
}

void Ouvreur::cb_apercuClick(bool coche) {
  Apercu = coche;
  VignetteVisible = coche && !Vignette.isNull();
  if (coche)
    SelectionFichiers();
  else
    emit Change();
}

bool Ouvreur::VignetteDe(const Texte& sequence) {
  // The name up to its first ".pvl": a folder's name does not count.
  const size_t debutNom = sequence.size() - NomDeFichier(sequence).size();
  const size_t pvl = Minuscules(sequence).find(".pvl", debutNom);
  const Texte image = sequence.substr(0, pvl) + ".bmp";
  const ServicesFichiers& fichiers = vue_.Services().fichiers;
  if (!fichiers.FichierExiste(image)) return false;
  // Through the decoders every picture goes through: upright, bounded.
  BesoinImage besoin;
  besoin.pixelsPermis = PixelsPourDiapo(QSize(228, 150));
  const ImageDecodee vignette = DecoderImage(QString::fromStdString(vue_.Services().fichiers.CheminHote(image).string()), besoin);
  if (!vignette.Valide()) return false;
  Vignette = vignette.image.hasAlphaChannel() ? vignette.image.convertToFormat(QImage::Format_RGB32) : vignette.image;
  VignetteCentree = false;
  VignetteVisible = true;
  return true;
}

bool Ouvreur::MontrerImage(const Texte& ligne) {
  // A silent pass through the interpreter; the slide code is given back.
  const int codeDiapo = vue_.CodeDiapo;
  vue_.ExecutionMuette = true;
  vue_.CodeDiapo = 0;
  vue_.Photo = QImage();
  vue_.Charger(ligne);
  vue_.ExecutionMuette = false;
  vue_.CodeDiapo = codeDiapo;
  if (vue_.Photo.isNull()) return false;
  Vignette = vue_.Photo.copy();
  // Made at the paint box's density: shown at its size in window pixels.
  Vignette.setDevicePixelRatio(vue_.Echelle);
  VignetteCentree = true;
  VignetteVisible = true;
  return true;
}

void Ouvreur::Absentes() {
  VignetteVisible = false;
  TrApercu = QStringLiteral("Ressources absentes!...");
}

void Ouvreur::Apercevoir(const Texte& sequence, bool depuisListe) {
  if (VignetteDe(sequence)) return;
  Voisins& voisins = vue_.Services().voisins;
  if (voisins.MenuOuvert()) voisins.Navigation();
  ServicesFichiers& fichiers = vue_.Services().fichiers;
  const StyleChemins style = fichiers.Style();
  const auto lue = LireListe(sequence, fichiers);
  const Texte dossier = SansBarre(DossierDe(CheminComplet(sequence, fichiers.DossierCourant(), style), style));
  // Read into a list of its own: the opener's clipboard stays the user's.
  for (const Texte& ligne : lue ? lue->lignes : Liste{}) {
    if (!EstImageApercu(GenreExtension(ligne))) continue;
    if (fichiers.FichierExiste(ligne)) {
      if (!MontrerImage(ligne)) Absentes();
      return;
    }
    if (!depuisListe || EstAbsolu(ligne, style)) continue;
    const Texte jointe = Joindre(dossier, ligne, style);
    if (!fichiers.FichierExiste(jointe) || !MontrerImage(jointe)) Absentes();
    return;
  }
  Absentes();
}

// ---- Building the list.

bool Ouvreur::CopierTampon() {
  Liste pile;
  const auto& plages = fichiersChoisis_.Plages();
  for (auto p = plages.rbegin(); p != plages.rend(); ++p)
    for (int i = p->fin; i >= p->debut; --i) {
      if (const auto chemin = CheminFichier(i))
        pile.push_back(*chemin);
      else
        vue_.Services().dialogues.Information(QStringLiteral("Fichier : \r") + Arbre.Chemin(Fichiers[i]) +
                                              QStringLiteral("\rnom illisible en Windows-1252 : refusé par Plivor"));
    }
  if (pile.empty()) return false;
  Transfert = std::move(pile);
  return true;
}

void Ouvreur::ImporterDebut() {
  if (!CopierTampon()) return;
  LigneOuvrir = -1;
  CollerDessous();
}

void Ouvreur::ImporterSous() {
  if (CopierTampon()) CollerDessous();
}

void Ouvreur::ImporterFin() {
  if (!CopierTampon()) return;
  LigneOuvrir = int(Lignes.size()) - 1;
  CollerDessous();
}

void Ouvreur::ToutSelectionner() {
  fichiersChoisis_.Tout(int(Fichiers.size()));
  emit Change();
}

void Ouvreur::Coller(const Liste& pile) {
  std::fill(lignesChoisies_.begin(), lignesChoisies_.end(), 0);
  for (auto it = pile.rbegin(); it != pile.rend(); ++it) {
    const int dernier = int(Lignes.size()) - 1;
    if (LigneOuvrir >= dernier) {
      Lignes.push_back(*it);
      lignesChoisies_.push_back(1);
      LigneOuvrir = int(Lignes.size()) - 1;
    } else {
      const int position = std::max(LigneOuvrir + 1, 0);
      Lignes.insert(Lignes.begin() + position, *it);
      lignesChoisies_.insert(lignesChoisies_.begin() + position, 1);
      LigneOuvrir = position;
    }
  }
  ligneCourante_ = Lignes.empty() ? -1 : std::clamp(LigneOuvrir, 0, int(Lignes.size()) - 1);
}

void Ouvreur::CollerDessous() {
  Coller(Transfert);
  SelectionListe();
}

void Ouvreur::Retirer(bool garder) {
  Liste pile;
  for (int i = int(Lignes.size()) - 1; i >= 0; --i) {
    if (!LigneChoisie(i)) continue;
    pile.push_back(Lignes[size_t(i)]);
    if (!garder) {
      Lignes.erase(Lignes.begin() + i);
      lignesChoisies_.erase(lignesChoisies_.begin() + i);
    }
  }
  Transfert = std::move(pile);
}

// The opener's edits are its own: the montage's list is not touched, so
// it is not marked as modified.
void Ouvreur::Couper() {
  if (Lignes.empty()) return;
  Retirer(false);
  std::fill(lignesChoisies_.begin(), lignesChoisies_.end(), 0);
  if (LigneOuvrir >= 0 && LigneOuvrir < int(Lignes.size())) {
    lignesChoisies_[size_t(LigneOuvrir)] = 1;
    ligneCourante_ = LigneOuvrir;
  } else {
    ligneCourante_ = Lignes.empty() ? -1 : std::clamp(ligneCourante_, 0, int(Lignes.size()) - 1);
  }
  SelectionListe();
}

void Ouvreur::Copier() {
  if (Lignes.empty()) return;
  Retirer(true);
  SelectionListe();
}

void Ouvreur::Supprimer() {
  if (Lignes.empty()) return;
  for (int i = int(Lignes.size()) - 1; i >= 0; --i)
    if (LigneChoisie(i)) {
      Lignes.erase(Lignes.begin() + i);
      lignesChoisies_.erase(lignesChoisies_.begin() + i);
    }
  std::fill(lignesChoisies_.begin(), lignesChoisies_.end(), 0);
  if (LigneOuvrir >= 0 && LigneOuvrir < int(Lignes.size())) lignesChoisies_[size_t(LigneOuvrir)] = 1;
  ligneCourante_ = Lignes.empty() ? -1 : std::clamp(LigneOuvrir, 0, int(Lignes.size()) - 1);
  SelectionListe();
}

void Ouvreur::Deplacer(int apres) {
  Liste deplacees;
  int cible = apres;
  for (int i = 0; i < int(Lignes.size()); ++i)
    if (LigneChoisie(i)) {
      deplacees.push_back(Lignes[size_t(i)]);
      if (i <= apres) --cible;
    }
  if (deplacees.empty()) return;
  for (int i = int(Lignes.size()) - 1; i >= 0; --i)
    if (LigneChoisie(i)) {
      Lignes.erase(Lignes.begin() + i);
      lignesChoisies_.erase(lignesChoisies_.begin() + i);
    }
  LigneOuvrir = std::clamp(cible, -1, int(Lignes.size()) - 1);
  Coller(Liste(deplacees.rbegin(), deplacees.rend()));
  SelectionListe();
}

void Ouvreur::Debut() { Deplacer(-1); }

void Ouvreur::Fin() { Deplacer(int(Lignes.size()) - 1); }

void Ouvreur::Bt_ToutClick() {
  std::fill(lignesChoisies_.begin(), lignesChoisies_.end(), 1);
  SelectionListe();
}

void Ouvreur::NouvelleListe() {
  Lignes.clear();
  lignesChoisies_.clear();
  ligneCourante_ = -1;
  emit Change();
}

void Ouvreur::DeposerLignes(int rangee) {
  GlisserEnCours = true;
  Deplacer(std::clamp(rangee - 1, -1, int(Lignes.size()) - 1));
  GlisserEnCours = false;
  SelectionListe();
}

void Ouvreur::DeposerFichiers(int rangee) {
  GlisserEnCours = true;
  if (CopierTampon()) {
    LigneOuvrir = Lignes.empty() ? -1 : std::clamp(rangee - 1, -1, int(Lignes.size()) - 1);
    CollerDessous();
  }
  GlisserEnCours = false;
  SelectionListe();
}

// ---- Deployment.

std::optional<Liste> Ouvreur::Deploiement() {
  Dialogues& dialogues = vue_.Services().dialogues;
  if (Lignes.empty()) {
    dialogues.Information(QStringLiteral("La liste est vide..."));
    return std::nullopt;
  }
  ServicesFichiers& fichiers = vue_.Services().fichiers;
  const StyleChemins style = fichiers.Style();
  const Texte drapeau = NomMotCle(11, vue_.TablesEnCours()) + "=";
  std::vector<Element> travail;
  for (const Texte& ligne : Lignes) travail.push_back({ligne, {}});
  // Passes go on while one still deploys something: a sequence never
  // deploys inside itself, so nesting ends, however deep.
  bool deploye = true;
  for (int passe = 0; deploye && passe < kPassesMax; ++passe) {
    deploye = false;
    const size_t fin = travail.size();
    for (size_t j = 0; j < fin; ++j) {
      Element& element = travail[j];
      if (element.retiree || !EstPvl(element.ligne)) continue;
      const Texte sequence = CheminComplet(element.ligne, fichiers.DossierCourant(), style);
      const bool boucle = std::any_of(element.origines.begin(), element.origines.end(),
                                      [&](const Texte& o) { return EgalSansCasse(o, sequence); });
      if (boucle) {
        // Expanded once already on this line's way: never again.
        dialogues.Message(Cp("La séquence \"") + sequence + Cp("\" se contient elle-même : elle n'est déployée qu'une fois."));
        element.retiree = true;
        continue;
      }
      deploye = true;
      const auto lue = LireListe(sequence, fichiers);
      if (!lue) dialogues.Message(Cp("Impossible de lire la séquence \"") + sequence + "\".");
      const Texte dossier = SansBarre(DossierDe(sequence, style));
      const Texte nom = NomDeFichier(sequence);
      std::vector<Texte> origines = element.origines;
      origines.push_back(sequence);
      element.ligne = drapeau + nom.substr(0, nom.size() - 4) + ".pvd";
      std::vector<Element> bloc;
      const Liste lignes = lue ? lue->lignes : Liste{};
      for (size_t k = 0; k < lignes.size(); ++k) {
        const Texte& l = lignes[k];
        if (lue && std::count(lue->lignesIntraduisibles.begin(), lue->lignesIntraduisibles.end(), int(k))) {
          dialogues.Message(Cp("La ligne ") + std::to_string(k + 1) + Cp(" de \"") + sequence +
                            Cp("\" contient des caractères que Windows-1252 ne peut pas écrire : elle est écartée."));
          continue;
        }
        const int genre = GenreExtension(l);
        if (genre == Genre::Instruction || genre == Genre::InstructionTexte || genre == Genre::Drapeau) {
          if (l.size() >= 5) bloc.push_back({l, origines});
        } else if (genre == Genre::Ressource) {
          continue;
        } else {
          // A sequence's lines resolve from its folder; its sub-lists' as
          // the projection of that sequence reads them.
          const Texte projection = SansBarre(DossierDe(origines.front(), style));
          bloc.push_back({l.empty() ? l : Resoudre(l, projection, dossier, fichiers).ligne, origines});
        }
      }
      travail.insert(travail.begin() + long(j) + 1, bloc.begin(), bloc.end());
    }
  }
  Liste deployee;
  for (const Element& e : travail)
    if (!e.retiree) deployee.push_back(e.ligne);
  return deployee;
}

bool Ouvreur::DeployerPvl() {
  const auto deployee = Deploiement();
  if (!deployee) return false;
  lignesChoisies_.assign(Lignes.size(), 0);
  vue_.Medias = *deployee;
  return true;
}

// ---- Projection and saving.

void Ouvreur::Cloturer() {
  emit Fermer();
  vue_.Peindre();
  if (vue_.Reglages() && vue_.Reglages()->Coche(2)) vue_.Services().voisins.MontrerPanneau(true);
}

void Ouvreur::ProjeterSequence() {
  if (Fichiers.isEmpty()) {
    vue_.Services().dialogues.Information(
        QStringLiteral("Aucune séquence présente...\rChoisir un autre dossier contenant des séquences."));
    return;
  }
  const auto chemin = CheminFichier(std::clamp(IndexSequence, 0, int(Fichiers.size()) - 1));
  if (!chemin) return;
  ServicesFichiers& fichiers = vue_.Services().fichiers;
  const auto lue = LireListe(*chemin, fichiers);
  if (!lue) {
    vue_.Services().dialogues.Message(Cp("Impossible de lire la séquence \"") + *chemin + "\".");
    return;
  }
  Cloturer();
  vue_.Medias = lue->lignes;
  vue_.CheminListe = *chemin;
  vue_.DossierProjection = SansBarre(DossierDe(*chemin, fichiers.Style()));
  vue_.NomDialogueOuvrir = *chemin;
  vue_.Services().fichiers.ChangerDossier(vue_.DossierProjection);
  vue_.CreerPopDrapeaux();
  vue_.Debut(Emetteur::Aucun);
}

void Ouvreur::ProjeterListe() {
  if (Lignes.empty()) {
    vue_.Services().dialogues.Information(QStringLiteral("La liste est vide et ne peut donc être projetée..."));
    return;
  }
  // Deployed first: what it has to say is said over the opener, not over
  // a projection still hidden.
  const auto deployee = Deploiement();
  if (!deployee) return;
  Cloturer();
  lignesChoisies_.assign(Lignes.size(), 0);
  vue_.Medias = *deployee;
  vue_.Services().fichiers.ChangerDossier(vue_.DossierProjection);
  vue_.CreerPopDrapeaux();
  vue_.Debut(Emetteur::Aucun);
}

bool Ouvreur::Sauver() {
  Dialogues& dialogues = vue_.Services().dialogues;
  if (Lignes.empty()) {
    dialogues.Information(QStringLiteral("La liste est vide et ne peut être sauvée !!"));
    return false;
  }
  // The show in progress changes only once the list is saved.
  const auto deployee = Deploiement();
  if (!deployee) return false;
  const auto choix = dialogues.FichierAEnregistrer(QStringLiteral("Sauver une liste Plivor"),
                                                   Arbre.Chemin(QStringLiteral("Nouveau nom.pvl")), kFiltreSauver);
  if (!choix) return false;
  QString hote = *choix;
  if (QFileInfo(hote).suffix().isEmpty()) hote += QStringLiteral(".pvl");
  const auto chemin = VersCp1252(hote.toStdString());
  if (!chemin) {
    dialogues.Information(QStringLiteral("Fichier : \r") + hote +
                          QStringLiteral("\rnom illisible en Windows-1252 : refusé par Plivor"));
    return false;
  }
  ServicesFichiers& fichiers = vue_.Services().fichiers;
  if (fichiers.LectureSeule(*chemin)) {
    dialogues.Message(Texte("Le fichier \"") + *chemin + Cp("\" est en lecture seule."));
    return false;
  }
  if (!EcrireListe(*chemin, *deployee, fichiers)) {
    dialogues.Message(Cp("Impossible d'écrire le fichier \"") + *chemin + "\".");
    return false;
  }
  // The projection plays the list saved, under its own name: the montage
  // would otherwise save it over the list it came from.
  lignesChoisies_.assign(Lignes.size(), 0);
  vue_.Medias = *deployee;
  vue_.CheminListe = *chemin;
  vue_.DossierProjection = SansBarre(DossierDe(*chemin, fichiers.Style()));
  vue_.CreerPopDrapeaux();
  DirectoryChange();
  return true;
}

void Ouvreur::FermerSource() {
  emit Fermer();
  // Browsing moved the working folder; the show's relative lines need theirs.
  vue_.Services().fichiers.ChangerDossier(vue_.DossierProjection);
  vue_.Debut(Emetteur::Aucun);
}

}  // namespace plivor
