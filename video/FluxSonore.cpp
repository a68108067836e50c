// A sampled sound file read as it is heard: FFmpeg decodes a little ahead
// of what the mix reads and keeps a little behind it, so that memory does
// not grow with the sound's length and opening a long file is immediate.
// A start far ahead skips the packets before it unread, counting where it
// is from their timestamps, which a file read in order gives exactly.

#include <QFile>
#include <algorithm>
#include <mutex>
#include <numeric>

#include "video/SourcesSonores.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/intreadwrite.h>
#include <libswresample/swresample.h>
}

namespace plivor {

namespace {

// Telephone sound to studio masters.
constexpr int kFrequenceMinimale = 4000;
constexpr int kFrequenceMaximale = 768000;

// Frames kept behind the last read: a resume a few milliseconds back (a
// position rounded to the millisecond) needs no seek.
constexpr long long kHistoire = 16384;
// Further than this ahead, or anywhere behind the history, the file is sought.
constexpr long long kAvanceSansRecherche = 5 * kFrequenceExport;
// Decoded before a sought start, so that the decoder's state (a bit
// reservoir, a window's overlap, a predictor) is what it would have been.
constexpr long long kPrelecture = kFrequenceExport / 4;
// Longer than any sound a show plays: a length or a timestamp past it is
// the file's mistake, not a sound.
constexpr long long kJour = 24LL * 3600;

class SonEnFlux : public Pcm {
 public:
  SonEnFlux(QByteArray nom, int frequence) : Pcm(frequence), nom_(std::move(nom)) {}
  ~SonEnFlux() override { Fermer(); }

  // Empty on success, else why the file is refused.
  QString Ouvrir(bool existe);
  long long Trames() const override { return trames_; }
  void Preparer(long long debut) const override {
    const std::lock_guard garde(verrou_);
    Aller(debut);
    Remplir(debut, debut + 4096);
  }
  void Lire(long long debut, long long n, float* sortie) const override;

 private:
  QString Initialiser(bool existe) const;
  void Fermer() const;
  long long LongueurDesPaquets() const;
  long long LongueurDecodee() const;
  void Aller(long long debut) const;
  void Chercher(long long debut) const;
  void Recommencer() const;
  bool SauterJusqua(long long debut) const;
  void Origine() const;
  void Compter(int64_t pts, int echantillons) const;
  void Remplir(long long debut, long long jusqua) const;
  QString Rouvrir(bool existe) const;
  bool DecoderUnPaquet() const;
  bool Recevoir() const;
  void Convertir(const AVFrame* trame) const;
  bool Accorder(int format, int hz, const AVChannelLayout& canaux) const;
  void Situer(int64_t pts) const;
  void Garder(long long depuis) const;
  long long Fin() const { return base_ + static_cast<long long>(tampon_.size() / 2); }

