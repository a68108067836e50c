#include "montage/TFConstructeur.h"

#include <QAction>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "montage/Icones.h"
#include "montage/PanneauMiseEnForme.h"
#include "platform/Dialogues.h"

namespace plivor {

namespace {

constexpr int kRoleIcone = Qt::UserRole + 1;
constexpr int kHauteurItem = 13;

// Buttons that tell the left mouse button from the others.
class BoutonInstructionSouris : public QToolButton {
 public:
  using QToolButton::QToolButton;
  std::function<void(bool gauche)> appui;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (appui) appui(e->button() == Qt::LeftButton);
  }
};

// An item: the icon at the left with red transparent, the text 32 pixels in.
class DelegueCandidat : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool choisi = option.state & QStyle::State_Selected;
    p->fillRect(option.rect, choisi ? option.palette.highlight() : option.palette.base());
    const QPixmap& icone = IconeMontage(index.data(kRoleIcone).toInt());
    if (!icone.isNull()) p->drawPixmap(option.rect.topLeft(), icone);
    p->setPen(choisi ? option.palette.highlightedText().color() : option.palette.text().color());
    p->drawText(option.rect.adjusted(32, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                index.data(Qt::DisplayRole).toString());
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width() + 32, kHauteurItem);
  }
};

// Cmd_Liste drops its list upwards, over the montage list, when dropped
// down it would cover the window's information box: the description of
// the highlighted candidate stays in sight.
class ListeCandidats : public QComboBox {
 public:
  using QComboBox::QComboBox;
  void showPopup() override {
    QComboBox::showPopup();
    QWidget* deroulee = view()->window();
    const QWidget* infos = window()->findChild<QWidget*>(QStringLiteral("Infos"));
    if (!deroulee || deroulee == window() || !infos || !infos->isVisible()) return;
    // Heights only: the list drops under the box, in the same column.
    const int hautInfos = infos->mapToGlobal(QPoint(0, 0)).y(), basInfos = hautInfos + infos->height();
    if (deroulee->y() >= basInfos || deroulee->y() + deroulee->height() <= hautInfos) return;
    const int haut = mapToGlobal(QPoint(0, 0)).y();
    const QScreen* ecran = screen();
    if (haut - deroulee->height() >= (ecran ? ecran->availableGeometry().top() : 0))
      deroulee->move(deroulee->x(), haut - deroulee->height());
  }
};

}  // namespace

