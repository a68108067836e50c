// The program as its user meets it: the headless render of the demo, and the
// real window under a virtual X server, captured and looked at.

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/Pilote.h"

namespace {

const QString kProgramme = QStringLiteral(PLIVOR_PROGRAMME);
const QString kDemo = QStringLiteral(PLIVOR_DEMO_LISTE);

// Distinct colours in an image, counted on a coarse grid.
int Couleurs(const QImage& image, QRect zone) {
  QSet<QRgb> vues;
  for (int y = zone.top(); y <= zone.bottom(); y += 7)
    for (int x = zone.left(); x <= zone.right(); x += 7) vues.insert(image.pixel(x, y));
  return int(vues.size());
}

TEST(Programme, LeRenduSansEcranEcritLesEtapesDeLaDemo) {
  QTemporaryDir dossier;
  QProcess programme;
  programme.start(kProgramme, {QStringLiteral("--rendu"), dossier.path(), QStringLiteral("--etapes"),
                               QStringLiteral("12"), QStringLiteral("--pendant"), kDemo});
  ASSERT_TRUE(programme.waitForFinished(60000));
  EXPECT_EQ(programme.exitCode(), 0) << programme.readAllStandardError().toStdString();
  const QDir sortie(dossier.path());
  const QStringList etapes = sortie.entryList({QStringLiteral("etape-[0-9][0-9][0-9][0-9].png")}, QDir::Files, QDir::Name);
  EXPECT_EQ(etapes.size(), 12);
  // Frames inside the transitions show the reveal under way.
  EXPECT_GT(sortie.entryList({QStringLiteral("etape-*-*.png")}).size(), 20);
  // Step 1 paints the window colour; step 2 shows the opening picture.
  const QImage premiere(sortie.filePath(etapes.value(0)));
  const QImage deuxieme(sortie.filePath(etapes.value(1)));
  ASSERT_FALSE(premiere.isNull());
  EXPECT_EQ(Couleurs(premiere, premiere.rect()), 1);
  EXPECT_GT(Couleurs(deuxieme, deuxieme.rect()), 50);
  EXPECT_TRUE(QFile::exists(sortie.filePath(QStringLiteral("planche.png"))));
}

TEST(Programme, LaFenetreProjetteLaDemoSousUnServeurXVirtuel) {
  using plivor::test::Pilote;
  if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
  QTemporaryDir dossier;
  Pilote pilote(kProgramme, dossier.path());
  EXPECT_EQ(pilote.Lancer(QStringLiteral("demarrer --capture ecran.png --apres 5000 '%1'\nwait $P").arg(kDemo), 60000), 0)
      << pilote.Erreurs();
  const QImage ecran = pilote.Capture(QStringLiteral("ecran.png"));
  ASSERT_EQ(ecran.size(), QSize(1280, 800));
  // The 800 x 600 window is centred; around it the screen stays black, inside
  // it the opening picture shows.
  EXPECT_EQ(Couleurs(ecran, QRect(0, 0, 200, 80)), 1);
  EXPECT_GT(Couleurs(ecran, QRect(260, 120, 760, 560)), 50);
  // The navigation panel in the bottom-right corner, its flag menu image open.
  EXPECT_GT(Couleurs(ecran, QRect(1012, 700, 250, 90)), 20);
}

}  // namespace
