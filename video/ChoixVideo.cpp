#include "video/ChoixVideo.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/Lignes.h"
#include "core/Vocabulaire.h"

namespace plivor {

namespace {

const QString kGroupe = QStringLiteral("Options");

QString Dimensions(QSize t) { return QStringLiteral("%1 × %2").arg(t.width()).arg(t.height()); }

QSize Paire(QSize t) { return {std::max(16, t.width() & ~1), std::max(16, t.height() & ~1)}; }

// libx264's constant quality and speed for each step.
struct Encodage {
  int crf;
  const char* preset;
  double bitsParPixel;  // of a slide show's frames, mostly held pictures
};
Encodage EncodageDe(QualiteVideo q) {
  switch (q) {
    case QualiteVideo::Brouillon: return {26, "superfast", 0.012};
    case QualiteVideo::Haute: return {16, "medium", 0.05};
    case QualiteVideo::Normale: break;
  }
  return {20, "veryfast", 0.025};
}

}  // namespace

std::vector<TailleProposee> TaillesProposees(QSize fenetre) {
  std::vector<TailleProposee> tailles = {
      {QStringLiteral("720p (1280 × 720)"), {1280, 720}},   {QStringLiteral("1080p (1920 × 1080)"), {1920, 1080}},
      {QStringLiteral("1440p (2560 × 1440)"), {2560, 1440}}, {QStringLiteral("2160p (3840 × 2160)"), {3840, 2160}}};
  if (!fenetre.isEmpty()) {
    const QSize paire = Paire(fenetre);
    tailles.push_back({QStringLiteral("Celle de la fenêtre (%1)").arg(Dimensions(paire)), paire});
  }
  tailles.push_back({QStringLiteral("Personnalisée"), {}});
  return tailles;
}

const std::vector<int>& CadencesProposees() {
  static const std::vector<int> cadences = {24, 25, 30, 50, 60};
  return cadences;
}

QStringList LibellesQualite() {
  return {QStringLiteral("Brouillon (rapide, fichier léger)"), QStringLiteral("Normale"),
          QStringLiteral("Haute (lente, fichier lourd)")};
}

ChoixVideo LireChoixVideo(QSettings& reglages) {
  ChoixVideo c;
  reglages.beginGroup(kGroupe);
  const QStringList taille = reglages.value(QStringLiteral("VideoTaille")).toString().split(QLatin1Char('x'));
  if (taille.size() == 2) {
    const QSize lue(taille[0].toInt(), taille[1].toInt());
    ReglagesVideo essai;
    essai.taille = lue;
    essai.sortie = QStringLiteral("essai.mp4");
    if (VerifierReglages(essai).isEmpty()) c.taille = lue;
  }
  const int ips = reglages.value(QStringLiteral("VideoIps")).toInt();
  if (ips >= 1 && ips <= 120) c.ips = ips;
  const int qualite = reglages.value(QStringLiteral("VideoQualite"), 1).toInt();
  if (qualite >= 0 && qualite <= 2) c.qualite = QualiteVideo(qualite);
  c.ecranEntier = reglages.value(QStringLiteral("VideoEcran")).toInt() == 1;
  c.materiel = reglages.value(QStringLiteral("VideoMateriel")).toInt() == 1;
  reglages.endGroup();
  return c;
}

void EcrireChoixVideo(QSettings& reglages, const ChoixVideo& c) {
  reglages.beginGroup(kGroupe);
  reglages.setValue(QStringLiteral("VideoTaille"), QStringLiteral("%1x%2").arg(c.taille.width()).arg(c.taille.height()));
  reglages.setValue(QStringLiteral("VideoIps"), c.ips);
  reglages.setValue(QStringLiteral("VideoQualite"), int(c.qualite));
  reglages.setValue(QStringLiteral("VideoEcran"), c.ecranEntier ? 1 : 0);
  reglages.setValue(QStringLiteral("VideoMateriel"), c.materiel ? 1 : 0);
  reglages.endGroup();
  reglages.sync();
}

void AppliquerChoix(const ChoixVideo& c, ReglagesVideo& r) {
  r.taille = c.taille;
  r.ips = c.ips;
  r.ecranEntier = c.ecranEntier;
  r.materiel = c.materiel;
  const Encodage e = EncodageDe(c.qualite);
  r.crf = e.crf;
  r.preset = QString::fromLatin1(e.preset);
}

double DureeEstimee(const Liste& lignes, int tempoParDefautMs) {
  long long tempo = std::max(40, tempoParDefautMs), total = 0;
  for (const Texte& ligne : lignes) {
    const int genre = GenreExtension(ligne);
    const int motCle = CodeMotCle(MotCle(ligne));
    if (motCle == 9 && genre == Genre::Instruction) {
      const long long lu = LireEntier(Valeur(ligne)).value_or(0);
      tempo = lu > 32 ? lu : 40;
    } else if (EstImage(genre) || genre == Genre::SousListe ||
               (genre == Genre::InstructionTexte && (motCle == 75 || motCle == 77))) {
      total += tempo;
    }
  }
  return double(total) / 1000.0;
}

long long TailleEstimee(const ChoixVideo& c, double secondes) {
  const double video = double(c.taille.width()) * c.taille.height() * c.ips * EncodageDe(c.qualite).bitsParPixel;
  const double son = c.qualite == QualiteVideo::Brouillon ? 128000 : 192000;
  return std::llround((video + son) * secondes / 8);
}

QString Estimation(const ChoixVideo& c, double secondes) {
  const int s = int(std::lround(secondes));
  const double mo = double(TailleEstimee(c, secondes)) / 1e6;
  const QString taille = mo < 10 ? QString::number(mo, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','))
                                 : QString::number(std::lround(mo));
  return QStringLiteral("Durée estimée : %1 min %2 s · fichier d'environ %3 Mo").arg(s / 60).arg(s % 60).arg(taille);
}

}  // namespace plivor
