#pragma once
// The projection window's engine: the state of the show and the operations
// that change it. It draws into images and never touches a widget; the
// window on screen (EcranVue) shows the paint box and forwards events.

#include <cmath>
#include <functional>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QTimer>

#include "core/Langue.h"
#include "core/Lignes.h"
#include "core/Notations.h"
#include "platform/Audio.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/Ecran.h"
#include "platform/FichiersHote.h"
#include "projection/Cadence.h"
#include "projection/Disposition.h"
#include "projection/Voisins.h"

namespace plivor {

class Pinceau;
class TFOptions;

// Who asked for an operation; several operations act by sender.
enum class Emetteur {
  Aucun,
  Menu,          // a popup entry with no behaviour of its own by sender
  Options,       // the options window
  Minuterie,     // Timer1
  Clic,          // a click on the window
  Interpreteur,  // chaining inside Charger
  // Buttons of the navigation panel.
  bt_Quitter,
  bt_Charger,
  bt_Debut,
  bt_Navigation,
  bt_Pause,
  bt_Jouer,
  bt_Plivor,
  bt_Masquer,
  bt_Precedent,
  bt_Suivant,
  bt_Avance,
  bt_AvanceArret,
  bt_Audio,
  bt_AudioArret,
  bt_Options,
  bt_Aide,
  // Entries of the popup menu PopImage.
  PopPause,
  PopNavigation,
  PopDebut,
  PopPremierDrapeau,
  PopDrapeauPrecedent,
  PopDrapeauSuivant,
  PopDernierDrapeau,
  PopManuel,
  PopMuet,
  PopPrecedent,
  PopSuivant,
  PopMusique,
  PopAvance,
  PopMasquer,
  PopOuvrir,
  PopLister,
  PopEditer,
  PopPleinEcran,
  PopRafraichir,
  PopWindows,
  PopCouleur,
  PopBulles,
  PopOptions,
  PopAide,
  PopQuitter,
  // Help buttons of the options window.
  opt_RubtAide,
  opt_R_btAide,
  lk_btAide,
  AProposPresentation,
  AProposAuteur,
};

// The built-in introduction list, played when no sequence can be opened.
const Liste& ListeIntroduction();
// The line by which the built-in list is recognised while it is loaded.
const Texte& MarqueIntroduction();

struct ServicesVue {
  FichiersHote& fichiers;
  Dialogues& dialogues;
  CoucheAudio& audio;
  const Ecran& ecran;
  Cadence& cadence;
  Bureau& bureau;
  Voisins& voisins;
  Texte dossierProgramme;
};

class TFVue : public QObject {
  Q_OBJECT

 public:
  explicit TFVue(ServicesVue services, QObject* parent = nullptr);

  // Start-up and reset.
  void FormCreate();
  void Ouverture();
  void Initialiser();
  bool VolumeRegler(int niveau);
  int VolumeLire(int peripherique) const;

  // The line interpreter.
  void Charger(const Texte& ligne);

  // Sequencing.
  void Verifier();
  void Suivant(Emetteur emetteur = Emetteur::Interpreteur);
  void Precedent(Emetteur emetteur = Emetteur::Menu);
  void Debut(Emetteur emetteur = Emetteur::Menu);
  void Editer();

  // Flags and jumps. `entree` is an entry of the flag menu, or -1 for any
  // other caller (an AllerA line, the navigation panel).
  void CreerPopDrapeaux();
  void CreerItem(const Texte& libelle);
  void AllerDrapeau(int entree);
  void SautDrapeau(Emetteur emetteur);
  void InitScene();
  void ExecuterScript(const Texte& fichier);

  // Lists.
  void ChargerListe(Emetteur emetteur = Emetteur::Menu);
  void EditerListe(Emetteur emetteur = Emetteur::Menu);
  void Lister(Emetteur emetteur = Emetteur::Menu);
  void Quitter(Emetteur emetteur = Emetteur::Menu);
  // The system asks the program to end: no question, no curtain, the
  // device volumes given back.
  void QuitterSurSignal();

