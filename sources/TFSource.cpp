#include "sources/TFSource.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "montage/ModeleMontage.h"
#include "platform/VueDossiers.h"
#include "sources/PanneauPublication.h"
#include "video/ExportMontage.h"
#include "platform/DeplacementFenetre.h"

namespace plivor {

namespace {

// The file list drags the engine's chosen files, as full paths.
class ListeFichiers : public QListWidget {
 public:
  ListeFichiers(Sources& moteur, QWidget* parent) : QListWidget(parent), moteur_(moteur) {}

 protected:
  void startDrag(Qt::DropActions) override {
    const Liste chemins = moteur_.CheminsChoisis();
    if (chemins.empty()) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(MimeSources(chemins));
    drag->exec(Qt::CopyAction);
  }

 private:
  Sources& moteur_;
};

// A label or button that tells the right button from the others.
class Cliquable : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> clic;

 protected:
  void mousePressEvent(QMouseEvent*) override {
    if (clic) clic();
  }
};

class BoutonFiltrage : public QToolButton {
 public:
  using QToolButton::QToolButton;
  std::function<void(bool droit)> appui;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (appui) appui(e->button() == Qt::RightButton);
  }
};

QString Utf8(const Texte& t) { return QString::fromStdString(VersUtf8(t)); }

}  // namespace

