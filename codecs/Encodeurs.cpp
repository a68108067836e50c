#include "codecs/Encodeurs.h"

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <gif_lib.h>
#include <jpeglib.h>
#include <optional>
#include <vector>

namespace plivor {

bool EcrireJpegParLignes(const QString& chemin, int largeur, int hauteur,
                         const std::function<void(int y, unsigned char* rgb)>& ligne, int qualite) {
  std::FILE* f = std::fopen(QFile::encodeName(chemin).constData(), "wb");
  if (!f) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr erreur{};
  info.err = jpeg_std_error(&erreur);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, f);
  info.image_width = static_cast<JDIMENSION>(largeur);
  info.image_height = static_cast<JDIMENSION>(hauteur);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, qualite, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> rangee(static_cast<size_t>(largeur) * 3);
  while (info.next_scanline < info.image_height) {
    ligne(static_cast<int>(info.next_scanline), rangee.data());
    JSAMPROW r = rangee.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(f) == 0;
}

bool EcrireJpeg(const QString& chemin, const QImage& source, int qualite) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  const size_t octets = static_cast<size_t>(image.width()) * 3;
  return EcrireJpegParLignes(chemin, image.width(), image.height(), [&image, octets](int y, unsigned char* rgb) {
    std::memcpy(rgb, image.constScanLine(y), octets);
  }, qualite);
}

bool EcrireGif(const QString& chemin, const QImage& image, std::optional<QColor> transparent, bool entrelace) {
  std::vector<QRgb> palette;
  std::vector<GifByteType> pixels;
  pixels.reserve(static_cast<size_t>(image.width() * image.height()));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) | 0xFF000000;
      auto it = std::find(palette.begin(), palette.end(), c);
      if (it == palette.end()) {
        if (palette.size() == 256) return false;
        palette.push_back(c);
        it = palette.end() - 1;
      }
      pixels.push_back(static_cast<GifByteType>(it - palette.begin()));
    }
  while (palette.size() < 2 || (palette.size() & (palette.size() - 1))) palette.push_back(0xFF000000);
  std::vector<GifColorType> couleurs;
  for (QRgb c : palette)
    couleurs.push_back({static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                        static_cast<GifByteType>(qBlue(c))});
  int erreur = 0;
  GifFileType* gif = EGifOpenFileName(QFile::encodeName(chemin).constData(), false, &erreur);
  if (!gif) return false;
  ColorMapObject* carte = GifMakeMapObject(static_cast<int>(couleurs.size()), couleurs.data());
  EGifSetGifVersion(gif, true);
  bool ok = EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, carte) == GIF_OK;
  if (ok && transparent) {
    const auto it = std::find(palette.begin(), palette.end(), transparent->rgb() | 0xFF000000);
    GraphicsControlBlock controle{};
    controle.TransparentColor = it == palette.end() ? NO_TRANSPARENT_COLOR : int(it - palette.begin());
    GifByteType octets[4];
    const size_t n = EGifGCBToExtension(&controle, octets);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), octets) == GIF_OK;
  }
  ok = ok && EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), entrelace, nullptr) == GIF_OK;
  std::vector<int> ordre;
  if (entrelace) {
    const int debut[] = {0, 4, 2, 1}, pas[] = {8, 8, 4, 2};
    for (int p = 0; p < 4; ++p)
      for (int y = debut[p]; y < image.height(); y += pas[p]) ordre.push_back(y);
  } else {
    for (int y = 0; y < image.height(); ++y) ordre.push_back(y);
  }
  for (int y : ordre)
    ok = ok && EGifPutLine(gif, pixels.data() + static_cast<size_t>(y * image.width()), image.width()) == GIF_OK;
  GifFreeMapObject(carte);
  EGifCloseFile(gif, &erreur);
  // giflib creates its files for the owner alone.
  QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  return ok;
}

bool EcrireBmp(const QString& chemin, const QImage& image) {
  return image.convertToFormat(QImage::Format_RGB888).save(chemin, "BMP");
}

