// The projection window and the navigation panel as widgets, driven by the
// events a user's keys and buttons send them.

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "navigation/Glyphes.h"
#include "navigation/PanneauNavigation.h"
#include "navigation/TFMenu.h"
#include "platform/Traductions.h"
#include "projection/EcranVue.h"
#include "projection/MenuProjection.h"
#include "support/BancVue.h"

namespace plivor {
namespace {

TEST(EcranVue, LaToucheAGaucheDuUnBasculeLeModeMuetQuelQueSoitLeClavier) {
  test::BancVue banc;
  EcranVue ecran(*banc.vue);
  // "²" on a French keyboard, "`" on an American one: the same key.
  for (const auto& [touche, texte] : {std::pair{Qt::Key_twosuperior, QStringLiteral("²")},
                                      std::pair{Qt::Key_QuoteLeft, QStringLiteral("`")}}) {
    const bool avant = banc.vue->Muet;
    QKeyEvent appui(QEvent::KeyPress, touche, Qt::NoModifier, 49, 0, 0, texte);
    QApplication::sendEvent(&ecran, &appui);
    EXPECT_NE(banc.vue->Muet, avant) << texte.toStdString();
  }
  // Another key of the same row does nothing of the kind.
  QKeyEvent autre(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, 11, 0, 0, QStringLiteral("2"));
  const bool avant = banc.vue->Muet;
  QApplication::sendEvent(&ecran, &autre);
  EXPECT_EQ(banc.vue->Muet, avant);
}

TEST(EcranVue, LeMenuSOuvreSousLePointeur) {
  test::BancVue banc;
  banc.vue->Medias = {"Tempo=1000.pvi"};
  EcranVue ecran(*banc.vue);
  ecran.setGeometry(0, 0, 800, 600);
  ecran.show();
  QTest::mousePress(&ecran, Qt::RightButton, {}, QPoint(300, 200));
  QMenu& menu = ecran.Menu().PopImage();
  ASSERT_TRUE(menu.isVisible());
  EXPECT_EQ(menu.pos(), ecran.mapToGlobal(QPoint(300, 200)));
  menu.hide();
}

class FenetrePanneau : public testing::Test {
 protected:
  FenetrePanneau() { banc.voisins.panneauNav = &panneau; }
  QWidget* Bouton(Emetteur bouton) {
    for (auto* b : fenetre.findChildren<BoutonPanneau*>())
      if (b->Bouton() == bouton) return b;
    return nullptr;
  }
  test::BancVue banc;
  PanneauNavigation panneau{*banc.vue, QSize(1280, 800)};
  QMenu popImage;
  TFMenu fenetre{panneau, *banc.vue, &popImage};
};

TEST_F(FenetrePanneau, LesConseilsSeMontrentSansQueLePanneauAitLeFocus) {
  EXPECT_TRUE(fenetre.testAttribute(Qt::WA_AlwaysShowToolTips));
}

TEST_F(FenetrePanneau, LeRelachementDroitDuBoutonNavigationRepartDuDebut) {
  // With flags the panel offers its navigation button.
  banc.vue->Medias = {"Tempo=1234.pvi", "Drapeau=Un.pvd", "Titrage=Un.pvv"};
  banc.vue->CreerPopDrapeaux();
  banc.vue->IndexCourant = 2;
  panneau.Montrer(true);
  fenetre.show();
  QWidget* navigation = Bouton(Emetteur::bt_Navigation);
  ASSERT_NE(navigation, nullptr);
  ASSERT_TRUE(navigation->isVisible());
  QTest::mousePress(navigation, Qt::RightButton);
  EXPECT_FALSE(popImage.isVisible());  // the projection's menu stays closed
  QTest::mouseRelease(navigation, Qt::RightButton);
  EXPECT_EQ(banc.vue->Timer1.interval(), 1234);  // started again from line 0
}

TEST(Glyphes, UnBoutonInactifPalit) {
  const QIcon icone = Glyphe(Emetteur::bt_Pause);
  const QImage actif = icone.pixmap(QSize(22, 22), QIcon::Normal).toImage();
  const QImage inactif = icone.pixmap(QSize(22, 22), QIcon::Disabled).toImage();
  long long opaciteActive = 0, opaciteInactive = 0;
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 22; ++x) {
      opaciteActive += qAlpha(actif.pixel(x, y));
      opaciteInactive += qAlpha(inactif.pixel(x, y));
    }
  ASSERT_GT(opaciteActive, 0);
  EXPECT_LT(opaciteInactive * 2, opaciteActive);
}

// Pixels neither clear nor solid: the edges of a drawing.
int PixelsDeBord(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int a = qAlpha(image.pixel(x, y));
      if (a > 16 && a < 240) ++n;
    }
  return n;
}

TEST(Glyphes, UnEcranDoubleAUnDessinASaDensite) {
  const QIcon icone = Glyphe(Emetteur::bt_Pause);
  const QImage simple = icone.pixmap(QSize(22, 22), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage double_ = icone.pixmap(QSize(22, 22), 2.0).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(double_.size(), QSize(44, 44));
  // Not the small one enlarged: that would blur each edge over twice the
  // pixels a drawing at that size has.
  const QImage agrandie = simple.scaled(44, 44, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  ASSERT_GT(PixelsDeBord(agrandie), 0);
  EXPECT_LT(PixelsDeBord(double_) * 4, PixelsDeBord(agrandie) * 3)
      << PixelsDeBord(double_) << " " << PixelsDeBord(agrandie);
}

TEST(Traductions, LesTextesDeQtSontEnFrancais) {
  const auto traduction = InstallerTraductionsQt();
  ASSERT_NE(traduction, nullptr) << "traductions françaises de Qt absentes";
  EXPECT_EQ(QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText), QStringLiteral("Espace"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
}

}  // namespace
}  // namespace plivor
