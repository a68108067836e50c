#include "video/DialogueVideo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace plivor {

DialogueVideo::DialogueVideo(const ChoixVideo& choix, QSize fenetre, double secondes, QWidget* parent)
    : QDialog(parent), tailles_(TaillesProposees(fenetre)), secondes_(secondes) {
  setWindowTitle(QStringLiteral("Réglages de la vidéo"));
  auto* formulaire = new QFormLayout;
  taille_ = new QComboBox(this);
  for (const TailleProposee& t : tailles_) taille_->addItem(t.libelle);
  largeur_ = new QSpinBox(this);
  hauteur_ = new QSpinBox(this);
  largeur_->setRange(16, 7680);
  hauteur_->setRange(16, 4320);
  largeur_->setSingleStep(2);
  hauteur_->setSingleStep(2);
  largeur_->setValue(choix.taille.width());
  hauteur_->setValue(choix.taille.height());
  int index = int(tailles_.size()) - 1;  // a size of the user's own
  for (size_t i = 0; i < tailles_.size(); ++i)
    if (tailles_[i].taille == choix.taille) index = int(i);
  taille_->setCurrentIndex(index);
  auto* personnelle = new QHBoxLayout;
  personnelle->addWidget(largeur_);
  personnelle->addWidget(new QLabel(QStringLiteral("×"), this));
  personnelle->addWidget(hauteur_);
  formulaire->addRow(QStringLiteral("&Taille :"), taille_);
  formulaire->addRow(QString(), personnelle);

  ips_ = new QComboBox(this);
  for (const int ips : CadencesProposees()) ips_->addItem(QStringLiteral("%1 images/s").arg(ips), ips);
  ips_->setCurrentIndex(std::max(0, ips_->findData(choix.ips)));
  formulaire->addRow(QStringLiteral("&Cadence :"), ips_);

  qualite_ = new QComboBox(this);
  qualite_->addItems(LibellesQualite());
  qualite_->setCurrentIndex(int(choix.qualite));
  formulaire->addRow(QStringLiteral("&Qualité :"), qualite_);

  fenetre_ = new QRadioButton(QStringLiteral("La &fenêtre, qui remplit l'image"), this);
  ecran_ = new QRadioButton(QStringLiteral("Tout l'&écran, la fenêtre à sa taille"), this);
  (choix.ecranEntier ? ecran_ : fenetre_)->setChecked(true);
  auto* cadrage = new QVBoxLayout;
  cadrage->addWidget(fenetre_);
  cadrage->addWidget(ecran_);
  formulaire->addRow(QStringLiteral("Montrer :"), cadrage);

  materiel_ = new QCheckBox(QStringLiteral("Encoder par la carte &graphique quand elle le peut"), this);
  materiel_->setChecked(choix.materiel);
  formulaire->addRow(QString(), materiel_);

  estimation_ = new QLabel(this);
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  boutons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("E&xporter…"));
  boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* tout = new QVBoxLayout(this);
  tout->addLayout(formulaire);
  tout->addWidget(estimation_);
  tout->addWidget(boutons);

  const auto actualiser = [this] { Actualiser(); };
  connect(taille_, &QComboBox::currentIndexChanged, this, actualiser);
  connect(largeur_, &QSpinBox::valueChanged, this, actualiser);
  connect(hauteur_, &QSpinBox::valueChanged, this, actualiser);
  connect(ips_, &QComboBox::currentIndexChanged, this, actualiser);
  connect(qualite_, &QComboBox::currentIndexChanged, this, actualiser);
  Actualiser();
}

ChoixVideo DialogueVideo::Choix() const {
  ChoixVideo c;
  const QSize proposee = tailles_[size_t(std::max(0, taille_->currentIndex()))].taille;
  // Frames of odd sizes cannot be encoded: the size is made even.
  c.taille = proposee.isEmpty() ? QSize(largeur_->value() & ~1, hauteur_->value() & ~1) : proposee;
  c.ips = ips_->currentData().toInt();
  c.qualite = QualiteVideo(qualite_->currentIndex());
  c.ecranEntier = ecran_->isChecked();
  c.materiel = materiel_->isChecked();
  return c;
}

void DialogueVideo::Actualiser() {
  const bool personnelle = tailles_[size_t(std::max(0, taille_->currentIndex()))].taille.isEmpty();
  largeur_->setEnabled(personnelle);
  hauteur_->setEnabled(personnelle);
  if (!personnelle) {
    const QSignalBlocker a(largeur_), b(hauteur_);
    largeur_->setValue(Choix().taille.width());
    hauteur_->setValue(Choix().taille.height());
  }
  estimation_->setText(Estimation(Choix(), secondes_));
}

}  // namespace plivor
