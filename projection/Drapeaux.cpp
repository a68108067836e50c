// The flag menu and the jumps to flags.

#include <QCoreApplication>

#include "core/Vocabulaire.h"
#include "options/TFOptions.h"
#include "projection/TFVue.h"

namespace plivor {

namespace {

Texte SansExtension(const Texte& nom) { return nom.substr(0, nom.size() >= 4 ? nom.size() - 4 : 0); }

}  // namespace

Texte TFVue::LigneDrapeau(const Texte& nom) const {
  return NomMotCle(11, TablesEnCours()) + "=" + nom + ".pvd";
}

void TFVue::CreerItem(const Texte& libelle) {
  DPop.push_back(libelle);
  emit DrapeauxChanges();
}

void TFVue::CreerPopDrapeaux() {
  MenuImageCharge = false;
  MenuDrapeauxCharge = false;
  DPop.clear();
  const Tables& tables = TablesEnCours();
  const int n = static_cast<int>(Medias.size());
  for (int i = 0; i < n; ++i) {
    const Texte ligne = Medias[static_cast<size_t>(i)];
    const int genre = ClasserLigne(ligne, services_.fichiers);
    const int motCle = CodeMotCle(MotCle(ligne), tables);
    if (genre == Genre::SousListe) {
      DPop.push_back(ligne);
    } else if (genre == Genre::Ressource && motCle == 7) {
      // A flag file fills the menu itself, with its picture on the next line.
      Charger(ligne);
      const Texte suivante = Medias.empty() ? Texte() : Medias[static_cast<size_t>(IndexBorne(Medias, i + 1))];
      if (CodeMotCle(MotCle(suivante), tables) == 6) Charger(suivante);
      break;
    } else if (genre == Genre::Ressource && motCle == 15) {
      DPop.push_back(ligne);
    } else if (genre == Genre::Drapeau) {
      DPop.push_back(Valeur(ligne));
    }
  }
  services_.voisins.BoutonsDrapeaux(!DPop.empty());
  emit DrapeauxChanges();
}

// The sound falls by a factor every pause while above the floor.
void TFVue::DescenteAmortie(int plancher, int numerateur, int denominateur, int pauseMs) {
  VolumeFondu = VolumeLire(PeripheriqueVolume);
  while (VolumeFondu > plancher) {
    VolumeFondu = VolumeFondu * numerateur / denominateur;
    VolumeRegler(VolumeFondu);
    services_.cadence.Attendre(std::chrono::milliseconds(pauseMs));
  }
}

void TFVue::AllerDrapeau(int entree) {
  if (ChaineEpuisee()) return;
  if (ScriptEnCours) {
    ExecuterScript("FinScript");
    return;
  }
  Texte cible;
  if (entree >= 0 && entree < static_cast<int>(DPop.size())) {
    Texte& libelle = DPop[static_cast<size_t>(entree)];
    if (libelle.find(".pvl") != Texte::npos) {
      cible = libelle;
      if (CodeMotCle(MotCle(libelle), TablesEnCours()) != 15) {
        libelle = SansExtension(NomDeFichier(libelle));
        if (std::find(Medias.begin(), Medias.end(), cible) == Medias.end()) cible = LigneDrapeau(libelle);
        emit DrapeauxChanges();
      }
    } else if (CodeValeur(libelle, TablesEnCours()) == 12) {
      Quitter(Emetteur::Aucun);
      return;
    } else {
      cible = LigneDrapeau(libelle);
    }
  } else {
    cible = LigneDrapeau(DrapeauCible);
  }
  const auto trouvee = std::find(Medias.begin(), Medias.end(), cible);
  if (trouvee == Medias.end()) return;
  IndexCourant = static_cast<int>(trouvee - Medias.begin());
  TimerFade.stop();
  if (Coche(4) && AudioEnCours) {
    QCoreApplication::processEvents();
    DescenteAmortie(15, 3, 4, 150);
    AudioAM(Emetteur::bt_AudioArret);
    AudioCourant.clear();
    services_.cadence.Attendre(std::chrono::milliseconds(500));
  }
  InitScene();
  Verifier();
  Charger(Medias[static_cast<size_t>(IndexCourant)]);
  if (!AvanceAuto) AvanceAM(Emetteur::Aucun);
  Suivant(Emetteur::Aucun);
}

void TFVue::InitScene() {
  Timer1.stop();
  Timer1.setInterval(TempoOptions(1750));
  DureeTransition = 7;
  ImageOpaque = true;
  MargeDiapo = true;
  CodeDiapo = 470;
  ImageDecoupee = false;
  SansFond = false;
  Timer1.start();
  AvanceAuto = true;
}

void TFVue::Sauter(int index) {
  IndexCourant = index;
  InitScene();
  Verifier();
  Charger(Medias[static_cast<size_t>(IndexCourant)]);
}

void TFVue::SautDrapeau(Emetteur emetteur) {
  if (ChaineEpuisee()) return;
  if (ScriptEnCours) ExecuterScript("FinScript");
  if (Medias.empty()) return;
  if (Coche(4) && AudioEnCours) {
    // The window is wiped to its colour from the top while the sound falls.
    Timer1.stop();
    TimerFade.stop();
    QCoreApplication::processEvents();
    const int transition = CodeTransition, duree = DureeTransition;
    CodeInstruction = 3001;
    CodeTransition = 1;
    DureeTransition = 7;
    Peindre();
    DescenteAmortie(15, 3, 4, 150);
    AudioAM(Emetteur::bt_AudioArret);
    AudioCourant.clear();
    CodeTransition = transition;
    DureeTransition = duree;
    services_.cadence.Attendre(std::chrono::milliseconds(500));
  }
  const int n = static_cast<int>(Medias.size());
  int debut = 0, fin = n - 1, pas = 1;
  const bool precedent = emetteur == Emetteur::PopDrapeauPrecedent;
  switch (emetteur) {
    case Emetteur::PopDrapeauPrecedent: debut = IndexCourant; fin = 0; pas = -1; break;
    case Emetteur::PopDrapeauSuivant: debut = IndexCourant; break;
    case Emetteur::PopDernierDrapeau: debut = n - 1; fin = 0; pas = -1; break;
    default: break;
  }
  bool passe = false;
  for (int i = debut; i != fin && i >= 0 && i < n; i += pas) {
    const Texte& ligne = Medias[static_cast<size_t>(i)];
    const int genre = ClasserLigne(ligne, services_.fichiers);
    const bool sequence = genre == Genre::Ressource && CodeMotCle(MotCle(ligne), TablesEnCours()) == 15;
    const bool drapeau = genre == Genre::Drapeau || genre == Genre::SousListe;
    if (drapeau && precedent && !passe) {
      passe = true;  // the flag of the section on screen
      continue;
    }
    if (drapeau || sequence) {
      Sauter(i);
      break;
    }
  }
  Suivant(Emetteur::Aucun);
}

}  // namespace plivor
