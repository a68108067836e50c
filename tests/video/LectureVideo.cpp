#include "video/LectureVideo.h"

#include <QFile>
#include <algorithm>
#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace plivor::test {

namespace {

struct Fichier {
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  AVPacket* paquet = av_packet_alloc();
  AVFrame* trame = av_frame_alloc();
  int flux = -1;
  Fichier(const QString& chemin, AVMediaType type) {
    if (avformat_open_input(&format, QFile::encodeName(chemin).constData(), nullptr, nullptr) < 0) return;
    avformat_find_stream_info(format, nullptr);
    const AVCodec* decodeur = nullptr;
    flux = av_find_best_stream(format, type, -1, -1, &decodeur, 0);
    if (flux < 0) return;
    codec = avcodec_alloc_context3(decodeur);
    avcodec_parameters_to_context(codec, format->streams[flux]->codecpar);
    avcodec_open2(codec, decodeur, nullptr);
  }
  ~Fichier() {
    av_frame_free(&trame);
    av_packet_free(&paquet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
  }
  // Calls `recevoir` with each decoded frame until it returns false.
  template <typename F>
  void Decoder(F recevoir) {
    if (!codec) return;
    bool encore = true;
    const auto vider = [&] {
      while (encore && avcodec_receive_frame(codec, trame) >= 0) {
        encore = recevoir(trame);
        av_frame_unref(trame);
      }
    };
    while (encore && av_read_frame(format, paquet) >= 0) {
      if (paquet->stream_index == flux) avcodec_send_packet(codec, paquet);
      av_packet_unref(paquet);
      vider();
    }
    avcodec_send_packet(codec, nullptr);
    vider();
  }
  double Secondes(int64_t pts) const { return pts * av_q2d(format->streams[flux]->time_base); }
};

QImage VersImage(const AVFrame* trame) {
  QImage image(trame->width, trame->height, QImage::Format_RGB32);
  SwsContext* sws = sws_getContext(trame->width, trame->height, AVPixelFormat(trame->format), trame->width,
                                   trame->height, AV_PIX_FMT_BGRA, SWS_BICUBIC, nullptr, nullptr, nullptr);
  const int espace = trame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT;
  sws_setColorspaceDetails(sws, sws_getCoefficients(espace), trame->color_range == AVCOL_RANGE_JPEG,
                           sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
  uint8_t* cible[1] = {image.bits()};
  const int pas[1] = {int(image.bytesPerLine())};
  sws_scale(sws, trame->data, trame->linesize, 0, trame->height, cible, pas);
  sws_freeContext(sws);
  return image;
}

}  // namespace

FaitsVideo LireFaits(const QString& chemin) {
  FaitsVideo f;
  {
    Fichier v(chemin, AVMEDIA_TYPE_VIDEO);
    if (!v.codec) return f;
    const AVStream* s = v.format->streams[v.flux];
    f.conteneur = QString::fromLatin1(v.format->iformat->name);
    f.codecVideo = QString::fromLatin1(avcodec_get_name(s->codecpar->codec_id));
    f.formatPixels = QString::fromLatin1(av_get_pix_fmt_name(AVPixelFormat(s->codecpar->format)));
    f.largeur = s->codecpar->width;
    f.hauteur = s->codecpar->height;
    f.ips = av_q2d(s->avg_frame_rate);
    f.dureeVideo = s->duration * av_q2d(s->time_base);
    v.Decoder([&f](const AVFrame*) {
      ++f.images;
      return true;
    });
  }
  {
    Fichier a(chemin, AVMEDIA_TYPE_AUDIO);
    if (a.flux >= 0) {
      const AVStream* s = a.format->streams[a.flux];
      f.codecAudio = QString::fromLatin1(avcodec_get_name(s->codecpar->codec_id));
      f.frequence = s->codecpar->sample_rate;
      f.canaux = s->codecpar->ch_layout.nb_channels;
      f.dureeAudio = s->duration * av_q2d(s->time_base);
    }
  }
  QFile fichier(chemin);
  if (fichier.open(QIODevice::ReadOnly)) {
    const QByteArray octets = fichier.readAll();
    const qsizetype moov = octets.indexOf("moov"), mdat = octets.indexOf("mdat");
    f.indexEnTete = moov >= 0 && mdat >= 0 && moov < mdat;
    f.entete = octets.left(64);
  }
  return f;
}

QImage ImageA(const QString& chemin, double secondes) {
  Fichier v(chemin, AVMEDIA_TYPE_VIDEO);
  QImage image;
  // The frame times are exact multiples of the frame period: a frame at
  // exactly `secondes` is the one shown.
  v.Decoder([&](const AVFrame* trame) {
    if (v.Secondes(trame->best_effort_timestamp) > secondes + 1e-6) return false;
    image = VersImage(trame);
    return true;
  });
  return image;
}

std::vector<float> SonGauche(const QString& chemin) {
  Fichier a(chemin, AVMEDIA_TYPE_AUDIO);
  std::vector<float> gauche;
  a.Decoder([&](const AVFrame* trame) {
    const bool plan = av_sample_fmt_is_planar(AVSampleFormat(trame->format));
    if (AVSampleFormat(trame->format) != AV_SAMPLE_FMT_FLTP && AVSampleFormat(trame->format) != AV_SAMPLE_FMT_FLT)
      return true;
    const auto* s = reinterpret_cast<const float*>(trame->data[0]);
    const int pas = plan ? 1 : trame->ch_layout.nb_channels;
    for (int i = 0; i < trame->nb_samples; ++i) gauche.push_back(s[i * pas]);
    return true;
  });
  return gauche;
}

double Psnr(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) return 0;
  double somme = 0;
  long long n = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      const int dr = qRed(la[x]) - qRed(lb[x]), dg = qGreen(la[x]) - qGreen(lb[x]), db = qBlue(la[x]) - qBlue(lb[x]);
      somme += dr * dr + dg * dg + db * db;
      n += 3;
    }
  }
  if (somme == 0) return 99;
  return 10 * std::log10(255.0 * 255.0 / (somme / double(n)));
}

