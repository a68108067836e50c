#pragma once
// The formatting panel: a miniature of a container and the window, slide,
// title or object laid out in it. The author picks a size, a position,
// colours and options; validation replaces the formatting line by the
// instruction lines of the choice. The widget binds its controls here and
// paints the miniature this engine draws.

#include <QImage>
#include <QObject>
#include <QRect>
#include <QStringList>
#include <optional>

#include "core/Lignes.h"
#include "core/Notations.h"

namespace plivor {

class Constructeur;
class Montage;

class MiseEnForme : public QObject {
  Q_OBJECT

 public:
  MiseEnForme(Montage& montage, Constructeur& constructeur);

  static const QStringList& Dimensions();  // pnF_Dim
  static const QStringList& Positions();   // pnF_Pos
  static const QStringList& Tailles();     // Fonte_Tailles
  static const QStringList& Styles();      // Fonte_styles
  static constexpr int kLargeurCadre = 162, kHauteurCadre = 122;

  // ---- Opening, by the formatting line's instruction number (3030, 4030,
  // 7030, 7200, 8030); false when it formats nothing.
  bool Ouvrir(int code);
  void Fermer();
  bool Visible() const { return visible_; }
  // The font entry of "Titre-Fonte": font boxes only.
  bool ModePolice() const { return modePolice_; }
  int Chose() const { return chose_; }  // 3 window, 4 slide, 7 title, 8 object
  int ContexteAide() const { return contexteAide_; }
  const Texte& Type() const { return type_; }            // pnf_type
  const Texte& Conteneur() const { return conteneur_; }  // pnf_conteneur
  QString BulleTitre() const;

  // ---- Choices.
  int Dimension() const { return dimension_; }
  int Position() const { return position_; }
  // Whether the thing can take size item `index` (a window cannot fit
  // itself, nor a slide its own card): the others cannot be chosen.
  bool DimensionPossible(int index) const;
  void ChoisirDimension(int index);
  void ChoisirPosition(int index);
  // A click on the block or the title: the colour of the formatted thing.
  void ChoisirCouleur();
  // The font boxes: a name, a size text, a style index.
  void ChangeFonte(const QString& nom, const QString& taille, int style);
  const QStringList& NomsPolices() const { return nomsPolices_; }
  void DefinirPolices(const QStringList& noms) { nomsPolices_ = noms; }
  const QString& NomPolice() const { return nomPolice_; }
  const QString& TaillePolice() const { return taillePolice_; }
  int StylePolice() const { return stylePolice_; }
  // The object's file, through the object chooser.
  void ChoisirFichier();
  QString TexteFichier() const;  // pnf_ObjetFichier

  // Options.
  bool InclureOptions = false;  // pnf_Options
  // The projection's own frame and margin: options validated as they
  // stand leave the window as it starts.
  QString Cadre = QStringLiteral("2");   // pnf_Ocadre
  QString Marge = QStringLiteral("8");   // pnf_Omarge
  int Bureau = 0;     // 0 "Voir", 1 "Masquer"
  int Opaque = 0;     // 0 "Entourer", 1 "Détourer"
  int Detacher = 0;   // 0 "Détacher", 1 "Coller aux bords"
  int Masque = 0;     // 0 "Normal", 1 "Masque"
  QString TexteTitre = QStringLiteral("Texte Titre");

  // ---- The miniature.
  const QRect& Bloc() const { return bloc_; }        // pnF_objet in the frame
  const QRect& Titre() const { return titre_; }      // pnf_titre in the frame
  bool BlocVisible() const { return chose_ != 7; }
  QImage Miniature() const;

  // ---- Ending.
  // The lines of the choice, or nothing after a refusal (said).
  std::optional<Liste> LignesDuChoix();
  bool Valider();
  void Annuler();
  void Aide();

 signals:
  void Change();

 private:
  Texte Mot(int motCle) const;
  Texte MotValeur(int motCle, int codeValeur) const;
  std::optional<Texte> Cp1252(const QString& texte);
  Couleur& CouleurDeLaChose();
  QFont PoliceApercu() const;
  void Placer();
  std::optional<Texte> LignePolice();

  Montage& montage_;
  Constructeur& constructeur_;
  bool visible_ = false;
  bool modePolice_ = false;
  int code_ = 0;
  int chose_ = 0;
  int contexteAide_ = 2802;
  Texte type_, conteneur_;
  int dimension_ = 0;
  int position_ = 0;
  QRect bloc_{41, 28, 80, 65};
  QRect titre_;
  Couleur couleurCadre_ = 0, couleurBloc_ = 0;
  QStringList nomsPolices_;
  QString nomPolice_;
  QString taillePolice_ = QStringLiteral("128");
  int stylePolice_ = 0;
  std::optional<Texte> fichier_;
  Texte ligneFormat_;  // the formatting line the panel was opened on
};

}  // namespace plivor
