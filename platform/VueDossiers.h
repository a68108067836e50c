#pragma once
// The drive box and folder list over a folder browser, as the resource
// window, the opener and the installation page show them.

#include <QWidget>

#include "platform/ArbreDossiers.h"

class QComboBox;
class QListWidget;

namespace plivor {

class VueDossiers : public QWidget {
  Q_OBJECT

 public:
  VueDossiers(ArbreDossiers& arbre, QWidget* parent = nullptr);

  QComboBox* Unite() const { return unite_; }
  QListWidget* Directory() const { return directory_; }
  // The lists read the browser again.
  void Relire();

 signals:
  // A drive was chosen (UniteChange) or a folder opened (DirectoryClick).
  void UniteChoisie();
  void DossierOuvert();

 private:
  ArbreDossiers& arbre_;
  QComboBox* unite_ = nullptr;
  QListWidget* directory_ = nullptr;
};

}  // namespace plivor
