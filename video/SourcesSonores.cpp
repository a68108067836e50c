#include "video/SourcesSonores.h"

#include <fluidsynth.h>

#include "platform/MidiRiff.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <mutex>

extern "C" {
#include <libavutil/error.h>
}

namespace plivor {

QString TexteAv(int code) {
  char tampon[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, tampon, sizeof tampon);
  return QString::fromUtf8(tampon);
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

  void Preparer(long long debut) const override {
    const std::lock_guard garde(verrou_);
    Avancer(debut);
  }

  void Lire(long long debut, long long n, float* sortie) const override {
    const std::lock_guard garde(verrou_);
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
  // Read on the sound device's thread, made ready on the program's.
  mutable std::mutex verrou_;
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
