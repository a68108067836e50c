#include "montage/Recuperation.h"

#include <QDir>
#include <QFile>

#include "core/FichiersListe.h"
#include "montage/Montage.h"
#include "platform/Dialogues.h"

namespace plivor {

namespace {

constexpr int kAttenteMs = 1500;  // edits in a burst are copied once

QString CheminNom(const QString& dossier) { return QDir(dossier).filePath(QStringLiteral("Plivor-recuperation.nom")); }

}  // namespace

Recuperation::Recuperation(Montage& montage, const QString& dossier) : montage_(montage), dossier_(dossier) {
  attente_.setSingleShot(true);
  attente_.setInterval(kAttenteMs);
  connect(&attente_, &QTimer::timeout, this, &Recuperation::Suivre);
  connect(&montage_, &Montage::ListeChangee, &attente_, qOverload<>(&QTimer::start));
  connect(&montage_, &Montage::NomChange, &attente_, qOverload<>(&QTimer::start));
}

QString Recuperation::CheminCopie() const { return QDir(dossier_).filePath(QStringLiteral("Plivor-recuperation.pvl")); }

void Recuperation::Suivre() {
  attente_.stop();
  if (!montage_.Vue().ListeModifiee || montage_.Compte() == 0) {
    Retirer();
    return;
  }
  QDir().mkpath(dossier_);
  ServicesFichiers& fichiers = montage_.Fichiers();
  const Texte nom = montage_.NomListe + "\r\n" + montage_.DossierListe + "\r\n";
  const auto copie = VersCp1252(CheminCopie().toStdString());
  const auto chemin = VersCp1252(CheminNom(dossier_).toStdString());
  if (!copie || !chemin) return;
  if (EcrireListe(*copie, montage_.Lignes(), fichiers)) fichiers.EcrireFichier(*chemin, nom);
}

std::optional<ListeRetrouvee> Recuperation::Retrouvee() const {
  QFile copie(CheminCopie()), nom(CheminNom(dossier_));
  if (!copie.open(QIODevice::ReadOnly)) return std::nullopt;
  ListeRetrouvee r;
  r.lignes = DecoderListe(copie.readAll().toStdString()).lignes;
  r.nom = kSansNom;
  if (nom.open(QIODevice::ReadOnly)) {
    const Liste l = DecouperLignes(nom.readAll().toStdString());
    if (!l.empty() && !l[0].empty()) r.nom = l[0];
    if (l.size() > 1) r.dossier = l[1];
  }
  if (r.lignes.empty()) return std::nullopt;
  return r;
}

void Recuperation::Retirer() {
  QFile::remove(CheminCopie());
  QFile::remove(CheminNom(dossier_));
}

bool Recuperation::Proposer() {
  const auto retrouvee = Retrouvee();
  if (!retrouvee) return false;
  Dialogues& dialogues = montage_.Vue().Services().dialogues;
  const QString question = QStringLiteral("Une liste non enregistrée a été retrouvée (") +
                           TexteEcran(retrouvee->nom) + QStringLiteral(", ") +
                           QString::number(retrouvee->lignes.size()) +
                           QStringLiteral(" lignes).\rLa reprendre dans la fenêtre de montage ?");
  if (!dialogues.Question(question)) {
    Retirer();
    return false;
  }
  montage_.Reprendre(retrouvee->lignes, retrouvee->nom, retrouvee->dossier);
  return true;
}

}  // namespace plivor
