#pragma once
// The projection's popup menu PopImage, with its single-key shortcuts, and
// its check marks taken from the engine each time it opens.

#include <QMenu>
#include <map>

#include "projection/TFVue.h"

namespace plivor {

class MenuProjection : public QObject {
  Q_OBJECT

 public:
  // The shortcuts act while `fenetre` has the focus.
  MenuProjection(TFVue& vue, QWidget* fenetre);
  QMenu& PopImage() { return menu_; }
  QAction* Action(Emetteur entree) const;
  // Opens under the pointer, at `ou` on the screen.
  void Ouvrir(const QPoint& ou);
  void Actualiser();

 private:
  QAction* Ajouter(QMenu& menu, Emetteur entree, const QString& libelle, const QKeySequence& raccourci,
                   bool cochable = false);
  void Declencher(Emetteur entree);

  TFVue& vue_;
  QMenu menu_;
  std::map<Emetteur, QAction*> actions_;
};

}  // namespace plivor
