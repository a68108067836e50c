#pragma once
// What the running program does with the lists of a second launch: they
// are projected as the lists of the command line are at the start, once no
// box, dialog or menu is open and the program waits for its user; the
// window is raised at once.

#include <QObject>
#include <QStringList>
#include <optional>

namespace plivor {

class Instance;
class Programme;

class Accueil : public QObject {
  Q_OBJECT

 public:
  Accueil(Programme& programme, Instance& instance);

 private:
  void Recevoir();
  void Calme();
  void Projeter();
  bool Libre() const;
  void Lever();

  Programme& programme_;
  Instance& instance_;
  std::optional<QStringList> attente_;
  bool prevu_ = false;
};

}  // namespace plivor
