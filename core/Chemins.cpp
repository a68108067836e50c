#include "core/Chemins.h"

namespace plivor {

namespace {

std::vector<Texte> Decouper(std::string_view chemin) {
  std::vector<Texte> parties;
  Texte courante;
  for (char c : chemin) {
    if (EstSeparateur(c)) {
      if (!courante.empty()) parties.push_back(courante);
      courante.clear();
    } else {
      courante += c;
    }
  }
  if (!courante.empty()) parties.push_back(courante);
  return parties;
}

// Index of the last separator (or Windows drive colon), npos when none.
std::size_t FinDossier(std::string_view chemin, StyleChemins style) {
  for (std::size_t i = chemin.size(); i-- > 0;) {
    if (EstSeparateur(chemin[i])) return i;
    if (style == StyleChemins::Windows && chemin[i] == ':' && i == 1) return i;
  }
  return std::string_view::npos;
}

}  // namespace

char Separateur(StyleChemins style) { return style == StyleChemins::Windows ? '\\' : '/'; }

bool EstSeparateur(char c) { return c == '\\' || c == '/'; }

Texte AvecSeparateurs(std::string_view chemin, StyleChemins style) {
  Texte r(chemin);
  for (char& c : r)
    if (EstSeparateur(c)) c = Separateur(style);
  return r;
}

Texte Racine(std::string_view chemin, StyleChemins style) {
  if (style == StyleChemins::Posix)
    return !chemin.empty() && EstSeparateur(chemin[0]) ? Texte("/") : Texte();
  if (chemin.size() >= 2 && chemin[1] == ':') return Texte(chemin.substr(0, 2));
  if (chemin.size() > 2 && EstSeparateur(chemin[0]) && EstSeparateur(chemin[1])) {
    // \\server\share
    std::size_t fin = 2;
    int parties = 0;
    while (fin < chemin.size()) {
      if (EstSeparateur(chemin[fin]) && ++parties == 2) break;
      ++fin;
    }
    return AvecSeparateurs(chemin.substr(0, fin), style);
  }
  return Texte();
}

bool EstAbsolu(std::string_view chemin, StyleChemins style) {
  if (style == StyleChemins::Posix) return !Racine(chemin, style).empty();
  const Texte racine = Racine(chemin, style);
  if (racine.size() == 2) return chemin.size() > 2 && EstSeparateur(chemin[2]);
  return !racine.empty();
}

bool MemeComposante(std::string_view a, std::string_view b, StyleChemins style) {
  return style == StyleChemins::Windows ? EgalSansCasse(a, b) : a == b;
}

Texte DossierDe(std::string_view chemin, StyleChemins style) {
  const std::size_t fin = FinDossier(chemin, style);
  if (fin == std::string_view::npos) return Texte();
  if (chemin[fin] == ':') return Texte(chemin.substr(0, fin + 1));
  return Texte(chemin.substr(0, fin));
}

Texte NomDeFichier(std::string_view chemin) {
  for (std::size_t i = chemin.size(); i-- > 0;)
    if (EstSeparateur(chemin[i]) || (chemin[i] == ':' && i == 1)) return Texte(chemin.substr(i + 1));
  return Texte(chemin);
}

Texte Joindre(std::string_view dossier, std::string_view nom, StyleChemins style) {
  Texte r(dossier);
  while (!r.empty() && EstSeparateur(r.back())) r.pop_back();
  return r + Separateur(style) + AvecSeparateurs(nom, style);
}

Texte CheminRelatif(std::string_view fichier, std::string_view dossierBase, StyleChemins style) {
  const Texte racineFichier = Racine(fichier, style);
  const Texte racineBase = Racine(dossierBase, style);
  if (!MemeComposante(racineFichier, racineBase, StyleChemins::Windows) || racineFichier.empty())
    return Texte(fichier);
  const auto base = Decouper(std::string_view(dossierBase).substr(racineBase.size()));
  const Texte dossierFichier = DossierDe(fichier, style);
  const auto cible = Decouper(std::string_view(dossierFichier).substr(
      std::min(racineFichier.size(), dossierFichier.size())));
  std::size_t communes = 0;
  while (communes < base.size() && communes < cible.size() &&
         MemeComposante(base[communes], cible[communes], style))
    ++communes;
  Texte r;
  const char sep = Separateur(style);
  for (std::size_t i = communes; i < base.size(); ++i) r += Texte("..") + sep;
  for (std::size_t i = communes; i < cible.size(); ++i) r += cible[i] + sep;
  return r + NomDeFichier(fichier);
}

Texte CheminComplet(std::string_view chemin, std::string_view courant, StyleChemins style) {
  Texte racine = Racine(chemin, style);
  std::string_view reste = std::string_view(chemin).substr(racine.size());
  Texte origine;
  if (!EstAbsolu(chemin, style)) {
    if (racine.empty() && !reste.empty() && EstSeparateur(reste[0]))
      racine = Racine(courant, style);  // "\dossier": root of the current drive
    else
      origine = Texte(courant);
  }
  if (racine.empty()) racine = Racine(courant, style);
  std::vector<Texte> parties;
  const Texte tout = origine.empty() ? Texte(reste)
                                     : Texte(std::string_view(origine).substr(Racine(origine, style).size())) + "/" + Texte(reste);
  for (const Texte& partie : Decouper(tout)) {
    if (partie == ".") continue;
    if (partie == "..") {
      if (!parties.empty()) parties.pop_back();
      continue;
    }
    parties.push_back(partie);
  }
  const char sep = Separateur(style);
  Texte r = style == StyleChemins::Posix ? Texte() : AvecSeparateurs(racine, style);
  if (parties.empty()) return r + sep;
  for (const Texte& partie : parties) r += sep + partie;
  return r;
}

namespace {

bool MasqueCorrespond(std::string_view nom, std::string_view masque) {
  // Iterative match with one backtrack point for the last "*".
  std::size_t n = 0, m = 0, etoile = std::string_view::npos, reprise = 0;
  while (n < nom.size()) {
    if (m < masque.size() && (masque[m] == '?' || MinusculeCp(masque[m]) == MinusculeCp(nom[n]))) {
      ++n;
      ++m;
    } else if (m < masque.size() && masque[m] == '*') {
      etoile = m++;
      reprise = n;
    } else if (etoile != std::string_view::npos) {
      m = etoile + 1;
      n = ++reprise;
    } else {
      return false;
    }
  }
  while (m < masque.size() && masque[m] == '*') ++m;
  return m == masque.size();
}

}  // namespace

bool NomCorrespond(std::string_view nom, std::string_view masque) {
  std::size_t debut = 0;
  while (debut <= masque.size()) {
    std::size_t fin = masque.find(';', debut);
    if (fin == std::string_view::npos) fin = masque.size();
    const std::string_view un = masque.substr(debut, fin - debut);
    if (!un.empty() && MasqueCorrespond(nom, un)) return true;
    debut = fin + 1;
  }
  return false;
}

int NumeroPisteCd(std::string_view chemin) {
  const Texte nom = Minuscules(NomDeFichier(chemin));
  // "track" + digits + ".cda"
  if (nom.size() < 10 || nom.compare(0, 5, "track") != 0 || nom.compare(nom.size() - 4, 4, ".cda") != 0)
    return 0;
  const auto numero = LireEntier(std::string_view(nom).substr(5, nom.size() - 9));
  return numero && *numero > 0 && *numero < 100 ? static_cast<int>(*numero) : 0;
}

}  // namespace plivor
