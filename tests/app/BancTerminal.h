#pragma once
// The real program run from a shell in a folder of generated files: its
// exit code, standard output and error output, and the files it leaves.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <map>

#include "support/ImagesEssai.h"
#include "support/ProgrammeReel.h"

namespace plivor::test {

struct Bilan {
  bool fini = false;  // within a generous bound: a program that spins is told apart
  int code = -1;
  QString sortie, erreurs;
};

class BancTerminal {
 public:
  QProcessEnvironment Environnement() const {
    QProcessEnvironment e = EnvironnementReel(dossier.filePath(QStringLiteral("reglages/reglages.ini")));
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), execution.path());
    return e;
  }
  void Demarrer(QProcess& p, const QStringList& arguments) const {
    p.setProcessEnvironment(Environnement());
    p.setWorkingDirectory(dossier.path());
    p.start(QStringLiteral(PLIVOR_PROGRAMME), arguments);
  }
  Bilan Plivor(const QStringList& arguments) const {
    QProcess p;
    Demarrer(p, arguments);
    Bilan bilan;
    bilan.fini = p.waitForFinished(120000);
    if (p.state() != QProcess::NotRunning) p.kill(), p.waitForFinished();
    bilan.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    bilan.sortie = QString::fromUtf8(p.readAllStandardOutput());
    bilan.erreurs = QString::fromUtf8(p.readAllStandardError());
    return bilan;
  }
  QString Chemin(const QString& nom) const { return dossier.filePath(nom); }
  // Bytes written under `nom`, its folder made.
  void Ecrire(const QString& nom, const QByteArray& octets) const {
    QDir().mkpath(QFileInfo(Chemin(nom)).path());
    QFile f(Chemin(nom));
    if (f.open(QIODevice::WriteOnly)) f.write(octets);
  }
  // A list of these lines, CR LF after each.
  void Liste(const QString& nom, const QStringList& lignes) const { Ecrire(nom, Crlf(lignes)); }
  void Image(const QString& nom, QColor couleur, int largeur = 64, int hauteur = 48) const {
    QDir().mkpath(QFileInfo(Chemin(nom)).path());
    EcrireJpeg(Chemin(nom), Unie(largeur, hauteur, couleur));
  }
  QByteArray Lire(const QString& nom) const {
    QFile f(Chemin(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
  }
  // Every file under `nom`, hidden ones too, by relative path with its bytes.
  std::map<QString, QByteArray> Arbre(const QString& nom) const {
    std::map<QString, QByteArray> r;
    QDirIterator it(Chemin(nom), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString chemin = it.next();
      QFile f(chemin);
      r[QDir(Chemin(nom)).relativeFilePath(chemin)] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    return r;
  }
  static QByteArray Crlf(const QStringList& lignes) {
    QByteArray r;
    for (const QString& l : lignes) r += l.toLatin1() + "\r\n";
    return r;
  }

  QTemporaryDir dossier;
  QTemporaryDir execution;
};

}  // namespace plivor::test
