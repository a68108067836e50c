// The real program installs itself from a folder it was copied to, under a
// virtual X server with a home of the test's own: the options window's
// "Installation" page is clicked; then a list opened the desktop's way
// starts the installed program, which projects from its new folder, and so
// does the player carried elsewhere with its help beside it.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

#include "platform/Freedesktop.h"
#include "support/ImagesEssai.h"
#include "support/ProgrammeReel.h"

namespace {

namespace fs = std::filesystem;

const QString kDossierProgramme = QStringLiteral(PLIVOR_DOSSIER_PROGRAMME);

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

QStringList Arbre(const QString& dossier) {
  QStringList noms;
  QDirIterator it(dossier, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) noms << QDir(dossier).relativeFilePath(it.next());
  noms.sort();
  return noms;
}

// Copies a file or a folder as a user would (cp -a keeps the dates).
void Copier(const QString& source, const QString& cible) {
  QDir().mkpath(cible);
  ASSERT_EQ(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), source, cible}), 0) << source.toStdString();
}

int Rouges(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2)
      if (plivor::test::Proche(image.pixelColor(x, y), QColor(220, 30, 30), 40)) ++n;
  return n;
}

class ProgrammeInstallation : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* outil : {"Xvfb", "xdotool", "update-mime-database", "xdg-mime", "mimetype", "xdg-open"})
      if (QStandardPaths::findExecutable(QLatin1String(outil)).isEmpty()) GTEST_SKIP() << outil << " absent";
    // The program as downloaded into some folder: everything the build puts beside it.
    for (const char* nom : {"plivor", "prelio", "Plivor.hlp", "Plivor-S.hlp", "Plivor.ico", "Plivor.txt",
                            "Prelio.txt", "lg.pvg"})
      Copier(kDossierProgramme + QLatin1Char('/') + QLatin1String(nom), Chemin("origine"));
    QDir().mkpath(Chemin("listes"));
    plivor::EcrireJpeg(Chemin("listes/rouge.jpg"), plivor::test::Unie(400, 300, QColor(220, 30, 30)));
    Ecrire(Chemin("listes/essai.pvl"), "Tempo=3000.pvi\r\nrouge.jpg\r\nAvance=Stop.pvi\r\n");
    Ecrire(Chemin("maison/.config/mimeapps.list"), kAutres);
  }

  QString Chemin(const char* nom) const { return racine_.filePath(QString::fromUtf8(nom)); }
  QString Donnees() const { return Chemin("maison/.local/share"); }
  QString Installe() const { return Donnees() + QStringLiteral("/Plivor"); }

  QProcessEnvironment Environnement() const {
    QProcessEnvironment env = plivor::test::EnvironnementReel(Chemin("reglages.ini"));
    for (const char* nom : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                            "BROWSER"})
      env.remove(QLatin1String(nom));
    env.insert(QStringLiteral("HOME"), Chemin("maison"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), Donnees());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), Chemin("maison/.config"));
    env.insert(QStringLiteral("XDG_DESKTOP_DIR"), Chemin("maison/Bureau"));
    return env;
  }

  // Runs the bash lines `actions` on a virtual screen, in the lists' folder.
  void Piloter(const QString& actions) {
    const QString script = Chemin("actions.sh");
    Ecrire(script, (QStringLiteral("cd '%1'\n"
                                   "fenetre() {\n"
                                   "  local id\n"
                                   "  for id in $(xdotool search --onlyvisible --name \"\" 2>/dev/null); do\n"
                                   "    case \"$(xdotool getwindowname \"$id\" 2>/dev/null)\" in \"$1\"*) echo \"$id\"; "
                                   "return ;; esac\n"
                                   "  done\n"
                                   "}\n")
                        .arg(Chemin("listes")) +
                    actions + QStringLiteral("\nwait\n"))
                       .toUtf8());
    QProcess programme;
    programme.setProcessEnvironment(Environnement());
    programme.start(QStringLiteral("bash"), {QStringLiteral(PLIVOR_SUR_XVFB), QStringLiteral("bash"), script});
    ASSERT_TRUE(programme.waitForFinished(90000));
    EXPECT_EQ(programme.exitCode(), 0) << programme.readAllStandardError().toStdString();
  }

  QString Outil(const QString& outil, const QStringList& arguments) const {
    QProcess p;
    p.setProcessEnvironment(Environnement());
    p.start(outil, arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
  }

  // With PLIVOR_CAPTURES set, the capture is kept there to be looked at.
  void Garder(const char* nom) const {
    const QString dossier = qEnvironmentVariable("PLIVOR_CAPTURES");
    if (dossier.isEmpty()) return;
    QDir().mkpath(dossier);
    QFile::remove(dossier + QLatin1Char('/') + QLatin1String(nom));
    QFile::copy(Chemin(nom), dossier + QLatin1Char('/') + QLatin1String(nom));
  }

  static inline const QByteArray kAutres = "[Default Applications]\ntext/html=navigateur.desktop\n";
  // xdg-mime splits folder names at spaces: a root without any.
  QTemporaryDir racine_{QDir::tempPath() + QStringLiteral("/installation-XXXXXX")};
};

