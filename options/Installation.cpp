#include "options/Installation.h"

#include <QCursor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "options/RegistreInstallation.h"
#include "platform/Dialogues.h"
#include "projection/TFVue.h"

namespace plivor {

namespace fs = std::filesystem;

namespace {

fs::path Hote(const QString& chemin) { return fs::path(chemin.toStdString()); }

QString SansBarreFinale(QString dossier) {
  while (dossier.size() > 1 && dossier.endsWith(QLatin1Char('/'))) dossier.chop(1);
  return dossier;
}

// The busy cursor while the copies run, where there is a screen.
class CurseurOccupe {
 public:
  CurseurOccupe() : actif_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (actif_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~CurseurOccupe() {
    if (actif_) QGuiApplication::restoreOverrideCursor();
  }

 private:
  bool actif_;
};

// A file descriptor closed on every path out.
struct Descripteur {
  explicit Descripteur(int f) : fd(f) {}
  ~Descripteur() { Fermer(); }
  Descripteur(const Descripteur&) = delete;
  Descripteur& operator=(const Descripteur&) = delete;
  // False when the close itself reports a failed write.
  bool Fermer() {
    if (fd < 0) return true;
    const int resultat = ::close(fd);
    fd = -1;
    return resultat == 0;
  }
  int fd;
};

// Every byte written, a short write continued; false on any failure.
bool EcrireTout(int fd, const char* octets, size_t n) {
  while (n > 0) {
    const ssize_t ecrits = ::write(fd, octets, n);
    if (ecrits < 0 && errno == EINTR) continue;
    if (ecrits <= 0) return false;
    octets += ecrits;
    n -= size_t(ecrits);
  }
  return true;
}

// The bytes of `entree` appended to `sortie`: in the kernel where the file
// systems allow it, else through a buffer. Every call's count is checked.
bool CopierContenu(int entree, int sortie, qint64& total, const std::function<void(qint64)>& avance) {
  constexpr size_t kMorceau = 8 << 20;
  for (bool noyau = true;;) {
    ssize_t n = 0;
    if (noyau) {
      n = ::copy_file_range(entree, nullptr, sortie, nullptr, kMorceau, 0);
      // Some file systems refuse it, or say nothing is there (files of
      // /proc and the like): the buffer then reads what there is.
      if (total == 0 && (n == 0 || (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP ||
                                               errno == EINVAL)))) {
        noyau = false;
        continue;
      }
    } else {
      static thread_local std::vector<char> tampon(1 << 20);
      n = ::read(entree, tampon.data(), tampon.size());
      if (n > 0 && !EcrireTout(sortie, tampon.data(), size_t(n))) return false;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
    total += n;
    if (avance) avance(n);
  }
}

}  // namespace

bool MemeDossier(const QString& a, const QString& b) {
  std::error_code e1, e2;
  const fs::path pa = Hote(a), pb = Hote(b);
  if (fs::exists(pa, e1) && fs::exists(pb, e2)) return fs::equivalent(pa, pb, e1);
  const fs::path ca = fs::weakly_canonical(pa, e1), cb = fs::weakly_canonical(pb, e2);
  if (e1 || e2) return SansBarreFinale(QDir::cleanPath(a)) == SansBarreFinale(QDir::cleanPath(b));
  return SansBarreFinale(QString::fromStdString(ca.string())) == SansBarreFinale(QString::fromStdString(cb.string()));
}

bool CopierFichierVerifie(const QString& source, const QString& cible, const std::function<void(qint64)>& avance) {
  Descripteur entree(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC));
  struct stat etat {};
  if (entree.fd < 0 || ::fstat(entree.fd, &etat) != 0 || !S_ISREG(etat.st_mode)) return false;
  // A read-only target is replaced all the same: the copy is renamed over it.
  const QFileInfo existante(cible);
  if (existante.exists() && !existante.isDir() && !existante.isWritable())
    QFile::setPermissions(cible, existante.permissions() | QFileDevice::WriteOwner);
  // A new file is written under its name and removed if the copy fails; a
  // former one is replaced only by a whole copy written beside it under a
  // temporary name.
  const QByteArray nom = QFile::encodeName(cible);
  QByteArray modele = nom;
  Descripteur sortie(::open(nom.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (sortie.fd < 0 && errno == EEXIST) {
    modele = QFile::encodeName(QFileInfo(cible).absolutePath() + QStringLiteral("/.") + QFileInfo(cible).fileName() +
                               QStringLiteral(".XXXXXX"));
    sortie.fd = ::mkostemp(modele.data(), O_CLOEXEC);
  }
  if (sortie.fd < 0) return false;
  qint64 total = 0;
  const bool ok = CopierContenu(entree.fd, sortie.fd, total, avance);
  const timespec dates[2] = {etat.st_atim, etat.st_mtim};
  bool fait = ok && total == etat.st_size && ::fchmod(sortie.fd, etat.st_mode & 07777) == 0 &&
       ::futimens(sortie.fd, dates) == 0;
  fait = sortie.Fermer() && fait;
  if (fait && (modele == nom || ::rename(modele.constData(), nom.constData()) == 0)) return true;
  ::unlink(modele.constData());
  return false;
}

Installation::Installation(TFVue& vue, DossiersXdg dossiers, QObject* parent)
    : QObject(parent), vue_(vue), dossiers_(std::move(dossiers)) {
  opt_RNomDossier = dossiers_.donnees + QStringLiteral("/Plivor");
}

QString Installation::CheminProgramme() const { return TexteEcran(vue_.CheminProgramme); }

QString Installation::ProgrammeEnCours() const {
  // Taken the first time it is asked, before an installation points the
  // program's path at the installed copy.
  if (programmeEnCours_.isEmpty()) programmeEnCours_ = CheminProgramme();
  return programmeEnCours_;
}

QString Installation::DossierSource() const { return SansBarreFinale(QFileInfo(ProgrammeEnCours()).path()); }

void Installation::Dire(const QString& texte) { vue_.Services().dialogues.Information(texte); }

void Installation::Versions() {
  const QDir dossier(opt_RNomDossier);
  opt_RVersions.clear();
  // An installation killed once all its files were written is finished.
  if (dossier.exists()) ReprendreCopiesInterrompues(dossier.path());
  if (!opt_RNomDossier.isEmpty() && dossier.exists()) {
    const QString programme = QFileInfo(CheminProgramme()).fileName();
    for (const QString& nom : dossier.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name))
      if (nom == programme || nom == QLatin1String(kLecteur) || nom.endsWith(QStringLiteral(".hlp")))
        opt_RVersions << nom;
  }
  opt_RNomProgram = ProgrammeEnCours();
  emit ControlesChanges();
}

void Installation::ChoisirDossier() {
  QString depart = SansBarreFinale(opt_RNomDossier);
  if (depart.endsWith(QStringLiteral("/Plivor"))) depart.chop(7);
  if (depart.isEmpty() || !QFileInfo(depart).isDir()) depart = QDir::homePath();
  const auto choix =
      vue_.Services().dialogues.DossierAChoisir(QStringLiteral("Choisir le dossier d'installation"), depart);
  if (!choix || choix->isEmpty()) return;
  const QString dossier = SansBarreFinale(*choix);
  opt_RNomDossier = dossier == QStringLiteral("/") ? QStringLiteral("/Plivor") : dossier + QStringLiteral("/Plivor");
  Versions();
}

bool Installation::CopierProgramme(const QString& cible, JeuFichiers jeu, QStringList* ecrits) {
  const QString source = DossierSource();
  const QString t = SansBarreFinale(cible);
  if (MemeDossier(t, source)) {
    Dire(QStringLiteral("Dossier-destination ") + t + QStringLiteral(" identique\rau dossier-source : ") + source +
         QStringLiteral("\r\rChoisir un autre emplacement d'installation !"));
    return false;
  }
  opt_RMessage = QStringLiteral("Copies en cours...");
  emit ControlesChanges();
  BilanCopie bilan;
  {
    CurseurOccupe occupe;
    if (!QDir().mkpath(t))
      bilan = {BilanCopie::Etat::Echec, t};
    else
      bilan = CopierFichiers(ElementsAInstaller(jeu, source, QFileInfo(ProgrammeEnCours()).fileName()), t,
                             [this](qint64 copies, qint64 total) { emit Progression(copies, total); }, ecrits);
  }
  opt_RMessage.clear();
  emit ControlesChanges();
  switch (bilan.etat) {
    case BilanCopie::Etat::Reussie: return true;
    case BilanCopie::Etat::Absent:
      Dire(QStringLiteral("Le Fichier \"") + bilan.fichier +
           QStringLiteral("\" est absent !!!\r\rConsulter le fichier d'aide."));
      vue_.Services().bureau.OuvrirAide(TexteEcran(vue_.FichierAide), 250);
      return false;
    case BilanCopie::Etat::Echec:
      Dire(QStringLiteral("Echec de la copie vers \"") + bilan.fichier +
           QStringLiteral("\"\r\rL'installation n'est pas terminée."));
      return false;
  }
  return false;
}

bool Installation::Installer() {
  const QString cible = SansBarreFinale(opt_RNomDossier);
  QStringList copies;
  if (!CopierProgramme(cible, JeuFichiers::Programme, &copies)) return false;
  QList<FichierInstalle> notes;
  for (const QString& f : copies) notes << Constater(cible + QLatin1Char('/') + f);
  const QString programme = cible + QLatin1Char('/') + QFileInfo(ProgrammeEnCours()).fileName();
  if (const auto ligne = VersCp1252(programme.toStdString())) vue_.CheminProgramme = *ligne;
  opt_RNomProgram = programme;
  emit ControlesChanges();
  QStringList associes;
  const QString echec = Associer(dossiers_, programme, cible + QStringLiteral("/Plivor.ico"), &associes);
  for (const QString& f : associes) notes << Constater(f);
  // Noted even after a failed association, so that what was written can go.
  const bool note = NoterInstallation(cible, notes);
  if (!echec.isEmpty()) {
    Dire(QStringLiteral("Fichiers copiés dans ") + cible +
         QStringLiteral("\rEchec de l'association des listes Plivor : ") + echec);
    return false;
  }
  if (!note) {
    Dire(QStringLiteral("Fichiers copiés dans ") + cible + QStringLiteral("\rImpossible d'écrire le fichier \"") +
         cible + QLatin1Char('/') + QLatin1String(kRegistreInstallation) + QStringLiteral("\"."));
    return false;
  }
  Dire(QStringLiteral("Installation terminée avec succès"));
  return true;
}

bool Installation::CreerRaccourci(const QString& dossier, const QString& nom) {
  const QString programme = CheminProgramme();
  const auto chemin = dossier.isEmpty() || !QDir().mkpath(dossier) ? std::nullopt : CreerLanceur(dossier, programme, nom);
  if (!chemin) {
    Dire(QStringLiteral("Echec de la création de Raccourci"));
    return false;
  }
  // A shortcut to an installed program goes with it.
  const QString installe = QFileInfo(programme).absolutePath();
  if (!LireRegistreInstallation(installe).isEmpty()) NoterInstallation(installe, {Constater(*chemin)});
  Dire(QStringLiteral("Raccourci \"Plivor\" créé dans ") + dossier);
  lk_pnRaccourci = false;
  emit ControlesChanges();
  return true;
}

void Installation::ChoixRaccourci(BoutonRaccourci bouton) {
  switch (bouton) {
    case BoutonRaccourci::opt_bt_Raccourci: lk_pnRaccourci = true; break;
    case BoutonRaccourci::lk_btAnnuler: lk_pnRaccourci = false; break;
    case BoutonRaccourci::k_btPrograms:
      CreerRaccourci(dossiers_.Applications(), NomRaccourciMenu(CheminProgramme()));
      return;
    case BoutonRaccourci::k_btBureau: CreerRaccourci(dossiers_.bureau); return;
    case BoutonRaccourci::lk_btAutre: {
      lk_pnRaccourci = false;
      emit ControlesChanges();
      const auto choix = vue_.Services().dialogues.DossierAChoisir(
          QStringLiteral("Choisir le dossier d'installation"), dossiers_.Applications());
      if (choix && !choix->isEmpty()) CreerRaccourci(SansBarreFinale(*choix));
      return;
    }
  }
  emit ControlesChanges();
}

}  // namespace plivor
