#include "platform/Enregistrement.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <mutex>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

namespace plivor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMarqueTemporaire = ".plivor-";

std::mutex gJournalVerrou;
fs::path gJournal;
std::atomic<int> gNumero{0};

// A descriptor closed on every path out.
struct Descripteur {
  int fd = -1;
  ~Descripteur() {
    if (fd >= 0) ::close(fd);
  }
  int Lacher() {
    const int r = ::close(fd);
    fd = -1;
    return r;
  }
};

fs::path Journal() {
  std::lock_guard verrou(gJournalVerrou);
  return gJournal;
}

// One entry a write under way: "tmp <path>" or "place <target> <copy>".
class EntreeJournal {
 public:
  explicit EntreeJournal(const std::string& contenu) {
    const fs::path dossier = Journal();
    if (dossier.empty()) return;
    std::error_code erreur;
    fs::create_directories(dossier, erreur);
    chemin_ = dossier / (std::to_string(::getpid()) + "-" + std::to_string(gNumero++));
    const int fd = ::open(chemin_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      chemin_.clear();
      return;
    }
    [[maybe_unused]] const bool ecrit = EcrireTout(fd, contenu);
    ::close(fd);
  }
  ~EntreeJournal() {
    if (!chemin_.empty()) ::unlink(chemin_.c_str());
  }
  EntreeJournal(const EntreeJournal&) = delete;
  EntreeJournal& operator=(const EntreeJournal&) = delete;

 private:
  fs::path chemin_;
};

