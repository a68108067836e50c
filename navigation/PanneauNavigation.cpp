#include "navigation/PanneauNavigation.h"

#include <QPainter>

#include "options/TFOptions.h"

namespace plivor {

namespace {

struct Definition {
  Emetteur bouton;
  const char* indice;
  bool visible;
};

const Definition kBoutons[] = {
    {Emetteur::bt_Quitter, "Quitter (Ctrl Q)", true},
    {Emetteur::bt_Charger, "Ouvrir (o) / Composer une liste (L)", true},
    {Emetteur::bt_Debut, "Début  (d)", true},
    {Emetteur::bt_Navigation, "Menu :Voir-Masquer (n) / Début (d)", false},
    {Emetteur::bt_Pause, "Pause (espace)", false},
    {Emetteur::bt_Jouer, "Reprise  (espace)", true},
    {Emetteur::bt_Plivor, "Modifier-Créer (c)", true},
    {Emetteur::bt_Masquer, " Masquer (k) / Clic-droit + Icônes", true},
    {Emetteur::bt_Precedent, "Précédent (Mode manuel) (p)", true},
    {Emetteur::bt_Suivant, "Suivant (s)", true},
    {Emetteur::bt_Avance, "Avance automatique  (a)", true},
    {Emetteur::bt_AvanceArret, "Arrêt du défilement  (a)", false},
    {Emetteur::bt_Audio, "Reprise Musique  (m)", true},
    {Emetteur::bt_AudioArret, "Pause musique  (m)", false},
    {Emetteur::bt_Options, "Options et Installation (i)", true},
    {Emetteur::bt_Aide, "Aide (F1)", true},
};

}  // namespace

PanneauNavigation::PanneauNavigation(TFVue& vue, QSize ecran) : vue_(vue), ecran_(ecran) {
  for (const Definition& d : kBoutons) Etats[d.bouton] = {d.visible, true, false, QString::fromUtf8(d.indice)};
  // Bottom-right corner of the screen.
  Geometrie = QRect(0, 0, kLargeur, kRangee);
  Geometrie.moveTo(ecran_.width() - kLargeur - 16, ecran_.height() - kRangee - 8);
}

void PanneauNavigation::FormShow() {
  if (Geometrie.bottom() >= ecran_.height()) Geometrie.moveTop(ecran_.height() - Geometrie.height() - 4);
  if (Geometrie.right() >= ecran_.width()) Geometrie.moveLeft(ecran_.width() - Geometrie.width() - 4);
}

void PanneauNavigation::Montrer(bool visible) {
  Visible = visible;
  if (visible) FormShow();
  emit Change();
}

void PanneauNavigation::Deplacer(QPoint coin) {
  Geometrie.moveTo(coin);
  emit Change();
}

void PanneauNavigation::FormResize() {
  const int hauteur = (Icones1 ? kRangee : 0) + (Icones2 ? kRangee : 0) + (MenuVisible ? HauteurMenu : 0);
  const int bas = Geometrie.y() + Geometrie.height();
  Geometrie.setHeight(std::max(hauteur, 1));
  Geometrie.moveTop(bas - Geometrie.height());
  emit Change();
}

void PanneauNavigation::Commandes(Emetteur bouton) {
  if (vue_.ApercuMontage) return;
  switch (bouton) {
    case Emetteur::bt_Quitter: vue_.Quitter(bouton); break;
    case Emetteur::bt_Pause: case Emetteur::bt_Jouer: vue_.PauseClick(bouton); break;
    case Emetteur::bt_Plivor: vue_.EditerListe(bouton); break;
    case Emetteur::bt_Precedent: vue_.Precedent(bouton); break;
    case Emetteur::bt_Suivant: vue_.Suivant(bouton); break;
    case Emetteur::bt_Avance: case Emetteur::bt_AvanceArret: vue_.AvanceAM(bouton); break;
    case Emetteur::bt_Audio: case Emetteur::bt_AudioArret: vue_.AudioAM(bouton); break;
    case Emetteur::bt_Options: vue_.Options(bouton); break;
    case Emetteur::bt_Aide: vue_.AppelAide(bouton); break;
    default: break;
  }
}

void PanneauNavigation::Navigation(Emetteur emetteur, bool droit) {
  if (emetteur == Emetteur::bt_Debut || droit) {
    vue_.Debut(Emetteur::bt_Debut);
    return;
  }
  if (!ImageMenu.isNull()) {
    MenuVisible = !MenuVisible;
    FormResize();
    return;
  }
  PositionDPop = QPoint(ecran_.width() / 2, ecran_.height() - 10);
  emit MontrerDPop(PositionDPop);
}

void PanneauNavigation::Masquer(bool droit) {
  if (droit)
    Icones2 = !Icones2;
  else
    vue_.VoirIcones();
  FormResize();
}

void PanneauNavigation::Charger(bool droit) {
  if (droit)
    vue_.Lister(Emetteur::bt_Charger);
  else
    vue_.ChargerListe(Emetteur::bt_Charger);
}

void PanneauNavigation::FixeVignette(int x, int y) {
  if (x < 0 || y < 0) return;
  const int c = x / kCelluleL, r = y / kCelluleH, i = c + kColonnes * r;
  if (c >= kColonnes || i >= static_cast<int>(vue_.DPop.size())) return;
  IndiceBouton = TexteEcran(vue_.DPop[static_cast<size_t>(i)]);
  Menu01 = QPoint(kCelluleL * c + 11, kCelluleH * r + 11);
  Menu02 = Menu01 - QPoint(1, 1);
  IndexVignette = i;
  emit Change();
}

void PanneauNavigation::BoutonMouseUp(bool droit) {
  if (vue_.ApercuMontage || IndexVignette < 0 || IndexVignette >= static_cast<int>(vue_.DPop.size())) return;
  if (!ImageMenu.isNull()) {
    QPainter peintre(&ImageMenu);
    peintre.setPen(QColor(220, 200, 180));
    peintre.drawRect(QRect(Menu02 - QPoint(4, 4), Menu02 + QPoint(48, 36)));
  }
  const bool maintenir = vue_.Reglages() && vue_.Reglages()->Coche(3);
  if (!maintenir && !droit) {
    Navigation(Emetteur::bt_Navigation);
    vue_.CodeInstruction = 3001;
    vue_.Peindre();
  }
  emit Change();
  vue_.AllerDrapeau(IndexVignette);
}

void PanneauNavigation::CommandeMenu() {
  PositionDPop = QPoint(Geometrie.left() + Geometrie.width() / 2, Geometrie.y() + Geometrie.height());
  emit MontrerDPop(PositionDPop);
}

void PanneauNavigation::ChargerImageMenu(const QImage& image) {
  ImageMenu = image;
  HauteurMenu = image.height() + 8;
  FormResize();
}

void PanneauNavigation::Boutons() {
  const bool avance = vue_.AvanceAuto, musique = vue_.AudioEnCours;
  Etats[Emetteur::bt_Pause].visible = musique || avance;
  Etats[Emetteur::bt_Jouer].visible = !(musique || avance);
  Etats[Emetteur::bt_AudioArret].visible = musique;
  Etats[Emetteur::bt_Audio].visible = !musique;
  Etats[Emetteur::bt_AvanceArret].visible = avance;
  Etats[Emetteur::bt_Avance].visible = !avance;
  EtatBouton& avancer = Etats[Emetteur::bt_Avance];
  avancer.indice = vue_.Manuel ? QStringLiteral("(z) pour réactiver l'avance") : QStringLiteral("Avance automatique  (a)");
  avancer.actif = !vue_.Manuel;
  EtatBouton& audio = Etats[Emetteur::bt_Audio];
  audio.indice = vue_.Muet ? QStringLiteral("(ù) pour réactiver la musique") : QStringLiteral("Reprise Musique  (m)");
  audio.actif = !vue_.Muet;
  if (vue_.Reglages()) Etats[Emetteur::bt_Options].indice = vue_.Reglages()->IndiceOptions;
  emit Change();
}

void PanneauNavigation::MontrerDrapeaux(bool avecDrapeaux) {
  Etats[Emetteur::bt_Debut].visible = !avecDrapeaux;
  Etats[Emetteur::bt_Navigation].visible = avecDrapeaux;
  emit Change();
}

void VoisinsNavigation::MontrerPanneau(bool visible) {
  if (panneauNav)
    panneauNav->Montrer(visible);
  else
    panneau = visible;
}

void VoisinsNavigation::DeuxiemeRangee(bool visible) {
  deuxiemeRangee = visible;
  if (!panneauNav) return;
  panneauNav->Icones2 = visible;
  panneauNav->FormResize();
}

void VoisinsNavigation::Navigation() {
  if (panneauNav)
    panneauNav->Navigation(Emetteur::bt_Navigation);
  else
    menu = !menu;
}

void VoisinsNavigation::ImageMenu(const QImage& image) {
  imageMenu = image;
  if (panneauNav) panneauNav->ChargerImageMenu(image);
}

void VoisinsNavigation::CouleurFond(Couleur couleur) {
  if (panneauNav) {
    panneauNav->CouleurFond = couleur;
    emit panneauNav->Change();
  }
}

void VoisinsNavigation::Boutons() {
  if (panneauNav) panneauNav->Boutons();
}

void VoisinsNavigation::BoutonsDrapeaux(bool avecDrapeaux) {
  boutonsDrapeaux = avecDrapeaux;
  if (panneauNav) panneauNav->MontrerDrapeaux(avecDrapeaux);
}

}  // namespace plivor
