#include "montage/PanneauMiseEnForme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QStandardItemModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "core/Notations.h"
#include "platform/Dialogues.h"

namespace plivor {

namespace {

// The miniature: the engine's picture; a click on the block or the title
// asks for its colour.
class VueMiniature : public QWidget {
 public:
  explicit VueMiniature(MiseEnForme& moteur, QWidget* parent) : QWidget(parent), moteur_(moteur) {
    setObjectName(QStringLiteral("pnF_Cadre"));
    setFixedSize(MiseEnForme::kLargeurCadre, MiseEnForme::kHauteurCadre);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, moteur_.Miniature());
  }
  void mousePressEvent(QMouseEvent* e) override {
    const QRect cible = moteur_.BlocVisible() ? moteur_.Bloc() : moteur_.Titre();
    if (cible.contains(e->position().toPoint())) moteur_.ChoisirCouleur();
  }
  bool event(QEvent* e) override {
    if (e->type() == QEvent::ToolTip)
      setToolTip(moteur_.BlocVisible() ? QStringLiteral("Cliquer pour changer la couleur") : moteur_.BulleTitre());
    return QWidget::event(e);
  }

 private:
  MiseEnForme& moteur_;
};

QComboBox* Choix(QWidget* parent, const QStringList& items) {
  auto* c = new QComboBox(parent);
  c->addItems(items);
  return c;
}

// The installed faces, with the program's default title face among them.
QStringList PolicesInstallees() {
  QStringList noms = QFontDatabase::families();
  const QString defaut = QString::fromLatin1(kPoliceParDefaut);
  if (!noms.contains(defaut)) {
    noms << defaut;
    noms.sort(Qt::CaseInsensitive);
  }
  return noms;
}

}  // namespace

