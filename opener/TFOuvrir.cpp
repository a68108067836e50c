#include "opener/TFOuvrir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDrag>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/VueDossiers.h"
#include "platform/DeplacementFenetre.h"

namespace plivor {

namespace {

// Drags inside the opener say only where they come from.
const QString kTypeOuvreur = QStringLiteral("application/x-plivor-ouvreur");

class ListeOuvreur : public QListWidget {
 public:
  ListeOuvreur(char origine, QWidget* parent) : QListWidget(parent), origine_(origine) {}
  std::function<void(char origine, int rangee)> depot;

 protected:
  void startDrag(Qt::DropActions) override {
    auto* data = new QMimeData;
    data->setData(kTypeOuvreur, QByteArray(1, origine_));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction | Qt::CopyAction);
  }
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (depot && e->mimeData()->hasFormat(kTypeOuvreur)) e->acceptProposedAction();
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    if (depot && e->mimeData()->hasFormat(kTypeOuvreur)) e->acceptProposedAction();
  }
  void dropEvent(QDropEvent* e) override {
    const QByteArray origine = e->mimeData()->data(kTypeOuvreur);
    if (!depot || origine.isEmpty()) return;
    const QModelIndex sous = indexAt(e->position().toPoint());
    e->acceptProposedAction();
    depot(origine[0], sous.isValid() ? sous.row() : count());
  }

 private:
  char origine_;
};

QPushButton* Bouton(QWidget* parent, const QString& texte, const QString& bulle = {}) {
  auto* b = new QPushButton(texte, parent);
  b->setToolTip(bulle.isEmpty() ? texte : bulle);
  b->setFocusPolicy(Qt::NoFocus);
  // Glyph buttons stay small: the dialog keeps its 466 x 392.
  if (texte.size() == 1) b->setFixedWidth(30);
  return b;
}

}  // namespace