  // Display and window modes.
  void Peindre();
  void Rafraichir(Emetteur emetteur = Emetteur::Aucun);
  void FormatDiapo();
  void BureauVM();
  void WFenetre(Emetteur emetteur = Emetteur::Menu);
  void FormResize();
  void CouleurFond();
  void Transitions();
  void Ralentisseur();
  void Morphes();
  void Entourer(QPoint coin);
  TailleDuCode TailleCode(int code) const;
  Taille TailleDe(int code);  // applies the code changes some sizes carry
  Place PositionDe(int code) const;
  QPoint OrigineImage() const;  // where the prepared picture is drawn, in paint-box pixels

  // Projection controls.
  void PauseClick(Emetteur emetteur = Emetteur::Menu);
  void AvanceAM(Emetteur emetteur = Emetteur::Menu);
  void ModeManuel();
  void VoirIcones();
  void Bulles(Emetteur emetteur = Emetteur::Menu);
  void Boutons();
  void Options(Emetteur emetteur = Emetteur::PopOptions);
  void AppelAide(Emetteur emetteur = Emetteur::PopAide);
  void PopNavigationClick();
  void ImageMouseDown(bool droit);
  void ImageMouseUp(bool droit);
  void SourceClick();
  void FormActivate();
  bool PopupAutomatique() const;
  bool ModeApercu() const;  // the window serves the montage or resource window
  bool MenuAutomatique = true;  // PopImage pops up on a right click

  // Audio.
  void OuvrirSon(const Texte& ligne, int genre);
  void AudioAM(Emetteur emetteur);
  void ModeMuet();
  void onFadeTimer();
  void MPlayer3Pret();
  void MPlayer3Etat(int etat);
  void MPlayer3Duration(int millisecondes);
  // Music stopped, the media player's medium closed, the MP3 player freed.
  void FermerAudio();
  // The MP3 player reports playing, or the media player plays.
  bool MusiqueEnLecture() const;

  // Operations whose behaviour belongs to later work; each is named here so
  // the interpreter already calls the right place.
  void Titrer(const Texte& texte);
  void OuvrirObjet(const Texte& fichier);

  // Window geometry: the window on the screen, the frame inside the window,
  // the paint box inside the frame.
  QRect Fenetre;
  QRect Carton;
  bool FenetreVisible = false;
  bool CartonVisible = true;
  bool BordureFenetre = false;
  Couleur CouleurCarton = RGB(60, 0, 0);
  int BordureCarton = 8;
  int BiseauCarton = 2;
  QRect RectPBox() const;
  QImage PBox;      // the paint box's pixels
  QImage Photo;     // prepared picture, in paint-box pixels
  // Paint-box pixels per window pixel. The geometry of the show stays in
  // window pixels; the paint box, the prepared picture, the titles and
  // every drawing in them are made at this resolution (a video frame
  // larger than the window, a screen of high density).
  double Echelle = 1.0;
  int EnPixels(int v) const { return int(std::lround(v * Echelle)); }
  QPoint EnPixels(QPoint p) const { return {EnPixels(p.x()), EnPixels(p.y())}; }
  QSize EnPixels(QSize t) const { return {EnPixels(t.width()), EnPixels(t.height())}; }
  // Edges rounded, not sizes: rectangles side by side stay side by side.
  QRect EnPixels(const QRect& r) const {
    return QRect(EnPixels(r.topLeft()), QPoint(EnPixels(r.x() + r.width()) - 1, EnPixels(r.y() + r.height()) - 1));
  }
  // Every window pixel the paint-box pixels touch.
  QRect EnFenetre(const QRect& pixels) const {
    return QRect(QPoint(int(std::floor(pixels.x() / Echelle)), int(std::floor(pixels.y() / Echelle))),
                 QPoint(int(std::ceil((pixels.x() + pixels.width()) / Echelle)) - 1,
                        int(std::ceil((pixels.y() + pixels.height()) / Echelle)) - 1));
  }
  QSize EnFenetre(QSize pixels) const {
    return {int(std::lround(pixels.width() / Echelle)), int(std::lround(pixels.height() / Echelle))};
  }
  QImage Titre, XTitre;
  Couleur CouleurPinceau = RGB(60, 0, 0);  // brush of Photo and the paint box

