// Makes the files that lie beside the program and that an installation
// copies with it: the icon "Plivor.ico" and the language file "lg.pvg",
// holding French itself (the tables the program knows) and English, so
// that the language choice works from the first run.
//   plivor_fichiers_programme DOSSIER
// The icon is also written at the desktop's sizes under DOSSIER/icones.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <fstream>

#include "core/FichiersListe.h"
#include "core/Langue.h"

namespace {

// The program's icon, drawn for `taille` pixels (64 is its design size).
QImage Icone(int taille = 64) {
  QImage image(taille, taille, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(taille / 64.0, taille / 64.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(35, 32, 55));
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
  p.setBrush(QColor(241, 219, 177));
  p.drawRect(QRectF(10, 12, 44, 32));
  p.setBrush(QColor(60, 0, 0));
  QPainterPath triangle;
  triangle.moveTo(24, 18);
  triangle.lineTo(44, 28);
  triangle.lineTo(24, 38);
  triangle.closeSubpath();
  p.drawPath(triangle);
  p.setBrush(QColor(241, 219, 177));
  for (int i = 0; i < 4; ++i) p.drawEllipse(QRectF(12 + i * 11, 48, 7, 7));
  return image;
}

bool EcrireLangue(const QString& chemin) {
  const std::string contenu = plivor::ContenuFichierLangue();
  // One line per table: a table holding a line end would cut itself.
  if (plivor::DecouperLignes(contenu).size() != 5) return false;
  std::ofstream f(chemin.toStdString(), std::ios::binary | std::ios::trunc);
  f << contenu;
  f.close();
  return f.good();
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DOSSIER\n", argv[0]);
    return 2;
  }
  const QDir dossier(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(dossier.path())) return 1;
  if (!Icone().save(dossier.filePath(QStringLiteral("Plivor.ico")), "ICO")) {
    std::fprintf(stderr, "Plivor.ico non écrit\n");
    return 1;
  }
  // The desktop's sizes, so that no window and no menu shows it scaled up.
  for (const int taille : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
    const QString png =
        dossier.filePath(QStringLiteral("icones/hicolor/%1x%1/apps/plivor.png").arg(taille));
    if (!QDir().mkpath(QFileInfo(png).absolutePath()) || !Icone(taille).save(png, "PNG")) {
      std::fprintf(stderr, "%s non écrit\n", qPrintable(png));
      return 1;
    }
  }
  if (!EcrireLangue(dossier.filePath(QStringLiteral("lg.pvg")))) {
    std::fprintf(stderr, "lg.pvg non écrit\n");
    return 1;
  }
  return 0;
}
