#include "platform/ArbreDossiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace plivor {

namespace {

bool Motif(const QString& nom, const QString& motif) {
  // Greedy match with one point to come back to after the last "*".
  qsizetype n = 0, m = 0, etoile = -1, reprise = 0;
  while (n < nom.size()) {
    if (m < motif.size() && (motif[m] == u'?' || motif[m] == nom[n])) {
      ++n;
      ++m;
    } else if (m < motif.size() && motif[m] == u'*') {
      etoile = m++;
      reprise = n;
    } else if (etoile >= 0) {
      m = etoile + 1;
      n = ++reprise;
    } else {
      return false;
    }
  }
  while (m < motif.size() && motif[m] == u'*') ++m;
  return m == motif.size();
}

bool AvantSansCasse(const QString& a, const QString& b) {
  const int c = QString::compare(a, b, Qt::CaseInsensitive);
  return c != 0 ? c < 0 : a < b;
}

QString Propre(const QString& dossier) {
  QString d = QDir::cleanPath(QDir(dossier).absolutePath());
  return d.isEmpty() ? QStringLiteral("/") : d;
}

// Mount points are written with octal escapes for spaces and tabs.
QString SansEchappements(const QString& champ) {
  QString r;
  for (qsizetype i = 0; i < champ.size(); ++i) {
    if (champ[i] == u'\\' && i + 3 < champ.size() && champ.mid(i + 1, 3).toInt(nullptr, 8) > 0) {
      r += QChar(champ.mid(i + 1, 3).toInt(nullptr, 8));
      i += 3;
    } else {
      r += champ[i];
    }
  }
  return r;
}

}  // namespace

bool NomSelonMasque(const QString& nom, const QString& masque) {
  const QString n = nom.toCaseFolded();
  for (const QString& motif : masque.toCaseFolded().split(u';')) {
    if (motif.isEmpty() || motif.contains(u'/') || motif.contains(u'\\')) continue;
    if (Motif(n, motif)) return true;
  }
  return false;
}

std::vector<UniteDisque> UnitesDe(const QString& tableMontages, const QString& maison) {
  std::vector<UniteDisque> unites{{QStringLiteral("/"), QStringLiteral("/")}};
  if (!maison.isEmpty() && maison != QLatin1String("/")) unites.push_back({Propre(maison), Propre(maison)});
  for (const QString& ligne : tableMontages.split(u'\n')) {
    const QStringList champs = ligne.split(u' ');
    if (champs.size() < 2) continue;
    const QString point = SansEchappements(champs[1]);
    const bool volume = point.startsWith(QLatin1String("/media/")) || point.startsWith(QLatin1String("/mnt/")) ||
                        point.startsWith(QLatin1String("/run/media/"));
    const bool connu = std::any_of(unites.begin(), unites.end(), [&](const UniteDisque& u) { return u.chemin == point; });
    if (volume && !connu) unites.push_back({point, point});
  }
  return unites;
}

std::vector<UniteDisque> Unites() {
  QFile table(QStringLiteral("/proc/self/mounts"));
  QString contenu;
  if (table.open(QIODevice::ReadOnly)) contenu = QString::fromUtf8(table.readAll());
  return UnitesDe(contenu, QDir::homePath());
}

ArbreDossiers::ArbreDossiers(const QString& depart) : dossier_(QStringLiteral("/")) {
  if (!Ouvrir(depart)) Ouvrir(QDir::homePath());
}

bool ArbreDossiers::Ouvrir(const QString& dossier) {
  if (dossier.isEmpty() || !QFileInfo(dossier).isDir()) return false;
  dossier_ = Propre(dossier);
  return true;
}

bool ArbreDossiers::OuvrirEntree(const QString& entree) {
  if (entree == QLatin1String("..")) {
    if (dossier_ == QLatin1String("/")) return false;
    return Ouvrir(QFileInfo(dossier_).path());
  }
  if (entree.contains(u'/')) return false;
  return Ouvrir(Chemin(entree));
}

QStringList ArbreDossiers::SousDossiers() const {
  QStringList noms = QDir(dossier_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
  std::sort(noms.begin(), noms.end(), AvantSansCasse);
  if (dossier_ != QLatin1String("/")) noms.prepend(QStringLiteral(".."));
  return noms;
}

QStringList ArbreDossiers::Fichiers(const QString& masque) const {
  QStringList noms;
  for (const QString& nom : QDir(dossier_).entryList(QDir::Files, QDir::NoSort))
    if (NomSelonMasque(nom, masque)) noms << nom;
  std::sort(noms.begin(), noms.end(), AvantSansCasse);
  return noms;
}

QString ArbreDossiers::Chemin(const QString& nom) const {
  return dossier_ == QLatin1String("/") ? QLatin1Char('/') + nom : dossier_ + QLatin1Char('/') + nom;
}

}  // namespace plivor
