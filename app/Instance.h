#pragma once
// One program per user, display and settings file: a second launch hands
// its lists to the program already running and ends. The running one hears
// them on a local socket in a folder only the user can enter.

#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace plivor {

// What a launch asks of the running program.
struct Requete {
  QStringList listes;    // absolute paths; none: only raise it
  bool montage = false;  // the first list is to be edited, not projected
  bool operator==(const Requete&) const = default;
};

class Instance : public QObject {
  Q_OBJECT

 public:
  enum class Issue {
    Seule,    // registered: this program is the one
    Confiee,  // the running program has the lists: end with 0
    Libre,    // no private folder or socket: runs on its own, unregistered
    Muette,   // a program listens but never answered: nothing handed over
  };

  // `dossier`: where the socket lives (empty: the user's runtime folder, or
  // a private one in the temporary folder); `reglages`: the settings file
  // given by PLIVOR_REGLAGES, empty for the user's own.
  Instance(const QString& dossier, const QString& reglages);
  ~Instance() override;

  // Hands the request to the running program, or becomes the running one.
  // Two launches at once end with one registered, the other handing over.
  Issue Etablir(const Requete& requete);

  QString Socket() const { return socket_; }
  // The requests heard so far, oldest first, taken away.
  QList<Requete> Prendre();

  // The running program's end of the exchange, as Etablir sends it.
  static QByteArray Message(const Requete& requete);
  // The request of a whole message; nothing when it is not one.
  static std::optional<Requete> Lire(const QByteArray& message);

 signals:
  // A second launch asked something; Prendre has it.
  void Demande();

 private:
  enum class Remise { Faite, Personne, Muet };
  Remise Confier(const Requete& requete);
  void Accueillir();

  QString socket_;
  std::unique_ptr<QLocalServer> serveur_;
  QList<Requete> recues_;
};

// The folder for the socket: the user's runtime folder when it is theirs,
// else a folder of the temporary one made for the user alone; empty when
// neither can be trusted.
QString DossierPrive();

}  // namespace plivor
