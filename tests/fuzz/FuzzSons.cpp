// The sound decoding path on any file: FFmpeg's libraries for every sampled
// format, the MIDI length, and FluidSynth's
// own loader and player for a while.

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fluidsynth.h>
#include <unistd.h>

#include "platform/DureeMidi.h"
#include "video/SourcesSonores.h"

namespace {

// One synthesizer for every run, without instruments: the loader and the
// player's events are what is tried.
fluid_synth_t* Synthe() {
  static fluid_settings_t* reglages = [] {
    fluid_settings_t* r = new_fluid_settings();
    fluid_settings_setint(r, "synth.cpu-cores", 1);
    return r;
  }();
  static fluid_synth_t* synthe = new_fluid_synth(reglages);
  return synthe;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace plivor;
  static const int muet = [] {
    fluid_set_log_function(FLUID_PANIC, nullptr, nullptr);
    fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    return 0;
  }();
  (void)muet;
  const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
  DureeMidi(std::string_view(octets.constData(), std::size_t(octets.size())));
  static const QString chemin = QDir::temp().filePath(QStringLiteral("plivor-fuzz-%1.son").arg(::getpid()));
  QFile fichier(chemin);
  if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  fichier.write(octets);
  fichier.close();
  QString erreur;
  if (auto pcm = DecoderSon(chemin, erreur)) {
    // Its middle, its start again, and its end: the reads a show makes.
    float tampon[2 * 256];
    pcm->Preparer(pcm->Trames() / 2);
    pcm->Lire(pcm->Trames() / 2, 256, tampon);
    pcm->Lire(0, 256, tampon);
    pcm->Lire(std::max(0LL, pcm->Trames() - 64), 256, tampon);
  }
  fluid_player_t* lecteur = new_fluid_player(Synthe());
  if (fluid_player_add_mem(lecteur, octets.constData(), std::size_t(octets.size())) == FLUID_OK &&
      fluid_player_play(lecteur) == FLUID_OK) {
    float gauche[1024], droite[1024];
    for (int bloc = 0; bloc < 16 && fluid_player_get_status(lecteur) == FLUID_PLAYER_PLAYING; ++bloc)
      fluid_synth_write_float(Synthe(), 1024, gauche, 0, 1, droite, 0, 1);
  }
  fluid_player_stop(lecteur);
  delete_fluid_player(lecteur);
  fluid_synth_system_reset(Synthe());
  return 0;
}
