#include "sources/Sources.h"

#include <QFile>
#include <algorithm>

#include "codecs/Images.h"
#include "options/TFOptions.h"

namespace plivor {

namespace {

// The option "Ignorer les fichiers audio" in the options window's check list.
constexpr int kOptionIgnorerAudio = 9;

bool EstImageListe(int genre) { return genre % 10 == 1 && genre > 0; }

bool EstSonSource(int genre) { return EstSon(genre); }

// The picture's header read as its kind says: an empty file or one of
// another kind would only bring the decoder's own words up while browsing.
bool EnTeteImage(const QString& hote, int genre) {
  // By its content: a PNG named .jpg is a picture all the same.
  if (genre == Genre::Metafichier) return true;
  return TailleImage(hote).isValid();
}

}  // namespace

Sources::Sources(TFVue& vue, Montage& montage, const QString& depart)
    : Arbre(depart), vue_(vue), montage_(montage) {
  Fichiers = Arbre.Fichiers(Masque);
  if (!Fichiers.isEmpty()) choix_.Definir({{0, 0}}, int(Fichiers.size()));
}

// ---- Browsing.

void Sources::UniteChange(const QString& unite) {
  if (Arbre.Ouvrir(unite)) DirectoryChange();
  Selection();
}

void Sources::DirectoryChange() {
  Fichiers = Arbre.Fichiers(Masque);
  choix_.Definir({{0, 0}}, int(Fichiers.size()));
  IndexSource = 0;
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
  std::vector<Plage> plages;
  for (int i : indices) plages.push_back({i, i});
  DefinirPlages(std::move(plages), courant);
}

void Sources::DefinirPlages(std::vector<Plage> plages, int courant) {
  choix_.Definir(std::move(plages), int(Fichiers.size()));
  if (!Fichiers.isEmpty()) IndexSource = std::clamp(courant, 0, int(Fichiers.size()) - 1);
  emit SelectionChangee();
}

void Sources::ToutSelectionner() {
  choix_.Tout(int(Fichiers.size()));
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

bool Sources::Lisible(int index, bool dire) {
  const QString hote = Arbre.Chemin(Fichiers[index]);
  const auto ligne = Ligne(index);
  if (!ligne || EnTeteImage(hote, GenreExtension(*ligne))) return true;
  if (dire && !illisibles_.contains(hote)) {
    illisibles_.insert(hote);
    vue_.Services().dialogues.Information(QStringLiteral("L'image \"") + hote +
                                          QStringLiteral("\" est vide ou illisible : elle n'est pas montrée."));
  }
  return false;
}

void Sources::ApercuImage(int index, const Texte& chemin) {
  const bool voisines = vue_.ImagesVoisines;
  const int avant = voisines ? Voisine(index - 1, -1) : -1;
  const int apres = voisines ? Voisine(index + 1, 1) : -1;
  const bool lisible = Lisible(index, false);
  const bool avantLisible = avant >= 0 && Lisible(avant, false);
  const bool apresLisible = apres >= 0 && Lisible(apres, false);
  // A slot whose file cannot be shown is left empty, not with the picture
  // it held before.
  const bool vide = !lisible || (avant >= 0 && !avantLisible) || (apres >= 0 && !apresLisible);
  if (montage_.RafraichirFond || vide) montage_.Rafraichir();
  if (avantLisible) Montrer(avant, 444);
  if (lisible) Montrer(index, voisines ? 443 : 423);
  vue_.LigneApercu = NomDeFichier(chemin);
  Informer(chemin);
  if (apresLisible) Montrer(apres, 445);
  if (!lisible) Lisible(index, true);
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
    if (!AudioIgnore()) {
      vue_.Charger(*chemin);
      // A sound that could not be opened leaves nothing to stop.
      AudioArretVisible = vue_.AudioEnCours || (vue_.AudioCourant == *chemin && (vue_.MciOuvert || vue_.Mp3Ouvert));
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

bool Sources::AudioIgnore() const {
  return vue_.IgnorerAudio || (vue_.Reglages() && vue_.Reglages()->Coche(kOptionIgnorerAudio));
}

Liste Sources::CheminsChoisis() {
  Liste chemins;
  for (const Plage& p : choix_.Plages())
    for (int i = p.debut; i <= p.fin; ++i) {
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
  // Names that cannot be lines stay out of the show: the show's lines and
  // the list's rows are told apart, both ways.
  Liste medias;
  diaporama_.clear();
  int debut = -1;
  for (int i = 0; i < Fichiers.size(); ++i)
    if (const auto ligne = Ligne(i)) {
      if (debut < 0 && i >= IndexSource) debut = int(medias.size());
      medias.push_back(*ligne);
      diaporama_.push_back(i);
    }
  if (medias.empty()) {
    vue_.DiaporamaDossier = false;
    vue_.Services().dialogues.Information(QStringLiteral("La liste est vide et ne peut donc être affichée..."));
    return;
  }
  vue_.Medias = medias;
  vue_.DossierProjection = VersCp1252(Arbre.Dossier().toStdString()).value_or(vue_.DossierProjection);
  vue_.CheminListe = "sans nom";
  vue_.IndexCourant = IndexBorne(vue_.Medias, debut < 0 ? 0 : debut);
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
  vue_.FichierAide = Joindre(vue_.DossierFichiersProgramme, nom, style);
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
    const bool memes = !diaporama_.empty() && diaporama_.back() < Fichiers.size();
    IndexSource = memes ? diaporama_[size_t(IndexBorne(int(diaporama_.size()), vue_.IndexCourant - 1))]
                        : IndexBorne(int(Fichiers.size()), vue_.IndexCourant - 1);
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
