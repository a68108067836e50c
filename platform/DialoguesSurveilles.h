#pragma once
// The dialogs as a running show meets them. While a box is open the show
// waits (its timer is held) and goes on once the box is closed; the same
// text is never opened twice at once. A show left to run alone turns every
// message into a notice drawn on the projection and written to the error
// output, so nobody has to click for it to go on.

#include <QStringList>
#include <functional>

#include "platform/Dialogues.h"

namespace plivor {

class DialoguesSurveilles : public Dialogues {
 public:
  explicit DialoguesSurveilles(Dialogues& personne) : personne_(personne) {}

  // The show's timer held while a dialog is open, and given back after.
  std::function<void()> suspendre, reprendre;
  // A notice: a few seconds on the projection and one line on stderr.
  std::function<void(const QString&)> avis;
  std::function<bool()> sansSurveillance;

  // What never waits for anybody (no sound device): a notice in every mode.
  void Avis(const QString& texte) override;

  void Information(const QString& texte) override;
  bool Question(const QString& texte) override;
  std::optional<QString> FichierAOuvrir(const QString& titre, const QString& dossier,
                                        const QString& filtre) override;
  std::optional<QString> FichierAEnregistrer(const QString& titre, const QString& dossier,
                                             const QString& filtre) override;
  std::optional<QColor> CouleurAChoisir(const QColor& initiale) override;
  std::optional<QString> DossierAChoisir(const QString& titre, const QString& dossier) override;
  std::optional<QString> TexteASaisir(const QString& titre, const QString& invite, const QString& initial) override;

 private:
  // Holds the show for the time of `ouvrir`.
  template <typename F>
  auto Pendant(F&& ouvrir) {
    if (ouverts_++ == 0 && suspendre) suspendre();
    struct Fin {
      DialoguesSurveilles& d;
      ~Fin() {
        if (--d.ouverts_ == 0 && d.reprendre) d.reprendre();
      }
    } fin{*this};
    return ouvrir();
  }

  Dialogues& personne_;
  int ouverts_ = 0;
  QStringList textesOuverts_;
};

}  // namespace plivor
