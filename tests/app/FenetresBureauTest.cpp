// The real program under a virtual X server, as a desktop user meets it:
// F1 opens the help in the desktop's browser, the frameless windows move
// when their free parts are dragged, as a caption would be, and at a scale
// of 2 every window stays on the screen.

#include <QDir>
#include <QFile>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

#include "support/ImagesEssai.h"
#include "support/Pilote.h"

namespace {

using plivor::test::Pilote;

// "X Y" as the script writes a window's place.
QPoint Place(const std::string& texte) {
  int x = 0, y = 0;
  if (std::sscanf(texte.c_str(), "%d %d", &x, &y) != 2) return QPoint(-9999, -9999);
  return QPoint(x, y);
}

// No window manager gives the focus: the window under the pointer is given it.
const char kEntete[] = R"SH(
clavier() { dans "$1" "$2" "$3"; xdotool windowfocus --sync "$(fenetre "$1")"; sleep 0.3; }
)SH";

class FenetresBureau : public testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
    plivor::EcrireJpeg(Chemin("rouge.jpg"), plivor::test::Unie(400, 300, QColor(220, 30, 30)));
    Ecrire("essai.pvl", "Tempo=60000.pvi\r\nrouge.jpg\r\nAvance=Stop.pvi\r\n");
  }
  QString Chemin(const char* nom) const { return dossier_.filePath(QString::fromUtf8(nom)); }
  void Ecrire(const char* nom, const QByteArray& octets) const {
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
  }
  std::string Lu(const char* nom) const { return pilote_.Lire(QString::fromUtf8(nom)); }

  QTemporaryDir dossier_;
  Pilote pilote_{QStringLiteral(PLIVOR_PROGRAMME), dossier_.path()};
};

