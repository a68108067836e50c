#include "BancMontage.h"

#include <QDir>
#include <QFile>

#include "support/ImagesEssai.h"

namespace plivor::test {

BancMontage::BancMontage(CoucheAudio* son, ServicesFichiers* fichiersMontage) : ecran(QSize(1280, 800)) {
  const Texte racine = LigneDepuisHote(dossier.path().toStdString()).value();
  fichiers.ChangerDossier(racine);
  vue = std::make_unique<TFVue>(
      ServicesVue{fichiers, dialogues, son ? *son : audio, ecran, cadence, bureau, voisins, racine});
  vue->CheminProgramme = Joindre(racine, "plivor", fichiers.Style());
  registre = std::make_unique<Registre>(dossier.filePath(QStringLiteral("reglages.ini")));
  options = std::make_unique<TFOptions>(*vue, *registre);
  montage = std::make_unique<Montage>(*vue, fichiersMontage ? *fichiersMontage : fichiers);
  voisins.montage = montage.get();
}

Texte BancMontage::Chemin(const QString& nom) const { return LigneDepuisHote(CheminHote(nom).toStdString()).value(); }

QString BancMontage::CheminHote(const QString& nom) const { return dossier.filePath(nom); }

void BancMontage::Ecrire(const QString& nom, const std::string& octets) const {
  QDir().mkpath(QFileInfo(CheminHote(nom)).path());
  QFile f(CheminHote(nom));
  if (f.open(QIODevice::WriteOnly)) f.write(octets.data(), static_cast<qint64>(octets.size()));
}

std::string BancMontage::Lire(const QString& nom) const {
  QFile f(CheminHote(nom));
  if (!f.open(QIODevice::ReadOnly)) return "<absent>";
  return f.readAll().toStdString();
}

void BancMontage::Image(const QString& nom, int largeur, int hauteur) const {
  QDir().mkpath(QFileInfo(CheminHote(nom)).path());
  EcrireJpeg(CheminHote(nom), Quadrants(largeur, hauteur));
}

void BancMontage::Lignes(const Liste& lignes, const std::vector<int>& choisies) {
  vue->ListeModifiee = false;
  montage->RecevoirListe(lignes, Chemin(QStringLiteral("liste.pvl")), LigneDepuisHote(dossier.path().toStdString()).value(), 0,
                         false);
  vue->ListeModifiee = false;
  if (!choisies.empty()) {
    montage->DefinirSelection(choisies, choisies.back());
    montage->Selection();
  }
}

}  // namespace plivor::test
