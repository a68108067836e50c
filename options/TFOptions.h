#pragma once
// The options window's engine: the current settings, which every other
// window reads here, their reading and saving, and the immediate effect of
// each control. The window on screen (FenetreOptions) mirrors it.

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "core/Chemins.h"
#include "core/Notations.h"
#include "options/Registre.h"
#include "platform/Ecran.h"
#include "projection/TFVue.h"

namespace plivor {


// The speed factors offered, in their order.
const QStringList& FacteursVitesse();

// The running program's path as it is kept and written: on Windows the first
// character as is, the rest lower-cased with a capital after each "\".
// POSIX names are case-sensitive and are kept as they are.
Texte NormaliserCheminProgramme(const Texte& chemin, StyleChemins style);

class TFOptions : public QObject {
  Q_OBJECT

 public:
  TFOptions(TFVue& vue, Registre& registre, QObject* parent = nullptr);
  Registre& LeRegistre() { return registre_; }

  void FormCreate();
  void LireOptions();
  void OptionsSauver();
  void ChoisirIntro();
  void ChoisirTempo();
  void ChoisirCouleur();
  void ChoisirVitesse(int index);
  // The screen of that place in the projection's list of screens; a show in
  // full screen moves there at once.
  void ChoisirEcran(int index);
  // The place of the projection's screen in that list.
  int EcranChoisi() const;
  std::vector<EcranDecrit> Ecrans() const { return vue_.Services().ecran.Ecrans(); }
  void Coches(int item, bool coche);
  void FermerOptions();
  // The projection's options command: show the window, or hide it and go on.
  void BasculerOptions();
  void opt_langueChange(int index);
  // The help buttons of the pages open the projection's help.
  void AppelAide(Emetteur bouton);

  bool Coche(int option) const { return option >= 0 && option < kNombreOptions && options[option]; }
  int VitesseChoisie() const;

  // The controls' current contents.
  QString opt_ListeIntro = QStringLiteral("Plivor.pvl");
  QString opt_chemin;
  QString opt_tempo = QStringLiteral("2000");
  Couleur opt_couleurFond = RGB(35, 32, 55);
  int opt_Vitesse = -1;  // index in FacteursVitesse(), -1 none
  QString opt_ecran;     // the projection's screen by name, empty for the primary
  std::array<bool, kNombreOptions> options{};
  int opt_langue = 0;
  int opt_Page = 0;
  QString tr_version, oAtr_Version;
  bool Visible = false;
  QString IndiceOptions = QStringLiteral("Options et Installation (i)");

  static const QStringList& LibellesOptions();

 signals:
  void ControlesChanges();
  void VisibiliteChangee(bool visible);

 private:
  void AppliquerListeIntro();
  void Montrer(bool visible);

  TFVue& vue_;
  Registre& registre_;
};

}  // namespace plivor