void SynchroniserDossier(const fs::path& dossier) {
  const int fd = ::open(dossier.empty() ? "." : dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool LireTout(int fd, std::string& contenu) {
  contenu.clear();
  char tampon[65536];
  for (off_t position = 0;;) {
    const ssize_t lus = ::pread(fd, tampon, sizeof tampon, position);
    if (lus < 0 && errno == EINTR) continue;
    if (lus < 0) return false;
    if (lus == 0) return true;
    contenu.append(tampon, static_cast<size_t>(lus));
    position += lus;
  }
}

ResultatEnregistrement Echec(int erreur) { return {false, erreur ? erreur : EIO}; }

// The folder cannot take a temporary: the file itself is rewritten, its
// old bytes kept aside (in memory, and in the journal's folder against a
// kill) until the new ones are whole.
ResultatEnregistrement EnregistrerEnPlace(const fs::path& cible, const std::string& contenu,
                                          const EcrivainOctets& ecrivain) {
  Descripteur fichier;
  fichier.fd = ::open(cible.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (fichier.fd < 0) return Echec(errno);
  std::string ancien;
  if (!LireTout(fichier.fd, ancien)) return Echec(errno);
  fs::path copie;
  if (const fs::path journal = Journal(); !journal.empty()) {
    std::error_code erreur;
    fs::create_directories(journal, erreur);
    copie = journal / ("ancien-" + std::to_string(::getpid()) + "-" + std::to_string(gNumero++));
    Descripteur d;
    d.fd = ::open(copie.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (d.fd < 0 || !EcrireTout(d.fd, ancien) || ::fsync(d.fd) != 0) {
      ::unlink(copie.c_str());
      return Echec(errno);
    }
  }
  EntreeJournal entree(copie.empty() ? std::string() : "place\n" + cible.string() + "\n" + copie.string() + "\n");
  auto retablir = [&](int erreur) {
    ::lseek(fichier.fd, 0, SEEK_SET);
    if (EcrireTout(fichier.fd, ancien) && ::ftruncate(fichier.fd, static_cast<off_t>(ancien.size())) == 0)
      ::fsync(fichier.fd);
    if (!copie.empty()) ::unlink(copie.c_str());
    return Echec(erreur);
  };
  if (::lseek(fichier.fd, 0, SEEK_SET) != 0) return retablir(errno);
  errno = 0;
  if (!ecrivain(fichier.fd, contenu)) return retablir(errno);
  if (::ftruncate(fichier.fd, static_cast<off_t>(contenu.size())) != 0 || ::fsync(fichier.fd) != 0)
    return retablir(errno);
  if (fichier.Lacher() != 0) return retablir(errno);
  if (!copie.empty()) ::unlink(copie.c_str());
  return {true, 0};
}

}  // namespace

bool EcrireTout(int descripteur, const std::string& contenu) {
  const char* octets = contenu.data();
  size_t reste = contenu.size();
  while (reste > 0) {
    const ssize_t ecrits = ::write(descripteur, octets, reste);
    if (ecrits < 0 && errno == EINTR) continue;
    if (ecrits <= 0) {
      if (ecrits == 0) errno = EIO;
      return false;
    }
    octets += ecrits;
    reste -= static_cast<size_t>(ecrits);
  }
  return true;
}

fs::path CibleDesLiens(const fs::path& chemin) {
  fs::path courant = chemin;
  // As the kernel does: a chain longer than this is a loop.
  for (int pas = 0; pas < 40; ++pas) {
    std::error_code erreur;
    if (!fs::is_symlink(fs::symlink_status(courant, erreur))) return courant;
    const fs::path lien = fs::read_symlink(courant, erreur);
    if (erreur) return courant;
    courant = lien.is_absolute() ? lien : courant.parent_path() / lien;
  }
  return courant;
}

namespace {

// Six letters or digits, as mkstemp would pick them.
std::string SuffixeAuHasard() {
  static constexpr char kSignes[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static thread_local std::mt19937_64 alea{std::random_device{}() ^ (std::uint64_t(::getpid()) << 32)};
  std::string suffixe(6, ' ');
  for (char& c : suffixe) c = kSignes[alea() % (sizeof(kSignes) - 1)];
  return suffixe;
}

}  // namespace

ResultatEnregistrement EnregistrerFichier(const fs::path& demande, const std::string& contenu,
                                          const EcrivainOctets& ecrivain) {
  const fs::path cible = CibleDesLiens(demande);
  const fs::path dossier = cible.parent_path();
  struct stat etat {};
  const bool existe = ::lstat(cible.c_str(), &etat) == 0;
  if (existe && !S_ISREG(etat.st_mode)) return Echec(S_ISDIR(etat.st_mode) ? EISDIR : EINVAL);
  if (!existe && errno != ENOENT) return Echec(errno);

  // The temporary's name is noted before the file is made, so that a kill
  // at any point leaves nothing the next start does not remove.
  const std::string base = (dossier / ("." + cible.filename().string() + kMarqueTemporaire)).string();
  Descripteur temporaire;
  fs::path chemin;
  std::optional<EntreeJournal> entree;
  for (int essai = 0; temporaire.fd < 0; ++essai) {
    chemin = base + SuffixeAuHasard();
    entree.reset();
    entree.emplace("tmp\n" + chemin.string() + "\n");
    temporaire.fd = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (temporaire.fd >= 0 || (errno == EEXIST && essai < 100)) continue;
    const int erreur = errno;
    entree.reset();
    if (existe && (erreur == EACCES || erreur == EPERM || erreur == EROFS) && ::access(cible.c_str(), W_OK) == 0)
      return EnregistrerEnPlace(cible, contenu, ecrivain);
    return Echec(erreur);
  }
  auto abandon = [&](int erreur) {
    ::unlink(chemin.c_str());
    return Echec(erreur);
  };
  // The file replaced keeps its permissions and, where allowed, its owner.
  const mode_t droits = existe ? (etat.st_mode & 07777) : [] {
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return static_cast<mode_t>(0666 & ~masque);
  }();
  if (::fchmod(temporaire.fd, droits) != 0) return abandon(errno);
  if (existe && (etat.st_uid != ::geteuid() || etat.st_gid != ::getegid())) {
    [[maybe_unused]] const int proprietaire = ::fchown(temporaire.fd, etat.st_uid, etat.st_gid);
  }
  errno = 0;
  if (!ecrivain(temporaire.fd, contenu)) return abandon(errno);
  if (::fsync(temporaire.fd) != 0) return abandon(errno);
  if (temporaire.Lacher() != 0) return abandon(errno);
  if (::rename(chemin.c_str(), cible.c_str()) != 0) return abandon(errno);
  SynchroniserDossier(dossier);
  return {true, 0};
}

void DefinirJournalEnregistrements(const fs::path& dossier) {
  std::lock_guard verrou(gJournalVerrou);
  gJournal = dossier;
}

namespace {

bool ProcessusVivant(const std::string& nomEntree) {
  const auto tiret = nomEntree.find('-');
  if (tiret == std::string::npos) return false;
  const pid_t pid = static_cast<pid_t>(std::atol(nomEntree.substr(0, tiret).c_str()));
  if (pid <= 0 || pid == ::getpid()) return pid == ::getpid();
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

// Only our own temporaries are ever removed, whatever an entry says.
bool EstTemporaire(const fs::path& chemin) {
  const std::string nom = chemin.filename().string();
  return nom.size() > 1 && nom[0] == '.' && nom.find(kMarqueTemporaire) != std::string::npos;
}

void Regler(const std::vector<std::string>& lignes) {
  std::error_code erreur;
  if (lignes.size() >= 2 && lignes[0] == "tmp" && EstTemporaire(lignes[1])) {
    if (fs::is_regular_file(fs::symlink_status(lignes[1], erreur))) fs::remove(lignes[1], erreur);
  } else if (lignes.size() >= 3 && lignes[0] == "place") {
    // Killed while the file was rewritten: it gets its old bytes back.
    std::ifstream flux(lignes[2], std::ios::binary);
    if (!flux) return;
    const std::string ancien((std::istreambuf_iterator<char>(flux)), std::istreambuf_iterator<char>());
    Descripteur d;
    d.fd = ::open(lignes[1].c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (d.fd >= 0 && EcrireTout(d.fd, ancien) && ::ftruncate(d.fd, static_cast<off_t>(ancien.size())) == 0)
      ::fsync(d.fd);
    fs::remove(lignes[2], erreur);
  }
}

}  // namespace

int NettoyerEnregistrementsInterrompus() {
  const fs::path journal = Journal();
  if (journal.empty()) return 0;
  int reglees = 0;
  std::error_code erreur;
  std::vector<fs::path> entrees;
  for (fs::directory_iterator it(journal, erreur), fin; !erreur && it != fin; it.increment(erreur))
    entrees.push_back(it->path());
  for (const fs::path& entree : entrees) {
    const std::string nom = entree.filename().string();
    if (nom.rfind("ancien-", 0) == 0 || ProcessusVivant(nom)) continue;
    std::ifstream flux(entree);
    std::vector<std::string> lignes;
    for (std::string ligne; std::getline(flux, ligne);) lignes.push_back(ligne);
    Regler(lignes);
    fs::remove(entree, erreur);
    ++reglees;
  }
  return reglees;
}

int ViderSurDisque(const fs::path& dossier) {
  const int fd = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int erreur = ::syncfs(fd) == 0 ? 0 : errno;
  ::close(fd);
  return erreur;
}

std::string CauseEchec(int erreur) {
  switch (erreur) {
    case ENOSPC: return "le disque est plein";
    case EDQUOT: return "le quota du disque est atteint";
    case EROFS: return "le support est en lecture seule";
    case EACCES: case EPERM: return "l'accès est refusé (dossier ou fichier protégé)";
    case ENOENT: case ENOTDIR: return "le dossier n'existe pas";
    case EISDIR: return "c'est un dossier";
    case EINVAL: return "ce n'est pas un fichier ordinaire";
    case ENAMETOOLONG: return "le nom est trop long";
    case EIO: return "erreur d'entrée-sortie";
    case EFBIG: return "le fichier dépasse la taille permise";
    default: return "erreur système " + std::to_string(erreur) + " (" + std::strerror(erreur) + ")";
  }
}

}  // namespace plivor
