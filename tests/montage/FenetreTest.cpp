// The montage window on the offscreen platform: rows painted by the
// delegate, the view's selection and the engine's kept in step, menu
// entries bound to the engine, drops through the model, help.

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include "BancMontage.h"
#include "montage/Icones.h"
#include "montage/TFListe.h"
#include "platform/Aide.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancMontage;
using test::Proche;

class Fenetre : public testing::Test {
 protected:
  Fenetre() {
    banc.Image(QStringLiteral("vue.jpg"));
    fenetre = std::make_unique<TFListe>(*banc.vue, banc.fichiers);
    banc.voisins.montage = &fenetre->Moteur();
    fenetre->resize(234, 654);
  }
  Montage& M() { return fenetre->Moteur(); }
  void Recevoir(const Liste& lignes) {
    banc.vue->ListeModifiee = false;
    M().RecevoirListe(lignes, banc.Chemin(QStringLiteral("liste.pvl")), banc.fichiers.DossierCourant(), 0, false);
    QApplication::processEvents();
  }
  QImage Rangees() { return fenetre->Liste()->viewport()->grab().toImage(); }
  QAction* Entree(QMenu* menu, const QString& texte) {
    for (QAction* a : menu->actions()) {
      if (a->text() == texte) return a;
      if (a->menu())
        if (QAction* b = Entree(a->menu(), texte)) return b;
    }
    return nullptr;
  }
  int Pixels(const QImage& image, QRect zone, QColor couleur, int tolerance = 20) {
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
      for (int x = zone.left(); x <= zone.right(); ++x) n += Proche(image.pixelColor(x, y), couleur, tolerance);
    return n;
  }

  BancMontage banc;
  std::unique_ptr<TFListe> fenetre;
};

TEST_F(Fenetre, LesLignesSePeignentAvecLeursIcones) {
  Recevoir({"Tempo=2000.pvi", banc.Chemin(QStringLiteral("vue.jpg")), banc.Chemin(QStringLiteral("absente.jpg")),
            "Transition=Gauche.pvi"});
  EXPECT_TRUE(fenetre->isVisible());
  const QImage image = Rangees();
  const int h = DelegueMontage::kHauteur;
  // The tempo icon's orange, the picture icon's green, the missing file's red frame.
  EXPECT_GT(Pixels(image, QRect(0, 0, 30, h), QColor(230, 150, 30)), 100);
  EXPECT_GT(Pixels(image, QRect(0, h, 30, h), QColor(60, 150, 70)), 40);
  EXPECT_GT(Pixels(image, QRect(0, 2 * h, 30, h), QColor(220, 0, 0), 40), 20);
  EXPECT_GT(Pixels(image, QRect(0, 3 * h, 30, h), QColor(180, 110, 20)), 100);
  // Captions: dark letters right of the icons; the missing line in red.
  EXPECT_GT(Pixels(image, QRect(32, 3 * h, 100, h), QColor(0, 0, 0), 90), 10);
  EXPECT_GT(Pixels(image, QRect(32, 2 * h, 150, h), QColor(200, 0, 0), 60), 10);
  // Below the lines, the list's ground.
  EXPECT_TRUE(Proche(image.pixelColor(100, 10 * h), QColor(230, 220, 200), 4));
  // Each icon differs from the others.
  for (int i = 0; i < kNombreIcones; ++i)
    for (int j = i + 1; j < kNombreIcones; ++j) EXPECT_NE(ImageIcone(i), ImageIcone(j)) << i << " " << j;
}

// Drawn at twice the density, an icon has its own detail: a pixel-doubled
// one would be made of uniform 2 x 2 blocks.
TEST(Icones, ADoubleDensiteLIconeADeuxFoisPlusDePoints) {
  for (const int index : {0, 12, 23}) {
    const QImage icone = ImageIcone(index, 2.0).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icone.size(), QSize(2 * kLargeurIcone, 2 * kHauteurIcone));
    EXPECT_EQ(icone.devicePixelRatio(), 2.0);
    int blocsMeles = 0;
    for (int y = 0; y + 1 < icone.height(); y += 2)
      for (int x = 0; x + 1 < icone.width(); x += 2) {
        const QRgb c = icone.pixel(x, y);
        if (icone.pixel(x + 1, y) != c || icone.pixel(x, y + 1) != c || icone.pixel(x + 1, y + 1) != c) ++blocsMeles;
      }
    EXPECT_GT(blocsMeles, kLargeurIcone * kHauteurIcone / 8) << index;
  }
}

TEST_F(Fenetre, LeModeTexteMontreLesLignesSansIcone) {
  Recevoir({"Tempo=2000.pvi", "Transition=Gauche.pvi"});
  QAction* texte = Entree(fenetre->PopPlus(), QStringLiteral("Afficher le texte"));
  ASSERT_NE(texte, nullptr);
  texte->trigger();
  EXPECT_TRUE(M().ModeTexte);
  fenetre->Liste()->clearSelection();
  QApplication::processEvents();
  const QImage image = Rangees();
  const int h = DelegueMontage::kHauteur;
  EXPECT_EQ(Pixels(image, QRect(0, 0, 30, 2 * h), QColor(230, 150, 30)), 0);
  // The whole line in RGB(100, 80, 60), from 2 pixels in.
  EXPECT_GT(Pixels(image, QRect(2, h, 200, h), QColor(100, 80, 60), 40), 20);
}