TFSource::TFSource(TFVue& vue, Montage& montage, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      moteur_(std::make_unique<Sources>(vue, montage, Utf8(vue.Services().fichiers.DossierCourant()))) {
  setObjectName(QStringLiteral("TFSource"));
  // Frameless: its free parts are its caption.
  DeplacementFenetre::Installer(this);
  setWindowTitle(QStringLiteral("Plivor : Fenêtre des Ressources"));
  Construire();
  resize(226, 573);
  connect(moteur_.get(), &Sources::Change, this, &TFSource::Rafraichir);
  connect(moteur_.get(), &Sources::SelectionChangee, this, &TFSource::SelectionAffichee);
  connect(moteur_.get(), &Sources::Masquer, this, [this] {
    hide();
    emit Fermee();
  });
  Rafraichir();
}

TFSource::~TFSource() = default;

QToolButton* TFSource::Bouton(const QString& texte, const QString& bulle, void (Sources::*faire)()) {
  auto* b = new QToolButton(this);
  b->setText(texte);
  b->setToolTip(bulle);
  b->setFocusPolicy(Qt::NoFocus);
  connect(b, &QToolButton::clicked, moteur_.get(), faire);
  return b;
}

void TFSource::Construire() {
  auto* colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(2, 2, 2, 2);
  colonne->setSpacing(2);

  auto* haut = new QHBoxLayout;
  trDossier_ = new Cliquable(this);
  trDossier_->setToolTip(QStringLiteral("Dossier en Cours (cliquer pour fermer le panneau)"));
  static_cast<Cliquable*>(trDossier_)->clic = [this] { moteur_->Filtrage(); };
  haut->addWidget(trDossier_, 1);
  btFermer_ = Bouton(QStringLiteral("✕"), QStringLiteral("Fermer la fenêtre d'import"), &Sources::FermerSource);
  haut->addWidget(btFermer_);
  colonne->addLayout(haut);

  dossiers_ = new VueDossiers(moteur_->Arbre, this);
  dossiers_->setFixedHeight(116 + 26);
  colonne->addWidget(dossiers_);
  connect(dossiers_, &VueDossiers::DossierOuvert, this, [this] {
    moteur_->DirectoryChange();
    moteur_->Selection();
  });
  connect(dossiers_, &VueDossiers::UniteChoisie, this, [this] {
    moteur_->DirectoryChange();
    moteur_->Selection();
  });
  ConstruireFiltres();
  colonne->addWidget(pnFiltrage_);
  // The creation panel stands over the window's top-left corner.
  pnCreation_->setAutoFillBackground(true);

  auto* genres = new QHBoxLayout;
  genres->setSpacing(0);
  genres->addWidget(Bouton(QStringLiteral("Img"), QStringLiteral("Fichiers Images"), &Sources::Images));
  genres->addWidget(Bouton(QStringLiteral("Son"), QStringLiteral("Fichiers Audio"), &Sources::Sons));
  genres->addWidget(Bouton(QStringLiteral("Lst"), QStringLiteral("Fichiers Listes"), &Sources::Listes));
  genres->addWidget(Bouton(QStringLiteral("Tous"), QStringLiteral("Tous Fichiers compatibles"), &Sources::Tous));
  auto* filtrage = new BoutonFiltrage(this);
  filtrage->setText(QStringLiteral("F..."));
  filtrage->setToolTip(QStringLiteral("Filtrage personnalisé/Créer un filtre"));
  filtrage->appui = [this](bool droit) { moteur_->FiltrageBouton(droit); };
  genres->addWidget(filtrage);
  genres->addStretch();
  colonne->addLayout(genres);
  // The count beside the mask: five digits would not fit beside the kind buttons.
  auto* filtre = new QHBoxLayout;
  ligneFiltre_ = filtre;
  trFiltre_ = new QLabel(this);
  trFiltre_->setToolTip(QStringLiteral("Filtre en cours"));
  filtre->addWidget(trFiltre_, 1);
  nbSources_ = new QLabel(this);
  nbSources_->setToolTip(QStringLiteral("Nombre de ressources compatibles présentes dans le dossier"));
  filtre->addWidget(nbSources_);
  colonne->addLayout(filtre);
  // Labels on the slide colour, light; long texts never widen the window.
  for (QLabel* l : {static_cast<QLabel*>(trDossier_), trFiltre_, nbSources_}) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(240, 230, 210));
    l->setPalette(p);
    if (l != nbSources_) l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  }
  nbSources_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  fichiers_ = new ListeFichiers(*moteur_, this);
  fichiers_->setObjectName(QStringLiteral("Fichiers"));
  fichiers_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  fichiers_->setDragEnabled(true);
  fichiers_->setDragDropMode(QAbstractItemView::DragOnly);
  fichiers_->setContextMenuPolicy(Qt::CustomContextMenu);
  colonne->addWidget(fichiers_, 1);
  connect(fichiers_, &QListWidget::itemSelectionChanged, this, &TFSource::SelectionVue);
  connect(fichiers_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { popSources_->popup(fichiers_->viewport()->mapToGlobal(p)); });

  pnFdroit_ = new QWidget(this);
  auto* actions = new QHBoxLayout(pnFdroit_);
  actions->setContentsMargins(0, 0, 0, 0);
  actions->setSpacing(0);
  actions->addWidget(Bouton(QStringLiteral("▶"), QStringLiteral("Projeter le contenu du dossier"), &Sources::DiaporamaSources));
  btAudioArret_ = Bouton(QStringLiteral("■"), QStringLiteral("Arret musique"), &Sources::ArretAudio);
  actions->addWidget(btAudioArret_);
  btContenuListe_ = Bouton(QStringLiteral("≡"), QStringLiteral("Importer le contenu de la liste"), &Sources::ContenuListe);
  actions->addWidget(btContenuListe_);
  actions->addStretch();
  actions->addWidget(Bouton(QStringLiteral("⤒"), QStringLiteral("Importer en tête de liste"), &Sources::ImporterDebut));
  actions->addWidget(Bouton(QStringLiteral("⤵"), QStringLiteral("Importer sous la sélection"), &Sources::ImporterSous));
  actions->addWidget(Bouton(QStringLiteral("⤓"), QStringLiteral("Importer en fin de liste"), &Sources::ImporterFin));
  actions->addWidget(Bouton(QStringLiteral("∗"), QStringLiteral("Sélectionner tout"), &Sources::ToutSelectionner));
  auto* aide = new QToolButton(this);
  aide->setText(QStringLiteral("?"));
  aide->setToolTip(QStringLiteral("Aide Importation (F1)"));
  connect(aide, &QToolButton::clicked, moteur_.get(), &Sources::Aide);
  auto* f1 = new QAction(this);
  f1->setShortcut(QKeySequence(Qt::Key_F1));
  f1->setShortcutContext(Qt::WindowShortcut);
  addAction(f1);
  connect(f1, &QAction::triggered, moteur_.get(), &Sources::Aide);
  actions->addWidget(aide);
  colonne->addWidget(pnFdroit_);
  ConstruirePublication();
  ConstruireMenu();
}

void TFSource::ConstruirePublication() {
  auto* colonne = static_cast<QVBoxLayout*>(layout());
  publication_ = std::make_unique<Publication>(*moteur_);
  publication_->DefinirExportVideo([this](const QString& liste, const QString& video, QString& raison) {
    ProgressionFenetre progression(this);
    return ExporterVideoPubliee(moteur_->Vue(), liste, video, progression, raison);
  });
  panneauPub_ = new PanneauPublication(*publication_, this);
  colonne->insertWidget(colonne->indexOf(ligneFiltre_) + 1, panneauPub_->EnTete());
  colonne->addWidget(panneauPub_);
  // The panel takes the place of the import buttons and of the close button.
  connect(publication_.get(), &Publication::Change, this, [this] {
    pnFdroit_->setVisible(!publication_->Ouvert);
    btFermer_->setVisible(!publication_->Ouvert);
    dossiers_->Relire();
  });
}

void TFSource::Publier() {
  publication_->Publier();
  dossiers_->Relire();
  show();
  raise();
  activateWindow();
}

