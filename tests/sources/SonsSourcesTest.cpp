// Sounds chosen in the resource window, played by the projection's sound layer
// through SDL's disk driver: what was played is read back from the file the
// driver writes.

#include <QFile>
#include <gtest/gtest.h>

#include "codecs/Encodeurs.h"
#include "montage/BancMontage.h"
#include "platform/AudioSdl.h"
#include "platform/MidiRiff.h"
#include "sources/Sources.h"
#include "support/SonsEssai.h"

namespace plivor {
namespace {

using test::BancMontage;

std::string Mot(std::uint32_t n) {
  return {char(n & 0xFF), char((n >> 8) & 0xFF), char((n >> 16) & 0xFF), char((n >> 24) & 0xFF)};
}

// A RIFF MIDI file: an odd-sized chunk before "data", which holds `smf`.
std::string Rmid(const std::string& smf) {
  const std::string avant = "DISP" + Mot(3) + "abc" + '\0';
  const std::string corps = "RMID" + avant + "data" + Mot(std::uint32_t(smf.size())) + smf;
  return "RIFF" + Mot(std::uint32_t(corps.size())) + corps;
}

std::string Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

TEST(MidiRiff, LeFichierMidiDansSonEnveloppe) {
  const std::string smf = std::string("MThd\0\0\0\6\0\0\0\1\1\xE0", 14) + "MTrk" + Mot(0);
  EXPECT_EQ(MidiStandard(Rmid(smf)), smf);
  // Other bytes are given back as they are, a RIFF wave among them.
  EXPECT_EQ(MidiStandard(smf), smf);
  const std::string wave = "RIFF" + Mot(4) + "WAVE";
  EXPECT_EQ(MidiStandard(wave), wave);
  const std::string sansDonnees = "RIFF" + Mot(12) + "RMID" + "LIST" + Mot(40);
  EXPECT_EQ(MidiStandard(sansDonnees), sansDonnees);
  // A "data" chunk said longer than the file keeps what the file has.
  const std::string coupe = Rmid(smf).substr(0, 40);
  EXPECT_EQ(MidiStandard(coupe), coupe.substr(32));
}

TEST(SonsSources, UnFichierRmiSeJoueCommeLeMidiQuIlContient) {
  QTemporaryDir sortie;
  qputenv("SDL_AUDIODRIVER", "disk");
  qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(sortie.filePath(QStringLiteral("sortie.raw"))));
  {
    CoucheAudioSdl audio;
    ASSERT_TRUE(audio.Erreur().isEmpty()) << audio.Erreur().toStdString();
    BancMontage banc(&audio);
    std::vector<NoteMidi> notes;
    for (int i = 0; i < 8; ++i) notes.push_back({60 + i, i * 250, 240, 100, 0, 0});
    ASSERT_TRUE(EcrireMidi(banc.CheminHote(QStringLiteral("gamme.mid")), notes));
    banc.Ecrire(QStringLiteral("gamme.rmi"), Rmid(Lire(banc.CheminHote(QStringLiteral("gamme.mid")))));
    Sources sources(*banc.vue, *banc.montage, banc.dossier.path());
    sources.Sons();  // gamme.mid, gamme.rmi
    ASSERT_EQ(sources.Fichiers, (QStringList{"gamme.mid", "gamme.rmi"}));
    // The MIDI output at full volume.
    banc.vue->PeripheriqueVolume = int(Peripherique::Midi);
    banc.vue->VolumeAudio = 255;
    sources.DefinirSelection({1}, 1);
    sources.Selection();
    EXPECT_TRUE(banc.dialogues.textes.isEmpty()) << banc.dialogues.textes.join(u'|').toStdString();
    EXPECT_TRUE(sources.AudioArretVisible);
    EXPECT_TRUE(banc.vue->AudioEnCours);
    EXPECT_NEAR(audio.Duree(), 1990, 5);
    test::Attendre(700);
    sources.ArretAudio();
  }
  // FluidSynth made the notes heard.
  const test::Extrait son = test::Sonore(test::CanalGauche(sortie.filePath(QStringLiteral("sortie.raw"))), 100);
  EXPECT_GT(son.fin - son.debut, size_t(test::kFrequence / 5));
}

}  // namespace
}  // namespace plivor
