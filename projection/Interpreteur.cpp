// The line interpreter: one line of the sequence given its effect.

#include <QPainter>
#include <QSet>
#include <algorithm>

#include "codecs/Images.h"
#include "core/Adresses.h"
#include "core/FichiersListe.h"
#include "core/Resolution.h"
#include "core/Vocabulaire.h"
#include "projection/PreparationImage.h"
#include "projection/TFVue.h"

namespace plivor {

namespace {

const Texte kMessageIncomprehensible =
    Cp("Contenu de la liste incompréhensible!!\r\rVérifiez le contenu de votre liste\r    "
       "dans la fenêtre de Montage !!");
const Texte kMessageAbsent = Cp(" : Médias ou dossier absents!!");
const Texte kSuiteAbsent = Cp("\r\rVérifiez le contenu de votre liste\r    dans la fenêtre de Montage !!");
const Texte kListeVide = "La liste est vide !!";
constexpr int kChaineMaximale = 1000;

bool CommencePar(const Texte& texte, const Texte& debut) {
  return texte.size() >= debut.size() && std::equal(debut.begin(), debut.end(), texte.begin());
}

}  // namespace

int TFVue::Nombre(const Texte& ligne, int parDefaut) const {
  const auto n = LireEntier(Valeur(ligne));
  if (!n) return parDefaut;
  return static_cast<int>(std::clamp<long long>(*n, -1'000'000'000, 1'000'000'000));
}

// A value that is neither a colour name nor a number is the line's fault:
// said, and the colour in force is kept.
Couleur TFVue::CouleurValeur(const Texte& ligne, Couleur actuelle) const {
  const Texte valeur = Valeur(ligne);
  if (const auto couleur = LireCouleur(valeur)) return *couleur;
  services_.dialogues.Message("\"" + valeur + Cp("\" n'est pas une couleur correcte"));
  return actuelle;
}

std::optional<Liste> TFVue::LireLignes(const Texte& fichier) {
  auto lue = LireListe(fichier, services_.fichiers);
  if (!lue) {
    services_.dialogues.Message(fichier + Cp(" : lecture impossible"));
    return std::nullopt;
  }
  if (!lue->lignesIntraduisibles.empty())
    services_.dialogues.Message(fichier + " : " + std::to_string(lue->lignesIntraduisibles.size()) +
                                Cp(" ligne(s) avec des caractères hors Windows-1252, remplacés par \"?\"."));
  if (const Texte avis = AvisLecture(*lue); !avis.empty()) services_.dialogues.Message(fichier + " : " + avis);
  for (int i : lue->LignesAlterees()) LignesAlterees.push_back(lue->lignes[static_cast<size_t>(i)]);
  return std::move(lue->lignes);
}

void TFVue::AfficherPanneau() {
  if (!services_.voisins.PanneauVisible()) VoirIcones();
}

bool TFVue::ChaineEpuisee() {
  if (profondeurChaine_ == 0) return false;
  // A chain that has gone round the whole list (a list of instructions
  // alone would recurse for ever) or as deep as the stack allows stops; its
  // last line stays pending for the next advance.
  const int limite = std::min(kChaineMaximale, static_cast<int>(Medias.size()) + 1);
  if (lignesChainees_ > limite) chaineCoupee_ = true;
  return chaineCoupee_;
}

void TFVue::Charger(const Texte& ligne) {
  if (profondeurChaine_ == 0) {
    chaineCoupee_ = false;
    lignesChainees_ = 0;
  }
  ++profondeurChaine_;
  ++lignesChainees_;
  CodeInstruction = 0;
  TypeLigne = ClasserLigne(ligne, services_.fichiers);
  if (EstImage(TypeLigne)) {
    ChargerImage(ligne);
  } else if (EstSon(TypeLigne)) {
    if (!Muet && !IgnorerAudio) OuvrirSon(ligne, TypeLigne);
  } else switch (TypeLigne) {
    case Genre::Inconnu: SignalerIncomprehensible(); break;
    case Genre::Instruction: ChargerInstruction(ligne); break;
    case Genre::SousListe: ChargerSousListe(ligne); break;
    case Genre::InstructionTexte: ChargerTexte(ligne); break;
    case Genre::Script: ExecuterScript(ligne); break;
    case Genre::Ressource: ChargerRessource(ligne); break;
    case Genre::Absent: ChargerAbsent(ligne); break;
    default: Queue(); break;
  }
  --profondeurChaine_;
}

void TFVue::SignalerIncomprehensible() {
  Timer1.stop();
  services_.dialogues.Message(kMessageIncomprehensible);
  AfficherPanneau();
  EditerListe(Emetteur::Interpreteur);
}

void TFVue::ChargerImage(const Texte& ligne) {
  CalculerDiapo();
  const QString chemin = QString::fromStdString(services_.fichiers.CheminHote(ligne).string());
  int diviseur = 1;
  if (!ListePropre && !ImageDecoupee) {
    const int rs = CodeDiapo / 10;
    diviseur = rs == 42 ? 2 : rs == 44 ? 4 : 1;
  }
  // A large photograph is decoded at the largest reduction that still
  // covers its place on the slide: the fit that follows gives the same
  // picture for a fraction of the work. Cut-out pictures keep their natural
  // pixels.
  const bool reduite = diviseur == 1 && !ImageDecoupee;
  // The decode covers the slide's pixels where they outnumber its window
  // pixels, in which the fit is made.
  const QSize diapo = Echelle > 1 ? EnPixels(QSize(LargeurDiapo, HauteurDiapo)) : QSize(LargeurDiapo, HauteurDiapo);
  const auto couvrante = [&diapo](QSize naturelle) {
    const auto ajustee = [&diapo](QSize i) {
      const Taille t = TailleImageAjustee({i.width(), i.height()}, {diapo.width(), diapo.height()});
      return QSize(t.l, t.h);
    };
    if (diapo.width() <= 0 || diapo.height() <= 0) return 1;
    // A quarter more pixels each way than it is shown with, so that the
    // fit still averages what the reduction left: a photo standing on a
    // wide slide is shown narrow and is reduced for that width.
    const QSize montree = ajustee(naturelle);
    for (const int k : {8, 4, 2}) {
      const QSize reduite = TailleReduite(naturelle, k);
      if (4 * reduite.width() >= 5 * montree.width() && 4 * reduite.height() >= 5 * montree.height() &&
          ajustee(reduite) == montree)
        return k;
    }
    return 1;
  };
  BesoinImage besoin;
  besoin.diviseur = diviseur;
  if (reduite) besoin.choisir = couvrante;
  besoin.pixelsPermis = ImageDecoupee ? kPixelsMaximum : PixelsPourDiapo(diapo);
  ImageDecodee decodee = DecoderImage(chemin, besoin);
  if (!decodee.Valide()) {
    // The decoder's own words, which name the file; the line is abandoned.
    const QString nom = TexteEcran(NomDeFichier(ligne));
    services_.dialogues.Information(decodee.erreur.contains(nom) ? decodee.erreur
                                                                 : TexteEcran(ligne) + QStringLiteral(" : ") + decodee.erreur);
    return;
  }
  // A damaged picture is shown as far as it could be read, and said once.
  static QSet<QString> signalees;
  if (!decodee.avertissement.isEmpty() && !signalees.contains(chemin)) {
    signalees.insert(chemin);
    services_.dialogues.Information(decodee.avertissement);
  }
  if (!ListePropre) services_.voisins.TailleImage(decodee.naturelle.width(), decodee.naturelle.height());
  ReglagesDiapo reglages;
  reglages.diapo = {LargeurDiapo, HauteurDiapo};
  const QSize pbox = RectPBox().size();
  reglages.pbox = {pbox.width(), pbox.height()};
  reglages.echelle = Echelle;
  reglages.decoupee = ImageDecoupee;
  reglages.opaque = ImageOpaque;
  reglages.sansFond = SansFond;
  reglages.couleurDiapo = CouleurDiapo;
  ContexteDisposition contexte = Contexte();
  const ImagePreparee preparee = PreparerImage(std::move(decodee.image), reglages, [&contexte, this](Taille diapo) {
    contexte.diapo = diapo;
    return PositionCode(CodeDiapo, contexte);
  });
  Photo = preparee.photo;
  LargeurDiapo = preparee.diapo.l;
  HauteurDiapo = preparee.diapo.h;
  if (!ImageOpaque) CouleurTransparente = preparee.couleurTransparente;
  Queue();
}

void TFVue::ChargerInstruction(const Texte& ligne) {
  CodeInstruction = CodeCombine(ligne, TablesEnCours());
  if (!AppliquerInstruction(CodeInstruction, ligne)) return;
  if (ExecutionMuette || Manuel || ScriptEnCours) return;
  Queue();
}

void TFVue::ChargerTexte(const Texte& ligne) {
  CodeInstruction = CodeCombine(ligne, TablesEnCours());
  if (CodeInstruction == 7500) {
    Titrer(Valeur(ligne));
    QImage masque(EnPixels(QSize(std::max(LargeurDiapo, 1), std::max(HauteurDiapo, 1))), QImage::Format_RGB32);
    masque.fill(VersQColor(CouleurDiapo));
    Photo = masque;
    MasquerTitre();
  } else if (CodeInstruction == 7700) {
    Titrer(Valeur(ligne));
  }
  if (!ExecutionMuette) Queue();
}

namespace {
// Sub-lists expanded within one advance: a list that names itself with a
// jump would otherwise expand itself without end before anything shows.
int gSousListesEnCours = 0;
constexpr int kSousListesParAvance = 8;
}  // namespace

void TFVue::ChargerSousListe(const Texte& ligne) {
  if (SuiviListe) return;
  if (gSousListesEnCours >= kSousListesParAvance) return;
  struct Niveau {
    Niveau() { ++gSousListesEnCours; }
    ~Niveau() { --gSousListesEnCours; }
  } niveau;
  const auto lue = LireLignes(ligne);
  if (!lue) return;
  ListeTemporaire = *lue;
  // Its lines resolve from the projected list's folder, or beside it.
  const StyleChemins style = services_.fichiers.Style();
  const Texte dossier = SansBarre(DossierDe(CheminComplet(ligne, services_.fichiers.DossierCourant(), style), style));
  for (Texte& l : ListeTemporaire) l = LigneProjetee(l, services_.fichiers.DossierCourant(), dossier, services_.fichiers);
  Texte nom = NomDeFichier(ligne);
  nom = nom.substr(0, nom.size() >= 4 ? nom.size() - 4 : 0);
  const Texte drapeau = NomMotCle(11, TablesEnCours()) + "=" + nom + ".pvd";
  // The sub-list's line becomes its flag, its lines follow. A line given
  // alone (a preview) has no place in the list: the flag starts it.
  const int index = std::clamp(IndexCourant, 0, std::max(0, static_cast<int>(Medias.size()) - 1));
  if (Medias.empty())
    Medias.push_back(drapeau);
  else
    Medias[static_cast<size_t>(index)] = drapeau;
  int position = index + 1;
  for (const Texte& l : ListeTemporaire) {
    if (l.size() < 5) continue;
    Medias.insert(Medias.begin() + position++, l);
  }
  ListeTemporaire.clear();
  if (Medias.size() > 1) {
    CreerPopDrapeaux();
    // The line is now a flag, and a flag is no stop: the sub-list's first
    // line comes at this very advance, as in the deployed list.
    TypeLigne = Genre::Drapeau;
    Queue();
  } else {
    Medias.clear();
    services_.dialogues.Message(kListeVide);
  }
}

void TFVue::ChargerRessource(const Texte& ligne) {
  CodeInstruction = CodeCombine(ligne, TablesEnCours());
  const Texte fichier = Valeur(ligne);
  switch (CodeInstruction) {
    case 600: {
      if (MenuImageCharge) return;
      const QImage image(QString::fromStdString(services_.fichiers.CheminHote(fichier).string()));
      if (image.isNull()) {
        services_.dialogues.Message(fichier + Cp(" : image illisible"));
        return;
      }
      services_.voisins.ImageMenu(image);
      MenuImageCharge = true;
      if (ApercuMontage) {
        QPainter peintre(&PBox);
        const QRect place(40, (RectPBox().height() - image.height()) / 2, image.width(), image.height());
        peintre.drawImage(EnPixels(place), image);
        emit Presenter();
      }
      return;
    }
    case 700: {
      if (MenuDrapeauxCharge) return;
      const auto lue = LireLignes(fichier);
      if (!lue) return;
      ListeTemporaire = *lue;
      MenuDrapeauxCharge = true;
      for (const Texte& entree : ListeTemporaire) CreerItem(entree);
      ListeTemporaire.clear();
      return;
    }
    case 1500:
      PauseClick(Emetteur::Clic);
      NomDialogueOuvrir = fichier;
      ChargerListe(Emetteur::bt_Pause);
      return;
    case 8100:
      PauseClick(Emetteur::Clic);
      TailleObjet = TailleDe(CodeObjet);
      OuvrirObjet(fichier);
      break;
    default: break;
  }
  if (!ExecutionMuette) Queue();
}

void TFVue::ChargerAbsent(const Texte& ligne) {
  const Texte dossier = ListePropre ? DossierProjection : services_.voisins.DossierMontage();
  const Texte reecrite = AdresseJointe(ligne, dossier, services_.fichiers);
  const bool ressource = reecrite.find(".pvr") != Texte::npos;
  const Texte fichier = ressource ? Valeur(reecrite) : reecrite;
  if (reecrite != ligne && services_.fichiers.FichierExiste(fichier)) {
    Charger(reecrite);
    return;
  }
  // Shown relative to the list's folder when it lies inside it.
  const Texte prefixe = SansBarre(dossier) + Separateur(services_.fichiers.Style());
  Texte nom = !dossier.empty() && CommencePar(reecrite, prefixe) ? reecrite.substr(prefixe.size()) : reecrite;
  nom = nom.substr(0, 255);
  if (IgnorerAbsents || (PasserAbsent && PasserAbsent(nom))) {
    if (SuiviListe || TestMontage) services_.voisins.SuivreLigne(IndexCourant);
    if (!ChaineEpuisee()) Avancer(Emetteur::Interpreteur);
    return;
  }
  Timer1.stop();
  services_.dialogues.Message(nom + kMessageAbsent + kSuiteAbsent);
  AfficherPanneau();
  if (AvanceAuto) AvanceAM(Emetteur::Interpreteur);
  EditerListe(Emetteur::Interpreteur);
}

void TFVue::OuvrirObjet(const Texte& fichier) {
  const QString chemin = QString::fromStdString(services_.fichiers.CheminHote(fichier).string());
  const Bureau::Remise remise = services_.bureau.RemettreObjet(chemin);
  if (!remise.refuse) {
    if (!remise.ouvert) services_.dialogues.Message(fichier + Cp(" : ouverture impossible"));
    return;
  }
  // Not a document: said once, and the show held for the object goes on.
  if (!remise.message.isEmpty()) services_.dialogues.Information(remise.message);
  PauseClick(Emetteur::Clic);
}

void TFVue::Queue() {
  if (SuiviListe || TestMontage) services_.voisins.SuivreLigne(IndexCourant);
  // Each chained line nests one level deeper, within the chain's bound.
  if (ChaineEpuisee()) return;
  if (TypeLigne == Genre::Instruction || TypeLigne == Genre::Ressource || TypeLigne == Genre::Drapeau)
    Suivant(Emetteur::Interpreteur);
}

}  // namespace plivor
