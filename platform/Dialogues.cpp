#include "platform/Dialogues.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QDir>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <cstdio>

namespace plivor {

QString TexteEcran(const Texte& texte) { return QString::fromStdString(VersUtf8(texte)); }

void Dialogues::Message(const Texte& texte) { Information(TexteEcran(texte)); }

namespace {

QString Titre() { return QApplication::applicationName(); }

// Message boxes break lines at "\n"; the program's texts use "\r".
QString AvecSauts(QString texte) { return texte.replace(QLatin1Char('\r'), QLatin1Char('\n')); }

template <typename T>
T Prendre(QList<T>& file, T parDefaut) {
  if (file.isEmpty()) return parDefaut;
  return file.takeFirst();
}

}  // namespace

QString FiltreQt(const QString& filtre) {
  const QStringList morceaux = filtre.split(QLatin1Char('|'));
  if (morceaux.size() < 2) return filtre;
  QStringList choix;
  for (qsizetype i = 0; i + 1 < morceaux.size(); i += 2) {
    // Qt reads the patterns inside the name's parentheses, split at spaces:
    // the name keeps its words, the patterns come from the part after "|".
    QStringList motifs;
    for (QString motif : morceaux[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      motif = motif.trimmed();
      // "*.*" means every file; here it would leave out names without a dot.
      if (motif == QStringLiteral("*.*")) motif = QStringLiteral("*");
      if (!motif.isEmpty() && !motifs.contains(motif)) motifs << motif;
    }
    if (motifs.isEmpty()) continue;
    QString nom = morceaux[i];
    const qsizetype parenthese = nom.indexOf(QLatin1Char('('));
    if (parenthese >= 0) nom.truncate(parenthese);
    nom = nom.trimmed();
    const QString liste = motifs.join(QLatin1Char(' '));
    choix << (nom.isEmpty() ? liste : nom) + QStringLiteral(" (") + liste + QLatin1Char(')');
  }
  if (choix.isEmpty()) return filtre;
  return choix.join(QStringLiteral(";;"));
}

void DialoguesEcran::Information(const QString& texte) {
  if (DialoguesFermes()) {
    std::fprintf(stderr, "%s\n", qPrintable(AvecSauts(texte)));
    return;
  }
  QMessageBox::information(QApplication::activeWindow(), Titre(), AvecSauts(texte));
}

bool DialoguesEcran::Question(const QString& texte) {
  if (DialoguesFermes()) return false;
  return QMessageBox::question(QApplication::activeWindow(), Titre(), AvecSauts(texte),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> DialoguesEcran::FichierAOuvrir(const QString& titre, const QString& dossier,
                                                      const QString& filtre) {
  if (DialoguesFermes()) return std::nullopt;
  const QString choix = QFileDialog::getOpenFileName(QApplication::activeWindow(), titre, dossier, FiltreQt(filtre));
  if (choix.isEmpty()) return std::nullopt;
  return choix;
}

std::optional<QString> DialoguesEcran::FichierAEnregistrer(const QString& titre, const QString& dossier,
                                                           const QString& filtre) {
  // The overwrite question names the whole path: a name alone does not say
  // which of two lists of that name is about to be replaced.
  QString depart = dossier;
  while (!DialoguesFermes()) {
    const QString choix = QFileDialog::getSaveFileName(QApplication::activeWindow(), titre, depart, FiltreQt(filtre),
                                                       nullptr, QFileDialog::DontConfirmOverwrite);
    if (choix.isEmpty()) return std::nullopt;
    if (!QFileInfo::exists(choix) ||
        Question(QStringLiteral("Le fichier \"%1\" existe déjà.\rLe remplacer ?").arg(QDir::toNativeSeparators(choix))))
      return choix;
    depart = choix;
  }
  return std::nullopt;
}

std::optional<QColor> DialoguesEcran::CouleurAChoisir(const QColor& initiale) {
  if (DialoguesFermes()) return std::nullopt;
  const QColor choix = QColorDialog::getColor(initiale, QApplication::activeWindow());
  if (!choix.isValid()) return std::nullopt;
  return choix;
}

std::optional<QString> DialoguesEcran::DossierAChoisir(const QString& titre, const QString& dossier) {
  if (DialoguesFermes()) return std::nullopt;
  const QString choix = QFileDialog::getExistingDirectory(QApplication::activeWindow(), titre, dossier);
  if (choix.isEmpty()) return std::nullopt;
  return choix;
}

std::optional<QString> DialoguesEcran::TexteASaisir(const QString& titre, const QString& invite,
                                                    const QString& initial) {
  if (DialoguesFermes()) return std::nullopt;
  bool ok = false;
  const QString texte =
      QInputDialog::getText(QApplication::activeWindow(), titre, AvecSauts(invite), QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return texte;
}

void DialoguesConsole::Information(const QString& texte) {
  std::fprintf(stderr, "%s\n", qPrintable(AvecSauts(texte)));
}

bool DialoguesConsole::Question(const QString& texte) {
  std::fprintf(stderr, "%s [Non]\n", qPrintable(AvecSauts(texte)));
  return false;
}

void DialoguesScriptes::Information(const QString& texte) { textes << texte; }

bool DialoguesScriptes::Question(const QString& texte) {
  textes << texte;
  return Prendre(reponses, false);
}

std::optional<QString> DialoguesScriptes::FichierAOuvrir(const QString& titre, const QString& dossier,
                                                         const QString&) {
  dialogues << titre;
  departs << dossier;
  return Prendre<std::optional<QString>>(fichiers, std::nullopt);
}

std::optional<QString> DialoguesScriptes::FichierAEnregistrer(const QString& titre, const QString& dossier,
                                                              const QString&) {
  dialogues << titre;
  departs << dossier;
  return Prendre<std::optional<QString>>(fichiers, std::nullopt);
}

std::optional<QColor> DialoguesScriptes::CouleurAChoisir(const QColor&) {
  dialogues << QStringLiteral("Couleur");
  return Prendre<std::optional<QColor>>(couleurs, std::nullopt);
}

std::optional<QString> DialoguesScriptes::DossierAChoisir(const QString& titre, const QString& dossier) {
  dialogues << titre;
  departs << dossier;
  return Prendre<std::optional<QString>>(dossiers, std::nullopt);
}

std::optional<QString> DialoguesScriptes::TexteASaisir(const QString& titre, const QString& invite,
                                                       const QString&) {
  dialogues << titre;
  invites << invite;
  return Prendre<std::optional<QString>>(saisies, std::nullopt);
}

namespace {
bool gDialoguesFermes = false;
}  // namespace

void FermerLesDialogues() {
  gDialoguesFermes = true;
  for (QWidget* fenetre : QApplication::topLevelWidgets())
    if (auto* dialogue = qobject_cast<QDialog*>(fenetre); dialogue && dialogue->isVisible()) dialogue->reject();
}

bool DialoguesFermes() { return gDialoguesFermes; }

}  // namespace plivor
