// The builder's controls in the montage window on the offscreen platform:
// the six buttons and their hints, Cmd_Liste's rows drawn with their icons,
// the value box bound to the engine, the formatting panel over the list
// with the engine's miniature, F2 and a click on the line's title.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QStackedWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include "BancMontage.h"
#include "montage/Icones.h"
#include "montage/PanneauMiseEnForme.h"
#include "montage/TFConstructeur.h"
#include "montage/TFListe.h"
#include "support/ImagesEssai.h"

namespace plivor::test {
namespace {

class FenetreConstructeur : public testing::Test {
 protected:
  FenetreConstructeur() {
    fenetre = std::make_unique<TFListe>(*banc.vue, banc.fichiers);
    banc.voisins.montage = &fenetre->Moteur();
    fenetre->resize(234, 654);
    fenetre->show();
    QApplication::processEvents();
  }
  Montage& M() { return fenetre->Moteur(); }
  TFConstructeur& T() { return *fenetre->Instructions(); }
  Constructeur& C() { return T().Moteur(); }
  void Recevoir(const Liste& lignes, int courante) {
    M().RecevoirListe(lignes, banc.Chemin(QStringLiteral("liste.pvl")), banc.fichiers.DossierCourant(), 0, false);
    M().Selectionner(courante);
    M().Selection();
    QApplication::processEvents();
  }
  void Presser(QWidget* w, Qt::MouseButton bouton) {
    QMouseEvent appui(QEvent::MouseButtonPress, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), bouton, bouton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &appui);
    QApplication::processEvents();
  }

  // Keys typed into `champ`, then Enter.
  void Taper(QWidget* champ, const QString& texte) {
    for (const QChar c : texte) {
      QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(champ, &k);
    }
    QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(champ, &entree);
    QApplication::processEvents();
  }

  BancMontage banc;
  std::unique_ptr<TFListe> fenetre;
};

TEST_F(FenetreConstructeur, LesSixBoutonsDemandentLeursFamilles) {
  const std::pair<const char*, const char*> bulles[] = {
      {"bts_tempo", "Insérer un tempo/Défilement"},
      {"bts_transition", "Transition/Durée de transition"},
      {"bts_Diapo", "Diapo/Fenêtre"},
      {"bts_titre", "Titrage"},
      {"bts_avance", "Navigation/Menu"},
      {"bts_Audio", "Click Gauche :Audio/Click droit :Objet"}};
  for (const auto& [nom, bulle] : bulles) {
    auto* b = fenetre->findChild<QToolButton*>(QString::fromLatin1(nom));
    ASSERT_NE(b, nullptr) << nom;
    EXPECT_EQ(b->toolTip(), QString::fromUtf8(bulle));
  }
  Recevoir({"Tempo=1000.pvi"}, 0);
  Presser(fenetre->findChild<QToolButton*>(QStringLiteral("bts_transition")), Qt::RightButton);
  QComboBox* cmd = T().CmdListe();
  EXPECT_EQ(cmd->toolTip(), QStringLiteral("Liste des instructions disponibles"));
  ASSERT_EQ(cmd->count(), 9);  // the eight durations, then the delay
  EXPECT_EQ(cmd->itemText(0), QStringLiteral("Duree=1/4-sec"));
  EXPECT_EQ(cmd->itemText(8), QStringLiteral("Delai=2400"));
  EXPECT_TRUE(C().ModeInsertion);
  // A right click on the title button does nothing at all.
  C().ModeInsertion = false;
  Presser(fenetre->findChild<QToolButton*>(QStringLiteral("bts_titre")), Qt::RightButton);
  EXPECT_FALSE(C().ModeInsertion);
  EXPECT_EQ(cmd->count(), 9);
}

TEST_F(FenetreConstructeur, LesRangeesDuConstructeurPortentLeursIcones) {
  Recevoir({"Tempo=1000.pvi"}, 0);
  Presser(fenetre->findChild<QToolButton*>(QStringLiteral("bts_transition")), Qt::LeftButton);
  QComboBox* cmd = T().CmdListe();
  ASSERT_EQ(cmd->count(), 18);
  QAbstractItemView* vue = cmd->view();
  vue->resize(226, 13 * 12);
  EXPECT_EQ(vue->sizeHintForRow(0), 13);
  const QImage rangees = vue->viewport()->grab().toImage();
  // Row 3: the transition icon at the left, as the montage draws it.
  const QImage icone = ImageIcone(12);
  int egaux = 0;
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 30; ++x)
      egaux += Proche(rangees.pixelColor(x, 3 * 13 + y), icone.pixelColor(x, y), 30);
  EXPECT_GT(egaux, 300);
  // The information box follows the highlighted candidate.
  auto* infos = fenetre->findChild<QTextEdit*>(QStringLiteral("Infos"));
  ASSERT_NE(infos, nullptr);
  EXPECT_EQ(infos->toPlainText(), QStringLiteral("Sans transition : l'image suivante remplace la précédente."));
  emit cmd->highlighted(3);
  EXPECT_EQ(infos->toPlainText(), QStringLiteral("Transition : Gauche."));
}

