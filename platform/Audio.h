#pragma once
// The sound devices as the projection sees them: the per-device volumes,
// one media player for WAV, MIDI and CD tracks, and an MP3 player object.
// The sound engine plays them (AudioSdl on the sound device, the export on
// its own clock); the silent layer below keeps the same state and plays
// nothing.

#include <QObject>
#include <QString>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace plivor {

// Device kinds of the volume calls and of the media player.
enum class Peripherique { Onde = 0, Auxiliaire = 1, Midi = 2 };

struct VolumeStereo {
  int gauche = 0;  // 0..65535
  int droite = 0;
};

struct PisteCd {
  int debutMs = 0;
  int dureeMs = 0;
};

// The MP3 player object: created on first use, notifies on the UI thread.
class LecteurMp3 : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  // Empty on success, else the player's own words.
  virtual QString InputOpen(const QString& chemin) = 0;
  virtual void InputClose() = 0;
  virtual void OutputReset() = 0;
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual void Stop() = 0;
  // Positions the stream at offset / range of its length.
  virtual void InputSeek(int offset, int range) = 0;

 signals:
  void Pret();
  void Etat(int etat);  // 0 stopped, 1 playing, 2 paused, 3 ended
  void Duree(int millisecondes);  // the stream's length, to the millisecond
};

class CoucheAudio {
 public:
  virtual ~CoucheAudio() = default;

  virtual VolumeStereo Volume(Peripherique peripherique) const = 0;
  virtual bool RegleVolume(Peripherique peripherique, VolumeStereo volume) = 0;

  // The media player. `Ouvrir` gives nothing on success, else the reason.
  // A CD device opens without a file; its tracks are then known.
  virtual std::optional<QString> Ouvrir(Peripherique peripherique, const QString& chemin) = 0;
  virtual void Fermer() = 0;
  // From `debutMs` to `finMs` (0: to the end).
  virtual void Jouer(int debutMs, int finMs) = 0;
  virtual void Pause() = 0;
  virtual void Reprendre() = 0;
  virtual void Arreter() = 0;
  virtual bool EnLecture() const = 0;
  virtual int IdPeripherique() const = 0;
  virtual std::optional<PisteCd> Piste(int numero) const = 0;
  // Length in ms of the medium open on the media player; nothing when none
  // is open or its length is unknown.
  virtual std::optional<int> Longueur() const = 0;

  // Said once, at the first sound: why the music plays nowhere.
  virtual std::optional<QString> Avertissement() { return std::nullopt; }

  // A new MP3 player, owned by the caller; nothing, with the reason, when
  // none can be made.
  virtual std::unique_ptr<LecteurMp3> CreerMp3(QString& erreur) = 0;
};

// Keeps the state and plays nothing: tests, headless renders, and machines
// without a sound device. It says what it was asked in `journal`.
class CoucheAudioSilencieuse : public CoucheAudio {
 public:
  VolumeStereo Volume(Peripherique p) const override { return volumes_[Index(p)]; }
  bool RegleVolume(Peripherique p, VolumeStereo v) override;
  std::optional<QString> Ouvrir(Peripherique peripherique, const QString& chemin) override;
  void Fermer() override;
  void Jouer(int debutMs, int finMs) override;
  void Pause() override;
  void Reprendre() override;
  void Arreter() override;
  bool EnLecture() const override { return enLecture; }
  int IdPeripherique() const override { return ouvert ? 1 : -1; }
  std::optional<PisteCd> Piste(int numero) const override;
  std::optional<int> Longueur() const override {
    return ouvert && longueur > 0 ? std::optional<int>(longueur) : std::nullopt;
  }
  std::unique_ptr<LecteurMp3> CreerMp3(QString& erreur) override;

  QStringList journal;
  int longueur = 0;  // length said of whatever is open
  bool ouvert = false;
  bool enLecture = false;
  QString refus;                     // when set, opening fails with it
  std::map<int, PisteCd> pistes;     // a CD in the drive, by track
  std::map<QString, int> dureesMp3;  // stream lengths in ms, by path
  std::vector<int> niveaux;          // every level set, 0..255, in order

 private:
  static int Index(Peripherique p) { return static_cast<int>(p); }
  std::array<VolumeStereo, 3> volumes_{{{0xCCCC, 0xCCCC}, {0xCCCC, 0xCCCC}, {0xCCCC, 0xCCCC}}};
};

}  // namespace plivor
