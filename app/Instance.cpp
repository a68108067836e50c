#include "app/Instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#include <QtEndian>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace plivor {

namespace {

const QByteArray kEntete("PLIVOR-1");
const QByteArray kEnteteMontage("PLIVOR-M");
const QByteArray kRecu("recu\n");
constexpr qsizetype kTailleMax = 4 << 20;
// Generous: the running program may be inside a transition or loading.
constexpr int kAttenteReponseMs = 30000;

// A folder the user alone owns and enters; a link is refused.
bool AMoiSeul(const QString& dossier) {
  struct stat s {};
  if (lstat(QFile::encodeName(dossier).constData(), &s) != 0) return false;
  return S_ISDIR(s.st_mode) && s.st_uid == geteuid() && (s.st_mode & 077) == 0;
}

// The program of one user on one display with one settings file.
QString Cle(const QString& reglages) {
  QByteArray cle = reglages.isEmpty() ? QByteArray("utilisateur")
                                      : "reglages:" + QFileInfo(reglages).absoluteFilePath().toUtf8();
  cle += "\necran:" + qgetenv("WAYLAND_DISPLAY") + "/" + qgetenv("DISPLAY");
  return QString::fromLatin1(QCryptographicHash::hash(cle, QCryptographicHash::Sha1).toHex().left(16));
}

}  // namespace

QString DossierPrive() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && AMoiSeul(runtime)) return runtime;
  const QString dossier = QDir::tempPath() + QStringLiteral("/plivor-%1").arg(geteuid());
  mkdir(QFile::encodeName(dossier).constData(), 0700);
  return AMoiSeul(dossier) ? dossier : QString();
}

Instance::Instance(const QString& dossier, const QString& reglages) {
  const QString lieu = dossier.isEmpty() ? DossierPrive() : dossier;
  if (!lieu.isEmpty()) socket_ = QDir(lieu).filePath(QStringLiteral("plivor-") + Cle(reglages) + QStringLiteral(".sock"));
}

Instance::~Instance() = default;

QByteArray Instance::Message(const Requete& requete) {
  const QByteArray corps = requete.listes.join(QChar(u'\0')).toUtf8();
  QByteArray taille(4, '\0');
  qToBigEndian(quint32(corps.size()), taille.data());
  return (requete.montage ? kEnteteMontage : kEntete) + taille + corps;
}

std::optional<Requete> Instance::Lire(const QByteArray& message) {
  const qsizetype tete = kEntete.size() + 4;
  const bool montage = message.startsWith(kEnteteMontage);
  if (message.size() < tete || !(montage || message.startsWith(kEntete))) return std::nullopt;
  const quint32 taille = qFromBigEndian<quint32>(message.constData() + kEntete.size());
  if (qsizetype(taille) != message.size() - tete) return std::nullopt;
  const QString corps = QString::fromUtf8(message.mid(tete));
  Requete requete{corps.isEmpty() ? QStringList{} : corps.split(QChar(u'\0')), montage};
  // Editing names the list it edits.
  if (requete.montage && requete.listes.isEmpty()) return std::nullopt;
  return requete;
}

QList<Requete> Instance::Prendre() {
  QList<Requete> r;
  r.swap(recues_);
  return r;
}

Instance::Remise Instance::Confier(const Requete& requete) {
  QLocalSocket socket;
  socket.connectToServer(socket_);
  if (!socket.waitForConnected(5000)) return Remise::Personne;
  socket.write(Message(requete));
  QByteArray reponse;
  while (reponse.size() < kRecu.size()) {
    if (!socket.waitForReadyRead(kAttenteReponseMs)) break;
    reponse += socket.readAll();
  }
  if (reponse.startsWith(kRecu)) return Remise::Faite;
  // Closed without answering: it was ending.
  return socket.state() == QLocalSocket::UnconnectedState ? Remise::Personne : Remise::Muet;
}

Instance::Issue Instance::Etablir(const Requete& requete) {
  if (socket_.isEmpty()) return Issue::Libre;
  // The look and the registration are one step: of two launches at once,
  // the second finds the first listening.
  for (int essai = 0; essai < 3; ++essai) {
    QLockFile verrou(socket_ + QStringLiteral(".verrou"));
    verrou.setStaleLockTime(0);
    if (!verrou.tryLock(20000)) return Issue::Libre;
    QLocalSocket sonde;
    sonde.connectToServer(socket_);
    const bool quelquUn = sonde.waitForConnected(5000);
    sonde.abort();
    if (!quelquUn) {
      // A socket left by a program that was killed answers no one.
      QLocalServer::removeServer(socket_);
      serveur_ = std::make_unique<QLocalServer>();
      serveur_->setSocketOptions(QLocalServer::UserAccessOption);
      if (!serveur_->listen(socket_)) {
        std::fprintf(stderr, "Plivor ne peut pas attendre les listes d'un autre lancement : %s\n",
                     serveur_->errorString().toUtf8().constData());
        serveur_.reset();
        return Issue::Libre;
      }
      connect(serveur_.get(), &QLocalServer::newConnection, this, &Instance::Accueillir);
      return Issue::Seule;
    }
    verrou.unlock();
    switch (Confier(requete)) {
      case Remise::Faite: return Issue::Confiee;
      case Remise::Muet: return Issue::Muette;
      case Remise::Personne: break;  // it ended meanwhile: look again
    }
  }
  return Issue::Libre;
}

void Instance::Accueillir() {
  while (QLocalSocket* socket = serveur_->nextPendingConnection()) {
    auto tampon = std::make_shared<QByteArray>();
    // A launch that never says its lists is not waited for forever.
    QTimer::singleShot(kAttenteReponseMs, socket, &QLocalSocket::abort);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, tampon] {
      *tampon += socket->readAll();
      if (tampon->size() > kTailleMax) return socket->abort();
      const auto requete = Lire(*tampon);
      if (!requete) return;
      socket->write(kRecu);
      socket->flush();
      socket->disconnectFromServer();
      recues_ << *requete;
      emit Demande();
    });
  }
}

}  // namespace plivor
