// Writes the help page of the sequence language into the help folder given
// as argument; run by the build, so that the page follows the tables.

#include <cstdio>
#include <filesystem>
#include <string>

#include "aide/LangageSequences.h"
#include "platform/Enregistrement.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage : %s <dossier d'aide>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dossier(argv[1]);
  std::error_code erreur;
  std::filesystem::create_directories(dossier, erreur);
  const auto page = dossier / (std::to_string(plivor::kRubriqueLangage) + ".html");
  if (!plivor::EnregistrerFichier(page, plivor::PageLangage())) {
    std::fprintf(stderr, "Impossible d'écrire %s\n", page.c_str());
    return 1;
  }
  return 0;
}
