#pragma once
// Small conversions shared by the publication's files.

#include <QString>
#include <filesystem>

#include "core/Chemins.h"

namespace plivor::publication {

inline constexpr StyleChemins kStyle = StyleHote();

inline QString EnClair(const Texte& t) { return QString::fromStdString(VersUtf8(t)); }

inline Texte Ligne(const QString& q) { return VersCp1252(q.toStdString()).value_or(Texte()); }

inline bool MemeFichier(const Texte& a, const Texte& b) {
  std::error_code e;
  return std::filesystem::equivalent(std::filesystem::path(VersUtf8(a)), std::filesystem::path(VersUtf8(b)), e) && !e;
}

}  // namespace plivor::publication
