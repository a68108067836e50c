#include "montage/TFListe.h"

#include "montage/TFConstructeur.h"

#include "montage/PanneauMenu.h"
#include "montage/Verification.h"
#include "video/ExportMontage.h"
#include "platform/DeplacementFenetre.h"

#include <QAction>
#include <algorithm>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace plivor {

namespace {

// Buttons that tell the left button from the others.
class BoutonSouris : public QToolButton {
 public:
  using QToolButton::QToolButton;
  std::function<void(bool gauche)> appui;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (appui) {
      appui(e->button() == Qt::LeftButton);
      return;
    }
    QToolButton::mousePressEvent(e);
  }
};

}  // namespace

TFListe::TFListe(TFVue& vue, ServicesFichiers& fichiers, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), moteur_(std::make_unique<Montage>(vue, fichiers)) {
  setObjectName(QStringLiteral("TFListe"));
  // Frameless: its free parts are its caption.
  DeplacementFenetre::Installer(this);
  setWindowTitle(QStringLiteral("Plivor : Montage"));
  setAcceptDrops(true);
  Construire();
  resize(234, 654);
  connect(moteur_.get(), &Montage::ListeChangee, this, &TFListe::ListeChangee);
  connect(moteur_.get(), &Montage::SelectionChangee, this, &TFListe::SelectionChangee);
  connect(moteur_.get(), &Montage::InfosChangees, this, &TFListe::InfosChangees);
  connect(moteur_.get(), &Montage::TransfertChange, this, &TFListe::TransfertChange);
  connect(moteur_.get(), &Montage::NomChange, this, &TFListe::NomChange);
  connect(moteur_.get(), &Montage::Montrer, this, [this] {
    // Docked to the right edge of the primary screen unless the projection
    // runs as an ordinary window: the show may be on another screen.
    if (!moteur_->Vue().FenetreWindowsCoche) {
      const QRect p = moteur_->Vue().Services().ecran.Principal();
      setGeometry(p.right() + 1 - width(), p.top(), width(), p.height());
    }
    show();
    raise();
    activateWindow();
    liste_->setFocus();
  });
  connect(moteur_.get(), &Montage::Masquer, this, &QWidget::hide);
}

TFListe::~TFListe() = default;

QToolButton* TFListe::Bouton(const QString& glyphe, const QString& bulle) {
  auto* b = new BoutonSouris(this);
  b->setText(glyphe);
  b->setToolTip(bulle);
  b->setAutoRaise(true);
  b->setFixedSize(26, 22);
  // Every button is reached with Tab and pressed with Space.
  b->setFocusPolicy(Qt::StrongFocus);
  return b;
}

QAction* TFListe::Action(QMenu* menu, const QString& texte, const QKeySequence& touche, void (TFListe::*faire)()) {
  auto* a = new QAction(texte, this);
  if (!touche.isEmpty()) {
    a->setShortcut(touche);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);  // the key works while the window has the focus
  }
  if (faire) connect(a, &QAction::triggered, this, faire);
  if (menu) menu->addAction(a);
  return a;
}

