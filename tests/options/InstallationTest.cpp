// The installation engine on real folders: a program folder with its files,
// a temporary home with its XDG folders; copies, refusals, messages,
// launchers, and a copy that the file size limit cuts short.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "options/Installation.h"
#include "options/RegistreInstallation.h"
#include "support/BancVue.h"

// Texts read as texts in the failures.
inline void PrintTo(const QString& texte, std::ostream* os) { *os << '"' << texte.toStdString() << '"'; }

namespace plivor {
namespace {

namespace fs = std::filesystem;
using test::BancVue;

QByteArray Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void Ecrire(const QString& chemin, const QByteArray& octets) {
  QDir().mkpath(QFileInfo(chemin).absolutePath());
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(octets);
}

// An old date, so a copy that did not keep it shows.
void Dater(const QString& chemin, int jours) {
  fs::last_write_time(chemin.toStdString(), fs::file_time_type::clock::now() - std::chrono::hours(24 * jours));
}

fs::file_time_type Date(const QString& chemin) { return fs::last_write_time(chemin.toStdString()); }

// Every file and folder under `dossier`, relative, sorted.
QStringList Arbre(const QString& dossier) {
  QStringList noms;
  QDirIterator it(dossier, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) noms << QDir(dossier).relativeFilePath(it.next());
  noms.sort();
  return noms;
}

class Installations : public testing::Test {
 protected:
  void SetUp() override {
    // The program's folder: the program, its help, icon, text and language.
    Ecrire(Source("plivor"), QByteArray(300000, 'P'));
    QFile::setPermissions(Source("plivor"), QFile::permissions(Source("plivor")) | QFileDevice::ExeOwner);
    Ecrire(Source("prelio"), QByteArray(120000, 'L'));
    Ecrire(Source("Plivor.hlp/index.html"), "<html>sommaire</html>");
    Ecrire(Source("Plivor.hlp/1600.html"), "<html>installation</html>");
    Ecrire(Source("Plivor.hlp/images/a.png"), QByteArray(5000, 'i'));
    Ecrire(Source("Plivor-S.hlp/index.html"), "<html>montage</html>");
    QImage icone(32, 32, QImage::Format_ARGB32);
    icone.fill(QColor(35, 32, 55));
    ASSERT_TRUE(icone.save(Source("Plivor.ico"), "ICO"));
    Ecrire(Source("Plivor.txt"), "Plivor\n");
    Ecrire(Source("Prelio.txt"), "Prelio\n");
    Ecrire(Source("lg.pvg"), "Entete=Plivor\r\n");
    for (const QString& f : Arbre(banc.dossier.path())) Dater(banc.CheminHote(f), 400);
    dossiers = {maison.filePath(QStringLiteral(".local/share")), maison.filePath(QStringLiteral(".config")),
                maison.filePath(QStringLiteral("Bureau"))};
    installation = std::make_unique<Installation>(*banc.vue, dossiers);
  }
  QString Source(const char* nom) const { return banc.CheminHote(QString::fromUtf8(nom)); }
  QString Cible() const { return dossiers.donnees + QStringLiteral("/Plivor"); }
  QStringList& Textes() { return banc.dialogues.textes; }