TEST_F(ProgrammeInstallation, InstalleParSaPagePuisProjetteDepuisSesNouveauxDossiers) {
  // 1. The program, started from where it was copied, installs itself.
  Piloter(QStringLiteral("timeout 40 '%1/plivor' --capture '%2' --apres 9000 essai.pvl &\n"
                         "sleep 3\n"
                         "xdotool mousemove 640 400; xdotool windowfocus --sync \"$(fenetre 'Plivor  v')\"\n"
                         "xdotool key i; sleep 1.5\n"
                         "o=$(fenetre 'Plivor - Options')\n"
                         "xdotool windowfocus --sync \"$o\"; xdotool key ctrl+Tab; sleep 0.3; xdotool key ctrl+Tab\n"
                         "sleep 1\n"
                         "eval \"$(xdotool getwindowgeometry --shell \"$o\")\"\n"
                         // "Installer le programme", the fourth control of the page.
                         "xdotool mousemove $((X + 92)) $((Y + 152)) click 1\n")
              .arg(Chemin("origine"), Chemin("installation.png")));
  Garder("installation.png");

  QStringList attendus = Arbre(Chemin("origine"));
  // What it wrote is noted beside, so that it can be undone.
  ASSERT_EQ(Arbre(Installe()).join(' ').toStdString(), (QStringList{".plivor-installation"} + attendus).join(' ').toStdString());
  for (const QString& f : attendus) {
    const QString a = Installe() + QLatin1Char('/') + f, b = Chemin("origine") + QLatin1Char('/') + f;
    if (QFileInfo(a).isDir()) continue;
    EXPECT_EQ(Lire(a), Lire(b)) << f.toStdString();
    EXPECT_EQ(fs::last_write_time(a.toStdString()), fs::last_write_time(b.toStdString())) << f.toStdString();
  }
  const QString programme = Installe() + QStringLiteral("/plivor");
  EXPECT_EQ(Lire(Donnees() + QStringLiteral("/applications/plivor.desktop")),
            "[Desktop Entry]\nType=Application\nVersion=1.4\nName=Plivor\n"
            "GenericName=S\xC3\xA9quenceur multim\xC3\xA9" "dia\n"
            "Comment=Projeter et composer des s\xC3\xA9quences\n"
            "Exec=" + programme.toUtf8() + " %f\nPath=" + Installe().toUtf8() +
                "\nIcon=plivor\nTerminal=false\nMimeType=application/x-plivorfile;\nCategories=AudioVideo;\n"
                "Actions=Editer;\n\n[Desktop Action Editer]\nName=Editer\nExec=" +
                programme.toUtf8() + " --montage %f\n");
  EXPECT_EQ(Lire(Chemin("maison/.config/mimeapps.list")), kAutres + "application/x-plivorfile=plivor.desktop;\n");
  EXPECT_EQ(Lire(Donnees() + QStringLiteral("/mime/packages/plivor.xml")), plivor::PaquetMime());
  // New processes of the desktop's tools see the type and its program.
  EXPECT_EQ(Outil(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"), Chemin("listes/essai.pvl")}),
            QStringLiteral("application/x-plivorfile"));
  EXPECT_EQ(Outil(QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/x-plivorfile")}),
            QStringLiteral("plivor.desktop"));

  // 2. The list opened as a file manager does starts the installed program on it.
  Piloter(QStringLiteral("timeout 40 xdg-open \"$PWD/essai.pvl\" &\n"
                         "for _ in $(seq 80); do [ -n \"$(fenetre 'Plivor  v')\" ] && break; sleep 0.1; done\n"
                         "sleep 2\n"
                         "id=$(fenetre 'Plivor  v')\n"
                         "pid=$(xdotool getwindowpid \"$id\")\n"
                         "readlink /proc/$pid/exe > '%1'\n"
                         "tr '\\0' '\\n' < /proc/$pid/cmdline | tail -n 1 >> '%1'\n"
                         "xdotool mousemove 640 400; xdotool windowfocus --sync \"$id\"; xdotool key ctrl+q\n")
              .arg(Chemin("lance.txt")));
  EXPECT_EQ(Lire(Chemin("lance.txt")).toStdString(), programme.toStdString() + "\n" + Chemin("listes/essai.pvl").toStdString() + "\n");

  // 3. The installed program projects from its folder, its help beside it.
  const QString aide = QStringLiteral(
      "sleep 3\n"
      "xdotool mousemove 640 400; xdotool windowfocus --sync \"$(fenetre '%1')\"; xdotool key F1; sleep 1.5\n"
      "[ -n \"$(fenetre 'Aide de Plivor')\" ] && echo aide > '%2'\n");
  Piloter(QStringLiteral("cd /; timeout 40 '%1' --capture '%2' --apres 6000 '%3' &\n")
              .arg(programme, Chemin("installe.png"), Chemin("listes/essai.pvl")) +
          aide.arg(QStringLiteral("Plivor  v"), Chemin("aide-plivor.txt")));
  Garder("installe.png");
  EXPECT_GT(Rouges(QImage(Chemin("installe.png"))), 20000);
  EXPECT_EQ(Lire(Chemin("aide-plivor.txt")), "aide\n");

  // 4. The installed program makes its shortcut on the desktop, which starts it.
  Piloter(QStringLiteral("cd /; timeout 40 '%1' '%2' & pid=$!\n"
                         "sleep 3\n"
                         "xdotool mousemove 640 400; xdotool windowfocus --sync \"$(fenetre 'Plivor  v')\"\n"
                         "xdotool key i; sleep 1.5\n"
                         "o=$(fenetre 'Plivor - Options')\n"
                         "xdotool windowfocus --sync \"$o\"; xdotool key ctrl+Tab; sleep 0.3; xdotool key ctrl+Tab\n"
                         "sleep 1\n"
                         "eval \"$(xdotool getwindowgeometry --shell \"$o\")\"\n"
                         // "Installer un raccourci", then "Bureau" in the panel it opens.
                         "xdotool mousemove $((X + 92)) $((Y + 176)) click 1; sleep 1\n"
                         "xdotool mousemove $((X + 94)) $((Y + 271)) click 1; sleep 1.5\n"
                         "kill -KILL $(xdotool getwindowpid \"$(fenetre 'Plivor  v')\")\n")
              .arg(programme, Chemin("listes/essai.pvl")));
  const QString raccourci = Chemin("maison/Bureau/plivor.desktop");
  EXPECT_EQ(Lire(raccourci), plivor::EntreeBureau(programme, programme, false));
  EXPECT_TRUE(QFileInfo(raccourci).isExecutable());
  QString exec;
  for (const QByteArray& ligne : Lire(raccourci).split('\n'))
    if (ligne.startsWith("Exec=") && exec.isEmpty()) exec = QString::fromUtf8(ligne.mid(5)).remove(QStringLiteral(" %f"));
  Piloter(QStringLiteral("cd '%1'; timeout 40 %2 & pid=$!\n"
                         "for _ in $(seq 80); do [ -n \"$(fenetre 'Plivor  v')\" ] && break; sleep 0.1; done\n"
                         "readlink /proc/$(xdotool getwindowpid \"$(fenetre 'Plivor  v')\")/exe > '%3'\n"
                         "kill -KILL $(xdotool getwindowpid \"$(fenetre 'Plivor  v')\")\n")
              .arg(Installe(), exec, Chemin("raccourci.txt")));
  EXPECT_EQ(Lire(Chemin("raccourci.txt")), programme.toUtf8() + "\n");

  // 5. The player carried into another folder with its help plays there.
  for (const char* nom : {"prelio", "Plivor.hlp", "Plivor.ico"})
    Copier(Installe() + QLatin1Char('/') + QLatin1String(nom), Chemin("cle"));
  Piloter(QStringLiteral("cd /; timeout 40 '%1' --capture '%2' --apres 6000 '%3' &\n")
              .arg(Chemin("cle/prelio"), Chemin("prelio.png"), Chemin("listes/essai.pvl")) +
          aide.arg(QStringLiteral("Prelio  v"), Chemin("aide-prelio.txt")));
  Garder("prelio.png");
  EXPECT_GT(Rouges(QImage(Chemin("prelio.png"))), 20000);
  EXPECT_EQ(Lire(Chemin("aide-prelio.txt")), "aide\n");

  // 6. The installed program uninstalls itself from its page: what the
  // installation and its shortcut wrote goes, the rest of the home stays.
  Ecrire(Installe() + QStringLiteral("/mes-notes.txt"), "à moi");
  Piloter(QStringLiteral("cd /; timeout 40 '%1' '%2' & pid=$!\n"
                         "sleep 3\n"
                         "xdotool mousemove 640 400; xdotool windowfocus --sync \"$(fenetre 'Plivor  v')\"\n"
                         "xdotool key i; sleep 1.5\n"
                         "o=$(fenetre 'Plivor - Options')\n"
                         "xdotool windowfocus --sync \"$o\"; xdotool key ctrl+Tab; sleep 0.3; xdotool key ctrl+Tab\n"
                         "sleep 1\n"
                         "eval \"$(xdotool getwindowgeometry --shell \"$o\")\"\n"
                         // "Désinstaller", below the help button; "Oui" to the question, then the message.
                         "xdotool mousemove $((X + 92)) $((Y + 240)) click 1; sleep 1.5\n"
                         "xdotool key Return; sleep 1.5\n"
                         "'%4' capture '%3'\n"
                         "xdotool key Return; sleep 0.5\n"
                         "kill -KILL $pid\n")
              .arg(programme, Chemin("listes/essai.pvl"), Chemin("desinstalle.png"), QStringLiteral(PLIVOR_OUTIL_X)));
  Garder("desinstalle.png");
  EXPECT_EQ(Arbre(Installe()), QStringList{QStringLiteral("mes-notes.txt")});
  EXPECT_EQ(Lire(Chemin("maison/.config/mimeapps.list")), kAutres);
  EXPECT_FALSE(QFileInfo::exists(raccourci));
  EXPECT_FALSE(QFileInfo::exists(Donnees() + QStringLiteral("/applications/plivor.desktop")));
  EXPECT_FALSE(QFileInfo::exists(Donnees() + QStringLiteral("/mime/packages/plivor.xml")));
  EXPECT_EQ(Outil(QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/x-plivorfile")}),
            QString());
}

TEST_F(ProgrammeInstallation, LeLecteurNOuvreQueLaProjectionEtSeFerme) {
  for (const char* nom : {"prelio", "Plivor.hlp"}) Copier(Chemin("origine") + QLatin1Char('/') + QLatin1String(nom), Chemin("cle"));
  // The montage and options commands find no window and leave the show;
  // Ctrl+Q ends the player.
  Piloter(QStringLiteral("timeout 40 '%1' '%2' & pid=$!\n"
                         "sleep 3\n"
                         "xdotool mousemove 640 400; xdotool windowfocus --sync \"$(fenetre 'Prelio  v')\"\n"
                         "xdotool key c; sleep 1; xdotool key i; sleep 1\n"
                         "for id in $(xdotool search --onlyvisible --name ''); do xdotool getwindowname $id; done"
                         " | grep -v '^$' | sort > '%3'\n"
                         "xdotool windowfocus --sync \"$(fenetre 'Prelio  v')\"; xdotool key ctrl+q\n"
                         "wait $pid; echo \"fin $?\" >> '%3'\n")
              .arg(Chemin("cle/prelio"), Chemin("listes/essai.pvl"), Chemin("fenetres.txt")));
  EXPECT_EQ(Lire(Chemin("fenetres.txt")), "Prelio  v-1.1ck- fr\nfin 0\n");
}

TEST_F(ProgrammeInstallation, SonPropreDossierEstRefuseParUnLien) {
  // The program lies in ".../logiciels/Plivor"; the folder chosen is a link
  // to "logiciels", so the installation folder is the program's own.
  QDir().mkpath(Chemin("logiciels"));
  ASSERT_EQ(QProcess::execute(QStringLiteral("mv"), {Chemin("origine"), Chemin("logiciels/Plivor")}), 0);
  ASSERT_TRUE(QFile::link(Chemin("logiciels"), Chemin("lien")));
  const QByteArray avant = Lire(Chemin("logiciels/Plivor/plivor"));
  const auto date = fs::last_write_time(Chemin("logiciels/Plivor/plivor").toStdString());
  Piloter(QStringLiteral("timeout 40 '%1/plivor' --capture '%2' --apres 12000 essai.pvl &\n"
                         "for _ in $(seq 100); do [ -n \"$(fenetre 'Plivor  v')\" ] && break; sleep 0.1; done\n"
                         "sleep 1\n"
                         "xdotool mousemove 640 400; xdotool windowfocus --sync \"$(fenetre 'Plivor  v')\"\n"
                         "xdotool key i; sleep 1.5\n"
                         "o=$(fenetre 'Plivor - Options')\n"
                         "xdotool windowfocus --sync \"$o\"; xdotool key ctrl+Tab; sleep 0.3; xdotool key ctrl+Tab\n"
                         "sleep 1\n"
                         "eval \"$(xdotool getwindowgeometry --shell \"$o\")\"\n"
                         // The folder button opens the chooser; its name field takes the link.
                         "xdotool mousemove $((X + 92)) $((Y + 56)) click 1\n"
                         "for _ in $(seq 50); do d=$(fenetre 'Choisir le dossier'); [ -n \"$d\" ] && break; sleep 0.1; done\n"
                         "sleep 0.5; xdotool windowfocus --sync \"$d\"\n"
                         "xdotool type --delay 20 '%3'; xdotool key Return; sleep 1.5\n"
                         "xdotool windowfocus --sync \"$o\"\n"
                         "xdotool mousemove $((X + 92)) $((Y + 152)) click 1\n"
                         // The projection and a message box carry the program's title; a
                         // loaded machine may take its time to show the box.
                         "for _ in $(seq 100); do\n"
                         "  for id in $(xdotool search --onlyvisible --name ''); do\n"
                         "    case \"$(xdotool getwindowname $id)\" in 'Plivor  v'*) echo fenetre;; esac\n"
                         "  done > '%4'\n"
                         "  [ \"$(wc -l < '%4')\" -ge 2 ] && break; sleep 0.1\n"
                         "done\n")
              .arg(Chemin("logiciels/Plivor"), Chemin("refus.png"), Chemin("lien"), Chemin("fenetres.txt")));
  Garder("refus.png");
  // A message said so (its text is the engine's, checked there)...
  EXPECT_EQ(Lire(Chemin("fenetres.txt")), "fenetre\nfenetre\n");
  // ...and nothing was copied onto the program, nothing installed, nothing associated.
  EXPECT_EQ(Lire(Chemin("logiciels/Plivor/plivor")), avant);
  EXPECT_EQ(fs::last_write_time(Chemin("logiciels/Plivor/plivor").toStdString()), date);
  EXPECT_FALSE(QFileInfo::exists(Installe()));
  EXPECT_FALSE(QFileInfo::exists(Donnees() + QStringLiteral("/applications/plivor.desktop")));
  EXPECT_EQ(Lire(Chemin("maison/.config/mimeapps.list")), kAutres);
}

}  // namespace
