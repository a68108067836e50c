#pragma once
// The resource window's masks: the kind buttons' masks and the user's own
// filters, which live for the run only.

#include <QString>
#include <QStringList>
#include <optional>

namespace plivor {

inline const QString kMasqueInitial = QStringLiteral("*.jpg;*.wav;*.mp3;*.pvl");
inline const QString kMasqueImages =
    QStringLiteral("*.jpg;*.gif;*.bmp;*.jpeg;*.jfif;*.jpe;*.png;*.webp;*.tif;*.tiff;*.heic;*.heif;*.avif");
inline const QString kMasqueSons =
    QStringLiteral("*.wav;*.mp3;*.mid;*.rmi;*.cda;*.flac;*.ogg;*.oga;*.opus;*.m4a;*.aac");
inline const QString kMasqueListes = QStringLiteral("*.pvl;*.txt;*.pvs;*.pvb");
inline const QString kMasqueTous = kMasqueImages + QStringLiteral(";") + kMasqueSons + QStringLiteral(";*.pvl;*.pvb;*.pvs");

// The filter panel and the creation panel, and the filters made in them.
class Filtres {
 public:
  Filtres() : ListeFiltres{kMasqueInitial} {}

  // The filter panel shown or hidden; the creation panel goes with it.
  void Basculer();
  // The creation panel, its edit pre-filled: the current file's name when
  // the file list has one, else the filter chosen last, else the mask up to
  // its first ";".
  void Creer(const QString& nomCourant, const QString& masque);
  // The edit's text becomes a filter (equal ones are kept) and the mask;
  // the first equal filter is chosen. Gives the new mask.
  QString Valider();
  void FermerCreation() { CreationVisible = false; }
  // A filter chosen in the box: the new mask, nothing when the box is empty.
  std::optional<QString> Choisir(int index);
  // The chosen filter removed; the mask in force stays.
  void Supprimer();

  QStringList ListeFiltres;
  int IndexFiltre = 0;   // the filter chosen last
  int IndexChoisi = 0;   // the box's selected item
  QString Filtre = QStringLiteral("Filtre");  // the creation panel's edit
  bool PanneauVisible = false;
  bool CreationVisible = false;
  int HauteurDossiers() const { return PanneauVisible ? 50 : 116; }
};

}  // namespace plivor
