// The ways a list could be lost, each gone through in the real program on a
// virtual screen with real clicks and keys: a vanished folder, a sub-list,
// characters and bytes lost at reading, an undone change at quit, a link
// planted beside the list, a list reached through a link.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ImagesEssai.h"
#include "support/Pilote.h"

namespace {

using plivor::test::Pilote;

// Another build can be tried: PLIVOR_PROGRAMME_ESSAYE names its program.
QString Programme() { return qEnvironmentVariable("PLIVOR_PROGRAMME_ESSAYE", QStringLiteral(PLIVOR_PROGRAMME)); }

const QColor kCouleurs[] = {QColor(220, 30, 30), QColor(30, 200, 40), QColor(30, 40, 210), QColor(230, 220, 30),
                            QColor(200, 40, 200)};
const char* const kImages[] = {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"};

// The montage docks on the right edge: its file buttons on top (▤ at 1087,
// ▼ at 1113), then one 13-pixel row per line from y = 96.
const QString kMontage = QStringLiteral(R"SH(
ligne() { cliquer 1100 $((96 + 13 * $1)); }
ouvrir_montage() {
  fermer_boites; sleep 1; fermer_boites
  fenetre 'Plivor : Montage' 1 >/dev/null || { cliquer 640 400; touches c; sleep 2; }
}
# ▼, then the name typed in the save dialog. A name that completes an
# existing one opens the completion list, which takes the first Return, as
# it does for a person: Return again while the dialog is there.
sauver() {
  cliquer 1113 29; sleep 1
  dans 'Sauver une liste Plivor' 60 60
  touches ctrl+a; taper "$1"; touches Return; sleep 1.5
  if fenetre 'Sauver une liste Plivor' 1 >/dev/null; then dans 'Sauver une liste Plivor' 60 60; touches Return; sleep 1.5; fi
}
oui() { boite && touches alt+o; sleep 1; }
# Until the program has written F (newer than this script), 15 s at most.
ecrit() { local i; for i in $(seq 150); do [ "$1" -nt actions.sh ] && return 0; sleep 0.1; done; return 1; }
)SH");

class ProgrammeSuretes : public testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
    // Kept, with the captures, to be looked at.
    dossier_.setAutoRemove(qEnvironmentVariableIsEmpty("PLIVOR_CAPTURES"));
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  // The full name of a file of the folder, as the montage writes it.
  std::string Ligne(const QString& nom) const { return Chemin(nom).toStdString() + "\r\n"; }
  void Ecrire(const QString& nom, const std::string& octets) const {
    QDir().mkpath(QFileInfo(Chemin(nom)).path());
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), qint64(octets.size()));
  }
  void Images(const QString& sous = QString()) const {
    QDir().mkpath(Chemin(sous.isEmpty() ? QStringLiteral(".") : sous));
    for (int i = 0; i < 5; ++i)
      plivor::EcrireJpeg(Chemin(sous.isEmpty() ? QString::fromLatin1(kImages[i]) : sous + '/' + kImages[i]),
                         plivor::test::Unie(400, 300, kCouleurs[i]));
  }
  void Lancer(const QString& actions) {
    ASSERT_EQ(pilote_.Lancer(kMontage + actions), 0) << pilote_.Erreurs();
  }
  std::string Lire(const QString& nom) const { return pilote_.Lire(nom); }

  QTemporaryDir dossier_;
  Pilote pilote_{Programme(), dossier_.path()};
};

