// "plivor --montage liste.pvl", as the desktop's "Editer" starts it: the real
// program under a virtual X server, the montage's list saved through its
// own save dialog by real clicks and keys, and compared byte for byte.

#include <gtest/gtest.h>

#include "app/BancTerminal.h"
#include "support/Pilote.h"

namespace {

using plivor::test::Pilote;

// Pixels of `zone` within `tolerance` of `couleur`.
int Pixels(const QImage& image, QRect zone, QColor couleur, int tolerance = 30) {
  int n = 0;
  for (int y = zone.top(); y <= zone.bottom(); ++y)
    for (int x = zone.left(); x <= zone.right(); ++x)
      if (plivor::test::Proche(image.pixelColor(x, y), couleur, tolerance)) ++n;
  return n;
}

// The usual opening: the introduction list of the settings, projected.
void Introduction(const plivor::test::BancTerminal& banc) {
  banc.Image(QStringLiteral("bleu.jpg"), QColor(30, 40, 210), 400, 300);
  banc.Liste(QStringLiteral("intro.pvl"), {"Tempo=60000.pvi", "bleu.jpg"});
  // Its name is read from the program's folder.
  const QString intro =
      QFileInfo(QStringLiteral(PLIVOR_PROGRAMME)).dir().relativeFilePath(banc.Chemin(QStringLiteral("intro.pvl")));
  banc.Ecrire(QStringLiteral("reglages.ini"), (QStringLiteral("[Options]\nListeIntro=") + intro + QLatin1Char('\n')).toUtf8());
}

TEST(TerminalMontage, LaListeDeLaCommandeEstCelleDuMontage) {
  if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
  plivor::test::BancTerminal banc;
  banc.Image(QStringLiteral("rouge.jpg"), QColor(220, 30, 30), 400, 300);
  banc.Image(QStringLiteral("img/vert.jpg"), QColor(30, 200, 40), 400, 300);
  banc.Liste(QStringLiteral("x.pvl"), {"Tempo=2500.pvi", "rouge.jpg", "Transition=Gauche.pvi", "img/vert.jpg",
                                       "Titrage=Fin.pvv"});
  Introduction(banc);
  Pilote pilote(QStringLiteral(PLIVOR_PROGRAMME), banc.dossier.path());
  // The montage docks on the right edge; its save button asks for a name.
  const QString script = QStringLiteral(
                             "demarrer --montage x.pvl\n"
                             "fenetre 'Plivor' 20 >/dev/null; sleep 2; capturer ecran.png; boites > boites.txt\n"
                             "cliquer 1113 29; sleep 1.5\n"
                             "dans 'Sauver une liste Plivor' 60 60\n"
                             "touches ctrl+a; taper '%1'; touches Return\n"
                             "attendre_fichier lu.pvl 20\n"
                             "terminer\n")
                             .arg(banc.Chemin(QStringLiteral("lu.pvl")));
  ASSERT_EQ(pilote.Lancer(script, 120000), 0) << pilote.Erreurs();
  // The opening asked nothing; on screen, the montage's column on its
  // ground at the right edge, and the projection stopped on its slide
  // colour beside it, as when the montage is opened from the show.
  EXPECT_EQ(pilote.Lire(QStringLiteral("boites.txt")), "0\n");
  const QImage ecran = pilote.Capture(QStringLiteral("ecran.png"));
  ASSERT_EQ(ecran.size(), QSize(1280, 800));
  EXPECT_GT(Pixels(ecran, QRect(260, 120, 760, 560), QColor(60, 0, 0), 12), 300000);
  EXPECT_GT(Pixels(ecran, QRect(1048, 89, 230, 5 * 13), QColor(230, 220, 200), 4), 2000);
  // The montage holds the file's lines, its relative ones in full.
  EXPECT_EQ(pilote.Lire(QStringLiteral("lu.pvl")),
            plivor::test::BancTerminal::Crlf({"Tempo=2500.pvi", banc.Chemin(QStringLiteral("rouge.jpg")),
                                              "Transition=Gauche.pvi", banc.Chemin(QStringLiteral("img/vert.jpg")),
                                              "Titrage=Fin.pvv"})
                .toStdString())
      << pilote.Erreurs();
  // The list itself as it was.
  EXPECT_EQ(banc.Lire(QStringLiteral("x.pvl")),
            plivor::test::BancTerminal::Crlf({"Tempo=2500.pvi", "rouge.jpg", "Transition=Gauche.pvi", "img/vert.jpg",
                                              "Titrage=Fin.pvv"}));
}

}  // namespace