  // Check marks of the projection's menu entries.
  bool PleinEcranCoche = true;
  bool PleinEcranActif = true;
  bool FenetreWindowsCoche = false;
  bool MasquerBullesCoche = false;
  bool PauseCoche = false, AvanceCoche = false, ManuelCoche = false, MuetCoche = false;
  bool PauseActive = true;  // bt_Pause enabled
  bool MasquerCoche = false;

  // Sequence and position.
  Liste Medias;
  int IndexCourant = 0;
  int TypeLigne = 0;
  int CodeInstruction = 0;
  Texte CheminListe = "Sans nom";
  Texte DossierProjection;
  Liste ListeTemporaire;
  // The lines of the script under way, consumed as they run. The
  // projection's own: the user's clipboard is never scratch space.
  Liste LignesScript;
  bool ScriptEnCours = false;
  Texte DrapeauCible;
  bool Fermeture = false;
  Texte CheminProgramme;
  // The program's own files: help, language file, texts.
  Texte DossierFichiersProgramme;
  Texte FichierAide;
  Texte NomDialogueOuvrir;  // file name of Dlg_Ouvrir
  Liste Arguments;          // the program's command line
  std::vector<Texte> DPop;  // captions of the flag menu
  bool Minimisee = false;
  QString IconeApplication;

  // Advance and modes.
  bool AvanceAuto = false;
  bool Manuel = false;
  bool Muet = false;
  int EtatPause = 0;
  bool IgnorerAbsents = false;
  // Asked, with the missing file as shown, before it stops the show: true
  // passes it by as "Ignorer les absents" would (the video export).
  std::function<bool(const Texte&)> PasserAbsent;
  // "Projection sans surveillance": messages become notices, nothing waits.
  bool SansSurveillance = false;
  bool IgnorerAudio = false;
  QTimer Timer1;
  QTimer TimerFade;

  // Audio.
  bool MciOuvert = false;
  bool Mp3Ouvert = false;
  bool AudioEnCours = false;
  Texte AudioCourant;
  int AudioDebut = 0;
  int AudioDuree = 0;
  int PeripheriqueVolume = -1;
  int IdPeripherique = -1;
  int VolumeAudio = 0;
  int VolumeInitial = 0;
  int VolumeFondu = 0, DureeFondu = 0, PasFondu = 0;
  bool FonduEntrant = false;
  int VolumeMidiInitial = 0;
  int DureeMp3 = 0;
  int EtatMp3 = 0;
  bool Mp3Pret = false;
  std::unique_ptr<LecteurMp3> MPlayer3;
  bool MusiqueCoche = false;  // menu item "Musique"

  // Display.
  int CodeTransition = 0;
  int FacteurPause = 4;
  int NombrePas = 0;
  int PasMorphe = 0;  // the last growth step of a morph
  int DureeTransition = 4;
  int VitesseTransitions = 400;
  bool FenetreSeule = false;
  int LargeurDiapo = 0, HauteurDiapo = 0;
  Couleur CouleurFenetre = RGB(35, 32, 55);
  Couleur CouleurDiapo = RGB(60, 0, 0);
  Couleur CouleurTitre = 11656177;
  Texte FonteTitre = kFonteTitreParDefaut;
  bool SansFond = false;
  bool ImageOpaque = true;
  bool ImageDecoupee = false;
  bool MargeDiapo = true;
  int CadreFenetre = 2;
  int MargeFenetre = 8;
  int DecalageDiapo = 0;
  int CodeFenetreDefaut = 300;
  int CodeFenetre = 300;
  int CodeDiapo = 470;
  int CodeTitre = 700;
  int CodeObjet = 873;
  Texte DimDiapo = "W400H400", PosDiapo = "X200Y50";
  Texte DimFenetre = "W300H400", PosFenetre = "X20Y20";
  Texte PosTitre = "X60Y420";
  Texte DimObjet = "W300H400", PosObjet = "X420Y20";
  Taille TailleObjet;
  Couleur CouleurTransparente = 0;