TEST_F(ProgrammeSuretes, UnDossierDisparuEstDitEtLaSauvegardeNeVaPasSurLaListeDUnAutre) {
  Images(QStringLiteral("A"));
  Images(QStringLiteral("B"));
  const std::string listeA = "Tempo=2000.pvi\r\na.jpg\r\nb.jpg\r\n", listeB = "Tempo=3000.pvi\r\nc.jpg\r\nd.jpg\r\ne.jpg\r\n";
  Ecrire(QStringLiteral("A/show.pvl"), listeA);
  Ecrire(QStringLiteral("B/show.pvl"), listeB);
  Lancer(QStringLiteral(R"SH(
demarrer A/show.pvl
ouvrir_montage
sauver "$PWD/A/autre.pvl"      # the save dialog has been in A
ecrit A/autre.pvl
cliquer 1087 29                # ▤: B's list of the same name
fenetre 'Charger une liste' 30 >/dev/null
dans 'Charger une liste' 60 60; touches ctrl+a; taper "$PWD/B/show.pvl"; touches Return
disparue 'Charger une liste'; sleep 1
ligne 1; touches Delete
mv B B-parti                   # a medium taken out
cliquer 1113 29; sleep 1
capturer dossier-parti.png
texte_boite > message.txt && touches Return; sleep 1
titres 'Sauver une liste Plivor' > titre.txt
dans 'Sauver une liste Plivor' 60 60; touches ctrl+a; taper show.pvl; touches Return; sleep 1.5
# An overwrite question here would be about A's list: a misled user says yes.
if fenetre 'Sauver une liste Plivor' 1 >/dev/null; then dans 'Sauver une liste Plivor' 30 30; touches alt+o; sleep 1; fi
terminer
)SH"));
  const std::string B = Chemin(QStringLiteral("B")).toStdString();
  EXPECT_NE(Lire(QStringLiteral("message.txt")).find("Le dossier de la liste n'existe plus :\n" + B +
                                                     "\nChoisissez où enregistrer la liste."),
            std::string::npos)
      << Lire(QStringLiteral("message.txt"));
  EXPECT_EQ(Lire(QStringLiteral("titre.txt")), "Sauver une liste Plivor (son dossier n'existe plus)\n");
  // A's list is untouched; B's lines went where the dialog started: the
  // nearest folder still there.
  EXPECT_EQ(Lire(QStringLiteral("A/show.pvl")), listeA);
  EXPECT_EQ(Lire(QStringLiteral("B-parti/show.pvl")), listeB);
  EXPECT_EQ(Lire(QStringLiteral("show.pvl")),
            "Tempo=3000.pvi\r\n" + Ligne(QStringLiteral("B/d.jpg")) + Ligne(QStringLiteral("B/e.jpg")));
  EXPECT_EQ(Lire(QStringLiteral("A/autre.pvl")),
            "Tempo=2000.pvi\r\n" + Ligne(QStringLiteral("A/a.jpg")) + Ligne(QStringLiteral("A/b.jpg")));
  EXPECT_EQ(pilote_.Code(), 0);
  EXPECT_FALSE(pilote_.Capture(QStringLiteral("dossier-parti.png")).isNull());
}

TEST_F(ProgrammeSuretes, UneSousListePasseeParLaProjectionResteUneLigneDuFichier) {
  Images();
  Ecrire(QStringLiteral("main.pvl"), "Tempo=2000.pvi\r\na.jpg\r\nsub.pvl\r\nd.jpg\r\ne.jpg\r\n");
  Ecrire(QStringLiteral("sub.pvl"), "b.jpg\r\nc.jpg\r\n");
  Lancer(QStringLiteral(R"SH(
demarrer main.pvl
sleep 4.5
capturer avant-c.png
ouvrir_montage
capturer montage-sous-liste.png
ligne 1; touches Delete
sauver "$PWD/main.pvl"
oui
ecrit main.pvl
terminer
)SH"));
  // C came once the show had gone into the sub-list: b, c, d or e on show.
  const QImage avant = pilote_.Capture(QStringLiteral("avant-c.png"));
  ASSERT_FALSE(avant.isNull());
  const QColor centre = avant.pixelColor(640, 400);
  bool passee = false;
  for (int i = 1; i < 5; ++i) passee = passee || plivor::test::Proche(centre, kCouleurs[i], 50);
  EXPECT_TRUE(passee) << centre.name().toStdString();
  EXPECT_EQ(Lire(QStringLiteral("main.pvl")), "Tempo=2000.pvi\r\n" + Ligne(QStringLiteral("sub.pvl")) +
                                                  Ligne(QStringLiteral("d.jpg")) + Ligne(QStringLiteral("e.jpg")));
  EXPECT_EQ(Lire(QStringLiteral("sub.pvl")), "b.jpg\r\nc.jpg\r\n");
  EXPECT_EQ(pilote_.Code(), 0);
}

TEST_F(ProgrammeSuretes, DesCaracteresPerdusOuvertsParCSontDemandesEtNonNEcritRien) {
  Images();
  Ecrire(QStringLiteral("\xE6\x97\xA5\xE6\x9C\xAC.jpg"), Lire(QStringLiteral("a.jpg")));
  const std::string liste = "\xEF\xBB\xBFTempo=2000.pvi\r\n\xE6\x97\xA5\xE6\x9C\xAC.jpg\r\na.jpg\r\n";
  Ecrire(QStringLiteral("bomcjk.pvl"), liste);
  Lancer(QStringLiteral(R"SH(
demarrer bomcjk.pvl
ouvrir_montage
ligne 2; touches Delete
sauver "$PWD/cjk-sauve.pvl"
capturer question-caracteres.png
texte_boite > question.txt && touches alt+n
sleep 1
terminer
)SH"));
  EXPECT_NE(Lire(QStringLiteral("question.txt")).find("La liste contient 1 ligne(s) qui ne sont plus"), std::string::npos)
      << Lire(QStringLiteral("question.txt")) << pilote_.Erreurs();
  EXPECT_EQ(Lire(QStringLiteral("cjk-sauve.pvl")), "<absent>");
  EXPECT_EQ(Lire(QStringLiteral("bomcjk.pvl")), liste);
  EXPECT_EQ(pilote_.Code(), 0);
}

TEST_F(ProgrammeSuretes, UnOctetNulNeCoupePasLaListeQueLaSauvegardeGarde) {
  Images();
  const char nul[] = "Tempo=2000.pvi\r\na.jpg\r\nb.jpg\r\n\0c.jpg\r\nTempo=9000.pvi\r\n";
  Ecrire(QStringLiteral("nul.pvl"), std::string(nul, sizeof nul - 1));
  Lancer(QStringLiteral(R"SH(
demarrer nul.pvl
ouvrir_montage
ligne 1; touches ctrl+c ctrl+v
sauver "$PWD/nul-sauve.pvl"
texte_boite > question.txt && touches alt+o
attendre_fichier nul-sauve.pvl 5
terminer
)SH"));
  EXPECT_NE(Lire(QStringLiteral("boites.txt")).find("caractère nul à l'octet 30"), std::string::npos)
      << Lire(QStringLiteral("boites.txt"));
  EXPECT_EQ(Lire(QStringLiteral("nul-sauve.pvl")), "Tempo=2000.pvi\r\n" + Ligne(QStringLiteral("a.jpg")) +
                                                       Ligne(QStringLiteral("a.jpg")) + Ligne(QStringLiteral("b.jpg")) +
                                                       Ligne(QStringLiteral("c.jpg")) + "Tempo=9000.pvi\r\n")
      << Lire(QStringLiteral("question.txt"));
  EXPECT_EQ(pilote_.Code(), 0);
}

TEST_F(ProgrammeSuretes, UneAnnulationApresLaSauvegardeEstDemandeeAuDepart) {
  Images();
  Ecrire(QStringLiteral("L.pvl"), "Tempo=2000.pvi\r\na.jpg\r\nb.jpg\r\nc.jpg\r\nd.jpg\r\ne.jpg\r\n");
  Lancer(QStringLiteral(R"SH(
demarrer L.pvl
ouvrir_montage
ligne 2; touches Delete
sauver "$PWD/L2.pvl"
attendre_fichier L2.pvl 5
ligne 1; touches ctrl+z
capturer apres-annuler.png
touches ctrl+q; sleep 1.5
vivant && echo oui > vivant.txt
texte_boite > question.txt
capturer question-quitter.png
terminer
)SH"));
  EXPECT_EQ(Lire(QStringLiteral("L2.pvl")), "Tempo=2000.pvi\r\n" + Ligne(QStringLiteral("a.jpg")) +
                                                Ligne(QStringLiteral("c.jpg")) + Ligne(QStringLiteral("d.jpg")) +
                                                Ligne(QStringLiteral("e.jpg")));
  EXPECT_EQ(Lire(QStringLiteral("vivant.txt")), "oui\n") << "Ctrl+Q a quitté sans demander";
  EXPECT_NE(Lire(QStringLiteral("question.txt")).find(Chemin(QStringLiteral("L2.pvl")).toStdString() +
                                                      " a été modifiée, la sauvegarder ?"),
            std::string::npos)
      << Lire(QStringLiteral("question.txt"));
  EXPECT_EQ(pilote_.Code(), 0);
}

TEST_F(ProgrammeSuretes, UnLienPlanteALaPlaceDuTemporaireNEstPasSuivi) {
  Images(QStringLiteral("l"));
  Ecrire(QStringLiteral("l/liste.pvl"), "Tempo=2000.pvi\r\na.jpg\r\nb.jpg\r\n");
  Ecrire(QStringLiteral("victime.txt"), "ne pas toucher\n");
  ASSERT_TRUE(QFile::link(QStringLiteral("../victime.txt"), Chemin(QStringLiteral("l/liste.pvl.plivor-tmp"))));
  Lancer(QStringLiteral(R"SH(
demarrer l/liste.pvl
ouvrir_montage
ligne 1; touches Delete
# The dialog proposes the list's own name in its folder: Return takes it.
cliquer 1113 29; sleep 1.5
dans 'Sauver une liste Plivor' 60 60; touches Return; sleep 1.5
capturer question-lien.png
oui
ecrit l/liste.pvl
terminer
)SH"));
  EXPECT_EQ(Lire(QStringLiteral("victime.txt")), "ne pas toucher\n");
  const QFileInfo liste(Chemin(QStringLiteral("l/liste.pvl")));
  EXPECT_FALSE(liste.isSymLink());
  EXPECT_TRUE(liste.isFile());
  EXPECT_EQ(Lire(QStringLiteral("l/liste.pvl")), "Tempo=2000.pvi\r\n" + Ligne(QStringLiteral("l/b.jpg")));
  EXPECT_EQ(pilote_.Code(), 0);
}

TEST_F(ProgrammeSuretes, SauverParUnLienEcritSaCibleEtGardeLeLien) {
  Images();
  Images(QStringLiteral("vrai"));
  Ecrire(QStringLiteral("vrai/L.pvl"), "Tempo=2000.pvi\r\na.jpg\r\nb.jpg\r\n");
  ASSERT_TRUE(QFile::link(QStringLiteral("vrai/L.pvl"), Chemin(QStringLiteral("L.pvl"))));
  Lancer(QStringLiteral(R"SH(
demarrer L.pvl
ouvrir_montage
ligne 1; touches Delete
sauver "$PWD/L.pvl"
oui
ecrit vrai/L.pvl
terminer
)SH"));
  EXPECT_TRUE(QFileInfo(Chemin(QStringLiteral("L.pvl"))).isSymLink());
  EXPECT_EQ(QFileInfo(Chemin(QStringLiteral("L.pvl"))).symLinkTarget(), Chemin(QStringLiteral("vrai/L.pvl")));
  EXPECT_EQ(Lire(QStringLiteral("vrai/L.pvl")), "Tempo=2000.pvi\r\n" + Ligne(QStringLiteral("b.jpg")));
  EXPECT_EQ(pilote_.Code(), 0);
}

TEST_F(ProgrammeSuretes, LesTouchesDUnEditeurAnnulentRetablissentEnregistrentEtOuvrent) {
  Images();
  Ecrire(QStringLiteral("L.pvl"), "Tempo=2000.pvi\r\na.jpg\r\nb.jpg\r\nc.jpg\r\n");
  Lancer(QStringLiteral(R"SH(
demarrer L.pvl
ouvrir_montage
ligne 2; touches Delete; sleep 0.4
touches ctrl+z; sleep 0.4
touches ctrl+y; sleep 0.4
ligne 1; touches alt+End; sleep 0.4
touches ctrl+s; sleep 0.5
ecrit L.pvl || echo non > pas-ecrit.txt
touches ctrl+n; sleep 0.8
touches ctrl+o; sleep 1.5
titres 'Charger une liste' > charger.txt
capturer touches.png
terminer
)SH"));
  // Ctrl+S wrote the list to its own file at once, with the deletion
  // undone then redone, and a.jpg moved to the end by Alt+End.
  EXPECT_EQ(Lire(QStringLiteral("pas-ecrit.txt")), "<absent>");
  EXPECT_EQ(Lire(QStringLiteral("L.pvl")),
            "Tempo=2000.pvi\r\n" + Ligne(QStringLiteral("c.jpg")) + Ligne(QStringLiteral("a.jpg")));
  // Ctrl+N left the saved list without a question, Ctrl+O opened the dialog.
  EXPECT_EQ(Lire(QStringLiteral("charger.txt")), "Charger une liste\n");
  EXPECT_EQ(pilote_.Code(), 0);
}

}  // namespace