void TFSource::ConstruireFiltres() {
  pnFiltrage_ = new QWidget(this);
  auto* panneau = new QVBoxLayout(pnFiltrage_);
  panneau->setContentsMargins(0, 0, 0, 0);
  listeFiltres_ = new QComboBox(pnFiltrage_);
  listeFiltres_->setObjectName(QStringLiteral("ListeFiltres"));
  panneau->addWidget(listeFiltres_);
  auto* ligne = new QHBoxLayout;
  panneau->addLayout(ligne);
  auto* creer = new QToolButton(pnFiltrage_);
  creer->setText(QStringLiteral("Nouveau Filtre"));
  auto* supprimer = new QToolButton(pnFiltrage_);
  supprimer->setText(QStringLiteral("Supprimer Filtre"));
  ligne->addWidget(creer);
  ligne->addWidget(supprimer);
  connect(creer, &QToolButton::clicked, moteur_.get(), &Sources::CreerFiltre);
  connect(supprimer, &QToolButton::clicked, this, [this] {
    moteur_->filtres.IndexChoisi = listeFiltres_->currentIndex();
    moteur_->SupprimerFiltre();
  });
  connect(listeFiltres_, &QComboBox::activated, this, [this](int i) { moteur_->ListeFiltresChange(i); });

  pnCreation_ = new QWidget(this);
  // Light text on the slide colour.
  QPalette clair = pnCreation_->palette();
  clair.setColor(QPalette::WindowText, QColor(240, 230, 210));
  pnCreation_->setPalette(clair);
  auto* creation = new QVBoxLayout(pnCreation_);
  creation->setContentsMargins(2, 2, 2, 2);
  creation->setSpacing(1);
  creation->addWidget(new QLabel(QStringLiteral("Création d'un filtre"), pnCreation_));
  listeFiltres_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  listeFiltres_->setMinimumContentsLength(6);
  for (const char* aide : {"Commençant par :  nom*.ext", "Contenant          :  *nom*.ext",
                           "Finissant par       :  *nom.ext", "Caractère placé :   ??a*.ext"})
    creation->addWidget(new QLabel(QString::fromUtf8(aide), pnCreation_));
  filtre_ = new QLineEdit(pnCreation_);
  filtre_->setObjectName(QStringLiteral("Filtre"));
  creation->addWidget(filtre_);
  auto* boutons = new QHBoxLayout;
  auto* valider = new QToolButton(pnCreation_);
  valider->setText(QStringLiteral("Valider le filtre"));
  auto* annuler = new QToolButton(pnCreation_);
  annuler->setText(QStringLiteral("Annuler"));
  auto* aideFiltre = new QToolButton(pnCreation_);
  aideFiltre->setText(QStringLiteral("Aide Filtrage"));
  connect(aideFiltre, &QToolButton::clicked, moteur_.get(), &Sources::AideFiltre);
  // Two rows: the window stays narrow.
  boutons->addWidget(valider);
  boutons->addWidget(annuler);
  boutons->addStretch();
  creation->addLayout(boutons);
  auto* aide = new QHBoxLayout;
  aide->addWidget(aideFiltre);
  aide->addStretch();
  creation->addLayout(aide);
  connect(filtre_, &QLineEdit::textEdited, this, [this](const QString& t) { moteur_->filtres.Filtre = t; });
  connect(filtre_, &QLineEdit::returnPressed, moteur_.get(), &Sources::FiltrageValider);
  connect(valider, &QToolButton::clicked, moteur_.get(), &Sources::FiltrageValider);
  connect(annuler, &QToolButton::clicked, moteur_.get(), &Sources::FiltrageFermer);
}

void TFSource::ConstruireMenu() {
  popSources_ = new QMenu(this);
  const auto action = [this](const QString& texte, const QKeySequence& touche, auto faire) {
    auto* a = new QAction(texte, this);
    a->setShortcut(touche);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    connect(a, &QAction::triggered, moteur_.get(), faire);
    popSources_->addAction(a);
  };
  action(QStringLiteral("Sélectionner tout"), QKeySequence(QStringLiteral("Ctrl+A")), &Sources::ToutSelectionner);
  action(QStringLiteral("Importer en début de liste"), QKeySequence(QStringLiteral("D")), &Sources::ImporterDebut);
  action(QStringLiteral("Importer sous la sélection"), QKeySequence(QStringLiteral("I")), &Sources::ImporterSous);
  action(QStringLiteral("Importer en fin de liste"), QKeySequence(QStringLiteral("F")), &Sources::ImporterFin);
  action(QStringLiteral("Copier dans presse-diapos"), QKeySequence(QStringLiteral("Ctrl+C")), [this] { moteur_->Copier(); });
  popSources_->addSeparator();
  action(QStringLiteral("Voir en diaporama"), QKeySequence(QStringLiteral("V")), &Sources::DiaporamaSources);
  action(QStringLiteral("Arret de la musique"), QKeySequence(QStringLiteral("M")), &Sources::ArretAudio);
  action(QStringLiteral("Importer la liste déployée"), QKeySequence(QStringLiteral("L")), &Sources::ContenuListe);
  popSources_->addSeparator();
  action(QStringLiteral("Fermer la fiche d'import"), QKeySequence(QStringLiteral("Ctrl+W")), &Sources::FermerSource);
}

