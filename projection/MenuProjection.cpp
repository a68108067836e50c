#include "projection/MenuProjection.h"

#include <QGuiApplication>
#include <QScreen>

namespace plivor {

MenuProjection::MenuProjection(TFVue& vue, QWidget* fenetre) : vue_(vue) {
  menu_.setObjectName(QStringLiteral("PopImage"));
  Ajouter(menu_, Emetteur::PopPause, QStringLiteral("Pause"), QKeySequence(Qt::Key_Space), true);
  Ajouter(menu_, Emetteur::PopNavigation, QStringLiteral("Menu Navigation"), QKeySequence(Qt::Key_N));
  QMenu* navigation = menu_.addMenu(QStringLiteral("Navigation"));
  Ajouter(*navigation, Emetteur::PopDebut, QStringLiteral("Début"), QKeySequence(Qt::Key_D));
  Ajouter(*navigation, Emetteur::PopPremierDrapeau, QStringLiteral("Premier Drapeau"), QKeySequence(Qt::Key_F5));
  Ajouter(*navigation, Emetteur::PopDrapeauPrecedent, QStringLiteral("Drapeau précédent"), QKeySequence(Qt::Key_F6));
  Ajouter(*navigation, Emetteur::PopDrapeauSuivant, QStringLiteral("Drapeau suivant"), QKeySequence(Qt::Key_F7));
  Ajouter(*navigation, Emetteur::PopDernierDrapeau, QStringLiteral("Dernier Drapeau"), QKeySequence(Qt::Key_F8));
  QMenu* manuel = navigation->addMenu(QStringLiteral("Manuel"));
  Ajouter(*manuel, Emetteur::PopManuel, QStringLiteral("Mode manuel"), QKeySequence(Qt::Key_Z), true);
  // The key left of the digit 1: ù on a French keyboard.
  Ajouter(*manuel, Emetteur::PopMuet, QStringLiteral("Mode Muet"), QKeySequence(Qt::Key_Ugrave), true);
  Ajouter(*manuel, Emetteur::PopPrecedent, QStringLiteral("Précédent"), QKeySequence(Qt::Key_P));
  Ajouter(*manuel, Emetteur::PopSuivant, QStringLiteral("Suivant"), QKeySequence(Qt::Key_S));
  Ajouter(menu_, Emetteur::PopMusique, QStringLiteral("Musique"), QKeySequence(Qt::Key_M), true);
  Ajouter(menu_, Emetteur::PopAvance, QStringLiteral("Avance"), QKeySequence(Qt::Key_A), true);
  Ajouter(menu_, Emetteur::PopMasquer, QStringLiteral("Voir les icônes"), QKeySequence(Qt::Key_K), true);
  menu_.addSeparator();
  Ajouter(menu_, Emetteur::PopOuvrir, QStringLiteral("Ouvrir une séquence"), QKeySequence(Qt::Key_O));
  Ajouter(menu_, Emetteur::PopLister, QStringLiteral("Composer une Liste"), QKeySequence(Qt::Key_L));
  Ajouter(menu_, Emetteur::PopEditer, QStringLiteral("Créer une séquence"), QKeySequence(Qt::Key_C));
  menu_.addSeparator();
  QMenu* projection = menu_.addMenu(QStringLiteral("Projection"));
  Ajouter(*projection, Emetteur::PopPleinEcran, QStringLiteral("Plein écran"), QKeySequence(Qt::Key_E), true);
  Ajouter(*projection, Emetteur::PopRafraichir, QStringLiteral("Rafraichir la fenêtre"), QKeySequence(Qt::Key_F));
  Ajouter(*projection, Emetteur::PopWindows, QStringLiteral("Fenêtre Windows"), QKeySequence(Qt::Key_W), true);
  Ajouter(*projection, Emetteur::PopCouleur, QStringLiteral("Modifier la couleur"), QKeySequence(Qt::Key_Y));
  Ajouter(*projection, Emetteur::PopBulles, QStringLiteral("Masquer les Bulles"), QKeySequence(Qt::Key_H), true);
  Ajouter(menu_, Emetteur::PopOptions, QStringLiteral("Options et Installation"), QKeySequence(Qt::Key_I));
  Ajouter(menu_, Emetteur::PopAide, QStringLiteral("Aide Projection"), QKeySequence(Qt::Key_F1));
  menu_.addSeparator();
  Ajouter(menu_, Emetteur::PopQuitter, QStringLiteral("Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q));
  for (const auto& [entree, action] : actions_) {
    action->setShortcutContext(Qt::WindowShortcut);
    fenetre->addAction(action);
  }
  connect(&menu_, &QMenu::aboutToShow, this, &MenuProjection::Actualiser);
}

QAction* MenuProjection::Ajouter(QMenu& menu, Emetteur entree, const QString& libelle, const QKeySequence& raccourci,
                                 bool cochable) {
  QAction* action = menu.addAction(libelle);
  action->setShortcut(raccourci);
  action->setCheckable(cochable);
  connect(action, &QAction::triggered, this, [this, entree] { Declencher(entree); });
  actions_[entree] = action;
  return action;
}

QAction* MenuProjection::Action(Emetteur entree) const {
  const auto trouvee = actions_.find(entree);
  return trouvee == actions_.end() ? nullptr : trouvee->second;
}

void MenuProjection::Declencher(Emetteur entree) {
  switch (entree) {
    case Emetteur::PopPause: vue_.PauseClick(entree); break;
    case Emetteur::PopNavigation: vue_.PopNavigationClick(); break;
    case Emetteur::PopDebut: vue_.Debut(entree); break;
    case Emetteur::PopPremierDrapeau: case Emetteur::PopDrapeauPrecedent:
    case Emetteur::PopDrapeauSuivant: case Emetteur::PopDernierDrapeau:
      vue_.SautDrapeau(entree);
      break;
    case Emetteur::PopManuel: vue_.ModeManuel(); break;
    case Emetteur::PopMuet: vue_.ModeMuet(); break;
    case Emetteur::PopPrecedent: vue_.Precedent(entree); break;
    case Emetteur::PopSuivant: vue_.Suivant(entree); break;
    case Emetteur::PopMusique: vue_.AudioAM(entree); break;
    case Emetteur::PopAvance: vue_.AvanceAM(entree); break;
    case Emetteur::PopMasquer: vue_.VoirIcones(); break;
    case Emetteur::PopOuvrir: vue_.ChargerListe(entree); break;
    case Emetteur::PopLister: vue_.Lister(entree); break;
    case Emetteur::PopEditer: vue_.EditerListe(entree); break;
    case Emetteur::PopPleinEcran: vue_.BureauVM(); break;
    case Emetteur::PopRafraichir: vue_.Rafraichir(entree); break;
    case Emetteur::PopWindows: vue_.WFenetre(entree); break;
    case Emetteur::PopCouleur: vue_.CouleurFond(); break;
    case Emetteur::PopBulles: vue_.Bulles(entree); break;
    case Emetteur::PopOptions: vue_.Options(entree); break;
    case Emetteur::PopAide: vue_.AppelAide(entree); break;
    case Emetteur::PopQuitter: vue_.Quitter(entree); break;
    default: break;
  }
  Actualiser();
}

void MenuProjection::Actualiser() {
  const auto cocher = [this](Emetteur entree, bool coche) {
    if (QAction* a = Action(entree)) a->setChecked(coche);
  };
  cocher(Emetteur::PopPause, vue_.PauseCoche);
  cocher(Emetteur::PopManuel, vue_.Manuel);
  cocher(Emetteur::PopMuet, vue_.Muet);
  cocher(Emetteur::PopMusique, vue_.MusiqueCoche);
  cocher(Emetteur::PopAvance, vue_.AvanceAuto);
  cocher(Emetteur::PopMasquer, vue_.MasquerCoche);
  cocher(Emetteur::PopPleinEcran, vue_.PleinEcranCoche);
  cocher(Emetteur::PopWindows, vue_.FenetreWindowsCoche);
  cocher(Emetteur::PopBulles, vue_.MasquerBullesCoche);
  Action(Emetteur::PopPleinEcran)->setEnabled(vue_.PleinEcranActif);
}

void MenuProjection::Ouvrir(const QPoint& ou) {
  Actualiser();
  menu_.popup(ou);
}

}  // namespace plivor
