#include "montage/Montage.h"

#include <QDateTime>
#include <QImageReader>
#include <QLocale>
#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/Adresses.h"
#include "core/FichiersListe.h"
#include "core/Langue.h"
#include "core/Vocabulaire.h"
#include "montage/Descriptions.h"
#include "options/TFOptions.h"

#include "montage/MontageInterne.h"

namespace plivor {

using namespace montage_interne;

// ---- Duration.

long long DureeLignes(const Liste& w, int f, int l, const ServicesFichiers& fichiers, const Tables& tables) {
  if (w.empty() || l < f || f < 0 || l >= static_cast<int>(w.size())) return -1;
  const auto tempo = [&](const Texte& ligne) {
    return GenreExtension(ligne) == Genre::Instruction && CodeMotCle(MotCle(ligne), tables) == kTempo;
  };
  const auto arretOuSaut = [&](const Texte& ligne) {
    if (GenreExtension(ligne) != Genre::Instruction) return false;
    const int code = CodeCombine(ligne, tables);
    const int motCle = code / 100;
    return code == 102 || code == 103 || code == 106 || motCle == 13 || motCle == 14 || motCle == 15 ||
           motCle == 81;
  };
  long long t = 0, s = 0, v = 0;
  for (int i = f - 1; i >= 0; --i)
    if (tempo(w[static_cast<size_t>(i)])) {
      t = NombreOuZero(w[static_cast<size_t>(i)]);
      break;
    }
  for (int i = f; i <= l; ++i) {
    const Texte& ligne = w[static_cast<size_t>(i)];
    const int genre = ClasserLigne(ligne, fichiers);
    if (EstVisuel(genre)) {
      if (v > 0 && t == 0) return -2;
      s += t;
      ++v;
    } else if (tempo(ligne)) {
      s -= t;
      t = NombreOuZero(ligne);
      s += t;
    } else if (arretOuSaut(ligne)) {
      return -3;
    } else if (genre == Genre::SousListe || genre == Genre::Script) {
      return -5;
    }
  }
  for (int i = l + 1; i < static_cast<int>(w.size()); ++i) {
    const Texte& ligne = w[static_cast<size_t>(i)];
    if (EstVisuel(ClasserLigne(ligne, fichiers)) || arretOuSaut(ligne)) break;
    if (tempo(ligne)) {
      s = s - t + NombreOuZero(ligne);
      break;
    }
  }
  return s;
}

Texte MessageDuree(long long d) {
  if (d > 0)
    return Cp("Durée de la sélection : ") + std::to_string(d) + " millisecondes." + "\r" + "Soit une " +
           TexteDuree(d);
  switch (d) {
    case 0: return Cp("Durée de la sélection : 0 milliseconde");
    case -1:
      return Cp("Aucune ligne n'est sélectionnée !\r\rSélectionner un groupe de lignes\rafin d'en calculer la durée");
    case -2:
      return Cp("Au moins une instruction \"Tempo\" doit être présente\rau début ou avant la sélection, sinon les "
                "premières lignes\rn'auront pas de durée !...");
    case -3:
      return Cp("La sélection contient des instructions\rqui ne permettent pas le calcul de durée :\r  Avance, "
                "Saut, AllerA...\rLes déselectionner ou les effacer.");
    case -5: return Cp("  Déployer les listes *.pvl\ravant de calculer la durée !");
    default: return Texte();
  }
}

long long Montage::DureeLignesSelectionnees() const {
  const std::vector<int> choisies = Selectionnees();
  if (choisies.empty()) return -1;
  const int f = choisies.front();
  const int l = choisies.back();
  // The list with the unselected lines between the first and the last
  // selected ones left out, built in one pass.
  Liste w(lignes_.begin(), lignes_.begin() + f);
  for (int i : choisies) w.push_back(lignes_[static_cast<size_t>(i)]);
  const int derniere = static_cast<int>(w.size()) - 1;
  w.insert(w.end(), lignes_.begin() + l + 1, lignes_.end());
  return DureeLignes(w, f, derniere, fichiers_, vue_.TablesEnCours());
}

Texte Montage::DureeSelection() {
  const Texte message = MessageDuree(DureeLignesSelectionnees());
  if (!message.empty()) vue_.Services().dialogues.Message(message);
  return message;
}

// ---- Test runs.

void Montage::Diaporama(EmetteurMontage emetteur, bool depuisLigne) {
  Dialogues& dialogues = vue_.Services().dialogues;
  if (lignes_.empty()) {
    dialogues.Message(Cp("La liste est vide !\r    et ne peut donc être affichée..."));
    return;
  }
  const bool visuel = std::any_of(lignes_.begin(), lignes_.end(), [this](const Texte& l) {
    const int g = Genre(l);
    return EstVisuel(g) || g == Genre::SousListe;
  });
  if (!visuel) {
    dialogues.Message(Cp("La liste ne contient pas d'image\r    et ne peut donc être affichée..."));
    return;
  }
  vue_.Medias = lignes_;
  const StyleChemins style = fichiers_.Style();
  if (NomListe == kSansNom) {
    vue_.CheminListe = kSansNom;
    vue_.DossierProjection = DossierListe.empty() ? fichiers_.DossierCourant() : DossierListe;
  } else {
    vue_.CheminListe = CheminComplet(NomListe, fichiers_.DossierCourant(), style);
    vue_.DossierProjection = SansBarre(DossierDe(vue_.CheminListe, style));
  }
  vue_.CreerPopDrapeaux();
  if (emetteur == EmetteurMontage::bts_suivi) {
    vue_.SuiviListe = vue_.ListePropre = true;
  } else {
    FermerListe(EmetteurMontage::bt_Diaporama);
    vue_.TestMontage = true;
  }
  vue_.CodeDiapo = 470;
  vue_.FormatDiapo();
  Rafraichir();
  if (depuisLigne)
    TesterListe();
  else
    vue_.Debut(Emetteur::Aucun);
}

void Montage::TesterListe() {
  if (lignes_.empty()) return;
  const Tables& tables = vue_.TablesEnCours();
  int s = std::clamp(LigneCourante, 0, Compte() - 1);
  long long t = 0, e = 0;
  int p = -1, a = 0;
  bool visuel = false, tempoConnu = false;
  vue_.AudioDebut = 0;
  vue_.ExecutionMuette = true;
  const auto motCle = [&](const Texte& l) { return CodeMotCle(MotCle(l), tables); };
  for (int i = s - 1; i >= 0; --i) {
    const Texte& ligne = lignes_[static_cast<size_t>(i)];
    const int genre = Genre(ligne);
    if (EstVisuel(genre)) {
      if (!visuel) s = i;
      visuel = true;
    } else if (EstSon(genre)) {
      if (p < 0) {
        p = i;
        vue_.Charger(ligne);
      } else if (a == 0) {
        a = i;
      }
    } else if (genre == Genre::Instruction && motCle(ligne) == kTempo) {
      if (p >= 0 && !tempoConnu) {
        t = NombreOuZero(ligne);
        tempoConnu = true;
      }
    } else if ((genre == Genre::Instruction && (motCle(ligne) == 1 || motCle(ligne) == 13 || motCle(ligne) == 14)) ||
               genre == Genre::Ressource || genre == Genre::Drapeau) {
      if (a == 0) a = i;
      break;
    }
    if (tempoConnu && a > 0) break;
  }
  for (int i = a + 1; i < s; ++i) {
    const Texte& ligne = lignes_[static_cast<size_t>(i)];
    const int genre = Genre(ligne);
    if (p >= 0 && i > p && EstVisuel(genre)) {
      e += t;
    } else if (i == p) {
      e = t;
    } else if (genre == Genre::Instruction && motCle(ligne) == kTempo && p >= 0 && i > p) {
      e -= t;
      t = NombreOuZero(ligne);
      e += t;
    } else if (genre == Genre::Instruction && motCle(ligne) != 20) {
      vue_.Charger(ligne);
    }
  }
  if (p >= 0) {
    for (int i = s + 1; i < Compte(); ++i) {
      const Texte& ligne = lignes_[static_cast<size_t>(i)];
      const int genre = Genre(ligne);
      if (EstVisuel(genre)) break;
      if (genre != Genre::Instruction) continue;
      const int code = CodeCombine(ligne, tables);
      const int mc = code / 100;
      if (code == 102 || code == 103 || code == 106 || mc == 13 || mc == 14 || mc == 15 || mc == 81) break;
      if (mc == kTempo) {
        e = e - t + NombreOuZero(ligne);
        t = NombreOuZero(ligne);
        break;
      }
    }
    if (t == 0) vue_.Services().dialogues.Message(Cp("Aucune instruction Tempo trouvée !!\rSynchronisation impossible."));
  }
  if (t > 0) vue_.Timer1.setInterval(static_cast<int>(t));
  vue_.ExecutionMuette = false;
  vue_.IndexCourant = s;
  vue_.Verifier();
  vue_.Charger(lignes_[static_cast<size_t>(s)]);
  if (!vue_.AvanceAuto) vue_.AvanceAM(Emetteur::Aucun);
  if (p >= 0) {
    vue_.AudioCourant.clear();
    vue_.AudioDebut += static_cast<int>(e);
    DecalageAudio = vue_.AudioDebut;
    vue_.Charger(lignes_[static_cast<size_t>(p)]);
  }
  vue_.Suivant(Emetteur::Aucun);
}

// ---- Languages.

bool Montage::Traduire() {
  if (!DeuxiemeLangue(vue_.Langue)) {
    vue_.Services().dialogues.Message(Cp("Choisir auparavant une deuxième langue !..."));
    return false;
  }
  Instantane();
  Liste traduites;
  traduites.reserve(lignes_.size());
  for (const Texte& ligne : lignes_) traduites.push_back(TraduireLigne(ligne, vue_.Langue));
  const std::vector<char> selection = selection_;
  const int nombre = nombreSelectionnees_;
  lignes_ = std::move(traduites);
  selection_ = selection;
  nombreSelectionnees_ = nombre;
  icones_.assign(lignes_.size(), -2);
  vue_.Langue.langueInstallee = true;
  Modifiee();
  emit ListeChangee();
  return true;
}

bool Montage::InverserLangues() {
  if (!DeuxiemeLangue(vue_.Langue)) {
    vue_.Services().dialogues.Message(Cp("Choisir auparavant une deuxième langue !..."));
    return false;
  }
  plivor::InverserLangues(vue_.Langue);
  icones_.assign(lignes_.size(), -2);
  emit ListeChangee();
  return true;
}

bool Montage::ChangeTempoBase(const Texte& valeur) {
  const auto tempo = LireEntier(valeur);
  if (!tempo || *tempo <= 0) {
    vue_.Services().dialogues.Message(valeur + Cp(" ?? - Entrer une valeur numérique en millisecondes."));
    return false;
  }
  TempoBase = std::to_string(*tempo);
  return true;
}

}  // namespace plivor
