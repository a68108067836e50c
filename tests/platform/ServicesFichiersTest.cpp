// The file services the montage relies on, on the host's real files.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/FichiersHote.h"

namespace plivor {
namespace {

class ServicesFichiers : public testing::Test {
 protected:
  ServicesFichiers() { fichiers.ChangerDossier(LigneDepuisHote(dossier.path().toStdString()).value()); }
  void Ecrire(const QString& nom, const QByteArray& octets) {
    QFile f(dossier.filePath(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
  }
  QByteArray Lire(const QString& nom) {
    QFile f(dossier.filePath(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
  }
  QTemporaryDir dossier;
  FichiersHote fichiers;
};

TEST_F(ServicesFichiers, EcrireRemplaceLeFichierSansLaisserDeTemporaire) {
  Ecrire(QStringLiteral("a.pvl"), "ancien");
  ASSERT_TRUE(fichiers.EcrireFichier("a.pvl", "nouveau"));
  EXPECT_EQ(Lire(QStringLiteral("a.pvl")), "nouveau");
  EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.pvl")});
  // Into a folder that does not exist: refused, nothing written.
  EXPECT_FALSE(fichiers.EcrireFichier("absent/a.pvl", "x"));
}

TEST_F(ServicesFichiers, CopierGardeLaDate) {
  Ecrire(QStringLiteral("source.jpg"), "image");
  const QDateTime ancienne = QDateTime::fromSecsSinceEpoch(1000000000);
  {
    QFile f(dossier.filePath(QStringLiteral("source.jpg")));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(ancienne, QFileDevice::FileModificationTime));
  }
  ASSERT_TRUE(fichiers.CopierFichier("source.jpg", "copie.jpg", false));
  EXPECT_EQ(Lire(QStringLiteral("copie.jpg")), "image");
  EXPECT_EQ(fichiers.DateFichier("copie.jpg"), 1000000000);
  Ecrire(QStringLiteral("autre.jpg"), "autre");
  EXPECT_FALSE(fichiers.CopierFichier("source.jpg", "autre.jpg", false));
  EXPECT_EQ(Lire(QStringLiteral("autre.jpg")), "autre");
  EXPECT_TRUE(fichiers.CopierFichier("source.jpg", "autre.jpg", true));
  EXPECT_EQ(Lire(QStringLiteral("autre.jpg")), "image");
}

TEST_F(ServicesFichiers, RenommerSeulementVersUnNomLibre) {
  Ecrire(QStringLiteral("liste.pvl"), "1");
  Ecrire(QStringLiteral("liste.bak"), "0");
  EXPECT_FALSE(fichiers.Renommer("liste.pvl", "liste.bak"));
  EXPECT_EQ(Lire(QStringLiteral("liste.bak")), "0");
  EXPECT_TRUE(fichiers.Renommer("liste.pvl", "liste2.bak"));
  EXPECT_EQ(Lire(QStringLiteral("liste2.bak")), "1");
  EXPECT_FALSE(fichiers.FichierExiste("liste.pvl"));
}

TEST_F(ServicesFichiers, ListerParMasque) {
  for (const char* nom : {"b.pvl", "a.PVL", "c.pvs", "d.jpg", "e.bak"}) Ecrire(QString::fromLatin1(nom), "x");
  QDir(dossier.path()).mkdir(QStringLiteral("sous.pvl"));
  EXPECT_EQ(fichiers.ListerFichiers(fichiers.DossierCourant(), "*.pvl;*.pvs;*.bak"),
            (std::vector<Texte>{"a.PVL", "b.pvl", "c.pvs", "e.bak"}));
  EXPECT_EQ(fichiers.ListerFichiers(fichiers.DossierCourant(), "?.jpg"), (std::vector<Texte>{"d.jpg"}));
}

TEST_F(ServicesFichiers, LectureSeule) {
  Ecrire(QStringLiteral("l.pvl"), "x");
  EXPECT_FALSE(fichiers.LectureSeule("l.pvl"));
  QFile::setPermissions(dossier.filePath(QStringLiteral("l.pvl")), QFile::ReadOwner | QFile::ReadGroup);
  EXPECT_TRUE(fichiers.LectureSeule("l.pvl"));
  EXPECT_FALSE(fichiers.LectureSeule("absent.pvl"));
  EXPECT_FALSE(fichiers.DateFichier("absent.pvl").has_value());
}

TEST(Chemins, MasquesEtPistesDeCd) {
  EXPECT_TRUE(NomCorrespond("Voyage.PVL", "*.pvl"));
  EXPECT_TRUE(NomCorrespond("a.bak", "*.pvl;*.bak"));
  EXPECT_FALSE(NomCorrespond("a.pvlx", "*.pvl"));
  EXPECT_TRUE(NomCorrespond("abc", "a*c"));
  EXPECT_FALSE(NomCorrespond("abd", "a*c"));
  EXPECT_EQ(NumeroPisteCd("D:\\Track05.cda"), 5);
  EXPECT_EQ(NumeroPisteCd("/media/cdrom/track12.cda"), 12);
  // Short or foreign names never read past their end.
  for (const char* court : {"", "a", ".cda", "Track.cda", "x.cda", "Trackab.cda"}) EXPECT_EQ(NumeroPisteCd(court), 0);
}

}  // namespace
}  // namespace plivor
