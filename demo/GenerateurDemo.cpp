// Makes the demo's pictures and sounds: every file the demo sequence names
// besides its lists, drawn and synthesised here so that nothing is fetched.

#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>

#include "codecs/Encodeurs.h"

namespace {

using plivor::NoteMidi;

constexpr double kPi = 3.14159265358979;

void Titre(QPainter& p, const QRect& zone, const QString& texte, int taille) {
  QFont police(QStringLiteral("DejaVu Sans"), taille, QFont::Bold);
  p.setFont(police);
  p.setPen(QColor(0, 0, 0, 120));
  p.drawText(zone.translated(taille / 12 + 2, taille / 12 + 2), Qt::AlignCenter, texte);
  p.setPen(QColor(255, 250, 235));
  p.drawText(zone, Qt::AlignCenter, texte);
}

void Montagnes(QPainter& p, int l, int h, QColor couleur, double hauteur, int graine) {
  QRandomGenerator hasard(static_cast<quint32>(graine));
  QPainterPath chemin(QPointF(0, h));
  for (int x = 0; x <= l; x += l / 24) {
    const double y = h * (1.0 - hauteur) + hasard.bounded(h * hauteur * 0.6);
    chemin.lineTo(x, y);
  }
  chemin.lineTo(l, h);
  chemin.closeSubpath();
  p.fillPath(chemin, couleur);
}

QImage Ciel(int l, int h, QColor haut, QColor bas) {
  QImage image(l, h, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient degrade(0, 0, 0, h);
  degrade.setColorAt(0, haut);
  degrade.setColorAt(1, bas);
  p.fillRect(image.rect(), degrade);
  return image;
}

QImage Ouverture() {
  QImage image = Ciel(2400, 1600, QColor(60, 30, 110), QColor(250, 140, 60));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient soleil(1200, 1050, 320);
  soleil.setColorAt(0, QColor(255, 240, 180));
  soleil.setColorAt(1, QColor(255, 160, 60, 0));
  p.fillRect(image.rect(), soleil);
  Montagnes(p, 2400, 1600, QColor(70, 40, 80), 0.35, 3);
  Montagnes(p, 2400, 1600, QColor(35, 20, 45), 0.2, 5);
  Titre(p, QRect(0, 200, 2400, 400), QStringLiteral("Plivor"), 220);
  return image;
}

QImage Montagne() {
  QImage image = Ciel(1600, 1000, QColor(40, 90, 170), QColor(170, 210, 240));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  Montagnes(p, 1600, 1000, QColor(235, 240, 250), 0.55, 11);
  Montagnes(p, 1600, 1000, QColor(90, 110, 130), 0.4, 12);
  Montagnes(p, 1600, 1000, QColor(40, 80, 50), 0.2, 13);
  Titre(p, QRect(0, 40, 1600, 200), QStringLiteral("Montagnes"), 90);
  return image;
}

QImage Foret() {
  QImage image = Ciel(1200, 800, QColor(120, 180, 230), QColor(220, 235, 200));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  Montagnes(p, 1200, 800, QColor(90, 150, 70), 0.3, 21);
  QRandomGenerator hasard(22);
  for (int i = 0; i < 40; ++i) {
    const int x = hasard.bounded(1200), base = 560 + hasard.bounded(240), t = 60 + hasard.bounded(90);
    p.setBrush(QColor(20, 70 + hasard.bounded(60), 30));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygon({QPoint(x, base - t * 2), QPoint(x - t / 2, base), QPoint(x + t / 2, base)}));
  }
  Titre(p, QRect(0, 30, 1200, 160), QStringLiteral("La forêt"), 70);
  return image;
}

QImage Mer() {
  QImage image = Ciel(1024, 768, QColor(250, 200, 150), QColor(120, 170, 220));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  for (int bande = 0; bande < 8; ++bande) {
    QPainterPath vague(QPointF(0, 768));
    const double y0 = 420 + bande * 45;
    for (int x = 0; x <= 1024; x += 8) vague.lineTo(x, y0 + 12 * std::sin(x / 40.0 + bande));
    vague.lineTo(1024, 768);
    vague.closeSubpath();
    p.fillPath(vague, QColor(20, 60 + bande * 12, 120 + bande * 14));
  }
  Titre(p, QRect(0, 40, 1024, 160), QStringLiteral("La mer"), 70);
  return image;
}

QImage Coucher() {
  QImage image = Ciel(900, 600, QColor(250, 90, 60), QColor(255, 210, 120));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(255, 245, 200));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPoint(450, 380), 110, 110);
  Montagnes(p, 900, 600, QColor(60, 20, 40), 0.25, 31);
  Titre(p, QRect(0, 30, 900, 140), QStringLiteral("Coucher de soleil"), 52);
  return image;
}

// Flat colours only, so the palette holds them.
QImage Formes() {
  QImage image(480, 360, QImage::Format_RGB32);
  image.fill(QColor(245, 240, 225));
  QPainter p(&image);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 50, 50));
  p.drawEllipse(QRect(40, 60, 160, 160));
  p.setBrush(QColor(40, 120, 200));
  p.drawRect(QRect(240, 40, 180, 130));
  p.setBrush(QColor(250, 190, 30));
  p.drawPolygon(QPolygon({QPoint(300, 330), QPoint(440, 200), QPoint(460, 330)}));
  p.setBrush(QColor(40, 160, 90));
  p.drawRect(QRect(60, 260, 200, 60));
  return image;
}

