// The desktop's standards as the program writes them: the MIME package, the
// launcher and mimeapps.list byte for byte, then the association made in a
// temporary home and read back by the desktop's own tools in new processes.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/Freedesktop.h"

namespace plivor {
namespace {

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

const QByteArray kPaquetAttendu =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"application/x-plivorfile\">\n"
    "    <comment>Liste Plivor</comment>\n"
    "    <sub-class-of type=\"text/plain\"/>\n"
    "    <icon name=\"plivor\"/>\n"
    "    <glob pattern=\"*.pvl\"/>\n"
    "  </mime-type>\n"
    "</mime-info>\n";

QByteArray LanceurAttendu(const QByteArray& exec, const QByteArray& dossier, bool association = true) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.4\n"
         "Name=Plivor\n"
         "GenericName=S\xC3\xA9quenceur multim\xC3\xA9" "dia\n"
         "Comment=Projeter et composer des s\xC3\xA9quences\n"
         "Exec=" + exec + " %f\n"
         "Path=" + dossier + "\n"
         "Icon=plivor\n"
         "Terminal=false\n" +
         QByteArray(association ? "MimeType=application/x-plivorfile;\n" : "") +
         "Categories=AudioVideo;\n"
         "Actions=Editer;\n"
         "\n"
         "[Desktop Action Editer]\n"
         "Name=Editer\n"
         "Exec=" + exec + " --montage %f\n";
}

TEST(Freedesktop, PaquetMimeEtLanceur) {
  EXPECT_EQ(PaquetMime(), kPaquetAttendu);
  EXPECT_EQ(EntreeBureau(QStringLiteral("/opt/Plivor/plivor")), LanceurAttendu("/opt/Plivor/plivor", "/opt/Plivor"));
  // A shortcut, through a link: the folder stays the program's.
  EXPECT_EQ(EntreeBureau(QStringLiteral("/opt/Plivor/plivor"), QStringLiteral("/l/plivor"), false),
            LanceurAttendu("/l/plivor", "/opt/Plivor", false));
}

TEST(Freedesktop, LeLanceurEstValide) {
  const QString outil = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (outil.isEmpty()) GTEST_SKIP() << "desktop-file-validate absent";
  QTemporaryDir dossier;
  for (const bool association : {true, false}) {
    const QString chemin = dossier.filePath(QStringLiteral("plivor.desktop"));
    Ecrire(chemin, EntreeBureau(QStringLiteral("/mes progs/$x/plivor"), QStringLiteral("/mes progs/$x/plivor"),
                                association));
    QProcess p;
    p.start(outil, {chemin});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
    EXPECT_EQ(p.readAllStandardOutput(), QByteArray());
  }
}

TEST(Freedesktop, SansApplicationParDefautNeRetireQueLaNotre) {
  const QString type = QLatin1String(kTypeListes), lanceur = QLatin1String(kLanceur);
  const QByteArray autres = "[Added Associations]\napplication/x-plivorfile=plivor.desktop;\n\n[Default Applications]\r\n"
                            "text/html=navigateur.desktop\r\n";
  EXPECT_EQ(SansApplicationParDefaut(autres + "application/x-plivorfile=plivor.desktop;\r\nx=y\r\n", type, lanceur),
            autres + "x=y\r\n");
  EXPECT_EQ(SansApplicationParDefaut(autres + "application/x-plivorfile=autre.desktop;plivor.desktop;\r\n", type, lanceur),
            autres + "application/x-plivorfile=autre.desktop;\r\n");
  // Another program chosen since: left as it is.
  for (const QByteArray& texte : {autres + "application/x-plivorfile=autre.desktop;\r\n", autres, QByteArray()})
    EXPECT_EQ(SansApplicationParDefaut(texte, type, lanceur), texte);
}

TEST(Freedesktop, CheminsDifficilesDansExec) {
  // Quote, dollar, back quote and backslash escaped inside the quotes, the
  // backslash once more as a string value; a percent doubled.
  EXPECT_EQ(ArgumentExec(QStringLiteral("/opt/100%/plivor")), QStringLiteral("/opt/100%%/plivor"));
  for (const char* nom : {"a b", "a'b", "a>b", "a~b", "a|b", "a&b", "a;b", "a*b", "a?b", "a#b", "a(b)"})
    EXPECT_EQ(ArgumentExec(QStringLiteral("/opt/") + QLatin1String(nom)),
              QStringLiteral("\"/opt/") + QLatin1String(nom) + QLatin1Char('"'));
  EXPECT_EQ(ArgumentExec(QStringLiteral("/a b/\"x\"/$y/`z`/100%/c\\d")),
            QStringLiteral("\"/a b/\\\"x\\\"/\\$y/\\`z\\`/100%%/c\\\\d\""));
  EXPECT_EQ(EntreeBureau(QStringLiteral("/mes progs/c\\d/plivor")),
            LanceurAttendu("\"/mes progs/c\\\\\\\\d/plivor\"", "/mes progs/c\\\\d"));
}

TEST(Freedesktop, MimeAppsSansFichierNiSection) {
  const QString type = QLatin1String(kTypeListes), lanceur = QLatin1String(kLanceur);
  EXPECT_EQ(AvecApplicationParDefaut({}, type, lanceur),
            "[Default Applications]\napplication/x-plivorfile=plivor.desktop;\n");
  // Another section only, without a final line break: ours is added after it.
  EXPECT_EQ(AvecApplicationParDefaut("[Added Associations]\ntext/plain=gedit.desktop;", type, lanceur),
            "[Added Associations]\ntext/plain=gedit.desktop;\n\n"
            "[Default Applications]\napplication/x-plivorfile=plivor.desktop;\n");
}

TEST(Freedesktop, MimeAppsGardeToutesLesAutresLignes) {
  const QString type = QLatin1String(kTypeListes), lanceur = QLatin1String(kLanceur);
  const QByteArray existant =
      "# r\xC3\xA9glages\n"
      "[Default Applications]\n"
      "text/html=firefox-esr.desktop\n"
      "image/png = org.gnome.eog.desktop;\n"
      "\n"
      "[Added Associations]\n"
      "application/x-plivorfile=gedit.desktop;\n";
  EXPECT_EQ(AvecApplicationParDefaut(existant, type, lanceur),
            "# r\xC3\xA9glages\n"
            "[Default Applications]\n"
            "text/html=firefox-esr.desktop\n"
            "image/png = org.gnome.eog.desktop;\n"
            "application/x-plivorfile=plivor.desktop;\n"
            "\n"
            "[Added Associations]\n"
            "application/x-plivorfile=gedit.desktop;\n");
  // Our line already there, spelt otherwise, in a CR LF file: only it changes.
  const QByteArray windows =
      "[Default Applications]\r\n"
      "Application/X-PlivorFile = ancien.desktop;\r\n"
      "text/html=firefox-esr.desktop\r\n";
  EXPECT_EQ(AvecApplicationParDefaut(windows, type, lanceur),
            "[Default Applications]\r\n"
            "application/x-plivorfile=plivor.desktop;\r\n"
            "text/html=firefox-esr.desktop\r\n");
  // Done twice, the file is the same as done once.
  const QByteArray une = AvecApplicationParDefaut(existant, type, lanceur);
  EXPECT_EQ(AvecApplicationParDefaut(une, type, lanceur), une);
}

TEST(Freedesktop, DossiersDesVariables) {
  const QByteArray donnees = qgetenv("XDG_DATA_HOME"), config = qgetenv("XDG_CONFIG_HOME"),
                   bureau = qgetenv("XDG_DESKTOP_DIR");
  qputenv("XDG_DATA_HOME", "/srv/donnees/");
  qputenv("XDG_CONFIG_HOME", "relatif/config");  // ignored: not absolute
  qputenv("XDG_DESKTOP_DIR", "/srv/Bureau");
  const DossiersXdg d = DossiersUtilisateur();
  EXPECT_EQ(d.donnees, QStringLiteral("/srv/donnees"));
  EXPECT_EQ(d.configuration, QDir::homePath() + QStringLiteral("/.config"));
  EXPECT_EQ(d.bureau, QStringLiteral("/srv/Bureau"));
  EXPECT_EQ(d.Applications(), QStringLiteral("/srv/donnees/applications"));
  qputenv("XDG_DATA_HOME", donnees);
  qputenv("XDG_CONFIG_HOME", config);
  qputenv("XDG_DESKTOP_DIR", bureau);
}

// The desktop's tools, in a new process that sees only the temporary home.
QString Outil(const QTemporaryDir& maison, const QString& outil, const QStringList& arguments) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* nom : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
    env.remove(QLatin1String(nom));
  env.insert(QStringLiteral("HOME"), maison.path());
  env.insert(QStringLiteral("XDG_DATA_HOME"), maison.filePath(QStringLiteral(".local/share")));
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), maison.filePath(QStringLiteral(".config")));
  QProcess p;
  p.setProcessEnvironment(env);
  p.setWorkingDirectory(maison.path());
  p.start(outil, arguments);
  if (!p.waitForFinished(30000)) return QStringLiteral("<bloqué>");
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

