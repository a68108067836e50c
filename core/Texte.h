#pragma once
// Text of the sequence language: single-byte Windows-1252 strings.

#include <optional>
#include <string>
#include <string_view>

namespace plivor {

using Texte = std::string;  // Windows-1252 bytes

// Windows-1252 letter case, accented letters included.
char MinusculeCp(char c);
char MajusculeCp(char c);
Texte Minuscules(std::string_view texte);
Texte Majuscules(std::string_view texte);
bool EgalSansCasse(std::string_view a, std::string_view b);

// Conversions between Windows-1252 and the UTF-8 of the user interface and
// of host file names. A UTF-8 text holding a character that Windows-1252
// cannot represent gives no result: it is never replaced silently.
std::string VersUtf8(std::string_view cp1252);
std::optional<Texte> VersCp1252(std::string_view utf8);
bool EstUtf8Valide(std::string_view octets);

// A UTF-8 literal of our own sources, known to fit Windows-1252.
Texte Cp(std::string_view utf8);

// Integer of a whole decimal text, optional sign; nothing for other texts.
std::optional<long long> LireEntier(std::string_view texte);

}  // namespace plivor
