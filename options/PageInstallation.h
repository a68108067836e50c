#pragma once
// The "Installation" page on screen, bound to its engine.

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace plivor {

class Installation;
class TFVue;

class PageInstallation : public QWidget {
  Q_OBJECT

 public:
  // Fills `page`, the options window's empty installation tab.
  PageInstallation(Installation& installation, TFVue& vue, QWidget* page);

 protected:
  void showEvent(QShowEvent* evenement) override;

 private:
  QFrame* PanneauRaccourci();
  void Actualiser();

  Installation& installation_;
  TFVue& vue_;
  QPushButton* opt_RNomDossier_ = nullptr;
  QComboBox* opt_RVersions_ = nullptr;
  QLabel* opt_RNomProgram_ = nullptr;
  QLabel* opt_RMessage_ = nullptr;
  QProgressBar* progression_ = nullptr;
  QFrame* lk_pnRaccourci_ = nullptr;
};

}  // namespace plivor
