// The command line of both programs as a shell user meets it: the help, the
// version, the faults with their exit codes and exact words, and the
// headless render, which ends and says the truth.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ImagesEssai.h"
#include "support/ProgrammeReel.h"

namespace {

const QString kProgramme = QStringLiteral(PLIVOR_PROGRAMME);
const QString kLecteur = QStringLiteral(PLIVOR_LECTEUR);
const QString kSurXvfb = QStringLiteral(PLIVOR_SUR_XVFB);

struct Bilan {
  bool fini = false;  // within the generous bound: a spin does not end
  int code = -1;
  QString sortie, erreurs;
};

class Commande : public testing::Test {
 protected:
  QProcessEnvironment Environnement(bool ecran = false) const {
    QProcessEnvironment e = plivor::test::EnvironnementReel(dossier.filePath(QStringLiteral("reglages.ini")));
    if (!ecran) e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Qt's own warning about it would mix with what the program says.
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), execution.path());
    return e;
  }
  Bilan Lancer(const QString& programme, const QStringList& arguments, bool ecran = false) const {
    QProcess p;
    p.setProcessEnvironment(Environnement(ecran));
    p.setWorkingDirectory(dossier.path());
    // A program that spins is killed, whatever it ignores, and its end seen.
    const QStringList borne = {QStringLiteral("-s"), QStringLiteral("KILL"), QStringLiteral("55"), programme};
    if (ecran)
      p.start(QStringLiteral("bash"), QStringList{kSurXvfb, QStringLiteral("timeout")} + borne + arguments);
    else
      p.start(QStringLiteral("timeout"), borne + arguments);
    Bilan bilan;
    bilan.fini = p.waitForFinished(70000) && p.exitCode() != 128 + 9;
    if (p.state() != QProcess::NotRunning) p.kill(), p.waitForFinished();
    bilan.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    bilan.sortie = QString::fromUtf8(p.readAllStandardOutput());
    bilan.erreurs = QString::fromUtf8(p.readAllStandardError());
    return bilan;
  }
  Bilan Plivor(const QStringList& arguments) const { return Lancer(kProgramme, arguments); }
  QString Chemin(const QString& nom) const { return dossier.filePath(nom); }
  QString Liste(const QString& nom, const QStringList& lignes) const {
    QFile f(Chemin(nom));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    for (const QString& l : lignes) f.write(l.toLatin1() + "\r\n");
    return f.fileName();
  }
  QString Image(const QString& nom, QColor couleur) const {
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(couleur);
    EXPECT_TRUE(plivor::test::EcrireBmp(Chemin(nom), image));
    return Chemin(nom);
  }
  QStringList Etapes(const QString& sortie) const {
    return QDir(Chemin(sortie)).entryList({QStringLiteral("etape-[0-9][0-9][0-9][0-9].png")}, QDir::Files, QDir::Name);
  }
  QTemporaryDir dossier;
  QTemporaryDir execution;
};

TEST_F(Commande, LAideNommeChaqueOptionEtLaVersionSuit) {
  const Bilan aide = Plivor({QStringLiteral("--help")});
  ASSERT_TRUE(aide.fini);
  EXPECT_EQ(aide.code, 0);
  EXPECT_EQ(aide.erreurs, QString());
  EXPECT_TRUE(aide.sortie.startsWith(QStringLiteral("Utilisation : plivor [options] [--] [liste.pvl ...]\n")))
      << aide.sortie.toStdString();
  for (const char* option : {"-h, --help ", "--version ", "--rendu DOSSIER ", "--etapes N ", "--pendant ",
                             "--video FICHIER.mp4 ", "--taille LxH ", "--ecran ", "--ips N ", "--duree S ", "--capture FICHIER ",
                             "--apres MS ", "--  ", "PLIVOR_REGLAGES=FICHIER "})
    EXPECT_TRUE(aide.sortie.contains(QStringLiteral("\n  ") + QString::fromUtf8(option))) << option;
  EXPECT_EQ(Plivor({QStringLiteral("-h")}).sortie, aide.sortie);

  const Bilan version = Plivor({QStringLiteral("--version")});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.sortie, QStringLiteral("Plivor 1.1ck\n"));

  // The player offers what it has: no render, no video.
  const Bilan lecteur = Lancer(kLecteur, {QStringLiteral("--help")});
  EXPECT_EQ(lecteur.code, 0);
  EXPECT_TRUE(lecteur.sortie.startsWith(QStringLiteral("Utilisation : prelio [options] [--] [liste.pvl ...]\n")));
  EXPECT_TRUE(lecteur.sortie.contains(QStringLiteral("\n  --capture FICHIER ")));
  EXPECT_FALSE(lecteur.sortie.contains(QStringLiteral("--rendu")));
  EXPECT_EQ(Lancer(kLecteur, {QStringLiteral("--version")}).sortie, QStringLiteral("Prelio 1.1ck\n"));
}

