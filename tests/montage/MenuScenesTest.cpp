// The scene menu built from a real list: thumbnails drawn by the projection
// and checked by pixels against the scenes' pictures, the companion files
// on disk, the reference lines, and the cases where nothing may be written.

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include "BancMontage.h"
#include "montage/MenuScenes.h"
#include "navigation/PanneauNavigation.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancMontage;
using test::Proche;

const QColor kFond(35, 35, 35);

class Menu : public testing::Test {
 protected:
  void SetUp() override {
    QDir(banc.dossier.path()).mkpath(QStringLiteral("scenes"));
    EcrireJpeg(banc.CheminHote(QStringLiteral("scenes/rouge.jpg")), test::Unie(400, 300, QColor(220, 30, 30)));
    EcrireJpeg(banc.CheminHote(QStringLiteral("scenes/vert.jpg")), test::Unie(400, 300, QColor(30, 200, 40)));
    EcrireJpeg(banc.CheminHote(QStringLiteral("scenes/quadrants.jpg")), test::Quadrants(400, 300));
    panneau = std::make_unique<PanneauNavigation>(*banc.vue, QSize(1280, 800));
    banc.voisins.panneauNav = panneau.get();
  }
  void TearDown() override { banc.voisins.panneauNav = nullptr; }

  Texte Scene(const char* nom) const { return banc.Chemin(QStringLiteral("scenes/") + QString::fromLatin1(nom)); }
  Texte Vignette(const char* nom) const { return "Vignette=" + Scene(nom) + ".pvr"; }

  // The list on disk, loaded, with the builder's "Menu=Créer" line
  // inserted below its first line and focused.
  void Liste(const QString& nom, const plivor::Liste& lignes) {
    std::string octets;
    for (const Texte& l : lignes) octets += l + "\r\n";
    banc.Ecrire(nom, octets);
    ASSERT_TRUE(m.Ouvrir(banc.Chemin(nom)));
    m.InsererLigne(1, Cp("Menu=Créer.pvi"));
    m.Selectionner(1);
    m.LigneCourante = 1;
    menus.Ouvrir(true);
  }
  plivor::Liste TroisScenes() const {
    return {"Tempo=2000.pvi",     "Drapeau=Un.pvd",   Vignette("rouge.jpg"),     Scene("rouge.jpg"),
            "Drapeau=Deux.pvd",   Vignette("vert.jpg"), Scene("vert.jpg"),         "Drapeau=Trois.pvd",
            Vignette("quadrants.jpg"), Scene("quadrants.jpg")};
  }
  QColor Pixel(const QImage& image, int cellule, int dx, int dy) const {
    return image.pixelColor(CoinVignette(cellule) + QPoint(dx, dy));
  }

  BancMontage banc;
  Montage& m = *banc.montage;
  MenuScenes menus{m};
  std::unique_ptr<PanneauNavigation> panneau;
};

