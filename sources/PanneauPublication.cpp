#include "sources/PanneauPublication.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace plivor {

namespace {

QPushButton* Bouton(QWidget* parent, const char* nom, const QString& texte, const QString& bulle = {}) {
  auto* b = new QPushButton(texte, parent);
  b->setObjectName(QLatin1String(nom));
  b->setToolTip(bulle.isEmpty() ? texte : bulle);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

QLabel* Titre(QWidget* parent, const char* nom, const QString& texte) {
  auto* l = new QLabel(texte, parent);
  l->setObjectName(QLatin1String(nom));
  l->setWordWrap(true);
  return l;
}

}  // namespace

PanneauPublication::PanneauPublication(Publication& publication, QWidget* parent)
    : QWidget(parent), publication_(publication) {
  setObjectName(QStringLiteral("Pub_pn"));
  Construire();
  connect(&publication_, &Publication::Change, this, &PanneauPublication::Rafraichir);
  connect(&publication_, &Publication::Progression, this, &PanneauPublication::Avancer);
  connect(&publication_, &Publication::Focus, this, [this] { setFocus(); });
  Rafraichir();
}

QWidget* PanneauPublication::ConstruireEnTete() {
  auto* tete = new QWidget(parentWidget());
  auto* colonne = new QVBoxLayout(tete);
  colonne->setContentsMargins(0, 0, 0, 0);
  dossier_ = Titre(tete, "Pub_dossier", QString());
  dossier_->setToolTip(QStringLiteral("Nom du dossier de publication"));
  dossier_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  colonne->addWidget(dossier_);
  auto* icones = new QWidget(tete);
  icones->setObjectName(QStringLiteral("Pub_icones"));
  auto* ligne = new QHBoxLayout(icones);
  ligne->setContentsMargins(0, 0, 0, 0);
  auto* valider = Bouton(icones, "Pub_btDossier", QStringLiteral("Valider le Dossier"),
                         QStringLiteral("Valider le dossier de Publication"));
  auto* nouveau = Bouton(icones, "Pub_btNouveau", QStringLiteral("Nouveau"), QStringLiteral("Créer un nouveau dossier"));
  ligne->addWidget(valider);
  ligne->addWidget(nouveau);
  colonne->addWidget(icones);
  connect(valider, &QPushButton::clicked, this, [this] { publication_.PubClick(BoutonPublication::Pub_btDossier); });
  connect(nouveau, &QPushButton::clicked, this, [this] { publication_.PubClick(BoutonPublication::Pub_btNouveau); });
  return tete;
}

void PanneauPublication::Construire() {
  enTete_ = ConstruireEnTete();
  auto* colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(0, 0, 0, 0);
  colonne->setSpacing(2);
  colonne->addWidget(Titre(this, "Pub_tr1", QStringLiteral("Publication")));
  colonne->addWidget(Titre(this, "Pub_tr2", QStringLiteral("Regroupement des ressources")));
  colonne->addWidget(Titre(this, "Pub_tr3", QStringLiteral("Nom de séquence et de Sous-dossier")));
  nomListe_ = new QLineEdit(this);
  nomListe_->setObjectName(QStringLiteral("Pub_NomListe"));
  nomListe_->setToolTip(QStringLiteral("Nom de séquence et de sous-dossier"));
  colonne->addWidget(nomListe_);
  connect(nomListe_, &QLineEdit::textEdited, this, [this](const QString& t) { publication_.Pub_NomListe = t; });

  auto* cases = new QWidget(this);
  cases->setObjectName(QStringLiteral("Pub_CBox"));
  cases->setToolTip(QStringLiteral("Options de sous-dossiers"));
  auto* colonneCases = new QVBoxLayout(cases);
  colonneCases->setContentsMargins(0, 0, 0, 0);
  const char* libelles[3] = {"Dossier Audio", "Dossier Script", "Conserver les sous-listes"};
  bool* drapeaux[3] = {&publication_.OptionAudio, &publication_.OptionScript, &publication_.OptionConserver};
  for (int i = 0; i < 3; ++i) {
    options_[i] = new QCheckBox(QString::fromUtf8(libelles[i]), cases);
    options_[i]->setObjectName(QStringLiteral("Pub_CBox%1").arg(i));
    colonneCases->addWidget(options_[i]);
    connect(options_[i], &QCheckBox::toggled, this, [p = drapeaux[i]](bool oui) { *p = oui; });
  }
  colonne->addWidget(cases);

  const auto clic = [this](QPushButton* b, BoutonPublication bouton) {
    connect(b, &QPushButton::clicked, this, [this, bouton] { publication_.PubClick(bouton); });
    return b;
  };
  colonne->addWidget(clic(Bouton(this, "Pub_btCharger", QStringLiteral("Charger une liste à publier")),
                          BoutonPublication::Pub_btCharger));
  colonne->addWidget(clic(Bouton(this, "Pub_btValider", QStringLiteral("Assembler les ressources")),
                          BoutonPublication::Pub_btValider));

  auto* programmes = new QHBoxLayout;
  plivor_ = new QRadioButton(QStringLiteral("Plivor"), this);
  plivor_->setObjectName(QStringLiteral("rb_Plivor"));
  plivor_->setToolTip(QStringLiteral("Sélectionner Plivor"));
  prelio_ = new QRadioButton(QStringLiteral("Prelio"), this);
  prelio_->setObjectName(QStringLiteral("rb_Prelio"));
  prelio_->setToolTip(QStringLiteral("Sélectionner  Prelio"));
  programmes->addWidget(plivor_);
  programmes->addWidget(prelio_);
  colonne->addLayout(programmes);
  connect(plivor_, &QRadioButton::toggled, this, [this](bool oui) { publication_.rb_Plivor = oui; });
  colonne->addWidget(clic(Bouton(this, "Pub_Plivor", QStringLiteral("Inclure le programme")),
                          BoutonPublication::Pub_Plivor));
  colonne->addWidget(clic(Bouton(this, "Pub_btAutorun", QStringLiteral("Créer un fichier Autorun")),
                          BoutonPublication::Pub_btAutorun));
  colonne->addWidget(clic(Bouton(this, "Pub_btVideo", QStringLiteral("Ajouter une vidéo")),
                          BoutonPublication::Pub_btVideo));

  enCours_ = Titre(this, "Pub_trEnCours", QStringLiteral("Processus en cours"));
  colonne->addWidget(enCours_);
  barre_ = new QProgressBar(this);
  barre_->setObjectName(QStringLiteral("Pub_Progression"));
  barre_->setRange(0, 1000);
  barre_->setValue(0);
  barre_->setTextVisible(false);
  barre_->setMaximumHeight(10);
  colonne->addWidget(barre_);
  // Their place is kept while hidden, so that no button moves under the
  // pointer when they show.
  for (QWidget* w : {static_cast<QWidget*>(enCours_), static_cast<QWidget*>(barre_)}) {
    QSizePolicy politique = w->sizePolicy();
    politique.setRetainSizeWhenHidden(true);
    w->setSizePolicy(politique);
  }
  colonne->addStretch();

  auto* bas = new QHBoxLayout;
  auto* aide = Bouton(this, "Pub_btAide", QStringLiteral("Aide Publication"));
  connect(aide, &QPushButton::clicked, this, [this] { publication_.Aide(); });
  bas->addWidget(aide);
  bas->addWidget(clic(Bouton(this, "Pub_btRefermer", QStringLiteral("Refermer")), BoutonPublication::Pub_btRefermer));
  colonne->addLayout(bas);
  // Light texts on the slide colour, as the rest of the window.
  QList<QWidget*> textes;
  for (QWidget* w : findChildren<QLabel*>()) textes << w;
  for (QWidget* w : enTete_->findChildren<QLabel*>()) textes << w;
  for (QWidget* w : findChildren<QCheckBox*>()) textes << w;
  for (QWidget* w : findChildren<QRadioButton*>()) textes << w;
  for (QWidget* w : textes) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, QColor(240, 230, 210));
    w->setPalette(p);
  }
}