TEST_F(Commande, UneLigneIncorrecteSortEn2AvecSaFauteNommee) {
  const QString liste = Liste(QStringLiteral("a.pvl"), {QStringLiteral("Avance=Stop.pvi")});
  const struct {
    QStringList arguments;
    const char* faute;
  } cas[] = {
      {{"-f", liste}, "Option inconnue : -f"},
      {{"--plein-ecran", liste}, "Option inconnue : --plein-ecran"},
      {{"--rendu"}, "L'option --rendu attend une valeur (DOSSIER)."},
      {{"--rendu", "r", "--etapes", "dix", liste}, "Nombre d'étapes illisible : dix (un entier, 1 au moins)."},
      {{"--rendu", "r", "--etapes", "0", liste}, "Nombre d'étapes illisible : 0 (un entier, 1 au moins)."},
      {{"--etapes", "3", liste}, "L'option --etapes ne vaut qu'avec --rendu."},
      {{"--pendant", liste}, "L'option --pendant ne vaut qu'avec --rendu."},
      {{"--ips", "25", liste}, "L'option --ips ne vaut qu'avec --video."},
      {{"--apres", "100", liste}, "L'option --apres ne vaut qu'avec --capture."},
      {{"--capture", "c.png", "--apres", "bientôt", liste}, "Délai de capture illisible : bientôt (en millisecondes)."},
      {{"--video", "v.mp4", "--taille", "grand", liste}, "Taille de vidéo illisible : grand (par exemple 1920x1080)."},
      {{"--video", "v.mp4", "--duree", "-3", liste}, "Durée illisible : -3 (en secondes, plus de 0)."},
      {{"--rendu", "r", "--video", "v.mp4", liste}, "Les options --rendu et --video ne vont pas ensemble."},
      {{"--rendu", "r", "--capture", "c.png", liste},
       "L'option --capture montre la fenêtre : elle ne va ni avec --rendu ni avec --video."},
      {{"--rendu", "r"}, "Aucune liste à projeter."},
      {{"--video", "v.mp4", liste, liste}, "L'option --video n'exporte qu'une liste à la fois."},
      {{"--rendu", "r", "photo.jpg"}, "« photo.jpg » n'est pas une liste Plivor (.pvl ou .txt)."},
      {{"--pendant=oui", "--rendu", "r", liste}, "L'option --pendant ne prend pas de valeur."},
  };
  for (const auto& c : cas) {
    const Bilan bilan = Plivor(c.arguments);
    ASSERT_TRUE(bilan.fini) << c.faute;
    EXPECT_EQ(bilan.code, 2) << c.faute;
    EXPECT_EQ(bilan.erreurs, QString::fromUtf8(c.faute) + QStringLiteral("\nPour l'aide : plivor --help\n"));
    EXPECT_EQ(bilan.sortie, QString()) << c.faute;
  }
  EXPECT_FALSE(QFileInfo::exists(Chemin(QStringLiteral("r"))));
  const Bilan lecteur = Lancer(kLecteur, {QStringLiteral("--rendu"), QStringLiteral("r"), liste});
  EXPECT_EQ(lecteur.code, 2);
  EXPECT_EQ(lecteur.erreurs, QStringLiteral("Option inconnue : --rendu\nPour l'aide : prelio --help\n"));
}