// A star on a magenta ground that a transparent display keys out.
QImage Etoile() {
  QImage image(360, 360, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  QPolygonF etoile;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? 70 : 170, a = -kPi / 2 + i * kPi / 5;
    etoile << QPointF(180 + r * std::cos(a), 180 + r * std::sin(a));
  }
  p.setPen(QPen(QColor(120, 60, 0), 6));
  p.setBrush(QColor(255, 210, 40));
  p.drawPolygon(etoile);
  return image;
}

QImage Nuit() {
  QImage image(640, 480, QImage::Format_RGB32);
  image.fill(QColor(10, 15, 40));
  QPainter p(&image);
  QRandomGenerator hasard(41);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 160; ++i) {
    p.setBrush(QColor(255, 255, 220));
    const int t = 1 + hasard.bounded(3);
    p.drawRect(hasard.bounded(640), hasard.bounded(400), t, t);
  }
  p.setBrush(QColor(240, 240, 200));
  p.drawEllipse(QRect(470, 60, 90, 90));
  p.setBrush(QColor(10, 15, 40));
  p.drawEllipse(QRect(495, 50, 90, 90));
  p.setBrush(QColor(20, 40, 30));
  p.drawRect(0, 400, 640, 80);
  return image;
}

// The flag menu image: one 48 x 36 thumbnail per flag in cells of 56 x 44,
// four to a row, in the order of the sequence's flags.
QImage MenuDrapeaux(const std::vector<QImage>& vignettes) {
  const int rangees = int((vignettes.size() + 3) / 4);
  QImage image(4 * 56, rangees * 44, QImage::Format_RGB32);
  image.fill(QColor(38, 55, 34));
  QPainter p(&image);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (size_t k = 0; k < vignettes.size(); ++k) {
    const int x = int(k % 4) * 56, y = int(k / 4) * 44;
    p.drawImage(QRect(x + 4, y + 4, 48, 36), vignettes[k]);
    p.setPen(QColor(20, 20, 20));
    p.drawRect(QRect(x + 4, y + 4, 47, 35));
  }
  return image;
}

std::vector<std::int16_t> Cloches(double secondes, std::vector<double> frequences, int frequence = 22050) {
  const int n = static_cast<int>(secondes * frequence);
  std::vector<std::int16_t> e(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / frequence;
    double v = 0;
    for (size_t k = 0; k < frequences.size(); ++k) {
      const double debut = k * 0.35;
      if (t < debut) continue;
      const double u = t - debut;
      v += std::exp(-2.5 * u) * (std::sin(2 * kPi * frequences[k] * u) + 0.3 * std::sin(2 * kPi * 2.76 * frequences[k] * u));
    }
    e[static_cast<size_t>(i)] = static_cast<std::int16_t>(std::clamp(v * 7000, -32000.0, 32000.0));
  }
  return e;
}

std::vector<NoteMidi> Theme() {
  // A slow waltz in C: melody on the piano, chords on the strings.
  const int melodie[] = {64, 67, 72, 71, 69, 67, 65, 64, 62, 64, 65, 67, 69, 67, 64, 60};
  const int basses[] = {48, 43, 45, 41};
  std::vector<NoteMidi> notes;
  for (int tour = 0; tour < 2; ++tour)
    for (int i = 0; i < 16; ++i) {
      const int debut = (tour * 16 + i) * 750;
      notes.push_back({melodie[i], debut, 700, 96, 0, 0});
      if (i % 4 == 0) {
        const int b = basses[(i / 4) % 4];
        for (int d : {0, 7, 12}) notes.push_back({b + d, debut, 2950, 60, 1, 48});
      }
    }
  return notes;
}

bool Ecrire(bool ok, const QString& nom) {
  if (!ok) std::fprintf(stderr, "échec : %s\n", qPrintable(nom));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DOSSIER\n", argv[0]);
    return 2;
  }
  const QDir dossier(QString::fromLocal8Bit(argv[1]));
  dossier.mkpath(QStringLiteral("media"));
  const auto media = [&dossier](const char* nom) { return dossier.filePath(QStringLiteral("media/") + nom); };
  bool ok = true;
  ok &= Ecrire(plivor::EcrireJpeg(media("ouverture.jpg"), Ouverture()), "ouverture.jpg");
  ok &= Ecrire(plivor::EcrireJpeg(media("montagne.jpg"), Montagne()), "montagne.jpg");
  ok &= Ecrire(plivor::EcrireJpeg(media("foret.jpg"), Foret()), "foret.jpg");
  ok &= Ecrire(plivor::EcrireJpeg(media("mer.jpg"), Mer()), "mer.jpg");
  ok &= Ecrire(plivor::EcrireJpeg(media("coucher.jpg"), Coucher()), "coucher.jpg");
  ok &= Ecrire(plivor::EcrireGif(media("formes.gif"), Formes()), "formes.gif");
  ok &= Ecrire(plivor::EcrireGif(media("nuit.gif"), Nuit(), {}, true), "nuit.gif");
  ok &= Ecrire(plivor::EcrireBmp(media("etoile.bmp"), Etoile()), "etoile.bmp");
  ok &= Ecrire(plivor::EcrireBmp(media("menu.bmp"), MenuDrapeaux({Ouverture(), Montagne(), Foret(), Formes(), Nuit(),
                                                                    Coucher()})),
               "menu.bmp");
  ok &= Ecrire(plivor::EcrireWav(media("carillon.wav"), Cloches(3.0, {659.3, 523.3, 587.3, 392.0}), 22050, 1),
               "carillon.wav");
  ok &= Ecrire(plivor::EcrireWav(media("accord.wav"), Cloches(1.5, {523.3, 659.3, 784.0}), 22050, 1), "accord.wav");
  ok &= Ecrire(plivor::EcrireMidi(media("theme.mid"), Theme()), "theme.mid");
  return ok ? 0 : 1;
}
