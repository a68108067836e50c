#include "core/Vocabulaire.h"

#include "core/Lignes.h"

namespace plivor {

namespace {

constexpr int kMenu = 12;
constexpr int kIdentifiantMasquer = 6;
constexpr int kMenuMasquer = 12;

// Code stored just before the key "128+length, word"; 0 when absent or
// found only inside the header.
int CodeAvantCle(const Texte& table, std::string_view mot) {
  if (mot.empty() || mot.size() > 127) return 0;
  Texte cle(1, OctetCode(static_cast<int>(mot.size())));
  cle += mot;
  const std::size_t position = table.find(cle);
  if (position == Texte::npos || position + 1 < 3) return 0;
  return CodeOctet(table[position - 1]);
}

// Value code that a keyword of class 0 takes with this value word: the
// value table's code, but Menu=Masquer carries 12 in its grammar entry.
int CodeValeurPour(int motCle, std::string_view valeur, const Tables& tables) {
  // Only the word itself: "Pause" shares its value code 2 but not its entry.
  if (motCle == kMenu && valeur == NomValeur(kIdentifiantMasquer, tables)) return kMenuMasquer;
  return CodeValeur(valeur, tables);
}

// The class byte of a keyword code; nothing when the code has no class.
std::optional<int> ClasseDe(int motCle) {
  const Texte& table = TableClasses();
  const Texte cle = {'+', OctetCode(motCle)};
  const std::size_t position = table.find(cle);
  if (position == Texte::npos || position + 1 <= 1 || position + 2 >= table.size()) return std::nullopt;
  return CodeOctet(table[position + 2]);
}

}  // namespace

int CodeMotCle(std::string_view mot, const Tables& tables) { return CodeAvantCle(tables.motsCles, mot); }

int CodeValeur(std::string_view mot, const Tables& tables) { return CodeAvantCle(tables.valeurs, mot); }

Texte NomMotCle(int code, const Tables& tables) {
  const Texte& table = tables.motsCles;
  const Texte cle = {'+', OctetCode(((code % 128) + 128) % 128)};
  const std::size_t position = table.find(cle);
  if (position == Texte::npos || position + 2 >= table.size()) return Texte();
  const std::size_t longueur = static_cast<std::size_t>(CodeOctet(table[position + 2]));
  return table.substr(position + 3, longueur);
}

Texte NomValeur(int identifiant, const Tables& tables) {
  const Texte& table = tables.valeurs;
  if (identifiant < 0 || identifiant > 127) return "Erreur";
  const Texte cle = {'=', OctetCode(identifiant)};
  const std::size_t position = table.find(cle);
  if (position == Texte::npos || position + 3 >= table.size()) return "Erreur";
  const std::size_t longueur = static_cast<std::size_t>(CodeOctet(table[position + 3]));
  return table.substr(position + 4, longueur);
}

int ClasseMotCle(std::string_view ligne, const Tables& tables) {
  return ClasseDe(CodeMotCle(MotCle(ligne), tables)).value_or(-1);
}

int CodeCombine(std::string_view ligne, const Tables& tables) {
  const int motCle = CodeMotCle(MotCle(ligne), tables);
  const auto classe = ClasseDe(motCle);
  if (!classe) return 0;
  int code = motCle * 100;
  if (*classe == 0) code += CodeValeurPour(motCle, Valeur(ligne), tables);
  return code < 0 ? 0 : code;
}

Texte FicheGrammaire::ExtensionLigne() const {
  static constexpr char kLettres[] = {'i', 'v', 'r', 'd'};
  return Texte(".pv") + kLettres[Attributs() & 0x03];
}

FicheGrammaire EntreeGrammaire(std::string_view ligne, const Tables& tables) {
  const int motCle = CodeMotCle(MotCle(ligne), tables);
  const auto classe = ClasseDe(motCle);
  if (!classe) return {};
  const int valeur = *classe == 0 ? CodeValeurPour(motCle, Valeur(ligne), tables) : 0;
  const Texte& table = TableGrammaire();
  const Texte cle = {'+', OctetCode(motCle), OctetCode(valeur)};
  const std::size_t position = table.find(cle);
  if (position == Texte::npos || position + 1 < 6 || position + 5 > table.size()) return {};
  FicheGrammaire fiche;
  fiche.octets = table.substr(position + 1, 4);
  return fiche;
}

}  // namespace plivor
