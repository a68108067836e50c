// An export cancelled from its progress report leaves nothing under the
// chosen name, and a finished one replaces the file there; the progress
// follows the video's time.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "codecs/Encodeurs.h"
#include "support/ImagesEssai.h"
#include "video/ExportVideo.h"
#include "video/LectureVideo.h"

namespace plivor {
namespace {

class Progression : public ProgressionExport {
 public:
  explicit Progression(int annulerA) : annulerA_(annulerA) {}
  bool Avancer(double fraction, double secondes) override {
    fractions.push_back(fraction);
    temps.push_back(secondes);
    return int(fractions.size()) != annulerA_;
  }
  void Avis(const QString& texte) override { avis << texte; }
  std::vector<double> fractions, temps;
  QStringList avis;

 private:
  int annulerA_;
};

class Annulation : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EcrireBmp(dossier.filePath("a.bmp"), test::Quadrants(200, 150)));
    QFile liste(dossier.filePath("liste.pvl"));
    ASSERT_TRUE(liste.open(QIODevice::WriteOnly));
    liste.write(("Tempo=1500.pvi\r\n" + dossier.filePath("a.bmp") + "\r\nTempo=1000.pvi\r\n").toLatin1() +
                dossier.filePath("Track02.cda").toLatin1() + "\r\n" + dossier.filePath("a.bmp").toLatin1() + "\r\n");
    QFile piste(dossier.filePath("Track02.cda"));
    ASSERT_TRUE(piste.open(QIODevice::WriteOnly));
    reglages.liste = liste.fileName();
    reglages.sortie = dossier.filePath("film.mp4");
    reglages.taille = QSize(160, 120);
    reglages.ips = 10;
    QFile ancien(reglages.sortie);
    ASSERT_TRUE(ancien.open(QIODevice::WriteOnly));
    ancien.write("ancien");
  }
  QByteArray Contenu() const {
    QFile f(reglages.sortie);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir dossier;
  ReglagesVideo reglages;
};

TEST_F(Annulation, UnExportAnnuleNeLaisseRienSousLeNomChoisi) {
  Progression progression(3);
  const ResultatExport r = ExporterVideo(reglages, progression);
  EXPECT_FALSE(r.reussi);
  EXPECT_TRUE(r.annule);
  EXPECT_EQ(r.message, QString::fromUtf8("Export annulé."));
  EXPECT_EQ(Contenu(), QByteArray("ancien"));
  EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden).filter(".mp4"), QStringList{"film.mp4"});
}

TEST_F(Annulation, UnExportAboutiRemplaceLeFichierEtAnnonceLesPistesDeCd) {
  Progression progression(-1);
  const ResultatExport r = ExporterVideo(reglages, progression);
  ASSERT_TRUE(r.reussi) << r.message.toStdString();
  EXPECT_NEAR(r.secondes, 2.5, 0.1);
  EXPECT_NEAR(test::LireFaits(reglages.sortie).dureeVideo, 2.5, 0.1);
  // Progress only goes forward, to the whole.
  EXPECT_TRUE(std::is_sorted(progression.fractions.begin(), progression.fractions.end()));
  EXPECT_DOUBLE_EQ(progression.fractions.back(), 1.0);
  EXPECT_EQ(progression.avis, QStringList{QString::fromUtf8("Les pistes de CD audio restent muettes dans la vidéo.")});
}

// Three pictures of a second: the progress is the share of the three
// seconds made, and the whole only once the video is.
TEST_F(Annulation, LAvancementSuitLeTempsDeLaVideo) {
  QFile liste(reglages.liste);
  ASSERT_TRUE(liste.open(QIODevice::WriteOnly));
  const QByteArray image = dossier.filePath("a.bmp").toLatin1() + "\r\n";
  liste.write("Tempo=1000.pvi\r\n" + image + "Tempo=1000.pvi\r\n" + image + "Tempo=1000.pvi\r\n" + image);
  liste.close();
  Progression progression(-1);
  const ResultatExport r = ExporterVideo(reglages, progression);
  ASSERT_TRUE(r.reussi) << r.message.toStdString();
  ASSERT_NEAR(r.secondes, 3.0, 0.1);
  ASSERT_GT(progression.fractions.size(), 10u);
  EXPECT_TRUE(std::is_sorted(progression.fractions.begin(), progression.fractions.end()));
  for (size_t i = 0; i + 1 < progression.fractions.size(); ++i) {
    EXPECT_LT(progression.fractions[i], 1.0) << progression.temps[i] << " s";
    EXPECT_NEAR(progression.fractions[i], progression.temps[i] / r.secondes, 0.1) << progression.temps[i] << " s";
  }
  EXPECT_DOUBLE_EQ(progression.fractions.back(), 1.0);
}

}  // namespace
}  // namespace plivor
