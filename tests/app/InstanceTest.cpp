// One program per user: the real program under a virtual X server, a
// second launch from a shell as the file manager makes it, the processes
// counted and the screen looked at.

#include <gtest/gtest.h>

#include "app/BancTerminal.h"
#include "support/Pilote.h"

namespace {

using plivor::test::BancTerminal;
using plivor::test::Pilote;

// The middle of the slide, where the picture of the list is.
int Pixels(const QImage& image, QColor couleur) {
  int n = 0;
  for (int y = 350; y < 450; ++y)
    for (int x = 540; x < 740; ++x)
      if (plivor::test::Proche(image.pixelColor(x, y), couleur, 40)) ++n;
  return n;
}
// Anywhere on the screen.
int PixelsEcran(const QImage& image, QColor couleur) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (plivor::test::Proche(image.pixelColor(x, y), couleur, 40)) ++n;
  return n;
}
const QColor kRouge(220, 30, 30), kBleu(30, 40, 210);
constexpr int kMilieu = 200 * 100;

// The socket in a runtime folder of the test's own; `nombre` counts the
// programs started with this test's settings.
const char kEntete[] = R"SH(
mkdir -m 700 -p run; export XDG_RUNTIME_DIR=$PWD/run
nombre() {
  local n=0 p
  for p in $(pgrep -x plivor); do
    grep -qzx "PLIVOR_REGLAGES=$PLIVOR_REGLAGES" /proc/$p/environ 2>/dev/null && n=$((n+1))
  done
  echo $n
}
# A launch that must end by itself; its exit code in FICHIER.
second() { local f=$1; shift; timeout 60 "$PLIVOR" "$@" 2>>erreurs.txt; echo $? > "$f"; }
)SH";

class Instance : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
    banc.Image(QStringLiteral("rouge.jpg"), kRouge, 400, 300);
    banc.Image(QStringLiteral("bleu.jpg"), kBleu, 400, 300);
    banc.Liste(QStringLiteral("a.pvl"), {"Tempo=60000.pvi", "rouge.jpg"});
    banc.Liste(QStringLiteral("b.pvl"), {"Tempo=60000.pvi", "bleu.jpg"});
  }
  int Lancer(const QString& actions) { return pilote.Lancer(QString::fromLatin1(kEntete) + actions, 180000); }
  std::string Lu(const char* nom) const { return pilote.Lire(QString::fromLatin1(nom)); }

  BancTerminal banc;
  Pilote pilote{QStringLiteral(PLIVOR_PROGRAMME), banc.dossier.path()};
};

TEST_F(Instance, LaSecondeLanceeConfieSaListeAuProgrammeOuvert) {
  ASSERT_EQ(Lancer(QStringLiteral("demarrer a.pvl\n"
                                  "capturer a.png\n"
                                  "second seconde.txt b.pvl\n"
                                  "sleep 4; capturer b.png; nombre > nombre.txt\n"
                                  // Without lists it only raises: the show stays.
                                  "second troisieme.txt\n"
                                  "sleep 2; capturer c.png; nombre >> nombre.txt\n"
                                  // Several are chained, the first one first.
                                  "second quatrieme.txt a.pvl b.pvl\n"
                                  "sleep 4; capturer d.png; nombre >> nombre.txt\n"
                                  "terminer\n")),
            0)
      << pilote.Erreurs();
  EXPECT_EQ(Lu("seconde.txt"), "0\n") << pilote.Erreurs();
  EXPECT_EQ(Lu("troisieme.txt"), "0\n") << pilote.Erreurs();
  EXPECT_EQ(Lu("quatrieme.txt"), "0\n") << pilote.Erreurs();
  EXPECT_EQ(Lu("nombre.txt"), "1\n1\n1\n");
  EXPECT_EQ(Pixels(pilote.Capture(QStringLiteral("d.png")), kRouge), kMilieu);
  EXPECT_EQ(Pixels(pilote.Capture(QStringLiteral("a.png")), kRouge), kMilieu);
  EXPECT_EQ(Pixels(pilote.Capture(QStringLiteral("b.png")), kBleu), kMilieu);
  EXPECT_EQ(Pixels(pilote.Capture(QStringLiteral("c.png")), kBleu), kMilieu);
  // The first program ended as usual, on its signal.
  EXPECT_EQ(pilote.Code(), 0);
  EXPECT_EQ(Lu("reste.txt"), "<absent>");
}

