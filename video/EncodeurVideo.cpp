#include "video/EncodeurVideo.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/hwcontext.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include "video/SourcesSonores.h"

namespace plivor {

struct EncodeurVideo::Etat {
  AVFormatContext* format = nullptr;
  AVCodecContext* video = nullptr;
  AVCodecContext* audio = nullptr;
  AVStream* fluxVideo = nullptr;
  AVStream* fluxAudio = nullptr;
  SwsContext* sws = nullptr;
  AVFrame* image = nullptr;   // in the encoder's software format
  AVFrame* surface = nullptr;  // VA-API: the picture uploaded for the encoder
  AVBufferRef* materiel = nullptr;  // VA-API: the device
  AVFrame* son = nullptr;
  AVPacket* paquet = av_packet_alloc();
  bool fichierOuvert = false;
  bool enTete = false;
  bool dernierCourt = false;  // the encoder takes a short last frame
  QString avis;  // said once the file is started
  long long images = 0;
  long long trames = 0;  // audio frames sent to the encoder
  std::vector<float> attente;  // interleaved, less than one AAC frame
  ~Etat() {
    av_packet_free(&paquet);
    av_frame_free(&image);
    av_frame_free(&surface);
    av_frame_free(&son);
    av_buffer_unref(&materiel);
    sws_freeContext(sws);
    avcodec_free_context(&video);
    avcodec_free_context(&audio);
    if (format && fichierOuvert) avio_closep(&format->pb);
    avformat_free_context(format);
  }
  // Every packet the encoder has ready goes to the file.
  int Vider(AVCodecContext* codec, AVStream* flux) {
    while (true) {
      int r = avcodec_receive_packet(codec, paquet);
      if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return 0;
      if (r < 0) return r;
      av_packet_rescale_ts(paquet, codec->time_base, flux->time_base);
      paquet->stream_index = flux->index;
      r = av_interleaved_write_frame(format, paquet);
      if (r < 0) return r;
    }
  }
};

EncodeurVideo::EncodeurVideo(std::unique_ptr<Etat> etat) : e_(std::move(etat)) {}
QString EncodeurVideo::Avis() const { return e_->avis; }
EncodeurVideo::~EncodeurVideo() = default;

std::optional<Conteneur> ConteneurDuNom(const QString& chemin) {
  const QString suffixe = QFileInfo(chemin).suffix().toLower();
  if (suffixe == QLatin1String("mp4") || suffixe == QLatin1String("m4v")) return Conteneur::Mp4;
  if (suffixe == QLatin1String("mkv")) return Conteneur::Mkv;
  if (suffixe == QLatin1String("mov")) return Conteneur::Mov;
  if (suffixe == QLatin1String("webm")) return Conteneur::Webm;
  return std::nullopt;
}

QString RefusDuNom(const QString& chemin) {
  if (ConteneurDuNom(chemin)) return {};
  return QStringLiteral("Format de vidéo inconnu : « %1 ».\rPlivor écrit des vidéos .mp4, .mkv, .mov et .webm.")
      .arg(QFileInfo(chemin).fileName());
}

namespace {

struct Format {
  const char* muxer;
  const char* video;
  const char* audio;
  const char* noms;  // as said when an encoder is missing
};

Format FormatDe(Conteneur c) {
  switch (c) {
    case Conteneur::Mkv: return {"matroska", "libx264", "aac", "H.264 (libx264) ou AAC"};
    case Conteneur::Mov: return {"mov", "libx264", "aac", "H.264 (libx264) ou AAC"};
    case Conteneur::Webm: return {"webm", "libvpx-vp9", "libopus", "VP9 (libvpx) ou Opus (libopus)"};
    case Conteneur::Mp4: break;
  }
  return {"mp4", "libx264", "aac", "H.264 (libx264) ou AAC"};
}

void RegleH264(AVCodecContext* video, const ReglagesEncodage& r) {
  av_opt_set(video->priv_data, "preset", r.preset.toLatin1().constData(), 0);
  av_opt_set(video->priv_data, "profile", "high", 0);
  av_opt_set_double(video->priv_data, "crf", r.crf, 0);
  // Above 1080p the frames x264 holds ahead are most of the memory: two
  // threads on slices of one frame, with no look-ahead and no B-frames, keep
  // 2160p under half a gigabyte; a slide show's held pictures lose little.
  if (qint64(r.taille.width()) * r.taille.height() > 1920LL * 1080 * 3 / 2) {
    av_opt_set(video->priv_data, "x264-params", "sliced-threads=1:rc-lookahead=0:sync-lookahead=0:bframes=0", 0);
    video->thread_count = 2;
  }
}

// Constant quality, at a speed near libx264's fast presets.
void RegleVp9(AVCodecContext* video, const ReglagesEncodage& r) {
  video->bit_rate = 0;
  av_opt_set_int(video->priv_data, "crf", std::clamp(r.crf + 13, 4, 63), 0);
  av_opt_set(video->priv_data, "deadline", "good", 0);
  av_opt_set_int(video->priv_data, "cpu-used", 5, 0);
  av_opt_set_int(video->priv_data, "row-mt", 1, 0);
}

}  // namespace

namespace {

AVCodecContext* ContexteVideo(const AVCodec* codec, const ReglagesEncodage& r, AVPixelFormat format) {
  AVCodecContext* video = avcodec_alloc_context3(codec);
  video->width = r.taille.width();
  video->height = r.taille.height();
  video->pix_fmt = format;
  video->time_base = AVRational{1, r.ips};
  video->framerate = AVRational{r.ips, 1};
  video->gop_size = r.ips * 2;
  video->sample_aspect_ratio = AVRational{1, 1};
  video->color_range = AVCOL_RANGE_MPEG;
  video->colorspace = AVCOL_SPC_BT709;
  video->color_primaries = AVCOL_PRI_BT709;
  video->color_trc = AVCOL_TRC_BT709;
  return video;
}

}  // namespace

// NVENC takes the pictures as they are; VA-API from frames of its device.
// The first that opens is kept; none: nothing, the context freed.
const AVCodec* EncodeurVideo::OuvrirMateriel(Etat& e, const ReglagesEncodage& r) {
  if (const AVCodec* nvenc = avcodec_find_encoder_by_name("h264_nvenc")) {
    e.video = ContexteVideo(nvenc, r, AV_PIX_FMT_YUV420P);
    av_opt_set(e.video->priv_data, "preset", "p4", 0);
    av_opt_set(e.video->priv_data, "rc", "vbr", 0);
    av_opt_set_int(e.video->priv_data, "cq", r.crf + 5, 0);
    if ((e.format->oformat->flags & AVFMT_GLOBALHEADER)) e.video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(e.video, nvenc, nullptr) >= 0) return nvenc;
    avcodec_free_context(&e.video);
  }
  const AVCodec* vaapi = avcodec_find_encoder_by_name("h264_vaapi");
  if (!vaapi || av_hwdevice_ctx_create(&e.materiel, AV_HWDEVICE_TYPE_VAAPI, nullptr, nullptr, 0) < 0) return nullptr;
  e.video = ContexteVideo(vaapi, r, AV_PIX_FMT_VAAPI);
  av_opt_set_int(e.video->priv_data, "qp", r.crf + 4, 0);
  if ((e.format->oformat->flags & AVFMT_GLOBALHEADER)) e.video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  AVBufferRef* cadres = av_hwframe_ctx_alloc(e.materiel);
  if (cadres) {
    auto* c = reinterpret_cast<AVHWFramesContext*>(cadres->data);
    c->format = AV_PIX_FMT_VAAPI;
    c->sw_format = AV_PIX_FMT_NV12;
    c->width = r.taille.width();
    c->height = r.taille.height();
    c->initial_pool_size = 8;
    if (av_hwframe_ctx_init(cadres) >= 0) {
      e.video->hw_frames_ctx = av_buffer_ref(cadres);
      av_buffer_unref(&cadres);
      e.surface = av_frame_alloc();
      if (avcodec_open2(e.video, vaapi, nullptr) >= 0) return vaapi;
    }
    av_buffer_unref(&cadres);
  }
  avcodec_free_context(&e.video);
  av_frame_free(&e.surface);
  av_buffer_unref(&e.materiel);
  return nullptr;
}

