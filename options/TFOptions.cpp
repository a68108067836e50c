#include "options/TFOptions.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "core/Langue.h"
#include "platform/Ecran.h"
#include "projection/PreparationImage.h"
#include "projection/TFVue.h"

namespace plivor {

const QStringList& FacteursVitesse() {
  static const QStringList facteurs = {"100", "120", "150", "166", "200", "233", "266",
                                       "300", "350", "400", "450", "500", "533", "566",
                                       "600", "700", "800", "1000", "1200", "1600", "2000"};
  return facteurs;
}

const QStringList& TFOptions::LibellesOptions() {
  static const QStringList libelles = {
      QStringLiteral("Masquer le bureau"),         QStringLiteral("Annuler l'écran de veille"),
      QStringLiteral("Afficher les icônes"),       QStringLiteral("Maintenir le menu"),
      QStringLiteral("Sauts amortis"),             QStringLiteral("Masquer les conseils"),
      QStringLiteral("Sans marges"),               QStringLiteral("Style Windows"),
      QStringLiteral("Ignorer les absents"),       QStringLiteral("Ignorer les fichiers audio"),
      QStringLiteral("Ignorer le morphing"),       QStringLiteral("Projection sans surveillance")};
  return libelles;
}

Texte NormaliserCheminProgramme(const Texte& chemin, StyleChemins style) {
  if (style != StyleChemins::Windows || chemin.empty()) return chemin;
  Texte resultat = chemin.substr(0, 1) + Minuscules(std::string_view(chemin).substr(1));
  for (size_t i = 1; i < resultat.size(); ++i)
    if (resultat[i - 1] == '\\') resultat[i] = MajusculeCp(resultat[i]);
  return resultat;
}

namespace {

Texte VersTexte(const QString& texte) { return VersCp1252(texte.toStdString()).value_or(Texte{}); }

QString SansBarreFinale(QString dossier) {
  while (dossier.size() > 1 && (dossier.endsWith(QLatin1Char('/')) || dossier.endsWith(QLatin1Char('\\'))))
    dossier.chop(1);
  return dossier;
}

int EntierOu(const QString& texte, int parDefaut) {
  bool ok = false;
  const int n = texte.trimmed().toInt(&ok);
  return ok ? n : parDefaut;
}

}  // namespace

TFOptions::TFOptions(TFVue& vue, Registre& registre, QObject* parent)
    : QObject(parent), vue_(vue), registre_(registre) {
  vue_.ConnecterOptions(this);
  FormCreate();
}

void TFOptions::FormCreate() {
  tr_version = QCoreApplication::applicationName();
  const qsizetype v = tr_version.indexOf(QStringLiteral("v-"));
  oAtr_Version = QStringLiteral("Version ") + (v < 0 ? QString() : tr_version.mid(v + 2, 12));
  opt_Page = 0;
  LireOptions();
}

void TFOptions::LireOptions() {
  const StyleChemins style = vue_.Services().fichiers.Style();
  vue_.CheminProgramme = NormaliserCheminProgramme(vue_.CheminProgramme, style);
  if (registre_.CleExiste()) {
    const ValeursRegistre v = registre_.Lire();
    opt_ListeIntro = v.listeIntro;
    opt_chemin = SansBarreFinale(v.cheminInitial);
    opt_tempo = v.tempo;
    // A colour that cannot be read leaves the default in place.
    if (const auto couleur = LireCouleur(VersTexte(v.couleurFond))) opt_couleurFond = *couleur;
    opt_Vitesse = static_cast<int>(FacteursVitesse().indexOf(v.facteurVitesse));
    opt_ecran = v.ecranProjection;
    for (int i = 0; i < kNombreOptions; ++i)
      if (v.options[i]) options[i] = *v.options[i];
  } else {
    opt_Vitesse = static_cast<int>(FacteursVitesse().indexOf(QStringLiteral("400")));
  }
  if (!opt_chemin.isEmpty() && !VersCp1252(opt_chemin.toStdString())) {
    // Lines cannot name that folder: the program's folder stands in, and
    // the user knows why.
    vue_.Services().dialogues.Information(QStringLiteral("Dossier initial \"") + opt_chemin +
                                          QStringLiteral("\" : nom de dossier non représentable, "
                                                         "le dossier du programme le remplace."));
    opt_chemin.clear();
  }
  if (opt_chemin.isEmpty()) opt_chemin = TexteEcran(DossierDe(vue_.CheminProgramme, style));
  AppliquerListeIntro();
  vue_.Services().ecran.Choisir(opt_ecran);
  // The stored options act from the start, not only once toggled; the
  // command line may have asked for a show without supervision already.
  vue_.SansSurveillance = vue_.SansSurveillance || options[11];
  vue_.IgnorerAbsents = options[8] || vue_.SansSurveillance;
  vue_.IgnorerAudio = options[9];
  vue_.CouleurFenetre = opt_couleurFond;
  vue_.VitesseTransitions = VitesseChoisie();
  vue_.CouleurDiapo = vue_.CouleurPinceau;
  emit ControlesChanges();
}

void TFOptions::AppliquerListeIntro() {
  const Texte dossier = SansBarre(VersTexte(opt_chemin));
  vue_.CheminListe = Joindre(dossier, VersTexte(opt_ListeIntro), vue_.Services().fichiers.Style());
}

int TFOptions::VitesseChoisie() const {
  if (opt_Vitesse < 0 || opt_Vitesse >= FacteursVitesse().size()) return 400;
  return EntierOu(FacteursVitesse()[opt_Vitesse], 400);
}

void TFOptions::OptionsSauver() {
  ValeursRegistre v;
  v.listeIntro = opt_ListeIntro;
  v.cheminInitial = SansBarreFinale(opt_chemin);
  v.tempo = opt_tempo;
  v.couleurFond = TexteEcran(TexteCouleur(opt_couleurFond));
  v.facteurVitesse = opt_Vitesse >= 0 && opt_Vitesse < FacteursVitesse().size()
                         ? FacteursVitesse()[opt_Vitesse]
                         : QStringLiteral("400");
  v.ecranProjection = opt_ecran;
  for (int i = 0; i < kNombreOptions; ++i) v.options[i] = options[i];
  registre_.Ecrire(v);
  FermerOptions();
}

void TFOptions::ChoisirIntro() {
  const bool enPause = vue_.AvanceAuto;
  if (enPause) vue_.PauseClick(Emetteur::Options);
  const auto choix = vue_.Services().dialogues.FichierAOuvrir(
      QStringLiteral("Charger une liste"), opt_chemin,
      QStringLiteral("Listes Plivor (*.pvl)|*.pvl|Listes au format Texte (*.txt)|*.txt"));
  if (choix) {
    const QFileInfo fichier(*choix);
    opt_ListeIntro = fichier.fileName();
    opt_chemin = SansBarreFinale(fichier.absolutePath());
    emit ControlesChanges();
  }
  if (enPause && vue_.EtatPause > 0) vue_.PauseClick(Emetteur::Options);
}

void TFOptions::ChoisirTempo() { vue_.Timer1.setInterval(std::max(0, EntierOu(opt_tempo, 2000))); }

void TFOptions::ChoisirCouleur() {
  const auto choix = vue_.Services().dialogues.CouleurAChoisir(VersQColor(opt_couleurFond));
  if (!choix) return;
  opt_couleurFond = DepuisQColor(*choix);
  vue_.CouleurFenetre = opt_couleurFond;
  emit ControlesChanges();
}

void TFOptions::ChoisirVitesse(int index) {
  opt_Vitesse = index;
  vue_.VitesseTransitions = VitesseChoisie();
  opt_Vitesse = static_cast<int>(FacteursVitesse().indexOf(QString::number(vue_.VitesseTransitions)));
  emit ControlesChanges();
}

int TFOptions::EcranChoisi() const {
  const Ecran& ecran = vue_.Services().ecran;
  return IndexEcran(ecran.Ecrans(), ecran.NomChoisi());
}

void TFOptions::ChoisirEcran(int index) {
  const Ecran& ecran = vue_.Services().ecran;
  const std::vector<EcranDecrit> ecrans = ecran.Ecrans();
  if (index < 0 || index >= static_cast<int>(ecrans.size())) return;
  // The primary screen is kept by name too: another may become primary.
  opt_ecran = ecrans[index].nom;
  const QSize avant = ecran.Taille();
  ecran.Choisir(opt_ecran);
  // Full screen is laid out again for the new screen's size.
  if (!vue_.FenetreSeule && vue_.Fenetre == QRect(QPoint(0, 0), avant) && ecran.Taille() != avant) {
    vue_.Fenetre = QRect(QPoint(0, 0), ecran.Taille());
    vue_.Rafraichir(Emetteur::Options);
  }
  emit ControlesChanges();
}

void TFOptions::Coches(int item, bool coche) {
  if (item < 0 || item >= kNombreOptions) return;
  options[item] = coche;
  switch (item) {
    case 0: if (coche == vue_.FenetreSeule) vue_.BureauVM(); break;
    case 2: if (coche != vue_.Services().voisins.PanneauVisible()) vue_.VoirIcones(); break;
    case 5: if (coche != vue_.MasquerBullesCoche) vue_.Bulles(Emetteur::Options); break;
    case 6: if (coche) vue_.MargeFenetre = 0; break;
    case 7: if (coche != vue_.FenetreWindowsCoche) vue_.WFenetre(Emetteur::Options); break;
    // A show left alone passes a missing file by, as "Ignorer les absents".
    case 8: vue_.IgnorerAbsents = coche || options[11]; break;
    case 11:
      vue_.SansSurveillance = coche;
      vue_.IgnorerAbsents = coche || options[8];
      break;
    case 9:
      vue_.IgnorerAudio = coche;
      if (coche) {
        vue_.AudioAM(Emetteur::bt_AudioArret);
        vue_.FermerAudio();
      }
      break;
    default: break;
  }
  emit ControlesChanges();
}

void TFOptions::Montrer(bool visible) {
  Visible = visible;
  emit VisibiliteChangee(visible);
}

// The close button, the window's own close and saving all hide the window
// the way the projection's options command does: the show goes on.
void TFOptions::FermerOptions() {
  if (Visible) BasculerOptions();
}

void TFOptions::BasculerOptions() {
  if (!Visible) {
    if (vue_.EtatPause <= 0) vue_.PauseClick(Emetteur::Options);
    Montrer(true);
    IndiceOptions = QStringLiteral("Fermer le panneau Option (i)");
    opt_Vitesse = static_cast<int>(FacteursVitesse().indexOf(QString::number(vue_.VitesseTransitions)));
    emit ControlesChanges();
    return;
  }
  // The projected list keeps its own path: the introduction list applies
  // only at start.
  Montrer(false);
  IndiceOptions = QStringLiteral("Options et Installation (i)");
  vue_.Services().fichiers.ChangerDossier(vue_.DossierProjection);
  vue_.PauseClick(Emetteur::Options);
  emit ControlesChanges();
}

void TFOptions::AppelAide(Emetteur bouton) { vue_.AppelAide(bouton); }

void TFOptions::opt_langueChange(int index) {
  const int n = static_cast<int>(std::size(kChoixLangues));
  const Texte entree = index >= 0 && index < n ? kChoixLangues[index] : "";
  auto& services = vue_.Services();
  const ResultatLangue resultat =
      ChoisirLangue(entree, vue_.DossierFichiersProgramme, services.fichiers, services.dialogues, vue_.Langue);
  // A choice that failed leaves the language in force, and the box shows it.
  if (resultat != ResultatLangue::Introuvable && resultat != ResultatLangue::Echec) opt_langue = index;
  emit ControlesChanges();
}

}  // namespace plivor
