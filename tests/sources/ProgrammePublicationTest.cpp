// The real program publishes a show under a virtual X server, driven by
// real clicks and keys (xdotool): "Publier la présentation" in the
// montage's "Plus..." menu, the list loaded from the panel, a new folder,
// the assembly, the carried player and the automatic-start files. The
// folder, moved elsewhere, then plays: its start list renders the same
// frames as the original, and its autorun.sh starts the carried player.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "codecs/Encodeurs.h"
#include "support/ImagesEssai.h"
#include "support/Pilote.h"

namespace {

using plivor::test::Pilote;

const QString kProgramme = QStringLiteral(PLIVOR_PROGRAMME);
const QColor kRouge(220, 30, 30), kVert(30, 200, 40), kBleu(30, 40, 210);

QByteArray Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

int Pixels(const QImage& image, QColor couleur) {
  int n = 0;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2)
      if (plivor::test::Proche(image.pixelColor(x, y), couleur, 40)) ++n;
  return n;
}

QStringList Arbre(const QString& dossier) {
  QStringList noms;
  QDirIterator it(dossier, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) noms << QDir(dossier).relativeFilePath(it.next());
  noms.sort();
  return noms;
}

// Shell helpers: a click; the message box of the program answered with
// Return; a name typed in the window whose title starts so.
const QString kOutils = QStringLiteral(
    "clic() { xdotool mousemove $1 $2 click 1; sleep ${3:-0.8}; }\n"
    "message() {\n"
    "  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do\n"
    "    case \"$(xdotool getwindowname $id 2>/dev/null)\" in 'Plivor  v'*)\n"
    "      eval \"$(xdotool getwindowgeometry --shell $id)\"\n"
    "      if [ \"$WIDTH\" -lt 700 ]; then xdotool windowfocus --sync $id; xdotool key Return; sleep 1; return; fi ;;\n"
    "    esac\n"
    "  done\n"
    "  echo \"pas de message\" >&2\n"
    "}\n"
    "saisir() {\n"
    "  D=$(fenetre \"$1\"); xdotool windowfocus --sync $D; sleep 0.3\n"
    "  xdotool key ctrl+a; xdotool type --delay 15 \"$2\"; xdotool key Return; sleep 1.5\n"
    "}\n");

class ProgrammePublication : public testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
    using plivor::test::Unie;
    Image("show/img/rouge.jpg", kRouge);
    Image("autres/rouge.jpg", kVert);
    Image("sous/bleu.jpg", kBleu);
    QDir().mkpath(Chemin("show/sons"));
    plivor::EcrireWav(Chemin("show/sons/air.wav"), std::vector<std::int16_t>(4410, 800), 44100, 1);
    Ecrire("show/main.pvl",
           "Tempo=1500.pvi\r\nimg\\rouge.jpg\r\n..\\autres\\rouge.jpg\r\nsons\\air.wav\r\n..\\sous\\intro.pvl\r\n");
    // The sub-list's picture is named from its own folder: the main list's
    // holds no "bleu.jpg", so the projection takes the one beside it.
    Ecrire("sous/intro.pvl", "bleu.jpg\r\nTempo=1000.pvi\r\n");
  }
  QString Chemin(const char* nom) const { return dossier_.filePath(QString::fromUtf8(nom)); }
  void Ecrire(const char* nom, const QByteArray& octets) const {
    QDir().mkpath(QFileInfo(Chemin(nom)).path());
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
  }
  void Image(const char* nom, QColor couleur) const {
    QDir().mkpath(QFileInfo(Chemin(nom)).path());
    plivor::EcrireJpeg(Chemin(nom), plivor::test::Unie(400, 300, couleur));
  }
  // The frames of `liste` rendered without a screen.
  QList<QImage> Rendu(const QString& liste, const char* sortie) const {
    QProcess p;
    p.start(kProgramme, {QStringLiteral("--rendu"), Chemin(sortie), QStringLiteral("--etapes"), QStringLiteral("6"), liste});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QList<QImage> images;
    const QDir d(Chemin(sortie));
    for (const QString& nom : d.entryList({QStringLiteral("etape-[0-9][0-9][0-9][0-9].png")}, QDir::Files, QDir::Name))
      images << QImage(d.filePath(nom));
    return images;
  }
  void Garder(const QImage& image, const char* nom) const {
    const QString dossier = qEnvironmentVariable("PLIVOR_CAPTURES");
    if (!dossier.isEmpty()) image.save(QDir(dossier).filePath(QString::fromUtf8(nom)));
  }

  QTemporaryDir dossier_;
  Pilote pilote_{kProgramme, dossier_.path()};
};

