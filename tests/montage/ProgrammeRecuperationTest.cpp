// The real program ended by a signal while edits are unsaved and a dialog
// is open: it ends through its closing sequence, the list is untouched, and
// the next start gives the edits back.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ImagesEssai.h"
#include "support/ProgrammeReel.h"

namespace {

const QString kProgramme = QStringLiteral(PLIVOR_PROGRAMME);
const std::string kEssai = "Tempo=3000.pvi\r\nrouge.jpg\r\nvert.jpg\r\nTitrage=Fin.pvv\r\n";

std::string Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<absent>");
}

class ProgrammeRecuperation : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
      GTEST_SKIP() << "Xvfb ou xdotool absent";
    using plivor::test::Unie;
    plivor::EcrireJpeg(Chemin(QStringLiteral("rouge.jpg")), Unie(400, 300, QColor(220, 30, 30)));
    plivor::EcrireJpeg(Chemin(QStringLiteral("vert.jpg")), Unie(400, 300, QColor(30, 200, 40)));
    Ecrire(QStringLiteral("essai.pvl"), kEssai);
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  void Ecrire(const QString& nom, const std::string& octets) const {
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets.data(), qint64(octets.size()));
  }
  // Runs the driving script under a virtual screen; its exit code.
  int Lancer(const QString& script) {
    Ecrire(QStringLiteral("actions.sh"), (QStringLiteral("cd '%1'\n").arg(dossier_.path()) + script).toStdString());
    QProcess programme;
    programme.setProcessEnvironment(plivor::test::EnvironnementReel(Chemin(QStringLiteral("reglages.ini"))));
    programme.start(QStringLiteral("bash"), {QStringLiteral(PLIVOR_SUR_XVFB), QStringLiteral("bash"),
                                             Chemin(QStringLiteral("actions.sh"))});
    EXPECT_TRUE(programme.waitForFinished(120000));
    erreurs_ = programme.readAllStandardError().toStdString();
    return programme.exitCode();
  }
  QTemporaryDir dossier_;
  std::string erreurs_;
};

// What is open when the signal comes.
const char* const kOuvert[] = {"enregistrement", "question", "rien"};

TEST_P(ProgrammeRecuperation, UnSignalGardeLesModificationsQueLeDemarrageSuivantRend) {
  const QString ouvrir = GetParam() == std::string("enregistrement")
                             ? QStringLiteral("xdotool mousemove 1113 29 click 1; sleep 2\n")
                         : GetParam() == std::string("question")
                             // Quitting a modified list: the save question.
                             ? QStringLiteral("xdotool key ctrl+q; sleep 1.5\n")
                             : QString();
  const QString script =
      QStringLiteral(
          "'%1' essai.pvl 2>erreurs.txt &\n"
          "P=$!\n"
          "sleep 3\n"
          "xdotool mousemove 640 400 click 1; sleep 0.5; xdotool key c; sleep 2\n"
          // Delete the red picture; the copy follows within two seconds.
          "xdotool mousemove 1100 109 click 1; sleep 0.4; xdotool key Delete; sleep 2.5\n"
          "%2"
          "kill -%3 $P\n"
          "for i in $(seq 1 40); do kill -0 $P 2>/dev/null || break; sleep 0.25; done\n"
          "if kill -0 $P 2>/dev/null; then echo encore > reste.txt; kill -9 $P; fi\n"
          "wait $P; echo $? > code.txt\n")
          .arg(kProgramme, ouvrir,
               GetParam() == std::string("question") ? QStringLiteral("HUP")
               : GetParam() == std::string("rien")   ? QStringLiteral("INT")
                                                     : QStringLiteral("TERM"));
  ASSERT_EQ(Lancer(script), 0) << erreurs_;
  EXPECT_FALSE(QFile::exists(Chemin(QStringLiteral("reste.txt")))) << "le programme ne s'est pas terminé";
  EXPECT_EQ(Lire(Chemin(QStringLiteral("code.txt"))), "0\n") << Lire(Chemin(QStringLiteral("erreurs.txt")));
  EXPECT_EQ(Lire(Chemin(QStringLiteral("essai.pvl"))), kEssai);
  const std::string attendu = "Tempo=3000.pvi\r\n" + Chemin(QStringLiteral("vert.jpg")).toStdString() +
                              "\r\nTitrage=Fin.pvv\r\n";
  EXPECT_EQ(Lire(Chemin(QStringLiteral("Plivor-recuperation.pvl"))), attendu);

  // The next start asks; Return takes the edits back, then they are saved.
  const QString reprise =
      QStringLiteral(
          "'%1' essai.pvl 2>erreurs2.txt &\n"
          "P=$!\n"
          "sleep 3\n"
          "Q=$(xdotool search --onlyvisible --name 'Plivor  v-1.1ck- fr' | tail -1)\n"
          "xdotool mousemove --window $Q 20 20; sleep 0.3; xdotool key Return; sleep 2\n"
          "xdotool mousemove 1113 29 click 1; sleep 2\n"
          "D=$(xdotool search --onlyvisible --name 'Sauver une liste Plivor' | head -1)\n"
          "xdotool mousemove --window $D 60 60; sleep 0.3\n"
          "xdotool key ctrl+a; xdotool type --delay 15 '%2'; xdotool key Return; sleep 1.5\n"
          "kill -TERM $P; wait $P\n")
          .arg(kProgramme, Chemin(QStringLiteral("repris.pvl")));
  ASSERT_EQ(Lancer(reprise), 0) << erreurs_;
  EXPECT_EQ(Lire(Chemin(QStringLiteral("repris.pvl"))), attendu) << Lire(Chemin(QStringLiteral("erreurs2.txt")));
  // Saved: nothing is left to offer.
  EXPECT_FALSE(QFile::exists(Chemin(QStringLiteral("Plivor-recuperation.pvl"))));
}

INSTANTIATE_TEST_SUITE_P(Ouverts, ProgrammeRecuperation, testing::ValuesIn(kOuvert));

}  // namespace
