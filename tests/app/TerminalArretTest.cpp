// A publication from the command line killed in the middle of its copies:
// what it leaves is never a torn file, and the next publication into the
// same folder ends the work and leaves no hidden partial copy behind.

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>

#include "app/BancTerminal.h"

namespace {

using plivor::test::Bilan;

constexpr int kFichiers = 40;
constexpr int kTaille = 4 << 20;  // bytes of each: the copy takes its time

class TerminalArret : public testing::Test, public plivor::test::BancTerminal {
 protected:
  TerminalArret() {
    QStringList lignes{"Tempo=1500.pvi"};
    for (int i = 0; i < kFichiers; ++i) lignes << Nom(i);
    lignes << "Avance=Stop.pvi";
    Liste(QStringLiteral("show/lourd.pvl"), lignes);
    Sources(1);
  }
  static QString Nom(int i) { return QStringLiteral("grand-%1.jpg").arg(i, 2, 10, QLatin1Char('0')); }
  // The bytes of source `i` in its edition `edition`.
  static QByteArray Octets(int i, int edition) {
    QByteArray b(kTaille, char(i * 5 + edition));
    b.replace(0, 8, QStringLiteral("%1-%2").arg(edition).arg(i, 5).toLatin1().left(8));
    return b;
  }
  void Sources(int edition) const {
    for (int i = 0; i < kFichiers; ++i) Ecrire(QStringLiteral("show/") + Nom(i), Octets(i, edition));
  }
  QByteArray Principale() const {
    QStringList lignes{"Tempo=1500.pvi"};
    for (int i = 0; i < kFichiers; ++i) lignes << QStringLiteral("lourd\\") + Nom(i);
    lignes << "Avance=Stop.pvi";
    return Crlf(lignes);
  }
  // Started, then killed once its progress line says the copy has begun
  // and is not over; false when it ended before.
  bool TuerEnCours(const QStringList& arguments) const {
    QProcess p;
    Demarrer(p, arguments);
    static const QRegularExpression avance(QStringLiteral("Copie : +([0-9]+) %"));
    QByteArray dit;
    bool tue = false;
    while (p.state() != QProcess::NotRunning && !tue) {
      p.waitForReadyRead(20);
      dit += p.readAllStandardError();
      for (auto m = avance.globalMatch(QString::fromUtf8(dit)); m.hasNext();) {
        const int pourcent = m.next().captured(1).toInt();
        if (pourcent >= 10 && pourcent < 90) tue = true;
      }
      if (tue) p.kill();
    }
    p.waitForFinished(60000);
    return tue && p.exitStatus() == QProcess::CrashExit;
  }
  // Hidden files of the folder but the publication's record of its own.
  std::set<QString> Caches() const {
    std::set<QString> r;
    for (const auto& [nom, octets] : Arbre(QStringLiteral("pub")))
      if (QFileInfo(nom).fileName().startsWith(QLatin1Char('.')) && nom != QLatin1String(".plivor-publication")) r.insert(nom);
    return r;
  }
  // Each copy holds its source whole, in one of `editions`; the main list
  // is whole or absent.
  void RienDeDechire(const std::set<int>& editions) const {
    for (const auto& [nom, octets] : Arbre(QStringLiteral("pub"))) {
      if (QFileInfo(nom).fileName().startsWith(QLatin1Char('.'))) continue;
      if (nom == QLatin1String("lourd.pvl") || nom == QLatin1String("lourd.bak")) {
        EXPECT_EQ(octets, Principale()) << nom.toStdString();
        continue;
      }
      const QRegularExpression forme(QStringLiteral("^lourd/grand-([0-9]{2})\\.jpg$"));
      const auto m = forme.match(nom);
      ASSERT_TRUE(m.hasMatch()) << nom.toStdString();
      bool entier = false;
      for (int e : editions) entier = entier || octets == Octets(m.captured(1).toInt(), e);
      EXPECT_TRUE(entier) << nom.toStdString() << " : " << octets.size() << " octets";
    }
  }
  // The publication run to its end: every copy of `edition`, no hidden partial.
  void Achever(int edition) const {
    const Bilan bilan = Plivor({QStringLiteral("--publier"), QStringLiteral("pub"), QStringLiteral("show/lourd.pvl")});
    ASSERT_TRUE(bilan.fini);
    ASSERT_EQ(bilan.code, 0) << bilan.erreurs.toStdString();
    EXPECT_EQ(Caches(), std::set<QString>{});
    EXPECT_EQ(Lire(QStringLiteral("pub/lourd.pvl")), Principale());
    for (int i = 0; i < kFichiers; ++i)
      EXPECT_TRUE(Lire(QStringLiteral("pub/lourd/") + Nom(i)) == Octets(i, edition)) << Nom(i).toStdString();
  }
};

TEST_F(TerminalArret, UnePublicationTueeNeLaissePasDeFichierDechire) {
  const QStringList arguments{QStringLiteral("--publier"), QStringLiteral("pub"), QStringLiteral("show/lourd.pvl")};
  ASSERT_TRUE(TuerEnCours(arguments)) << "la publication a fini avant d'être tuée";
  // Copies made are whole; the main list, written last, whole if there.
  RienDeDechire({1});
  Achever(1);

  // A republication of changed sources killed midway: each file is the
  // former one or the new one, whole; the former main list stays.
  Sources(2);
  ASSERT_TRUE(TuerEnCours(arguments)) << "la republication a fini avant d'être tuée";
  RienDeDechire({1, 2});
  EXPECT_EQ(Lire(QStringLiteral("pub/lourd.pvl")), Principale());
  Achever(2);
  // The former main list is kept as its backup.
  EXPECT_EQ(Lire(QStringLiteral("pub/lourd.bak")), Principale());
}

}  // namespace

