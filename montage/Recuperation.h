#pragma once
// A copy of the montage's unsaved edits, kept beside the settings while the
// list differs from its file: a run ended by a signal, a logout or a crash
// leaves it behind, and the next start offers the edits back. The copy is
// never written over the list itself.

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

#include "core/Lignes.h"

namespace plivor {

class Montage;

struct ListeRetrouvee {
  Liste lignes;
  Texte nom;      // the list's own name ("Sans nom" when it had none)
  Texte dossier;  // its folder
};

class Recuperation : public QObject {
  Q_OBJECT

 public:
  // `dossier`: where the copy lives (the settings' folder).
  Recuperation(Montage& montage, const QString& dossier);

  QString CheminCopie() const;
  // The copy follows the list now: written when it is modified, removed
  // when it is not.
  void Suivre();
  // The copy of a run that ended without saving, if there is one.
  std::optional<ListeRetrouvee> Retrouvee() const;
  void Retirer();
  // At start: asks whether to take the edits back, and gives them to the
  // montage when the answer is yes. True when they were taken back.
  bool Proposer();

 private:
  Montage& montage_;
  QString dossier_;
  QTimer attente_;
};

}  // namespace plivor
