#include "video/SourcesSonores.h"

#include <fluidsynth.h>

#include "platform/MidiRiff.h"

#include <QFile>
#include <algorithm>
#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace plivor {

QString TexteAv(int code) {
  char tampon[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, tampon, sizeof tampon);
  return QString::fromUtf8(tampon);
}

namespace {

// Telephone sound to studio masters.
constexpr int kFrequenceMinimale = 4000;
constexpr int kFrequenceMaximale = 768000;

struct Decodage {
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  SwrContext* swr = nullptr;
  AVPacket* paquet = av_packet_alloc();
  AVFrame* trame = av_frame_alloc();
  bool mono = false;
  std::vector<float> tampon;
  ~Decodage() {
    av_frame_free(&trame);
    av_packet_free(&paquet);
    swr_free(&swr);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
  }
};

// Converts what the decoder gave (or flushes the resampler with nothing).
bool Convertir(Decodage& d, const AVFrame* trame, PcmMemoire& pcm) {
  const int entree = trame ? trame->nb_samples : 0;
  const int place = swr_get_out_samples(d.swr, entree);
  if (place <= 0) return true;
  const size_t canaux = d.mono ? 1 : 2;
  d.tampon.resize(size_t(place) * canaux);
  uint8_t* sortie = reinterpret_cast<uint8_t*>(d.tampon.data());
  const int faites = swr_convert(d.swr, &sortie, place, trame ? const_cast<const uint8_t**>(trame->extended_data) : nullptr,
                                 entree);
  if (faites < 0) return false;
  if (!d.mono) {
    pcm.echantillons.insert(pcm.echantillons.end(), d.tampon.begin(), d.tampon.begin() + faites * 2);
    return true;
  }
  for (int i = 0; i < faites; ++i) {
    pcm.echantillons.push_back(d.tampon[size_t(i)]);
    pcm.echantillons.push_back(d.tampon[size_t(i)]);
  }
  return true;
}

bool Recevoir(Decodage& d, PcmMemoire& pcm) {
  while (true) {
    const int r = avcodec_receive_frame(d.codec, d.trame);
    if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
    if (r < 0) return false;
    const bool bon = Convertir(d, d.trame, pcm);
    av_frame_unref(d.trame);
    if (!bon) return false;
  }
}

}  // namespace

