#pragma once
// The options window on screen: three pages mirroring TFOptions.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace plivor {

class TFOptions;

class FenetreOptions : public QWidget {
  Q_OBJECT

 public:
  explicit FenetreOptions(TFOptions& options, QWidget* parent = nullptr);
  QWidget* PageInstallation() const { return pageInstallation_; }

 protected:
  void closeEvent(QCloseEvent* evenement) override;

 private:
  QWidget* PageAPropos();
  QWidget* PageOptions();
  void Actualiser();

  TFOptions& options_;
  QTabWidget* opt_Page_ = nullptr;
  QWidget* pageInstallation_ = nullptr;
  QPushButton* opt_ListeIntro_ = nullptr;
  QLabel* opt_chemin_ = nullptr;
  QLineEdit* opt_tempo_ = nullptr;
  QPushButton* opt_couleurFond_ = nullptr;
  QComboBox* opt_Vitesse_ = nullptr;
  QListWidget* options_liste_ = nullptr;
  QComboBox* opt_langue_ = nullptr;
  QComboBox* opt_ecran_ = nullptr;
  bool actualisation_ = false;
};

}  // namespace plivor
