#include "platform/Freedesktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QBuffer>
#include <QCryptographicHash>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

#include "platform/Enregistrement.h"

namespace plivor {

namespace {

QString VariableAbsolue(const char* nom) {
  const QString valeur = qEnvironmentVariable(nom);
  // The XDG base directory rules ignore relative values.
  return QDir::isAbsolutePath(valeur) ? QDir::cleanPath(valeur) : QString();
}

QString DossierBureau(const QString& maison) {
  if (const QString bureau = VariableAbsolue("XDG_DESKTOP_DIR"); !bureau.isEmpty()) return bureau;
  if (!QStandardPaths::findExecutable(QStringLiteral("xdg-user-dir")).isEmpty()) {
    QProcess outil;
    outil.start(QStringLiteral("xdg-user-dir"), {QStringLiteral("DESKTOP")});
    if (outil.waitForFinished(5000) && outil.exitStatus() == QProcess::NormalExit && outil.exitCode() == 0) {
      const QString bureau = QString::fromLocal8Bit(outil.readAllStandardOutput()).trimmed();
      // xdg-user-dir falls back to HOME itself when it knows no desktop.
      if (QDir::isAbsolutePath(bureau) && QDir::cleanPath(bureau) != QDir::cleanPath(maison))
        return QDir::cleanPath(bureau);
    }
  }
  return maison + QStringLiteral("/Desktop");
}

// A value of a desktop entry string: "\" doubled, control characters escaped.
QString ValeurChaine(const QString& texte) {
  QString resultat;
  for (const QChar c : texte) {
    if (c == QLatin1Char('\\')) resultat += QStringLiteral("\\\\");
    else if (c == QLatin1Char('\n')) resultat += QStringLiteral("\\n");
    else if (c == QLatin1Char('\t')) resultat += QStringLiteral("\\t");
    else if (c == QLatin1Char('\r')) resultat += QStringLiteral("\\r");
    else resultat += c;
  }
  return resultat;
}

// The lines of `texte`, each with its own ending.
QList<QByteArray> LignesAvecFins(const QByteArray& texte) {
  QList<QByteArray> lignes;
  qsizetype debut = 0;
  while (debut < texte.size()) {
    const qsizetype fin = texte.indexOf('\n', debut);
    const qsizetype suite = fin < 0 ? texte.size() : fin + 1;
    lignes << texte.mid(debut, suite - debut);
    debut = suite;
  }
  return lignes;
}

QByteArray SansFin(const QByteArray& ligne) {
  QByteArray l = ligne;
  while (l.endsWith('\n') || l.endsWith('\r')) l.chop(1);
  return l;
}

bool EstEnTete(const QByteArray& ligne) { return SansFin(ligne).trimmed().startsWith('['); }

bool CleEgale(const QByteArray& ligne, const QByteArray& cle) {
  const QByteArray l = SansFin(ligne);
  const qsizetype egal = l.indexOf('=');
  return egal > 0 && l.left(egal).trimmed().compare(cle, Qt::CaseInsensitive) == 0;
}

QByteArray Png(const QImage& image) {
  QByteArray octets;
  QBuffer tampon(&octets);
  tampon.open(QIODevice::WriteOnly);
  return image.save(&tampon, "PNG") ? octets : QByteArray();
}

bool Executer(const QString& outil, const QStringList& arguments) {
  QProcess processus;
  processus.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  processus.start(outil, arguments);
  return processus.waitForFinished(60000) && processus.exitStatus() == QProcess::NormalExit &&
         processus.exitCode() == 0;
}

}  // namespace

DossiersXdg DossiersUtilisateur() {
  const QString maison = QDir::cleanPath(QDir::homePath());
  DossiersXdg d;
  d.donnees = VariableAbsolue("XDG_DATA_HOME");
  if (d.donnees.isEmpty()) d.donnees = maison + QStringLiteral("/.local/share");
  d.configuration = VariableAbsolue("XDG_CONFIG_HOME");
  if (d.configuration.isEmpty()) d.configuration = maison + QStringLiteral("/.config");
  d.bureau = DossierBureau(maison);
  return d;
}

QByteArray PaquetMime() {
  return QByteArrayLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"") +
         kTypeListes +
         QByteArrayLiteral(
             "\">\n"
             "    <comment>Liste Plivor</comment>\n"
             "    <sub-class-of type=\"text/plain\"/>\n"
             "    <icon name=\"plivor\"/>\n"
             "    <glob pattern=\"*.pvl\"/>\n"
             "  </mime-type>\n"
             "</mime-info>\n");
}

