#include "platform/DureeMidi.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace plivor {

namespace {

class Lecteur {
 public:
  explicit Lecteur(std::string_view octets) : o_(octets) {}
  bool Reste(size_t n) const { return pos_ + n <= o_.size(); }
  std::uint32_t Octet() { return Reste(1) ? static_cast<unsigned char>(o_[pos_++]) : (echec_ = true, 0); }
  std::uint32_t Mot(int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | Octet();
    return v;
  }
  std::uint32_t Quantite() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint32_t b = Octet();
      v = (v << 7) | (b & 0x7F);
      if (!(b & 0x80)) return v;
    }
    echec_ = true;
    return v;
  }
  void Sauter(size_t n) {
    if (!Reste(n)) echec_ = true;
    pos_ = std::min(o_.size(), pos_ + n);
  }
  size_t Position() const { return pos_; }
  bool Echec() const { return echec_; }

 private:
  std::string_view o_;
  size_t pos_ = 0;
  bool echec_ = false;
};

// Reads one track: its last tick, and its tempo changes into `tempos`.
bool LirePiste(Lecteur& l, size_t fin, std::map<std::uint64_t, std::uint32_t>& tempos, std::uint64_t& dernier) {
  std::uint64_t tic = 0;
  std::uint32_t statut = 0;
  while (l.Position() < fin && !l.Echec()) {
    tic += l.Quantite();
    std::uint32_t octet = l.Octet();
    if (octet == 0xFF) {
      const std::uint32_t type = l.Octet();
      const std::uint32_t longueur = l.Quantite();
      if (type == 0x51 && longueur == 3) {
        tempos[tic] = l.Mot(3);
      } else {
        l.Sauter(longueur);
      }
      if (type == 0x2F) break;
      continue;
    }
    if (octet == 0xF0 || octet == 0xF7) {
      l.Sauter(l.Quantite());
      continue;
    }
    if (octet & 0x80) {
      statut = octet;
      octet = l.Octet();
    } else if (!statut) {
      return false;
    }
    const std::uint32_t famille = statut & 0xF0;
    if (famille != 0xC0 && famille != 0xD0) l.Octet();
    (void)octet;
  }
  dernier = std::max(dernier, tic);
  return !l.Echec();
}

}  // namespace

std::optional<long long> DureeMidi(std::string_view octets) {
  Lecteur l(octets);
  if (octets.substr(0, 4) != "MThd") return std::nullopt;
  l.Sauter(4);
  const std::uint32_t tailleEnTete = l.Mot(4);
  if (tailleEnTete < 6) return std::nullopt;
  l.Mot(2);  // format
  const std::uint32_t pistes = l.Mot(2);
  const std::uint32_t division = l.Mot(2);
  l.Sauter(tailleEnTete - 6);
  if (l.Echec() || division == 0) return std::nullopt;

  std::map<std::uint64_t, std::uint32_t> tempos;
  std::uint64_t dernier = 0;
  int lues = 0;
  for (std::uint32_t p = 0; p < pistes && l.Reste(8); ++p) {
    const bool piste = octets.substr(l.Position(), 4) == "MTrk";
    l.Sauter(4);
    const std::uint32_t longueur = l.Mot(4);
    const size_t fin = l.Position() + longueur;
    if (!piste) {
      l.Sauter(longueur);
      continue;
    }
    if (fin > octets.size() || !LirePiste(l, fin, tempos, dernier)) return std::nullopt;
    l.Sauter(fin - l.Position());
    ++lues;
  }
  if (l.Echec() || lues == 0) return std::nullopt;
  if (division & 0x8000) {
    // SMPTE time: frames per second times ticks per frame.
    const int images = 256 - static_cast<int>((division >> 8) & 0xFF);
    const int parImage = static_cast<int>(division & 0xFF);
    if (images <= 0 || parImage <= 0) return std::nullopt;
    return static_cast<long long>(dernier * 1000 / (std::uint64_t(images) * parImage));
  }
  // Ticks per beat with the tempo map; 120 beats per minute until told.
  double ms = 0;
  std::uint64_t tic = 0;
  std::uint32_t tempo = 500000;
  for (const auto& [quand, valeur] : tempos) {
    if (quand >= dernier) break;
    ms += double(quand - tic) * tempo / division / 1000.0;
    tic = quand;
    tempo = valeur;
  }
  ms += double(dernier - tic) * tempo / division / 1000.0;
  return static_cast<long long>(ms + 0.5);
}

}  // namespace plivor