void TFListe::Construire() {
  auto* colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(2, 2, 2, 2);
  colonne->setSpacing(2);

  // pn_General: name, counters and the file buttons.
  trNomListe_ = new QLabel(this);
  trNomListe_->setToolTip(QStringLiteral("Nom de la liste"));
  colonne->addWidget(trNomListe_);
  auto* fichiers = new QHBoxLayout;
  fichiers->setSpacing(0);
  auto* btNouvelle = Bouton(QStringLiteral("□"), QStringLiteral("Nouvelle Liste vierge"));
  auto* btCharger = Bouton(QStringLiteral("▤"), QStringLiteral("Charger une liste"));
  auto* btSauver = Bouton(QStringLiteral("▼"), QStringLiteral("Sauvegarder la liste"));
  btUndo_ = Bouton(QStringLiteral("↶"), QStringLiteral("Annuler [Undo]"));
  btUndo_->hide();
  auto* btDiaporama = static_cast<BoutonSouris*>(Bouton(QStringLiteral("▶"), QStringLiteral("Tester la Liste : depuis la ligne/du début")));
  auto* btSuivi = static_cast<BoutonSouris*>(Bouton(QStringLiteral("▷"), QStringLiteral("Suivi de liste : depuis la ligne/du début")));
  auto* btFermer = Bouton(QStringLiteral("✕"), QStringLiteral("Retour en Mode Projection"));
  auto* btAide = Bouton(QStringLiteral("?"), QStringLiteral("Aide Montage (F1)"));
  for (QToolButton* b : {btNouvelle, btCharger, btSauver, btUndo_, static_cast<QToolButton*>(btDiaporama),
                         static_cast<QToolButton*>(btSuivi), btFermer, btAide})
    fichiers->addWidget(b);
  fichiers->addStretch();
  colonne->addLayout(fichiers);
  connect(btNouvelle, &QToolButton::clicked, this, [this] { moteur_->NvelleListe(); });
  connect(btCharger, &QToolButton::clicked, this, [this] { moteur_->ChargerListe(); });
  connect(btSauver, &QToolButton::clicked, this, [this] { moteur_->Sauver(); });
  connect(btUndo_, &QToolButton::clicked, this, &TFListe::Annuler);
  btDiaporama->appui = [this](bool gauche) { moteur_->Diaporama(EmetteurMontage::bt_Diaporama, gauche); };
  btSuivi->appui = [this](bool gauche) { moteur_->Diaporama(EmetteurMontage::bts_suivi, gauche); };
  connect(btFermer, &QToolButton::clicked, this, &TFListe::Fermer);
  connect(btAide, &QToolButton::clicked, this, [this] { moteur_->AppelAide(2000); });
  // The keys of an editor's file menu.
  Action(nullptr, QString(), QKeySequence(QStringLiteral("Ctrl+N")), &TFListe::Nouvelle);
  Action(nullptr, QString(), QKeySequence(QStringLiteral("Ctrl+O")), &TFListe::Charger);
  Action(nullptr, QString(), QKeySequence(QStringLiteral("Ctrl+S")), &TFListe::Enregistrer);
  Action(nullptr, QString(), QKeySequence(QStringLiteral("Ctrl+Shift+S")), &TFListe::EnregistrerSous);

  // Editing buttons and counters.
  auto* edition = new QHBoxLayout;
  edition->setSpacing(0);
  auto* btTransfert = Bouton(QStringLiteral("✂"), QStringLiteral("Ecarter de la liste (Couper)"));
  auto* btInserer = Bouton(QStringLiteral("⤵"), QStringLiteral("Insérer sous la sélection"));
  auto* btDebut = Bouton(QStringLiteral("⤒"), QStringLiteral("Déplacer en tête de liste"));
  auto* btFin = Bouton(QStringLiteral("⤓"), QStringLiteral("Déplacer en fin de liste"));
  auto* btsShow = Bouton(QStringLiteral("Plus..."), QString());
  btsShow->setFixedWidth(44);
  for (QToolButton* b : {btTransfert, btInserer, btDebut, btFin, btsShow}) edition->addWidget(b);
  btImporter_ = Bouton(QStringLiteral("⊕"), QStringLiteral("Importer des médias"));
  btImporter_->setObjectName(QStringLiteral("bt_Importer"));
  edition->addWidget(btImporter_);
  connect(btImporter_, &QToolButton::clicked, this, [this] {
    BoutonImporter(false);
    emit ImporterMedias();
  });
  Action(nullptr, QString(), QKeySequence(QStringLiteral("Ctrl+I")), &TFListe::Importer);
  connect(Action(nullptr, QString(), QKeySequence(QStringLiteral("Alt+P")), nullptr), &QAction::triggered, this,
          [this, btsShow] { popPlus_->popup(btsShow->mapToGlobal(QPoint(18, 12))); });
  connect(btTransfert, &QToolButton::clicked, this, &TFListe::Couper);
  connect(btInserer, &QToolButton::clicked, this, &TFListe::Coller);
  connect(btDebut, &QToolButton::clicked, this, &TFListe::Debut);
  connect(btFin, &QToolButton::clicked, this, &TFListe::Fin);
  trSelections_ = new QLabel(this);
  trSelections_->setToolTip(QStringLiteral("Nombre de lignes sélectionnées"));
  trNumLigne_ = new QLabel(this);
  trNumLigne_->setToolTip(QStringLiteral("Numéro de la ligne en cours"));
  edition->addStretch();
  edition->addWidget(trSelections_);
  edition->addSpacing(4);
  edition->addWidget(trNumLigne_);
  colonne->addLayout(edition);

  dragOn_ = new QCheckBox(QStringLiteral("Glisser-Insérer"), this);
  dragOn_->setToolTip(QStringLiteral("Activer-désactiver le DragAndDrop"));
  dragOn_->setChecked(true);
  colonne->addWidget(dragOn_);
  connect(dragOn_, &QCheckBox::toggled, this, [this](bool oui) {
    moteur_->DragOn = oui;
    liste_->setFocus();
  });

  // The list.
  modele_ = new ModeleMontage(*moteur_, this);
  liste_ = new QListView(this);
  liste_->setObjectName(QStringLiteral("Liste"));
  liste_->setModel(modele_);
  liste_->setItemDelegate(new DelegueMontage(*moteur_, this));
  liste_->setUniformItemSizes(true);
  liste_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  liste_->setDragDropMode(QAbstractItemView::DragDrop);
  liste_->setDefaultDropAction(Qt::MoveAction);
  liste_->setDropIndicatorShown(true);
  liste_->setDragEnabled(true);
  liste_->setAcceptDrops(true);
  liste_->setContextMenuPolicy(Qt::CustomContextMenu);
  liste_->setStyleSheet(QStringLiteral("QListView { background: rgb(230, 220, 200); }"));
  colonne->addWidget(liste_, 1);
  connect(liste_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TFListe::SelectionVue);
  connect(liste_->selectionModel(), &QItemSelectionModel::currentChanged, this, &TFListe::SelectionVue);

  // The clipboard and its counter.
  auto* presse = new QHBoxLayout;
  transfert_ = new QListWidget(this);
  transfert_->setToolTip(QStringLiteral("Presse-Diapos"));
  transfert_->setFixedHeight(40);
  transfert_->setFocusPolicy(Qt::NoFocus);
  trDesserte_ = new QLabel(QStringLiteral("0"), this);
  trDesserte_->setToolTip(QStringLiteral("Nb de ligne dans le presse-diapos"));
  presse->addWidget(transfert_, 1);
  presse->addWidget(trDesserte_);
  colonne->addLayout(presse);
  connect(transfert_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { moteur_->VoirTransfert(transfert_->row(item)); });

  // pn_Infos.
  titreFichier_ = new QLabel(this);
  titreFichier_->setObjectName(QStringLiteral("Info_TitreFichier"));
  // A long caption is shortened in its middle: it never widens the window.
  titreFichier_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  colonne->addWidget(titreFichier_);
  infos_ = new QTextEdit(this);
  infos_->setObjectName(QStringLiteral("Infos"));
  infos_->setReadOnly(true);
  infos_->setFixedHeight(75);
  infos_->setFocusPolicy(Qt::NoFocus);
  colonne->addWidget(infos_);
  auto* options = new QHBoxLayout;
  voisines_ = new QCheckBox(QStringLiteral("Images Voisines"), this);
  voisines_->setToolTip(QStringLiteral("Afficher les images avant-après"));
  auto* rafraichir = new QCheckBox(QStringLiteral("Rafraîchir"), this);
  rafraichir->setToolTip(QStringLiteral("Repeindre le fond avant chaque image"));
  rafraichir->setChecked(true);
  options->addWidget(voisines_);
  options->addWidget(rafraichir);
  colonne->addLayout(options);
  connect(voisines_, &QCheckBox::toggled, this, [this](bool oui) {
    if (oui == moteur_->Vue().ImagesVoisines) return;
    moteur_->Vue().ImagesVoisines = oui;
    moteur_->Vue().LigneApercu.clear();
    moteur_->Selection();
    liste_->setFocus();
  });
  connect(rafraichir, &QCheckBox::toggled, this, [this](bool oui) {
    moteur_->RafraichirFond = oui;
    liste_->setFocus();
  });

  // PopListe.
  popListe_ = new QMenu(this);
  popAnnuler_ = Action(popListe_, QStringLiteral("Annuler"), QKeySequence(QStringLiteral("Ctrl+Z")), &TFListe::Annuler);
  popAnnuler_->setEnabled(false);
  popRetablir_ = Action(popListe_, QStringLiteral("Rétablir"), QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                        &TFListe::Retablir);
  popRetablir_->setEnabled(false);
  Action(nullptr, QString(), QKeySequence(QStringLiteral("Ctrl+Y")), &TFListe::Retablir);
  Action(popListe_, QStringLiteral("Couper"), QKeySequence(QStringLiteral("Ctrl+X")), &TFListe::Couper);
  Action(popListe_, QStringLiteral("Copier"), QKeySequence(QStringLiteral("Ctrl+C")), &TFListe::Copier);
  Action(popListe_, QStringLiteral("Insérer sous"), QKeySequence(QStringLiteral("Ctrl+V")), &TFListe::Coller);
  popListe_->addSeparator();
  Action(popListe_, QStringLiteral("Déplacer au Début"), QKeySequence(QStringLiteral("Ctrl+D")), &TFListe::Debut);
  Action(popListe_, QStringLiteral("Déplacer à la Fin"), QKeySequence(QStringLiteral("Ctrl+F")), &TFListe::Fin);
  Action(nullptr, QString(), QKeySequence(QStringLiteral("Alt+Home")), &TFListe::Debut);
  Action(nullptr, QString(), QKeySequence(QStringLiteral("Alt+End")), &TFListe::Fin);
  Action(popListe_, QStringLiteral("Sélectionner Tout"), QKeySequence(QStringLiteral("Ctrl+A")), &TFListe::Tout);
  Action(popListe_, QStringLiteral("Supprimer"), QKeySequence(Qt::Key_Delete), &TFListe::Supprimer);
  popListe_->addSeparator();
  popRafraichir_ =
      Action(popListe_, QStringLiteral("Rafraichir les vues"), QKeySequence(QStringLiteral("R")), &TFListe::Rafraichir);
  Action(popListe_, QStringLiteral("Projeter la Liste"), QKeySequence(QStringLiteral("P")), &TFListe::Projeter);
  popListe_->addSeparator();
  Action(popListe_, QStringLiteral("Quitter"), QKeySequence(QStringLiteral("Ctrl+Q")), &TFListe::Quitter);
  Action(nullptr, QString(), QKeySequence(Qt::Key_F1), &TFListe::Aide);
  connect(liste_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { popListe_->popup(liste_->viewport()->mapToGlobal(p)); });
  ConstruireConstructeur();

  // PopPlus.
  popPlus_ = new QMenu(this);
  Action(popPlus_, QStringLiteral("Définir Tempo de Base"), {}, &TFListe::Tempo);
  popPlus_->addSeparator();
  QMenu* selection = popPlus_->addMenu(QStringLiteral("Sélection"));
  Action(selection, QStringLiteral("Durée"), {}, &TFListe::Duree);
  Action(selection, QStringLiteral("Créer un Script"), {}, &TFListe::Script);
  QMenu* langages = popPlus_->addMenu(QStringLiteral("Langages"));
  Action(langages, QStringLiteral("Choisir une 2è langue"), {}, &TFListe::ChoisirLangue);
  Action(langages, QStringLiteral("Traduire"), {}, &TFListe::Traduire);
  Action(langages, QStringLiteral("Inverser les langues"), {}, &TFListe::Inverser);
  popPlus_->addSeparator();
  popTexte_ = popPlus_->addAction(QStringLiteral("Afficher le texte"));
  popTexte_->setCheckable(true);
  connect(popTexte_, &QAction::toggled, this, [this](bool oui) { moteur_->AfficherTexte(oui); });
  // The engine switches the raw text off itself when a list arrives.
  connect(moteur_.get(), &Montage::ModeTexteChange, this, [this] {
    const QSignalBlocker bloque(popTexte_);
    popTexte_->setChecked(moteur_->ModeTexte);
  });
  connect(btsShow, &QToolButton::clicked, this,
          [this, btsShow] { popPlus_->popup(btsShow->mapToGlobal(QPoint(18, 12))); });
  ConstruireOutils();
  // The last entry of "Plus...": the list as a video file.
  connect(popPlus_->addAction(QStringLiteral("Exporter en vidéo…")), &QAction::triggered, this,
          [this] { ExporterEnVideo(*moteur_, this); });
}

