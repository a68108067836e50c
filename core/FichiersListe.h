#pragma once
// On-disk form of lists, scripts and flag-menu files: one line per text
// line, Windows-1252, CR LF when written.

#include "core/Lignes.h"
#include "core/Services.h"

namespace plivor {

// Longest line read; the rest of a longer one is left out, and said.
inline constexpr std::size_t kLongueurLigneMax = 65536;

// CR LF, a lone CR or a lone LF end a line; a final break adds no empty
// line. A NUL byte is left out of its line and reading goes on: nothing
// after it is lost. Lines are otherwise kept exactly as they stand.
struct Decoupage {
  Liste lignes;
  std::vector<int> lignesAvecNul;      // 0-based lines that held NUL bytes
  std::optional<std::size_t> octetNul;  // offset of the first NUL byte
  std::vector<int> lignesCoupees;      // 0-based lines longer than the bound
};
Decoupage DecouperTexte(std::string_view contenu);
Liste DecouperLignes(std::string_view contenu);
std::string JoindreLignes(const Liste& lignes);

struct ListeLue {
  Liste lignes;
  bool enUtf8 = false;  // the file was UTF-8 (written by a Linux editor)
  // 0-based lines holding characters Windows-1252 cannot represent;
  // such a character reads as "?".
  std::vector<int> lignesIntraduisibles;
  std::vector<int> lignesAvecNul;
  std::optional<std::size_t> octetNul;
  std::vector<int> lignesCoupees;
  // Lines that do not stand as the file holds them, in order, each once.
  std::vector<int> LignesAlterees() const;
};

// A file in UTF-8 (with its mark, or valid UTF-8 holding non-ASCII
// letters) is converted; any other is taken as Windows-1252.
ListeLue DecoderListe(std::string_view contenu);

// What the reading left out (NUL bytes, the ends of over-long lines), in
// French; empty when nothing was.
Texte AvisLecture(const ListeLue& lue);

// Nothing when the file cannot be read.
std::optional<ListeLue> LireListe(const Texte& chemin, const ServicesFichiers& fichiers);
bool EcrireListe(const Texte& chemin, const Liste& lignes, ServicesFichiers& fichiers);

}  // namespace plivor
