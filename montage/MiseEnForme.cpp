#include "montage/MiseEnForme.h"

#include <QFontMetrics>
#include <QPainter>

#include "core/Chemins.h"
#include "core/Vocabulaire.h"
#include "montage/Constructeur.h"
#include "montage/Montage.h"
#include "platform/Dialogues.h"
#include "platform/Polices.h"
#include "projection/Disposition.h"

namespace plivor {

namespace {

// The button face of the panel, standing for the desktop and the window.
constexpr Couleur kFaceBouton = RGB(212, 208, 200);

// Value codes of the size and position items, in the lists' order.
constexpr int kCodesDimension[] = {30, 31, 32, 33, 34, 35, 36, 37, 38, 50};
constexpr int kCodesPosition[] = {40, 41, 42, 43, 44, 45, 46, 47, 48, 50};

QColor Couleur24(Couleur c) {
  if (c >= kCouleurSysteme) return QColor(192, 192, 192);
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace

MiseEnForme::MiseEnForme(Montage& montage, Constructeur& constructeur)
    : montage_(montage), constructeur_(constructeur) {}

const QStringList& MiseEnForme::Dimensions() {
  static const QStringList l = {QStringLiteral("100%"), QStringLiteral("80%"), QStringLiteral("50%"),
                                QStringLiteral("40%"), QStringLiteral("25%"), QStringLiteral("20%"),
                                QStringLiteral("Adapter à la Carte"), QStringLiteral("Adapter à la Fenetre"),
                                QStringLiteral("Adapter au Bureau"), QStringLiteral("Personnaliser")};
  return l;
}

const QStringList& MiseEnForme::Positions() {
  static const QStringList l = {QStringLiteral("Centrer"), QStringLiteral("Centrer en haut"),
                                QStringLiteral("Centrer en bas"), QStringLiteral("à Gauche"),
                                QStringLiteral("en haut à Gauche"), QStringLiteral("en bas à Gauche"),
                                QStringLiteral("à Droite"), QStringLiteral("en haut à Droite"),
                                QStringLiteral("en bas à Droite"), QStringLiteral("Personnaliser")};
  return l;
}

const QStringList& MiseEnForme::Tailles() {
  static const QStringList l = {QStringLiteral("12"),  QStringLiteral("18"),  QStringLiteral("24"),
                                QStringLiteral("32"),  QStringLiteral("36"),  QStringLiteral("42"),
                                QStringLiteral("50"),  QStringLiteral("64"),  QStringLiteral("76"),
                                QStringLiteral("84"),  QStringLiteral("100"), QStringLiteral("128"),
                                QStringLiteral("144"), QStringLiteral("180"), QStringLiteral("240"),
                                QStringLiteral("320"), QStringLiteral("480"), QStringLiteral("560"),
                                QString()};
  return l;
}

const QStringList& MiseEnForme::Styles() {
  static const QStringList l = {QStringLiteral("normal"), QStringLiteral("gras"), QStringLiteral("italique"),
                                QStringLiteral("souligné")};
  return l;
}

Texte MiseEnForme::Mot(int motCle) const { return NomMotCle(motCle, montage_.Vue().TablesEnCours()); }

Texte MiseEnForme::MotValeur(int motCle, int codeValeur) const {
  for (const FicheGrammaire& f : EntreesGrammaire(motCle))
    if (f.CodeValeur() == codeValeur) return NomValeur(f.IdentifiantValeur(), montage_.Vue().TablesEnCours());
  return Texte();
}

std::optional<Texte> MiseEnForme::Cp1252(const QString& texte) {
  const auto t = VersCp1252(texte.toStdString());
  if (!t) montage_.Vue().Services().dialogues.Information(texte + QStringLiteral(" : texte non représentable"));
  return t;
}

QString MiseEnForme::BulleTitre() const {
  return code_ == 7200 ? QStringLiteral("Aperçu de la fonte") : QStringLiteral("Cliquer pour changer la couleur");
}

// ---- Opening and closing.

bool MiseEnForme::Ouvrir(int code) {
  TFVue& vue = montage_.Vue();
  modePolice_ = constructeur_.CmdNom == Mot(72);
  contexteAide_ = 2802;
  switch (code) {
    case 3030:
      chose_ = 3;
      type_ = Mot(30);
      conteneur_ = Cp("dans le bureau");
      couleurCadre_ = kFaceBouton;
      couleurBloc_ = vue.CouleurCarton;
      break;
    case 4030:
      chose_ = 4;
      type_ = Mot(40);
      conteneur_ = " / " + Mot(30);
      couleurCadre_ = vue.CouleurCarton;
      couleurBloc_ = vue.CouleurDiapo;
      break;
    case 7030:
    case 7200:
      chose_ = 7;
      type_ = Mot(70);
      conteneur_ = " / " + Mot(40);
      couleurCadre_ = vue.CouleurDiapo;
      if (code == 7200) contexteAide_ = 2902;
      break;
    case 8030:
      chose_ = 8;
      type_ = Mot(80);
      conteneur_ = " / " + Mot(30);
      couleurCadre_ = vue.CouleurCarton;
      couleurBloc_ = kFaceBouton;
      break;
    default:
      vue.Services().dialogues.Message(Cp("Erreur d'affectation conteneur-Objet"));
      Annuler();
      return false;
  }
  code_ = code;
  visible_ = true;
  fichier_.reset();
  const int lc = montage_.LigneCourante;
  ligneFormat_ = lc >= 0 && lc < montage_.Compte() ? montage_.Lignes()[static_cast<size_t>(lc)] : Texte();
  vue.FichierAide = Joindre(vue.DossierFichiersProgramme, "Plivor-S.hlp",
                            montage_.Fichiers().Style());
  if (chose_ == 7) {
    // The font boxes take the title font as written: a face missing here
    // and a size outside the list (the box takes any) are kept, so that
    // a line opened and validated comes back as it was.
    const Texte& fonte = vue.FonteTitre;
    const std::size_t plus = fonte.find('+');
    const QString nom = TexteEcran(fonte.substr(0, plus));
    nomPolice_ = !nom.isEmpty() || nomsPolices_.isEmpty() ? nom : nomsPolices_.front();
    const char lettre = plus != Texte::npos && plus + 1 < fonte.size() ? fonte[plus + 1] : 'N';
    const std::size_t rang = Texte("NBIS").find(lettre);
    stylePolice_ = rang == Texte::npos ? 0 : static_cast<int>(rang);
    taillePolice_ = QString::number(PoliceTaille(fonte));
  }
  // A size chosen for another thing that this one cannot take.
  if (!DimensionPossible(dimension_)) {
    dimension_ = 0;
    bloc_.setSize(QSize(kLargeurCadre, kHauteurCadre));
  }
  Placer();
  emit Change();
  return true;
}

void MiseEnForme::Fermer() {
  if (!visible_) return;
  visible_ = false;
  emit Change();
}

// ---- Choices.

void MiseEnForme::Placer() {
  ContexteDisposition c;
  if (chose_ == 7) {
    const QFontMetrics m(PoliceApercu());
    const QSize s(m.horizontalAdvance(QStringLiteral("Titre")), m.height());
    c.apercuTitre = {s.width(), s.height()};
    if (position_ != 9) {
      const Place p = PositionCode(200 + position_, c);
      titre_ = QRect(QPoint(p.x, p.y), s);
    } else {
      titre_.setSize(s);
    }
    return;
  }
  if (position_ == 9) return;  // a custom place: the block stays
  if (bloc_.width() < kLargeurCadre || bloc_.height() < kHauteurCadre) {
    c.apercuObjet = {bloc_.width(), bloc_.height()};
    const Place p = PositionCode(100 + position_, c);
    bloc_.moveTo(p.x, p.y);
  } else {
    bloc_.moveTo(0, 0);
  }
}

bool MiseEnForme::DimensionPossible(int index) const {
  if (index < 0 || index >= Dimensions().size()) return false;
  if (chose_ != 3 && chose_ != 4 && chose_ != 8) return true;
  return !MotValeur(chose_ * 10 + 3, kCodesDimension[index]).empty();
}

void MiseEnForme::ChoisirDimension(int index) {
  if (!DimensionPossible(index)) return;
  dimension_ = index;
  if (chose_ == 7 || index == 9) {
    emit Change();
    return;
  }
  static constexpr int kDixiemes[] = {10, 8, 5, 4, 0, 0};
  int l = kLargeurCadre, h = kHauteurCadre;
  if (index >= 1 && index <= 3) {
    l = kLargeurCadre * kDixiemes[index] / 10;
    h = kHauteurCadre * kDixiemes[index] / 10;
  } else if (index == 4 || index == 5) {
    l = kLargeurCadre / (index == 4 ? 4 : 5);
    h = kHauteurCadre / (index == 4 ? 4 : 5);
  }
  bloc_.setSize(QSize(l, h));
  Placer();
  emit Change();
}

void MiseEnForme::ChoisirPosition(int index) {
  if (index < 0 || index >= Positions().size()) return;
  position_ = index;
  Placer();
  emit Change();
}

Couleur& MiseEnForme::CouleurDeLaChose() {
  TFVue& vue = montage_.Vue();
  return chose_ == 3 ? vue.CouleurFenetre : chose_ == 4 ? vue.CouleurDiapo : vue.CouleurTitre;
}

void MiseEnForme::ChoisirCouleur() {
  if (chose_ == 8 || contexteAide_ != 2802) return;
  Couleur& couleur = CouleurDeLaChose();
  const auto choix = montage_.Vue().Services().dialogues.CouleurAChoisir(Couleur24(couleur));
  if (!choix) return;
  couleur = RGB(choix->red(), choix->green(), choix->blue());
  if (chose_ != 7) couleurBloc_ = couleur;
  emit Change();
}

void MiseEnForme::ChangeFonte(const QString& nom, const QString& taille, int style) {
  nomPolice_ = nom;
  taillePolice_ = taille;
  stylePolice_ = std::clamp(style, 0, 3);
  Placer();
  emit Change();
}

QFont MiseEnForme::PoliceApercu() const {
  bool nombre = false;
  const int taille = taillePolice_.toInt(&nombre);
  return PoliceDeTitre(nomPolice_, stylePolice_, (nombre ? taille : 64) / 5);
}

void MiseEnForme::ChoisirFichier() {
  std::optional<Texte> choix;
  if (constructeur_.ChoisirObjet) {
    choix = constructeur_.ChoisirObjet(true, false);
  } else {
    const auto f = montage_.Vue().Services().dialogues.FichierAOuvrir(
        QStringLiteral("Choisir un objet"), TexteEcran(montage_.DossierListe),
        QStringLiteral("Fichiers (*.pvl *.rtf *.avi *.swf)|*.pvl;*.rtf;*.avi;*.swf|Tous (*.*)|*.*"));
    if (f) choix = Cp1252(*f);
  }
  if (!choix) return;
  fichier_ = *choix;
  emit Change();
}

QString MiseEnForme::TexteFichier() const {
  return fichier_ ? TexteEcran(*fichier_) : QStringLiteral("Clic sur la boîte  pour sélectionner");
}

// ---- The miniature.

QImage MiseEnForme::Miniature() const {
  QImage image(kLargeurCadre, kHauteurCadre, QImage::Format_RGB32);
  image.fill(Couleur24(couleurCadre_));
  QPainter p(&image);
  p.setPen(QColor(64, 64, 64));
  p.drawRect(0, 0, kLargeurCadre - 1, kHauteurCadre - 1);
  if (BlocVisible()) {
    p.fillRect(bloc_, Couleur24(couleurBloc_));
    p.setPen(QColor(0, 0, 0));
    p.drawRect(bloc_.adjusted(0, 0, -1, -1));
  } else {
    p.setFont(PoliceApercu());
    p.setPen(Couleur24(montage_.Vue().CouleurTitre));
    p.drawText(titre_, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Titre"));
  }
  return image;
}

// ---- Ending.

std::optional<Texte> MiseEnForme::LignePolice() {
  const auto nom = Cp1252(nomPolice_);
  if (!nom) return std::nullopt;
  bool nombre = false;
  const int taille = taillePolice_.toInt(&nombre);
  // A size that does not read: the size the reader would take anyway.
  return *nom + "+" + "NBIS"[stylePolice_] + std::to_string(nombre && taille > 0 ? taille : 128);
}

std::optional<Liste> MiseEnForme::LignesDuChoix() {
  Dialogues& boites = montage_.Vue().Services().dialogues;
  Liste lignes;
  const int base = chose_ * 10;  // 30, 40, 70, 80
  if (InclureOptions && chose_ != 8) lignes.push_back(Mot(base + 1) + "=" + TexteCouleur(CouleurDeLaChose()) + ".pvi");
  if (chose_ == 7) {
    const auto police = LignePolice();
    if (!police) return std::nullopt;
    lignes.push_back(Mot(72) + "=" + *police + ".pvi");
  } else {
    // The panel lets no size through that the thing cannot take.
    const Texte mot = MotValeur(base + 3, kCodesDimension[dimension_]);
    if (!mot.empty()) lignes.push_back(Mot(base + 3) + "=" + mot + ".pvi");
  }
  lignes.push_back(Mot(base + 4) + "=" + MotValeur(base + 4, kCodesPosition[position_]) + ".pvi");
  if (!InclureOptions) return lignes;
  switch (chose_) {
    case 3: {
      const Texte cadre = VersCp1252(Cadre.trimmed().toStdString()).value_or(Texte());
      const Texte margeSaisie = VersCp1252(Marge.trimmed().toStdString()).value_or(Texte());
      const Texte marge = LireEntier(margeSaisie) ? margeSaisie : Texte("0");
      // The builder's own checks: a value it would refuse is refused here,
      // said with the box's name and what was typed.
      for (const auto& [motCle, valeur, saisie, boite] :
           {std::tuple{36, cadre, cadre, "Cadre : "}, std::tuple{37, marge, margeSaisie, "Marge : "}})
        if (const auto message = Constructeur::ControleNombre(motCle, valeur)) {
          boites.Message(Texte(boite) + saisie + *message);
          return std::nullopt;
        }
      lignes.push_back(Mot(35) + "=" + MotValeur(35, Bureau == 0 ? 10 : 3) + ".pvi");
      lignes.push_back(Mot(36) + "=" + cadre + ".pvi");
      lignes.push_back(Mot(37) + "=" + marge + ".pvi");
      break;
    }
    case 4:
      lignes.push_back(Mot(40) + "=" + MotValeur(40, Detacher == 0 ? 55 : 56) + ".pvi");
      lignes.push_back(Mot(42) + "=" + MotValeur(42, Opaque == 0 ? 53 : 54) + ".pvi");
      break;
    case 7: {
      const auto texte = Cp1252(TexteTitre);
      if (!texte) return std::nullopt;
      lignes.push_back(Mot(Masque == 1 ? 75 : 77) + "=" + *texte + ".pvv");
      break;
    }
    case 8:
      if (fichier_) lignes.push_back(Mot(81) + "=" + *fichier_ + ".pvr");
      break;
    default:
      break;
  }
  return lignes;
}

bool MiseEnForme::Valider() {
  TFVue& vue = montage_.Vue();
  if (modePolice_) {
    const auto police = LignePolice();
    if (!police) return false;
    vue.FonteTitre = *police;
    constructeur_.ValeurSaisie = *police;
    Fermer();
    return constructeur_.ValiderCmd();
  }
  const int lc = montage_.LigneCourante;
  // The list changed under the panel: its line is no longer there to replace.
  if (lc < 0 || lc >= montage_.Compte() || montage_.Lignes()[static_cast<size_t>(lc)] != ligneFormat_) {
    Fermer();
    return false;
  }
  const auto lignes = LignesDuChoix();
  if (!lignes) return false;
  if (!constructeur_.LigneNouvelle()) montage_.PrendreInstantane();
  montage_.EcrireLigne(lc, lignes->front());
  for (std::size_t i = 1; i < lignes->size(); ++i) montage_.InsererLigne(lc + static_cast<int>(i), (*lignes)[i]);
  constructeur_.OublierLigneNouvelle();
  InclureOptions = false;
  vue.FichierAide = Joindre(vue.DossierFichiersProgramme, "Plivor.hlp",
                            montage_.Fichiers().Style());
  vue.ListeModifiee = true;
  if (chose_ == 4) montage_.Rafraichir();
  Fermer();
  montage_.LigneCourante = lc;
  montage_.Selectionner(lc);
  montage_.ApresEdition();
  return true;
}

void MiseEnForme::Annuler() {
  // Only a formatting line the builder has just written goes; one the
  // author opened to change stays.
  if (!modePolice_) constructeur_.AbandonnerLigneNouvelle();
  TFVue& vue = montage_.Vue();
  vue.FichierAide = Joindre(vue.DossierFichiersProgramme, "Plivor.hlp",
                            montage_.Fichiers().Style());
  InclureOptions = false;
  Fermer();
}

void MiseEnForme::Aide() {
  TFVue& vue = montage_.Vue();
  const Texte fichier = Joindre(vue.DossierFichiersProgramme, "Plivor-S.hlp",
                                montage_.Fichiers().Style());
  vue.Services().bureau.OuvrirAide(TexteEcran(fichier), contexteAide_ == 2902 ? 2902 : 2802);
}

}  // namespace plivor