PanneauMiseEnForme::PanneauMiseEnForme(MiseEnForme& moteur, QWidget* liste)
    : QWidget(liste->parentWidget()), moteur_(moteur), liste_(liste) {
  setObjectName(QStringLiteral("pnF_panneau"));
  setAutoFillBackground(true);
  moteur_.DefinirPolices(PolicesInstallees());
  auto* colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(4, 4, 4, 4);
  colonne->setSpacing(3);

  auto* titreDim = new QWidget(this);
  auto* ligneDim = new QHBoxLayout(titreDim);
  ligneDim->setContentsMargins(0, 0, 0, 0);
  ligneDim->addWidget(new QLabel(QStringLiteral("Dimensions de"), titreDim));
  type_ = new QLabel(titreDim);
  type_->setObjectName(QStringLiteral("pnf_type"));
  ligneDim->addWidget(type_);
  ligneDim->addStretch();
  colonne->addWidget(titreDim);
  dim_ = Choix(this, MiseEnForme::Dimensions());
  dim_->setObjectName(QStringLiteral("pnF_Dim"));
  colonne->addWidget(dim_);
  auto* titrePos = new QWidget(this);
  auto* lignePos = new QHBoxLayout(titrePos);
  lignePos->setContentsMargins(0, 0, 0, 0);
  lignePos->addWidget(new QLabel(QStringLiteral("Position"), titrePos));
  conteneur_ = new QLabel(titrePos);
  conteneur_->setObjectName(QStringLiteral("pnf_conteneur"));
  lignePos->addWidget(conteneur_);
  lignePos->addStretch();
  colonne->addWidget(titrePos);
  pos_ = Choix(this, MiseEnForme::Positions());
  pos_->setObjectName(QStringLiteral("pnF_Pos"));
  colonne->addWidget(pos_);

  miniature_ = new VueMiniature(moteur_, this);
  colonne->addWidget(miniature_, 0, Qt::AlignHCenter);

  // pnF_Fontes.
  fontes_ = new QWidget(this);
  fontes_->setObjectName(QStringLiteral("pnF_Fontes"));
  auto* ligneFontes = new QVBoxLayout(fontes_);
  ligneFontes->setContentsMargins(0, 0, 0, 0);
  noms_ = Choix(fontes_, moteur_.NomsPolices());
  noms_->setObjectName(QStringLiteral("Fonte_Noms"));
  auto* tailleStyle = new QHBoxLayout;
  tailles_ = Choix(fontes_, MiseEnForme::Tailles());
  tailles_->setObjectName(QStringLiteral("Fonte_Tailles"));
  tailles_->setEditable(true);
  styles_ = Choix(fontes_, MiseEnForme::Styles());
  styles_->setObjectName(QStringLiteral("Fonte_styles"));
  ligneFontes->addWidget(noms_);
  tailleStyle->addWidget(tailles_);
  tailleStyle->addWidget(styles_);
  ligneFontes->addLayout(tailleStyle);
  colonne->addWidget(fontes_);

  // The option pages.
  options_ = new QWidget(this);
  auto* colonneOptions = new QVBoxLayout(options_);
  colonneOptions->setContentsMargins(0, 0, 0, 0);
  onglets_ = new QStackedWidget(options_);
  onglets_->setObjectName(QStringLiteral("pnf_Onglets"));
  // Each page with its caption: the container it sets out.
  auto* pageFenetre = new QGroupBox(QStringLiteral("Fenetre"), onglets_);
  pageFenetre->setObjectName(QStringLiteral("pnf_Onglet3"));
  auto* formeFenetre = new QFormLayout(pageFenetre);
  cadre_ = new QLineEdit(moteur_.Cadre, pageFenetre);
  cadre_->setObjectName(QStringLiteral("pnf_Ocadre"));
  marge_ = new QLineEdit(moteur_.Marge, pageFenetre);
  marge_->setObjectName(QStringLiteral("pnf_Omarge"));
  bureau_ = Choix(pageFenetre, {QStringLiteral("Voir"), QStringLiteral("Masquer")});
  bureau_->setObjectName(QStringLiteral("pnf_Bureau"));
  formeFenetre->addRow(QStringLiteral("Cadre"), cadre_);
  formeFenetre->addRow(QStringLiteral("Marge"), marge_);
  formeFenetre->addRow(QStringLiteral("Bureau"), bureau_);
  auto* pageCarte = new QGroupBox(QStringLiteral("Carte"), onglets_);
  pageCarte->setObjectName(QStringLiteral("pnf_Onglet4"));
  auto* formeCarte = new QVBoxLayout(pageCarte);
  opaque_ = Choix(pageCarte, {QStringLiteral("Entourer"), QStringLiteral("Détourer")});
  opaque_->setObjectName(QStringLiteral("PnF_opaque"));
  detacher_ = Choix(pageCarte, {QStringLiteral("Détacher"), QStringLiteral("Coller aux bords")});
  detacher_->setObjectName(QStringLiteral("PnF_Detacher"));
  formeCarte->addWidget(opaque_);
  formeCarte->addWidget(detacher_);
  auto* pageTitre = new QGroupBox(onglets_);
  pageTitre->setObjectName(QStringLiteral("pnf_Onglet7"));
  auto* formeTitre = new QVBoxLayout(pageTitre);
  masque_ = Choix(pageTitre, {QStringLiteral("Normal"), QStringLiteral("Masque")});
  masque_->setObjectName(QStringLiteral("pnf_Masque"));
  texteTitre_ = new QLineEdit(QStringLiteral("Texte Titre"), pageTitre);
  texteTitre_->setObjectName(QStringLiteral("pnf_TexteTitre"));
  formeTitre->addWidget(masque_);
  formeTitre->addWidget(texteTitre_);
  auto* pageObjet = new QGroupBox(QStringLiteral("Objet"), onglets_);
  pageObjet->setObjectName(QStringLiteral("pnf_Onglet8"));
  auto* formeObjet = new QVBoxLayout(pageObjet);
  fichier_ = new QLineEdit(pageObjet);
  fichier_->setObjectName(QStringLiteral("pnf_ObjetFichier"));
  fichier_->setReadOnly(true);
  fichier_->installEventFilter(this);
  formeObjet->addWidget(fichier_);
  for (QWidget* page : {pageFenetre, pageCarte, pageTitre, pageObjet}) onglets_->addWidget(page);
  colonneOptions->addWidget(onglets_);
  inclure_ = new QCheckBox(QStringLiteral("Inclure les options"), options_);
  inclure_->setObjectName(QStringLiteral("pnf_Options"));
  colonneOptions->addWidget(inclure_);
  colonne->addWidget(options_);

  auto* boutons = new QHBoxLayout;
  auto* valider = new QPushButton(QStringLiteral("✓"), this);
  valider->setObjectName(QStringLiteral("pnF_btvalider"));
  valider->setToolTip(QStringLiteral("Insérer les instructions"));
  auto* annuler = new QPushButton(QStringLiteral("✕"), this);
  annuler->setObjectName(QStringLiteral("pnF_btAnnuler"));
  annuler->setToolTip(QStringLiteral("Annuler et Fermer"));
  auto* aide = new QPushButton(QStringLiteral("?"), this);
  aide->setObjectName(QStringLiteral("pnF_Aide"));
  aide->setToolTip(QStringLiteral("Aide"));
  for (QPushButton* b : {valider, annuler, aide}) boutons->addWidget(b);
  colonne->addLayout(boutons);
  colonne->addStretch();

  connect(dim_, &QComboBox::activated, this, [this](int i) { moteur_.ChoisirDimension(i); });
  connect(pos_, &QComboBox::activated, this, [this](int i) { moteur_.ChoisirPosition(i); });
  connect(noms_, &QComboBox::currentIndexChanged, this, &PanneauMiseEnForme::Fonte);
  connect(tailles_, &QComboBox::currentTextChanged, this, &PanneauMiseEnForme::Fonte);
  connect(styles_, &QComboBox::currentIndexChanged, this, &PanneauMiseEnForme::Fonte);
  connect(cadre_, &QLineEdit::textEdited, this, [this](const QString& t) { moteur_.Cadre = t; });
  connect(marge_, &QLineEdit::textEdited, this, [this](const QString& t) { moteur_.Marge = t; });
  connect(bureau_, &QComboBox::activated, this, [this](int i) { moteur_.Bureau = i; });
  connect(opaque_, &QComboBox::activated, this, [this](int i) { moteur_.Opaque = i; });
  connect(detacher_, &QComboBox::activated, this, [this](int i) { moteur_.Detacher = i; });
  connect(masque_, &QComboBox::activated, this, [this](int i) { moteur_.Masque = i; });
  connect(texteTitre_, &QLineEdit::textEdited, this, [this](const QString& t) { moteur_.TexteTitre = t; });
  connect(inclure_, &QCheckBox::toggled, this, [this](bool oui) {
    if (!synchro_) moteur_.InclureOptions = oui;
  });
  connect(valider, &QPushButton::clicked, this, [this] { moteur_.Valider(); });
  connect(annuler, &QPushButton::clicked, this, [this] { moteur_.Annuler(); });
  connect(aide, &QPushButton::clicked, this, [this] { moteur_.Aide(); });
  connect(&moteur_, &MiseEnForme::Change, this, &PanneauMiseEnForme::Rafraichir);
  liste_->installEventFilter(this);
  hide();
}