QString ArgumentExec(const QString& chemin) {
  // Quoted only when a reserved character asks for it: simple launchers
  // (xdg-open without a desktop) split Exec at spaces and keep quotes.
  static const QString reserves = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  if (std::none_of(chemin.begin(), chemin.end(), [](QChar c) { return reserves.contains(c); })) {
    QString nu = chemin;
    return nu.replace(QLatin1Char('%'), QStringLiteral("%%"));
  }
  QString cite = QStringLiteral("\"");
  for (const QChar c : chemin) {
    if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
      cite += QLatin1Char('\\');
    // A field code would be expanded: a literal percent is doubled.
    if (c == QLatin1Char('%')) cite += QLatin1Char('%');
    cite += c;
  }
  return cite + QLatin1Char('"');
}

QByteArray EntreeBureau(const QString& programme, const QString& commande, bool association) {
  const QString dossier = QFileInfo(programme).absolutePath();
  const QString exec = ValeurChaine(ArgumentExec(commande));
  QString texte = QStringLiteral(
                      "[Desktop Entry]\n"
                      "Type=Application\n"
                      "Version=1.4\n"
                      "Name=Plivor\n"
                      "GenericName=Séquenceur multimédia\n"
                      "Comment=Projeter et composer des séquences\n"
                      "Exec=") +
                  exec + QStringLiteral(" %f\n") + QStringLiteral("Path=") + ValeurChaine(dossier) +
                  QStringLiteral(
                      "\n"
                      "Icon=plivor\n"
                      "Terminal=false\n");
  if (association) texte += QStringLiteral("MimeType=") + QString::fromLatin1(kTypeListes) + QStringLiteral(";\n");
  texte += QStringLiteral(
               "Categories=AudioVideo;\n"
               "Actions=Editer;\n"
               "\n"
               "[Desktop Action Editer]\n"
               "Name=Editer\n"
               "Exec=") +
           exec + QStringLiteral(" --montage %f\n");
  return texte.toUtf8();
}

QString CommandeLancement(const QString& programme, const QString& lien) {
  if (ArgumentExec(programme) == programme || ArgumentExec(lien) != lien) return programme;
  const QFileInfo existant(lien);
  if (existant.exists() && !existant.isSymLink()) return programme;
  if (existant.isSymLink() && existant.symLinkTarget() == programme) return lien;
  if (!QDir().mkpath(existant.absolutePath())) return programme;
  // The new link is made beside and renamed over the former one.
  const QString nouveau = lien + QStringLiteral(".nouveau");
  QFile::remove(nouveau);
  if (!QFile::link(programme, nouveau) ||
      ::rename(QFile::encodeName(nouveau).constData(), QFile::encodeName(lien).constData()) != 0) {
    QFile::remove(nouveau);
    return programme;
  }
  return lien;
}

QByteArray AvecApplicationParDefaut(const QByteArray& existant, const QString& type, const QString& lanceur) {
  static const QByteArray section = QByteArrayLiteral("[Default Applications]");
  const QByteArray cle = type.toUtf8();
  QList<QByteArray> lignes = LignesAvecFins(existant);
  // Our line ends as the file's lines do.
  const QByteArray fin = !lignes.isEmpty() && lignes.front().endsWith("\r\n") ? "\r\n" : "\n";
  const QByteArray notre = cle + '=' + lanceur.toUtf8() + ';';
  qsizetype entete = -1;
  for (qsizetype i = 0; i < lignes.size(); ++i)
    if (SansFin(lignes[i]).trimmed() == section) {
      entete = i;
      break;
    }
  if (entete < 0) {
    QByteArray resultat = existant;
    if (!resultat.isEmpty() && !resultat.endsWith('\n')) resultat += fin;
    if (!resultat.isEmpty()) resultat += fin;
    return resultat + section + fin + notre + fin;
  }
  qsizetype derniere = entete;  // last line of the section that is not blank
  for (qsizetype i = entete + 1; i < lignes.size() && !EstEnTete(lignes[i]); ++i) {
    if (CleEgale(lignes[i], cle)) {
      const QByteArray& ancienne = lignes[i];
      lignes[i] = notre + ancienne.mid(SansFin(ancienne).size());
      return lignes.join();
    }
    if (!SansFin(lignes[i]).trimmed().isEmpty()) derniere = i;
  }
  if (!lignes[derniere].endsWith('\n')) lignes[derniere] += fin;
  lignes.insert(derniere + 1, notre + fin);
  return lignes.join();
}

QByteArray SansApplicationParDefaut(const QByteArray& existant, const QString& type, const QString& lanceur) {
  static const QByteArray section = QByteArrayLiteral("[Default Applications]");
  QList<QByteArray> lignes = LignesAvecFins(existant);
  bool dans = false;
  for (qsizetype i = 0; i < lignes.size(); ++i) {
    if (EstEnTete(lignes[i])) {
      dans = SansFin(lignes[i]).trimmed() == section;
      continue;
    }
    if (!dans || !CleEgale(lignes[i], type.toUtf8())) continue;
    const QByteArray ligne = SansFin(lignes[i]);
    const qsizetype egal = ligne.indexOf('=');
    QList<QByteArray> valeurs = ligne.mid(egal + 1).split(';');
    const qsizetype avant = valeurs.size();
    valeurs.removeIf([&](const QByteArray& v) { return v.trimmed() == lanceur.toUtf8(); });
    if (valeurs.size() == avant) return existant;
    valeurs.removeIf([](const QByteArray& v) { return v.trimmed().isEmpty(); });
    if (valeurs.isEmpty())
      lignes.removeAt(i);
    else
      lignes[i] = ligne.left(egal + 1) + valeurs.join(';') + ';' + lignes[i].mid(ligne.size());
    return lignes.join();
  }
  return existant;
}

