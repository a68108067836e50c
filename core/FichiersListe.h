#pragma once
// On-disk form of lists, scripts and flag-menu files: one line per text
// line, Windows-1252, CR LF when written.

#include "core/Lignes.h"
#include "core/Services.h"

namespace plivor {

// CR LF, a lone CR or a lone LF end a line; a final break adds no empty
// line; a NUL byte ends the text. Lines are kept exactly as they stand.
Liste DecouperLignes(std::string_view contenu);
std::string JoindreLignes(const Liste& lignes);

struct ListeLue {
  Liste lignes;
  bool enUtf8 = false;  // the file was UTF-8 (written by a Linux editor)
  // 0-based lines holding characters Windows-1252 cannot represent;
  // such a character reads as "?".
  std::vector<int> lignesIntraduisibles;
};

// A file in UTF-8 (with its mark, or valid UTF-8 holding non-ASCII
// letters) is converted; any other is taken as Windows-1252.
ListeLue DecoderListe(std::string_view contenu);

// Nothing when the file cannot be read.
std::optional<ListeLue> LireListe(const Texte& chemin, const ServicesFichiers& fichiers);
bool EcrireListe(const Texte& chemin, const Liste& lignes, ServicesFichiers& fichiers);

}  // namespace plivor