std::unique_ptr<EncodeurVideo> EncodeurVideo::Ouvrir(const QString& chemin, const ReglagesEncodage& r, QString& erreur) {
  auto e = std::make_unique<Etat>();
  const QByteArray nom = QFile::encodeName(chemin);
  const Format f = FormatDe(r.conteneur);
  int code = avformat_alloc_output_context2(&e->format, nullptr, f.muxer, nom.constData());
  if (code < 0) {
    erreur = TexteAv(code);
    return nullptr;
  }
  const AVCodec* codecSon = avcodec_find_encoder_by_name(f.audio);
  const bool materiel = r.materiel && r.conteneur != Conteneur::Webm;
  const AVCodec* codecVideo = materiel ? OuvrirMateriel(*e, r) : nullptr;
  if (materiel && !codecVideo)
    e->avis = QStringLiteral("Aucun encodeur matériel H.264 utilisable (VA-API, NVENC) : la vidéo est encodée par le "
                             "processeur (libx264).");
  if (!codecVideo) {
    codecVideo = avcodec_find_encoder_by_name(f.video);
    if (codecVideo && codecSon) {
      e->video = ContexteVideo(codecVideo, r, AV_PIX_FMT_YUV420P);
      if (r.conteneur == Conteneur::Webm)
        RegleVp9(e->video, r);
      else
        RegleH264(e->video, r);
    }
  }
  if (!codecVideo || !codecSon) {
    erreur = QStringLiteral("encodeur %1 absent de libavcodec").arg(QLatin1String(f.noms));
    return nullptr;
  }
  e->audio = avcodec_alloc_context3(codecSon);
  e->audio->sample_rate = kFrequenceExport;
  // Planar where the encoder takes it (AAC), interleaved otherwise (libopus).
  e->audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
  if (r.conteneur == Conteneur::Webm) e->audio->sample_fmt = AV_SAMPLE_FMT_FLT;
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  av_channel_layout_copy(&e->audio->ch_layout, &stereo);
  e->audio->bit_rate = r.conteneur == Conteneur::Webm ? 160000 : 192000;
  e->audio->time_base = AVRational{1, kFrequenceExport};
  if (e->format->oformat->flags & AVFMT_GLOBALHEADER) {
    e->video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    e->audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  }
  if ((!avcodec_is_open(e->video) && (code = avcodec_open2(e->video, codecVideo, nullptr)) < 0) ||
      (code = avcodec_open2(e->audio, codecSon, nullptr)) < 0) {
    erreur = TexteAv(code);
    return nullptr;
  }
  e->dernierCourt = (codecSon->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) != 0;
  e->fluxVideo = avformat_new_stream(e->format, nullptr);
  e->fluxAudio = avformat_new_stream(e->format, nullptr);
  avcodec_parameters_from_context(e->fluxVideo->codecpar, e->video);
  avcodec_parameters_from_context(e->fluxAudio->codecpar, e->audio);
  e->fluxVideo->time_base = e->video->time_base;
  e->fluxVideo->avg_frame_rate = e->video->framerate;
  e->fluxAudio->time_base = e->audio->time_base;

  const AVPixelFormat logiciel = e->materiel ? AV_PIX_FMT_NV12 : e->video->pix_fmt;
  e->image = av_frame_alloc();
  e->image->format = logiciel;
  e->image->width = r.taille.width();
  e->image->height = r.taille.height();
  e->son = av_frame_alloc();
  e->son->format = e->audio->sample_fmt;
  e->son->nb_samples = e->audio->frame_size;
  e->son->sample_rate = kFrequenceExport;
  av_channel_layout_copy(&e->son->ch_layout, &stereo);
  if (av_frame_get_buffer(e->image, 0) < 0 || av_frame_get_buffer(e->son, 0) < 0) {
    erreur = QStringLiteral("mémoire insuffisante");
    return nullptr;
  }
  e->sws = sws_getContext(r.taille.width(), r.taille.height(), AV_PIX_FMT_BGRA, r.taille.width(), r.taille.height(),
                          logiciel, SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!e->sws) {
    erreur = QStringLiteral("conversion des couleurs impossible");
    return nullptr;
  }
  // Full-range RGB to the BT.709 studio range the stream is tagged with.
  sws_setColorspaceDetails(e->sws, sws_getCoefficients(SWS_CS_ITU709), 1, sws_getCoefficients(SWS_CS_ITU709), 0, 0,
                           1 << 16, 1 << 16);

  if ((code = avio_open(&e->format->pb, nom.constData(), AVIO_FLAG_WRITE)) < 0) {
    erreur = TexteAv(code);
    return nullptr;
  }
  e->fichierOuvert = true;
  AVDictionary* options = nullptr;
  if (r.conteneur == Conteneur::Mp4 || r.conteneur == Conteneur::Mov)
    av_dict_set(&options, "movflags", "+faststart", 0);
  // The streams are fed in step: wait for both before writing.
  av_opt_set_int(e->format, "max_interleave_delta", 0, 0);
  code = avformat_write_header(e->format, &options);
  av_dict_free(&options);
  if (code < 0) {
    erreur = TexteAv(code);
    return nullptr;
  }
  e->enTete = true;
  return std::unique_ptr<EncodeurVideo>(new EncodeurVideo(std::move(e)));
}

