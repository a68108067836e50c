// The real program ended by a signal while edits are unsaved and a dialog
// is open: it ends through its closing sequence, the list is untouched, and
// the next start gives the edits back.

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ImagesEssai.h"
#include "support/Pilote.h"

namespace {

using plivor::test::Pilote;

const std::string kEssai = "Tempo=3000.pvi\r\nrouge.jpg\r\nvert.jpg\r\nTitrage=Fin.pvv\r\n";

class ProgrammeRecuperation : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
    using plivor::test::Unie;
    plivor::EcrireJpeg(Chemin(QStringLiteral("rouge.jpg")), Unie(400, 300, QColor(220, 30, 30)));
    plivor::EcrireJpeg(Chemin(QStringLiteral("vert.jpg")), Unie(400, 300, QColor(30, 200, 40)));
    QFile f(Chemin(QStringLiteral("essai.pvl")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kEssai.data(), qint64(kEssai.size()));
  }
  QString Chemin(const QString& nom) const { return dossier_.filePath(nom); }
  std::string Lire(const QString& nom) const { return pilote_.Lire(nom); }
  QTemporaryDir dossier_;
  Pilote pilote_{QStringLiteral(PLIVOR_PROGRAMME), dossier_.path()};
};

// What is open when the signal comes.
const char* const kOuvert[] = {"enregistrement", "question", "options", "rien"};

TEST_P(ProgrammeRecuperation, UnSignalGardeLesModificationsQueLeDemarrageSuivantRend) {
  const QString ouvrir = GetParam() == std::string("enregistrement")
                             ? QStringLiteral("cliquer 1113 29; sleep 1.5\n")
                         : GetParam() == std::string("question")
                             // Quitting a modified list: the save question.
                             ? QStringLiteral("touches ctrl+q; sleep 1.1\n")
                         : GetParam() == std::string("options")
                             // The options window, from the projection's key.
                             ? QStringLiteral("cliquer 400 400; touches i; sleep 1.5\n")
                             : QString();
  const QString script =
      QStringLiteral(
          "demarrer essai.pvl\n"
          "cliquer 640 400; touches c; sleep 2\n"
          // Delete the red picture; the copy follows within two seconds.
          "cliquer 1100 109; touches Delete; sleep 2.1\n"
          "%1"
          "terminer %2\n")
          .arg(ouvrir, GetParam() == std::string("question") ? QStringLiteral("HUP")
                       : GetParam() == std::string("options") ? QStringLiteral("INT")
                                                              : QStringLiteral("TERM"));
  ASSERT_EQ(pilote_.Lancer(script), 0) << pilote_.Erreurs();
  EXPECT_EQ(Lire(QStringLiteral("reste.txt")), "<absent>") << "le programme ne s'est pas terminé";
  EXPECT_EQ(pilote_.Code(), 0) << pilote_.Erreurs();
  EXPECT_EQ(Lire(QStringLiteral("essai.pvl")), kEssai);
  const std::string attendu = "Tempo=3000.pvi\r\n" + Chemin(QStringLiteral("vert.jpg")).toStdString() +
                              "\r\nTitrage=Fin.pvv\r\n";
  EXPECT_EQ(Lire(QStringLiteral("Plivor-recuperation.pvl")), attendu);

  // The next start asks; Return takes the edits back, then they are saved.
  const QString reprise = QStringLiteral(
                              "rm -f code.txt\n"
                              "demarrer essai.pvl\n"
                              "boite; touches Return; sleep 1.6\n"
                              "cliquer 1113 29; sleep 1.5\n"
                              "dans 'Sauver une liste Plivor' 60 60\n"
                              "touches ctrl+a; taper '%1'; touches Return; sleep 1.1\n"
                              "terminer\n")
                              .arg(Chemin(QStringLiteral("repris.pvl")));
  ASSERT_EQ(pilote_.Lancer(reprise), 0) << pilote_.Erreurs();
  EXPECT_EQ(Lire(QStringLiteral("repris.pvl")), attendu) << pilote_.Erreurs();
  EXPECT_EQ(pilote_.Code(), 0);
  // Saved: nothing is left to offer.
  EXPECT_FALSE(QFile::exists(Chemin(QStringLiteral("Plivor-recuperation.pvl"))));
}

INSTANTIATE_TEST_SUITE_P(Ouverts, ProgrammeRecuperation, testing::ValuesIn(kOuvert));

}  // namespace