bool PanneauMiseEnForme::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == liste_ && (evenement->type() == QEvent::Resize || evenement->type() == QEvent::Move)) {
    Placer();
  } else if (objet == fichier_ && evenement->type() == QEvent::MouseButtonPress) {
    moteur_.ChoisirFichier();
    return true;
  }
  return QWidget::eventFilter(objet, evenement);
}

void PanneauMiseEnForme::Placer() {
  // Over the list, and further down over the window when the list is
  // shorter than the panel.
  const QRect l = liste_->geometry();
  const int bas = parentWidget() ? parentWidget()->height() : l.bottom();
  setGeometry(l.x(), l.y(), l.width(), std::min(std::max(l.height(), sizeHint().height()), bas - l.y()));
}

void PanneauMiseEnForme::Fonte() {
  if (synchro_) return;
  moteur_.ChangeFonte(noms_->currentText(), tailles_->currentText(), styles_->currentIndex());
}

void PanneauMiseEnForme::Rafraichir() {
  synchro_ = true;
  const bool titre = !moteur_.BlocVisible();
  type_->setText(TexteEcran(moteur_.Type()));
  conteneur_->setText(TexteEcran(moteur_.Conteneur()));
  dim_->setCurrentIndex(moteur_.Dimension());
  pos_->setCurrentIndex(moteur_.Position());
  fontes_->setVisible(titre);
  // The sizes the thing cannot take are shown, greyed.
  if (auto* modele = qobject_cast<QStandardItemModel*>(dim_->model()))
    for (int i = 0; i < dim_->count(); ++i)
      if (QStandardItem* item = modele->item(i)) item->setEnabled(moteur_.DimensionPossible(i));
  if (titre) {
    // A face of the line that this machine lacks is shown as written.
    if (!moteur_.NomPolice().isEmpty() && noms_->findText(moteur_.NomPolice()) < 0)
      noms_->insertItem(0, moteur_.NomPolice());
    noms_->setCurrentIndex(std::max(0, noms_->findText(moteur_.NomPolice())));
    tailles_->setCurrentText(moteur_.TaillePolice());
    styles_->setCurrentIndex(moteur_.StylePolice());
  }
  options_->setVisible(!moteur_.ModePolice());
  dim_->setEnabled(!titre);
  onglets_->setCurrentIndex(moteur_.Chose() == 3 ? 0 : moteur_.Chose() == 4 ? 1 : moteur_.Chose() == 7 ? 2 : 3);
  cadre_->setText(moteur_.Cadre);
  marge_->setText(moteur_.Marge);
  bureau_->setCurrentIndex(moteur_.Bureau);
  opaque_->setCurrentIndex(moteur_.Opaque);
  detacher_->setCurrentIndex(moteur_.Detacher);
  masque_->setCurrentIndex(moteur_.Masque);
  texteTitre_->setText(moteur_.TexteTitre);
  fichier_->setText(moteur_.TexteFichier());
  inclure_->setChecked(moteur_.InclureOptions);
  synchro_ = false;
  miniature_->update();
  if (moteur_.Visible() != isVisible()) {
    Placer();
    setVisible(moteur_.Visible());
    if (moteur_.Visible()) raise();
  }
}

}  // namespace plivor