TEST_F(FenetreConstructeur, LaBoiteDeValeurEcritLaLigneSurEntree) {
  Recevoir({"Tempo=1000.pvi", "Fenetre-Cadre=-2.pvi"}, 1);
  QAction* f2 = nullptr;
  for (QAction* a : fenetre->PopListe()->actions())
    if (a->text() == QStringLiteral("Modifier la sélection")) f2 = a;
  ASSERT_NE(f2, nullptr);
  EXPECT_EQ(f2->shortcut(), QKeySequence(Qt::Key_F2));
  f2->trigger();
  QApplication::processEvents();
  QLineEdit* valeur = T().Valeur();
  ASSERT_TRUE(valeur->isVisibleTo(fenetre.get()));
  EXPECT_EQ(valeur->text(), QStringLiteral("-2"));
  EXPECT_EQ(valeur->maxLength(), 200);
  EXPECT_EQ(fenetre->findChild<QLabel*>(QStringLiteral("pni_CmdNom"))->text(), QStringLiteral("Fenetre-Cadre"));
  valeur->selectAll();
  for (const QChar c : QStringLiteral("-12")) {
    QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(valeur, &k);
  }
  QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(valeur, &entree);
  QApplication::processEvents();
  EXPECT_EQ(M().Lignes()[1], "Fenetre-Cadre=-12.pvi");
  EXPECT_FALSE(valeur->isVisibleTo(fenetre.get()));
  // A click on the line's title opens the editor again.
  Presser(fenetre->findChild<QLabel*>(QStringLiteral("Info_TitreFichier")), Qt::LeftButton);
  EXPECT_TRUE(C().EditeurVisible());
}

TEST_F(FenetreConstructeur, LePanneauCouvreLaListeEtMontreLaMiniature) {
  banc.vue->CouleurCarton = RGB(60, 0, 0);
  banc.vue->CouleurDiapo = RGB(30, 200, 40);
  Recevoir({"Diapo=Formater.pvi"}, 0);
  fenetre->Liste()->doubleClicked(fenetre->Liste()->model()->index(0, 0));
  QApplication::processEvents();
  PanneauMiseEnForme* panneau = T().Panneau();
  ASSERT_TRUE(panneau->isVisible());
  EXPECT_EQ(panneau->geometry().topLeft(), fenetre->Liste()->geometry().topLeft());
  // 25% from the size box, as a click there gives.
  panneau->Dim()->setCurrentIndex(4);
  emit panneau->Dim()->activated(4);
  QApplication::processEvents();
  const QImage miniature = panneau->Miniature()->grab().toImage();
  const QRect bloc = C().Panneau().Bloc();
  EXPECT_EQ(bloc.size(), QSize(162 / 4, 122 / 4));
  EXPECT_TRUE(Proche(miniature.pixelColor(bloc.center()), QColor(30, 200, 40), 4));
  EXPECT_TRUE(Proche(miniature.pixelColor(5, 5), QColor(60, 0, 0), 4));
  // The cancel button of a line opened to change: the line stays.
  fenetre->findChild<QPushButton*>(QStringLiteral("pnF_btAnnuler"))->click();
  QApplication::processEvents();
  EXPECT_FALSE(panneau->isVisible());
  EXPECT_EQ(M().Lignes(), Liste{"Diapo=Formater.pvi"});
}