TEST_F(Commande, DeuxTiretsFinissentLesOptions) {
  Liste(QStringLiteral("-x.pvl"), {QStringLiteral("Tempo=500.pvi"), Image(QStringLiteral("v.bmp"), Qt::green),
                                    QStringLiteral("Avance=Stop.pvi")});
  const Bilan bilan = Plivor({QStringLiteral("--rendu"), QStringLiteral("r"), QStringLiteral("--"), QStringLiteral("-x.pvl")});
  ASSERT_TRUE(bilan.fini);
  EXPECT_EQ(bilan.code, 0) << bilan.erreurs.toStdString();
  EXPECT_EQ(bilan.erreurs, QString());
  // The list stops on its picture: one step, the show's end, and success.
  const QStringList etapes = Etapes(QStringLiteral("r"));
  ASSERT_EQ(etapes.size(), 1);
  const QImage etape(Chemin(QStringLiteral("r/") + etapes.front()));
  EXPECT_EQ(etape.pixelColor(etape.rect().center()), QColor(Qt::green));
}

TEST_F(Commande, UnRenduQuiNePeutAvancerSArreteEn1AvecLeMessage) {
  const QString image = Image(QStringLiteral("rouge.bmp"), Qt::red);
  const QString liste = Liste(QStringLiteral("absent.pvl"), {QStringLiteral("Tempo=1000.pvi"), QStringLiteral("absent.jpg")});
  const Bilan bilan = Plivor({QStringLiteral("--rendu"), QStringLiteral("r"), QStringLiteral("--etapes"),
                              QStringLiteral("3"), liste});
  ASSERT_TRUE(bilan.fini) << "le rendu tourne sans fin";
  EXPECT_EQ(bilan.code, 1);
  EXPECT_EQ(bilan.erreurs, QStringLiteral("absent.jpg : Médias ou dossier absents!!\n\nVérifiez le contenu de votre liste\n"
                                          "    dans la fenêtre de Montage !!\nRendu interrompu : 0 images écrites dans ") +
                               Chemin(QStringLiteral("r")) + QStringLiteral(" (0 étapes)\n"));
  EXPECT_EQ(bilan.sortie, QString());

  // A medium missing further on: what was made stays, the end is said.
  const QString suite =
      Liste(QStringLiteral("suite.pvl"), {QStringLiteral("Tempo=1000.pvi"), image, image, QStringLiteral("perdu.jpg")});
  const Bilan plus = Plivor({QStringLiteral("--rendu"), QStringLiteral("s"), suite});
  ASSERT_TRUE(plus.fini) << "le rendu tourne sans fin";
  EXPECT_EQ(plus.code, 1);
  EXPECT_TRUE(plus.erreurs.startsWith(QStringLiteral("perdu.jpg : Médias ou dossier absents!!"))) << plus.erreurs.toStdString();
  EXPECT_TRUE(plus.erreurs.endsWith(QStringLiteral("Rendu interrompu : 2 images écrites dans ") + Chemin(QStringLiteral("s")) +
                                    QStringLiteral(" (2 étapes)\n")))
      << plus.erreurs.toStdString();
  EXPECT_EQ(Etapes(QStringLiteral("s")).size(), 2);
}

TEST_F(Commande, UneListeAbsenteEstNommeeEtRienNEstEcrit) {
  const Bilan bilan = Plivor({QStringLiteral("--rendu"), QStringLiteral("r"), QStringLiteral("absente.pvl")});
  ASSERT_TRUE(bilan.fini);
  EXPECT_EQ(bilan.code, 1);
  EXPECT_EQ(bilan.erreurs, QStringLiteral("Liste introuvable : ") + Chemin(QStringLiteral("absente.pvl")) + "\n");
  EXPECT_FALSE(QFileInfo::exists(Chemin(QStringLiteral("r"))));
}

