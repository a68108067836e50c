// JPEG through libjpeg-turbo, with its scaled IDCT for reduced pictures.
// The work is bounded before it starts: the reduction covers what the
// caller needs, the library's own memory is capped (a progressive file
// holds all its coefficients) and so is the number of scans.

#include <csetjmp>
#include <cstdio>
#include <string_view>
#include <vector>

#include <QFile>
#include <QFileInfo>

#include <jpeglib.h>
#include <jerror.h>

#include "codecs/Images.h"
#include "codecs/Messages.h"
#include "codecs/Orientation.h"

namespace plivor {

namespace {

// Enough for the coefficients of a 100-megapixel progressive photograph.
constexpr long kMemoireLibjpeg = 384L * 1024 * 1024;
// Real files have a dozen scans; a crafted one can have thousands, each a
// pass over the whole picture.
constexpr int kPassesMaximum = 500;

struct ErreurJpeg {
  jpeg_error_mgr gestion;
  std::jmp_buf saut;
  char message[JMSG_LENGTH_MAX] = {};  // the library's words
  int code = -1;                       // its message code
  QString notre;                       // a fault of ours, already said
  // Faults the picture survives: where the file ended, whether any data
  // was damaged.
  long ligneFin = -1;
  bool abimee = false;
  j_decompress_ptr decodage = nullptr;
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
  // Whatever the library made of it, the file ended first.
  if (e.ligneFin >= 0 && e.code != JERR_INPUT_EMPTY)
    return Dire(QStringLiteral("L'image JPEG %1 est tronquée : le fichier s'arrête avant sa fin."), chemin);
  const int* p = e.gestion.msg_parm.i;
  switch (e.code) {
    case JERR_NO_SOI:
      return QStringLiteral("Le fichier %1 n'est pas une image JPEG : il commence par 0x%2 0x%3.")
          .arg(Nom(chemin))
          .arg(p[0] & 0xff, 2, 16, QLatin1Char('0'))
          .arg(p[1] & 0xff, 2, 16, QLatin1Char('0'));
    case JERR_INPUT_EMPTY: return Dire(QStringLiteral("Le fichier %1 est vide."), chemin);
    case JERR_INPUT_EOF:
    case JERR_NO_IMAGE:
    case JWRN_JPEG_EOF: return Dire(QStringLiteral("L'image JPEG %1 est tronquée : le fichier s'arrête avant sa fin."), chemin);
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE: return Memoire(chemin);
    case JERR_SOF_UNSUPPORTED:
    case JERR_NOT_COMPILED:
      return Dire(QStringLiteral("L'image JPEG %1 est d'une sorte que Plivor ne sait pas lire"), chemin) +
             QStringLiteral(" (libjpeg : ") + QString::fromUtf8(e.message) + QStringLiteral(").");
    default:
      return Dire(QStringLiteral("L'image JPEG %1 est abîmée"), chemin) + QStringLiteral(" (libjpeg : ") +
             QString::fromUtf8(e.message) + QStringLiteral(").");
  }
}

// A file that ends early is shown down to where it ends; damaged data is
// shown as the library mends it. Both are said afterwards.
void Avertissement(j_common_ptr info, int niveau) {
  if (niveau >= 0) return;
  auto* erreur = reinterpret_cast<ErreurJpeg*>(info->err);
  if (info->err->msg_code == JWRN_JPEG_EOF) {
    if (erreur->ligneFin < 0 && erreur->decodage) erreur->ligneFin = long(erreur->decodage->output_scanline);
    return;
  }
  // Only damaged data: a foreign JFIF version or a stray ICC chunk is no
  // fault of the picture.
  switch (info->err->msg_code) {
    case JWRN_HIT_MARKER: case JWRN_MUST_RESYNC: case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION: case JWRN_HUFF_BAD_CODE:
      erreur->abimee = true;
      break;
    default: break;
  }
}

void SurveillerPasses(j_common_ptr info) {
  auto* d = reinterpret_cast<j_decompress_ptr>(info);
  if (!info->is_decompressor || d->input_scan_number <= kPassesMaximum) return;
  auto* erreur = reinterpret_cast<ErreurJpeg*>(info->err);
  erreur->notre = QStringLiteral("trop de passes");
  SortirSurErreur(info);
}

struct Fichier {
  explicit Fichier(const QString& chemin) : f(std::fopen(QFile::encodeName(chemin).constData(), "rb")) {}
  ~Fichier() {
    if (f) std::fclose(f);
  }
  std::FILE* f;
};

int OrientationDesMarqueurs(const jpeg_decompress_struct& info) {
  for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next)
    if (m->marker == JPEG_APP0 + 1)
      if (const int o = OrientationExif(std::string_view(reinterpret_cast<const char*>(m->data), m->data_length)); o != 1)
        return o;
  return 1;
}

// Everything that lives across setjmp is kept outside the decoding frame.
struct Decodage {
  jpeg_decompress_struct info{};
  ErreurJpeg erreur;
  jpeg_progress_mgr progression{};
  QImage image;
  std::vector<JSAMPLE> ligne;
  std::vector<QRgb> ligneRgb;
  int orientation = 1;
  bool plusieursPasses = false;
  qint64 octets = 0;  // the file's size
  QSize naturelle;  // upright
  bool cree = false;
  ~Decodage() {
    if (cree) jpeg_destroy_decompress(&info);
  }
};

bool LireEnTete(Decodage& d, std::FILE* f) {
  d.info.err = jpeg_std_error(&d.erreur.gestion);
  d.erreur.gestion.error_exit = SortirSurErreur;
  d.erreur.gestion.emit_message = Avertissement;
  d.erreur.decodage = &d.info;
  jpeg_create_decompress(&d.info);
  d.cree = true;
  d.info.mem->max_memory_to_use = kMemoireLibjpeg;
  d.progression.progress_monitor = SurveillerPasses;
  d.info.progress = &d.progression;
  jpeg_stdio_src(&d.info, f);
  jpeg_save_markers(&d.info, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&d.info, TRUE);
  d.plusieursPasses = jpeg_has_multiple_scans(&d.info);
  d.orientation = OrientationDesMarqueurs(d.info);
  d.naturelle = TailleRedressee(QSize(int(d.info.image_width), int(d.info.image_height)), d.orientation);
  return true;
}

int ReductionValide(int diviseur) { return diviseur == 2 || diviseur == 4 || diviseur == 8 ? diviseur : 1; }

// The reduction asked, made larger while the picture would exceed what the
// caller may take.
bool ChoisirReduction(Decodage& d, const QString& chemin, const BesoinImage& besoin) {
  int diviseur = ReductionValide(besoin.choisir ? besoin.choisir(d.naturelle) : besoin.diviseur);
  const auto pixels = [&d](int k) {
    const QSize t = TailleReduite(d.naturelle, k);
    return qint64(t.width()) * t.height();
  };
  if (d.naturelle.isEmpty()) {
    d.erreur.notre = messages::TropGrande(chemin, d.naturelle.width(), d.naturelle.height());
    return false;
  }
  while (pixels(diviseur) > besoin.pixelsPermis && diviseur < 8) diviseur *= 2;
  if (pixels(diviseur) > besoin.pixelsPermis) {
    d.erreur.notre = messages::TropGrande(chemin, d.naturelle.width(), d.naturelle.height());
    return false;
  }
  // Each 8 x 8 block takes at least one bit: a file far shorter than its
  // size requires is refused before any work.
  const qint64 blocs = qint64(d.info.image_width) * d.info.image_height / 64;
  if (d.octets * 8 * 8 < blocs) {
    d.erreur.code = JERR_INPUT_EOF;
    return false;
  }
  d.info.scale_num = 1;
  d.info.scale_denom = static_cast<unsigned>(diviseur);
  return true;
}

// Rows of a turned picture are gathered this many at a time.
constexpr int kLignesParBloc = 64;

void LireLignes(Decodage& d) {
  const bool cmjn = d.info.out_color_space == JCS_CMYK;
  const int l = int(d.info.output_width), h = int(d.info.output_height);
  const bool direct = !cmjn && d.orientation == 1;
  // BGRX rows are QRgb rows as they stand; CMYK rows are turned into them.
  if (cmjn) d.ligne.resize(std::size_t(l) * 4);
  if (!direct) d.ligneRgb.resize(std::size_t(l) * kLignesParBloc);
  while (d.info.output_scanline < d.info.output_height) {
    const int y = int(d.info.output_scanline);
    if (direct) {
      JSAMPROW ligne = reinterpret_cast<JSAMPLE*>(d.image.scanLine(y));
      jpeg_read_scanlines(&d.info, &ligne, 1);
      continue;
    }
    int lues = 0;
    while (lues < kLignesParBloc && d.info.output_scanline < d.info.output_height) {
      QRgb* cible = d.ligneRgb.data() + std::size_t(lues) * std::size_t(l);
      JSAMPROW ligne = cmjn ? d.ligne.data() : reinterpret_cast<JSAMPLE*>(cible);
      jpeg_read_scanlines(&d.info, &ligne, 1);
      // Adobe writes inverted CMYK: each byte is already 255 - ink.
      for (int x = 0; cmjn && x < l; ++x) {
        const JSAMPLE* p = d.ligne.data() + 4 * x;
        cible[x] = qRgb(p[0] * p[3] / 255, p[1] * p[3] / 255, p[2] * p[3] / 255);
      }
      ++lues;
    }
    PoserBlocRedresse(d.image, y, d.ligneRgb.data(), lues, QSize(l, h), d.orientation);
  }
}

bool Decoder(Decodage& d, std::FILE* f, const QString& chemin, const BesoinImage& besoin) {
  if (setjmp(d.erreur.saut)) return false;
  LireEnTete(d, f);
  if (!ChoisirReduction(d, chemin, besoin)) return false;
  const bool cmjn = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
  d.info.out_color_space = cmjn ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_calc_output_dimensions(&d.info);
  const QSize sortie = TailleRedressee(QSize(int(d.info.output_width), int(d.info.output_height)), d.orientation);
  d.image = QImage(sortie, QImage::Format_RGB32);
  if (d.image.isNull()) {
    d.erreur.notre = messages::Memoire(chemin);
    return false;
  }
  jpeg_start_decompress(&d.info);
  LireLignes(d);
  jpeg_finish_decompress(&d.info);
  return true;
}

// Rows past the end of a sequential file are left out: the ground shows
// there, not the library's grey.
void LaisserLaFin(Decodage& d) {
  if (d.erreur.ligneFin < 0 || d.plusieursPasses) return;
  const int h = int(d.info.output_height), l = int(d.info.output_width);
  const int lue = int(d.erreur.ligneFin);
  if (lue >= h) return;
  d.image = d.image.convertToFormat(QImage::Format_ARGB32);
  const QRgb vide = qRgba(0, 0, 0, 0);
  const std::vector<QRgb> ligne(std::size_t(l), vide);
  for (int y = lue; y < h; ++y) PoserLigneRedressee(d.image, y, ligne.data(), QSize(l, h), d.orientation);
}

QString AvertissementJpeg(const ErreurJpeg& e, const QString& chemin) {
  if (e.ligneFin >= 0)
    return messages::Dire(QStringLiteral("L'image JPEG %1 est tronquée : seule la partie lue est montrée."), chemin);
  if (e.abimee)
    return messages::Dire(QStringLiteral("L'image JPEG %1 est abîmée : elle est montrée telle qu'elle a pu être lue."),
                          chemin);
  return {};
}

}  // namespace

