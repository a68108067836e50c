// Copies of a set of files made as one change: written whole in a hidden
// folder beside their place first, then renamed into it.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <optional>
#include <fcntl.h>
#include <unistd.h>

#include "options/Installation.h"
#include "platform/Enregistrement.h"

namespace plivor {

namespace {

// Marks a hidden folder whose files are all written: it only waits for its renames.
constexpr char kMarqueComplete[] = ".complete";

// The files under `chemin` (itself when it is a file), as paths relative to
// its folder with `nom` for its own name; folders first, so they exist
// before their files.
QStringList Contenu(const QString& chemin, const QString& nom) {
  if (!QFileInfo(chemin).isDir()) return {nom};
  QStringList dossiers{nom + QLatin1Char('/')}, fichiers;
  const QDir base(chemin);
  QDirIterator it(chemin, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info = it.nextFileInfo();
    const QString relatif = nom + QLatin1Char('/') + base.relativeFilePath(info.filePath());
    if (info.isDir())
      dossiers << relatif + QLatin1Char('/');
    else
      fichiers << relatif;
  }
  fichiers.sort();
  return dossiers + fichiers;
}

// The hidden folder's files, relative to it, without its mark.
QStringList FichiersEtages(const QString& etage) {
  QStringList fichiers;
  QDirIterator it(etage, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString relatif = QDir(etage).relativeFilePath(it.next());
    if (relatif != QLatin1String(kMarqueComplete)) fichiers << relatif;
  }
  fichiers.sort();
  return fichiers;
}

// The written files renamed into `cible`, then the hidden folder removed.
// Every place is checked before the first rename, so that a place that
// cannot take its file leaves `cible` as it was. The place that failed, if any.
std::optional<QString> MettreEnPlace(const QString& etage, const QString& cible, QStringList* ecrits) {
  const QStringList fichiers = FichiersEtages(etage);
  for (const QString& f : fichiers) {
    const QString vers = cible + QLatin1Char('/') + f;
    const QFileInfo place(vers);
    if (place.isDir() && !place.isSymLink()) return vers;
    // A file where one of its folders should be.
    for (QString d = place.absolutePath(); d.size() > cible.size(); d = QFileInfo(d).absolutePath())
      if (QFileInfo(d).exists() && !QFileInfo(d).isDir()) return d;
  }
  for (const QString& f : fichiers) {
    const QString vers = cible + QLatin1Char('/') + f;
    if (!QDir().mkpath(QFileInfo(vers).absolutePath())) return vers;
    if (::rename(QFile::encodeName(etage + QLatin1Char('/') + f).constData(), QFile::encodeName(vers).constData()) != 0)
      return vers;
    if (ecrits) *ecrits << f;
  }
  ViderSurDisque(QFile::encodeName(cible).toStdString());
  if (!QDir(etage).removeRecursively()) return etage;
  return std::nullopt;
}

}  // namespace

int ReprendreCopiesInterrompues(const QString& cible) {
  int reglees = 0;
  const QStringList etages =
      QDir(cible).entryList({QLatin1String(kPrefixeLot) + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks);
  for (const QString& nom : etages) {
    const QString etage = cible + QLatin1Char('/') + nom;
    const bool complete = QFileInfo(etage + QLatin1Char('/') + QLatin1String(kMarqueComplete)).isFile();
    if (complete ? !MettreEnPlace(etage, cible, nullptr) : QDir(etage).removeRecursively()) ++reglees;
  }
  return reglees;
}

BilanCopie CopierFichiers(const QString& source, const QString& cible, const QStringList& noms,
                          const Progression& progression) {
  ElementsJeu elements;
  for (const QString& nom : noms) elements.push_back({source + QLatin1Char('/') + nom, nom});
  return CopierFichiers(elements, cible, progression);
}

BilanCopie CopierFichiers(const ElementsJeu& elements, const QString& cible, const Progression& progression,
                          QStringList* ecrits) {
  ReprendreCopiesInterrompues(cible);
  // A file of the set at `relatif` (its element's name first) is read here.
  const auto depuis = [](const ElementJeu& e, const QString& relatif) { return e.source + relatif.mid(e.nom.size()); };
  qint64 total = 0, copies = 0;
  QList<QStringList> contenus;
  for (const ElementJeu& e : elements) {
    if (!QFileInfo::exists(e.source)) return {BilanCopie::Etat::Absent, e.source};
    contenus << Contenu(e.source, e.nom);
    for (const QString& f : contenus.back())
      if (!f.endsWith(QLatin1Char('/'))) total += QFileInfo(depuis(e, f)).size();
  }
  QByteArray modele = QFile::encodeName(cible + QLatin1Char('/') + QLatin1String(kPrefixeLot) + QStringLiteral("XXXXXX"));
  if (!::mkdtemp(modele.data())) return {BilanCopie::Etat::Echec, cible};
  const QString etage = QFile::decodeName(modele);
  const auto echec = [&](const QString& fichier) {
    QDir(etage).removeRecursively();
    return BilanCopie{BilanCopie::Etat::Echec, fichier};
  };
  if (progression) progression(0, total);
  for (qsizetype i = 0; i < elements.size(); ++i)
    for (const QString& f : contenus[i]) {
      const QString vers = etage + QLatin1Char('/') + f;
      const bool fait = f.endsWith(QLatin1Char('/'))
                            ? QDir().mkpath(vers)
                            : CopierFichierVerifie(depuis(elements[i], f), vers, [&](qint64 n) {
                                copies += n;
                                if (progression) progression(copies, total);
                              });
      if (!fait) {
        QString place = cible + QLatin1Char('/') + f;
        while (place.endsWith(QLatin1Char('/'))) place.chop(1);
        return echec(place);
      }
    }
  // Every byte written so far reaches the disk before the mark says so.
  if (ViderSurDisque(QFile::encodeName(etage).toStdString()) != 0 ||
      !EnregistrerFichier((etage + QLatin1Char('/') + QLatin1String(kMarqueComplete)).toStdString(), {}))
    return echec(cible);
  // From here a kill is finished by the next copy into `cible`.
  if (const auto place = MettreEnPlace(etage, cible, ecrits)) return echec(*place);
  return {};
}

}  // namespace plivor