TEST_F(Instance, NouvelleInstanceDemarreUnSecondProgramme) {
  ASSERT_EQ(Lancer(QStringLiteral("demarrer a.pvl\n"
                                  "\"$PLIVOR\" --nouvelle-instance b.pvl 2>>erreurs.txt & Q=$!\n"
                                  "sleep 6; nombre > nombre.txt; capturer b.png\n"
                                  "kill -0 $Q && echo vivant > second.txt; kill $Q; wait $Q\n"
                                  // The first one is still the one a launch finds.
                                  "second troisieme.txt b.pvl; sleep 4; capturer c.png\n"
                                  "terminer\n")),
            0)
      << pilote.Erreurs();
  EXPECT_EQ(Lu("nombre.txt"), "2\n");
  EXPECT_EQ(Lu("second.txt"), "vivant\n");
  EXPECT_EQ(Pixels(pilote.Capture(QStringLiteral("b.png")), kBleu), kMilieu);
  EXPECT_EQ(Lu("troisieme.txt"), "0\n") << pilote.Erreurs();
  EXPECT_EQ(Pixels(pilote.Capture(QStringLiteral("c.png")), kBleu), kMilieu);
  EXPECT_EQ(pilote.Code(), 0);
}

TEST_F(Instance, UnSocketLaisseParUnProgrammeTueNeBloquePas) {
  ASSERT_EQ(Lancer(QStringLiteral("demarrer a.pvl\n"
                                  "kill -9 $P; wait $P\n"
                                  "ls run | grep -c 'sock$' > reste.sock.txt\n"
                                  "demarrer b.pvl\n"
                                  "nombre > nombre.txt; capturer b.png\n"
                                  // The new program is the registered one.
                                  "second seconde.txt a.pvl; sleep 4; capturer a.png; nombre >> nombre.txt\n"
                                  "terminer\n")),
            0)
      << pilote.Erreurs();
  EXPECT_EQ(Lu("reste.sock.txt"), "1\n");
  EXPECT_EQ(Pixels(pilote.Capture(QStringLiteral("b.png")), kBleu), kMilieu);
  EXPECT_EQ(Lu("seconde.txt"), "0\n") << pilote.Erreurs();
  EXPECT_EQ(Pixels(pilote.Capture(QStringLiteral("a.png")), kRouge), kMilieu);
  EXPECT_EQ(Lu("nombre.txt"), "1\n1\n");
  EXPECT_EQ(pilote.Code(), 0);
}

// Two launches at the same moment: one program stays, the other hands its
// list to it and ends with 0.
TEST_F(Instance, DeuxLancementsEnMemeTempsLaissentUnSeulProgramme) {
  ASSERT_EQ(Lancer(QStringLiteral("(timeout 90 \"$PLIVOR\" a.pvl 2>>erreurs.txt; echo $? > fin-a.txt) &\n"
                                  "(timeout 90 \"$PLIVOR\" b.pvl 2>>erreurs.txt; echo $? > fin-b.txt) &\n"
                                  "fenetre \"$PROJECTION\" 30 >/dev/null; sleep 8\n"
                                  "nombre > nombre.txt; ls fin-*.txt > finis.txt\n"
                                  "for p in $(pgrep -x plivor); do\n"
                                  "  grep -qzx \"PLIVOR_REGLAGES=$PLIVOR_REGLAGES\" /proc/$p/environ && kill $p\n"
                                  "done\n"
                                  "attendre_fichier fin-a.txt 20; attendre_fichier fin-b.txt 20\n")),
            0)
      << pilote.Erreurs();
  EXPECT_EQ(Lu("nombre.txt"), "1\n");
  // One had ended by itself, with 0; the other ended on its signal, with 0.
  const std::string finis = Lu("finis.txt");
  EXPECT_TRUE(finis == "fin-a.txt\n" || finis == "fin-b.txt\n") << finis;
  EXPECT_EQ(Lu("fin-a.txt"), "0\n") << pilote.Erreurs();
  EXPECT_EQ(Lu("fin-b.txt"), "0\n") << pilote.Erreurs();
}

}  // namespace

