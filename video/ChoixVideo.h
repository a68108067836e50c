#pragma once
// The choices of "Exporter en vidéo…": the frame's size, its rate, the
// quality, the window or the whole screen, the encoder; kept in the
// settings, turned into the export's settings, and what they will cost.

#include <QSize>
#include <QString>
#include <vector>

#include "core/Lignes.h"
#include "video/ExportVideo.h"

class QSettings;

namespace plivor {

enum class QualiteVideo { Brouillon = 0, Normale = 1, Haute = 2 };

struct ChoixVideo {
  QSize taille{1920, 1080};
  int ips = 30;
  QualiteVideo qualite = QualiteVideo::Normale;
  bool ecranEntier = false;
  bool materiel = false;
  bool operator==(const ChoixVideo&) const = default;
};

struct TailleProposee {
  QString libelle;
  QSize taille;  // empty: a size of the user's own
};
// 720p to 2160p, the window's own size (made even), then "Personnalisée".
std::vector<TailleProposee> TaillesProposees(QSize fenetre);
const std::vector<int>& CadencesProposees();
QStringList LibellesQualite();

// Under the settings' "Options" group; what is absent or unusable reads as
// the default.
ChoixVideo LireChoixVideo(QSettings& reglages);
void EcrireChoixVideo(QSettings& reglages, const ChoixVideo& choix);

// The export's settings for these choices (sizes, rate, encoder, quality).
void AppliquerChoix(const ChoixVideo& choix, ReglagesVideo& reglages);

// The show's length as its lines say: each picture and title shown for the
// tempo in force. Sub-lists count one tempo; loops are not followed.
double DureeEstimee(const Liste& lignes, int tempoParDefautMs);
// Bytes of a video of these choices and that length.
long long TailleEstimee(const ChoixVideo& choix, double secondes);
// "Durée estimée : 0 min 46 s · fichier d'environ 12 Mo"
QString Estimation(const ChoixVideo& choix, double secondes);

}  // namespace plivor
