// The options window at the default font: every tab, control and option in
// view at once, nothing cut or scrolled.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include "options/FenetreOptions.h"
#include "options/TFOptions.h"
#include "support/BancVue.h"

namespace plivor {
namespace {

TEST(FenetreOptions, ChaquePageMontreToutSonContenu) {
  test::BancVue banc;
  FenetreOptions fenetre(*banc.options);
  fenetre.show();
  QApplication::processEvents();

  auto* onglets = fenetre.findChild<QTabWidget*>();
  ASSERT_NE(onglets, nullptr);
  const QTabBar* barre = onglets->tabBar();
  ASSERT_EQ(barre->count(), 3);
  for (int i = 0; i < barre->count(); ++i)
    EXPECT_TRUE(barre->rect().contains(barre->tabRect(i))) << barre->tabText(i).toStdString();
  for (const QToolButton* fleche : barre->findChildren<QToolButton*>()) EXPECT_FALSE(fleche->isVisible());

  for (int page = 0; page < onglets->count(); ++page) {
    onglets->setCurrentIndex(page);
    QApplication::processEvents();
    for (QWidget* enfant : onglets->widget(page)->findChildren<QWidget*>()) {
      const bool controle = qobject_cast<QLabel*>(enfant) || qobject_cast<QPushButton*>(enfant) ||
                            qobject_cast<QComboBox*>(enfant) || qobject_cast<QListWidget*>(enfant);
      if (!enfant->isVisible() || !controle) continue;
      const QRect place(enfant->mapTo(&fenetre, QPoint(0, 0)), enfant->size());
      EXPECT_TRUE(fenetre.rect().contains(place)) << page << " " << enfant->metaObject()->className();
      if (!qobject_cast<QLabel*>(enfant)) {
        EXPECT_GE(enfant->width(), enfant->minimumSizeHint().width()) << page << " " << enfant->metaObject()->className();
      }
    }
  }

  // Every option in the list's view, none cut at its end.
  onglets->setCurrentIndex(1);
  QApplication::processEvents();
  auto* liste = fenetre.findChild<QListWidget*>();
  ASSERT_NE(liste, nullptr);
  ASSERT_EQ(liste->count(), kNombreOptions);
  for (int i = 0; i < liste->count(); ++i) {
    const QRect rangee = liste->visualItemRect(liste->item(i));
    EXPECT_TRUE(liste->viewport()->rect().contains(rangee)) << liste->item(i)->text().toStdString();
  }
  EXPECT_LE(liste->sizeHintForColumn(0), liste->viewport()->width());
}

}  // namespace
}  // namespace plivor