  // Window-mode flags set by the other windows.
  bool ListePropre = true;
  bool ApercuMontage = false;
  bool SuiviListe = false;
  bool TestMontage = false;
  bool ApercuSource = false;
  bool DiaporamaDossier = false;
  bool FenetreSources = false;
  bool ModePublication = false;
  bool ExecutionMuette = false;
  bool ListeModifiee = false;
  // Lines read from lists with something lost (characters Windows-1252
  // cannot hold, NUL bytes, cut lines): the montage names them before a save.
  Liste LignesAlterees;
  Texte LigneApercu;
  bool ImagesVoisines = false;

  // Menus and language.
  bool MenuImageCharge = false;
  bool MenuDrapeauxCharge = false;
  EtatLangue Langue;
  Texte LangueActive = "fr";
  const Tables& TablesEnCours() const { return TablesActives(Langue); }

  void ConnecterOptions(TFOptions* options) { options_ = options; }
  TFOptions* Reglages() const { return options_; }
  ServicesVue& Services() { return services_; }

 signals:
  // The paint box or the window's geometry changed: the screen shows it.
  void Presenter();
  void GeometrieChangee();
  void DrapeauxChanges();
  // A display step has been shown (headless renders keep a frame of it).
  void EtapeAffichee();
  // Quitter has run to its end: the program ends.
  void Terminer();

 private:
  // Interpreter parts, one per family of lines.
  void ChargerImage(const Texte& ligne);
  void ChargerInstruction(const Texte& ligne);
  bool AppliquerInstruction(int code, const Texte& ligne);  // false: stop without chaining
  bool InstructionAudio(int code, const Texte& ligne);
  bool InstructionFenetre(int code, const Texte& ligne);
  bool InstructionDiapo(int code, const Texte& ligne);
  void ChargerTexte(const Texte& ligne);
  void ChargerSousListe(const Texte& ligne);
  void ChargerRessource(const Texte& ligne);
  void ChargerAbsent(const Texte& ligne);
  // The walk of Suivant past its guards: a missing file passed by goes on.
  void Avancer(Emetteur emetteur);
  void SignalerIncomprehensible();
  void Queue();
  int Nombre(const Texte& ligne, int parDefaut) const;
  Couleur CouleurValeur(const Texte& ligne, Couleur actuelle) const;
  void AfficherPanneau();
  void FermerMp3();
  bool OuvrirMedia(const Texte& ligne, int genre);
  bool AppliquerPiste(const Texte& ligne);
  int PasDeFondu(int depart) const;
  // A list, script or flag file read from disk; what cannot be read or
  // converted is said.
  std::optional<Liste> LireLignes(const Texte& fichier);
  void DescenteAmortie(int plancher, int numerateur, int denominateur, int pauseMs);
  Texte LigneDrapeau(const Texte& nom) const;
  void Sauter(int index);
  bool IntroductionChargee() const;
  void ArreterLecture();  // the advance and the music stopped
  void RendreLesVolumesEtTerminer();
  std::optional<Texte> ChoisirListe(const Texte& dossier, const Texte& nom);

  // Display helpers.
  bool Devoiler(Pinceau& pinceau, int transition);
  int IncrementMorphe(int code, int b, QSize p, Place origine) const;
  ContexteDisposition Contexte() const;
  void CalculerDiapo();
  void AjusterPBox();
  void AppliquerBornes();
  void MasquerTitre();
  void DessinerPhoto();

  bool Coche(int option) const;
  // The options' tempo in ms, `parDefaut` when its text is not a number.
  int TempoOptions(int parDefaut) const;
  Couleur CouleurOptions() const;

  ServicesVue services_;
  TFOptions* options_ = nullptr;
  // Every line interpreted inside one operation (a tick, a command) counts
  // towards one bound, whichever path it went on by: chained instructions,
  // skipped absent media, jumps, restarts, sequences and scripts.
  bool ChaineEpuisee();
  int profondeurChaine_ = 0;
  int lignesChainees_ = 0;
  bool chaineCoupee_ = false;  // the chain stopped at its bound
  bool titreEnCours_ = false;
};

}  // namespace plivor
