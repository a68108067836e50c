#include "core/FichiersListe.h"

#include <algorithm>

namespace plivor {

namespace {

constexpr std::string_view kMarqueUtf8 = "\xEF\xBB\xBF";

bool AOctetsHauts(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Valid UTF-8 with at least one sequence of three bytes or more.
bool Utf8Long(std::string_view s) {
  if (!EstUtf8Valide(s)) return false;
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
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

Decoupage DecouperTexte(std::string_view contenu) {
  Decoupage d;
  std::size_t debut = 0;
  auto finir = [&](std::size_t fin) {
    std::string_view brute = contenu.substr(debut, fin - debut);
    const int index = static_cast<int>(d.lignes.size());
    Texte ligne;
    if (brute.find('\0') == std::string_view::npos) {
      ligne.assign(brute);
    } else {
      if (!d.octetNul) d.octetNul = debut + brute.find('\0');
      d.lignesAvecNul.push_back(index);
      for (char c : brute)
        if (c != '\0') ligne += c;
    }
    if (ligne.size() > kLongueurLigneMax) {
      ligne.resize(kLongueurLigneMax);
      d.lignesCoupees.push_back(index);
    }
    d.lignes.push_back(std::move(ligne));
  };
  for (std::size_t i = 0; i < contenu.size(); ++i) {
    const char c = contenu[i];
    if (c != '\r' && c != '\n') continue;
    finir(i);
    if (c == '\r' && i + 1 < contenu.size() && contenu[i + 1] == '\n') ++i;
    debut = i + 1;
  }
  if (debut < contenu.size()) finir(contenu.size());
  return d;
}

Liste DecouperLignes(std::string_view contenu) { return DecouperTexte(contenu).lignes; }

std::vector<int> ListeLue::LignesAlterees() const {
  std::vector<int> r = lignesIntraduisibles;
  r.insert(r.end(), lignesAvecNul.begin(), lignesAvecNul.end());
  r.insert(r.end(), lignesCoupees.begin(), lignesCoupees.end());
  std::sort(r.begin(), r.end());
  r.erase(std::unique(r.begin(), r.end()), r.end());
  return r;
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
  // Without the mark, a text is UTF-8 when every character it would give
  // has a Windows-1252 byte (a list the program saved reads back as the
  // lines it wrote), or when it is valid UTF-8 holding a sequence of three
  // bytes or more (CJK, symbols): such Windows-1252 text is all but unseen,
  // and its characters are then reported, not read as several letters.
  Decoupage d = DecouperTexte(contenu);
  std::string texte;
  texte.reserve(contenu.size());
  for (const Texte& l : d.lignes) texte += l;
  lue.enUtf8 = marque || (AOctetsHauts(texte) && (VersCp1252(texte).has_value() || Utf8Long(texte)));
  lue.lignes = std::move(d.lignes);
  lue.lignesAvecNul = std::move(d.lignesAvecNul);
  lue.octetNul = d.octetNul;
  lue.lignesCoupees = std::move(d.lignesCoupees);
  if (!lue.enUtf8) return lue;
  for (std::size_t i = 0; i < lue.lignes.size(); ++i) {
    bool intraduisible = false;
    lue.lignes[i] = LigneUtf8(lue.lignes[i], intraduisible);
    if (intraduisible) lue.lignesIntraduisibles.push_back(static_cast<int>(i));
  }
  return lue;
}

Texte AvisLecture(const ListeLue& lue) {
  Texte avis;
  if (lue.octetNul)
    avis += Cp("caractère nul à l'octet ") + std::to_string(*lue.octetNul) + Cp(", retiré (ligne ") +
            std::to_string(lue.lignesAvecNul.front() + 1) + Cp(") ; la suite de la liste a été lue.");
  if (!lue.lignesCoupees.empty()) {
    if (!avis.empty()) avis += "\r";
    avis += std::to_string(lue.lignesCoupees.size()) + Cp(" ligne(s) de plus de ") +
            std::to_string(kLongueurLigneMax) + Cp(" caractères, coupée(s) (ligne ") +
            std::to_string(lue.lignesCoupees.front() + 1) + ").";
  }
  return avis;
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