TEST_F(Menu, TroisDrapeauxEtTroisVignettesDonnentLImageDe232Sur52EtSesFichiers) {
  Liste(QStringLiteral("scenes/spectacle.pvl"), TroisScenes());
  menus.CreerMenu(BoutonMenu::Tester);
  EXPECT_TRUE(menus.MenuCree()) << banc.dialogues.textes.join(QStringLiteral(" | ")).toStdString();
  EXPECT_EQ(menus.Message, Cp("Processus terminé !"));
  EXPECT_EQ(menus.Entrees(), (plivor::Liste{"Un", "Deux", "Trois"}));
  // The navigation panel shows the picture in a 60-pixel menu pane.
  EXPECT_TRUE(panneau->Visible);
  EXPECT_TRUE(panneau->MenuVisible);
  EXPECT_EQ(panneau->HauteurMenu, 60);
  const QImage image = panneau->ImageMenu;
  ASSERT_EQ(image.size(), QSize(232, 52));
  EXPECT_EQ(image, menus.Image());
  // With PLIVOR_CAPTURES set, the picture is kept there to be looked at.
  if (const QString captures = qEnvironmentVariable("PLIVOR_CAPTURES"); !captures.isEmpty())
    image.scaled(image.size() * 3).save(QDir(captures).filePath(QStringLiteral("menu-scenes.png")));
  // Each thumbnail is its scene's picture, 48 x 36 at its cell.
  EXPECT_TRUE(Proche(Pixel(image, 0, 24, 18), QColor(220, 30, 30)));
  EXPECT_TRUE(Proche(Pixel(image, 0, 1, 1), QColor(220, 30, 30)));
  EXPECT_TRUE(Proche(Pixel(image, 0, 46, 34), QColor(220, 30, 30)));
  EXPECT_TRUE(Proche(Pixel(image, 1, 24, 18), QColor(30, 200, 40)));
  EXPECT_TRUE(Proche(Pixel(image, 2, 10, 8), QColor(255, 0, 0), 40));    // red top-left
  EXPECT_TRUE(Proche(Pixel(image, 2, 38, 8), QColor(0, 255, 0), 40));    // green top-right
  EXPECT_TRUE(Proche(Pixel(image, 2, 10, 28), QColor(0, 0, 255), 40));   // blue bottom-left
  EXPECT_TRUE(Proche(Pixel(image, 2, 38, 28), QColor(255, 255, 0), 40)); // yellow bottom-right
  // Ground around the cells and in the fourth, empty one.
  for (const QPoint p : {QPoint(2, 2), QPoint(60, 4), QPoint(30, 47), QPoint(200, 26), QPoint(229, 50)})
    EXPECT_EQ(image.pixelColor(p), kFond) << p.x() << "," << p.y();
  // The projection gets its slide back.
  EXPECT_EQ(banc.vue->DimDiapo, "W400H400");
  EXPECT_FALSE(banc.vue->ExecutionMuette);

  menus.CreerMenu(BoutonMenu::Valider);
  EXPECT_FALSE(menus.Ouvert);
  const Texte s = banc.Chemin(QStringLiteral("scenes/spectacle"));
  EXPECT_EQ(banc.Lire(QStringLiteral("scenes/spectacle.txt")), "Un\r\nDeux\r\nTrois\r\n");
  const QImage ecrite(banc.CheminHote(QStringLiteral("scenes/spectacle.bmp")));
  ASSERT_EQ(ecrite.size(), QSize(232, 52));
  EXPECT_EQ(ecrite.convertToFormat(QImage::Format_RGB32), image.convertToFormat(QImage::Format_RGB32));
  // The two reference lines at the top, the builder's line gone.
  plivor::Liste attendues = TroisScenes();
  attendues.insert(attendues.begin(), {"Drapeaux=" + s + ".txt.pvr", "Menus=" + s + ".bmp.pvr"});
  EXPECT_EQ(m.Lignes(), attendues);
  EXPECT_TRUE(banc.vue->ListeModifiee);
  EXPECT_EQ(m.Focus(), 0);
  // The drawn menu is discarded from the panel once written.
  EXPECT_FALSE(panneau->MenuVisible);
  // The list file itself is not touched until the author saves it.
  EXPECT_EQ(banc.Lire(QStringLiteral("scenes/spectacle.pvl")).substr(0, 16), "Tempo=2000.pvi\r\n");

  // A second creation replaces its own reference lines and files silently.
  m.Selectionner(3);
  menus.Ouvrir(false);
  menus.CreerMenu(BoutonMenu::Valider);
  EXPECT_EQ(m.Lignes(), attendues);
  EXPECT_TRUE(banc.dialogues.textes.isEmpty()) << banc.dialogues.textes.join(QStringLiteral(" | ")).toStdString();
}

TEST_F(Menu, CinqEntreesFontUneDeuxiemeRangee) {
  plivor::Liste lignes;
  for (const char* nom : {"A", "B", "C", "D", "E"}) {
    lignes.push_back(Texte("Drapeau=") + nom + ".pvd");
    lignes.push_back(Vignette("vert.jpg"));
  }
  Liste(QStringLiteral("cinq.pvl"), lignes);
  menus.CreerMenu(BoutonMenu::Tester);
  EXPECT_EQ(panneau->HauteurMenu, 104);
  ASSERT_EQ(menus.Image().size(), QSize(232, 96));
  EXPECT_TRUE(Proche(Pixel(menus.Image(), 4, 24, 18), QColor(30, 200, 40)));
  EXPECT_EQ(menus.Image().pixelColor(CoinVignette(5) + QPoint(24, 18)), kFond);
}