std::shared_ptr<const Pcm> DecoderSon(const QString& chemin, QString& erreur, int frequence) {
  Decodage d;
  const QByteArray nom = QFile::encodeName(chemin);
  // FFmpeg's own words follow ours, in brackets.
  const auto dire = [&erreur](const QString& notre, int code) {
    erreur = notre + QStringLiteral(" (FFmpeg : ") + TexteAv(code) + QStringLiteral(")");
  };
  if (const int r = avformat_open_input(&d.format, nom.constData(), nullptr, nullptr); r < 0) {
    dire(QFile::exists(chemin) ? QStringLiteral("fichier son illisible") : QStringLiteral("fichier introuvable"), r);
    return nullptr;
  }
  if (const int r = avformat_find_stream_info(d.format, nullptr); r < 0) {
    dire(QStringLiteral("fichier son illisible"), r);
    return nullptr;
  }
  const AVCodec* decodeur = nullptr;
  const int flux = av_find_best_stream(d.format, AVMEDIA_TYPE_AUDIO, -1, -1, &decodeur, 0);
  if (flux < 0 || !decodeur) {
    // A sound stream FFmpeg would not take, for want of channels, is said so.
    bool sansCanal = false;
    for (unsigned i = 0; i < d.format->nb_streams; ++i)
      sansCanal = sansCanal || (d.format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO &&
                                d.format->streams[i]->codecpar->ch_layout.nb_channels <= 0);
    erreur = sansCanal ? QStringLiteral("fichier son abîmé : il n'a aucun canal") : QStringLiteral("aucun son dans ce fichier");
    return nullptr;
  }
  const AVCodecParameters* parametres = d.format->streams[flux]->codecpar;
  if (parametres->ch_layout.nb_channels <= 0) {
    erreur = QStringLiteral("fichier son abîmé : il n'a aucun canal");
    return nullptr;
  }
  if (parametres->sample_rate <= 0) {
    erreur = QStringLiteral("fichier son abîmé : sa fréquence est nulle");
    return nullptr;
  }
  // A few bytes at 1 Hz would be hours once brought to the mixer's rate.
  if (parametres->sample_rate < kFrequenceMinimale || parametres->sample_rate > kFrequenceMaximale) {
    erreur = QStringLiteral("fichier son abîmé : sa fréquence de %1 Hz n'est pas celle d'un son").arg(parametres->sample_rate);
    return nullptr;
  }
  d.codec = avcodec_alloc_context3(decodeur);
  avcodec_parameters_to_context(d.codec, parametres);
  if (const int r = avcodec_open2(d.codec, decodeur, nullptr); r < 0) {
    dire(QStringLiteral("son d'une sorte que Plivor ne sait pas lire"), r);
    return nullptr;
  }
  AVChannelLayout entree;
  if (d.codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
    av_channel_layout_default(&entree, d.codec->ch_layout.nb_channels);
  else
    av_channel_layout_copy(&entree, &d.codec->ch_layout);
  // A mono sound plays at its full level on both sides, as the mixer plays
  // it: resampled alone, then doubled (a mix to stereo would lower it 3 dB).
  d.mono = entree.nb_channels == 1;
  AVChannelLayout sortie;
  av_channel_layout_default(&sortie, d.mono ? 1 : 2);
  const int r = swr_alloc_set_opts2(&d.swr, &sortie, AV_SAMPLE_FMT_FLT, frequence, &entree,
                                    d.codec->sample_fmt, d.codec->sample_rate, 0, nullptr);
  av_channel_layout_uninit(&entree);
  if (r < 0 || swr_init(d.swr) < 0) {
    erreur = QStringLiteral("conversion impossible vers %1 Hz").arg(frequence);
    return nullptr;
  }
  auto pcm = std::make_shared<PcmMemoire>(frequence);
  while (av_read_frame(d.format, d.paquet) >= 0) {
    // A damaged packet is passed over, as a player would.
    if (d.paquet->stream_index == flux) avcodec_send_packet(d.codec, d.paquet);
    av_packet_unref(d.paquet);
    if (!Recevoir(d, *pcm)) break;
  }
  avcodec_send_packet(d.codec, nullptr);
  Recevoir(d, *pcm);
  Convertir(d, nullptr, *pcm);
  if (pcm->Trames() == 0) {
    erreur = QStringLiteral("aucun son décodé");
    return nullptr;
  }
  return pcm;
}

void PcmMemoire::Lire(long long debut, long long n, float* sortie) const {
  const long long dispo = std::clamp(Trames() - debut, 0LL, n);
  if (dispo > 0) std::copy_n(echantillons.data() + debut * 2, dispo * 2, sortie);
  std::fill(sortie + std::max(0LL, dispo) * 2, sortie + n * 2, 0.0f);
}

namespace {

// The synthesizer and its player at some point of the file. Reading
// further on plays on; reading earlier starts the file again.
class MidiEnDirect : public Pcm {
 public:
  MidiEnDirect(QByteArray fichier, QByteArray soundFont, long long trames)
      : fichier_(std::move(fichier)), soundFont_(std::move(soundFont)), trames_(trames) {}
  ~MidiEnDirect() override { Liberer(); }

  bool Ouvrir(QString& erreur) const {
    Liberer();
    reglages_ = new_fluid_settings();
    fluid_settings_setnum(reglages_, "synth.sample-rate", kFrequenceExport);
    // The mixer's full volume: a gain of 1.2 where FluidSynth's own is 0.2.
    fluid_settings_setnum(reglages_, "synth.gain", 1.2);
    fluid_settings_setint(reglages_, "synth.cpu-cores", 1);
    synthe_ = new_fluid_synth(reglages_);
    if (fluid_synth_sfload(synthe_, soundFont_.constData(), 1) == FLUID_FAILED) {
      erreur = QStringLiteral("SoundFont absente : ") + QFile::decodeName(soundFont_);
      return false;
    }
    lecteur_ = new_fluid_player(synthe_);
    if (fluid_player_add_mem(lecteur_, fichier_.constData(), size_t(fichier_.size())) != FLUID_OK ||
        fluid_player_play(lecteur_) != FLUID_OK) {
      erreur = QStringLiteral("Fichier MIDI illisible");
      return false;
    }
    position_ = 0;
    return true;
  }

  long long Trames() const override { return trames_; }

  void Preparer(long long debut) const override { Avancer(debut); }

  void Lire(long long debut, long long n, float* sortie) const override {
    Avancer(debut);
    Synthetiser(n, sortie);
  }

 private:
  // What lies before `debut` is played and left; reading earlier starts the
  // file again.
  void Avancer(long long debut) const {
    QString erreur;
    if (debut < position_ && !Ouvrir(erreur)) position_ = trames_;
    std::vector<float> passe;
    while (position_ < debut) {
      const long long bloc = std::min<long long>(debut - position_, 4096);
      passe.resize(size_t(bloc) * 2);
      Synthetiser(bloc, passe.data());
    }
  }

  void Synthetiser(long long n, float* s) const {
    if (lecteur_ && position_ < trames_) {
      const long long faites = std::min(n, trames_ - position_);
      fluid_synth_write_float(synthe_, int(faites), s, 0, 2, s, 1, 2);
      std::fill(s + faites * 2, s + n * 2, 0.0f);
    } else {
      std::fill(s, s + n * 2, 0.0f);
    }
    position_ += n;
  }

  void Liberer() const {
    if (lecteur_) delete_fluid_player(lecteur_);
    if (synthe_) delete_fluid_synth(synthe_);
    if (reglages_) delete_fluid_settings(reglages_);
    lecteur_ = nullptr, synthe_ = nullptr, reglages_ = nullptr;
  }

  QByteArray fichier_, soundFont_;
  long long trames_;
  mutable fluid_settings_t* reglages_ = nullptr;
  mutable fluid_synth_t* synthe_ = nullptr;
  mutable fluid_player_t* lecteur_ = nullptr;
  mutable long long position_ = 0;
};

}  // namespace

std::shared_ptr<const Pcm> RendreMidi(const QString& chemin, const QString& soundFont, long long dureeMs,
                                      QString& erreur) {
  const long long trames = dureeMs * kFrequenceExport / 1000;
  if (trames <= 0) {
    erreur = QStringLiteral("Fichier MIDI illisible");
    return nullptr;
  }
  // The standard file itself, a RIFF MIDI file's own included.
  QFile fichier(chemin);
  const QByteArray octets = fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
  const std::string smf = MidiJouable(std::string_view(octets.constData(), size_t(octets.size())));
  auto midi = std::make_shared<MidiEnDirect>(QByteArray(smf.data(), qsizetype(smf.size())), QFile::encodeName(soundFont), trames);
  if (!midi->Ouvrir(erreur)) return nullptr;
  return midi;
}

std::shared_ptr<const Pcm> SourcesSonores::Charger(const QString& chemin, bool midi, QString& erreur,
                                                   long long dureeMidiMs) {
  const auto cle = std::make_pair(chemin, midi);
  std::shared_ptr<const Pcm> pcm;
  if (auto trouve = charges_.find(cle); trouve != charges_.end()) pcm = trouve->second.lock();
  if (!pcm) pcm = midi ? RendreMidi(chemin, soundFont_, dureeMidiMs, erreur) : DecoderSon(chemin, erreur);
  if (!pcm) return nullptr;
  charges_[cle] = pcm;
  std::erase(recents_, pcm);
  recents_.push_back(pcm);
  constexpr size_t kRecents = 3;
  if (recents_.size() > kRecents) recents_.erase(recents_.begin());
  std::erase_if(charges_, [](const auto& c) { return c.second.expired(); });
  return pcm;
}

}  // namespace plivor