void TFListe::Aide() { moteur_->AppelAide(2000); }

void TFListe::MontrerTitreFichier(const QString& titre) {
  titreFichier_->setText(titreFichier_->fontMetrics().elidedText(titre, Qt::ElideMiddle, std::max(60, width() - 12)));
  titreFichier_->setToolTip(titre);
}

void TFListe::BoutonImporter(bool visible) { btImporter_->setVisible(visible); }

// The montage's own refresh: the paint box takes the slide colour; with
// "rafraichir" checked the line on show is previewed again.
void TFListe::Rafraichir() {
  moteur_->Rafraichir();
  if (!moteur_->RafraichirFond) return;
  moteur_->Vue().LigneApercu.clear();
  moteur_->Selection();
}

void TFListe::Quitter() { moteur_->Vue().Quitter(Emetteur::PopQuitter); }

void TFListe::Tempo() {
  const auto valeur = moteur_->Vue().Services().dialogues.TexteASaisir(
      QStringLiteral("Définir Tempo de Base"), TexteEcran(NomMotCle(9, moteur_->Vue().TablesEnCours()) + "="),
      TexteEcran(moteur_->TempoBase));
  if (valeur) moteur_->ChangeTempoBase(VersCp1252(valeur->toStdString()).value_or(Texte{}));
}

