// The projection's screen among several: how the options list them, the
// choice kept in the settings and read back, the primary screen standing in
// for one that is gone, and the layout size following the choice.

#include <QSettings>
#include <gtest/gtest.h>

#include "options/TFOptions.h"
#include "support/BancVue.h"

namespace plivor {
namespace {

using test::BancVue;

const EcranDecrit kPortable{QStringLiteral("eDP-1"), QRect(0, 0, 1280, 800), true};
const EcranDecrit kProjecteur{QStringLiteral("HDMI-1"), QRect(1280, 0, 1920, 1080), false};
const EcranDecrit kMoniteur{QStringLiteral("DP-2"), QRect(-1024, 0, 1024, 768), false};

TEST(EcranProjection, LibellesEtChoixParNom) {
  EXPECT_EQ(LibelleEcran(kProjecteur), QStringLiteral("HDMI-1 — 1920 × 1080"));
  const std::vector<EcranDecrit> ecrans = {kMoniteur, kPortable, kProjecteur};
  EXPECT_EQ(IndexEcran(ecrans, QStringLiteral("HDMI-1")), 2);
  EXPECT_EQ(IndexEcran(ecrans, QStringLiteral("DP-2")), 0);
  // Nothing chosen, or a screen not there: the primary one.
  EXPECT_EQ(IndexEcran(ecrans, QString()), 1);
  EXPECT_EQ(IndexEcran(ecrans, QStringLiteral("VGA-1")), 1);
  // Names are told apart exactly.
  EXPECT_EQ(IndexEcran(ecrans, QStringLiteral("hdmi-1")), 1);
  EXPECT_EQ(IndexEcran({}, QStringLiteral("HDMI-1")), -1);
  // No screen marked primary: the first.
  EXPECT_EQ(IndexEcran({kProjecteur, kMoniteur}, QString()), 0);
}

TEST(EcranProjection, ChoixEnregistreRetrouveEtRemplaceQuandIlManque) {
  BancVue banc;
  banc.ecran.Brancher({kPortable, kProjecteur});
  TFOptions& o = *banc.options;
  // By default the primary screen, and its size for the layouts.
  EXPECT_EQ(o.EcranChoisi(), 0);
  EXPECT_EQ(banc.ecran.Taille(), QSize(1280, 800));

  o.ChoisirEcran(1);
  EXPECT_EQ(o.opt_ecran, QStringLiteral("HDMI-1"));
  EXPECT_EQ(o.EcranChoisi(), 1);
  EXPECT_EQ(banc.ecran.Taille(), QSize(1920, 1080));
  EXPECT_EQ(banc.ecran.Principal(), QRect(0, 0, 1280, 800));
  o.ChoisirEcran(7);  // no such screen: the choice stays
  EXPECT_EQ(o.EcranChoisi(), 1);
  o.Visible = true;
  o.OptionsSauver();
  QSettings lu(banc.dossier.filePath(QStringLiteral("reglages.ini")), QSettings::IniFormat);
  EXPECT_EQ(lu.value("Options/EcranProjection").toString(), QStringLiteral("HDMI-1"));

  // Read back at the next start, the screen plugged in.
  banc.ecran.Choisir(QString());
  TFOptions relu(*banc.vue, *banc.registre);
  EXPECT_EQ(relu.opt_ecran, QStringLiteral("HDMI-1"));
  EXPECT_EQ(banc.ecran.NomChoisi(), QStringLiteral("HDMI-1"));
  EXPECT_EQ(banc.ecran.Taille(), QSize(1920, 1080));

  // Unplugged: the primary stands in, and the name is kept for when it
  // comes back.
  banc.ecran.Brancher({kMoniteur, kPortable});
  TFOptions sansProjecteur(*banc.vue, *banc.registre);
  EXPECT_EQ(sansProjecteur.EcranChoisi(), 1);
  EXPECT_EQ(banc.ecran.Taille(), QSize(1280, 800));
  EXPECT_EQ(banc.ecran.Projection().nom, QStringLiteral("eDP-1"));
  sansProjecteur.Visible = true;
  sansProjecteur.OptionsSauver();
  EXPECT_EQ(lu.value("Options/EcranProjection").toString(), QStringLiteral("HDMI-1"));
  banc.ecran.Brancher({kMoniteur, kPortable, kProjecteur});
  EXPECT_EQ(banc.ecran.Taille(), QSize(1920, 1080));
}

TEST(EcranProjection, PleinEcranSuitLEcranChoisi) {
  BancVue banc;
  banc.ecran.Brancher({kPortable, kProjecteur});
  TFVue& vue = *banc.vue;
  // Through a window to full screen, as "Plein écran" twice.
  if (!vue.FenetreSeule) vue.BureauVM();
  vue.BureauVM();
  ASSERT_FALSE(vue.FenetreSeule);
  EXPECT_EQ(vue.Fenetre, QRect(0, 0, 1280, 800));
  banc.options->ChoisirEcran(1);
  EXPECT_EQ(vue.Fenetre, QRect(0, 0, 1920, 1080));
  // The frame is placed again in the middle of the new screen.
  EXPECT_TRUE(vue.Fenetre.contains(vue.Carton)) << vue.Carton.x() << "," << vue.Carton.y();
  EXPECT_LE((vue.Carton.center() - vue.Fenetre.center()).manhattanLength(), 2)
      << vue.Carton.x() << "," << vue.Carton.y();
  // Back to a window and to full screen again: still the chosen screen.
  vue.BureauVM();
  vue.BureauVM();
  EXPECT_EQ(vue.Fenetre, QRect(0, 0, 1920, 1080));
}

}  // namespace
}  // namespace plivor