TEST_F(Menu, UneVignetteManquanteArreteSansRienEcrire) {
  Liste(QStringLiteral("deux.pvl"), {"Drapeau=Un.pvd", Vignette("rouge.jpg"), "Drapeau=Deux.pvd", Scene("vert.jpg")});
  menus.CreerMenu(BoutonMenu::Valider);
  EXPECT_EQ(banc.dialogues.textes.last(),
            QStringLiteral("Il manque 1 vignette(s) sous 1 drapeau(x).\r\rCréer celles-ci et recommencer !..."));
  EXPECT_TRUE(menus.Ouvert);
  EXPECT_FALSE(menus.MenuCree());
  EXPECT_EQ(banc.Lire(QStringLiteral("deux.txt")), "<absent>");
  EXPECT_EQ(banc.Lire(QStringLiteral("deux.bmp")), "<absent>");
  EXPECT_EQ(m.Compte(), 4);  // the builder's line went, no reference line came

  // A scene picture line naming a list is no thumbnail: the list never runs.
  banc.Ecrire(QStringLiteral("autre.pvl"), "Tempo=1.pvi\r\n");
  m.InsererLigne(3, "Vignette=" + banc.Chemin(QStringLiteral("autre.pvl")) + ".pvr");
  const plivor::Liste medias = banc.vue->Medias;
  menus.CreerMenu(BoutonMenu::Tester);
  EXPECT_EQ(banc.dialogues.textes.at(banc.dialogues.textes.size() - 2),
            QString::fromStdString("Le fichier \"" + banc.Chemin(QStringLiteral("autre.pvl")) + "\" n'est pas une image !"));
  EXPECT_EQ(banc.vue->Medias, medias);
  EXPECT_FALSE(menus.MenuCree());
  m.RetirerLigne(3);

  // The scene picture added, the next try draws and writes.
  m.InsererLigne(3, Vignette("vert.jpg"));
  menus.CreerMenu(BoutonMenu::Valider);
  EXPECT_FALSE(menus.Ouvert);
  EXPECT_EQ(banc.Lire(QStringLiteral("deux.txt")), "Un\r\nDeux\r\n");
}

TEST_F(Menu, DesVignettesEnTropSontSignalees) {
  Liste(QStringLiteral("trop.pvl"), {"Drapeau=Un.pvd", Vignette("rouge.jpg"), Vignette("vert.jpg")});
  menus.CreerMenu(BoutonMenu::Valider);
  EXPECT_EQ(banc.dialogues.textes.last(),
            QStringLiteral("Il y a 1 vignette(s) de trop pour 1 élément(s) de menu.\r\rRetirer celles-ci et recommencer !..."));
  EXPECT_EQ(banc.Lire(QStringLiteral("trop.txt")), "<absent>");
  EXPECT_TRUE(menus.Ouvert);
}

TEST_F(Menu, SansEntreeLePanneauSeFermeEtLaLigneDuConstructeurPart) {
  Liste(QStringLiteral("vide.pvl"), {"Tempo=1.pvi", Scene("rouge.jpg")});
  menus.CreerMenu(BoutonMenu::Tester);
  EXPECT_EQ(banc.dialogues.textes.last(),
            QStringLiteral("La Liste ne contient aucun élément de menu!!\r\rCréer ceux-ci avant de générer le menu."));
  EXPECT_FALSE(menus.Ouvert);
  EXPECT_EQ(m.Lignes(), (plivor::Liste{"Tempo=1.pvi", Scene("rouge.jpg")}));
}

TEST_F(Menu, LAideOuvreSaPageSansToucherALaLigne) {
  Liste(QStringLiteral("aide.pvl"), TroisScenes());
  menus.CreerMenu(BoutonMenu::Aide);
  EXPECT_EQ(banc.bureau.aides, QStringList{QString::fromStdString(VersUtf8(banc.Chemin(QStringLiteral("Plivor-S.hlp")))) +
                                            QStringLiteral("#6000")});
  EXPECT_EQ(m.Lignes().at(1), Cp("Menu=Créer.pvi"));
  EXPECT_TRUE(menus.Ouvert);
}