void TFListe::ListeChangee() {
  synchro_ = true;
  modele_->Recharger();
  synchro_ = false;
  SelectionChangee();
}

void TFListe::SelectionChangee() {
  const Montage& m = *moteur_;
  synchro_ = true;
  QItemSelection choix;
  int debut = -1;
  for (int i = 0; i <= m.Compte(); ++i) {
    const bool dedans = i < m.Compte() && m.Selectionnee(i);
    if (dedans && debut < 0) debut = i;
    if (!dedans && debut >= 0) {
      choix.select(modele_->index(debut), modele_->index(i - 1));
      debut = -1;
    }
  }
  QItemSelectionModel* modele = liste_->selectionModel();
  modele->select(choix, QItemSelectionModel::ClearAndSelect);
  if (m.Focus() >= 0) {
    modele->setCurrentIndex(modele_->index(m.Focus()), QItemSelectionModel::NoUpdate);
    liste_->scrollTo(modele_->index(m.Focus()));
  }
  synchro_ = false;
  trSelections_->setText(QString::number(m.NombreSelectionnees()));
  trNumLigne_->setText(QString::number(m.Focus() + 1));
  btUndo_->setVisible(m.Annulable());
  popAnnuler_->setEnabled(m.Annulable());
  popRetablir_->setEnabled(m.Refaisable());
  MontrerTitreFichier(TexteEcran(m.TitreFichier()));
  liste_->viewport()->update();
}