TFOuvrir::TFOuvrir(TFVue& vue, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      moteur_(std::make_unique<Ouvreur>(vue, QString::fromStdString(VersUtf8(vue.Services().fichiers.DossierCourant())))) {
  setObjectName(QStringLiteral("TFOuvrir"));
  // Frameless: its free parts are its caption.
  DeplacementFenetre::Installer(this);
  setWindowTitle(QStringLiteral("Plivor-Prelio : Ouvrir une séquence"));
  setWindowModality(Qt::ApplicationModal);
  Construire();
  ConstruireMenus();
  resize(466, 392);
  connect(moteur_.get(), &Ouvreur::Change, this, &TFOuvrir::Rafraichir);
  connect(moteur_.get(), &Ouvreur::Fermer, this, &QWidget::hide);
  Rafraichir();
}

TFOuvrir::~TFOuvrir() = default;

void TFOuvrir::Construire() {
  auto* colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(4, 4, 4, 4);
  colonne->setSpacing(2);
  auto* haut = new QHBoxLayout;
  dossiers_ = new VueDossiers(moteur_->Arbre, this);
  haut->addWidget(dossiers_, 1);
  connect(dossiers_, &VueDossiers::DossierOuvert, this, [this] {
    moteur_->DirectoryChange();
    moteur_->SelectionFichiers();
  });
  connect(dossiers_, &VueDossiers::UniteChoisie, this, [this] {
    moteur_->DirectoryChange();
    moteur_->SelectionFichiers();
  });
  auto* apercu = new QVBoxLayout;
  vignette_ = new QLabel(this);
  vignette_->setObjectName(QStringLiteral("Vignette"));
  vignette_->setFixedSize(228, 150);
  vignette_->setFrameShape(QFrame::Box);
  apercu->addWidget(vignette_);
  auto* ligneApercu = new QHBoxLayout;
  trApercu_ = new QLabel(this);
  apercu_ = new QCheckBox(this);
  apercu_->setToolTip(QStringLiteral("Sélection du mode Aperçu"));
  apercu_->setChecked(true);
  nbSources_ = new QLabel(this);
  auto* aide = Bouton(this, QStringLiteral("?"), QStringLiteral("Aide (F1)"));
  ligneApercu->addWidget(apercu_);
  ligneApercu->addWidget(trApercu_, 1);
  ligneApercu->addWidget(nbSources_);
  ligneApercu->addWidget(aide);
  apercu->addLayout(ligneApercu);
  haut->addLayout(apercu);
  colonne->addLayout(haut, 1);
  connect(apercu_, &QCheckBox::toggled, moteur_.get(), &Ouvreur::cb_apercuClick);
  auto* f1 = new QAction(this);
  f1->setShortcut(QKeySequence(Qt::Key_F1));
  addAction(f1);
  connect(f1, &QAction::triggered, aide, &QPushButton::click);
  connect(aide, &QPushButton::clicked, this, [this] {
    TFVue& vue = moteur_->Vue();
    vue.Services().bureau.OuvrirAide(QString::fromStdString(VersUtf8(vue.FichierAide)), 5000);
    // The help window answers while the modal opener stays up: it is the opener's own.
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != this && w->isVisible() && w->inherits("plivor::VisionneuseAide") && w->windowHandle() && windowHandle())
        w->windowHandle()->setTransientParent(windowHandle());
  });

  auto* bas = new QHBoxLayout;
  bas->setSpacing(4);
  auto* gauche = new QGroupBox(QStringLiteral("Séquences existantes"), this);
  auto* g = new QVBoxLayout(gauche);
  g->setContentsMargins(4, 2, 4, 4);
  g->setSpacing(2);
  auto* fichiers = new ListeOuvreur('F', gauche);
  fichiers_ = fichiers;
  fichiers_->setObjectName(QStringLiteral("Fichiers"));
  fichiers_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  fichiers_->setDragEnabled(true);
  fichiers_->setContextMenuPolicy(Qt::CustomContextMenu);
  g->addWidget(fichiers_, 1);
  auto* bg = new QHBoxLayout;
  const auto lier = [this](QPushButton* b, void (Ouvreur::*faire)()) {
    connect(b, &QPushButton::clicked, moteur_.get(), faire);
    return b;
  };
  bg->addWidget(lier(Bouton(gauche, QStringLiteral("∗"), QStringLiteral("Sélectionner tout")), &Ouvreur::ToutSelectionner));
  bg->addWidget(lier(Bouton(gauche, QStringLiteral("⤒"), QStringLiteral("Insérer en début de liste")), &Ouvreur::ImporterDebut));
  bg->addWidget(lier(Bouton(gauche, QStringLiteral("⤵"), QStringLiteral("Insérer sous la sélection")), &Ouvreur::ImporterSous));
  bg->addWidget(lier(Bouton(gauche, QStringLiteral("⤓"), QStringLiteral("Insérer en fin de liste")), &Ouvreur::ImporterFin));
  g->addLayout(bg);
  g->addWidget(lier(Bouton(gauche, QStringLiteral("Projeter la séquence")), &Ouvreur::ProjeterSequence));
  g->addWidget(lier(Bouton(gauche, QStringLiteral("Annuler et Fermer")), &Ouvreur::FermerSource));
  bas->addWidget(gauche);

  auto* droite = new QGroupBox(QStringLiteral("Liste des Séquences à projeter"), this);
  auto* d = new QVBoxLayout(droite);
  d->setContentsMargins(4, 2, 4, 4);
  d->setSpacing(2);
  auto* liste = new ListeOuvreur('L', droite);
  liste_ = liste;
  liste_->setObjectName(QStringLiteral("Liste"));
  liste_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  liste_->setDragEnabled(true);
  liste_->setAcceptDrops(true);
  liste_->setContextMenuPolicy(Qt::CustomContextMenu);
  liste->depot = [this](char origine, int rangee) {
    if (origine == 'L')
      moteur_->DeposerLignes(rangee);
    else
      moteur_->DeposerFichiers(rangee);
  };
  d->addWidget(liste_, 1);
  d->addWidget(lier(Bouton(droite, QStringLiteral("Nouvelle Liste vierge")), &Ouvreur::NouvelleListe));
  auto* sauver = Bouton(droite, QStringLiteral("Sauvegarder la liste"));
  connect(sauver, &QPushButton::clicked, this, [this] { moteur_->Sauver(); });
  d->addWidget(sauver);
  d->addWidget(lier(Bouton(droite, QStringLiteral("Projeter la liste")), &Ouvreur::ProjeterListe));
  d->addWidget(lier(Bouton(droite, QStringLiteral("Annuler et Fermer")), &Ouvreur::FermerSource));
  bas->addWidget(droite);
  colonne->addLayout(bas, 2);

  connect(fichiers_, &QListWidget::itemSelectionChanged, this, &TFOuvrir::SelectionFichiersVue);
  connect(fichiers_, &QListWidget::itemDoubleClicked, moteur_.get(), &Ouvreur::ProjeterSequence);
  connect(liste_, &QListWidget::itemSelectionChanged, this, &TFOuvrir::SelectionListeVue);
}