bool EcrireFichierEntier(const QString& chemin, const QByteArray& contenu) {
  if (!QDir().mkpath(QFileInfo(chemin).absolutePath())) return false;
  return bool(EnregistrerFichier(QFile::encodeName(chemin).toStdString(), contenu.toStdString()));
}

QString Associer(const DossiersXdg& dossiers, const QString& programme, const QString& icone, QStringList* ecrits) {
  QStringList notes;
  const auto noter = [&](const QString& fichier) {
    notes << fichier;
    if (ecrits) *ecrits = notes;
  };
  const QString mime = dossiers.donnees + QStringLiteral("/mime");
  const QString paquet = mime + QStringLiteral("/packages/plivor.xml");
  if (!EcrireFichierEntier(paquet, PaquetMime())) return paquet;
  noter(paquet);
  if (!Executer(QStringLiteral("update-mime-database"), {mime})) return QStringLiteral("update-mime-database ") + mime;

  const QImage image(icone);
  const QString png = dossiers.donnees + QStringLiteral("/icons/hicolor/48x48/apps/plivor.png");
  if (image.isNull() || !EcrireFichierEntier(png, Png(image.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation))))
    return png;
  noter(png);

  const QString lien = LienLancement(dossiers.donnees);
  const QString commande = CommandeLancement(programme, lien);
  if (commande == lien) noter(lien);
  const QString lanceur = dossiers.Applications() + QLatin1Char('/') + QLatin1String(kLanceur);
  if (!EcrireFichierEntier(lanceur, EntreeBureau(programme, commande, true))) return lanceur;
  noter(lanceur);

  const QString liste = dossiers.configuration + QStringLiteral("/mimeapps.list");
  QByteArray existant;
  if (QFileInfo::exists(liste)) {
    QFile f(liste);
    if (!f.open(QIODevice::ReadOnly)) return liste;
    existant = f.readAll();
    if (f.error() != QFileDevice::NoError) return liste;
  }
  if (!EcrireFichierEntier(liste, AvecApplicationParDefaut(existant, QLatin1String(kTypeListes),
                                                           QLatin1String(kLanceur))))
    return liste;
  // The cache of launchers by type, where the desktop keeps one.
  if (!QStandardPaths::findExecutable(QStringLiteral("update-desktop-database")).isEmpty())
    Executer(QStringLiteral("update-desktop-database"), {dossiers.Applications()});
  return {};
}

bool Dissocier(const DossiersXdg& dossiers) {
  const QString liste = dossiers.configuration + QStringLiteral("/mimeapps.list");
  bool fait = true;
  if (QFileInfo::exists(liste)) {
    QFile f(liste);
    fait = f.open(QIODevice::ReadOnly);
    const QByteArray existant = f.readAll();
    const QByteArray sans = SansApplicationParDefaut(existant, QLatin1String(kTypeListes), QLatin1String(kLanceur));
    fait = fait && f.error() == QFileDevice::NoError && (sans == existant || EcrireFichierEntier(liste, sans));
  }
  const QString mime = dossiers.donnees + QStringLiteral("/mime");
  if (QFileInfo(mime + QStringLiteral("/packages")).isDir()) Executer(QStringLiteral("update-mime-database"), {mime});
  if (!QStandardPaths::findExecutable(QStringLiteral("update-desktop-database")).isEmpty() &&
      QFileInfo(dossiers.Applications()).isDir())
    Executer(QStringLiteral("update-desktop-database"), {dossiers.Applications()});
  return fait;
}

std::optional<QString> CreerLanceur(const QString& dossier, const QString& programme, const QString& nom) {
  const QString chemin = dossier + QLatin1Char('/') + nom;
  if (!EcrireFichierEntier(chemin, EntreeBureau(programme, programme, false))) return std::nullopt;
  if (!QFile::setPermissions(chemin, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                         QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                         QFileDevice::ExeOther))
    return std::nullopt;
  return chemin;
}

QString NomRaccourciMenu(const QString& programme) {
  const QByteArray empreinte = QCryptographicHash::hash(programme.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
  return QStringLiteral("plivor-") + QString::fromLatin1(empreinte) + QStringLiteral(".desktop");
}

}  // namespace plivor