void TFListe::InfosChangees() {
  const Infos& infos = moteur_->InfosCourantes();
  infos_->clear();
  infos_->setTextColor(infos.avertissement ? QColor(Qt::red) : palette().color(QPalette::WindowText));
  for (const Texte& ligne : infos.lignes) {
    infos_->append(TexteEcran(ligne));
    infos_->setAlignment(infos.avertissement ? Qt::AlignCenter : Qt::AlignLeft);
  }
  MontrerTitreFichier(TexteEcran(moteur_->TitreFichier()));
}

void TFListe::TransfertChange() {
  transfert_->clear();
  for (const Texte& ligne : moteur_->Transfert) transfert_->addItem(TexteEcran(NomDeFichier(ligne)));
  trDesserte_->setText(QString::number(moteur_->Transfert.size()));
}

void TFListe::NomChange() {
  const QString nom = TexteEcran(moteur_->NomListe);
  trNomListe_->setText(trNomListe_->fontMetrics().elidedText(nom, Qt::ElideMiddle, 182));
}

void TFListe::SelectionVue() {
  if (synchro_ || selectionEnAttente_) return;
  // Clicks and keys change the selection and the current row in several
  // steps: the engine hears the settled result once.
  selectionEnAttente_ = true;
  QTimer::singleShot(0, this, &TFListe::AppliquerSelectionVue);
}

