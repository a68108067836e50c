#pragma once
// The publication's copy of one file: written whole under a temporary
// name beside its target and renamed over it only once complete, so a
// failed or killed copy never leaves a partial file under the target's
// name. A killed copy leaves its temporary file, which the next
// publication into that folder removes.

#include <QByteArray>
#include <QString>
#include <functional>

namespace plivor {

inline constexpr char kPrefixeCopie[] = ".plivor-copie-";

enum class IssueCopie {
  Faite,
  SourceIllisible,  // cannot be opened, or is no regular file
  SourceChangee,    // fewer or more bytes than announced: changed while copied
  CibleImpossible,  // the target cannot be written (full disk, rights)
  CibleOccupee,     // something took the target's name meanwhile
};

// The copy written whole under its temporary name beside `cible`, not yet
// in its place; `temporaire` receives that name when it is Faite.
IssueCopie PreparerCopie(const QString& source, const QString& cible, QByteArray& temporaire,
                         const std::function<void(qint64)>& avance);
// A prepared copy renamed to `cible` (over a former one when `remplacer`);
// on failure the temporary is removed.
IssueCopie PlacerCopie(const QByteArray& temporaire, const QString& cible, bool remplacer);

// Both at once. `remplacer`: an existing target may be replaced; otherwise it is kept
// and the copy fails with CibleOccupee. The copy has the source's date.
IssueCopie CopierVersPublication(const QString& source, const QString& cible, bool remplacer,
                                 const std::function<void(qint64)>& avance);

// Whether `cible` still holds `source`: the same size and the same date,
// as finely as the target's file system keeps dates (to the nanosecond on
// most), so that a source rewritten in the second of its copy goes again.
bool CopieAJour(const QString& source, const QString& cible);

// Temporary files of copies killed in `dossier`; how many were removed.
int RetirerCopiesInterrompues(const QString& dossier);

}  // namespace plivor