namespace {

void Octets16(std::vector<char>& v, int n) {
  v.push_back(char(n & 0xFF));
  v.push_back(char((n >> 8) & 0xFF));
}

void Octets32(std::vector<char>& v, std::uint32_t n) {
  for (int i = 0; i < 4; ++i) v.push_back(char((n >> (8 * i)) & 0xFF));
}

void Ajouter(std::vector<char>& v, const char* texte) { v.insert(v.end(), texte, texte + std::strlen(texte)); }

bool Enregistrer(const QString& chemin, const std::vector<char>& octets) {
  QFile f(chemin);
  if (!f.open(QIODevice::WriteOnly)) return false;
  return f.write(octets.data(), qint64(octets.size())) == qint64(octets.size());
}

// Variable-length quantity of the MIDI format.
void Quantite(std::vector<char>& v, std::uint32_t n) {
  char pile[5];
  int taille = 0;
  pile[taille++] = char(n & 0x7F);
  while (n >>= 7) pile[taille++] = char((n & 0x7F) | 0x80);
  while (taille) v.push_back(pile[--taille]);
}

}  // namespace

bool EcrireWav(const QString& chemin, const std::vector<std::int16_t>& echantillons, int frequence, int canaux) {
  std::vector<char> v;
  const std::uint32_t donnees = std::uint32_t(echantillons.size() * 2);
  Ajouter(v, "RIFF");
  Octets32(v, 36 + donnees);
  Ajouter(v, "WAVEfmt ");
  Octets32(v, 16);
  Octets16(v, 1);
  Octets16(v, canaux);
  Octets32(v, std::uint32_t(frequence));
  Octets32(v, std::uint32_t(frequence * canaux * 2));
  Octets16(v, canaux * 2);
  Octets16(v, 16);
  Ajouter(v, "data");
  Octets32(v, donnees);
  for (std::int16_t e : echantillons) Octets16(v, e);
  return Enregistrer(chemin, v);
}

bool EcrireMidi(const QString& chemin, const std::vector<NoteMidi>& notes) {
  // 120 beats per minute at 480 ticks per beat: 0.96 tick per millisecond.
  struct Evenement {
    std::uint32_t tic;
    std::vector<char> octets;
  };
  std::vector<Evenement> evenements;
  const auto tic = [](int ms) { return std::uint32_t(ms) * 96 / 100; };
  std::vector<int> programmes(16, -1);
  for (const NoteMidi& n : notes) {
    const int canal = n.canal & 15;
    if (programmes[canal] != n.programme) {
      programmes[canal] = n.programme;
      evenements.push_back({0, {char(0xC0 | canal), char(n.programme & 0x7F)}});
    }
    evenements.push_back({tic(n.debutMs), {char(0x90 | canal), char(n.note & 0x7F), char(n.velocite & 0x7F)}});
    evenements.push_back({tic(n.debutMs + n.dureeMs), {char(0x80 | canal), char(n.note & 0x7F), char(0)}});
  }
  std::stable_sort(evenements.begin(), evenements.end(),
                   [](const Evenement& a, const Evenement& b) { return a.tic < b.tic; });
  std::vector<char> piste;
  // Tempo: 500 000 microseconds per beat.
  piste.insert(piste.end(), {char(0), char(0xFF), char(0x51), char(3), char(0x07), char(0xA1), char(0x20)});
  std::uint32_t precedent = 0;
  for (const Evenement& e : evenements) {
    Quantite(piste, e.tic - precedent);
    precedent = e.tic;
    piste.insert(piste.end(), e.octets.begin(), e.octets.end());
  }
  piste.insert(piste.end(), {char(0), char(0xFF), char(0x2F), char(0)});
  std::vector<char> v;
  Ajouter(v, "MThd");
  v.insert(v.end(), {0, 0, 0, 6, 0, 0, 0, 1, char(0x01), char(0xE0)});
  Ajouter(v, "MTrk");
  const std::uint32_t n = std::uint32_t(piste.size());
  v.insert(v.end(), {char(n >> 24), char((n >> 16) & 0xFF), char((n >> 8) & 0xFF), char(n & 0xFF)});
  v.insert(v.end(), piste.begin(), piste.end());
  return Enregistrer(chemin, v);
}

}  // namespace plivor