void TFListe::AppliquerSelectionVue() {
  selectionEnAttente_ = false;
  std::vector<int> choisies;
  for (const QItemSelectionRange& plage : liste_->selectionModel()->selection())
    for (int i = plage.top(); i <= plage.bottom(); ++i) choisies.push_back(i);
  std::sort(choisies.begin(), choisies.end());
  if (constructeur_) constructeur_->Moteur().SelectionUtilisateur();
  const QModelIndex courant = liste_->selectionModel()->currentIndex();
  moteur_->DefinirSelection(choisies, courant.isValid() ? courant.row() : (choisies.empty() ? 0 : choisies.back()));
  moteur_->Selection();
}

void TFListe::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void TFListe::dropEvent(QDropEvent* e) {
  // Files dropped beside the list: the current line stays where it is.
  if (!e->mimeData()->hasUrls()) return;
  QStringList chemins;
  for (const QUrl& url : e->mimeData()->urls())
    if (url.isLocalFile()) chemins << url.toLocalFile();
  moteur_->DeposerBureau(chemins, std::nullopt);
  e->acceptProposedAction();
}

void TFListe::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  moteur_->Visible = false;
}

void TFListe::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  moteur_->Visible = true;
  NomChange();
  ListeChangee();
  TransfertChange();
  InfosChangees();
}

// ---- The list's tools: "Plus..." entries, pn_show and the scene menu panel.

