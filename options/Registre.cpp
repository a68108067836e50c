#include "options/Registre.h"

#include <QFileInfo>

namespace plivor {

namespace {

const QString kGroupe = QStringLiteral("Options");

// Any stored value but 0 reads as checked, whatever wrote it ("1", "true",
// "yes"); a text that says false in words is taken at its word.
bool Coche(const QVariant& valeur) {
  const QString texte = valeur.toString().trimmed();
  bool nombre = false;
  const long long n = texte.toLongLong(&nombre);
  if (nombre) return n != 0;
  return texte.compare(QStringLiteral("false"), Qt::CaseInsensitive) != 0;
}

}  // namespace

Registre::Registre() : settings_(std::make_unique<QSettings>(QStringLiteral("Orvande"), QStringLiteral("Plivor"))) {}

Registre::Registre(const QString& fichierIni)
    : settings_(std::make_unique<QSettings>(fichierIni, QSettings::IniFormat)) {}

const std::array<const char*, kNombreOptions>& Registre::NomsOptions() {
  // Items 3 and 4 keep the names they were first stored under.
  static const std::array<const char*, kNombreOptions> noms = {
      "Ecran", "Veille", "Commandes", "Titres", "Langue", "Conseils",
      "Marge", "Fenetre", "Absents", "AudioMuet", "Morphe", "SansSurveillance"};
  return noms;
}

bool Registre::CleExiste() const {
  settings_->sync();
  return settings_->childGroups().contains(kGroupe);
}

ValeursRegistre Registre::Lire() const {
  ValeursRegistre v;
  settings_->beginGroup(kGroupe);
  v.listeIntro = settings_->value(QStringLiteral("ListeIntro")).toString();
  v.cheminInitial = settings_->value(QStringLiteral("CheminInitial")).toString();
  v.tempo = settings_->value(QStringLiteral("Tempo")).toString();
  v.couleurFond = settings_->value(QStringLiteral("CouleurFond")).toString();
  v.facteurVitesse = settings_->value(QStringLiteral("FacteurVitesse")).toString();
  v.ecranProjection = settings_->value(QStringLiteral("EcranProjection")).toString();
  for (int i = 0; i < kNombreOptions; ++i) {
    const QVariant valeur = settings_->value(QLatin1String(NomsOptions()[i]));
    if (valeur.isValid()) v.options[i] = Coche(valeur);
  }
  settings_->endGroup();
  return v;
}

void Registre::Ecrire(const ValeursRegistre& v) {
  settings_->beginGroup(kGroupe);
  settings_->setValue(QStringLiteral("ListeIntro"), v.listeIntro);
  settings_->setValue(QStringLiteral("CheminInitial"), v.cheminInitial);
  settings_->setValue(QStringLiteral("Tempo"), v.tempo);
  settings_->setValue(QStringLiteral("CouleurFond"), v.couleurFond);
  settings_->setValue(QStringLiteral("FacteurVitesse"), v.facteurVitesse);
  settings_->setValue(QStringLiteral("EcranProjection"), v.ecranProjection);
  for (int i = 0; i < kNombreOptions; ++i)
    settings_->setValue(QLatin1String(NomsOptions()[i]), v.options[i].value_or(false) ? 1 : 0);
  settings_->endGroup();
  settings_->sync();
}

QString Registre::Dossier() const { return QFileInfo(settings_->fileName()).absolutePath(); }

}  // namespace plivor
