#include "montage/Montage.h"

#include <QDateTime>
#include <QImageReader>
#include <QLocale>
#include <algorithm>
#include <climits>
#include <cstdio>

#include "codecs/Images.h"
#include "core/Adresses.h"
#include "core/FichiersListe.h"
#include "core/Langue.h"
#include "core/Vocabulaire.h"
#include "montage/Descriptions.h"
#include "options/TFOptions.h"

#include "montage/MontageInterne.h"

namespace plivor {

using namespace montage_interne;

// ---- Display and information.

void Montage::AfficherTexte(bool texte) {
  ModeTexte = texte;
  emit ListeChangee();
}

void Montage::Rafraichir() {
  if (vue_.PBox.isNull()) return;
  const Couleur c = vue_.CouleurDiapo;
  vue_.PBox.fill(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
  emit vue_.Presenter();
}

void Montage::Afficher(const Texte& ligne, int rangee) {
  const int genre = Genre(ligne);
  const bool dansLaListe = rangee >= 0 && rangee < Compte();
  const bool voisines = vue_.ImagesVoisines;
  if (RafraichirFond && (EstImage(genre) || genre == Genre::InstructionTexte)) Rafraichir();
  auto charger = [this](const Texte& l, int code) {
    vue_.CodeDiapo = code;
    vue_.Charger(l);
    vue_.Transitions();
  };
  if (EstImage(genre)) {
    if (voisines && dansLaListe)
      for (int i = rangee - 1; i >= 0; --i) {
        const int g = Genre(lignes_[static_cast<size_t>(i)]);
        if (EstImage(g) || g == Genre::Metafichier) {
          charger(lignes_[static_cast<size_t>(i)], 444);
          break;
        }
      }
    charger(ligne, voisines ? 443 : 423);
    if (voisines && dansLaListe)
      for (int i = rangee + 1; i < Compte(); ++i) {
        const int g = Genre(lignes_[static_cast<size_t>(i)]);
        if (EstImage(g) || g == Genre::Metafichier) {
          charger(lignes_[static_cast<size_t>(i)], 445);
          break;
        }
      }
  } else if (EstSon(genre)) {
    if (!vue_.IgnorerAudio) vue_.Charger(ligne);
  } else if (genre == Genre::InstructionTexte) {
    vue_.CodeTitre = 700;
    const int motCle = CodeMotCle(MotCle(ligne), vue_.TablesEnCours());
    const bool titre = motCle == 70 || motCle == 77;
    if (titre) vue_.ImageOpaque = false;
    charger(ligne, voisines ? 443 : 423);
    if (titre) vue_.ImageOpaque = true;
  } else if (genre == Genre::Ressource && CodeMotCle(MotCle(ligne), vue_.TablesEnCours()) == 6) {
    Rafraichir();
    vue_.MenuImageCharge = false;
    vue_.Charger(ligne);
  } else if (genre == Genre::Absent && !DossierListe.empty()) {
    const Texte jointe = AdresseJointe(ligne, DossierListe, fichiers_);
    const Texte fichier = jointe.find(".pvr") != Texte::npos ? Valeur(jointe) : jointe;
    if (jointe != ligne && fichiers_.FichierExiste(fichier)) Afficher(jointe, rangee);
  }
}

void Montage::InfosSource(const Texte& chemin) {
  titreFichier_ = chemin;
  infos_ = ObtenirInfos(chemin);
  emit InfosChangees();
}

Infos Montage::ObtenirInfos(const Texte& ligne) const {
  Infos infos;
  if ((!vue_.FenetreSources && lignes_.empty()) || ligne.size() <= 3) return infos;
  const StyleChemins style = fichiers_.Style();
  auto& l = infos.lignes;
  const Texte dossier = "-->" + SansBarre(DossierDe(ligne, style));
  const auto date = [&] {
    const auto secondes = fichiers_.DateFichier(ligne);
    const QDateTime moment = QDateTime::fromSecsSinceEpoch(secondes.value_or(0));
    l.push_back("Date : " + VersCp1252(QLocale::system().toString(moment, QLocale::ShortFormat).toStdString()).value_or(""));
  };
  const auto taille = [&] { l.push_back(TexteTaille(ligne, fichiers_)); };
  const auto dureeOuverte = [&] {
    if (vue_.MciOuvert && vue_.AudioCourant == ligne)
      if (const auto longueur = vue_.Services().audio.Longueur()) l.push_back(TexteDuree(*longueur));
  };
  // Today's pictures are described as JPEGs are, today's sounds as WAVs.
  const int genre = EstImage(Genre(ligne))                                 ? Genre::Jpeg
                    : EstFichierSon(Genre(ligne)) && Genre(ligne) > Genre::Mp3 ? Genre::Wav
                                                                           : Genre(ligne);
  switch (genre) {
    case Genre::Inconnu:
      infos.avertissement = true;
      l = {"*** Avertissement !! ***", " ", "LIGNE NON RECONNUE", Cp("Vérifier la syntaxe.")};
      break;
    case Genre::Jpeg: case Genre::Gif: case Genre::Bmp: {
      date();
      taille();
      // Upright, as the projection shows it.
      const QSize dimension = TailleImage(QString::fromStdString(vue_.Services().fichiers.CheminHote(ligne).string()));
      l.push_back("Dimension : " + std::to_string(dimension.width()) + " / " + std::to_string(dimension.height()) +
                  " pixels");
      l.push_back(dossier);
      break;
    }
    case Genre::Wav: case Genre::Midi:
      date();
      taille();
      dureeOuverte();
      l.push_back(dossier);
      break;
    case Genre::Mp3:
      date();
      taille();
      if (vue_.Mp3Ouvert) l.push_back(TexteDuree(vue_.DureeMp3));
      l.push_back(dossier);
      break;
    case Genre::PisteCd: {
      const int numero = NumeroPisteCd(ligne);
      char texte[3];
      std::snprintf(texte, sizeof texte, "%02d", numero);
      l.push_back(Cp("Piste Cd-audio n° ") + texte);
      if (const auto piste = vue_.Services().audio.Piste(numero)) l.push_back(TexteDuree(piste->dureeMs));
      break;
    }
    case Genre::Instruction: case Genre::InstructionTexte: case Genre::Ressource: case Genre::Drapeau: {
      const Texte description = Description(vue_.LangueActive, CodeCombine(ligne, vue_.TablesEnCours()));
      if (!description.empty()) {
        l.push_back(description);
      } else {
        infos.avertissement = true;
        l = {"*** Avertissement !! ***", " INSTRUCTION ", "NON RECONNUE", Cp("Vérifier la syntaxe.")};
      }
      break;
    }
    case Genre::SousListe:
      l.push_back(Cp("-- Séquence Plivor --"));
      date();
      taille();
      l.push_back(dossier);
      break;
    case Genre::Script:
      l.push_back("--- Script Plivor ---");
      date();
      taille();
      l.push_back(dossier);
      break;
    case Genre::Absent:
      infos.avertissement = true;
      l = {"*** Avertissement !! ***", " ", "F I C H I E R   A B S E N T", Cp("à cette adresse !!"), dossier};
      break;
    default:
      break;
  }
  return infos;
}

void Montage::VoirTransfert(int index) {
  if (index < 0 || index >= static_cast<int>(Transfert.size())) return;
  LigneCourante = index;
  if (vue_.AudioEnCours) vue_.AudioAM(Emetteur::bt_AudioArret);
  const Texte ligne = Transfert[static_cast<size_t>(index)];
  Afficher(ligne, -1);
  titreFichier_ = NomDeFichier(ligne);
  infos_ = ObtenirInfos(ligne);
  emit InfosChangees();
}

}  // namespace plivor