namespace {

// Lists that arrive while the program waits on a box are taken once the
// box and the dialog after it are closed, not under them.
TEST_F(Instance, LesListesAttendentQueLaBoiteSoitFermee) {
  ASSERT_EQ(Lancer(QStringLiteral("\"$PLIVOR\" absente.pvl 2>>erreurs.txt & P=$!\n"
                                  "boite\n"
                                  "second seconde.txt b.pvl\n"
                                  "sleep 2; boites > boites.txt; capturer sous.png; texte_boite > texte.txt\n"
                                  "touches Return\n"
                                  "fenetre 'Charger une liste' 20 >/dev/null && echo ouvert > dialogue.txt\n"
                                  "dans 'Charger une liste' 60 60; touches Escape\n"
                                  "sleep 4; capturer b.png; nombre > nombre.txt\n"
                                  "terminer\n")),
            0)
      << pilote.Erreurs();
  EXPECT_EQ(Lu("seconde.txt"), "0\n") << pilote.Erreurs();
  EXPECT_EQ(Lu("boites.txt"), "1\n");
  // Nothing of the list handed over while the box is there.
  EXPECT_EQ(PixelsEcran(pilote.Capture(QStringLiteral("sous.png")), kBleu), 0);
  EXPECT_NE(Lu("texte.txt").find("absente.pvl non trouvée."), std::string::npos) << Lu("texte.txt");
  EXPECT_EQ(Lu("dialogue.txt"), "ouvert\n");
  EXPECT_EQ(Pixels(pilote.Capture(QStringLiteral("b.png")), kBleu), kMilieu);
  EXPECT_EQ(Lu("nombre.txt"), "1\n");
  EXPECT_EQ(pilote.Code(), 0);
}

}  // namespace

namespace {

// "plivor --montage" while a program runs: the running montage edits the
// list; a list it holds with edits is offered to be saved first.
TEST_F(Instance, UnMontageDemandeEnSecondVaAuMontageOuvert) {
  const QString script = QStringLiteral(
                             "demarrer a.pvl\n"
                             "second un.txt --montage b.pvl\n"
                             "fenetre 'Plivor : Montage' 20 > /dev/null && echo montre > montage.txt\n"
                             "sleep 2; cliquer 1100 109; touches Delete; sleep 1\n"
                             "second deux.txt --montage a.pvl\n"
                             "boite; texte_boite > question.txt; touches alt+o\n"
                             "dans 'Sauver une liste Plivor' 60 60\n"
                             "touches ctrl+a; taper '%1'; touches Return\n"
                             "attendre_fichier '%1' 20; sleep 2\n"
                             "cliquer 1113 29; sleep 1.5\n"
                             "dans 'Sauver une liste Plivor' 60 60\n"
                             "touches ctrl+a; taper '%2'; touches Return\n"
                             "attendre_fichier '%2' 20\n"
                             "nombre > nombre.txt\n"
                             "terminer\n")
                             .arg(banc.Chemin(QStringLiteral("b2.pvl")), banc.Chemin(QStringLiteral("a2.pvl")));
  ASSERT_EQ(Lancer(script), 0) << pilote.Erreurs();
  EXPECT_EQ(Lu("un.txt"), "0\n") << pilote.Erreurs();
  EXPECT_EQ(Lu("deux.txt"), "0\n") << pilote.Erreurs();
  EXPECT_EQ(Lu("montage.txt"), "montre\n");
  EXPECT_NE(Lu("question.txt").find("b.pvl a été modifiée, la sauvegarder ?"), std::string::npos) << Lu("question.txt");
  // The edit saved where the user said, the second list then in the montage.
  EXPECT_EQ(Lu("b2.pvl"), BancTerminal::Crlf({"Tempo=60000.pvi"}).toStdString());
  EXPECT_EQ(Lu("a2.pvl"),
            BancTerminal::Crlf({"Tempo=60000.pvi", banc.Chemin(QStringLiteral("rouge.jpg"))}).toStdString());
  EXPECT_EQ(banc.Lire(QStringLiteral("b.pvl")), BancTerminal::Crlf({"Tempo=60000.pvi", "bleu.jpg"}));
  EXPECT_EQ(Lu("nombre.txt"), "1\n");
  EXPECT_EQ(pilote.Code(), 0);
}

}  // namespace
