#include "sources/CopiePublication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>
#include <vector>

namespace plivor {

namespace {

struct Descripteur {
  explicit Descripteur(int f) : fd(f) {}
  ~Descripteur() { Fermer(); }
  Descripteur(const Descripteur&) = delete;
  Descripteur& operator=(const Descripteur&) = delete;
  bool Fermer() {
    if (fd < 0) return true;
    const int r = ::close(fd);
    fd = -1;
    return r == 0;
  }
  int fd;
};

// The temporary file goes away on every path out unless it was renamed.
struct Temporaire {
  QByteArray nom;
  bool garde = false;
  ~Temporaire() {
    if (!garde && !nom.isEmpty()) ::unlink(nom.constData());
  }
};

bool ToutEcrire(int fd, const char* octets, ssize_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, octets, static_cast<size_t>(n));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    octets += w;
    n -= w;
  }
  return true;
}

// Renames without replacing: a name taken meanwhile is kept.
bool RenommerSansRemplacer(const char* de, const char* vers) {
  if (::renameat2(AT_FDCWD, de, AT_FDCWD, vers, RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without that flag: a link fails on an existing name.
  if (::link(de, vers) != 0) return false;
  ::unlink(de);
  return true;
}

enum class Transfert { Fait, LectureImpossible, EcritureImpossible };

// The bytes of `entree` appended to `sortie`: by the kernel where the file
// systems allow it (shared blocks, no round trip through memory), else
// through a buffer.
Transfert Transferer(int entree, int sortie, qint64& total, const std::function<void(qint64)>& avance) {
  constexpr size_t kMorceau = 16 << 20;
  bool noyau = true;
  std::vector<char> tampon;
  for (;;) {
    ssize_t n = 0;
    if (noyau) {
      n = ::copy_file_range(entree, nullptr, sortie, nullptr, kMorceau, 0);
      if (n < 0 && total == 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) {
        noyau = false;
        continue;
      }
      // A read failure and a write failure look alike here: the buffer tells them apart.
      if (n < 0 && errno != EINTR) {
        noyau = false;
        continue;
      }
    } else {
      if (tampon.empty()) tampon.resize(1 << 20);
      n = ::read(entree, tampon.data(), tampon.size());
      if (n < 0 && errno != EINTR) return Transfert::LectureImpossible;
      if (n > 0 && !ToutEcrire(sortie, tampon.data(), n)) return Transfert::EcritureImpossible;
    }
    if (n < 0) continue;  // interrupted
    if (n == 0) return Transfert::Fait;
    total += n;
    if (avance) avance(n);
  }
}

// How finely the file system holding `chemin` keeps a date, in
// nanoseconds: the sticks' FAT two seconds, exFAT ten milliseconds.
std::int64_t FinesseDesDates(const char* chemin) {
  struct statfs fs {};
  if (::statfs(chemin, &fs) != 0) return 1;
  switch (fs.f_type) {
    case 0x4d44: return 2'000'000'000;   // MSDOS_SUPER_MAGIC
    case 0x2011BAB0: return 10'000'000;  // EXFAT_SUPER_MAGIC
    default: return 1;
  }
}

std::int64_t Nanosecondes(const timespec& t) { return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

}  // namespace

IssueCopie PreparerCopie(const QString& source, const QString& cible, QByteArray& temporaire,
                         const std::function<void(qint64)>& avance) {
  temporaire.clear();
  // Never waits on a pipe or a device named like a picture.
  Descripteur entree(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat etat {};
  if (entree.fd < 0 || ::fstat(entree.fd, &etat) != 0 || !S_ISREG(etat.st_mode)) return IssueCopie::SourceIllisible;
  const QFileInfo info(cible);
  Temporaire brouillon{QFile::encodeName(info.absolutePath() + QLatin1Char('/') + QLatin1String(kPrefixeCopie) +
                                         QStringLiteral("XXXXXX"))};
  Descripteur sortie(::mkostemp(brouillon.nom.data(), O_CLOEXEC));
  if (sortie.fd < 0) {
    brouillon.nom.clear();
    return IssueCopie::CibleImpossible;
  }
  qint64 total = 0;
  switch (Transferer(entree.fd, sortie.fd, total, avance)) {
    case Transfert::Fait: break;
    case Transfert::LectureImpossible: return IssueCopie::SourceIllisible;
    case Transfert::EcritureImpossible: return IssueCopie::CibleImpossible;
  }
  if (total != etat.st_size) return IssueCopie::SourceChangee;
  // Not flushed one by one: the assembly flushes the folder once before
  // its main list, which alone makes the copies part of the show.
  const timespec dates[2] = {etat.st_atim, etat.st_mtim};
  if (::fchmod(sortie.fd, (etat.st_mode & 0777) | S_IRUSR | S_IWUSR) != 0 || ::futimens(sortie.fd, dates) != 0 ||
      !sortie.Fermer())
    return IssueCopie::CibleImpossible;
  brouillon.garde = true;
  temporaire = brouillon.nom;
  return IssueCopie::Faite;
}

IssueCopie PlacerCopie(const QByteArray& temporaire, const QString& cible, bool remplacer) {
  const QByteArray nom = QFile::encodeName(cible);
  if (remplacer ? ::rename(temporaire.constData(), nom.constData()) == 0
                : RenommerSansRemplacer(temporaire.constData(), nom.constData()))
    return IssueCopie::Faite;
  const IssueCopie issue = errno == EEXIST ? IssueCopie::CibleOccupee : IssueCopie::CibleImpossible;
  const int erreur = errno;
  ::unlink(temporaire.constData());
  errno = erreur;
  return issue;
}

IssueCopie CopierVersPublication(const QString& source, const QString& cible, bool remplacer,
                                 const std::function<void(qint64)>& avance) {
  QByteArray temporaire;
  const IssueCopie issue = PreparerCopie(source, cible, temporaire, avance);
  return issue == IssueCopie::Faite ? PlacerCopie(temporaire, cible, remplacer) : issue;
}

bool CopieAJour(const QString& source, const QString& cible) {
  const QByteArray vers = QFile::encodeName(cible);
  struct stat s {}, c {};
  if (::stat(QFile::encodeName(source).constData(), &s) != 0 || ::stat(vers.constData(), &c) != 0) return false;
  if (!S_ISREG(c.st_mode) || s.st_size != c.st_size) return false;
  const std::int64_t ecart = Nanosecondes(s.st_mtim) - Nanosecondes(c.st_mtim);
  return ecart == 0 || std::llabs(ecart) < FinesseDesDates(vers.constData());
}

int RetirerCopiesInterrompues(const QString& dossier) {
  int n = 0;
  const QDir d(dossier);
  for (const QString& nom : d.entryList({QLatin1String(kPrefixeCopie) + QLatin1Char('*')}, QDir::Files | QDir::Hidden))
    if (QFile::remove(d.filePath(nom))) ++n;
  return n;
}

}  // namespace plivor
