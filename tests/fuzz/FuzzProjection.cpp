// The projection engine on generated sequences: lines made of the
// vocabulary's keywords and values, extreme numbers, small real media,
// sub-lists, a script, flags and jumps, projected on a simulated clock.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>

#include "core/Chemins.h"
#include "core/FichiersListe.h"
#include "core/Vocabulaire.h"
#include "navigation/PanneauNavigation.h"
#include "platform/Audio.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/Ecran.h"
#include "platform/FichiersHote.h"
#include "projection/Cadence.h"
#include "projection/TFVue.h"

namespace plivor {
namespace {

// Reads the fuzzer's bytes; zeros once they are spent.
class Octets {
 public:
  Octets(const std::uint8_t* donnees, std::size_t taille) : donnees_(donnees), taille_(taille) {}
  bool Reste() const { return position_ < taille_; }
  unsigned Un() { return Reste() ? donnees_[position_++] : 0u; }
  unsigned Parmi(unsigned n) { return n == 0 ? 0 : Un() % n; }

 private:
  const std::uint8_t* donnees_;
  std::size_t taille_;
  std::size_t position_ = 0;
};

constexpr long long kExtremes[] = {0,          1,           -1,         2,           12,
                                   13,         100,         255,        600,         1600,
                                   32767,      65535,       1000000000, -1000000000, 2147483647,
                                   -2147483647 - 1, 99999999, -13,     4000000000LL, -200};

std::string Nombre(Octets& o) { return std::to_string(kExtremes[o.Parmi(std::size(kExtremes))]); }

// A value as the editors of the grammar write them, with extreme numbers.
std::string ValeurLibre(Octets& o) {
  switch (o.Parmi(9)) {
    case 0: return Nombre(o);
    case 1: return "W" + Nombre(o) + "H" + Nombre(o);
    case 2: return "X" + Nombre(o) + "Y" + Nombre(o);
    case 3: return Nombre(o) + "%";
    case 4: return "$" + std::string(o.Parmi(2) ? "FFFFFF" : "80FF0080FF");
    case 5: return Nombre(o) + "s";
    case 6: return "Arial;" + Nombre(o) + ";GI";
    case 7: {
      std::string texte;
      for (unsigned n = o.Parmi(24); n > 0; --n) texte += static_cast<char>(o.Un() | 0x20);
      return texte;
    }
    default: return std::string();
  }
}

// One grammar record turned into a line.
Texte LigneGrammaire(Octets& o) {
  const Texte& table = TableGrammaire();
  const std::size_t entrees = table.size() / 4;
  FicheGrammaire fiche;
  fiche.octets = table.substr(4 * ((o.Un() << 8 | o.Un()) % entrees), 4);
  Texte valeur = NomValeur(fiche.IdentifiantValeur());
  if (valeur.empty() || o.Parmi(4) == 0) valeur = ValeurLibre(o);
  return NomMotCle(fiche.MotCle()) + "=" + valeur + fiche.ExtensionLigne();
}

const char* const kMedias[] = {"m/a.jpg", "m/b.gif", "m/c.bmp", "m/d.wav", "m/absent.jpg",
                               "sous.pvl", "autre.pvl", "sc.pvs", "m/a.jpg.pvr", "principale.pvl"};
const char* const kSauts[] = {"Saut=Début.pvi", "Saut=Premier.pvi", "Saut=Dernier.pvi", "Saut=Menu.pvi",
                              "Saut=Suivant.pvi", "Séquence=sous.pvl.pvr", "Séquence=principale.pvl.pvr"};

Texte Ligne(Octets& o, const Texte& dossier) {
  switch (o.Parmi(8)) {
    case 0:
    case 1:
    case 2: return LigneGrammaire(o);
    case 3: {
      const Texte nom = kMedias[o.Parmi(std::size(kMedias))];
      // Absolute or relative to the list's folder.
      return o.Parmi(2) ? dossier + "/" + nom : nom;
    }
    case 4: return std::string("Drapeau=") + static_cast<char>('A' + o.Parmi(4)) + ".pvd";
    case 5: return std::string("AllerA=") + static_cast<char>('A' + o.Parmi(4)) + ".pvi";
    case 6: return VersCp1252(kSauts[o.Parmi(std::size(kSauts))]).value_or(Texte{});
    default: return ValeurLibre(o);
  }
}

Liste Sequence(Octets& o, const Texte& dossier, unsigned longueurMax) {
  Liste lignes;
  for (unsigned n = 1 + o.Parmi(longueurMax); n > 0; --n) lignes.push_back(Ligne(o, dossier));
  return lignes;
}

std::string Octets8(std::initializer_list<unsigned char> octets) { return std::string(octets.begin(), octets.end()); }

void EcrireFichier(const QString& chemin, const std::string& octets) {
  std::ofstream(chemin.toStdString(), std::ios::binary) << octets;
}

// Small real media, made once.
struct Atelier {
  Atelier() {
    QDir(dossier.path()).mkdir(QStringLiteral("m"));
    QImage image(24, 18, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(dossier.filePath(QStringLiteral("m/a.jpg")), "JPEG");
    image.save(dossier.filePath(QStringLiteral("m/c.bmp")), "BMP");
    EcrireFichier(dossier.filePath(QStringLiteral("m/b.gif")),
                  Octets8({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xff, 0, 0, 0, 0, 0, ',', 0, 0, 0,
                           0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, ';'}));
    // A tenth of a second of silence, 8 kHz mono.
    std::string wav = Octets8({'R', 'I', 'F', 'F', 0x64, 6, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                               16, 0, 0, 0, 1, 0, 1, 0, 0x40, 0x1f, 0, 0, 0x80, 0x3e, 0, 0, 2, 0, 16, 0,
                               'd', 'a', 't', 'a', 0x40, 6, 0, 0});
    wav.append(1600, '\0');
    EcrireFichier(dossier.filePath(QStringLiteral("m/d.wav")), wav);
    racine = LigneDepuisHote(dossier.path().toStdString()).value();
  }
  QTemporaryDir dossier;
  Texte racine;
};

Atelier& LAtelier() {
  static int argc = 1;
  static char nom[] = "fuzz_projection";
  static char* argv[] = {nom, nullptr};
  static const bool plateforme = qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(argc, argv);
  static Atelier atelier;
  (void)plateforme;
  return atelier;
}

}  // namespace
}  // namespace plivor

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace plivor;
  Atelier& atelier = LAtelier();
  Octets o(donnees, taille);
  const unsigned reglages = o.Un();

