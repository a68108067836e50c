#include <QMenu>
#include <gtest/gtest.h>

#include "projection/MenuProjection.h"
#include "support/BancVue.h"

namespace plivor {
namespace {

// Every entry of a menu and its sub-menus, in order: caption and shortcut,
// "-" for a separator, sub-menus indented.
QStringList Entrees(const QMenu& menu, const QString& retrait = {}) {
  QStringList entrees;
  for (const QAction* action : menu.actions()) {
    if (action->isSeparator()) {
      entrees << retrait + QStringLiteral("-");
    } else if (action->menu()) {
      entrees << retrait + action->text() + QStringLiteral(" >");
      entrees << Entrees(*action->menu(), retrait + QStringLiteral("  "));
    } else {
      entrees << retrait + action->text() + QStringLiteral(" [") + action->shortcut().toString() + QStringLiteral("]");
    }
  }
  return entrees;
}

TEST(MenuProjection, ToutesLesEntreesDansLeurOrdre) {
  test::BancVue banc;
  QWidget fenetre;
  MenuProjection menu(*banc.vue, &fenetre);
  const QStringList attendues = {
      "Pause [Space]", "Menu Navigation [N]", "Navigation >", "  Début [D]", "  Premier Drapeau [F5]",
      "  Drapeau précédent [F6]", "  Drapeau suivant [F7]", "  Dernier Drapeau [F8]", "  Manuel >",
      "    Mode manuel [Z]", "    Mode Muet [Ù]", "    Précédent [P]", "    Suivant [S]", "Musique [M]",
      "Avance [A]", "Voir les icônes [K]", "-", "Ouvrir une séquence [O]", "Composer une Liste [L]",
      "Créer une séquence [C]", "-", "Projection >", "  Plein écran [E]", "  Rafraichir la fenêtre [F]",
      "  Fenêtre Windows [W]", "  Modifier la couleur [Y]", "  Masquer les Bulles [H]",
      "Options et Installation [I]", "Aide Projection [F1]", "-", "Quitter [Ctrl+Q]"};
  EXPECT_EQ(Entrees(menu.PopImage()), attendues);
  // The 25 commands' shortcuts act on the window itself.
  EXPECT_EQ(fenetre.actions().size(), 25);
}

TEST(MenuProjection, LesCochesSuiventLaProjection) {
  test::BancVue banc;
  QWidget fenetre;
  MenuProjection menu(*banc.vue, &fenetre);
  banc.vue->Medias = {"Tempo=100.pvi"};
  menu.Action(Emetteur::PopAvance)->trigger();
  EXPECT_TRUE(banc.vue->AvanceAuto);
  EXPECT_TRUE(menu.Action(Emetteur::PopAvance)->isChecked());
  menu.Action(Emetteur::PopPause)->trigger();
  EXPECT_EQ(banc.vue->EtatPause, 1);
  EXPECT_TRUE(menu.Action(Emetteur::PopPause)->isChecked());
  EXPECT_FALSE(menu.Action(Emetteur::PopAvance)->isChecked());
  menu.Action(Emetteur::PopBulles)->trigger();
  EXPECT_TRUE(menu.Action(Emetteur::PopBulles)->isChecked());
}

}  // namespace
}  // namespace plivor
