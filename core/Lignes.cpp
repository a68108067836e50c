#include "core/Lignes.h"

#include <array>

#include "core/Vocabulaire.h"

namespace plivor {

namespace {

constexpr std::string_view kExtensions =
    ".jpg.wav.rtf.pvi.pvl.pvv.pvr.pvs.bmp.wmf.emf.mid.txt.mp3.rmi.cda.avi.swf.gif.pvd";

// Kind by the 0-based rank of the extension in the list above.
constexpr std::array<int, 20> kGenres = {1, 2, 3, 4, 5, 14, 24, 15, 31, 41,
                                         41, 22, 13, 32, 22, 12, 8, 18, 11, 34};

// Extensions of today, looked up only when the list above has none, so
// that every line of old keeps its kind.
struct ExtensionRecente {
  std::string_view extension;
  int genre;
};
constexpr ExtensionRecente kExtensionsRecentes[] = {
    {".jpeg", Genre::Jpeg}, {".jfif", Genre::Jpeg}, {".jpe", Genre::Jpeg},  {".png", Genre::Png},
    {".webp", Genre::Webp}, {".tif", Genre::Tiff},  {".tiff", Genre::Tiff}, {".heic", Genre::Heif},
    {".heif", Genre::Heif}, {".avif", Genre::Avif}, {".flac", Genre::Flac}, {".ogg", Genre::Ogg},
    {".oga", Genre::Ogg},   {".opus", Genre::Opus}, {".m4a", Genre::M4a},   {".aac", Genre::M4a},
};

int GenreRecent(std::string_view ligne) {
  for (const auto& [extension, genre] : kExtensionsRecentes)
    if (ligne.size() > extension.size() &&
        Minuscules(ligne.substr(ligne.size() - extension.size())) == extension)
      return genre;
  return Genre::Inconnu;
}

}  // namespace

int GenreExtension(std::string_view ligne) {
  const std::string_view fin = ligne.size() > 4 ? ligne.substr(ligne.size() - 4) : ligne;
  const Texte ext = Minuscules(fin);
  if (ext.size() < 4) return Genre::Inconnu;
  const std::size_t position = kExtensions.find(ext);
  if (position == std::string_view::npos || position % 4 != 0) return GenreRecent(ligne);
  return kGenres[position / 4];
}

int ClasserLigne(const Texte& ligne, const ServicesFichiers& fichiers, bool modeInsertion) {
  const int genre = GenreExtension(ligne);
  switch (genre) {
    case Genre::Instruction:
    case Genre::InstructionTexte:
    case Genre::Drapeau:
      return genre;
    case Genre::Ressource:
      if (modeInsertion) return genre;
      return fichiers.FichierExiste(Valeur(ligne)) ? genre : Genre::Absent;
    default:
      if (ligne.empty()) return Genre::Absent;
      return fichiers.FichierExiste(ligne) ? genre : Genre::Absent;
  }
}

Texte MotCle(std::string_view ligne) {
  const std::size_t egal = ligne.find('=');
  if (egal == std::string_view::npos) return Texte();
  return Texte(ligne.substr(0, egal));
}

Texte Valeur(std::string_view ligne) {
  const std::size_t egal = ligne.find('=');
  const std::string_view reste = egal == std::string_view::npos ? ligne : ligne.substr(egal + 1);
  return Texte(reste.substr(0, reste.size() > 4 ? reste.size() - 4 : 0));
}

Texte Extension(std::string_view ligne) {
  return Texte(ligne.size() > 4 ? ligne.substr(ligne.size() - 4) : ligne);
}

Texte SansBarre(std::string_view chemin) {
  if (!chemin.empty() && EstSeparateur(chemin.back())) return Texte(chemin.substr(0, chemin.size() - 1));
  return Texte(chemin);
}

int IndexBorne(int compte, int index) {
  if (index < 0) return compte - 1;
  if (index > compte - 1) return 0;
  return index;
}

int IndexBorne(const Liste& liste, int index) { return IndexBorne(static_cast<int>(liste.size()), index); }

bool EstImage(int genre) {
  switch (genre) {
    case Genre::Jpeg: case Genre::Gif: case Genre::Bmp: case Genre::Png: case Genre::Webp:
    case Genre::Tiff: case Genre::Heif: case Genre::Avif:
      return true;
    default:
      return false;
  }
}

bool EstFichierSon(int genre) {
  switch (genre) {
    case Genre::Wav: case Genre::Midi: case Genre::Mp3: case Genre::Flac: case Genre::Ogg:
    case Genre::Opus: case Genre::M4a:
      return true;
    default:
      return false;
  }
}

bool EstSon(int genre) { return genre == Genre::PisteCd || EstFichierSon(genre); }

bool EstChemin(int genre) {
  switch (genre) {
    case 5: case 13: case 15:
      return true;
    default:
      return EstImage(genre) || EstSon(genre);
  }
}

namespace {

int IconeInstruction(int motCle) {
  switch (motCle) {
    case 0: return 20;
    case 1: case 2: case 12: return 6;
    case 9: return 5;
    case 13: case 14: return 7;
    case 20: case 21: case 23: case 24: case 25: case 26: return 8;
    case 42: return 11;
    case 60: case 61: return 12;
    case 68: case 69: return 13;
    case 76: return 18;
    default: break;
  }
  if ((motCle >= 30 && motCle <= 39) && motCle != 32) return 9;
  if (motCle == 40 || motCle == 41 || motCle == 43 || motCle == 44 || motCle == 48 || motCle == 49) return 10;
  if ((motCle >= 70 && motCle <= 72) || motCle == 74 || motCle == 75 || motCle == 79) return 14;
  if (motCle == 80 || motCle == 83 || motCle == 84 || motCle == 88 || motCle == 89) return 15;
  return -1;
}

int IconeTexte(int motCle) {
  if (motCle >= 0 && motCle <= 9) return 20;
  if (motCle >= 30 && motCle <= 39) return 21;
  if (motCle >= 40 && motCle <= 49) return 3;
  if (motCle >= 70 && motCle <= 79) return 4;
  return -1;
}

int IconeRessource(int motCle) {
  switch (motCle) {
    case 0: return 20;
    case 5: case 6: case 7: case 16: return 23;
    case 15: return 22;
    case 81: return 7;
    default: return -1;
  }
}

}  // namespace

int IconeLigne(const Texte& ligne, const ServicesFichiers& fichiers, const Tables& tables,
               bool modeInsertion) {
  const int genre = ClasserLigne(ligne, fichiers, modeInsertion);
  if (EstImage(genre)) return 2;
  if (EstSon(genre)) return 1;
  switch (genre) {
    case 5: return 16;
    case 15: return 17;
    case 34: return 0;
    case 0: return 20;
    case -1: return 19;
    case 4: return IconeInstruction(CodeMotCle(MotCle(ligne), tables));
    case 14: return IconeTexte(CodeMotCle(MotCle(ligne), tables));
    case 24: return IconeRessource(CodeMotCle(MotCle(ligne), tables));
    default: return -1;
  }
}

}  // namespace plivor