TEST_F(FenetreConstructeur, LePanneauDuTitreMontreSaPoliceEtSonTexte) {
  banc.vue->CouleurDiapo = RGB(0, 0, 0);
  banc.vue->CouleurTitre = RGB(250, 250, 250);
  banc.vue->FonteTitre = "DejaVu Sans+B100";
  Recevoir({"Titre=Formater.pvi"}, 0);
  fenetre->Liste()->doubleClicked(fenetre->Liste()->model()->index(0, 0));
  QApplication::processEvents();
  PanneauMiseEnForme* panneau = T().Panneau();
  ASSERT_TRUE(panneau->isVisible());
  auto* noms = fenetre->findChild<QComboBox*>(QStringLiteral("Fonte_Noms"));
  auto* tailles = fenetre->findChild<QComboBox*>(QStringLiteral("Fonte_Tailles"));
  auto* styles = fenetre->findChild<QComboBox*>(QStringLiteral("Fonte_styles"));
  ASSERT_TRUE(noms && tailles && styles);
  EXPECT_TRUE(noms->isVisible());
  EXPECT_EQ(noms->currentText(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(tailles->currentText(), QStringLiteral("100"));
  EXPECT_EQ(styles->currentText(), QStringLiteral("gras"));
  EXPECT_TRUE(noms->findText(QStringLiteral("Arial Black")) >= 0);
  // The title's word in its colour on the slide's ground.
  const QImage miniature = panneau->Miniature()->grab().toImage();
  int clairs = 0;
  for (int y = 2; y < miniature.height() - 2; ++y)
    for (int x = 2; x < miniature.width() - 2; ++x) clairs += miniature.pixelColor(x, y).lightness() > 200;
  EXPECT_GT(clairs, 30);
  const QString dossier = qEnvironmentVariable("PLIVOR_CAPTURES");
  if (!dossier.isEmpty()) fenetre->grab().save(dossier + QStringLiteral("/constructeur-titre.png"));
  // A smaller size from the box: fewer light pixels.
  tailles->setCurrentText(QStringLiteral("32"));
  QApplication::processEvents();
  const QImage petite = panneau->Miniature()->grab().toImage();
  int clairsPetite = 0;
  for (int y = 2; y < petite.height() - 2; ++y)
    for (int x = 2; x < petite.width() - 2; ++x) clairsPetite += petite.pixelColor(x, y).lightness() > 200;
  EXPECT_LT(clairsPetite * 2, clairs);
  EXPECT_EQ(C().Panneau().TaillePolice(), QStringLiteral("32"));
}

TEST_F(FenetreConstructeur, LaListeDeroulanteLaisseVoirLaDescription) {
  Recevoir({"Tempo=1000.pvi"}, 0);
  Presser(fenetre->findChild<QToolButton*>(QStringLiteral("bts_transition")), Qt::LeftButton);
  QComboBox* cmd = T().CmdListe();
  cmd->showPopup();
  QApplication::processEvents();
  QWidget* deroulee = cmd->view()->window();
  ASSERT_TRUE(deroulee->isVisible());
  auto* infos = fenetre->findChild<QTextEdit*>(QStringLiteral("Infos"));
  const int hautInfos = infos->mapToGlobal(QPoint(0, 0)).y(), basInfos = hautInfos + infos->height();
  const int hautListe = deroulee->mapToGlobal(QPoint(0, 0)).y(), basListe = hautListe + deroulee->height();
  EXPECT_TRUE(basListe <= hautInfos || hautListe >= basInfos)
      << hautListe << "-" << basListe << " / " << hautInfos << "-" << basInfos;
  EXPECT_LE(basListe, cmd->mapToGlobal(QPoint(0, 0)).y()) << "dropped upwards, over the list";
  // Moving down the list: the description follows, in sight.
  QKeyEvent bas(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(cmd->view(), &bas);
  QApplication::sendEvent(cmd->view(), &bas);
  QApplication::processEvents();
  EXPECT_EQ(infos->toPlainText(), QStringLiteral("Transition : Bas."));
  cmd->hidePopup();
  // The four lines of the menu family end above the box: they drop down.
  Presser(fenetre->findChild<QToolButton*>(QStringLiteral("bts_avance")), Qt::RightButton);
  ASSERT_EQ(cmd->count(), 4);
  cmd->showPopup();
  QApplication::processEvents();
  EXPECT_GE(deroulee->mapToGlobal(QPoint(0, 0)).y(), cmd->mapToGlobal(QPoint(0, cmd->height())).y() - 1);
  EXPECT_LE(deroulee->mapToGlobal(QPoint(0, 0)).y() + deroulee->height(), hautInfos);
  cmd->hidePopup();
}

TEST_F(FenetreConstructeur, UneLigneLibreRefuseeSeMontreAvecSonMotCle) {
  Recevoir({"Tempo=1000.pvi", "Foo=Bar.pvi"}, 1);
  C().ModifierCmd();
  QApplication::processEvents();
  QLineEdit* valeur = T().Valeur();
  auto* nom = fenetre->findChild<QLabel*>(QStringLiteral("pni_CmdNom"));
  EXPECT_EQ(valeur->text(), QStringLiteral("Foo=Bar.pvi"));
  valeur->selectAll();
  Taper(valeur, QStringLiteral("Audio-Volume=500.pvi"));
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(nom->text(), QStringLiteral("Audio-Volume"));
  EXPECT_EQ(valeur->text(), QStringLiteral("500"));
  valeur->selectAll();
  Taper(valeur, QStringLiteral("50"));
  EXPECT_EQ(M().Lignes()[1], "Audio-Volume=50.pvi");
  EXPECT_EQ(banc.dialogues.textes.size(), 1);
}

TEST_F(FenetreConstructeur, LesPagesDOptionsPortentLeurNom) {
  const std::pair<const char*, const char*> pages[] = {
      {"Fenetre=Formater.pvi", "Fenetre"}, {"Diapo=Formater.pvi", "Carte"}, {"Objet=Formater.pvi", "Objet"}};
  for (const auto& [ligne, titre] : pages) {
    Recevoir({ligne}, 0);
    C().ModifierCmd();
    QApplication::processEvents();
    auto* pile = fenetre->findChild<QStackedWidget*>(QStringLiteral("pnf_Onglets"));
    ASSERT_NE(pile, nullptr);
    auto* page = qobject_cast<QGroupBox*>(pile->currentWidget());
    ASSERT_NE(page, nullptr) << ligne;
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->title(), QString::fromLatin1(titre));
    C().Panneau().Annuler();
  }
}

TEST_F(FenetreConstructeur, LeBoutonDeLigneLibreEcritNImporteQuelleLigne) {
  Recevoir({"Tempo=1000.pvi", "Titrage=Fin.pvv"}, 0);
  auto* libre = fenetre->findChild<QToolButton*>(QStringLiteral("bts_libre"));
  ASSERT_NE(libre, nullptr);
  EXPECT_EQ(libre->toolTip(), QStringLiteral("Insérer une ligne libre"));
  libre->click();
  QApplication::processEvents();
  QLineEdit* valeur = T().Valeur();
  ASSERT_TRUE(valeur->isVisibleTo(fenetre.get()));
  EXPECT_EQ(valeur->text(), QString());
  EXPECT_EQ(fenetre->findChild<QLabel*>(QStringLiteral("pni_CmdNom"))->text(), QString());
  Taper(valeur, QStringLiteral("Foo=Bar.pvi"));
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Foo=Bar.pvi", "Titrage=Fin.pvv"}));
  EXPECT_FALSE(valeur->isVisibleTo(fenetre.get()));
  EXPECT_EQ(M().Focus(), 1);
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
}

}  // namespace
}  // namespace plivor::test