TEST_F(Menu, AnnulerNeRetireQueLaLigneDeCreationDuMenu) {
  Liste(QStringLiteral("annule.pvl"), TroisScenes());
  menus.CreerMenu(BoutonMenu::Annuler);
  EXPECT_EQ(m.Lignes(), TroisScenes());
  // Opened on an ordinary line: a cancel removes nothing.
  m.Selectionner(2);
  menus.Ouvrir(true);
  menus.CreerMenu(BoutonMenu::Annuler);
  EXPECT_EQ(m.Lignes(), TroisScenes());
}

TEST_F(Menu, MenuTexteEcritLesDeuxFichiersSansVignette) {
  Liste(QStringLiteral("texte.pvl"), {"Drapeau=Un.pvd", "Drapeau=Deux.pvd", Scene("rouge.jpg")});
  menus.TypeMenu = 1;
  menus.CreerMenu(BoutonMenu::Valider);
  EXPECT_FALSE(panneau->Visible);
  EXPECT_EQ(banc.Lire(QStringLiteral("texte.txt")), "Un\r\nDeux\r\n");
  const QImage bmp(banc.CheminHote(QStringLiteral("texte.bmp")));
  ASSERT_EQ(bmp.size(), QSize(232, 52));
  EXPECT_EQ(bmp.pixelColor(30, 20), kFond);
  const Texte s = banc.Chemin(QStringLiteral("texte"));
  EXPECT_EQ(m.Lignes(), (plivor::Liste{"Drapeaux=" + s + ".txt.pvr", "Menus=" + s + ".bmp.pvr", "Drapeau=Un.pvd",
                                       "Drapeau=Deux.pvd", Scene("rouge.jpg")}));
}

TEST_F(Menu, UnMenuTexteNeGardePasLesVignettesDUnAutreMenu) {
  Liste(QStringLiteral("scenes.pvl"), TroisScenes());
  menus.CreerMenu(BoutonMenu::Valider);
  ASSERT_EQ(QImage(banc.CheminHote(QStringLiteral("scenes.bmp"))).size(), QSize(232, 52));
  plivor::Liste sept;
  for (const char* nom : {"P", "Q", "R", "S", "T", "U", "V"}) sept.push_back(Texte("Drapeau=") + nom + ".pvd");
  Liste(QStringLiteral("texte.pvl"), sept);
  menus.TypeMenu = 1;
  menus.CreerMenu(BoutonMenu::Valider);
  const QImage bmp(banc.CheminHote(QStringLiteral("texte.bmp")));
  ASSERT_EQ(bmp.size(), QSize(232, HauteurImageMenu(7)));
  EXPECT_EQ(bmp.height(), 96);
  int autres = 0;
  for (int y = 0; y < bmp.height(); ++y)
    for (int x = 0; x < bmp.width(); ++x) autres += bmp.pixelColor(x, y) != kFond;
  EXPECT_EQ(autres, 0) << "the picture of this list holds no thumbnail";
}

TEST_F(Menu, ChangerUneOptionApresUnTestJetteLeMenuDessine) {
  Liste(QStringLiteral("options.pvl"), TroisScenes());
  menus.CreerMenu(BoutonMenu::Tester);
  ASSERT_TRUE(menus.MenuCree());
  menus.MenuPvl = true;
  menus.MenuCocheChange();
  EXPECT_FALSE(menus.MenuCree());
  EXPECT_FALSE(panneau->MenuVisible);
  EXPECT_FALSE(panneau->Visible);
  menus.MenuPvl = false;
  menus.CreerMenu(BoutonMenu::Tester);
  EXPECT_TRUE(menus.MenuCree());
  EXPECT_TRUE(panneau->MenuVisible);
}