bool EncodeurVideo::Image(const QImage& image, bool identique) {
  if (!identique || e_->images == 0) {
    if (av_frame_make_writable(e_->image) < 0) return false;
    const uint8_t* source[1] = {image.constBits()};
    const int pas[1] = {int(image.bytesPerLine())};
    sws_scale(e_->sws, source, pas, 0, image.height(), e_->image->data, e_->image->linesize);
  }
  AVFrame* envoi = e_->image;
  if (e_->materiel) {
    // The encoder reads the picture from the device's memory.
    av_frame_unref(e_->surface);
    if (av_hwframe_get_buffer(e_->video->hw_frames_ctx, e_->surface, 0) < 0 ||
        av_hwframe_transfer_data(e_->surface, e_->image, 0) < 0) {
      erreur_ = QStringLiteral("envoi de l'image à l'encodeur matériel impossible");
      return false;
    }
    envoi = e_->surface;
  }
  envoi->pts = e_->images++;
  int r = avcodec_send_frame(e_->video, envoi);
  if (r >= 0) r = e_->Vider(e_->video, e_->fluxVideo);
  if (r < 0) erreur_ = TexteAv(r);
  return r >= 0;
}

bool EncodeurVideo::Son(const float* echantillons, long long trames) {
  e_->attente.insert(e_->attente.end(), echantillons, echantillons + trames * 2);
  const size_t bloc = size_t(e_->audio->frame_size) * 2;
  while (e_->attente.size() >= bloc)
    if (!EnvoyerSon(false)) return false;
  return true;
}

