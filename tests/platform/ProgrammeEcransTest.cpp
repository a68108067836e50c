// The real program on a virtual X server with two screens side by side:
// the projection screen is chosen in the options by real clicks, the show
// goes full screen there while the montage stays on the first screen, and
// the choice holds at the next start, or gives way to the primary screen
// once that screen is gone.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ImagesEssai.h"
#include "support/Pilote.h"

namespace {

using plivor::test::Pilote;

const char kEcrans[] = "HDMI-1 1280x800+0+0 HDMI-2 1024x768+1280+0";

int Pixels(const QImage& image, QRect zone, QColor couleur) {
  int n = 0;
  zone &= image.rect();
  for (int y = zone.top(); y <= zone.bottom(); ++y)
    for (int x = zone.left(); x <= zone.right(); ++x)
      if (plivor::test::Proche(image.pixelColor(x, y), couleur, 30)) ++n;
  return n;
}

// The box holding the pixels of that colour.
QRect Etendue(const QImage& image, QColor couleur) {
  QRect etendue;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (plivor::test::Proche(image.pixelColor(x, y), couleur, 30)) etendue |= QRect(x, y, 1, 1);
  return etendue;
}

// "X Y LxH " as the script writes a window's place.
QRect Rectangle(const std::string& texte) {
  int x = 0, y = 0, l = 0, h = 0;
  if (std::sscanf(texte.c_str(), "%d %d %dx%d", &x, &y, &l, &h) != 4) return {};
  return QRect(x, y, l, h);
}

const QColor kRouge(220, 30, 30);

class ProgrammeEcrans : public testing::Test {
 protected:
  void SetUp() override {
    if (!Pilote::Disponible()) GTEST_SKIP() << "Xvfb ou xdotool absent";
    plivor::EcrireJpeg(Chemin("rouge.jpg"), plivor::test::Unie(400, 300, kRouge));
    Ecrire("essai.pvl", "Tempo=3000.pvi\r\nrouge.jpg\r\nAvance=Stop.pvi\r\n");
    // "Masquer le bureau": the show starts full screen.
    Ecrire("reglages.ini", "[Options]\nEcran=1\n");
    qputenv("SUR_XVFB_ECRANS", kEcrans);
    qputenv("PLIVOR_MONITEURS", PLIVOR_MONITEURS);
  }
  void TearDown() override {
    qunsetenv("SUR_XVFB_ECRANS");
    qunsetenv("PLIVOR_MONITEURS");
  }
  QString Chemin(const char* nom) const { return dossier_.filePath(QString::fromUtf8(nom)); }
  void Ecrire(const char* nom, const QByteArray& octets) const {
    QFile f(Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
  }

  QTemporaryDir dossier_;
  Pilote pilote_{QStringLiteral(PLIVOR_PROGRAMME), dossier_.path()};
};

// The script's helpers: a window's place, a screen captured by its name.
const char kOutils[] = R"SH(
CAPTURE=')SH" PLIVOR_CAPTURE_ECRAN R"SH('
geometrie() {
  xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p;s/.*Geometry: \([0-9x]*\).*/\1/p' | tr '\n' ' '
}
ecran() { "$CAPTURE" "$1" "$2" > /dev/null; }
)SH";

TEST_F(ProgrammeEcrans, LeSecondEcranChoisiMontreLaProjectionEtLeMontageResteSurLePremier) {
  const QString actions = QString::fromUtf8(kOutils) + QStringLiteral(R"SH(
demarrer essai.pvl
geometrie "$(fenetre "$PROJECTION")" > avant.txt
dans "$PROJECTION" 300 300; touches i; sleep 1
o=$(fenetre "Plivor - Options") || exit 3
xdotool mousemove --window "$o" 120 14 click 1; sleep 0.8
xdotool mousemove --window "$o" 92 399 click 1; sleep 0.8
touches Down Return; sleep 0.8
xdotool mousemove --window "$o" 92 427 click 1; sleep 2.5
geometrie "$(fenetre "$PROJECTION")" > apres.txt
ecran HDMI-1 premier.png; ecran HDMI-2 second.png
dans "$PROJECTION" 500 380; xdotool click 1; sleep 0.6; touches c; sleep 2.5
geometrie "$(fenetre "Plivor : Montage")" > montage.txt
ecran HDMI-1 montage.png
terminer
cp reglages.ini enregistre.ini
# The choice kept: the next start goes to the second screen at once.
demarrer essai.pvl
geometrie "$(fenetre "$PROJECTION")" > relance.txt
ecran HDMI-2 relance.png
terminer
# The second screen is gone from the settings' point of view: a name no
# screen has gives way to the primary one.
sed -i 's/^EcranProjection=.*/EcranProjection=DP-9/' reglages.ini
demarrer essai.pvl
geometrie "$(fenetre "$PROJECTION")" > absent.txt
terminer
)SH");
  ASSERT_EQ(pilote_.Lancer(actions, 150000), 0) << pilote_.Erreurs();
  const QRect premier(0, 0, 1280, 800), second(1280, 0, 1024, 768);
  EXPECT_EQ(Rectangle(pilote_.Lire(QStringLiteral("avant.txt"))), premier) << pilote_.Lire(QStringLiteral("avant.txt"));
  EXPECT_EQ(Rectangle(pilote_.Lire(QStringLiteral("apres.txt"))), second) << pilote_.Lire(QStringLiteral("apres.txt"));
  EXPECT_NE(pilote_.Lire(QStringLiteral("enregistre.ini")).find("EcranProjection=HDMI-2\n"), std::string::npos)
      << pilote_.Lire(QStringLiteral("enregistre.ini"));

  // The picture shows on the second screen, not on the first.
  const QImage ecran2 = pilote_.Capture(QStringLiteral("second.png"));
  const QImage ecran1 = pilote_.Capture(QStringLiteral("premier.png"));
  ASSERT_EQ(ecran2.size(), QSize(1024, 768));
  ASSERT_EQ(ecran1.size(), QSize(1280, 800));
  EXPECT_GT(Pixels(ecran2, ecran2.rect(), kRouge), 60000);
  EXPECT_EQ(Pixels(ecran1, ecran1.rect(), kRouge), 0);
  // Laid out for that screen's size: the picture in its middle.
  const QPoint milieu = Etendue(ecran2, kRouge).center();
  EXPECT_LE((milieu - ecran2.rect().center()).manhattanLength(), 4) << milieu.x() << "," << milieu.y();

  // The montage opened from the projection sits on the first screen.
  const QRect montage = Rectangle(pilote_.Lire(QStringLiteral("montage.txt")));
  ASSERT_FALSE(montage.isEmpty()) << pilote_.Lire(QStringLiteral("montage.txt"));
  EXPECT_TRUE(premier.contains(montage)) << montage.x() << "," << montage.y() << " " << montage.width() << "x"
                                         << montage.height();
  const QImage avecMontage = pilote_.Capture(QStringLiteral("montage.png"));
  EXPECT_LT(Pixels(avecMontage, montage, Qt::black), montage.width() * montage.height() / 2);

  const QImage relance = pilote_.Capture(QStringLiteral("relance.png"));
  const QPoint milieuRelance = Etendue(relance, kRouge).center();
  EXPECT_LE((milieuRelance - relance.rect().center()).manhattanLength(), 4)
      << milieuRelance.x() << "," << milieuRelance.y();
  EXPECT_EQ(Rectangle(pilote_.Lire(QStringLiteral("relance.txt"))), second) << pilote_.Lire(QStringLiteral("relance.txt"));
  EXPECT_EQ(Rectangle(pilote_.Lire(QStringLiteral("absent.txt"))), premier) << pilote_.Lire(QStringLiteral("absent.txt"));
}

}  // namespace