TEST(Freedesktop, AssociationDansUneMaisonTemporaire) {
  for (const char* outil : {"update-mime-database", "xdg-mime", "mimetype"})
    if (QStandardPaths::findExecutable(QLatin1String(outil)).isEmpty()) GTEST_SKIP() << outil << " absent";
  // xdg-mime splits folder names at spaces: a home without any.
  QTemporaryDir maison(QDir::tempPath() + QStringLiteral("/maison-XXXXXX"));
  const DossiersXdg d{maison.filePath(QStringLiteral(".local/share")), maison.filePath(QStringLiteral(".config")),
                      maison.filePath(QStringLiteral("Bureau"))};
  const QString icone = maison.filePath(QStringLiteral("Plivor/Plivor.ico"));
  QDir().mkpath(maison.filePath(QStringLiteral("Plivor")));
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(QColor(35, 32, 55));
  ASSERT_TRUE(image.save(icone, "ICO"));
  const QByteArray autres = "[Default Applications]\ntext/html=navigateur.desktop\n";
  Ecrire(d.Applications() + QStringLiteral("/navigateur.desktop"),
         "[Desktop Entry]\nType=Application\nName=Navigateur\nExec=navigateur %u\nMimeType=text/html;\n");
  Ecrire(d.configuration + QStringLiteral("/mimeapps.list"), autres);
  const QString programme = maison.filePath(QStringLiteral("Plivor/plivor"));

  ASSERT_EQ(Associer(d, programme, icone), QString());

  EXPECT_EQ(Lire(d.donnees + QStringLiteral("/mime/packages/plivor.xml")), kPaquetAttendu);
  EXPECT_EQ(Lire(d.Applications() + QStringLiteral("/plivor.desktop")),
            LanceurAttendu(programme.toUtf8(), maison.filePath(QStringLiteral("Plivor")).toUtf8()));
  EXPECT_EQ(Lire(d.configuration + QStringLiteral("/mimeapps.list")),
            autres + "application/x-plivorfile=plivor.desktop;\n");
  const QImage png(d.donnees + QStringLiteral("/icons/hicolor/48x48/apps/plivor.png"));
  EXPECT_EQ(png.size(), QSize(48, 48));
  EXPECT_TRUE(QFile::exists(d.donnees + QStringLiteral("/mime/mime.cache")));

  Ecrire(maison.filePath(QStringLiteral("x.pvl")), "Tempo=1500.pvi\r\n");
  EXPECT_EQ(Outil(maison, QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"),
                                                       maison.filePath(QStringLiteral("x.pvl"))}),
            QStringLiteral("application/x-plivorfile"));
  EXPECT_EQ(Outil(maison, QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/x-plivorfile")}),
            QStringLiteral("plivor.desktop"));
  // Other types keep their own application.
  EXPECT_EQ(Outil(maison, QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")}),
            QStringLiteral("navigateur.desktop"));
  if (!QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty()) {
    EXPECT_EQ(Outil(maison, QStringLiteral("desktop-file-validate"),
                    {d.Applications() + QStringLiteral("/plivor.desktop")}),
              QString());
  }
}

TEST(Freedesktop, LanceurExecutableOuEchec) {
  QTemporaryDir maison;
  const QString bureau = maison.filePath(QStringLiteral("Bureau"));
  QDir().mkpath(bureau);
  ASSERT_TRUE(CreerLanceur(bureau, QStringLiteral("/opt/Plivor/plivor")));
  const QFileInfo lanceur(bureau + QStringLiteral("/plivor.desktop"));
  EXPECT_TRUE(lanceur.isExecutable());
  EXPECT_EQ(Lire(lanceur.filePath()), LanceurAttendu("/opt/Plivor/plivor", "/opt/Plivor", false));
  // A file where the folder should be: nothing can be made there.
  Ecrire(maison.filePath(QStringLiteral("fichier")), "x");
  EXPECT_FALSE(CreerLanceur(maison.filePath(QStringLiteral("fichier")), QStringLiteral("/opt/Plivor/plivor")));
}

}  // namespace
}  // namespace plivor