void TFOuvrir::ConstruireMenus() {
  const auto action = [this](QMenu* menu, const QString& texte, const QKeySequence& touche, auto faire) {
    auto* a = new QAction(texte, this);
    if (!touche.isEmpty()) {
      a->setShortcut(touche);
      a->setShortcutContext(Qt::WidgetShortcut);
    }
    connect(a, &QAction::triggered, moteur_.get(), faire);
    menu->addAction(a);
    return a;
  };
  popSources_ = new QMenu(this);
  for (QAction* a : {action(popSources_, QStringLiteral("Sélectionner tout"), QKeySequence(QStringLiteral("Ctrl+A")), &Ouvreur::ToutSelectionner),
                     action(popSources_, QStringLiteral("Insérer en début de liste"), QKeySequence(QStringLiteral("D")), &Ouvreur::ImporterDebut),
                     action(popSources_, QStringLiteral("Insérer sous la sélection"), QKeySequence(QStringLiteral("I")), &Ouvreur::ImporterSous),
                     action(popSources_, QStringLiteral("Insérer en fin de liste"), QKeySequence(QStringLiteral("F")), &Ouvreur::ImporterFin)})
    fichiers_->addAction(a);
  popSources_->addSeparator();
  action(popSources_, QStringLiteral("Fermer"), {}, &Ouvreur::FermerSource);

  popListe_ = new QMenu(this);
  for (QAction* a : {action(popListe_, QStringLiteral("Couper"), QKeySequence(QStringLiteral("Ctrl+X")), &Ouvreur::Couper),
                     action(popListe_, QStringLiteral("Copier"), QKeySequence(QStringLiteral("Ctrl+C")), &Ouvreur::Copier),
                     action(popListe_, QStringLiteral("Insérer sous"), QKeySequence(QStringLiteral("Ctrl+V")), &Ouvreur::CollerDessous)})
    liste_->addAction(a);
  popListe_->addSeparator();
  for (QAction* a : {action(popListe_, QStringLiteral("Déplacer au Début"), QKeySequence(QStringLiteral("Ctrl+D")), &Ouvreur::Debut),
                     action(popListe_, QStringLiteral("Déplacer à la Fin"), QKeySequence(QStringLiteral("Ctrl+F")), &Ouvreur::Fin),
                     action(popListe_, QStringLiteral("Sélectionner Tout"), QKeySequence(QStringLiteral("Ctrl+A")), &Ouvreur::Bt_ToutClick),
                     action(popListe_, QStringLiteral("Supprimer"), QKeySequence(Qt::Key_Delete), &Ouvreur::Supprimer)})
    liste_->addAction(a);
  popListe_->addSeparator();
  liste_->addAction(action(popListe_, QStringLiteral("Projeter la Liste"), QKeySequence(QStringLiteral("P")), &Ouvreur::ProjeterListe));
  popListe_->addSeparator();
  action(popListe_, QStringLiteral("Fermer"), {}, &Ouvreur::FermerSource);
  connect(fichiers_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { popSources_->popup(fichiers_->viewport()->mapToGlobal(p)); });
  connect(liste_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { popListe_->popup(liste_->viewport()->mapToGlobal(p)); });
}

