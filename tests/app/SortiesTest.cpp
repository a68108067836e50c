// Every way out of the real program, and lists written to hang it, under a
// virtual X server driven as a user would: keys, clicks, a window closed.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ProgrammeReel.h"

#include <iostream>

namespace {

const QString kProgramme = QStringLiteral(PLIVOR_PROGRAMME);
const QString kPilote = QStringLiteral(PLIVOR_PILOTE);
const QString kSurXvfb = QStringLiteral(PLIVOR_SUR_XVFB);
const QString kFermer = QStringLiteral(PLIVOR_FERMER);
const QString kImage = QFileInfo(QStringLiteral(PLIVOR_DEMO_LISTE)).absolutePath() + "/media/ouverture.jpg";

class Sorties : public testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
      GTEST_SKIP() << "Xvfb ou xdotool absent";
  }
  QString Liste(const QString& nom, const QStringList& lignes) {
    QFile f(dossier.filePath(nom));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    for (const QString& l : lignes) f.write((l + "\r\n").toLatin1());
    return f.fileName();
  }
  // How the program ended: "fin N", or "toujours vivant".
  QString Piloter(const QString& liste, const QString& facon, const QStringList& arguments = {}) {
    QProcess pilote;
    pilote.setProcessEnvironment(plivor::test::EnvironnementReel(dossier.filePath(QStringLiteral("reglages.ini"))));
    pilote.start(QStringLiteral("bash"), QStringList{kSurXvfb, QStringLiteral("bash"), kPilote, kProgramme, liste,
                                                     facon, kFermer, QStringLiteral("--")} +
                                             arguments);
    EXPECT_TRUE(pilote.waitForFinished(60000));
    const QString sortie = QString::fromLocal8Bit(pilote.readAllStandardOutput()).trimmed();
    const QString fin = sortie.section(QLatin1Char('\n'), -1);
    // What the program said, for the one who reads a failure.
    if (fin != QLatin1String("fin 0")) std::cerr << pilote.readAllStandardError().toStdString();
    return fin;
  }
  QString Simple() { return Liste(QStringLiteral("simple.pvl"), {QStringLiteral("Tempo=4000.pvi"), kImage}); }
  QTemporaryDir dossier;
};

TEST_F(Sorties, CtrlQTermineLeProgramme) { EXPECT_EQ(Piloter(Simple(), QStringLiteral("ctrlq")), "fin 0"); }

TEST_F(Sorties, LEntreeQuitterDuMenu) { EXPECT_EQ(Piloter(Simple(), QStringLiteral("menu")), "fin 0"); }

TEST_F(Sorties, LeBoutonQuitterDuPanneau) {
  const QString liste = Liste(QStringLiteral("panneau.pvl"),
                              {QStringLiteral("Icones=Afficher.pvi"), QStringLiteral("Tempo=4000.pvi"), kImage});
  EXPECT_EQ(Piloter(liste, QStringLiteral("panneau")), "fin 0");
}

TEST_F(Sorties, FermerLaFenetre) { EXPECT_EQ(Piloter(Simple(), QStringLiteral("fermer")), "fin 0"); }

TEST_F(Sorties, UnSignalTermTermineSansQuestion) {
  EXPECT_EQ(Piloter(Simple(), QStringLiteral("terme")), "fin 0");
}

TEST_F(Sorties, UneLigneSautQuitter) {
  const QString liste =
      Liste(QStringLiteral("fin.pvl"), {QStringLiteral("Tempo=1000.pvi"), kImage, QStringLiteral("Saut=Quitter.pvi")});
  EXPECT_EQ(Piloter(liste, QStringLiteral("rien")), "fin 0");
}

TEST_F(Sorties, QuitterDansLeMenuDesDrapeaux) {
  Liste(QStringLiteral("menu.txt"), {QStringLiteral("Un"), QStringLiteral("Quitter")});
  const QString liste = Liste(QStringLiteral("drapeaux.pvl"),
                              {QStringLiteral("Drapeaux=") + dossier.filePath(QStringLiteral("menu.txt")) + ".pvr",
                               QStringLiteral("Drapeau=Un.pvd"), QStringLiteral("Tempo=4000.pvi"), kImage});
  EXPECT_EQ(Piloter(liste, QStringLiteral("drapeaux")), "fin 0");
}

// Lists that chain back on themselves leave a window that answers.
TEST_F(Sorties, LesListesSansFinLaissentLaFenetreRepondre) {
  QStringList absents;
  for (int i = 0; i < 40; ++i) absents << dossier.filePath(QStringLiteral("absent%1.jpg").arg(i));
  Liste(QStringLiteral("b.pvl"), {QStringLiteral("Séquence=") + dossier.filePath(QStringLiteral("a.pvl")) + ".pvr"});
  const QStringList listes = {
      Liste(QStringLiteral("saut.pvl"), {QStringLiteral("Saut=Début.pvi")}),
      Liste(QStringLiteral("tempo.pvl"), {QStringLiteral("Tempo=500.pvi"), QStringLiteral("Saut=Début.pvi")}),
      Liste(QStringLiteral("aller.pvl"), {QStringLiteral("AllerA=X.pvi"), QStringLiteral("Drapeau=X.pvd")}),
      Liste(QStringLiteral("a.pvl"), {QStringLiteral("Séquence=") + dossier.filePath(QStringLiteral("b.pvl")) + ".pvr"}),
  };
  for (const QString& liste : listes) EXPECT_EQ(Piloter(liste, QStringLiteral("ctrlq")), "fin 0") << liste.toStdString();
}

TEST_F(Sorties, SurUneListeSansFinUnClicDroitOuvreEncoreLeMenu) {
  const QString liste =
      Liste(QStringLiteral("tempo.pvl"), {QStringLiteral("Tempo=500.pvi"), QStringLiteral("Saut=Début.pvi")});
  const QString capture = dossier.filePath(QStringLiteral("menu.png"));
  EXPECT_EQ(Piloter(liste, QStringLiteral("clic-droit"),
                    {QStringLiteral("--capture"), capture, QStringLiteral("--apres"), QStringLiteral("3500")}),
            "fin 0");
  const QImage ecran(capture);
  ASSERT_FALSE(ecran.isNull());
  // The menu stands under the pointer: many colours where the show has
  // only its window colour.
  QSet<QRgb> couleurs;
  for (int y = 400; y < 600; y += 3)
    for (int x = 640; x < 800; x += 3) couleurs.insert(ecran.pixel(x, y));
  EXPECT_GT(couleurs.size(), 3);
}

}  // namespace
