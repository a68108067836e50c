// HEIC and AVIF through libheif, which applies the file's own rotations
// and mirrors. Its size is checked before anything is decoded.

#include <QFile>
#include <algorithm>
#include <memory>

#include <libheif/heif.h>

#include "codecs/Images.h"
#include "codecs/Messages.h"

namespace plivor {

namespace {

constexpr qint64 kPixelsNonReduits = 64'000'000;

struct Contexte {
  heif_context* c = heif_context_alloc();
  heif_image_handle* poignee = nullptr;
  heif_image* image = nullptr;
  ~Contexte() {
    if (image) heif_image_release(image);
    if (poignee) heif_image_handle_release(poignee);
    heif_context_free(c);
  }
};

QString Echec(const heif_error& e, const QString& chemin) {
  using namespace messages;
  if (e.code == heif_error_Memory_allocation_error) return Memoire(chemin);
  if (e.code == heif_error_Unsupported_feature || e.code == heif_error_Unsupported_filetype)
    return Dire(QStringLiteral("L'image HEIF %1 est d'une sorte que Plivor ne sait pas lire"), chemin) +
           QStringLiteral(" (libheif : ") + QString::fromUtf8(e.message) + QStringLiteral(").");
  return Dire(QStringLiteral("L'image HEIF %1 est abîmée ou tronquée"), chemin) + QStringLiteral(" (libheif : ") +
         QString::fromUtf8(e.message) + QStringLiteral(").");
}

bool Ouvrir(Contexte& c, const QString& chemin, QString& erreur) {
  if (!c.c) {
    erreur = messages::Memoire(chemin);
    return false;
  }
  heif_error e = heif_context_read_from_file(c.c, QFile::encodeName(chemin).constData(), nullptr);
  if (e.code == heif_error_Ok) e = heif_context_get_primary_image_handle(c.c, &c.poignee);
  if (e.code != heif_error_Ok) {
    erreur = QFile::exists(chemin) ? Echec(e, chemin) : messages::NonOuvert(chemin);
    return false;
  }
  return true;
}

}  // namespace

ImageDecodee DecoderHeif(const QString& chemin, const BesoinImage& besoin) {
  Contexte c;
  QString erreur;
  if (!Ouvrir(c, chemin, erreur)) return {QImage(), erreur, {}, {}};
  const QSize naturelle(heif_image_handle_get_width(c.poignee), heif_image_handle_get_height(c.poignee));
  const qint64 permis = std::min(kPixelsMaximum, std::max(besoin.pixelsPermis, kPixelsNonReduits));
  if (naturelle.isEmpty() || qint64(naturelle.width()) * naturelle.height() > permis)
    return {QImage(), messages::TropGrande(chemin, naturelle.width(), naturelle.height()), {}, naturelle};
  const bool alpha = heif_image_handle_has_alpha_channel(c.poignee);
  const heif_error e = heif_decode_image(c.poignee, &c.image, heif_colorspace_RGB,
                                         alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr);
  if (e.code != heif_error_Ok) return {QImage(), Echec(e, chemin), {}, naturelle};
  int pas = 0;
  const uint8_t* plan = heif_image_get_plane_readonly(c.image, heif_channel_interleaved, &pas);
  const int l = heif_image_get_width(c.image, heif_channel_interleaved);
  const int h = heif_image_get_height(c.image, heif_channel_interleaved);
  if (!plan || l <= 0 || h <= 0) return {QImage(), Echec(e, chemin), {}, naturelle};
  QImage image(l, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) return {QImage(), messages::Memoire(chemin), {}, naturelle};
  const int octets = alpha ? 4 : 3;
  for (int y = 0; y < h; ++y) {
    const uint8_t* s = plan + qsizetype(y) * pas;
    auto* d = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < l; ++x, s += octets) d[x] = qRgba(s[0], s[1], s[2], alpha ? s[3] : 255);
  }
  return {std::move(image), {}, {}, QSize(l, h)};
}

QSize TailleHeif(const QString& chemin) {
  Contexte c;
  QString erreur;
  if (!Ouvrir(c, chemin, erreur)) return {};
  return QSize(heif_image_handle_get_width(c.poignee), heif_image_handle_get_height(c.poignee));
}

}  // namespace plivor