namespace {

// Sum of absolute differences of `petite` at `ou` in `grande`, every `pas`
// pixels, given up past `plafond`.
long long Ecart(const QImage& grande, const QImage& petite, QPoint ou, int pas, long long plafond) {
  long long ecart = 0;
  for (int y = pas / 2; y < petite.height() && (plafond < 0 || ecart < plafond); y += pas) {
    const auto* p = reinterpret_cast<const QRgb*>(petite.constScanLine(y));
    const auto* g = reinterpret_cast<const QRgb*>(grande.constScanLine(y + ou.y())) + ou.x();
    for (int x = pas / 2; x < petite.width(); x += pas)
      ecart += std::abs(qRed(p[x]) - qRed(g[x])) + std::abs(qGreen(p[x]) - qGreen(g[x])) +
               std::abs(qBlue(p[x]) - qBlue(g[x]));
  }
  return ecart;
}

QPoint Meilleure(const QImage& grande, const QImage& petite, QRect zone, int pas) {
  QPoint meilleure = zone.topLeft();
  long long moindre = -1;
  for (int dy = zone.top(); dy <= zone.bottom(); ++dy)
    for (int dx = zone.left(); dx <= zone.right(); ++dx) {
      const long long e = Ecart(grande, petite, QPoint(dx, dy), pas, moindre);
      if (moindre < 0 || e < moindre) {
        moindre = e;
        meilleure = QPoint(dx, dy);
      }
    }
  return meilleure;
}

}  // namespace

QPoint Position(const QImage& grande, const QImage& petite) {
  // Coarse over every offset, then every pixel around the best one.
  const QRect toutes(0, 0, grande.width() - petite.width() + 1, grande.height() - petite.height() + 1);
  const QPoint approchee = Meilleure(grande, petite, toutes, 16);
  return Meilleure(grande, petite, QRect(approchee - QPoint(16, 16), QSize(33, 33)) & toutes, 1);
}

double FrequenceDe(const std::vector<float>& s, size_t debut, size_t n) {
  // Interpolated zero crossings upward: the first and last bound whole periods.
  double premier = -1, dernier = -1;
  int periodes = -1;
  for (size_t i = debut + 1; i < std::min(s.size(), debut + n); ++i)
    if (s[i - 1] < 0 && s[i] >= 0) {
      const double t = double(i - 1) + s[i - 1] / (s[i - 1] - s[i]);
      if (premier < 0) premier = t;
      dernier = t;
      ++periodes;
    }
  if (periodes <= 0) return 0;
  return periodes * 48000.0 / (dernier - premier);
}

size_t Debut(const std::vector<float>& s, float seuil, size_t depuis) {
  for (size_t i = depuis; i < s.size(); ++i)
    if (std::abs(s[i]) > seuil) return i;
  return s.size();
}

float Crete(const std::vector<float>& s, size_t debut, size_t n) {
  float c = 0;
  for (size_t i = debut; i < std::min(s.size(), debut + n); ++i) c = std::max(c, std::abs(s[i]));
  return c;
}

}  // namespace plivor::test
