// Writes the pages of the help that are made, not written: the sequence
// language from the vocabulary tables, and in the sequence help a relay to
// each page of the program's help, for the windows that open their topic in
// whichever help file is in force. Run by the build.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "aide/LangageSequences.h"
#include "platform/Enregistrement.h"

namespace fs = std::filesystem;

namespace {

std::string Contenu(const fs::path& fichier) {
  std::ifstream entree(fichier, std::ios::binary);
  std::ostringstream texte;
  texte << entree.rdbuf();
  return texte.str();
}

std::string Titre(const std::string& page) {
  const auto debut = page.find("<title>");
  const auto fin = page.find("</title>");
  if (debut == std::string::npos || fin == std::string::npos || fin < debut) return "Aide de Plivor";
  return page.substr(debut + 7, fin - debut - 7);
}

bool EstRubrique(const fs::path& page) {
  const std::string nom = page.stem().string();
  return page.extension() == ".html" && !nom.empty() && nom.find_first_not_of("0123456789") == std::string::npos;
}

std::string Relais(const std::string& rubrique, const std::string& titre) {
  return "<html><head><meta charset=\"utf-8\"><title>" + titre + "</title></head><body>\n<h2>" + titre +
         "</h2>\n<p class=\"relais\">Cette rubrique est dans l'aide de Plivor : <a href=\"../Plivor.hlp/" +
         rubrique + ".html\">" + titre + "</a>.</p>\n<p><a href=\"index.html\">Écrire une séquence</a> — "
         "<a href=\"../Plivor.hlp/index.html\">Sommaire</a></p>\n</body></html>\n";
}

bool Ecrire(const fs::path& page, const std::string& contenu) {
  if (plivor::EnregistrerFichier(page, contenu)) return true;
  std::fprintf(stderr, "Impossible d'écrire %s\n", page.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage : %s <Plivor-S.hlp construit> <Plivor.hlp source> <Plivor-S.hlp source>\n", argv[0]);
    return 2;
  }
  const fs::path sortie(argv[1]), programme(argv[2]), sequences(argv[3]);
  std::error_code erreur;
  fs::create_directories(sortie, erreur);
  bool reussi = Ecrire(sortie / (std::to_string(plivor::kRubriqueLangage) + ".html"), plivor::PageLangage());
  for (const auto& entree : fs::directory_iterator(programme, erreur)) {
    const fs::path page = entree.path();
    if (!EstRubrique(page) || fs::exists(sequences / page.filename())) continue;
    reussi = Ecrire(sortie / page.filename(), Relais(page.stem().string(), Titre(Contenu(page)))) && reussi;
  }
  if (erreur) std::fprintf(stderr, "Dossier illisible : %s\n", programme.c_str());
  return reussi && !erreur ? 0 : 1;
}