void TFOuvrir::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  // Centred where the other windows go, whichever screen shows the show.
  move(moteur_->Vue().Services().ecran.Principal().center() - rect().center());
  moteur_->DirectoryChange();
  dossiers_->Relire();
  moteur_->SelectionFichiers();
  raise();
  activateWindow();
}

namespace {

// The view shows `choix` in one call, and none when it shows it already.
void Montrer(QListWidget* liste, const Choix& choix) {
  QItemSelectionModel* modele = liste->selectionModel();
  Choix montre;
  montre.Definir(PlagesDe(modele->selection()), liste->count());
  if (!(montre == choix)) modele->select(SelectionDe(choix, *liste->model()), QItemSelectionModel::ClearAndSelect);
}

}  // namespace

void TFOuvrir::Rafraichir() {
  const Ouvreur& m = *moteur_;
  synchro_ = true;
  if (affiches_ != m.Fichiers) {
    fichiers_->clear();
    fichiers_->addItems(m.Fichiers);
    affiches_ = m.Fichiers;
  }
  Montrer(fichiers_, m.FichiersChoisis());
  if (m.IndexSequence < fichiers_->count() && fichiers_->currentRow() != m.IndexSequence)
    fichiers_->setCurrentRow(m.IndexSequence, QItemSelectionModel::NoUpdate);
  // Built again on every change: a drop into the list leaves it in a state
  // the next drag does not survive otherwise.
  liste_->clear();
  QStringList lignes;
  for (const Texte& ligne : m.Lignes) lignes << QString::fromStdString(VersUtf8(ligne));
  liste_->addItems(lignes);
  std::vector<int> choisies;
  for (int i = 0; i < liste_->count(); ++i)
    if (m.LigneChoisie(i)) choisies.push_back(i);
  Choix lignesChoisies;
  lignesChoisies.DefinirIndices(choisies, liste_->count());
  Montrer(liste_, lignesChoisies);
  if (m.LigneCourante() >= 0 && liste_->currentRow() != m.LigneCourante())
    liste_->setCurrentRow(m.LigneCourante(), QItemSelectionModel::NoUpdate);
  synchro_ = false;
  nbSources_->setText(m.NbSources);
  trApercu_->setText(m.TrApercu);
  trApercu_->setVisible(m.Apercu);
  vignette_->setVisible(m.Apercu);
  if (m.VignetteVisible && !m.Vignette.isNull()) {
    // Larger pictures are reduced to the frame; smaller ones keep their pixels.
    // Sizes in window pixels: a picture made at a higher density keeps it.
    const QSizeF taille = m.Vignette.deviceIndependentSize();
    const bool grande = taille.width() > vignette_->width() || taille.height() > vignette_->height();
    const QImage image = grande ? m.Vignette.scaled(vignette_->size() * m.Vignette.devicePixelRatio(), Qt::KeepAspectRatio,
                                                    Qt::SmoothTransformation)
                                : m.Vignette;
    vignette_->setAlignment(m.VignetteCentree ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
    vignette_->setPixmap(QPixmap::fromImage(image));
  } else {
    vignette_->clear();
  }
}

void TFOuvrir::SelectionFichiersVue() {
  if (synchro_) return;
  moteur_->ChoisirPlagesFichiers(PlagesDe(fichiers_->selectionModel()->selection()),
                                 fichiers_->currentRow() >= 0 ? fichiers_->currentRow() : 0);
}

void TFOuvrir::SelectionListeVue() {
  if (synchro_) return;
  std::vector<int> choisies;
  for (const Plage& p : PlagesDe(liste_->selectionModel()->selection()))
    for (int i = p.debut; i <= p.fin; ++i) choisies.push_back(i);
  moteur_->ChoisirLignes(choisies, liste_->currentRow() >= 0 ? liste_->currentRow() : 0);
}

}  // namespace plivor
