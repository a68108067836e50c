#include "core/FichiersListe.h"

#include <algorithm>

namespace plivor {

namespace {

constexpr std::string_view kMarqueUtf8 = "\xEF\xBB\xBF";

bool AOctetsHauts(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Converts one UTF-8 line. A character outside Windows-1252 becomes "?"
// and is reported; a byte that starts no valid sequence stands for itself,
// as Windows-1252, so nothing after it is lost.
Texte LigneUtf8(std::string_view ligne, bool& intraduisible) {
  if (auto directe = VersCp1252(ligne)) return *directe;
  Texte r;
  std::size_t i = 0;
  while (i < ligne.size()) {
    const auto b = static_cast<unsigned char>(ligne[i]);
    const std::size_t longueur = std::min<std::size_t>(b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1,
                                                        ligne.size() - i);
    const std::string_view sequence = ligne.substr(i, longueur);
    if (!EstUtf8Valide(sequence)) {
      r += ligne[i++];
      continue;
    }
    const auto caractere = VersCp1252(sequence);
    if (!caractere) intraduisible = true;
    r += caractere ? *caractere : Texte("?");
    i += longueur;
  }
  return r;
}

}  // namespace

Liste DecouperLignes(std::string_view contenu) {
  const std::size_t nul = contenu.find('\0');
  if (nul != std::string_view::npos) contenu = contenu.substr(0, nul);
  Liste lignes;
  std::size_t debut = 0;
  for (std::size_t i = 0; i < contenu.size(); ++i) {
    const char c = contenu[i];
    if (c != '\r' && c != '\n') continue;
    lignes.emplace_back(contenu.substr(debut, i - debut));
    if (c == '\r' && i + 1 < contenu.size() && contenu[i + 1] == '\n') ++i;
    debut = i + 1;
  }
  if (debut < contenu.size()) lignes.emplace_back(contenu.substr(debut));
  return lignes;
}

std::string JoindreLignes(const Liste& lignes) {
  std::size_t taille = 0;
  for (const Texte& l : lignes) taille += l.size() + 2;
  std::string r;
  r.reserve(taille);
  for (const Texte& l : lignes) {
    r += l;
    r += "\r\n";
  }
  return r;
}

ListeLue DecoderListe(std::string_view contenu) {
  ListeLue lue;
  const bool marque = contenu.substr(0, kMarqueUtf8.size()) == kMarqueUtf8;
  if (marque) contenu.remove_prefix(kMarqueUtf8.size());
  // Without the mark, a text is UTF-8 only when every character it would
  // give has a Windows-1252 byte: a list the program saved always reads
  // back as the lines it wrote.
  const std::string_view texte = contenu.substr(0, contenu.find('\0'));
  lue.enUtf8 = marque || (AOctetsHauts(texte) && VersCp1252(texte).has_value());
  lue.lignes = DecouperLignes(contenu);
  if (!lue.enUtf8) return lue;
  for (std::size_t i = 0; i < lue.lignes.size(); ++i) {
    bool intraduisible = false;
    lue.lignes[i] = LigneUtf8(lue.lignes[i], intraduisible);
    if (intraduisible) lue.lignesIntraduisibles.push_back(static_cast<int>(i));
  }
  return lue;
}

std::optional<ListeLue> LireListe(const Texte& chemin, const ServicesFichiers& fichiers) {
  const auto contenu = fichiers.LireFichier(chemin);
  if (!contenu) return std::nullopt;
  return DecoderListe(*contenu);
}

bool EcrireListe(const Texte& chemin, const Liste& lignes, ServicesFichiers& fichiers) {
  return fichiers.EcrireFichier(chemin, JoindreLignes(lignes));
}

}  // namespace plivor
