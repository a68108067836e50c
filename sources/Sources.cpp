#include "sources/Sources.h"

#include <algorithm>

#include "options/TFOptions.h"

namespace plivor {

namespace {

bool EstImageListe(int genre) { return genre % 10 == 1 && genre > 0; }

bool EstSonSource(int genre) {
  return genre == Genre::Wav || genre == Genre::Midi || genre == Genre::Mp3 || genre == Genre::PisteCd;
}

}  // namespace

Sources::Sources(TFVue& vue, Montage& montage, const QString& depart)
    : Arbre(depart), vue_(vue), montage_(montage) {
  Fichiers = Arbre.Fichiers(Masque);
  choisis_.assign(size_t(Fichiers.size()), 0);
}

// ---- Browsing.

void Sources::UniteChange(const QString& unite) {
  if (Arbre.Ouvrir(unite)) DirectoryChange();
  Selection();
}

void Sources::DirectoryChange() {
  Fichiers = Arbre.Fichiers(Masque);
  choisis_.assign(size_t(Fichiers.size()), 0);
  IndexSource = 0;
  if (!Fichiers.isEmpty()) choisis_[0] = 1;
  NbSources = Fichiers.isEmpty() ? QString() : QString::number(Fichiers.size());
  // Bare names of the list resolve against the folder browsed.
  if (const auto dossier = VersCp1252(Arbre.Dossier().toStdString()))
    vue_.Services().fichiers.ChangerDossier(*dossier);
  emit Change();
  emit SelectionChangee();
}

void Sources::DirectoryClick(const QString& entree) {
  if (Arbre.OuvrirEntree(entree)) DirectoryChange();
  Selection();
}

bool Sources::OuvrirDossier(const QString& dossier) {
  if (!Arbre.Ouvrir(dossier)) return false;
  DirectoryChange();
  Selection();
  return true;
}

void Sources::ChoisirMasque(const QString& masque) {
  Masque = masque;
  DirectoryChange();
  Selection();
}

// ---- Selection.

void Sources::DefinirSelection(const std::vector<int>& indices, int courant) {
  std::fill(choisis_.begin(), choisis_.end(), 0);
  for (int i : indices)
    if (i >= 0 && i < Fichiers.size()) choisis_[size_t(i)] = 1;
  if (!Fichiers.isEmpty()) IndexSource = std::clamp(courant, 0, int(Fichiers.size()) - 1);
  emit SelectionChangee();
}

void Sources::ToutSelectionner() {
  std::fill(choisis_.begin(), choisis_.end(), 1);
  emit SelectionChangee();
}

std::optional<Texte> Sources::Ligne(int index) const {
  return VersCp1252(Arbre.Chemin(Fichiers[index]).toStdString());
}

void Sources::Informer(const Texte& chemin) { montage_.InfosSource(chemin); }

void Sources::Montrer(int index, int code) {
  const auto ligne = Ligne(index);
  if (!ligne) return;
  vue_.CodeDiapo = code;
  vue_.Charger(*ligne);
  vue_.Transitions();
}

int Sources::Voisine(int depart, int pas) const {
  for (int i = depart; i >= 0 && i < Fichiers.size(); i += pas) {
    const auto ligne = Ligne(i);
    if (ligne && EstImageListe(GenreExtension(*ligne))) return i;
  }
  return -1;
}

void Sources::ApercuImage(int index, const Texte& chemin) {
  const bool voisines = vue_.ImagesVoisines;
  if (montage_.RafraichirFond) montage_.Rafraichir();
  if (voisines)
    if (const int avant = Voisine(index - 1, -1); avant >= 0) Montrer(avant, 444);
  Montrer(index, voisines ? 443 : 423);
  vue_.LigneApercu = NomDeFichier(chemin);
  Informer(chemin);
  if (voisines)
    if (const int apres = Voisine(index + 1, 1); apres >= 0) Montrer(apres, 445);
}

void Sources::Selection() {
  if (Fichiers.isEmpty()) return;
  vue_.ApercuSource = true;
  if (vue_.AudioEnCours) vue_.AudioAM(Emetteur::bt_AudioArret);
  AudioArretVisible = ContenuListeVisible = false;
  IndexSource = std::clamp(IndexSource, 0, int(Fichiers.size()) - 1);
  const auto chemin = Ligne(IndexSource);
  // A name that cannot be a line is shown, never previewed.
  if (!chemin) {
    TypeSource = Genre::Inconnu;
    emit Change();
    return;
  }
  vue_.LigneApercu = *chemin;
  TypeSource = ClasserLigne(*chemin, vue_.Services().fichiers);
  if (EstImageListe(TypeSource) && TypeSource != Genre::Metafichier) {
    ApercuImage(IndexSource, *chemin);
  } else if (EstSonSource(TypeSource)) {
    if (!vue_.IgnorerAudio) {
      AudioArretVisible = true;
      vue_.Charger(*chemin);
    }
    Informer(*chemin);
  } else if (TypeSource == Genre::SousListe || TypeSource == Genre::Script || TypeSource == Genre::TexteSimple) {
    ContenuListeVisible = true;
    Informer(*chemin);
  }
  emit Change();
}

// ---- Hand-over.

void Sources::Refuser(const QString& nom) const {
  vue_.Services().dialogues.Information(QStringLiteral("Fichier : \r") + Arbre.Chemin(nom) + QStringLiteral("\r") +
                                        QStringLiteral("nom illisible en Windows-1252 : refusé par Plivor"));
}

Liste Sources::CheminsChoisis() {
  Liste chemins;
  for (int i = 0; i < Fichiers.size(); ++i) {
    if (!Choisi(i)) continue;
    if (const auto ligne = Ligne(i))
      chemins.push_back(*ligne);
    else
      Refuser(Fichiers[i]);
  }
  return chemins;
}

bool Sources::Copier() {
  const Liste chemins = CheminsChoisis();
  // Nothing that can go leaves the user's clipboard as it was.
  if (chemins.empty()) return false;
  montage_.Transfert.assign(chemins.rbegin(), chemins.rend());
  emit montage_.TransfertChange();
  return true;
}

void Sources::ImporterDebut() {
  if (!Copier()) return;
  montage_.LigneCourante = -1;
  montage_.CollerDessous();
}

void Sources::ImporterSous() {
  if (!Copier()) return;
  montage_.CollerDessous();
}

void Sources::ImporterFin() {
  if (!Copier()) return;
  montage_.LigneCourante = montage_.Compte() - 1;
  montage_.CollerDessous();
}

void Sources::ContenuListe() {
  if (TypeSource != Genre::SousListe && TypeSource != Genre::Script && TypeSource != Genre::TexteSimple) return;
  if (Fichiers.isEmpty()) return;
  if (const auto chemin = Ligne(std::clamp(IndexSource, 0, int(Fichiers.size()) - 1)))
    montage_.ImporterListe(*chemin);
}

// ---- Slide show and sound.

void Sources::DiaporamaSources() {
  if (Fichiers.isEmpty()) {
    // No show starts: the flag would say one runs.
    vue_.Services().dialogues.Information(QStringLiteral("La liste est vide et ne peut donc être affichée..."));
    return;
  }
  vue_.DiaporamaDossier = true;
  Liste medias;
  for (int i = 0; i < Fichiers.size(); ++i)
    if (const auto ligne = Ligne(i)) medias.push_back(*ligne);
  vue_.Medias = medias;
  vue_.DossierProjection = VersCp1252(Arbre.Dossier().toStdString()).value_or(vue_.DossierProjection);
  vue_.CheminListe = "sans nom";
  vue_.IndexCourant = IndexBorne(vue_.Medias, IndexSource);
  bool nombre = false;
  const int tempo = vue_.Reglages() ? vue_.Reglages()->opt_tempo.trimmed().toInt(&nombre) : 0;
  // A tempo that is no number, or no time at all, would never let the show breathe.
  vue_.Timer1.setInterval(nombre && tempo > 0 ? tempo : 2000);
  vue_.CreerPopDrapeaux();
  montage_.FermerListe(EmetteurMontage::Source);
  vue_.CodeTransition = 0;
  vue_.CodeDiapo = 470;
  montage_.RafraichirFond = true;
  montage_.Rafraichir();
  if (!vue_.FenetreVisible) {
    vue_.FenetreVisible = true;
    emit vue_.GeometrieChangee();
  }
  vue_.Charger(vue_.Medias[size_t(vue_.IndexCourant)]);
  vue_.Suivant(Emetteur::Menu);
  if (!vue_.AvanceAuto) vue_.AvanceAM(Emetteur::Aucun);
  emit Masquer();
}

void Sources::ArretAudio() {
  vue_.AudioAM(Emetteur::bt_AudioArret);
  AudioArretVisible = false;
  emit Change();
}

// ---- Filters.

void Sources::FichierAide(const char* nom) {
  const StyleChemins style = vue_.Services().fichiers.Style();
  vue_.FichierAide = Joindre(DossierDe(vue_.CheminProgramme, style), nom, style);
}

void Sources::OuvrirAide(const char* nom, int rubrique) {
  FichierAide(nom);
  vue_.Services().bureau.OuvrirAide(QString::fromStdString(VersUtf8(vue_.FichierAide)), rubrique);
}

void Sources::FiltrageFermer() {
  filtres.FermerCreation();
  FichierAide("Plivor.hlp");
  emit Change();
}

void Sources::CreerFiltre() {
  FichierAide("Plivor-S.hlp");
  const QString courant = Fichiers.isEmpty() ? QString() : Fichiers[std::clamp(IndexSource, 0, int(Fichiers.size()) - 1)];
  filtres.Creer(courant, Masque);
  emit Change();
}

void Sources::FiltrageValider() {
  Masque = filtres.Valider();
  FichierAide("Plivor.hlp");
  DirectoryChange();
  Selection();
}

void Sources::ListeFiltresChange(int index) {
  if (const auto masque = filtres.Choisir(index)) {
    Masque = *masque;
    DirectoryChange();
    Selection();
  }
}

// ---- The window.

void Sources::FormShow() {
  if (vue_.ListePropre) return;
  if (vue_.DiaporamaDossier && !Fichiers.isEmpty()) {
    // Back from the folder's slide show: the file that was on screen.
    IndexSource = IndexBorne(int(Fichiers.size()), vue_.IndexCourant - 1);
    DefinirSelection({IndexSource}, IndexSource);
    vue_.DiaporamaDossier = false;
    Selection();
  } else if (!vue_.ApercuSource) {
    Selection();
  }
  vue_.FenetreSources = true;
}

void Sources::FormActivate() {
  if (vue_.ListePropre || Fichiers.isEmpty()) return;
  IndexSource = IndexBorne(int(Fichiers.size()), IndexSource);
  Selection();
}

void Sources::FermerSource() {
  if (!vue_.DiaporamaDossier) vue_.FenetreSources = false;
  vue_.ApercuSource = false;
  // Browsing moved the working folder; the montage's relative lines need theirs.
  if (!montage_.DossierListe.empty()) vue_.Services().fichiers.ChangerDossier(montage_.DossierListe);
  emit Masquer();
  montage_.Rafraichir();
  if (montage_.Visible && montage_.Compte() > 0) {
    vue_.LigneApercu.clear();
    montage_.Selection();
  }
}

}  // namespace plivor