void TFSource::Importer() {
  // The folder browsed is the working folder, which the montage set.
  const Texte courant = moteur_->Vue().Services().fichiers.DossierCourant();
  moteur_->Arbre.Ouvrir(QString::fromStdString(VersUtf8(courant)));
  dossiers_->Relire();
  moteur_->DirectoryChange();
  show();
  raise();
  activateWindow();
}

void TFSource::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  const Couleur c = moteur_->Vue().CouleurDiapo;
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
  setPalette(p);
  setAutoFillBackground(true);
  TFVue& vue = moteur_->Vue();
  if (!vue.ListePropre && !vue.FenetreWindowsCoche) {
    // Beside the montage, on its left, the screen's height.
    QWidget* montage = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String("TFListe")) montage = w;
    const int gauche = montage ? montage->x() - 225 : 0;
    const QRect p = vue.Services().ecran.Principal();
    setGeometry(std::max(gauche, p.left()), p.top(), width(), p.height());
  }
  moteur_->FormShow();
  dossiers_->Relire();
  Rafraichir();
}

void TFSource::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) moteur_->FormActivate();
}

void TFSource::Rafraichir() {
  const Sources& m = *moteur_;
  synchro_ = true;
  // Shared lists compare at once when the folder was not read again.
  if (affiches_ != m.Fichiers) {
    fichiers_->clear();
    fichiers_->addItems(m.Fichiers);
    affiches_ = m.Fichiers;
  }
  synchro_ = false;
  SelectionAffichee();
  nbSources_->setText(m.NbSources);
  trDossier_->setText(trDossier_->fontMetrics().elidedText(m.Arbre.Dossier(), Qt::ElideMiddle, 161));
  trFiltre_->setText(m.Masque);
  dossiers_->setFixedHeight(m.filtres.HauteurDossiers() + 26);
  pnFiltrage_->setVisible(m.filtres.PanneauVisible);
  pnCreation_->setVisible(m.filtres.CreationVisible);
  if (m.filtres.CreationVisible) {
    pnCreation_->setGeometry(0, 0, width(), pnCreation_->sizeHint().height());
    pnCreation_->raise();
  }
  if (listeFiltres_->count() != m.filtres.ListeFiltres.size() || m.filtres.ListeFiltres != [this] {
        QStringList l;
        for (int i = 0; i < listeFiltres_->count(); ++i) l << listeFiltres_->itemText(i);
        return l;
      }()) {
    listeFiltres_->clear();
    listeFiltres_->addItems(m.filtres.ListeFiltres);
  }
  listeFiltres_->setCurrentIndex(m.filtres.IndexChoisi);
  if (filtre_->text() != m.filtres.Filtre) filtre_->setText(m.filtres.Filtre);
  btAudioArret_->setVisible(m.AudioArretVisible);
  btContenuListe_->setVisible(m.ContenuListeVisible);
}

void TFSource::SelectionAffichee() {
  const Sources& m = *moteur_;
  if (fichiers_->count() != m.Fichiers.size()) return;
  QItemSelectionModel* modele = fichiers_->selectionModel();
  synchro_ = true;
  // One call for the whole selection, and none when the list shows it
  // already: a selection model merges and announces each change it is given.
  Choix montre;
  montre.Definir(PlagesDe(modele->selection()), fichiers_->count());
  if (!(montre == m.Choisis())) modele->select(SelectionDe(m.Choisis(), *fichiers_->model()), QItemSelectionModel::ClearAndSelect);
  if (m.IndexSource >= 0 && m.IndexSource < fichiers_->count() && fichiers_->currentRow() != m.IndexSource)
    fichiers_->setCurrentRow(m.IndexSource, QItemSelectionModel::NoUpdate);
  synchro_ = false;
}

void TFSource::SelectionVue() {
  if (synchro_) return;
  std::vector<Plage> plages = PlagesDe(fichiers_->selectionModel()->selection());
  const int courant =
      fichiers_->currentRow() >= 0 ? fichiers_->currentRow() : (plages.empty() ? 0 : plages.back().fin);
  synchro_ = true;
  moteur_->DefinirPlages(std::move(plages), courant);
  moteur_->Selection();
  synchro_ = false;
}

}  // namespace plivor
