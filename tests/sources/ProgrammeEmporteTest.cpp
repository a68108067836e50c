// A show published with "Inclure le programme" from the real build, which
// carries the players with their libraries (portable/): the folder loads
// nothing from outside itself but the base desktop system; copied to a
// fresh folder, its player projects the show under a virtual X server
// with an empty library path and no plugin path, mapping only its own
// libraries or the base's; its autorun.sh starts it, and falls back to an
// installed player when the carried one cannot load.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "codecs/Encodeurs.h"
#include "core/Texte.h"
#include "montage/BancMontage.h"
#include "options/Installation.h"
#include "sources/Publication.h"
#include "sources/Sources.h"
#include "support/ImagesEssai.h"
#include "support/ProgrammeReel.h"

namespace plivor {
namespace {

using test::BancMontage;

const QString kProgramme = QStringLiteral(PLIVOR_PROGRAMME);
const QString kEmporte = QFileInfo(kProgramme).path() + QStringLiteral("/portable");
const QColor kRouge(220, 30, 30);

QByteArray Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

QStringList Arbre(const QString& dossier) {
  QStringList noms;
  QDirIterator it(dossier, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) noms << QDir(dossier).relativeFilePath(it.next());
  noms.sort();
  return noms;
}

struct Sortie {
  int code = -1;
  QString sortie, erreurs;
};

// A bash script, run with `env` only, on a virtual X server of its own
// when `ecran`.
Sortie Bash(const QString& script, const QProcessEnvironment& env, bool ecran = false) {
  QProcess p;
  p.setProcessEnvironment(env);
  QStringList arguments{QStringLiteral("-c"), script};
  if (ecran) arguments = QStringList{QStringLiteral(PLIVOR_SUR_XVFB), QStringLiteral("bash")} + arguments;
  p.start(QStringLiteral("bash"), arguments);
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished();
  }
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// Of `chemins`, those of neither `dossier` nor the base set.
QStringList Etrangers(const QStringList& chemins, const QString& dossier) {
  QStringList dehors;
  for (const QString& c : chemins)
    if (!c.startsWith(dossier + QLatin1Char('/'))) dehors << c;
  QProcess p;
  p.start(QStringLiteral("bash"), {QStringLiteral(PLIVOR_PORTABLE_SH), QStringLiteral("--hors-base")});
  p.write((dehors.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
  p.closeWriteChannel();
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class ProgrammeEmporte : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* outil : {"Xvfb", "xdotool", "ldd", "patchelf"})
      if (QStandardPaths::findExecutable(QLatin1String(outil)).isEmpty()) GTEST_SKIP() << outil << " absent";
    if (!QFileInfo::exists(kEmporte + QStringLiteral("/prelio"))) GTEST_SKIP() << "pas de lecteurs emportés";
    QDir().mkpath(banc.CheminHote(QStringLiteral("show")));
    ASSERT_TRUE(EcrireJpeg(banc.CheminHote(QStringLiteral("show/rouge.jpg")), test::Unie(400, 300, kRouge)));
    banc.Ecrire(QStringLiteral("show/main.pvl"), "Tempo=3000.pvi\r\nrouge.jpg\r\nAvance=Stop.pvi\r\n");
    // The program is the build's own, so its carried players are published.
    banc.vue->CheminProgramme = VersCp1252(kProgramme.toStdString()).value();
    sources = std::make_unique<Sources>(*banc.vue, *banc.montage, banc.CheminHote(QStringLiteral("show")));
    publication = std::make_unique<Publication>(*sources);
    publication->IntervalleApercu = 0;
    publication->DefinirInstallation(&installation);
  }
  QStringList& Textes() { return banc.dialogues.textes; }
  QString Temp(const char* nom) const { return temp_.filePath(QString::fromUtf8(nom)); }
  void Choisir(const QString& nom) {
    const int i = int(sources->Fichiers.indexOf(nom));
    ASSERT_GE(i, 0) << nom.toStdString();
    sources->DefinirSelection({i}, i);
  }
  // The show published with the carried player and its automatic start.
  void Publier() {
    ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("show/main.pvl"))));
    QDir().mkpath(banc.CheminHote(QStringLiteral("pub")));
    ASSERT_TRUE(sources->OuvrirDossier(banc.CheminHote(QStringLiteral("pub"))));
    publication->PubClick(BoutonPublication::Pub_btDossier);
    publication->Publier();
    publication->Pub_NomListe = QStringLiteral("Spectacle");
    Textes().clear();
    publication->PubClick(BoutonPublication::Pub_btValider);
    ASSERT_EQ(Textes(), QStringList{QStringLiteral("Copie des ressources terminée !")});
    publication->rb_Plivor = false;
    Textes().clear();
    publication->PubClick(BoutonPublication::Pub_Plivor);
    ASSERT_EQ(Textes(), QStringList{QStringLiteral("Installation terminée !")});
    ASSERT_TRUE(sources->OuvrirDossier(banc.CheminHote(QStringLiteral("pub"))));
    Choisir(QStringLiteral("Spectacle.pvl"));
    Textes().clear();
    publication->PubClick(BoutonPublication::Pub_btAutorun);
    ASSERT_EQ(Textes(), QStringList{QStringLiteral("Fichiers de démarrage installés !")});
  }
  // The published folder copied whole to `nom` in a fresh folder.
  QString Copier(const char* nom) const {
    const QString cible = Temp(nom);
    QProcess cp;
    cp.start(QStringLiteral("cp"), {QStringLiteral("-a"), banc.CheminHote(QStringLiteral("pub")), cible});
    EXPECT_TRUE(cp.waitForFinished(60000));
    EXPECT_EQ(cp.exitCode(), 0);
    return cible;
  }
  // The environment of another machine's user: no library or plugin path.
  QProcessEnvironment Ailleurs() const {
    QProcessEnvironment env = test::EnvironnementReel(Temp("reglages.ini"));
    env.insert(QStringLiteral("LD_LIBRARY_PATH"), QString());
    env.remove(QStringLiteral("QT_PLUGIN_PATH"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return env;
  }

  BancMontage banc;
  Installation installation{*banc.vue, DossiersXdg{banc.CheminHote(QStringLiteral("xdg/donnees")),
                                                    banc.CheminHote(QStringLiteral("xdg/config")),
                                                    banc.CheminHote(QStringLiteral("xdg/bureau"))}};
  std::unique_ptr<Sources> sources;
  std::unique_ptr<Publication> publication;
  QTemporaryDir temp_;
};

TEST_F(ProgrammeEmporte, LeDossierPublieJoueAilleursAvecSesSeulesBibliotheques) {
  ASSERT_NO_FATAL_FAILURE(Publier());
  const QString pub = banc.CheminHote(QStringLiteral("pub"));
  // The carried player and what it loads, as the build made them.
  EXPECT_EQ(Lire(pub + "/prelio"), Lire(kEmporte + "/prelio"));
  EXPECT_EQ(Lire(pub + "/qt.conf"), Lire(kEmporte + "/qt.conf"));
  const QStringList lib = Arbre(pub + "/lib");
  EXPECT_EQ(lib, Arbre(kEmporte + "/lib"));
  for (const QString& f : lib) EXPECT_TRUE(Lire(pub + "/lib/" + f) == Lire(kEmporte + "/lib/" + f)) << f.toStdString();
  EXPECT_TRUE(lib.contains(QStringLiteral("plugins/platforms/libqxcb.so")));
  EXPECT_TRUE(lib.contains(QStringLiteral("libQt6Core.so.6")));

  // Every library the player and each carried library need is found in the
  // folder or in the base set.
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LD_LIBRARY_PATH"), QString());
  const Sortie ldd = Bash(QStringLiteral("cd '%1' && for f in prelio $(find lib -name '*.so*' -type f); do "
                                         "ldd \"$f\" | sed \"s|^|$f: |\"; done")
                              .arg(pub),
                          env);
  ASSERT_EQ(ldd.code, 0) << ldd.erreurs.toStdString();
  QStringList resolues;
  for (const QString& ligne : ldd.sortie.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    EXPECT_FALSE(ligne.contains(QStringLiteral("not found"))) << ligne.toStdString();
    const qsizetype fleche = ligne.indexOf(QStringLiteral(" => /"));
    // "name => /path (0xaddress)"; the path may hold spaces.
    if (fleche >= 0) resolues << ligne.mid(fleche + 4, ligne.lastIndexOf(QStringLiteral(" (0x")) - fleche - 4);
  }
  resolues.removeDuplicates();
  EXPECT_GT(resolues.filter(pub + QStringLiteral("/lib/")).size(), 40);
  EXPECT_EQ(Etrangers(resolues, pub), QStringList());

  // Elsewhere: the player's mapped libraries while its window is shown,
  // and the screen it projects.
  const QString ailleurs = Copier("ailleurs");
  const Sortie joue = Bash(QStringLiteral("cd '%1' || exit 9\n"
                                          "./prelio --capture '%2' --apres 5000 Autorun.pvl 2>erreurs.txt &\n"
                                          "pid=$!\n"
                                          "for _ in $(seq 300); do\n"
                                          "  xdotool search --onlyvisible --pid $pid >/dev/null 2>&1 && break\n"
                                          "  sleep 0.1\n"
                                          "done\n"
                                          "sleep 1\n"
                                          "cat /proc/$pid/maps > '%3'\n"
                                          "wait $pid\n")
                               .arg(ailleurs, Temp("ecran.png"), Temp("maps.txt")),
                           Ailleurs(), true);
  ASSERT_EQ(joue.code, 0) << joue.erreurs.toStdString() << Lire(ailleurs + "/erreurs.txt").toStdString();
  QStringList objets;
  for (const QString& ligne : QString::fromUtf8(Lire(Temp("maps.txt"))).split(QLatin1Char('\n'))) {
    // The mapped file's path is the line's end, from its first "/".
    const qsizetype debut = ligne.indexOf(QLatin1Char('/'));
    if (debut >= 0 && ligne.contains(QStringLiteral(".so"))) objets << ligne.mid(debut);
  }
  objets.removeDuplicates();
  EXPECT_TRUE(objets.contains(ailleurs + QStringLiteral("/lib/libQt6Core.so.6"))) << objets.join(' ').toStdString();
  EXPECT_TRUE(objets.contains(ailleurs + QStringLiteral("/lib/plugins/platforms/libqxcb.so")));
  EXPECT_EQ(Etrangers(objets, ailleurs), QStringList());
  const QImage ecran(Temp("ecran.png"));
  ASSERT_EQ(ecran.size(), QSize(1280, 800));
  EXPECT_TRUE(test::Proche(ecran.pixelColor(640, 400), kRouge, 40)) << ecran.pixelColor(640, 400).name().toStdString();

  // Its autorun.sh, run from elsewhere, starts it on the start list.
  const Sortie autorun = Bash(QStringLiteral("'%1/autorun.sh' --capture '%2' --apres 4000").arg(ailleurs, Temp("autorun.png")),
                              Ailleurs(), true);
  ASSERT_EQ(autorun.code, 0) << autorun.erreurs.toStdString();
  EXPECT_FALSE(autorun.erreurs.contains(QStringLiteral("essai de"))) << autorun.erreurs.toStdString();
  const QImage lance(Temp("autorun.png"));
  ASSERT_EQ(lance.size(), QSize(1280, 800));
  EXPECT_TRUE(test::Proche(lance.pixelColor(640, 400), kRouge, 40)) << lance.pixelColor(640, 400).name().toStdString();
}

TEST_F(ProgrammeEmporte, UnLecteurEmporteQuiNeSeChargePasCedeALInstalle) {
  ASSERT_NO_FATAL_FAILURE(Publier());
  const QString casse = Copier("casse");
  // The carried player now needs a library that is nowhere: the loader
  // refuses it (127).
  QProcess patch;
  patch.start(QStringLiteral("patchelf"), {QStringLiteral("--add-needed"), QStringLiteral("libplivor-absente.so.1"),
                                           casse + QStringLiteral("/prelio")});
  ASSERT_TRUE(patch.waitForFinished(30000));
  ASSERT_EQ(patch.exitCode(), 0);
  QProcessEnvironment env = Ailleurs();
  const Sortie seul = Bash(QStringLiteral("'%1/prelio' --version").arg(casse), env);
  ASSERT_EQ(seul.code, 127);
  ASSERT_TRUE(seul.erreurs.contains(QStringLiteral("libplivor-absente.so.1"))) << seul.erreurs.toStdString();
  // An installed player that notes what it was given and where.
  QDir().mkpath(Temp("installes"));
  {
    QFile f(Temp("installes/prelio"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\necho \"$(pwd) $*\" > '%1'\n").arg(Temp("installe.txt")).toUtf8());
  }
  ASSERT_TRUE(QFile::setPermissions(Temp("installes/prelio"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  env.insert(QStringLiteral("PATH"), Temp("installes") + QStringLiteral(":/usr/bin:/bin"));
  const Sortie autorun = Bash(QStringLiteral("cd / && '%1/autorun.sh' --plein").arg(casse), env);
  EXPECT_EQ(autorun.code, 0) << autorun.erreurs.toStdString();
  EXPECT_EQ(Lire(Temp("installe.txt")), (casse + QStringLiteral(" --plein Autorun.pvl\n")).toUtf8());
  EXPECT_TRUE(autorun.erreurs.contains(QStringLiteral("libplivor-absente.so.1")));
  EXPECT_TRUE(autorun.erreurs.endsWith(QStringLiteral("Le lecteur ./prelio n'a pas pu démarrer : essai de prelio.\n")))
      << autorun.erreurs.toStdString();
}

}  // namespace
}  // namespace plivor