// One AAC frame from the waiting samples; the last one padded with silence.
bool EncodeurVideo::EnvoyerSon(bool dernier) {
  const int taille = e_->audio->frame_size;
  const int presentes = int(std::min<size_t>(e_->attente.size() / 2, size_t(taille)));
  if (av_frame_make_writable(e_->son) < 0) return false;
  const bool plan = e_->son->format == AV_SAMPLE_FMT_FLTP;
  auto* gauche = reinterpret_cast<float*>(e_->son->data[0]);
  auto* droite = plan ? reinterpret_cast<float*>(e_->son->data[1]) : gauche + 1;
  const size_t pas = plan ? 1 : 2;
  for (int i = 0; i < taille; ++i) {
    const bool la = i < presentes;
    gauche[size_t(i) * pas] = la ? std::clamp(e_->attente[size_t(i) * 2], -1.0f, 1.0f) : 0.0f;
    droite[size_t(i) * pas] = la ? std::clamp(e_->attente[size_t(i) * 2 + 1], -1.0f, 1.0f) : 0.0f;
  }
  e_->attente.erase(e_->attente.begin(), e_->attente.begin() + presentes * 2);
  // An encoder that wants whole frames gets the last one padded with silence.
  e_->son->nb_samples = dernier && e_->dernierCourt ? presentes : taille;
  e_->son->pts = e_->trames;
  e_->trames += presentes;
  int r = avcodec_send_frame(e_->audio, e_->son);
  e_->son->nb_samples = taille;
  if (r >= 0) r = e_->Vider(e_->audio, e_->fluxAudio);
  if (r < 0) erreur_ = TexteAv(r);
  return r >= 0;
}

bool EncodeurVideo::Terminer(QString& erreur) {
  bool bon = true;
  if (!e_->attente.empty()) bon = EnvoyerSon(true);
  int r = avcodec_send_frame(e_->video, nullptr);
  if (r >= 0) r = e_->Vider(e_->video, e_->fluxVideo);
  if (r >= 0) r = avcodec_send_frame(e_->audio, nullptr);
  if (r >= 0) r = e_->Vider(e_->audio, e_->fluxAudio);
  if (r >= 0) r = av_write_trailer(e_->format);
  if (r >= 0 && e_->fichierOuvert) {
    r = avio_closep(&e_->format->pb);
    e_->fichierOuvert = false;
  }
  if (r < 0) erreur_ = TexteAv(r);
  bon = bon && r >= 0;
  if (!bon) erreur = erreur_;
  return bon;
}

}  // namespace plivor