namespace {

// Edits a killed run left behind, taken back at the start, stay in the
// montage: the list of the command line does not push them out.
TEST(TerminalMontage, LesModificationsRepriseesNeSontPasPerdues) {
  if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
  plivor::test::BancTerminal banc;
  banc.Image(QStringLiteral("rouge.jpg"), QColor(220, 30, 30), 400, 300);
  banc.Image(QStringLiteral("vert.jpg"), QColor(30, 200, 40), 400, 300);
  banc.Liste(QStringLiteral("essai.pvl"), {"Tempo=3000.pvi", "rouge.jpg", "vert.jpg", "Titrage=Fin.pvv"});
  banc.Liste(QStringLiteral("x.pvl"), {"Tempo=2500.pvi", "vert.jpg"});
  Introduction(banc);
  Pilote pilote(QStringLiteral(PLIVOR_PROGRAMME), banc.dossier.path());
  // A run edits "essai.pvl" in the montage and is ended by a signal; the
  // next one, started on another list for the montage, is offered the
  // edits back and answers with `reponse`; the montage is then saved as `nom`.
  const auto reprendre = [&](const QString& reponse, const QString& nom) {
    ASSERT_EQ(pilote.Lancer(QStringLiteral("demarrer essai.pvl\n"
                                           "cliquer 640 400; touches c; sleep 2\n"
                                           "cliquer 1100 109; touches Delete; sleep 2.1\n"
                                           "terminer\n")),
              0)
        << pilote.Erreurs();
    const QString script = QStringLiteral(
                               "rm -f code.txt erreurs.txt\n"
                               "demarrer --montage x.pvl\n"
                               "boite; touches %1; sleep 2\n"
                               "cliquer 1113 29; sleep 1.5\n"
                               "dans 'Sauver une liste Plivor' 60 60\n"
                               "touches ctrl+a; taper '%2'; touches Return\n"
                               "attendre_fichier '%2' 20\n"
                               "terminer\n")
                               .arg(reponse, banc.Chemin(nom));
    ASSERT_EQ(pilote.Lancer(script, 120000), 0) << pilote.Erreurs();
  };
  reprendre(QStringLiteral("Return"), QStringLiteral("repris.pvl"));
  EXPECT_EQ(pilote.Lire(QStringLiteral("repris.pvl")),
            plivor::test::BancTerminal::Crlf(
                {"Tempo=3000.pvi", banc.Chemin(QStringLiteral("vert.jpg")), "Titrage=Fin.pvv"})
                .toStdString())
      << pilote.Erreurs();
  EXPECT_TRUE(pilote.Erreurs().find("Liste x.pvl non chargée : le montage garde les modifications reprises") !=
              std::string::npos)
      << pilote.Erreurs();
  // Refused, the edits leave the list of the command line its place.
  reprendre(QStringLiteral("alt+n"), QStringLiteral("refuse.pvl"));
  EXPECT_EQ(pilote.Lire(QStringLiteral("refuse.pvl")),
            plivor::test::BancTerminal::Crlf({"Tempo=2500.pvi", banc.Chemin(QStringLiteral("vert.jpg"))}).toStdString())
      << pilote.Erreurs();
  EXPECT_EQ(pilote.Erreurs().find("non chargée"), std::string::npos) << pilote.Erreurs();
}

}  // namespace
