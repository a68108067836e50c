// Sound lines, the music control, fades and the MP3 player's notices.

#include <cstdlib>

#include "options/TFOptions.h"
#include "projection/TFVue.h"

namespace plivor {

namespace {

Peripherique PeripheriqueDu(int genre) {
  switch (genre) {
    case Genre::Midi: return Peripherique::Midi;
    case Genre::PisteCd: return Peripherique::Auxiliaire;
    default: return Peripherique::Onde;
  }
}

// "D:\Track05.cda" is track 5: the two digits before the extension.
int NumeroDePiste(const Texte& ligne) {
  const Texte nom = NomDeFichier(ligne);
  if (nom.size() < 6) return 0;
  return static_cast<int>(LireEntier(nom.substr(nom.size() - 6, 2)).value_or(0));
}

}  // namespace

bool TFVue::MusiqueEnLecture() const {
  return (Mp3Ouvert && EtatMp3 == 1) || (MciOuvert && services_.audio.EnLecture());
}

void TFVue::FermerMp3() {
  if (MPlayer3) {
    MPlayer3->InputClose();
    MPlayer3->OutputReset();
    MPlayer3.reset();
  }
  Mp3Ouvert = false;
  EtatMp3 = 0;
}

void TFVue::FermerAudio() {
  if (MciOuvert) services_.audio.Fermer();
  MciOuvert = false;
  FermerMp3();
  // Nothing is left to play.
  AudioEnCours = MusiqueCoche = false;
  TimerFade.stop();
}

// Opens the line on its player; false when it could not be opened.
bool TFVue::OuvrirMedia(const Texte& ligne, int genre) {
  const QString chemin = QString::fromStdString(services_.fichiers.CheminHote(ligne).string());
  CoucheAudio& audio = services_.audio;
  if (genre == Genre::Mp3) {
    if (!MPlayer3) {
      QString erreur;
      MPlayer3 = audio.CreerMp3(erreur);
      if (!MPlayer3) {
        services_.dialogues.Information(TexteEcran(ligne) + QStringLiteral(" : ") + erreur);
        return false;
      }
      connect(MPlayer3.get(), &LecteurMp3::Pret, this, &TFVue::MPlayer3Pret);
      connect(MPlayer3.get(), &LecteurMp3::Etat, this, &TFVue::MPlayer3Etat);
      connect(MPlayer3.get(), &LecteurMp3::Duree, this, &TFVue::MPlayer3Duration);
    }
    MPlayer3->InputClose();
    MPlayer3->OutputReset();
    DureeMp3 = 0;  // the player announces the new stream's length as it opens
    if (const QString erreur = MPlayer3->InputOpen(chemin); !erreur.isEmpty()) {
      services_.dialogues.Information(TexteEcran(ligne) + QStringLiteral(" : ") + erreur);
      return false;
    }
    if (SuiviListe || TestMontage) {
      // A short play makes the player announce the stream's length.
      MPlayer3->Play();
      services_.cadence.Attendre(std::chrono::milliseconds(400));
      MPlayer3->Stop();
      MPlayer3->InputSeek(0, 400);
    }
    PeripheriqueVolume = 0;
    IdPeripherique = 0;
    Mp3Ouvert = true;
    return true;
  }
  const Peripherique peripherique = PeripheriqueDu(genre);
  PeripheriqueVolume = static_cast<int>(peripherique);
  IdPeripherique = audio.IdPeripherique();
  const auto erreur = audio.Ouvrir(peripherique, genre == Genre::PisteCd ? QString() : chemin);
  if (erreur) {
    services_.dialogues.Information(TexteEcran(ligne) + QStringLiteral(" : ") + *erreur);
    return false;
  }
  if (genre == Genre::PisteCd) {
    if (!AppliquerPiste(ligne)) {
      audio.Fermer();
      services_.dialogues.Information(TexteEcran(ligne) + QStringLiteral(" : piste absente du disque"));
      return false;
    }
  }
  return true;
}

// The track's start is added to the start offset; its length is the
// playing time unless one was given.
bool TFVue::AppliquerPiste(const Texte& ligne) {
  const auto piste = services_.audio.Piste(NumeroDePiste(ligne));
  if (!piste) return false;
  AudioDebut = piste->debutMs + std::abs(AudioDebut);
  if (AudioDuree == 0) AudioDuree = piste->dureeMs;
  return true;
}

void TFVue::OuvrirSon(const Texte& ligne, int genre) {
  if (const auto avertissement = services_.audio.Avertissement()) services_.dialogues.Avis(*avertissement);
  if (!FonduEntrant) TimerFade.stop();
  const bool mp3 = genre == Genre::Mp3;
  if (AudioCourant == ligne && (mp3 ? Mp3Ouvert && ListePropre : MciOuvert)) {
    // Already open: started again only when it is not playing.
    if (mp3 ? EtatMp3 != 1 : !services_.audio.EnLecture()) {
      if (genre == Genre::PisteCd) AppliquerPiste(ligne);
      AudioAM(Emetteur::bt_Debut);
    }
    return;
  }
  const bool suspendu = AvanceAuto && Timer1.isActive();
  if (AvanceAuto) Timer1.stop();
  if (!mp3) FermerMp3();
  if (MciOuvert) services_.audio.Fermer();
  MciOuvert = false;
  const bool ouvert = OuvrirMedia(ligne, genre);
  // A sound that cannot be opened is said; the show goes on without it.
  if (!ouvert) {
    if (suspendu) Timer1.start();
    Queue();
    return;
  }
  AudioCourant = ligne;
  if (!mp3) MciOuvert = true;
  if (ExecutionMuette) return;
  AudioEnCours = false;
  if (!FonduEntrant) AudioAM(Emetteur::bt_Debut);
  if (suspendu) Timer1.start();
  Queue();
}

void TFVue::AudioAM(Emetteur emetteur) {
  if (IgnorerAudio || Muet || (ListePropre && Medias.empty())) return;
  if (!AudioEnCours && !FonduEntrant) VolumeRegler(VolumeAudio);
  // With nothing open there is nothing to control; a fade-in's first tick
  // comes before its sound line and must not stop the fade.
  if (!MciOuvert && !(Mp3Ouvert && MPlayer3)) return;
  const bool debut = emetteur == Emetteur::bt_Debut || emetteur == Emetteur::PopDebut;
  CoucheAudio& audio = services_.audio;
  if (MciOuvert) {
    if (emetteur == Emetteur::PopMusique) {
      if (MusiqueCoche)
        audio.Pause();
      else
        audio.Reprendre();
    } else if (emetteur == Emetteur::bt_AudioArret) {
      audio.Arreter();
    } else if (emetteur == Emetteur::bt_Audio) {
      if (audio.EnLecture())
        audio.Pause();
      else
        audio.Reprendre();
    } else if (debut) {
      audio.Arreter();
      const int depart = std::abs(AudioDebut);
      AudioDebut = 0;
      int fin = 0;
      if (AudioDuree > 0) {
        fin = AudioDuree + depart;
        AudioDuree = 0;
      }
      audio.Jouer(depart, fin);
    }
    AudioEnCours = audio.EnLecture();
  } else if (Mp3Ouvert && MPlayer3) {
    if (emetteur == Emetteur::PopMusique) {
      MusiqueCoche ? MPlayer3->Pause() : MPlayer3->Play();
      AudioEnCours = !MusiqueCoche;
    } else if (emetteur == Emetteur::bt_AudioArret) {
      if (EtatMp3 == 1) {
        MPlayer3->Stop();
        AudioEnCours = false;
      }
    } else if (emetteur == Emetteur::bt_Audio) {
      AudioEnCours ? MPlayer3->Pause() : MPlayer3->Play();
      AudioEnCours = !AudioEnCours;
    } else if (debut) {
      MPlayer3->Stop();
      MPlayer3->InputSeek(std::abs(AudioDebut), DureeMp3);
      MPlayer3->Play();
      AudioDebut = 0;
      AudioEnCours = true;
    }
  }
  MusiqueCoche = AudioEnCours;
  services_.voisins.Boutons();
  if (!AudioEnCours) TimerFade.stop();
}

// The step of a timed fade: the volume over 18. Below 18 that step is 0 and
// the fade would never end: it then moves by at least one level, and a fade
// out covers the volume it starts from in 18 ticks.
int TFVue::PasDeFondu(int depart) const {
  const int pas = VolumeAudio / 18;
  if (pas > 0) return pas;
  return FonduEntrant ? 1 : std::max(1, (depart + 17) / 18);
}

void TFVue::onFadeTimer() {
  if (FonduEntrant) {
    if (VolumeAudio - PasFondu < VolumeFondu) {
      TimerFade.stop();
      VolumeRegler(VolumeAudio);
      FonduEntrant = false;
      return;
    }
    if (!AudioEnCours) AudioAM(Emetteur::bt_Audio);
    VolumeFondu = std::min(VolumeFondu + PasFondu, VolumeAudio);
    VolumeRegler(VolumeFondu);
    return;
  }
  if (VolumeFondu <= 0) {
    TimerFade.stop();
    if (AudioEnCours) AudioAM(Emetteur::bt_Audio);
    return;
  }
  VolumeFondu = std::max(0, VolumeFondu - PasFondu);
  VolumeRegler(VolumeFondu);
}

void TFVue::MPlayer3Pret() { Mp3Pret = true; }

void TFVue::MPlayer3Etat(int etat) { EtatMp3 = etat; }

// The exact length: a start offset then lands where it says.
void TFVue::MPlayer3Duration(int millisecondes) { DureeMp3 = millisecondes; }

}  // namespace plivor
