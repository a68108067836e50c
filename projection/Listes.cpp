// Where a projection's list comes from, where it goes to be edited, and the
// end of the program.

#include "core/FichiersListe.h"
#include "options/TFOptions.h"
#include "projection/TFVue.h"

namespace plivor {

namespace {

const QString kFiltreListes = QStringLiteral("Listes Plivor (*.pvl)|*.pvl|Listes au format Texte (*.txt)|*.txt");

}  // namespace

bool TFVue::IntroductionChargee() const {
  const auto marque = std::find(Medias.begin(), Medias.end(), MarqueIntroduction());
  return marque != Medias.end() && marque != Medias.begin();
}

void TFVue::ArreterLecture() {
  if (AvanceAuto) AvanceAM(Emetteur::Aucun);
  if (AudioEnCours) AudioAM(Emetteur::bt_AudioArret);
}

std::optional<Texte> TFVue::ChoisirListe(const Texte& dossier, const Texte& nom) {
  const QString depart = TexteEcran(nom.empty() ? dossier : Joindre(dossier, NomDeFichier(nom), services_.fichiers.Style()));
  const auto choix = services_.dialogues.FichierAOuvrir(QStringLiteral("Charger une liste"), depart, kFiltreListes);
  if (!choix) return std::nullopt;
  const auto ligne = LigneDepuisHote(choix->toStdString());
  if (!ligne) services_.dialogues.Information(*choix + QStringLiteral(" : nom de fichier non représentable"));
  return ligne;
}

void TFVue::ChargerListe(Emetteur emetteur) {
  if (ChaineEpuisee()) return;  // lists that load each other
  ApercuSource = ApercuMontage = false;
  if (services_.voisins.MenuOuvert()) services_.voisins.Navigation();
  ListePropre = true;
  LignesScript.clear();
  if (EtatPause > 0) EtatPause = 0;
  ArreterLecture();
  services_.voisins.Boutons();
  FichiersHote& fichiers = services_.fichiers;
  if (!Arguments.empty() && fichiers.FichierExiste(Arguments.front()) && IntroductionChargee())
    NomDialogueOuvrir = Arguments.front();

  if (emetteur == Emetteur::PopOuvrir || emetteur == Emetteur::bt_Charger) {
    Initialiser();
    FenetreVisible = false;
    emit GeometrieChangee();
    NomDialogueOuvrir = ChoisirListe(DossierProjection, {}).value_or(Texte{});
  } else if (!fichiers.FichierExiste(NomDialogueOuvrir)) {
    if (Minuscules(NomDeFichier(CheminListe)) != "aucune") {
      services_.dialogues.Message("Liste " + NomDialogueOuvrir + Cp(" non trouvée.") + "\r" +
                                  "Choisir une autre liste Plivor.");
      if (auto choix = ChoisirListe(DossierProjection, NomDialogueOuvrir)) NomDialogueOuvrir = *choix;
    } else {
      Medias.clear();
    }
  }

  if (fichiers.FichierExiste(NomDialogueOuvrir)) {
    const auto lue = LireLignes(NomDialogueOuvrir);
    if (!lue) return;
    Medias = *lue;
    CheminListe = CheminComplet(NomDialogueOuvrir, fichiers.DossierCourant(), fichiers.Style());
    DossierProjection = SansBarre(DossierDe(CheminListe, fichiers.Style()));
    // Relative lines, scripts' among them, resolve against the list's folder.
    fichiers.ChangerDossier(DossierProjection);
    emit Presenter();
    CreerPopDrapeaux();
    if (Medias.empty()) {
      services_.dialogues.Message(Cp("La liste \"") + CheminListe + Cp("\" est Vierge.") + "\r" +
                                  Cp("Ouvrir la fenêtre de montage pour ajouter des médias."));
      AfficherPanneau();
    }
  } else if (Medias.empty()) {
    CheminListe = "Sans nom";
    if (options_) DossierProjection = SansBarre(VersCp1252(options_->opt_chemin.toStdString()).value_or(Texte{}));
    AfficherPanneau();
  }
  Debut(emetteur);
}

void TFVue::EditerListe(Emetteur) {
  if (ScriptEnCours || !ListePropre) return;
  if (EtatPause <= 0) PauseClick(Emetteur::Aucun);
  ArreterLecture();
  services_.fichiers.ChangerDossier(DossierProjection);
  services_.voisins.EditerDansMontage(Medias, CheminListe, DossierProjection, IndexCourant, ListeModifiee);
}

void TFVue::Lister(Emetteur) {
  if (ScriptEnCours) return;
  Initialiser();
  FenetreVisible = false;
  emit GeometrieChangee();
  if (EtatPause <= 0) PauseClick(Emetteur::Aucun);
  ArreterLecture();
  services_.voisins.MontrerOuvreur();
}

void TFVue::Quitter(Emetteur) {
  Fermeture = true;
  if (ScriptEnCours) ExecuterScript("FinScript");
  if (Coche(4) && MusiqueEnLecture()) {
    TimerFade.stop();
    DescenteAmortie(8, 5, 6, 120);
    // The closing curtain, in one second.
    CodeInstruction = 3001;
    CodeTransition = 6;
    DureeTransition = 14;
    Peindre();
    services_.voisins.MontrerPanneau(false);
    services_.cadence.Attendre(std::chrono::milliseconds(250));
    AudioAM(Emetteur::bt_AudioArret);
  }
  ArreterLecture();
  if (ListeModifiee) {
    const QString question = QStringLiteral("La liste ") + TexteEcran(services_.voisins.NomListeMontage()) +
                             QStringLiteral(" a été modifiée, la sauvegarder ?");
    if (services_.dialogues.Question(question)) {
      // A save that did not happen keeps the program and the edits.
      if (!services_.voisins.SauverMontage()) {
        Fermeture = false;
        return;
      }
    } else if (!services_.dialogues.Question(QStringLiteral("         Quitter le programme ?"))) {
      Fermeture = false;
      return;
    }
  }
  if (!FenetreSeule) Minimisee = true;
  RendreLesVolumesEtTerminer();
}

void TFVue::QuitterSurSignal() {
  Fermeture = true;
  if (ScriptEnCours) ExecuterScript("FinScript");
  ArreterLecture();
  RendreLesVolumesEtTerminer();
}

void TFVue::RendreLesVolumesEtTerminer() {
  if (MciOuvert) services_.audio.Arreter();
  FermerAudio();
  services_.audio.RegleVolume(Peripherique::Onde, {VolumeInitial * 256, VolumeInitial * 256});
  services_.audio.RegleVolume(Peripherique::Midi, {VolumeMidiInitial * 256, VolumeMidiInitial * 256});
  emit Terminer();
}

}  // namespace plivor
