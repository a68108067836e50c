// JPEG through libjpeg-turbo, with its scaled IDCT for reduced pictures.

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <QFile>

#include <jpeglib.h>
#include <jerror.h>

#include "codecs/Images.h"
#include "codecs/Messages.h"

namespace plivor {

namespace {

struct ErreurJpeg {
  jpeg_error_mgr gestion;
  std::jmp_buf saut;
  char message[JMSG_LENGTH_MAX] = {};  // the library's words
  int code = -1;                       // its message code
  QString notre;                       // a fault of ours, already said
};

[[noreturn]] void SortirSurErreur(j_common_ptr info) {
  auto* erreur = reinterpret_cast<ErreurJpeg*>(info->err);
  (*info->err->format_message)(info, erreur->message);
  erreur->code = info->err->msg_code;
  std::longjmp(erreur->saut, 1);
}

QString EnFrancais(const ErreurJpeg& e, const QString& chemin) {
  using namespace messages;
  if (!e.notre.isEmpty()) return e.notre;
  const int* p = e.gestion.msg_parm.i;
  switch (e.code) {
    case JERR_NO_SOI:
      return QStringLiteral("Le fichier %1 n'est pas une image JPEG : il commence par 0x%2 0x%3.")
          .arg(Nom(chemin))
          .arg(p[0] & 0xff, 2, 16, QLatin1Char('0'))
          .arg(p[1] & 0xff, 2, 16, QLatin1Char('0'));
    case JERR_INPUT_EMPTY: return Dire(QStringLiteral("Le fichier %1 est vide."), chemin);
    case JERR_INPUT_EOF:
    case JWRN_JPEG_EOF: return Dire(QStringLiteral("L'image JPEG %1 est tronquée : le fichier s'arrête avant sa fin."), chemin);
    case JERR_OUT_OF_MEMORY: return Memoire(chemin);
    case JERR_SOF_UNSUPPORTED:
    case JERR_NOT_COMPILED:
      return Dire(QStringLiteral("L'image JPEG %1 est d'une sorte que Plivor ne sait pas lire"), chemin) +
             QStringLiteral(" (libjpeg : ") + QString::fromUtf8(e.message) + QStringLiteral(").");
    default:
      return Dire(QStringLiteral("L'image JPEG %1 est abîmée"), chemin) + QStringLiteral(" (libjpeg : ") +
             QString::fromUtf8(e.message) + QStringLiteral(").");
  }
}

// A truncated file is an error, not a picture half grey.
void Avertissement(j_common_ptr info, int niveau) {
  if (niveau < 0 && info->err->msg_code == JWRN_JPEG_EOF) SortirSurErreur(info);
}

struct Fichier {
  explicit Fichier(const QString& chemin) : f(std::fopen(QFile::encodeName(chemin).constData(), "rb")) {}
  ~Fichier() {
    if (f) std::fclose(f);
  }
  std::FILE* f;
};

// Everything that lives across setjmp is kept outside the decoding frame.
struct Decodage {
  jpeg_decompress_struct info{};
  ErreurJpeg erreur;
  QImage image;
  std::vector<JSAMPLE> ligneCmjn;
  bool cree = false;
  ~Decodage() {
    if (cree) jpeg_destroy_decompress(&info);
  }
};

// `choisir`, when given, picks the divisor from the natural size and a
// natural size over the bound is refused whatever the reduction.
bool Decoder(Decodage& d, std::FILE* f, const QString& chemin, int diviseur, bool enTeteSeulement,
             const std::function<int(QSize)>* choisir = nullptr) {
  d.info.err = jpeg_std_error(&d.erreur.gestion);
  d.erreur.gestion.error_exit = SortirSurErreur;
  d.erreur.gestion.emit_message = Avertissement;
  if (setjmp(d.erreur.saut)) return false;
  jpeg_create_decompress(&d.info);
  d.cree = true;
  jpeg_stdio_src(&d.info, f);
  jpeg_read_header(&d.info, TRUE);
  if (enTeteSeulement) return true;
  if (choisir) {
    const qint64 naturels = qint64(d.info.image_width) * d.info.image_height;
    if (naturels <= 0 || naturels > kPixelsMaximum) {
      d.erreur.notre = messages::TropGrande(chemin, d.info.image_width, d.info.image_height);
      return false;
    }
    diviseur = (*choisir)(QSize(int(d.info.image_width), int(d.info.image_height)));
    if (diviseur != 2 && diviseur != 4 && diviseur != 8) diviseur = 1;
  }
  d.info.scale_num = 1;
  d.info.scale_denom = static_cast<unsigned>(diviseur);
  const bool cmjn = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
  d.info.out_color_space = cmjn ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_calc_output_dimensions(&d.info);
  const qint64 pixels = qint64(d.info.output_width) * d.info.output_height;
  if (pixels <= 0 || pixels > kPixelsMaximum) {
    d.erreur.notre = messages::TropGrande(chemin, d.info.output_width, d.info.output_height);
    return false;
  }
  d.image = QImage(int(d.info.output_width), int(d.info.output_height), QImage::Format_RGB32);
  if (d.image.isNull()) {
    d.erreur.notre = messages::Memoire(chemin);
    return false;
  }
  jpeg_start_decompress(&d.info);
  if (cmjn) d.ligneCmjn.resize(std::size_t(d.info.output_width) * 4);
  while (d.info.output_scanline < d.info.output_height) {
    auto* destination = reinterpret_cast<JSAMPLE*>(d.image.scanLine(int(d.info.output_scanline)));
    JSAMPROW ligne = cmjn ? d.ligneCmjn.data() : destination;
    jpeg_read_scanlines(&d.info, &ligne, 1);
    if (!cmjn) continue;
    auto* pixels32 = reinterpret_cast<QRgb*>(destination);
    for (unsigned x = 0; x < d.info.output_width; ++x) {
      // Adobe writes inverted CMYK: each byte is already 255 - ink.
      const JSAMPLE* p = d.ligneCmjn.data() + 4 * x;
      pixels32[x] = qRgb(p[0] * p[3] / 255, p[1] * p[3] / 255, p[2] * p[3] / 255);
    }
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

}  // namespace

ImageDecodee DecoderJpeg(const QString& chemin, int diviseur) {
  if (diviseur != 1 && diviseur != 2 && diviseur != 4) diviseur = 1;
  Fichier fichier(chemin);
  if (!fichier.f) return {QImage(), messages::NonOuvert(chemin)};
  Decodage d;
  if (!Decoder(d, fichier.f, chemin, diviseur, false)) return {QImage(), EnFrancais(d.erreur, chemin)};
  return {std::move(d.image), QString()};
}

ImageDecodee DecoderJpeg(const QString& chemin, const std::function<int(QSize naturelle)>& choisir,
                         QSize* naturelle) {
  Fichier fichier(chemin);
  if (!fichier.f) return {QImage(), messages::NonOuvert(chemin)};
  Decodage d;
  const bool lu = Decoder(d, fichier.f, chemin, 1, false, &choisir);
  if (naturelle && d.cree) *naturelle = QSize(int(d.info.image_width), int(d.info.image_height));
  if (!lu) return {QImage(), EnFrancais(d.erreur, chemin)};
  return {std::move(d.image), QString()};
}

// libjpeg-turbo rounds the scaled size up.
QSize TailleReduite(QSize naturelle, int diviseur) {
  return {(naturelle.width() + diviseur - 1) / diviseur, (naturelle.height() + diviseur - 1) / diviseur};
}

QSize TailleJpeg(const QString& chemin) {
  Fichier fichier(chemin);
  if (!fichier.f) return {};
  Decodage d;
  if (!Decoder(d, fichier.f, chemin, 1, true)) return {};
  return QSize(int(d.info.image_width), int(d.info.image_height));
}

}  // namespace plivor