TEST_F(Commande, EtapesNEcritPasPlusDeNImages) {
  // A list naming itself with a jump expanded itself hundreds of times in
  // one advance, and showed a step at each level.
  const QString liste = Liste(QStringLiteral("principale.pvl"),
                              {QStringLiteral("Saut=Suivant.pvi"), QStringLiteral("principale.pvl"),
                               Image(QStringLiteral("rouge.bmp"), Qt::red)});
  const Bilan bilan = Plivor({QStringLiteral("--rendu"), QStringLiteral("r"), QStringLiteral("--etapes"),
                              QStringLiteral("10"), liste});
  ASSERT_TRUE(bilan.fini);
  EXPECT_EQ(Etapes(QStringLiteral("r")).size(), 10);
  EXPECT_EQ(bilan.sortie, QStringLiteral("10 images écrites dans ") + Chemin(QStringLiteral("r")) +
                              QStringLiteral(" (10 étapes)\n"));
}

TEST_F(Commande, PlusieursListesSEnchainentChacuneSousSonDrapeau) {
  Liste(QStringLiteral("a.pvl"), {QStringLiteral("Tempo=500.pvi"), QStringLiteral("Transition=Sans.pvi"),
                                  Image(QStringLiteral("rouge.bmp"), Qt::red)});
  QDir().mkpath(Chemin(QStringLiteral("b")));
  Image(QStringLiteral("b/bleu.bmp"), Qt::blue);
  // A relative line takes its own list's folder.
  Liste(QStringLiteral("b/b.pvl"), {QStringLiteral("bleu.bmp")});
  const Bilan bilan = Plivor({QStringLiteral("--rendu"), QStringLiteral("r"), QStringLiteral("--etapes"),
                              QStringLiteral("4"), QStringLiteral("a.pvl"), QStringLiteral("b/b.pvl")});
  ASSERT_TRUE(bilan.fini);
  EXPECT_EQ(bilan.code, 0) << bilan.erreurs.toStdString();
  EXPECT_EQ(bilan.erreurs, QString());
  const QStringList etapes = Etapes(QStringLiteral("r"));
  ASSERT_EQ(etapes.size(), 4);
  // Each list's picture in turn, and round again.
  const QColor attendues[] = {Qt::red, Qt::blue, Qt::red, Qt::blue};
  for (int i = 0; i < 4; ++i) {
    const QImage etape(Chemin(QStringLiteral("r/") + etapes[i]));
    ASSERT_FALSE(etape.isNull());
    EXPECT_EQ(etape.pixelColor(etape.rect().center()), attendues[i]) << etapes[i].toStdString();
  }
}

// ---- The real window under a virtual X server.

class CommandeEcran : public Commande {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) GTEST_SKIP() << "Xvfb absent";
  }
  Bilan Ecran(const QString& programme, const QStringList& arguments) const { return Lancer(programme, arguments, true); }
};

TEST_F(CommandeEcran, UneCapturePriseSurUnMessageFinitLeProgramme) {
  // The missing list is said in a box, the open dialog follows: the capture
  // falls inside them.
  for (const QString& programme : {kProgramme, kLecteur}) {
    const QString capture = Chemin(QFileInfo(programme).fileName() + QStringLiteral(".png"));
    const Bilan bilan = Ecran(programme, {QStringLiteral("--capture"), capture, QStringLiteral("--apres"),
                                          QStringLiteral("4000"), QStringLiteral("absente.pvl")});
    ASSERT_TRUE(bilan.fini) << programme.toStdString() << " ne finit pas";
    EXPECT_EQ(bilan.code, 0) << bilan.erreurs.toStdString();
    EXPECT_EQ(QImage(capture).size(), QSize(1280, 800));
  }
}