ImageDecodee DecoderJpeg(const QString& chemin, const BesoinImage& besoin) {
  Fichier fichier(chemin);
  if (!fichier.f) return {QImage(), messages::NonOuvert(chemin), {}, {}};
  Decodage d;
  d.octets = QFileInfo(chemin).size();
  const bool lu = Decoder(d, fichier.f, chemin, besoin);
  if (!lu) {
    if (d.erreur.notre == QStringLiteral("trop de passes"))
      d.erreur.notre = messages::Dire(QStringLiteral("L'image JPEG %1 est abîmée : elle a trop de passes."), chemin);
    return {QImage(), EnFrancais(d.erreur, chemin), {}, d.naturelle};
  }
  LaisserLaFin(d);
  return {std::move(d.image), QString(), AvertissementJpeg(d.erreur, chemin), d.naturelle};
}

ImageDecodee DecoderJpeg(const QString& chemin, int diviseur) {
  BesoinImage besoin;
  besoin.diviseur = diviseur == 2 || diviseur == 4 ? diviseur : 1;
  return DecoderJpeg(chemin, besoin);
}

ImageDecodee DecoderJpeg(const QString& chemin, const std::function<int(QSize naturelle)>& choisir,
                         QSize* naturelle) {
  BesoinImage besoin;
  besoin.choisir = choisir;
  ImageDecodee d = DecoderJpeg(chemin, besoin);
  if (naturelle) *naturelle = d.naturelle;
  return d;
}

// libjpeg-turbo rounds the scaled size up.
QSize TailleReduite(QSize naturelle, int diviseur) {
  return {(naturelle.width() + diviseur - 1) / diviseur, (naturelle.height() + diviseur - 1) / diviseur};
}

QSize TailleJpeg(const QString& chemin) {
  Fichier fichier(chemin);
  if (!fichier.f) return {};
  Decodage d;
  if (setjmp(d.erreur.saut)) return {};
  LireEnTete(d, fichier.f);
  return d.naturelle;
}

}  // namespace plivor
