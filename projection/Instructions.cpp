// Instruction lines: each code changes the part of the state it names.

#include <algorithm>

#include "projection/TFVue.h"

namespace plivor {

namespace {

constexpr Couleur kVerte = RGB(38, 55, 34);
constexpr Couleur kBordeau = RGB(60, 0, 0);
constexpr Couleur kBleue = RGB(35, 32, 55);

}  // namespace

bool TFVue::AppliquerInstruction(int code, const Texte& ligne) {
  const int famille = code / 100;
  const int v = code % 10;
  switch (famille) {
    case 9: {
      const int tempo = Nombre(ligne, 0);
      Timer1.setInterval(tempo > 32 ? tempo : 40);
      return true;
    }
    case 1:
      switch (code) {
        case 102:
          if (EtatPause > 0) return true;
          PauseClick(Emetteur::bt_Pause);
          return false;
        case 103:
          if (!AvanceAuto) return true;
          AvanceAM(Emetteur::Interpreteur);
          return false;
        case 105:
          if (EtatPause > 0) PauseClick(Emetteur::bt_Pause);
          return true;
        case 106:
          ModeManuel();
          ModeMuet();
          AfficherPanneau();
          services_.voisins.DeuxiemeRangee(true);
          return true;
        case 110:
          if (Manuel && Muet) {
            ModeManuel();
            ModeMuet();
            services_.voisins.DeuxiemeRangee(false);
          }
          return true;
        default: return true;
      }
    case 2:
      if (code == 202 && services_.voisins.PanneauVisible()) VoirIcones();
      if (code == 211) AfficherPanneau();
      return true;
    case 12:
      if (code == 1211) {
        AfficherPanneau();
        if (!services_.voisins.MenuOuvert()) services_.voisins.Navigation();
      }
      if (code == 1212 && services_.voisins.MenuOuvert()) services_.voisins.Navigation();
      return true;
    case 13:
      DrapeauCible = Valeur(ligne);
      AllerDrapeau(-1);
      return true;
    case 14:
      switch (code) {
        case 1401: Debut(Emetteur::bt_Debut); return true;
        case 1402: SautDrapeau(Emetteur::PopPremierDrapeau); return true;
        case 1403: SautDrapeau(Emetteur::PopDrapeauPrecedent); return true;
        case 1404: SautDrapeau(Emetteur::PopDrapeauSuivant); return true;
        case 1405: SautDrapeau(Emetteur::PopDernierDrapeau); return true;
        case 1412:
          PauseClick(Emetteur::bt_Pause);
          Quitter(Emetteur::bt_Quitter);
          return false;
        default: return true;
      }
    case 20: case 21: case 23: case 24: case 25: case 26:
      return IgnorerAudio || InstructionAudio(code, ligne);
    case 30: case 31: case 33: case 34: case 35: case 36: case 37: case 38: case 39:
      return InstructionFenetre(code, ligne);
    case 40: case 41: case 42: case 43: case 44: case 48: case 49:
      return InstructionDiapo(code, ligne);
    case 60: case 61:
      CodeTransition = code - 6000;
      return true;
    case 68:
      // At most ten minutes a transition.
      DureeTransition = std::max(1, std::clamp(Nombre(ligne, 1000), 0, 600'000) * 14 / 1000);
      return true;
    case 69:
      if (code > 6900) DureeTransition = code - 6900;
      return true;
    case 70:
      FonteTitre = kFonteTitreParDefaut;
      CouleurTitre = 11656177;
      CodeTitre = 700;
      return true;
    case 71: CouleurTitre = CouleurValeur(ligne, CouleurTitre); return true;
    case 72: FonteTitre = Valeur(ligne); return true;
    case 74: CodeTitre = 780 + v; return true;
    case 76:
      // The letters of what is on screen become the next title.
      Titrer(Valeur(ligne));
      Titre = XTitre;
      return true;
    case 79:
      PosTitre = Valeur(ligne);
      CodeTitre = AvecUnite(CodeTitre, 9);
      return true;
    case 83: CodeObjet = AvecDizaine(CodeObjet, v); return true;
    case 84: CodeObjet = AvecUnite(CodeObjet, v); return true;
    case 88:
      DimObjet = Valeur(ligne);
      CodeObjet = 890 + Unite(CodeObjet);
      return true;
    case 89:
      PosObjet = Valeur(ligne);
      CodeObjet = AvecUnite(CodeObjet, 9);
      return true;
    default: return true;
  }
}

bool TFVue::InstructionAudio(int code, const Texte& ligne) {
  switch (code / 100) {
    case 20:
      switch (code) {
        case 2001: if (MciOuvert) AudioAM(Emetteur::bt_Debut); break;
        case 2002: if (AudioEnCours) AudioAM(Emetteur::bt_Audio); break;
        case 2003: AudioAM(Emetteur::bt_AudioArret); break;
        case 2005: if (!AudioEnCours) AudioAM(Emetteur::bt_Audio); break;
        case 2006: if (!Muet) ModeMuet(); break;
        case 2010: if (Muet) ModeMuet(); break;
        default: break;
      }
      return true;
    case 21:
      VolumeAudio = std::clamp(Nombre(ligne, 80), 0, 100) * 255 / 100;
      VolumeRegler(VolumeAudio);
      return true;
    case 23: AudioDebut = Nombre(ligne, 0); return true;
    case 24: AudioDuree = Nombre(ligne, 0); return true;
    case 25:
      DureeFondu = std::max(Nombre(ligne, 1500), 200);
      FonduEntrant = true;
      TimerFade.setInterval(DureeFondu / 16);
      VolumeFondu = 0;
      PasFondu = PasDeFondu(0);
      TimerFade.start();
      onFadeTimer();
      return true;
    case 26: {
      DureeFondu = Nombre(ligne, 1500);
      FonduEntrant = false;
      VolumeFondu = VolumeLire(PeripheriqueVolume);
      TimerFade.stop();
      if (DureeFondu > 2000) {
        TimerFade.setInterval(DureeFondu / 16);
        PasFondu = PasDeFondu(VolumeFondu);
        TimerFade.start();
        onFadeTimer();
        return true;
      }
      DescenteAmortie(8, 7, 8, std::max(DureeFondu, 0) / 8);
      if (AudioEnCours) AudioAM(Emetteur::bt_Audio);
      return true;
    }
    default: return true;
  }
}

bool TFVue::InstructionFenetre(int code, const Texte& ligne) {
  const int v = code % 10;
  switch (code / 100) {
    case 30:
      switch (code) {
        case 3003: if (FenetreWindowsCoche) WFenetre(Emetteur::Menu); break;
        case 3010:
          CodeFenetre = CodeFenetreDefaut;
          CadreFenetre = 2;
          MargeFenetre = Coche(6) ? 0 : 8;
          Rafraichir(Emetteur::Aucun);
          break;
        case 3021: CouleurFenetre = kVerte; break;
        case 3022: CouleurFenetre = kBordeau; break;
        case 3023: CouleurFenetre = kBleue; break;
        default: break;
      }
      return true;
    case 31: CouleurFenetre = CouleurValeur(ligne, CouleurFenetre); return true;
    case 33: CodeFenetre = AvecDizaine(CodeFenetre, v); return true;
    case 34: CodeFenetre = AvecUnite(CodeFenetre, v); return true;
    case 35:
      switch (code) {
        case 3502: if (!FenetreWindowsCoche) WFenetre(Emetteur::Menu); break;
        case 3503: if (FenetreSeule) BureauVM(); break;
        case 3506: CadreFenetre = 0; break;
        case 3507: MargeFenetre = 0; break;
        case 3510: if (!FenetreSeule) BureauVM(); break;
        default: break;
      }
      return true;
    // A bevel of at most 12 pixels either way, a margin within a screen.
    case 36: CadreFenetre = std::clamp(Nombre(ligne, 0), -12, 12); return true;
    case 37: MargeFenetre = std::clamp(Nombre(ligne, 0), 0, 200); return true;
    case 38:
      DimFenetre = Valeur(ligne);
      CodeFenetre = 390 + Unite(CodeFenetre);
      return true;
    case 39:
      PosFenetre = Valeur(ligne);
      CodeFenetre = AvecUnite(CodeFenetre, 9);
      return true;
    default: return true;
  }
}

bool TFVue::InstructionDiapo(int code, const Texte& ligne) {
  const int v = code % 10;
  switch (code / 100) {
    case 40:
      switch (code) {
        case 4010:
          SansFond = false;
          ImageOpaque = true;
          MargeDiapo = true;
          ImageDecoupee = false;
          CodeDiapo = 470;
          break;
        case 4011: SansFond = false; break;
        case 4012: SansFond = true; break;
        case 4021: CouleurDiapo = kVerte; break;
        case 4022: CouleurDiapo = kBordeau; break;
        case 4023: CouleurDiapo = kBleue; break;
        case 4055: MargeDiapo = true; break;
        case 4056: MargeDiapo = false; break;
        default: break;
      }
      return true;
    case 41:
      CouleurDiapo = CouleurValeur(ligne, CouleurDiapo);
      CouleurPinceau = CouleurDiapo;
      return true;
    case 42:
      switch (code) {
        case 4210: ImageOpaque = true; ImageDecoupee = false; break;
        case 4236: ImageDecoupee = false; break;
        case 4251: ImageDecoupee = true; break;
        case 4253: ImageOpaque = true; break;
        case 4254: ImageOpaque = false; break;
        default: break;
      }
      return true;
    case 43:
      CodeDiapo = AvecDizaine(CodeDiapo, v);
      CalculerDiapo();
      return true;
    case 44: CodeDiapo = AvecUnite(CodeDiapo, v); return true;
    case 48:
      DimDiapo = Valeur(ligne);
      CodeDiapo = 490 + Unite(CodeDiapo);
      CalculerDiapo();
      return true;
    case 49:
      PosDiapo = Valeur(ligne);
      CodeDiapo = AvecUnite(CodeDiapo, 9);
      return true;
    default: return true;
  }
}

}  // namespace plivor