TFConstructeur::TFConstructeur(Montage& montage, QWidget* parent)
    : QWidget(parent), moteur_(std::make_unique<Constructeur>(montage)) {
  auto* colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(0, 0, 0, 0);
  colonne->setSpacing(1);

  // pn_Commandes: the six instruction buttons.
  auto* boutons = new QHBoxLayout;
  boutons->setSpacing(0);
  const struct {
    const char* nom;
    QString glyphe, bulle;
    BoutonInstruction bouton;
  } definitions[] = {
      {"bts_tempo", QStringLiteral("♩"), QStringLiteral("Insérer un tempo/Défilement"), BoutonInstruction::Tempo},
      {"bts_transition", QStringLiteral("⇄"), QStringLiteral("Transition/Durée de transition"),
       BoutonInstruction::Transition},
      {"bts_Diapo", QStringLiteral("▣"), QStringLiteral("Diapo/Fenêtre"), BoutonInstruction::Diapo},
      {"bts_titre", QStringLiteral("T"), QStringLiteral("Titrage"), BoutonInstruction::Titre},
      {"bts_avance", QStringLiteral("⚑"), QStringLiteral("Navigation/Menu"), BoutonInstruction::Avance},
      {"bts_Audio", QStringLiteral("♫"), QStringLiteral("Click Gauche :Audio/Click droit :Objet"),
       BoutonInstruction::Audio},
  };
  int touche = 1;
  for (const auto& d : definitions) {
    auto* b = new BoutonInstructionSouris(this);
    b->setObjectName(QString::fromLatin1(d.nom));
    b->setText(d.glyphe);
    b->setToolTip(d.bulle);
    b->setAutoRaise(true);
    b->setFixedSize(30, 22);
    b->setFocusPolicy(Qt::NoFocus);
    const BoutonInstruction bouton = d.bouton;
    b->appui = [this, bouton](bool gauche) { moteur_->NvelleInstruction(bouton, gauche); };
    // Alt+N as the left button, Alt+Shift+N as the other one.
    for (const bool gauche : {true, false}) {
      auto* a = new QAction(this);
      a->setShortcut(QKeySequence((gauche ? QStringLiteral("Alt+%1") : QStringLiteral("Alt+Shift+%1")).arg(touche)));
      a->setShortcutContext(Qt::WindowShortcut);
      connect(a, &QAction::triggered, this, [this, bouton, gauche] { moteur_->NvelleInstruction(bouton, gauche); });
      addAction(a);
    }
    ++touche;
    boutons->addWidget(b);
  }
  // A line of any text, typed whole: a keyword the vocabulary lacks, a
  // file not there yet.
  auto* libre = new QToolButton(this);
  libre->setObjectName(QStringLiteral("bts_libre"));
  libre->setText(QStringLiteral("✎"));
  libre->setToolTip(QStringLiteral("Insérer une ligne libre"));
  libre->setAutoRaise(true);
  libre->setFixedSize(30, 22);
  libre->setFocusPolicy(Qt::NoFocus);
  connect(libre, &QToolButton::clicked, this, [this] { moteur_->NvelleLigneLibre(); });
  auto* toucheLibre = new QAction(this);
  toucheLibre->setShortcut(QKeySequence(QStringLiteral("Alt+7")));
  toucheLibre->setShortcutContext(Qt::WindowShortcut);
  connect(toucheLibre, &QAction::triggered, this, [this] { moteur_->NvelleLigneLibre(); });
  addAction(toucheLibre);
  boutons->addWidget(libre);
  boutons->addStretch();
  colonne->addLayout(boutons);

  // Cmd_Liste, and pni_modif in the same place.
  pile_ = new QStackedWidget(this);
  cmdListe_ = new ListeCandidats(this);
  cmdListe_->setObjectName(QStringLiteral("Cmd_Liste"));
  cmdListe_->setToolTip(QStringLiteral("Liste des instructions disponibles"));
  cmdListe_->setMaxVisibleItems(12);
  // A scrolled list of twelve items under the box, whatever the style.
  cmdListe_->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  cmdListe_->setItemDelegate(new DelegueCandidat(cmdListe_));
  cmdListe_->view()->setMinimumWidth(226);
  pile_->addWidget(cmdListe_);
  auto* modif = new QWidget(this);
  modif->setObjectName(QStringLiteral("pni_modif"));
  auto* ligne = new QHBoxLayout(modif);
  ligne->setContentsMargins(0, 0, 0, 0);
  ligne->setSpacing(2);
  cmdNom_ = new QLabel(modif);
  cmdNom_->setObjectName(QStringLiteral("pni_CmdNom"));
  cmdNom_->setAlignment(Qt::AlignCenter);
  valeur_ = new QLineEdit(modif);
  valeur_->setObjectName(QStringLiteral("pni_Valeur"));
  valeur_->setMaxLength(200);
  valeur_->setToolTip(QStringLiteral("Entrer une valeur puis touche \"Entrée\""));
  ligne->addWidget(cmdNom_);
  ligne->addWidget(valeur_, 1);
  pile_->addWidget(modif);
  pile_->setFixedHeight(24);
  colonne->addWidget(pile_);

  connect(cmdListe_, &QComboBox::activated, this, [this](int i) {
    if (!synchro_) moteur_->ChoixCmd(i);
  });
  connect(cmdListe_, &QComboBox::highlighted, this, [this](int i) {
    if (!synchro_) moteur_->CmdChange(i);
  });
  connect(valeur_, &QLineEdit::textEdited, this, [this](const QString& texte) {
    if (const auto t = VersCp1252(texte.toStdString())) moteur_->ValeurSaisie = *t;
    else valeur_->setText(TexteEcran(moteur_->ValeurSaisie));  // a character a list cannot hold
  });
  connect(valeur_, &QLineEdit::returnPressed, this, [this] { moteur_->EntreeSaisie(); });
  connect(moteur_.get(), &Constructeur::Change, this, &TFConstructeur::Rafraichir);
  connect(moteur_.get(), &Constructeur::DescriptionChangee, this,
          [this] { emit Description(TexteEcran(moteur_->Description())); });
  // Dropped down once the click that asked for it is over.
  connect(moteur_.get(), &Constructeur::Derouler, this, &TFConstructeur::Derouler, Qt::QueuedConnection);
  connect(moteur_.get(), &Constructeur::SaisirValeur, this, [this] {
    Rafraichir();
    valeur_->setFocus();
    valeur_->selectAll();
  });
}

TFConstructeur::~TFConstructeur() = default;

void TFConstructeur::PlacerPanneau(QWidget* liste) {
  panneau_ = new PanneauMiseEnForme(moteur_->Panneau(), liste);
}

void TFConstructeur::ModifierSurClic(QWidget* titre) {
  titre_ = titre;
  titre_->installEventFilter(this);
}

bool TFConstructeur::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == titre_ && evenement->type() == QEvent::MouseButtonPress) moteur_->ModifierCmd();
  return QWidget::eventFilter(objet, evenement);
}

void TFConstructeur::Rafraichir() {
  synchro_ = true;
  const Constructeur& m = *moteur_;
  if (m.Candidats() != affiches_) {
    affiches_ = m.Candidats();
    cmdListe_->clear();
    for (int i = 0; i < static_cast<int>(affiches_.size()); ++i) {
      cmdListe_->addItem(TexteEcran(m.TexteCandidat(i)));
      cmdListe_->setItemData(i, m.IconeCandidat(i), kRoleIcone);
    }
  }
  // While the list is dropped down the user moves in it: left alone.
  if (!cmdListe_->view()->isVisible() && m.Choisi() >= 0 && m.Choisi() < cmdListe_->count())
    cmdListe_->setCurrentIndex(m.Choisi());
  pile_->setCurrentIndex(m.EditeurVisible() ? 1 : 0);
  cmdNom_->setText(TexteEcran(m.CmdNom));
  if (VersCp1252(valeur_->text().toStdString()).value_or(Texte()) != m.ValeurSaisie)
    valeur_->setText(TexteEcran(m.ValeurSaisie));
  synchro_ = false;
}

void TFConstructeur::Derouler() {
  // The press that asked for it is still down: its release would close
  // the list at once.
  if (QApplication::mouseButtons() != Qt::NoButton) {
    QTimer::singleShot(30, this, &TFConstructeur::Derouler);
    return;
  }
  Rafraichir();
  if (cmdListe_->count() == 0 || !moteur_->Deroulee()) return;
  cmdListe_->setFocus();
  cmdListe_->showPopup();
}

}  // namespace plivor