void PanneauPublication::Rafraichir() {
  const Publication& p = publication_;
  setVisible(p.Ouvert);
  enTete_->setVisible(p.Ouvert);
  if (nomListe_->text() != p.Pub_NomListe) nomListe_->setText(p.Pub_NomListe);
  const bool options[3] = {p.OptionAudio, p.OptionScript, p.OptionConserver};
  for (int i = 0; i < 3; ++i) options_[i]->setChecked(options[i]);
  plivor_->setChecked(p.rb_Plivor);
  prelio_->setChecked(!p.rb_Plivor);
  dossier_->setText(dossier_->fontMetrics().elidedText(p.Pub_dossier, Qt::ElideMiddle, 200));
  enCours_->setText(p.Pub_trEnCours);
  enCours_->setVisible(p.EnCoursVisible);
  barre_->setVisible(p.EnCoursVisible);
  if (p.Occupe != curseur_) {
    curseur_ = p.Occupe;
    if (curseur_)
      QApplication::setOverrideCursor(Qt::WaitCursor);
    else
      QApplication::restoreOverrideCursor();
  }
  if (p.Occupe) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The copy runs on this thread: the bar is repainted at once, now and
// then rather than at every chunk, so that painting does not slow it.
void PanneauPublication::Avancer(qint64 copies, qint64 total) {
  barre_->setValue(total > 0 ? int(std::min<qint64>(1000, copies * 1000 / total)) : 0);
  if (depuisDessin_.isValid() && depuisDessin_.elapsed() < 50) return;
  depuisDessin_.start();
  if (barre_->isVisible()) barre_->repaint();
}

}  // namespace plivor