  // The lists of this input: the projected one, two sub-lists and a script.
  const Liste principale = Sequence(o, atelier.racine, 24);
  const auto ecrire = [&](const char* nom, const Liste& lignes) {
    EcrireFichier(atelier.dossier.filePath(QString::fromLatin1(nom)), JoindreLignes(lignes));
  };
  ecrire("principale.pvl", principale);
  ecrire("sous.pvl", Sequence(o, atelier.racine, 8));
  ecrire("autre.pvl", Sequence(o, atelier.racine, 8));
  ecrire("sc.pvs", Sequence(o, atelier.racine, 8));

  FichiersHote fichiers;
  fichiers.ChangerDossier(atelier.racine);
  DialoguesScriptes dialogues;
  CoucheAudioSilencieuse audio;
  EcranFixe ecran(QSize(320, 240));
  CadenceSimulee cadence;
  BureauEnregistre bureau;
  VoisinsNavigation voisins;
  TFVue vue(ServicesVue{fichiers, dialogues, audio, ecran, cadence, bureau, voisins, atelier.racine});
  vue.CheminProgramme = Joindre(atelier.racine, "plivor", fichiers.Style());
  vue.IgnorerAbsents = reglages & 1;
  vue.IgnorerAudio = reglages & 2;
  vue.Muet = reglages & 4;

  vue.Medias = principale;
  vue.CheminListe = Joindre(atelier.racine, "principale.pvl", fichiers.Style());
  vue.DossierProjection = atelier.racine;
  vue.IndexCourant = 0;
  vue.Charger(vue.Medias.front());
  // The viewer's own moves between the timer's steps.
  for (int pas = 0; pas < 40 && !vue.Medias.empty(); ++pas) {
    switch (o.Parmi(8)) {
      case 0: vue.Precedent(); break;
      case 1: vue.Debut(); break;
      case 2: vue.AllerDrapeau(static_cast<int>(o.Parmi(6)) - 1); break;
      default: vue.Suivant(Emetteur::Minuterie); break;
    }
  }
  return 0;
}
