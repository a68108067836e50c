#include "support/BancVue.h"

#include <QFile>

namespace plivor::test {

BancVue::BancVue(QSize tailleEcran, CoucheAudio* son) : ecran(tailleEcran) {
  const Texte racine = LigneDepuisHote(dossier.path().toStdString()).value();
  fichiers.ChangerDossier(racine);
  vue = std::make_unique<TFVue>(ServicesVue{fichiers, dialogues, son ? *son : audio, ecran, cadence, bureau, voisins, racine});
  vue->CheminProgramme = Joindre(racine, "plivor", fichiers.Style());
  registre = std::make_unique<Registre>(dossier.filePath(QStringLiteral("reglages.ini")));
  options = std::make_unique<TFOptions>(*vue, *registre);
}

Texte BancVue::Chemin(const QString& nom) const {
  return LigneDepuisHote(dossier.filePath(nom).toStdString()).value();
}

QString BancVue::CheminHote(const QString& nom) const { return dossier.filePath(nom); }

void BancVue::EcrireTexte(const QString& nom, const std::string& contenu) const {
  QFile f(dossier.filePath(nom));
  if (f.open(QIODevice::WriteOnly)) f.write(contenu.data(), static_cast<qint64>(contenu.size()));
}

void BancVue::Projeter(const Liste& lignes) {
  vue->Medias = lignes;
  vue->DossierProjection = fichiers.DossierCourant();
  vue->IndexCourant = 0;
  vue->Charger(vue->Medias.front());
}

}  // namespace plivor::test
