#pragma once
// What the running program does with the lists of a second launch: they
// are projected as the lists of the command line are at the start (or the
// list of "--montage" is edited), once no box, dialog or menu is open and
// the program waits for its user; the window is raised at once.

#include <QObject>
#include <QStringList>
#include <optional>

#include "app/Instance.h"

namespace plivor {

class Programme;

class Accueil : public QObject {
  Q_OBJECT

 public:
  Accueil(Programme& programme, Instance& instance);

 private:
  void Recevoir();
  void Calme();
  void Projeter();
  void Editer(const QString& liste);
  bool Libre() const;
  void Lever();

  Programme& programme_;
  Instance& instance_;
  std::optional<Requete> attente_;
  bool prevu_ = false;
};

}  // namespace plivor