  BancVue banc;
  QTemporaryDir maison;
  DossiersXdg dossiers;
  std::unique_ptr<Installation> installation;
};

TEST_F(Installations, LeDossierParDefautEstSousLesDonneesDeLUtilisateur) {
  EXPECT_EQ(installation->opt_RNomDossier, Cible());
  installation->Versions();
  EXPECT_TRUE(installation->opt_RVersions.isEmpty());
  EXPECT_EQ(installation->opt_RNomProgram, Source("plivor"));
}

TEST_F(Installations, ArbreInstalleDatesEtAssociation) {
  if (QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
    GTEST_SKIP() << "update-mime-database absent";
  QList<std::pair<qint64, qint64>> avancees;
  QObject::connect(installation.get(), &Installation::Progression,
                   [&](qint64 copies, qint64 total) { avancees << std::pair{copies, total}; });
  ASSERT_TRUE(installation->Installer());
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Installation terminée avec succès")});
  EXPECT_TRUE(installation->opt_RMessage.isEmpty());

  EXPECT_EQ(Arbre(Cible()), (QStringList{".plivor-installation", "Plivor-S.hlp", "Plivor-S.hlp/index.html", "Plivor.hlp",
                                         "Plivor.hlp/1600.html", "Plivor.hlp/images", "Plivor.hlp/images/a.png",
                                         "Plivor.hlp/index.html", "Plivor.ico", "Plivor.txt", "Prelio.txt", "lg.pvg",
                                         "plivor", "prelio"}));
  for (const QString& f : Arbre(Cible())) {
    if (QFileInfo(Cible() + "/" + f).isDir() || f == QLatin1String(kRegistreInstallation)) continue;
    EXPECT_EQ(Lire(Cible() + "/" + f), Lire(banc.CheminHote(f))) << f.toStdString();
    EXPECT_EQ(Date(Cible() + "/" + f), Date(banc.CheminHote(f))) << f.toStdString();
  }
  EXPECT_TRUE(QFileInfo(Cible() + "/plivor").isExecutable());

  // The bar moves with the bytes and ends on the whole.
  const qint64 total = 300000 + 120000 + 5000 + QFileInfo(Source("Plivor.ico")).size() + 7 + 7 + 15 + 21 + 25 + 20;
  ASSERT_FALSE(avancees.isEmpty());
  EXPECT_EQ(avancees.back(), (std::pair<qint64, qint64>{total, total}));
  for (qsizetype i = 1; i < avancees.size(); ++i) EXPECT_LE(avancees[i - 1].first, avancees[i].first);

  // From now on the program is the installed one, and lists open with it.
  EXPECT_EQ(installation->CheminProgramme(), Cible() + "/plivor");
  EXPECT_EQ(installation->opt_RNomProgram, Cible() + "/plivor");
  EXPECT_EQ(Lire(dossiers.Applications() + "/plivor.desktop"), EntreeBureau(Cible() + "/plivor"));
  EXPECT_EQ(Lire(dossiers.configuration + "/mimeapps.list"),
            "[Default Applications]\napplication/x-plivorfile=plivor.desktop;\n");
  installation->Versions();
  EXPECT_EQ(installation->opt_RVersions, (QStringList{"Plivor-S.hlp", "Plivor.hlp", "plivor", "prelio"}));
}

TEST_F(Installations, UneSecondeInstallationRemplaceLesFichiersEnLectureSeule) {
  Ecrire(Cible() + "/Plivor.hlp/index.html", "ancienne aide");
  QFile::setPermissions(Cible() + "/Plivor.hlp/index.html", QFileDevice::ReadOwner);
  Ecrire(Cible() + "/plivor", "ancien programme");
  QFile::setPermissions(Cible() + "/plivor", QFileDevice::ReadOwner);
  const BilanCopie bilan = CopierFichiers(banc.dossier.path(), Cible(), FichiersAInstaller(JeuFichiers::Programme, "plivor"));
  EXPECT_EQ(bilan.etat, BilanCopie::Etat::Reussie);
  EXPECT_EQ(Lire(Cible() + "/Plivor.hlp/index.html"), Lire(Source("Plivor.hlp/index.html")));
  EXPECT_EQ(Lire(Cible() + "/plivor"), Lire(Source("plivor")));
}

TEST_F(Installations, LeDossierDuProgrammeEstRefuseQuelleQueSoitSonEcriture) {
  const QString source = banc.dossier.path();
  QDir().mkpath(source + "/sous");
  const QString lien = maison.filePath(QStringLiteral("lien"));
  ASSERT_TRUE(QFile::link(source, lien));
  const auto avant = Date(Source("plivor"));
  for (const QString& cible : {source, source + "/", source + "//", source + "/sous/..", source + "/./", lien,
                               lien + "/"}) {
    Textes().clear();
    installation->opt_RNomDossier = cible;
    EXPECT_FALSE(installation->Installer()) << cible.toStdString();
    QString t = cible;
    while (t.endsWith('/')) t.chop(1);
    EXPECT_EQ(Textes(), QStringList{"Dossier-destination " + t + " identique\rau dossier-source : " + source +
                                    "\r\rChoisir un autre emplacement d'installation !"})
        << cible.toStdString();
  }
  // Nothing was copied onto itself, and nothing was associated.
  EXPECT_EQ(Date(Source("plivor")), avant);
  EXPECT_EQ(Lire(Source("plivor")), QByteArray(300000, 'P'));
  EXPECT_FALSE(QFile::exists(dossiers.configuration + "/mimeapps.list"));
  EXPECT_EQ(installation->CheminProgramme(), Source("plivor"));
  // The publication's copy is refused the same way.
  Textes().clear();
  EXPECT_FALSE(installation->CopierProgramme(lien, JeuFichiers::Lecteur));
  EXPECT_EQ(Textes().size(), 1);
}

TEST_F(Installations, UnFichierAbsentEstNommeEtArreteLesCopies) {
  QFile::remove(Source("Plivor.txt"));
  EXPECT_FALSE(installation->Installer());
  EXPECT_EQ(Textes(), QStringList{"Le Fichier \"" + Source("Plivor.txt") +
                                  "\" est absent !!!\r\rConsulter le fichier d'aide."});
  EXPECT_EQ(banc.bureau.aides, QStringList{Source("Plivor.hlp") + "#250"});
  // Nothing was copied: an installation is whole or not made.
  EXPECT_EQ(Arbre(Cible()), QStringList{});
  EXPECT_EQ(installation->CheminProgramme(), Source("plivor"));
  EXPECT_FALSE(QFile::exists(dossiers.configuration + "/mimeapps.list"));
}

TEST_F(Installations, UneCopieQuiEchoueEstDiteEtRienNEstAssocie) {
  // A folder holds the name of a file to copy: the rename over it fails.
  Ecrire(Cible() + "/lg.pvg/occupe", "x");
  EXPECT_FALSE(installation->Installer());
  ASSERT_EQ(Textes().size(), 1);
  EXPECT_EQ(Textes()[0], "Echec de la copie vers \"" + Cible() + "/lg.pvg\"\r\rL'installation n'est pas terminée.");
  EXPECT_FALSE(Textes().contains(QStringLiteral("Installation terminée avec succès")));
  EXPECT_EQ(installation->CheminProgramme(), Source("plivor"));
  EXPECT_FALSE(QFile::exists(dossiers.Applications() + "/plivor.desktop"));
  EXPECT_FALSE(QFile::exists(Cible() + "/plivor"));
  // Nor any other file, nor a hidden folder left behind.
  EXPECT_EQ(Arbre(Cible()), (QStringList{"lg.pvg", "lg.pvg/occupe"}));
}

TEST_F(Installations, UneAssociationImpossibleNEstPasUnSucces) {
  // The MIME folder cannot be made: a file holds the data folder's place.
  Ecrire(maison.filePath(QStringLiteral("donnees")), "un fichier");
  dossiers.donnees = maison.filePath(QStringLiteral("donnees"));
  Installation installation(*banc.vue, dossiers);
  installation.opt_RNomDossier = maison.filePath(QStringLiteral("Programmes/Plivor"));
  EXPECT_FALSE(installation.Installer());
  ASSERT_EQ(Textes().size(), 1);
  EXPECT_EQ(Textes()[0], "Fichiers copiés dans " + installation.opt_RNomDossier +
                             "\rEchec de l'association des listes Plivor : " + dossiers.donnees +
                             "/mime/packages/plivor.xml");
  EXPECT_FALSE(QFile::exists(dossiers.configuration + "/mimeapps.list"));
}

TEST_F(Installations, UneCopieCourteEstUnEchecEtGardeLAncienneCible) {
  const QString gros = maison.filePath(QStringLiteral("gros.bin"));
  QByteArray octets(3 << 20, '\0');
  for (int i = 0; i < octets.size(); ++i) octets[i] = char(i * 7);
  Ecrire(gros, octets);
  const QString cible = maison.filePath(QStringLiteral("copie.bin"));
  Ecrire(cible, "ancienne copie");
  // Writes past one megabyte fail (EFBIG), as on a full disc.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit avant{};
  getrlimit(RLIMIT_FSIZE, &avant);
  rlimit limite = avant;
  limite.rlim_cur = 1 << 20;
  setrlimit(RLIMIT_FSIZE, &limite);
  const bool copie = CopierFichierVerifie(gros, cible, {});
  const bool nouvelle = CopierFichierVerifie(gros, maison.filePath(QStringLiteral("nouvelle.bin")), {});
  setrlimit(RLIMIT_FSIZE, &avant);
  EXPECT_FALSE(copie);
  EXPECT_FALSE(nouvelle);
  EXPECT_EQ(Lire(cible), "ancienne copie");
  // No temporary left, and no new file cut short.
  EXPECT_EQ(Arbre(maison.path()), (QStringList{"copie.bin", "gros.bin"}));
  // Without the limit the same copy is whole; an empty file is copied too.
  EXPECT_TRUE(CopierFichierVerifie(gros, cible, {}));
  EXPECT_EQ(Lire(cible), octets);
  Ecrire(maison.filePath(QStringLiteral("vide")), {});
  EXPECT_TRUE(CopierFichierVerifie(maison.filePath(QStringLiteral("vide")), maison.filePath(QStringLiteral("vide2")), {}));
  EXPECT_EQ(QFileInfo(maison.filePath(QStringLiteral("vide2"))).size(), 0);
  EXPECT_TRUE(QFileInfo::exists(maison.filePath(QStringLiteral("vide2"))));
}

TEST_F(Installations, LeLecteurSeulPourLaPublication) {
  const QString publication = maison.filePath(QStringLiteral("Publication"));
  ASSERT_TRUE(installation->CopierProgramme(publication, JeuFichiers::Lecteur));
  EXPECT_TRUE(Textes().isEmpty());
  EXPECT_EQ(Arbre(publication), (QStringList{"Plivor.hlp", "Plivor.hlp/1600.html", "Plivor.hlp/images",
                                             "Plivor.hlp/images/a.png", "Plivor.hlp/index.html", "Plivor.ico",
                                             "Prelio.txt", "prelio"}));
  EXPECT_EQ(Date(publication + "/prelio"), Date(Source("prelio")));
}

TEST_F(Installations, ChoixDuDossierAnnuleOuValide) {
  const QString avant = installation->opt_RNomDossier;
  installation->ChoisirDossier();  // "Annuler": no answer
  EXPECT_EQ(installation->opt_RNomDossier, avant);
  EXPECT_EQ(banc.dialogues.dialogues, QStringList{"Choisir le dossier d'installation"});
  // It starts where the folder holding "Plivor" is, or at home.
  EXPECT_EQ(banc.dialogues.departs, QStringList{QDir::homePath()});
  QDir().mkpath(dossiers.donnees);
  installation->ChoisirDossier();
  EXPECT_EQ(banc.dialogues.departs.back(), dossiers.donnees);

  banc.dialogues.dossiers = {QStringLiteral("/opt/"), QStringLiteral("/")};
  installation->ChoisirDossier();
  EXPECT_EQ(installation->opt_RNomDossier, "/opt/Plivor");
  installation->ChoisirDossier();
  EXPECT_EQ(installation->opt_RNomDossier, "/Plivor");
  EXPECT_TRUE(Textes().isEmpty());
}

TEST_F(Installations, RaccourcisSurLeBureauDansLeMenuOuAilleurs) {
  installation->ChoixRaccourci(BoutonRaccourci::opt_bt_Raccourci);
  EXPECT_TRUE(installation->lk_pnRaccourci);
  installation->ChoixRaccourci(BoutonRaccourci::k_btBureau);
  EXPECT_EQ(Textes(), QStringList{"Raccourci \"Plivor\" créé dans " + dossiers.bureau});
  EXPECT_FALSE(installation->lk_pnRaccourci);
  // A shortcut never claims the lists' type.
  EXPECT_EQ(Lire(dossiers.bureau + "/plivor.desktop"), EntreeBureau(Source("plivor"), Source("plivor"), false));
  EXPECT_FALSE(Lire(dossiers.bureau + "/plivor.desktop").contains("MimeType"));
  EXPECT_TRUE(QFileInfo(dossiers.bureau + "/plivor.desktop").isExecutable());

  // In the menu it takes a name of its own: the association's launcher is not touched.
  Ecrire(dossiers.Applications() + "/plivor.desktop", EntreeBureau(Cible() + "/plivor"));
  installation->ChoixRaccourci(BoutonRaccourci::k_btPrograms);
  EXPECT_EQ(Textes().back(), "Raccourci \"Plivor\" créé dans " + dossiers.Applications());
  EXPECT_EQ(Lire(dossiers.Applications() + "/plivor.desktop"), EntreeBureau(Cible() + "/plivor"));
  const QString menu = dossiers.Applications() + "/" + NomRaccourciMenu(Source("plivor"));
  EXPECT_NE(NomRaccourciMenu(Source("plivor")), QStringLiteral("plivor.desktop"));
  EXPECT_EQ(Lire(menu), EntreeBureau(Source("plivor"), Source("plivor"), false));

  // Another place, cancelled: nothing made, nothing said.
  Textes().clear();
  const QString ailleurs = maison.filePath(QStringLiteral("ailleurs"));
  installation->ChoixRaccourci(BoutonRaccourci::lk_btAutre);
  EXPECT_TRUE(Textes().isEmpty());
  EXPECT_FALSE(QFile::exists(ailleurs + "/plivor.desktop"));
  banc.dialogues.dossiers = {ailleurs + "/"};
  installation->ChoixRaccourci(BoutonRaccourci::lk_btAutre);
  EXPECT_EQ(Textes(), QStringList{"Raccourci \"Plivor\" créé dans " + ailleurs});
  EXPECT_TRUE(QFile::exists(ailleurs + "/plivor.desktop"));
  // The installation folder is left as it was.
  EXPECT_EQ(installation->opt_RNomDossier, Cible());
}

TEST_F(Installations, UnRaccourciImpossibleNEstPasDitCree) {
  Ecrire(dossiers.bureau, "un fichier, pas un dossier");
  installation->ChoixRaccourci(BoutonRaccourci::opt_bt_Raccourci);
  installation->ChoixRaccourci(BoutonRaccourci::k_btBureau);
  EXPECT_EQ(Textes(), QStringList{"Echec de la création de Raccourci"});
  EXPECT_TRUE(installation->lk_pnRaccourci);
}

// Hidden folders of copies under way in `dossier`.
QStringList Lots(const QString& dossier) {
  return QDir(dossier).entryList({QLatin1String(kPrefixeLot) + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden);
}

// The set copied in a child process killed by SIGKILL once half of its
// bytes are written, as a user's kill or a crash would end it.
void CopierPuisTuer(const ElementsJeu& jeu, const QString& cible) {
  const pid_t enfant = ::fork();
  ASSERT_GE(enfant, 0);
  if (enfant == 0) {
    CopierFichiers(jeu, cible, [](qint64 copies, qint64 total) {
      if (copies * 2 >= total && copies > 0) ::kill(::getpid(), SIGKILL);
    });
    ::_exit(0);
  }
  int etat = 0;
  ASSERT_EQ(::waitpid(enfant, &etat, 0), enfant);
  ASSERT_TRUE(WIFSIGNALED(etat) && WTERMSIG(etat) == SIGKILL) << "the copy was not killed";
}

TEST_F(Installations, UneInstallationTueeNeLaisseNiProgrammeTronqueNiVersionsMelees) {
  const ElementsJeu jeu = ElementsAInstaller(JeuFichiers::Programme, banc.dossier.path(), "plivor");
  // 1. A first installation killed: no file under its final name.
  QDir().mkpath(Cible());
  CopierPuisTuer(jeu, Cible());
  ASSERT_EQ(Lots(Cible()).size(), 1);
  EXPECT_EQ(QDir(Cible()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
  // The page shown next settles it: nothing half made is left.
  installation->Versions();
  EXPECT_EQ(Arbre(Cible()), QStringList{});
  EXPECT_TRUE(installation->opt_RVersions.isEmpty());

  // 2. A new version's installation killed over a whole one: the former stays, all of it.
  ASSERT_TRUE(installation->Installer());
  const QStringList installes = Arbre(Cible());
  QMap<QString, QByteArray> avant;
  for (const QString& f : installes)
    if (!QFileInfo(Cible() + "/" + f).isDir()) avant[f] = Lire(Cible() + "/" + f);
  Ecrire(Source("plivor"), QByteArray(300000, 'N'));
  Ecrire(Source("Plivor.txt"), "Plivor 2\n");
  Ecrire(Source("Plivor.hlp/index.html"), "<html>nouveau sommaire</html>");
  CopierPuisTuer(jeu, Cible());
  installation->Versions();
  EXPECT_EQ(Arbre(Cible()), installes);
  for (auto it = avant.begin(); it != avant.end(); ++it)
    EXPECT_EQ(Lire(Cible() + "/" + it.key()), it.value()) << it.key().toStdString();
}

TEST_F(Installations, UneCopieTueeApresSesFichiersEstAchevee) {
  // Every file was written and marked so; the kill came during the renames.
  ASSERT_TRUE(installation->Installer());
  const QString lot = Cible() + "/" + QLatin1String(kPrefixeLot) + "a1b2c3";
  Ecrire(lot + "/plivor", "nouveau programme");
  Ecrire(lot + "/Plivor.hlp/index.html", "<html>nouveau</html>");
  Ecrire(lot + "/.complete", {});
  EXPECT_EQ(ReprendreCopiesInterrompues(Cible()), 1);
  EXPECT_EQ(Lire(Cible() + "/plivor"), "nouveau programme");
  EXPECT_EQ(Lire(Cible() + "/Plivor.hlp/index.html"), "<html>nouveau</html>");
  EXPECT_TRUE(Lots(Cible()).isEmpty());
  EXPECT_EQ(Lire(Cible() + "/prelio"), Lire(Source("prelio")));
}

TEST_F(Installations, UneSecondeInstallationDansLaMemeSessionCopieLeProgrammeQuiTourne) {
  ASSERT_TRUE(installation->Installer());
  EXPECT_EQ(installation->CheminProgramme(), Cible() + "/plivor");
  Ecrire(Source("plivor"), QByteArray(300000, 'Q'));  // the build made anew
  Textes().clear();
  ASSERT_TRUE(installation->Installer());
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Installation terminée avec succès")});
  EXPECT_EQ(Lire(Cible() + "/plivor"), QByteArray(300000, 'Q'));
  // The page names the program that runs as the one to install.
  installation->Versions();
  EXPECT_EQ(installation->opt_RNomProgram, Source("plivor"));
  // And elsewhere too.
  installation->opt_RNomDossier = maison.filePath(QStringLiteral("Autre/Plivor"));
  ASSERT_TRUE(installation->Installer());
  EXPECT_EQ(Lire(maison.filePath(QStringLiteral("Autre/Plivor/plivor"))), QByteArray(300000, 'Q'));
}

TEST_F(Installations, DesinstallerRetireExactementCeQueLInstallationAEcrit) {
  if (QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
    GTEST_SKIP() << "update-mime-database absent";
  const QByteArray mimeapps = "[Default Applications]\ntext/html=navigateur.desktop\n\n[Added Associations]\nx=y;\n";
  Ecrire(dossiers.configuration + "/mimeapps.list", mimeapps);
  Ecrire(Cible() + "/mes-notes.txt", "à moi");
  Ecrire(dossiers.donnees + "/mime/packages/autre.xml", "<mime-info/>");
  Ecrire(dossiers.Applications() + "/autre.desktop", "[Desktop Entry]\n");
  const QStringList donneesAvant = Arbre(dossiers.donnees);
  ASSERT_TRUE(installation->Installer());
  installation->ChoixRaccourci(BoutonRaccourci::k_btBureau);
  Ecrire(dossiers.bureau + "/a-moi.desktop", "[Desktop Entry]\n");
  ASSERT_TRUE(QFile::exists(dossiers.bureau + "/plivor.desktop"));
  // A file the user changed since is not the installation's any more.
  Ecrire(Cible() + "/Plivor.txt", "changé par la personne");

  Textes().clear();
  installation->Desinstaller();  // "Non"
  EXPECT_TRUE(QFile::exists(Cible() + "/plivor"));
  banc.dialogues.reponses = {true};
  Textes().clear();
  EXPECT_FALSE(installation->Desinstaller());  // done, but one file left
  ASSERT_EQ(Textes().size(), 2);
  EXPECT_EQ(Textes()[0], "Désinstaller Plivor du dossier \"" + Cible() +
                             "\" ?\r\rSeuls les fichiers écrits par l'installation seront supprimés.");
  EXPECT_EQ(Textes()[1], "Désinstallation terminée.\r\rFichiers modifiés depuis l'installation, laissés en place :\r" +
                             Cible() + "/Plivor.txt");
  EXPECT_EQ(Arbre(Cible()), (QStringList{"Plivor.txt", "mes-notes.txt"}));
  EXPECT_EQ(Lire(dossiers.configuration + "/mimeapps.list"), mimeapps);
  EXPECT_EQ(Arbre(dossiers.bureau), QStringList{"a-moi.desktop"});
  // The user's own files of the shared folders stay, and the database no longer knows lists.
  for (const QString& f : donneesAvant) EXPECT_TRUE(QFileInfo::exists(dossiers.donnees + "/" + f)) << f.toStdString();
  EXPECT_FALSE(QFile::exists(dossiers.donnees + "/mime/packages/plivor.xml"));
  EXPECT_FALSE(QFile::exists(dossiers.Applications() + "/plivor.desktop"));
  EXPECT_FALSE(QFile::exists(dossiers.donnees + "/icons/hicolor/48x48/apps/plivor.png"));
  EXPECT_FALSE(Lire(dossiers.donnees + "/mime/globs2").contains("pvl"));
  EXPECT_EQ(installation->CheminProgramme(), Source("plivor"));

  // Nothing noted any more: said, nothing removed.
  Textes().clear();
  EXPECT_FALSE(installation->Desinstaller());
  EXPECT_EQ(Textes(), QStringList{"Aucune installation de Plivor n'est notée dans le dossier \"" + Cible() + "\"."});
  EXPECT_EQ(Arbre(Cible()), (QStringList{"Plivor.txt", "mes-notes.txt"}));
}

TEST_F(Installations, UnDossierAvecEspacesSOuvreDepuisLeBureauLePlusSimple) {
  for (const char* outil : {"update-mime-database", "xdg-open", "xdg-mime", "mimetype"})
    if (QStandardPaths::findExecutable(QLatin1String(outil)).isEmpty()) GTEST_SKIP() << outil << " absent";
  // The user's folders hold no space; the chosen installation folder does.
  QTemporaryDir simple(QDir::tempPath() + QStringLiteral("/maison-XXXXXX"));
  const DossiersXdg d{simple.filePath(QStringLiteral(".local/share")), simple.filePath(QStringLiteral(".config")),
                      simple.filePath(QStringLiteral("Bureau"))};
  Installation installation(*banc.vue, d);
  // The program records what it was given.
  Ecrire(Source("plivor"), "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > \"$HOME/recu.txt\"\n");
  QFile::setPermissions(Source("plivor"), QFile::permissions(Source("plivor")) | QFileDevice::ExeOwner);
  installation.opt_RNomDossier = simple.filePath(QStringLiteral("Mes progs $x/Plivor"));
  ASSERT_TRUE(installation.Installer());
  const QString programme = installation.opt_RNomDossier + "/plivor";
  const QString lien = d.donnees + "/plivor/bin/plivor";
  EXPECT_EQ(QFileInfo(lien).symLinkTarget(), programme);
  EXPECT_EQ(Lire(d.Applications() + "/plivor.desktop"), EntreeBureau(programme, lien, true));
  Ecrire(simple.filePath(QStringLiteral("liste.pvl")), "rouge.jpg\r\n");
  // xdg-open without a desktop reads Exec itself, splitting it at spaces.
  QProcess ouvrir;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* nom : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                          "BROWSER", "DISPLAY", "WAYLAND_DISPLAY"})
    env.remove(QLatin1String(nom));
  // It opens files with the desktop's entries only where it sees a display.
  env.insert("DISPLAY", ":0");
  env.insert("HOME", simple.path());
  env.insert("XDG_DATA_HOME", d.donnees);
  env.insert("XDG_CONFIG_HOME", d.configuration);
  ouvrir.setProcessEnvironment(env);
  ouvrir.start("xdg-open", {simple.filePath(QStringLiteral("liste.pvl"))});
  ASSERT_TRUE(ouvrir.waitForFinished(30000));
  EXPECT_EQ(ouvrir.exitCode(), 0) << ouvrir.readAllStandardError().toStdString();
  EXPECT_EQ(Lire(simple.filePath(QStringLiteral("recu.txt"))),
            (lien + "\n" + simple.filePath(QStringLiteral("liste.pvl")) + "\n").toUtf8());

  // Uninstalled, the link goes with its folder.
  banc.dialogues.reponses = {true};
  EXPECT_TRUE(installation.Desinstaller());
  EXPECT_FALSE(QFileInfo(lien).isSymLink());
  EXPECT_FALSE(QFileInfo::exists(d.donnees + "/plivor"));
  EXPECT_FALSE(QFileInfo::exists(installation.opt_RNomDossier));
}

}  // namespace
}  // namespace plivor