void TFListe::ConstruireOutils() {
  // "Plus...": deployment and relative copy before the first separator,
  // verification right after it.
  const QList<QAction*> plus = popPlus_->actions();
  const auto separateur = std::find_if(plus.begin(), plus.end(), [](QAction* a) { return a->isSeparator(); });
  QAction* avant = separateur == plus.end() ? nullptr : *separateur;
  QAction* apres = separateur == plus.end() || separateur + 1 == plus.end() ? nullptr : *(separateur + 1);
  const auto entree = [this](QAction* devant, const QString& texte, auto faire) {
    auto* a = new QAction(texte, this);
    connect(a, &QAction::triggered, this, faire);
    popPlus_->insertAction(devant, a);
  };
  entree(avant, QStringLiteral("Déployer les listes *.pvl"), [this] { DeployerPvl(*moteur_); });
  entree(avant, QStringLiteral("Créer un chemin relatif"), [this] { CheminRelatif(*moteur_); });
  entree(apres, QStringLiteral("Vérifier la liste"), [this] { VerifierListe(*moteur_); });
  entree(apres, QStringLiteral("Publier la présentation"), [this] { emit Publier(); });
  connect(moteur_.get(), &Montage::MontrerEnHaut, this,
          [this](int i) { liste_->scrollTo(modele_->index(i), QAbstractItemView::PositionAtTop); });

  // pn_show, under the list.
  auto* show = new QHBoxLayout;
  auto* precedent = new BoutonSouris(this);
  auto* suivant = new BoutonSouris(this);
  precedent->setText(QStringLiteral("précédent"));
  precedent->setToolTip(QStringLiteral("Ligne précédente : Type/Instruction"));
  precedent->setObjectName(QStringLiteral("bts_precedent"));
  suivant->setText(QStringLiteral(" suivant"));
  suivant->setToolTip(QStringLiteral("Ligne suivante : Type/Instruction"));
  suivant->setObjectName(QStringLiteral("bts_suivant"));
  for (BoutonSouris* b : {precedent, suivant}) {
    b->setFocusPolicy(Qt::NoFocus);
    show->addWidget(b);
  }
  show->addStretch();
  precedent->appui = [this](bool gauche) { Parcourir(false, gauche); };
  suivant->appui = [this](bool gauche) { Parcourir(true, gauche); };
  auto* colonne = static_cast<QVBoxLayout*>(layout());
  colonne->insertLayout(colonne->indexOf(liste_) + 1, show);

  menus_ = std::make_unique<MenuScenes>(*moteur_);
  new PanneauMenu(*menus_, liste_, this);
  // The builder opens the object file choice and the scene menu panel.
  if (constructeur_) {
    Constructeur& c = constructeur_->Moteur();
    // Once the choice or the panel has dealt with the builder's new line,
    // the builder forgets it: it is complete, or gone.
    c.ChoisirObjet = [this, &c](bool boite, bool inseree) {
      const auto choix = plivor::ChoisirObjet(*moteur_, boite, inseree);
      if (!boite) c.OublierLigneNouvelle();
      return choix;
    };
    c.OuvrirMenuScenes = [this, &c] {
      const bool nouvelle = c.LigneNouvelle();
      c.OublierLigneNouvelle();
      menus_->Ouvrir(nouvelle);
    };
  }
}

void TFListe::Parcourir(bool suivant, bool gauche) {
  const int haut = liste_->indexAt(QPoint(1, 1)).row();
  const auto trouvee = plivor::Parcourir(*moteur_, suivant, gauche);
  // A line found far below the top comes up with four lines above it.
  if (trouvee && haut >= 0 && *trouvee - haut > 25)
    liste_->scrollTo(modele_->index(IndexBorne(moteur_->Compte(), *trouvee - 4)), QAbstractItemView::PositionAtTop);
}

// ---- The instruction builder.

void TFListe::ConstruireConstructeur() {
  auto* colonne = static_cast<QVBoxLayout*>(layout());
  constructeur_ = new TFConstructeur(*moteur_, this);
  // Under the list: the list's top stays where the eye finds it.
  colonne->insertWidget(colonne->indexOf(liste_) + 1, constructeur_);
  constructeur_->PlacerPanneau(liste_);
  // The description of the highlighted instruction goes to the information box.
  connect(constructeur_, &TFConstructeur::Description, this, [this](const QString& texte) {
    if (!texte.isEmpty() && infos_) infos_->setPlainText(texte);
  });
  connect(liste_, &QListView::doubleClicked, this, &TFListe::ModifierCmd);
  constructeur_->ModifierSurClic(titreFichier_);
  QAction* modifier = Action(nullptr, QStringLiteral("Modifier la sélection"), QKeySequence(Qt::Key_F2), &TFListe::ModifierCmd);
  modifier->setObjectName(QStringLiteral("PopModifier"));
  modifier->setToolTip(QStringLiteral("Double-clic sur la sélection"));
  // After "Supprimer" and its separator, before the views' refresh.
  popListe_->insertAction(popRafraichir_, modifier);
}

void TFListe::ModifierCmd() { constructeur_->Moteur().ModifierCmd(); }

}  // namespace plivor