TEST_F(Menu, LesSousListesEtSequencesOntLeurCase) {
  banc.Ecrire(QStringLiteral("suite.pvl"), "Tempo=1.pvi\r\n");
  const Texte suite = banc.Chemin(QStringLiteral("suite.pvl"));
  Liste(QStringLiteral("mixte.pvl"), {"Drapeau=Un.pvd", Vignette("rouge.jpg"), suite, Cp("Séquence=") + suite + ".pvr"});
  menus.MenuPvl = menus.MenuSeq = true;
  menus.CreerMenu(BoutonMenu::Tester);
  ASSERT_TRUE(menus.MenuCree());
  EXPECT_EQ(menus.Entrees(), (plivor::Liste{"Un", suite.substr(0, suite.size() - 4), suite}));
  // Grey cells with their glyph.
  EXPECT_TRUE(Proche(Pixel(menus.Image(), 1, 2, 30), QColor(128, 128, 128), 4));
  EXPECT_TRUE(Proche(Pixel(menus.Image(), 1, 12, 6), QColor(250, 250, 240), 4));
  EXPECT_TRUE(Proche(Pixel(menus.Image(), 2, 12, 6), QColor(250, 250, 240), 4));
}

// ---- Companions that must not overwrite what is not theirs.

TEST_F(Menu, UneListeEnTxtGardeSonFichierEtUnBmpEtrangerDemandeAvant) {
  const std::string octets = "Drapeau=Un.pvd\r\n" + Vignette("rouge.jpg") + "\r\n";
  Liste(QStringLiteral("scenes/liste.txt"), {"Drapeau=Un.pvd", Vignette("rouge.jpg")});
  banc.Ecrire(QStringLiteral("scenes/liste.bmp"), "photo de famille");
  menus.CreerMenu(BoutonMenu::Valider);  // the question answered No
  EXPECT_EQ(banc.dialogues.textes.last(),
            QString::fromStdString("Le fichier \"" + banc.Chemin(QStringLiteral("scenes/liste.bmp")) +
                                   "\" existe déjà.\rLe remplacer ?"));
  EXPECT_EQ(banc.Lire(QStringLiteral("scenes/liste.bmp")), "photo de famille");
  EXPECT_EQ(banc.Lire(QStringLiteral("scenes/liste-Drapeaux.txt")), "<absent>");
  EXPECT_TRUE(menus.Ouvert);

  banc.dialogues.reponses << true;
  menus.CreerMenu(BoutonMenu::Valider);
  EXPECT_EQ(banc.Lire(QStringLiteral("scenes/liste.txt")), octets);
  EXPECT_EQ(banc.Lire(QStringLiteral("scenes/liste-Drapeaux.txt")), "Un\r\n");
  EXPECT_EQ(QImage(banc.CheminHote(QStringLiteral("scenes/liste.bmp"))).size(), QSize(232, 52));
  EXPECT_EQ(m.Lignes().at(0), "Drapeaux=" + banc.Chemin(QStringLiteral("scenes/liste-Drapeaux.txt")) + ".pvr");
}

TEST_F(Menu, UneListeSansNomDemandeUnNomDAbord) {
  banc.Lignes({"Drapeau=Un.pvd", Vignette("rouge.jpg")});
  m.NomListe = kSansNom;
  menus.Ouvrir(false);
  menus.CreerMenu(BoutonMenu::Valider);  // the save dialog cancelled
  EXPECT_EQ(banc.dialogues.dialogues.last(), QStringLiteral("Sauver une liste Plivor"));
  EXPECT_EQ(QDir(banc.dossier.path()).entryList({QStringLiteral("*.txt"), QStringLiteral("*.bmp")}, QDir::Files),
            QStringList());
  EXPECT_TRUE(menus.Ouvert);

  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("nommee.pvl"));
  menus.CreerMenu(BoutonMenu::Valider);
  EXPECT_EQ(banc.Lire(QStringLiteral("nommee.txt")), "Un\r\n");
  EXPECT_EQ(m.Lignes().at(1), "Menus=" + banc.Chemin(QStringLiteral("nommee.bmp")) + ".pvr");
}

TEST_F(Menu, SupprimerLesLignesVignettesApresLeMenu) {
  Liste(QStringLiteral("efface.pvl"), TroisScenes());
  menus.MenuEffacer = true;
  menus.CreerMenu(BoutonMenu::Valider);
  for (const Texte& l : m.Lignes()) EXPECT_EQ(l.find("Vignette="), Texte::npos) << l;
  EXPECT_EQ(m.Compte(), 2 + 7);
}

}  // namespace
}  // namespace plivor
