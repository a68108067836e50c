#include "core/Texte.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <stdexcept>

namespace plivor {

namespace {

// Unicode of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves
// undefined map to the C1 controls of the same value, as Windows does,
// so that every byte round-trips.
constexpr std::array<char32_t, 32> kHaut = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Unicode(unsigned char octet) {
  if (octet >= 0x80 && octet <= 0x9F) return kHaut[octet - 0x80];
  return octet;
}

std::optional<unsigned char> OctetCp(char32_t point) {
  if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<unsigned char>(point);
  for (std::size_t i = 0; i < kHaut.size(); ++i)
    if (kHaut[i] == point) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

void AjouterUtf8(std::string& sortie, char32_t point) {
  if (point < 0x80) {
    sortie += static_cast<char>(point);
  } else if (point < 0x800) {
    sortie += static_cast<char>(0xC0 | (point >> 6));
    sortie += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    sortie += static_cast<char>(0xE0 | (point >> 12));
    sortie += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    sortie += static_cast<char>(0x80 | (point & 0x3F));
  }
}

// Decodes one UTF-8 sequence at `i`, advancing it; nothing when malformed.
std::optional<char32_t> PointUtf8(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int suite = 0;
  char32_t point = 0;
  if (b0 < 0x80) { ++i; return b0; }
  if (b0 >= 0xC2 && b0 <= 0xDF) { suite = 1; point = b0 & 0x1F; }
  else if (b0 >= 0xE0 && b0 <= 0xEF) { suite = 2; point = b0 & 0x0F; }
  else if (b0 >= 0xF0 && b0 <= 0xF4) { suite = 3; point = b0 & 0x07; }
  else return std::nullopt;
  for (int k = 1; k <= suite; ++k) {
    if (i + k >= s.size()) return std::nullopt;
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    point = (point << 6) | (b & 0x3F);
  }
  const char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
  if (point < minimum[suite] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
    return std::nullopt;
  i += suite + 1;
  return point;
}

}  // namespace

char MinusculeCp(char c) {
  const auto o = static_cast<unsigned char>(c);
  if ((o >= 'A' && o <= 'Z') || (o >= 0xC0 && o <= 0xDE && o != 0xD7)) return static_cast<char>(o + 0x20);
  if (o == 0x8A || o == 0x8C || o == 0x8E) return static_cast<char>(o + 0x10);
  if (o == 0x9F) return static_cast<char>(0xFF);
  return c;
}

char MajusculeCp(char c) {
  const auto o = static_cast<unsigned char>(c);
  if ((o >= 'a' && o <= 'z') || (o >= 0xE0 && o <= 0xFE && o != 0xF7)) return static_cast<char>(o - 0x20);
  if (o == 0x9A || o == 0x9C || o == 0x9E) return static_cast<char>(o - 0x10);
  if (o == 0xFF) return static_cast<char>(0x9F);
  return c;
}

Texte Minuscules(std::string_view texte) {
  Texte r(texte);
  for (char& c : r) c = MinusculeCp(c);
  return r;
}

Texte Majuscules(std::string_view texte) {
  Texte r(texte);
  for (char& c : r) c = MajusculeCp(c);
  return r;
}

bool EgalSansCasse(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (MinusculeCp(a[i]) != MinusculeCp(b[i])) return false;
  return true;
}

std::string VersUtf8(std::string_view cp1252) {
  std::string sortie;
  sortie.reserve(cp1252.size() + cp1252.size() / 8);
  for (char c : cp1252) AjouterUtf8(sortie, Unicode(static_cast<unsigned char>(c)));
  return sortie;
}

std::optional<Texte> VersCp1252(std::string_view utf8) {
  Texte sortie;
  sortie.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto point = PointUtf8(utf8, i);
    if (!point) return std::nullopt;
    const auto octet = OctetCp(*point);
    if (!octet) return std::nullopt;
    sortie += static_cast<char>(*octet);
  }
  return sortie;
}

bool EstUtf8Valide(std::string_view octets) {
  for (std::size_t i = 0; i < octets.size();)
    if (!PointUtf8(octets, i)) return false;
  return true;
}

Texte Cp(std::string_view utf8) {
  auto texte = VersCp1252(utf8);
  if (!texte) throw std::logic_error("literal outside Windows-1252");
  return *texte;
}

std::optional<long long> LireEntier(std::string_view texte) {
  std::size_t debut = 0;
  if (!texte.empty() && texte[0] == '+') debut = 1;
  if (debut == texte.size() || (debut == 1 && texte[1] == '-')) return std::nullopt;
  long long valeur = 0;
  const char* fin = texte.data() + texte.size();
  const auto [ptr, err] = std::from_chars(texte.data() + debut, fin, valeur);
  if (err != std::errc() || ptr != fin) return std::nullopt;
  return valeur;
}

}  // namespace plivor
