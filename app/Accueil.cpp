#include "app/Accueil.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "app/Enchainement.h"
#include "app/Instance.h"
#include "app/Programme.h"
#include "app/Terminal.h"

namespace plivor {

Accueil::Accueil(Programme& programme, Instance& instance) : programme_(programme), instance_(instance) {
  connect(&instance, &Instance::Demande, this, &Accueil::Recevoir);
  // The loop about to wait is the moment nothing is half done: a jump or a
  // transition that lets events through never waits.
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, &Accueil::Calme);
  Recevoir();
}

void Accueil::Recevoir() {
  const QList<Requete> recues = instance_.Prendre();
  if (recues.isEmpty()) return;
  // The last lists asked replace any before them; a bare launch only raises.
  for (const Requete& requete : recues)
    if (!requete.listes.isEmpty()) attente_ = requete;
  Lever();
}

bool Accueil::Libre() const {
  return !QApplication::activeModalWidget() && !QApplication::activePopupWidget() &&
         QGuiApplication::mouseButtons() == Qt::NoButton && !programme_.Vue().Fermeture;
}

void Accueil::Calme() {
  if (!attente_ || prevu_ || !Libre()) return;
  prevu_ = true;
  QTimer::singleShot(0, this, &Accueil::Projeter);
}

void Accueil::Projeter() {
  prevu_ = false;
  if (!attente_ || !Libre()) return;
  const Requete requete = *attente_;
  attente_.reset();
  if (requete.montage) return Editer(requete.listes.value(0));
  const QStringList& listes = requete.listes;
  TFVue& vue = programme_.Vue();
  const ListesCommande commande(listes);
  bool representable = false;
  for (const QString& liste : listes) representable |= LigneDepuisHote(liste.toStdString()).has_value();
  // Names Windows-1252 cannot hold are said; the show goes on if that is all.
  if (!representable) return commande.AvantOuverture(vue);
  const Texte avant = vue.CheminListe;
  commande.AvantOuverture(vue);
  const Texte demandee = vue.CheminListe;
  // As the first opening does.
  vue.Initialiser();
  vue.NomDialogueOuvrir = vue.CheminListe;
  vue.ChargerListe(Emetteur::Aucun);
  // A missing list and nothing chosen instead: the show kept keeps its name.
  if (vue.CheminListe == demandee && !vue.Services().fichiers.FichierExiste(demandee)) vue.CheminListe = avant;
  commande.ApresOuverture(vue);
  Lever();
}

// As "--montage" at the start, after the montage's own question on the list
// it holds: its edits are saved or let go by the user, never lost unasked.
void Accueil::Editer(const QString& liste) {
  TFVue& vue = programme_.Vue();
  if (vue.ListeModifiee && !programme_.MoteurMontage().QuestionSauver()) return;
  vue.ListeModifiee = false;
  OuvrirDansMontage(vue, liste, liste);
}

void Accueil::Lever() {
  QWidget* fenetre = QApplication::activeModalWidget();
  if (!fenetre && programme_.FenetreVue().isVisible()) fenetre = &programme_.FenetreVue();
  if (!fenetre)
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->isWindow() && !(w->windowFlags() & Qt::Popup)) fenetre = w;
  if (!fenetre) return;
  if (fenetre->isMinimized()) fenetre->setWindowState(fenetre->windowState() & ~Qt::WindowMinimized);
  fenetre->raise();
  fenetre->activateWindow();
}

}  // namespace plivor