// A desktop whose browser is named: xdg-open gets the page, no viewer of
// ours opens.
TEST_F(FenetresBureau, LAideSOuvreDansLeNavigateurDuBureau) {
  ASSERT_EQ(pilote_.Lancer(QString::fromLatin1(kEntete) + QStringLiteral(R"SH(
# Qt runs the desktop's opener by a command line: its folder has no space.
bin=$(mktemp -d); trap 'rm -rf "$bin"' EXIT
printf '#!/bin/sh\necho "$@" >> "%s/url.txt"\n' "$PWD" > "$bin/xdg-open"; chmod +x "$bin/xdg-open"
export PATH=$bin:$PATH BROWSER=navigateur
demarrer essai.pvl
clavier "$PROJECTION" 300 300; touches F1
attendre_fichier url.txt 10
sleep 1.5
titres 'Aide de Plivor' > visionneuse.txt
terminer
)SH")),
            0)
      << pilote_.Erreurs();
  const std::string url = Lu("url.txt");
  EXPECT_EQ(url.rfind("file:///", 0), 0u) << url;
  EXPECT_NE(url.find("/1000.html\n"), std::string::npos) << url;
  EXPECT_EQ(Lu("visionneuse.txt"), "");
}

// No browser at all: our own viewer shows the page rather than nothing.
TEST_F(FenetresBureau, SansNavigateurLAideSOuvreDansSaPropreFenetre) {
  ASSERT_EQ(pilote_.Lancer(QString::fromLatin1(kEntete) + QStringLiteral(R"SH(
bin=$(mktemp -d); trap 'rm -rf "$bin"' EXIT
printf '#!/bin/sh\necho "$@" >> "%s/url.txt"\n' "$PWD" > "$bin/xdg-open"; chmod +x "$bin/xdg-open"
printf '#!/bin/sh\nexit 0\n' > "$bin/xdg-mime"; chmod +x "$bin/xdg-mime"
export PATH=$bin:$PATH; unset BROWSER
demarrer essai.pvl
clavier "$PROJECTION" 300 300; touches F1
fenetre 'Aide de Plivor' 10 > /dev/null && echo vue > visionneuse.txt
terminer
)SH")),
            0)
      << pilote_.Erreurs();
  EXPECT_EQ(Lu("visionneuse.txt"), "vue\n");
  EXPECT_EQ(Lu("url.txt"), "<absent>");
}

// The options and the navigation panel have no caption: a press on a part
// of them no control takes, dragged, carries the window by the same amount.
TEST_F(FenetresBureau, LesFenetresSansCadreSeDeplacentParLeursPartiesLibres) {
  ASSERT_EQ(pilote_.Lancer(QString::fromLatin1(kEntete) + QStringLiteral(R"SH(
place() { xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p'; }
glisser() {
  xdotool mousemove --window "$1" "$2" "$3"; sleep 0.3
  xdotool mousedown 1; sleep 0.2
  for pas in 1 2 3 4 5; do xdotool mousemove_relative -- $(( $4 / 5 )) $(( $5 / 5 )); sleep 0.1; done
  xdotool mouseup 1; sleep 0.5
}
demarrer essai.pvl
clavier "$PROJECTION" 300 300; touches i; sleep 1
o=$(fenetre "Plivor - Options") || exit 3
place "$o" > options-avant.txt
# The empty part of the first page.
glisser "$o" 128 300 100 -60
place "$o" > options-apres.txt
xdotool mousemove --window "$o" 128 "$(xdotool getwindowgeometry "$o" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')" \
  mousemove_relative -- 0 -14 click 1; sleep 0.5
clavier "$PROJECTION" 300 300; touches n; sleep 1
m=$(fenetre "   Plivor") || exit 4
place "$m" > menu-avant.txt
# Right of the last button.
glisser "$m" 240 16 -50 -40
place "$m" > menu-apres.txt
capturer ecran.png
terminer
)SH")),
            0)
      << pilote_.Erreurs();
  pilote_.Capture(QStringLiteral("ecran.png"));
  const QPoint options = Place(Lu("options-apres.txt")) - Place(Lu("options-avant.txt"));
  EXPECT_EQ(options, QPoint(100, -60)) << Lu("options-avant.txt") << Lu("options-apres.txt");
  const QPoint menu = Place(Lu("menu-apres.txt")) - Place(Lu("menu-avant.txt"));
  EXPECT_EQ(menu, QPoint(-50, -40)) << Lu("menu-avant.txt") << Lu("menu-apres.txt");
}

// At 200 % of a 1920 x 1080 screen, 960 x 540 points: the projection, its
// options, the navigation panel and the montage each lie whole within it.
TEST_F(FenetresBureau, AUneEchelleDeDeuxAucuneFenetreNeDepasseDeLEcran) {
  qputenv("SUR_XVFB_ECRANS", "E 1920x1080+0+0");
  qputenv("PLIVOR_MONITEURS", PLIVOR_MONITEURS);
  const int code = pilote_.Lancer(QString::fromLatin1(kEntete) + QStringLiteral(R"SH(
places() {
  local id
  for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
    case "$(xdotool getwindowname "$id")" in Plivor*|"   Plivor"*)
      echo "$(xdotool getwindowname "$id")|$(xdotool getwindowgeometry "$id" |
        sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p;s/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' | tr '\n' ' ')";;
    esac
  done
}
for echelle in 2; do
  export QT_SCALE_FACTOR=$echelle
  demarrer essai.pvl
  clavier "$PROJECTION" 100 100; touches i; sleep 1
  places > "options-$echelle.txt"
  capturer "options-$echelle.png"
  clavier "$PROJECTION" 100 100; touches i; sleep 0.5
  clavier "$PROJECTION" 100 100; touches n; sleep 1
  places > "menu-$echelle.txt"
  touches c; sleep 2
  places > "montage-$echelle.txt"
  capturer "montage-$echelle.png"
  terminer
done
)SH"));
  qunsetenv("SUR_XVFB_ECRANS");
  qunsetenv("PLIVOR_MONITEURS");
  ASSERT_EQ(code, 0) << pilote_.Erreurs();
  const QRect ecran(0, 0, 1920, 1080);
  for (const char* echelle : {"2"}) {
    pilote_.Capture(QStringLiteral("options-%1.png").arg(QLatin1String(echelle)));
    pilote_.Capture(QStringLiteral("montage-%1.png").arg(QLatin1String(echelle)));
    for (const char* etape : {"options", "menu", "montage"}) {
      const std::string nom = std::string(etape) + "-" + echelle + ".txt";
      const QStringList lignes = QString::fromStdString(Lu(nom.c_str())).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
      QStringList titres;
      for (const QString& ligne : lignes) {
        const QString titre = ligne.section(QLatin1Char('|'), 0, 0);
        titres << titre;
        const QStringList n = ligne.section(QLatin1Char('|'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_EQ(n.size(), 4) << ligne.toStdString();
        const QRect place(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
        EXPECT_TRUE(ecran.contains(place)) << echelle << " " << ligne.toStdString();
      }
      const std::map<std::string, const char*> attendues = {
          {"options", "Plivor - Options"}, {"menu", "   Plivor"}, {"montage", "Plivor : Montage"}};
      EXPECT_TRUE(titres.contains(QLatin1String(attendues.at(etape)))) << echelle << " " << titres.join(u',').toStdString();
    }
  }
}

}  // namespace