namespace {

// The temporary files of lists being written in `dossier` (the copies'
// own temporaries apart).
QStringList ListesEnCours(const QString& dossier) {
  QStringList r;
  for (const QString& nom : QDir(dossier).entryList(QDir::Files | QDir::Hidden))
    if (nom.startsWith(QLatin1Char('.')) && nom.contains(QLatin1String(".plivor-")) &&
        !nom.startsWith(QLatin1String(".plivor-")))
      r << nom;
  return r;
}

// The main list's temporary file has received its first bytes.
bool PrincipaleEnCours(const QString& dossier) {
  for (const QFileInfo& f : QDir(dossier).entryInfoList({QStringLiteral(".long.pvl.plivor-*")}, QDir::Files | QDir::Hidden))
    if (f.size() > 0) return true;
  return false;
}

TEST(TerminalArretListe, UneListeTueeEnCoursDEcritureNeLaissePasSonBrouillon) {
  plivor::test::BancTerminal banc;
  // A long list: its save takes long enough to be caught in the middle.
  QByteArray lignes;
  for (int i = 0; i < 1500000; ++i) lignes += "Tempo=1500.pvi\r\n";
  banc.Ecrire(QStringLiteral("show/long.pvl"), lignes);
  const QStringList arguments{QStringLiteral("--publier"), QStringLiteral("pub"), QStringLiteral("--conserver"),
                              QStringLiteral("show/long.pvl")};
  const QString pub = banc.Chemin(QStringLiteral("pub"));
  QStringList laisses;
  // The moment is caught by watching the folder: a few tries at most.
  for (int essai = 0; essai < 6 && laisses.isEmpty(); ++essai) {
    QDir(pub).removeRecursively();
    QProcess p;
    banc.Demarrer(p, arguments);
    while (p.state() != QProcess::NotRunning && !PrincipaleEnCours(pub)) p.waitForFinished(1);
    p.kill();
    p.waitForFinished(60000);
    laisses = ListesEnCours(pub);
  }
  ASSERT_FALSE(laisses.isEmpty()) << "la liste n'a jamais été surprise en cours d'écriture";
  // Never a torn list under its own name.
  const QByteArray principale = banc.Lire(QStringLiteral("pub/long.pvl"));
  EXPECT_TRUE(principale == QByteArray("<absent>") || principale == lignes) << principale.size() << " octets";

  // The next publication settles what the killed one left.
  const Bilan bilan = banc.Plivor(arguments);
  ASSERT_TRUE(bilan.fini);
  EXPECT_EQ(bilan.code, 0) << bilan.erreurs.toStdString();
  EXPECT_EQ(ListesEnCours(pub), QStringList{});
  EXPECT_TRUE(banc.Lire(QStringLiteral("pub/long.pvl")) == lignes);
}

}  // namespace