  QByteArray nom_;
  long long trames_ = 0;
  // The mix reads on the sound device's thread while a new start is made
  // ready on the program's: the same file may be both.
  mutable std::mutex verrou_;
  mutable AVFormatContext* format_ = nullptr;
  mutable AVCodecContext* codec_ = nullptr;
  mutable SwrContext* swr_ = nullptr;
  mutable AVPacket* paquet_ = nullptr;
  mutable AVFrame* trame_ = nullptr;
  mutable int flux_ = -1;
  mutable bool mono_ = false;
  mutable bool pret_ = false;             // open, and its decoder with it
  mutable bool fini_ = false;             // the decoder gave its last frame
  mutable bool baseInconnue_ = false;     // after a seek, until a frame says where it is
  mutable int64_t origine_ = AV_NOPTS_VALUE;  // timestamp of the first sample heard
  mutable int aJeter_ = 0;  // samples of the file not to convert, after a seek
  // Frames and samples the decoder gave since the file's start, until the
  // origin is known.
  mutable int recues_ = 0;
  mutable long long entendues_ = 0;
  mutable std::vector<float> tampon_;     // decoded frames from base_, left then right
  mutable long long base_ = 0;
  mutable std::vector<float> converties_;
  mutable std::vector<const uint8_t*> plans_;  // where a frame's samples start, plane by plane
  mutable int formatSwr_ = 0, hzSwr_ = 0, canauxSwr_ = 0;  // what the resampler takes
};

QString Dire(const QString& notre, int code) {
  return notre + QStringLiteral(" (FFmpeg : ") + TexteAv(code) + QStringLiteral(")");
}

// The resampler set for what comes in; true when it is ready for it.
bool SonEnFlux::Accorder(int format, int hz, const AVChannelLayout& canaux) const {
  if (swr_ && format == formatSwr_ && hz == hzSwr_ && canaux.nb_channels == canauxSwr_) return true;
  swr_free(&swr_);
  formatSwr_ = hzSwr_ = canauxSwr_ = 0;
  if (hz < kFrequenceMinimale || hz > kFrequenceMaximale || canaux.nb_channels <= 0) return false;
  AVChannelLayout entree{};
  if (canaux.order == AV_CHANNEL_ORDER_UNSPEC)
    av_channel_layout_default(&entree, canaux.nb_channels);
  else if (av_channel_layout_copy(&entree, &canaux) < 0)
    return false;
  // A mono sound plays at its full level on both sides: resampled alone,
  // then doubled (a mix to stereo would lower it 3 dB).
  mono_ = canaux.nb_channels == 1;
  AVChannelLayout sortie{};
  av_channel_layout_default(&sortie, mono_ ? 1 : 2);
  const int r = swr_alloc_set_opts2(&swr_, &sortie, AV_SAMPLE_FMT_FLT, frequence, &entree, AVSampleFormat(format), hz,
                                    0, nullptr);
  av_channel_layout_uninit(&entree);
  if (r < 0 || swr_init(swr_) < 0) {
    swr_free(&swr_);
    return false;
  }
  formatSwr_ = format, hzSwr_ = hz, canauxSwr_ = canaux.nb_channels;
  return true;
}

QString SonEnFlux::Initialiser(bool existe) const {
  Fermer();
  paquet_ = av_packet_alloc();
  trame_ = av_frame_alloc();
  if (const int r = avformat_open_input(&format_, nom_.constData(), nullptr, nullptr); r < 0)
    return Dire(existe ? QStringLiteral("fichier son illisible") : QStringLiteral("fichier introuvable"), r);
  if (const int r = avformat_find_stream_info(format_, nullptr); r < 0)
    return Dire(QStringLiteral("fichier son illisible"), r);
  const AVCodec* decodeur = nullptr;
  flux_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &decodeur, 0);
  if (flux_ < 0 || !decodeur) {
    // A sound stream FFmpeg would not take, for want of channels, is said so.
    bool sansCanal = false;
    for (unsigned i = 0; i < format_->nb_streams; ++i)
      sansCanal = sansCanal || (format_->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO &&
                                format_->streams[i]->codecpar->ch_layout.nb_channels <= 0);
    return sansCanal ? QStringLiteral("fichier son abîmé : il n'a aucun canal") : QStringLiteral("aucun son dans ce fichier");
  }
  const AVCodecParameters* parametres = format_->streams[flux_]->codecpar;
  if (parametres->ch_layout.nb_channels <= 0) return QStringLiteral("fichier son abîmé : il n'a aucun canal");
  if (parametres->sample_rate <= 0) return QStringLiteral("fichier son abîmé : sa fréquence est nulle");
  // A few bytes at 1 Hz would be hours once brought to the mixer's rate.
  if (parametres->sample_rate < kFrequenceMinimale || parametres->sample_rate > kFrequenceMaximale)
    return QStringLiteral("fichier son abîmé : sa fréquence de %1 Hz n'est pas celle d'un son").arg(parametres->sample_rate);
  codec_ = avcodec_alloc_context3(decodeur);
  avcodec_parameters_to_context(codec_, parametres);
  // Its timestamps move past what the decoder drops (an encoder's delay,
  // which some decoders drop from whatever packet comes first).
  codec_->pkt_timebase = format_->streams[flux_]->time_base;
  if (const int r = avcodec_open2(codec_, decodeur, nullptr); r < 0)
    return Dire(QStringLiteral("son d'une sorte que Plivor ne sait pas lire"), r);
  if (!Accorder(codec_->sample_fmt, codec_->sample_rate, codec_->ch_layout))
    return QStringLiteral("conversion impossible vers %1 Hz").arg(frequence);
  tampon_.clear();
  base_ = 0;
  fini_ = false;
  baseInconnue_ = false;
  aJeter_ = 0;
  recues_ = 0;
  entendues_ = 0;
  return {};
}

void SonEnFlux::Fermer() const {
  av_frame_free(&trame_);
  av_packet_free(&paquet_);
  swr_free(&swr_);
  avcodec_free_context(&codec_);
  avformat_close_input(&format_);
}

// The length the packets give, less what the file says its decoder drops
// at the start and the end; nothing when a packet does not say its length.
long long SonEnFlux::LongueurDesPaquets() const {
  const AVStream* s = format_->streams[flux_];
  const int hz = codec_->sample_rate;
  long long echantillons = 0;
  while (av_read_frame(format_, paquet_) >= 0) {
    if (paquet_->stream_index == flux_) {
      if (paquet_->duration <= 0) {
        av_packet_unref(paquet_);
        return 0;
      }
      echantillons += av_rescale_q(paquet_->duration, s->time_base, AVRational{1, hz});
      size_t taille = 0;
      if (const uint8_t* saut = av_packet_get_side_data(paquet_, AV_PKT_DATA_SKIP_SAMPLES, &taille); saut && taille >= 8)
        echantillons -= static_cast<long long>(AV_RL32(saut)) + AV_RL32(saut + 4);
      if (echantillons > kJour * hz || echantillons < -kJour * hz) {
        av_packet_unref(paquet_);
        return 0;
      }
    }
    av_packet_unref(paquet_);
  }
  return av_rescale(std::max(0LL, echantillons), frequence, hz);
}

// The length as the decoder gives it, frame by frame, nothing kept.
long long SonEnFlux::LongueurDecodee() const {
  long long trames = 0;
  while (!fini_) {
    DecoderUnPaquet();
    trames = Fin();
    Garder(Fin());
  }
  return trames;
}

QString SonEnFlux::Ouvrir(bool existe) {
  if (QString erreur = Rouvrir(existe); !erreur.isEmpty()) return erreur;
  trames_ = LongueurDesPaquets();
  if (QString erreur = Rouvrir(existe); !erreur.isEmpty()) return erreur;
  if (trames_ <= 0) {
    trames_ = LongueurDecodee();
    if (QString erreur = Rouvrir(existe); !erreur.isEmpty()) return erreur;
  }
  if (trames_ <= 0) return QStringLiteral("aucun son décodé");
  Origine();
  return {};
}

// Where the file's first heard sample stands in its own timestamps. The
// decoder may drop an encoder's delay, whole frames of it and part of the
// next, without moving that frame's timestamp: the second frame heard, less
// the samples heard before it, says it.
void SonEnFlux::Origine() const {
  while (!fini_ && recues_ < 2) DecoderUnPaquet();
}

void SonEnFlux::Compter(int64_t pts, int echantillons) const {
  const int64_t avant = av_rescale_q(entendues_, AVRational{1, codec_->sample_rate}, format_->streams[flux_]->time_base);
  int64_t origine = 0;
  if (recues_ == 1 && pts != AV_NOPTS_VALUE && !__builtin_sub_overflow(pts, avant, &origine)) origine_ = origine;
  entendues_ += echantillons;
  ++recues_;
}

void SonEnFlux::Convertir(const AVFrame* trame) const {
  // A stream may change its channels or its rate on the way (files joined
  // end to end): each frame is converted as it is.
  if (trame && !Accorder(trame->format, trame->sample_rate, trame->ch_layout)) return;
  if (!swr_) return;
  int entree = trame ? trame->nb_samples : 0;
  const bool plan = trame && av_sample_fmt_is_planar(AVSampleFormat(trame->format));
  if (trame) plans_.assign(trame->extended_data, trame->extended_data + (plan ? trame->ch_layout.nb_channels : 1));
  if (trame && aJeter_ > 0) {
    const int jetes = std::min(aJeter_, entree);
    const int octets = av_get_bytes_per_sample(AVSampleFormat(trame->format)) * (plan ? 1 : trame->ch_layout.nb_channels);
    for (const uint8_t*& p : plans_) p += size_t(jetes) * size_t(octets);
    entree -= jetes;
    aJeter_ -= jetes;
    if (entree == 0) return;
  }
  const int place = swr_get_out_samples(swr_, entree);
  if (place <= 0) return;
  converties_.resize(size_t(place) * (mono_ ? 1 : 2));
  uint8_t* sortie = reinterpret_cast<uint8_t*>(converties_.data());
  const int faites = swr_convert(swr_, &sortie, place, trame ? plans_.data() : nullptr, entree);
  if (faites <= 0) return;
  if (!mono_) {
    tampon_.insert(tampon_.end(), converties_.begin(), converties_.begin() + faites * 2);
    return;
  }
  for (int i = 0; i < faites; ++i) tampon_.insert(tampon_.end(), 2, converties_[size_t(i)]);
}

// Where the first frame after a seek falls. The resampler starts again
// there, so it starts on a sample of the file that falls on one of the
// mix's, as the reading from the start does: the samples before it are
// not converted. Else every sample would be shifted by a fraction.
void SonEnFlux::Situer(int64_t pts) const {
  if (pts == AV_NOPTS_VALUE || origine_ == AV_NOPTS_VALUE) {
    base_ = -1;
    return;
  }
  const int hz = codec_->sample_rate;
  int64_t ecart = 0;
  const long long k0 = __builtin_sub_overflow(pts, origine_, &ecart)
                           ? -1
                           : av_rescale_q(ecart, format_->streams[flux_]->time_base, AVRational{1, hz});
  const long long commun = std::gcd(hz, frequence), pas = hz / commun;
  if (k0 < 0 || k0 > kJour * hz) {
    base_ = -1;
    return;
  }
  const long long k = (k0 + pas - 1) / pas * pas;
  aJeter_ = int(k - k0);
  base_ = k / pas * (frequence / commun);
}

bool SonEnFlux::Recevoir() const {
  bool recue = false;
  while (avcodec_receive_frame(codec_, trame_) == 0) {
    if (baseInconnue_) {
      // After a seek the first frame says where the decoder is.
      Situer(trame_->best_effort_timestamp);
      baseInconnue_ = false;
      recues_ = 2;
    } else if (recues_ < 2) {
      Compter(trame_->best_effort_timestamp, trame_->nb_samples);
    }
    Convertir(trame_);
    av_frame_unref(trame_);
    recue = true;
  }
  return recue;
}

// False once the decoder has given all it had.
bool SonEnFlux::DecoderUnPaquet() const {
  if (fini_) return false;
  while (true) {
    if (av_read_frame(format_, paquet_) < 0) {
      avcodec_send_packet(codec_, nullptr);
      Recevoir();
      Convertir(nullptr);
      fini_ = true;
      return false;
    }
    const bool notre = paquet_->stream_index == flux_;
    // A damaged packet is passed over, as a player would.
    if (notre) avcodec_send_packet(codec_, paquet_);
    av_packet_unref(paquet_);
    if (notre && Recevoir()) return true;
  }
}

void SonEnFlux::Garder(long long depuis) const {
  const long long garde = std::max(base_, depuis - kHistoire);
  const long long enTrop = std::min(garde, Fin()) - base_;
  // Dropped in large steps, so that a read rarely moves the buffer.
  if (enTrop < kHistoire) return;
  tampon_.erase(tampon_.begin(), tampon_.begin() + enTrop * 2);
  base_ += enTrop;
}

// Decoded up to `jusqua`, what lies before `debut` dropped as it goes.
void SonEnFlux::Remplir(long long debut, long long jusqua) const {
  while (pret_ && Fin() < jusqua && !fini_) {
    DecoderUnPaquet();
    Garder(debut);
  }
}

QString SonEnFlux::Rouvrir(bool existe) const {
  QString erreur = Initialiser(existe);
  pret_ = erreur.isEmpty();
  if (!pret_) Fermer();
  return erreur;
}

// From the file's start again; a file gone meanwhile is silent from here.
void SonEnFlux::Recommencer() const { Rouvrir(true); }

// From the file's start, the packets before `debut` (less the decoder's
// lead-in) read and passed over; false when their timestamps do not say
// where they are, or the decoder would not say where it landed.
bool SonEnFlux::SauterJusqua(long long debut) const {
  Recommencer();
  if (!pret_ || origine_ == AV_NOPTS_VALUE) return false;
  const AVRational base = format_->streams[flux_]->time_base;
  int64_t cible = 0;
  if (debut > kJour * frequence ||
      __builtin_add_overflow(origine_, av_rescale_q(debut - kPrelecture, AVRational{1, frequence}, base), &cible))
    return false;
  while (true) {
    if (av_read_frame(format_, paquet_) < 0) {
      // Past the end: nothing more to hear.
      tampon_.clear();
      base_ = debut;
      fini_ = true;
      return true;
    }
    if (paquet_->stream_index != flux_) {
      av_packet_unref(paquet_);
      continue;
    }
    if (paquet_->pts == AV_NOPTS_VALUE || paquet_->duration <= 0) {
      av_packet_unref(paquet_);
      return false;
    }
    int64_t fin = 0;
    if (__builtin_add_overflow(paquet_->pts, paquet_->duration, &fin) || fin >= cible) break;
    av_packet_unref(paquet_);
  }
  tampon_.clear();
  baseInconnue_ = true;
  avcodec_send_packet(codec_, paquet_);
  av_packet_unref(paquet_);
  while (baseInconnue_ && !Recevoir() && DecoderUnPaquet()) {
  }
  return !baseInconnue_ && base_ >= 0 && base_ <= debut;
}

void SonEnFlux::Chercher(long long debut) const {
  if (debut > kAvanceSansRecherche && SauterJusqua(debut)) return;
  // Else from the start, decoded up to the frame as it is read.
  Recommencer();
}

void SonEnFlux::Aller(long long debut) const {
  if (!pret_) return;
  if (debut >= base_ && debut <= Fin() + kAvanceSansRecherche) return;
  Chercher(debut);
}

void SonEnFlux::Lire(long long debut, long long n, float* sortie) const {
  const std::lock_guard garde(verrou_);
  Aller(debut);
  Remplir(debut, debut + n);
  const long long de = std::max(debut, base_), a = std::min(debut + n, Fin());
  std::fill(sortie, sortie + n * 2, 0.0f);
  if (a > de) std::copy_n(tampon_.data() + (de - base_) * 2, (a - de) * 2, sortie + (de - debut) * 2);
  Garder(debut + n);
}

}  // namespace

std::shared_ptr<const Pcm> DecoderSon(const QString& chemin, QString& erreur, int frequence) {
  auto son = std::make_shared<SonEnFlux>(QFile::encodeName(chemin), frequence);
  erreur = son->Ouvrir(QFile::exists(chemin));
  if (!erreur.isEmpty()) return nullptr;
  return son;
}

}  // namespace plivor
