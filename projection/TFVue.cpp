#include "projection/TFVue.h"

#include "core/Vocabulaire.h"
#include "options/TFOptions.h"
#include "projection/PreparationImage.h"

namespace plivor {

const Liste& ListeIntroduction() {
  static const Liste liste = {
      "Fenetre=Peindre.pvv",
      "Tempo=1500.pvi",
      "Transition=Gauche.pvi",
      "Duree=3/4-sec.pvi",
      "Icones=Afficher.pvi",
      "Diapo-Format=50%.pvi",
      "Diapo=Peindre.pvv",
      "Titre-Position=Centrer en haut.pvi",
      "Titrage=Aucune liste en cours.pvv",
      "Titre-Position=Centrer.pvi",
      Cp("Titrage=pour créer une nouvelle séquence.pvv"),
      "Titre-Position=Centrer en bas.pvi",
      "Titrage=Cliquer sur Plivor.pvv",
      "Avance=Stop.pvi",
  };
  return liste;
}

const Texte& MarqueIntroduction() {
  static const Texte marque = "Titrage=Cliquer sur Plivor.pvv";
  return marque;
}

TFVue::TFVue(ServicesVue services, QObject* parent) : QObject(parent), services_(services) {
  Timer1.setInterval(2000);
  connect(&Timer1, &QTimer::timeout, this, [this] { Suivant(Emetteur::Minuterie); });
  connect(&TimerFade, &QTimer::timeout, this, &TFVue::onFadeTimer);
  Medias = ListeIntroduction();
  FormCreate();
}

void TFVue::FormCreate() {
  const Texte& programme = services_.dossierProgramme;
  const StyleChemins style = services_.fichiers.Style();
  DossierFichiersProgramme = DossierDonnees(programme, services_.fichiers);
  FichierAide = Joindre(DossierFichiersProgramme, "Plivor.hlp", style);
  DossierProjection = programme;
  Langue = EtatLangue{};
  const Texte icone = Joindre(services_.fichiers.DossierCourant(), "Plivor-p.ico", style);
  if (services_.fichiers.FichierExiste(icone)) IconeApplication = TexteEcran(icone);
  Fermeture = false;
  ImageOpaque = true;
  ListePropre = true;
  EtatPause = 0;
  ExecutionMuette = false;
  AudioDebut = AudioDuree = 0;

  Fenetre = QRect(0, 0, 800, 600);
  Carton = QRect(0, 0, 800, 600);
  CadreFenetre = BiseauCarton = 2;
  MargeFenetre = BordureCarton = 8;
  const QSize ecran = services_.ecran.Taille();
  // A screen too low for the window is a small screen too (a wide one at a
  // scale of 2): the window would be cut otherwise.
  if (ecran.width() < Fenetre.width() || ecran.height() < Fenetre.height()) {
    CodeFenetreDefaut = 380;
    CadreFenetre = MargeFenetre = 0;
    DecalageDiapo = 2;
    PleinEcranActif = false;
    Fenetre.setSize(ecran);
    Carton = QRect(QPoint(0, 0), ecran);
  } else if (ecran.width() <= 800) {
    CodeFenetreDefaut = 380;
    DecalageDiapo = 2;
    CadreFenetre = 0;
    PleinEcranCoche = false;
  } else {
    CodeFenetreDefaut = 300;
    DecalageDiapo = 0;
  }
  CodeFenetre = CodeFenetreDefaut;
  CouleurFenetre = RGB(35, 32, 55);
  const Place place = PositionDe(CodeFenetreDefaut);
  Fenetre.moveTo(place.x, place.y);
  if (Carton.width() >= ecran.width() || Carton.height() >= ecran.height()) {
    CadreFenetre = 0;
    BiseauCarton = 0;
  }
  CodeDiapo = 470;
  CouleurDiapo = CouleurPinceau = CouleurCarton;
  CodeTitre = 700;
  FonteTitre = kFonteTitreParDefaut;
  CodeObjet = 873;
  DimDiapo = "W400H400";
  PosDiapo = "X200Y50";
  DimFenetre = "W300H400";
  PosFenetre = "X20Y20";
  PosTitre = "X60Y420";
  DimObjet = "W300H400";
  PosObjet = "X420Y20";
  FenetreSeule = false;
  ListeModifiee = false;
  AjusterPBox();
}

bool TFVue::Coche(int option) const { return options_ && options_->Coche(option); }

int TFVue::TempoOptions(int parDefaut) const {
  bool nombre = false;
  const int tempo = options_ ? options_->opt_tempo.trimmed().toInt(&nombre) : 0;
  return nombre ? std::max(tempo, 0) : parDefaut;
}

Couleur TFVue::CouleurOptions() const { return options_ ? options_->opt_couleurFond : RGB(35, 32, 55); }

void TFVue::Ouverture() {
  BordureCarton = Coche(6) ? 0 : 8;
  AjusterPBox();
  VolumeInitial = VolumeLire(0);
  VolumeMidiInitial = VolumeLire(2);
  if (VolumeInitial == 0 && !Coche(9)) VolumeInitial = 204;
  VolumeAudio = VolumeInitial;
  IdPeripherique = PeripheriqueVolume = -1;
  PBox.fill(VersQColor(CouleurFenetre));
  emit Presenter();
  Initialiser();
  NomDialogueOuvrir = CheminListe;
  ChargerListe(Emetteur::Aucun);
}

void TFVue::Initialiser() {
  if (ScriptEnCours) ExecuterScript("FinScript");
  CodeFenetre = CodeFenetreDefaut;
  CodeDiapo = 470;
  CodeTitre = 700;
  CodeObjet = 823;
  CadreFenetre = 2;
  MargeFenetre = 8;
  FonteTitre = kFonteTitreParDefaut;
  CouleurTitre = 11656177;
  if (Coche(0) && services_.ecran.Taille().width() != Fenetre.width()) BureauVM();
  FermerAudio();
  ListePropre = true;
  if (EtatPause > 0) PauseClick(Emetteur::Aucun);
  ImageOpaque = true;
  SansFond = false;
  MargeDiapo = true;
  ImageDecoupee = false;
  CodeTransition = 0;
  DureeTransition = 4;
  Timer1.setInterval(TempoOptions(2000));
  CouleurFenetre = CouleurOptions();
  if (Coche(0) == FenetreSeule) BureauVM();
  if (!TestMontage && !DiaporamaDossier && !ApercuMontage && !ApercuSource && Coche(2) &&
      !services_.voisins.PanneauVisible())
    VoirIcones();
  if (Coche(5) != MasquerBullesCoche) Bulles(Emetteur::Aucun);
  if (Coche(7) != FenetreWindowsCoche) WFenetre(Emetteur::Aucun);
  LangueActive = "fr";
}

bool TFVue::VolumeRegler(int niveau) {
  if (PeripheriqueVolume < 0 || PeripheriqueVolume > 2) return false;
  const int canal = niveau * 256;
  return services_.audio.RegleVolume(static_cast<Peripherique>(PeripheriqueVolume), {canal, canal});
}

int TFVue::VolumeLire(int peripherique) const {
  const Peripherique p = peripherique == 1   ? Peripherique::Auxiliaire
                         : peripherique == 2 ? Peripherique::Midi
                                             : Peripherique::Onde;
  const VolumeStereo v = services_.audio.Volume(p);
  return (v.gauche + v.droite) / 512;
}

bool TFVue::PopupAutomatique() const {
  const bool optionsVisibles = options_ && options_->Visible;
  return !optionsVisibles && !services_.voisins.MontageVisible() && !ApercuMontage && !SuiviListe &&
         !TestMontage && !ApercuSource && !DiaporamaDossier && !FenetreSources;
}

}  // namespace plivor