TEST_F(Fenetre, LaSelectionDeLaVueVaAuMoteurEtRevient) {
  Recevoir({"Tempo=100.pvi", "Tempo=101.pvi", "Tempo=102.pvi", "Tempo=103.pvi"});
  QItemSelectionModel* s = fenetre->Liste()->selectionModel();
  QAbstractItemModel* modele = fenetre->Liste()->model();
  EXPECT_EQ(modele->rowCount(), 4);
  EXPECT_EQ(modele->data(modele->index(1, 0)).toString(), QStringLiteral("Tempo 101"));
  EXPECT_EQ(modele->data(modele->index(1, 0), ModeleMontage::RoleIcone).toInt(), 5);
  s->select(QItemSelection(modele->index(1, 0), modele->index(2, 0)), QItemSelectionModel::ClearAndSelect);
  s->setCurrentIndex(modele->index(2, 0), QItemSelectionModel::NoUpdate);
  QApplication::processEvents();
  EXPECT_EQ(M().Selectionnees(), (std::vector<int>{1, 2}));
  EXPECT_EQ(M().LigneCourante, 2);
  // "Couper" from the list's menu: the engine cuts, the view follows.
  Entree(fenetre->PopListe(), QStringLiteral("Couper"))->trigger();
  EXPECT_EQ(modele->rowCount(), 2);
  EXPECT_EQ(M().Transfert, (Liste{"Tempo=102.pvi", "Tempo=101.pvi"}));
  EXPECT_TRUE(s->isSelected(modele->index(1, 0)));
  QAction* annuler = Entree(fenetre->PopListe(), QStringLiteral("Annuler"));
  EXPECT_TRUE(annuler->isEnabled());
  annuler->trigger();
  EXPECT_EQ(modele->rowCount(), 4);
  EXPECT_FALSE(annuler->isEnabled());
  EXPECT_EQ(annuler->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
}

TEST_F(Fenetre, LesFichiersDuBureauPassentParLeModele) {
  Recevoir({"Tempo=100.pvi", "Tempo=101.pvi"});
  banc.Ecrire(QStringLiteral("lisez.txt"), "x");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(banc.CheminHote(QStringLiteral("lisez.txt"))),
                QUrl::fromLocalFile(banc.CheminHote(QStringLiteral("vue.jpg")))});
  QAbstractItemModel* modele = fenetre->Liste()->model();
  ASSERT_TRUE(modele->canDropMimeData(&data, Qt::CopyAction, 1, 0, {}));
  modele->dropMimeData(&data, Qt::CopyAction, 1, 0, {});
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Fichier : \r") + banc.CheminHote(QStringLiteral("lisez.txt")) +
                                               QStringLiteral("\rnon reconnu par Plivor"));
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=100.pvi", banc.Chemin(QStringLiteral("vue.jpg")), "Tempo=101.pvi"}));
  EXPECT_EQ(modele->rowCount(), 3);
  // From the resource window: its own type, full paths.
  std::unique_ptr<QMimeData> sources(MimeSources({"/photos/a.jpg", "/photos/b.jpg"}));
  modele->dropMimeData(sources.get(), Qt::CopyAction, -1, 0, {});
  EXPECT_EQ(M().Lignes().back(), "/photos/b.jpg");
  EXPECT_EQ(M().Lignes()[3], "/photos/a.jpg");
}

TEST_F(Fenetre, LAideDuMontageOuvreLaRubrique2000) {
  Recevoir({"Tempo=100.pvi"});
  M().AppelAide();
  ASSERT_EQ(banc.bureau.aides.size(), 1);
  EXPECT_TRUE(banc.bureau.aides[0].endsWith(QStringLiteral("Plivor.hlp#2000")));
  for (int rubrique : {2000, 2215, 2600}) {
    const QString page = PageAide(QStringLiteral(PLIVOR_SOURCES "/aide/Plivor.hlp"), rubrique);
    EXPECT_TRUE(page.endsWith(QStringLiteral("%1.html").arg(rubrique))) << page.toStdString();
  }
}

}  // namespace
}  // namespace plivor

namespace plivor {
namespace {

TEST_F(Fenetre, LeTempoDeBaseSeSaisitDansUneBoite) {
  Recevoir({"Tempo=2000.pvi"});
  EXPECT_EQ(M().TempoBase, "2000");
  QAction* tempo = Entree(fenetre->PopPlus(), QStringLiteral("Définir Tempo de Base"));
  ASSERT_NE(tempo, nullptr);
  banc.dialogues.saisies << QStringLiteral("abc") << QStringLiteral("1500") << std::nullopt;
  tempo->trigger();
  EXPECT_EQ(banc.dialogues.invites.last(), QStringLiteral("Tempo="));
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("abc ?? - Entrer une valeur numérique en millisecondes."));
  EXPECT_EQ(M().TempoBase, "2000");
  tempo->trigger();
  EXPECT_EQ(M().TempoBase, "1500");
  tempo->trigger();  // cancelled
  EXPECT_EQ(M().TempoBase, "1500");
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=2000.pvi"}));  // no line changes
}

}  // namespace
}  // namespace plivor
