#pragma once
// Keyword and value vocabulary: the four encoded tables and their lookups.
// Every code, identifier and length in a table is one byte of 128 + number.

#include "core/Texte.h"

namespace plivor {

// The keyword and value tables a lookup reads: the built-in French ones or
// those of an installed second language.
struct Tables {
  Texte motsCles;
  Texte valeurs;
};

const Texte& TableMotsCles();
const Texte& TableValeurs();
const Texte& TableClasses();
const Texte& TableGrammaire();
const Tables& TablesFrancaises();

constexpr char OctetCode(int nombre) { return static_cast<char>(128 + nombre); }
constexpr int CodeOctet(char octet) { return static_cast<unsigned char>(octet) - 128; }

int CodeMotCle(std::string_view mot, const Tables& tables = TablesFrancaises());
int CodeValeur(std::string_view mot, const Tables& tables = TablesFrancaises());
Texte NomMotCle(int code, const Tables& tables = TablesFrancaises());
Texte NomValeur(int identifiant, const Tables& tables = TablesFrancaises());

int ClasseMotCle(std::string_view ligne, const Tables& tables = TablesFrancaises());
int CodeCombine(std::string_view ligne, const Tables& tables = TablesFrancaises());

// A grammar record: keyword code, value code, attributes, shown value
// identifier, each byte as stored.
struct FicheGrammaire {
  Texte octets = Texte(4, OctetCode(0));

  int MotCle() const { return CodeOctet(octets[0]); }
  int CodeValeur() const { return CodeOctet(octets[1]); }
  int Attributs() const { return CodeOctet(octets[2]); }
  int IdentifiantValeur() const { return CodeOctet(octets[3]); }
  Texte ExtensionLigne() const;
  int Editeur() const { return (Attributs() >> 2) & 0x0F; }
  bool Vide() const { return octets == Texte(4, OctetCode(0)); }
};

FicheGrammaire EntreeGrammaire(std::string_view ligne, const Tables& tables = TablesFrancaises());

// Editor kinds of the grammar attribute.
namespace Editeur {
constexpr int Fixe = 0, Nombre = 1, TexteLibre = 2, Fichier = 3, Couleur = 4, Police = 5,
              Format = 6, SousChoix = 7, ChoixListe = 8, Geometrie = 9;
}

}  // namespace plivor