TEST_F(ProgrammePublication, LeDossierPublieEtDeplaceJoueSeulAvecLeLecteurEmporte) {
  // The resource window stands left of the montage: its publication panel's
  // buttons by their rows, the file list from y 250.
  const QString actions =
      kOutils + QStringLiteral(
                    "demarrer --capture ecran.png --apres 60000 '%1'\n"
                    "cliquer 640 400; xdotool key c; sleep 2.5\n"
                    // "Plus...", fifth entry: "Publier la présentation".
                    "clic 1150 95 0.5; clic 1186 52 1; xdotool key Down Down Down Down Down Return; sleep 2\n"
                    // "Charger une liste à publier": the list as saved.
                    "clic 933 616 2; saisir 'Charger une liste' '%1'\n"
                    // "Nouveau": the publication folder, made in the folder shown.
                    "clic 993 231 1.5; saisir 'Cr' publie\n"
                    // The sequence name, "Dossier Audio", "Conserver les sous-listes", the assembly.
                    "clic 933 518 0.3; saisir 'Plivor : Fenêtre des Ressources' Aube\n"
                    "clic 830 542 0.5; clic 830 594 0.5\n"
                    "clic 933 640 4; message\n"
                    // The player, carried.
                    "clic 942 664 0.5; clic 933 686 4; message\n"
                    // The show's video beside its list.
                    "clic 933 734 12; message\n"
                    // The published main list chosen (the first by name), then the automatic start.
                    "clic 900 253 1; clic 933 710 2; message\n"
                    "wait $P\n")
                    .arg(Chemin("show/main.pvl"));
  ASSERT_EQ(pilote_.Lancer(actions, 120000), 0) << pilote_.Erreurs();
  const QImage ecran = pilote_.Capture(QStringLiteral("ecran.png"));
  ASSERT_EQ(ecran.size(), QSize(1280, 800));
  Garder(ecran, "publication-panneau.png");

  const QString publie = Chemin("publie");
  // The player's help folder and the carried player's libraries come
  // whole; the rest, file by file.
  QStringList arbre = Arbre(publie), aide, bibliotheques;
  for (const QString& nom : arbre) {
    if (nom.startsWith(QStringLiteral("Plivor.hlp/"))) aide << nom.mid(11);
    if (nom.startsWith(QStringLiteral("lib/"))) bibliotheques << nom.mid(4);
  }
  arbre.removeIf([](const QString& nom) {
    return nom.startsWith(QStringLiteral("Plivor.hlp/")) || nom.startsWith(QStringLiteral("lib/"));
  });
  // A build without the carried players (no patchelf) publishes its own.
  const QString emporte = QFileInfo(kProgramme).path() + QStringLiteral("/portable");
  const bool avecEmporte = QFileInfo::exists(emporte + QStringLiteral("/prelio"));
  QStringList attendu{".plivor-publication", "Aube.mp4", "Aube.pvl", "Aube/bleu.jpg", "Aube/rouge-2.jpg", "Aube/rouge.jpg",
                      "Audio/air.wav", "Autorun.inf", "Autorun.pvl", "Plivor.ico", "Prelio.txt", "autorun.sh",
                      "intro.pvl", "prelio"};
  if (avecEmporte) attendu << "qt.conf";
  EXPECT_EQ(arbre, attendu) << arbre.join(' ').toStdString();
  EXPECT_EQ(aide, Arbre(QFileInfo(kProgramme).path() + QStringLiteral("/Plivor.hlp")));
  if (avecEmporte) {
    EXPECT_EQ(bibliotheques, Arbre(emporte + QStringLiteral("/lib")));
    EXPECT_EQ(Lire(publie + "/prelio"), Lire(emporte + "/prelio"));
  }
  EXPECT_TRUE(QFileInfo(publie + "/autorun.sh").isExecutable());
  // The video plays where no player of ours can: autorun.sh falls back to it.
  EXPECT_TRUE(Lire(publie + "/Aube.mp4").left(12).contains("ftyp"));
  EXPECT_TRUE(Lire(publie + "/autorun.sh").contains("v='Aube.mp4'"));
  const QByteArray liste = "Tempo=1500.pvi\r\nAube\\rouge.jpg\r\nAube\\rouge-2.jpg\r\nAudio\\air.wav\r\nintro.pvl\r\n";
  EXPECT_EQ(Lire(publie + "/Aube.pvl"), liste);
  EXPECT_EQ(Lire(publie + "/intro.pvl"), "Aube\\bleu.jpg\r\nTempo=1000.pvi\r\n");
  EXPECT_EQ(Lire(publie + "/Autorun.pvl"), liste);
  EXPECT_EQ(Lire(publie + "/Autorun.inf"), "[autorun]\r\nicon=Plivor.ico\r\nopen=prelio Autorun.pvl\r\n");
  EXPECT_EQ(Lire(Chemin("show/main.pvl")),
            "Tempo=1500.pvi\r\nimg\\rouge.jpg\r\n..\\autres\\rouge.jpg\r\nsons\\air.wav\r\n..\\sous\\intro.pvl\r\n");
  for (const auto& [copie, source] : {std::pair{"Aube/rouge.jpg", "show/img/rouge.jpg"},
                                     std::pair{"Aube/rouge-2.jpg", "autres/rouge.jpg"},
                                     std::pair{"Aube/bleu.jpg", "sous/bleu.jpg"}, std::pair{"Audio/air.wav", "show/sons/air.wav"}}) {
    EXPECT_EQ(Lire(publie + "/" + copie), Lire(Chemin(source))) << copie;
    EXPECT_EQ(QFileInfo(publie + "/" + copie).lastModified(), QFileInfo(Chemin(source)).lastModified()) << copie;
  }

  // The original's frames, then the folder moved and the originals gone.
  const QList<QImage> originales = Rendu(Chemin("show/main.pvl"), "rendu-original");
  ASSERT_TRUE(QDir().rename(publie, Chemin("ailleurs")));
  for (const char* d : {"show", "autres", "sous"}) ASSERT_TRUE(QDir(Chemin(d)).removeRecursively());
  const QList<QImage> publiees = Rendu(Chemin("ailleurs/Autorun.pvl"), "rendu-publie");
  ASSERT_EQ(publiees.size(), 6);
  ASSERT_EQ(originales.size(), publiees.size());
  for (qsizetype i = 0; i < originales.size(); ++i) EXPECT_TRUE(originales[i] == publiees[i]) << "étape " << i;
  EXPECT_GT(Pixels(publiees[0], kRouge), 10000);
  // The sub-list's picture, from the copy beside the list.
  EXPECT_TRUE(std::any_of(publiees.begin(), publiees.end(), [](const QImage& i) { return Pixels(i, kBleu) > 10000; }));

  // autorun.sh starts the carried player; the screen is captured by it.
  ASSERT_EQ(pilote_.Lancer(QStringLiteral("./ailleurs/autorun.sh --capture '%1' --apres 2500").arg(Chemin("autorun.png")),
                           120000),
            0)
      << pilote_.Erreurs();
  const QImage lecteur = pilote_.Capture(QStringLiteral("autorun.png"));
  ASSERT_EQ(lecteur.size(), QSize(1280, 800));
  Garder(lecteur, "publication-autorun.png");
  // A picture of the show in the middle of the player's window.
  const QColor milieu = lecteur.pixelColor(640, 400);
  EXPECT_TRUE(plivor::test::Proche(milieu, kRouge, 40) || plivor::test::Proche(milieu, kVert, 40) ||
              plivor::test::Proche(milieu, kBleu, 40))
      << milieu.name().toStdString();
}

}  // namespace
