#include "montage/MenuScenes.h"

#include <QBuffer>
#include <QPainter>

#include "core/FichiersListe.h"
#include "core/Vocabulaire.h"

namespace plivor {

namespace {

constexpr int kDrapeaux = 7, kMenus = 6, kSequence = 15, kVignette = 16;
constexpr int kInstructionMenu = 1270;  // Menu=Créer
const QColor kFondMenu(35, 35, 35);
const QColor kGrisVignette(128, 128, 128);

enum Icone { SansIcone, IconeListe, IconeImport };

bool RessourceDe(const Texte& ligne, int motCle, const Tables& tables) {
  return GenreExtension(ligne) == Genre::Ressource && CodeMotCle(MotCle(ligne), tables) == motCle;
}

Texte SansExtension(const Texte& ligne) { return ligne.substr(0, ligne.size() >= 4 ? ligne.size() - 4 : 0); }

}  // namespace

Liste EntreesMenu(const Liste& lignes, bool sousListes, bool sequences, const Tables& tables) {
  Liste entrees;
  for (const Texte& ligne : lignes) {
    const int genre = GenreExtension(ligne);
    if (genre == Genre::Drapeau)
      entrees.push_back(Valeur(ligne));
    else if (sousListes && genre == Genre::SousListe)
      entrees.push_back(SansExtension(ligne));
    else if (sequences && RessourceDe(ligne, kSequence, tables))
      entrees.push_back(Valeur(ligne));
  }
  return entrees;
}

int HauteurImageMenu(int entrees) { return (std::max(entrees, 1) - 1) / 4 * 44 + 52; }

QPoint CoinVignette(int cellule) { return {cellule % 4 * 56 + 8, cellule / 4 * 44 + 8}; }

MenuScenes::MenuScenes(Montage& montage) : montage_(montage) {}

void MenuScenes::Ouvrir(bool ligneInseree) {
  Ouvert = true;
  menuCree_ = false;
  // The picture of the last menu belongs to its own list.
  image_ = QImage();
  entrees_.clear();
  entreesVisibles_ = false;
  Message.clear();
  const int focus = montage_.Focus();
  ligneEnAttente_ = ligneInseree && focus >= 0 && focus < montage_.Compte() ? focus : -1;
  texteEnAttente_ = ligneEnAttente_ >= 0 ? montage_.Lignes()[static_cast<size_t>(focus)] : Texte();
  emit Change();
}

// Only the menu-creation line the builder inserted, where it still stands.
void MenuScenes::RetirerLigneEnAttente() {
  const int i = ligneEnAttente_;
  ligneEnAttente_ = -1;
  if (i < 0 || i >= montage_.Compte() || montage_.Lignes()[static_cast<size_t>(i)] != texteEnAttente_ ||
      CodeCombine(texteEnAttente_, montage_.Vue().TablesEnCours()) != kInstructionMenu)
    return;
  montage_.RetirerLigne(i);
  montage_.LigneCourante = montage_.Compte() == 0 ? -1 : IndexBorne(montage_.Compte(), i);
  emit montage_.ListeChangee();
}

void MenuScenes::CreerMenu(BoutonMenu bouton) {
  TFVue& vue = montage_.Vue();
  if (bouton == BoutonMenu::Aide) {
    const StyleChemins style = montage_.Fichiers().Style();
    vue.FichierAide = Joindre(vue.DossierFichiersProgramme, "Plivor-S.hlp", style);
    vue.Services().bureau.OuvrirAide(TexteEcran(vue.FichierAide), 6000);
    return;
  }
  if (!menuCree_) RetirerLigneEnAttente();
  if (bouton == BoutonMenu::Annuler) {
    Fermer();
    return;
  }
  montage_.DessinSuspendu = true;
  bool fait = menuCree_;
  if (!fait) {
    fait = LireEntrees() && (TypeMenu != 0 || DessinerVignettes());
  }
  if (fait && bouton == BoutonMenu::Valider && EcrireCompagnons()) {
    MenuCocheChange();
    menuCree_ = false;
    Fermer();
    montage_.Selectionner(0);
    montage_.LigneCourante = 0;
    montage_.Selection();
  }
  montage_.DessinSuspendu = false;
  emit montage_.ListeChangee();
  emit Change();
}

void MenuScenes::Fermer() {
  entreesVisibles_ = false;
  entrees_.clear();
  Message.clear();
  MenuCocheChange();
  MasquerImage();
  Ouvert = false;
  montage_.Vue().ExecutionMuette = false;
  montage_.DessinSuspendu = false;
  emit montage_.ListeChangee();
  emit Change();
}

void MenuScenes::MenuCocheChange() {
  if (!menuCree_) return;
  menuCree_ = false;
  MasquerImage();
  emit Change();
}

bool MenuScenes::LireEntrees() {
  Message = "Lecture des drapeaux";
  emit Change();
  entrees_ = EntreesMenu(montage_.Lignes(), MenuPvl, MenuSeq, montage_.Vue().TablesEnCours());
  if (entrees_.empty()) {
    Message = "Pas de drapeaux";
    montage_.Vue().Services().dialogues.Message(
        Cp("La Liste ne contient aucun élément de menu!!\r\rCréer ceux-ci avant de générer le menu."));
    Fermer();
    return false;
  }
  entreesVisibles_ = true;
  return true;
}

// ---- Thumbnails.

void MenuScenes::MontrerImage() {
  Voisins& voisins = montage_.Vue().Services().voisins;
  voisins.ImageMenu(image_);
  voisins.MontrerPanneau(true);
  if (!voisins.MenuOuvert()) voisins.Navigation();
  imageMontree_ = true;
}

void MenuScenes::MasquerImage() {
  if (!imageMontree_) return;
  Voisins& voisins = montage_.Vue().Services().voisins;
  if (voisins.MenuOuvert()) voisins.Navigation();
  voisins.MontrerPanneau(false);
  imageMontree_ = false;
}

// The scene picture as the projection prepares it on a 48 x 36 slide.
QImage MenuScenes::VignetteProjetee(const Texte& fichier) {
  TFVue& vue = montage_.Vue();
  vue.Photo = QImage();
  vue.Charger(fichier);
  QImage vignette = vue.Photo;
  vignette.setDevicePixelRatio(vue.Echelle);
  return vignette;
}

void MenuScenes::DessinerCellule(QImage& image, int cellule, const QImage& vignette, int icone) {
  const QPoint coin = CoinVignette(cellule);
  const QRect case48(coin, QSize(48, 36));
  QPainter peintre(&image);
  peintre.fillRect(case48, kGrisVignette);
  if (!vignette.isNull()) {
    peintre.setRenderHint(QPainter::SmoothPixmapTransform);
    peintre.drawImage(case48, vignette);
  }
  if (icone == SansIcone) return;
  // A small glyph over the cell: lines of a list, or an arrow coming in.
  const QPoint o = coin + QPoint(10, 4);
  peintre.fillRect(QRect(o, QSize(20, 16)), QColor(250, 250, 240));
  peintre.setPen(QPen(QColor(30, 30, 90), 2));
  if (icone == IconeListe) {
    for (int y : {4, 8, 12}) peintre.drawLine(o + QPoint(4, y), o + QPoint(16, y));
  } else {
    peintre.drawLine(o + QPoint(3, 8), o + QPoint(15, 8));
    peintre.drawLine(o + QPoint(11, 4), o + QPoint(15, 8));
    peintre.drawLine(o + QPoint(11, 12), o + QPoint(15, 8));
  }
}

bool MenuScenes::DessinerVignettes() {
  TFVue& vue = montage_.Vue();
  Dialogues& dialogues = vue.Services().dialogues;
  const Tables& tables = vue.TablesEnCours();
  Message = Cp("Création des vignettes");
  emit Change();
  const Texte dimDiapo = vue.DimDiapo;
  const int codeDiapo = vue.CodeDiapo;
  const Couleur couleurDiapo = vue.CouleurDiapo;
  const bool muette = vue.ExecutionMuette;
  vue.DimDiapo = "W48H36";
  vue.CodeDiapo = 490;
  vue.CouleurDiapo = RGB(128, 128, 128);
  vue.ExecutionMuette = true;
  const int n = static_cast<int>(entrees_.size());
  image_ = QImage(kLargeurImageMenu, HauteurImageMenu(n), QImage::Format_RGB32);
  image_.fill(kFondMenu);
  MontrerImage();
  int k = 0;
  for (const Texte& ligne : Liste(montage_.Lignes())) {
    std::optional<QImage> vignette;
    int icone = SansIcone;
    if (MenuPvl && GenreExtension(ligne) == Genre::SousListe) {
      vignette = QImage();
      icone = IconeListe;
    } else if (MenuSeq && RessourceDe(ligne, kSequence, tables)) {
      vignette = QImage();
      icone = ligne.find(".pvl") != Texte::npos ? IconeImport : SansIcone;
    } else if (RessourceDe(ligne, kVignette, tables)) {
      const Texte fichier = Valeur(ligne);
      if (!montage_.Fichiers().FichierExiste(fichier)) {
        dialogues.Message(Texte("Le fichier \"") + fichier + "\" n'existe pas !");
        continue;
      }
      // Only a picture is shown: a list or a sound would run in the projection.
      if (!EstImage(GenreExtension(fichier))) {
        dialogues.Message(Texte("Le fichier \"") + fichier + "\" n'est pas une image !");
        continue;
      }
      vignette = VignetteProjetee(fichier);
    }
    if (!vignette) continue;
    // A cell past the last entry would fall outside the picture or stand
    // for no scene: it is counted, not drawn.
    if (k < n) DessinerCellule(image_, k, *vignette, icone);
    ++k;
  }
  vue.CouleurDiapo = couleurDiapo;
  vue.DimDiapo = dimDiapo;
  vue.CodeDiapo = codeDiapo;
  vue.ExecutionMuette = muette;
  MontrerImage();
  Message = Cp("Processus terminé !");
  emit Change();
  if (k < n) {
    const Texte m = std::to_string(n - k);
    dialogues.Message(Texte("Il manque ") + m + " vignette(s) sous " + m + " drapeau(x)." + "\r\r" +
                      Cp("Créer celles-ci et recommencer !..."));
    return false;
  }
  if (k > n) {
    dialogues.Message(Texte("Il y a ") + std::to_string(k - n) + " vignette(s) de trop pour " + std::to_string(n) +
                      Cp(" élément(s) de menu.") + "\r\r" + "Retirer celles-ci et recommencer !...");
    return false;
  }
  menuCree_ = true;
  return true;
}

// ---- Companion files.

bool MenuScenes::NomsCompagnons() {
  // A list never saved has no place for its companions yet.
  if (montage_.NomListe == kSansNom && !montage_.Sauver()) return false;
  const Texte& liste = montage_.NomListe;
  const Texte s = SansExtension(liste);
  fichierDrapeaux_ = s + ".txt";
  // A list saved as ".txt" keeps its name: the flag list takes another.
  if (EgalSansCasse(fichierDrapeaux_, liste)) fichierDrapeaux_ = s + "-Drapeaux.txt";
  fichierImage_ = s + ".bmp";
  return true;
}

// A file already there is replaced without asking only when the list's
// reference line at its place names it: it is this menu's own.
bool MenuScenes::AccordRemplacer(const Texte& fichier, int rangReference, int motCle) {
  if (!montage_.Fichiers().FichierExiste(fichier)) return true;
  const Liste& lignes = montage_.Lignes();
  if (rangReference < montage_.Compte()) {
    const Texte& reference = lignes[static_cast<size_t>(rangReference)];
    if (RessourceDe(reference, motCle, montage_.Vue().TablesEnCours()) && Valeur(reference) == fichier) return true;
  }
  return montage_.Vue().Services().dialogues.Question(
      TexteEcran(Texte("Le fichier \"") + fichier + Cp("\" existe déjà.") + "\r" + "Le remplacer ?"));
}

void MenuScenes::PoserReference(int rang, int motCle, const Texte& fichier) {
  const Tables& tables = montage_.Vue().TablesEnCours();
  const Texte ligne = NomMotCle(motCle, tables) + "=" + fichier + ".pvr";
  if (rang < montage_.Compte() && RessourceDe(montage_.Lignes()[static_cast<size_t>(rang)], motCle, tables))
    montage_.EcrireLigne(rang, ligne);
  else
    montage_.InsererLigne(rang, ligne);
}

bool MenuScenes::EcrireCompagnons() {
  Dialogues& dialogues = montage_.Vue().Services().dialogues;
  ServicesFichiers& fichiers = montage_.Fichiers();
  if (!NomsCompagnons()) return false;
  if (!AccordRemplacer(fichierDrapeaux_, 0, kDrapeaux) || !AccordRemplacer(fichierImage_, 1, kMenus)) return false;
  if (!EcrireListe(fichierDrapeaux_, entrees_, fichiers)) {
    dialogues.Message(Cp("Impossible d'écrire le fichier \"") + fichierDrapeaux_ + "\".");
    return false;
  }
  // "Menu Texte": no thumbnail, the picture is the menu's bare ground.
  if (image_.isNull() || TypeMenu != 0) {
    image_ = QImage(kLargeurImageMenu, HauteurImageMenu(static_cast<int>(entrees_.size())), QImage::Format_RGB32);
    image_.fill(kFondMenu);
  }
  QByteArray octets;
  QBuffer tampon(&octets);
  tampon.open(QIODevice::WriteOnly);
  if (!image_.convertToFormat(QImage::Format_RGB888).save(&tampon, "BMP") ||
      !fichiers.EcrireFichier(fichierImage_, octets.toStdString())) {
    dialogues.Message(Cp("Impossible d'écrire le fichier \"") + fichierImage_ + "\".");
    return false;
  }
  PoserReference(0, kDrapeaux, fichierDrapeaux_);
  PoserReference(1, kMenus, fichierImage_);
  if (MenuEffacer) EffacerVignettes();
  return true;
}

// The scene-picture lines that served as thumbnails, from the last up so
// that no line is skipped.
void MenuScenes::EffacerVignettes() {
  const Tables& tables = montage_.Vue().TablesEnCours();
  for (int i = montage_.Compte() - 1; i >= 0; --i)
    if (RessourceDe(montage_.Lignes()[static_cast<size_t>(i)], kVignette, tables)) montage_.RetirerLigne(i);
}

}  // namespace plivor