TEST_F(CommandeEcran, UnProgrammeFiniAvantSaCaptureLeDit) {
  const QString image = Image(QStringLiteral("rouge.bmp"), Qt::red);
  Liste(QStringLiteral("fin.pvl"), {QStringLiteral("Tempo=500.pvi"), image, QStringLiteral("Saut=Quitter.pvi")});
  const QString capture = Chemin(QStringLiteral("c.png"));
  const Bilan bilan = Ecran(kProgramme, {QStringLiteral("--capture"), capture, QStringLiteral("--apres"),
                                         QStringLiteral("20000"), QStringLiteral("fin.pvl")});
  ASSERT_TRUE(bilan.fini);
  EXPECT_EQ(bilan.code, 1);
  EXPECT_EQ(bilan.erreurs.section(QLatin1Char('\n'), -2, -2),
            QStringLiteral("Le programme s'est terminé avant la capture d'écran : ") + capture +
                QStringLiteral(" n'est pas écrit."))
      << bilan.erreurs.toStdString();
  EXPECT_FALSE(QFileInfo::exists(capture));
}

TEST_F(CommandeEcran, UneCaptureQuiNePeutSEcrireLeDit) {
  const QString image = Image(QStringLiteral("rouge.bmp"), Qt::red);
  Liste(QStringLiteral("a.pvl"), {QStringLiteral("Tempo=4000.pvi"), image});
  const QString capture = Chemin(QStringLiteral("absent/c.png"));
  const Bilan bilan = Ecran(kProgramme, {QStringLiteral("--capture"), capture, QStringLiteral("--apres"),
                                         QStringLiteral("3000"), QStringLiteral("a.pvl")});
  ASSERT_TRUE(bilan.fini);
  EXPECT_EQ(bilan.code, 1);
  EXPECT_EQ(bilan.erreurs.section(QLatin1Char('\n'), -2, -2),
            QStringLiteral("Capture d'écran impossible à écrire : ") + capture)
      << bilan.erreurs.toStdString();
}

TEST_F(CommandeEcran, UneListeQuiSeNommeCommeObjetNeVaPasAuBureau) {
  // The desktop's "open" stands in as a recorder on the path.
  QDir().mkpath(Chemin(QStringLiteral("bin")));
  const QString journal = Chemin(QStringLiteral("ouverts.txt"));
  QFile outil(Chemin(QStringLiteral("bin/xdg-open")));
  ASSERT_TRUE(outil.open(QIODevice::WriteOnly));
  outil.write(QStringLiteral("#!/bin/sh\necho \"$@\" >> '%1'\n").arg(journal).toUtf8());
  outil.close();
  outil.setPermissions(outil.permissions() | QFile::ExeOwner);
  const QString image = Image(QStringLiteral("rouge.bmp"), Qt::red);
  const QString liste = Chemin(QStringLiteral("chaine.pvl"));
  Liste(QStringLiteral("chaine.pvl"), {QStringLiteral("Tempo=500.pvi"), image, QStringLiteral("ObjetX=") + liste + ".pvr", image});
  QProcess p;
  QProcessEnvironment e = Environnement(true);
  e.insert(QStringLiteral("PATH"), Chemin(QStringLiteral("bin")) + QLatin1Char(':') + e.value(QStringLiteral("PATH")));
  p.setProcessEnvironment(e);
  p.setWorkingDirectory(dossier.path());
  const QString capture = Chemin(QStringLiteral("c.png"));
  p.start(QStringLiteral("bash"), {kSurXvfb, QStringLiteral("timeout"), QStringLiteral("-s"), QStringLiteral("KILL"),
                                   QStringLiteral("55"), kProgramme, QStringLiteral("--capture"), capture,
                                   QStringLiteral("--apres"), QStringLiteral("5000"), liste});
  ASSERT_TRUE(p.waitForFinished(70000));
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  EXPECT_TRUE(QFileInfo::exists(capture));
  EXPECT_FALSE(QFileInfo::exists(journal)) << "ouvert : " << QFile(journal).fileName().toStdString();
}

}  // namespace
