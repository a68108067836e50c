#include "platform/DialoguesSurveilles.h"

#include <cstdio>

namespace plivor {

void DialoguesSurveilles::Avis(const QString& texte) {
  if (avis)
    avis(texte);
  else
    std::fprintf(stderr, "%s\n", qPrintable(QString(texte).replace(QLatin1Char('\r'), QLatin1Char(' '))));
}

void DialoguesSurveilles::Information(const QString& texte) {
  if (sansSurveillance && sansSurveillance()) {
    Avis(texte);
    return;
  }
  // The same message already waiting for its click is not opened again.
  if (textesOuverts_.contains(texte)) return;
  textesOuverts_ << texte;
  Pendant([&] {
    personne_.Information(texte);
    return 0;
  });
  textesOuverts_.removeOne(texte);
}

bool DialoguesSurveilles::Question(const QString& texte) {
  if (textesOuverts_.contains(texte)) return false;
  textesOuverts_ << texte;
  const bool oui = Pendant([&] { return personne_.Question(texte); });
  textesOuverts_.removeOne(texte);
  return oui;
}

std::optional<QString> DialoguesSurveilles::FichierAOuvrir(const QString& titre, const QString& dossier,
                                                           const QString& filtre) {
  return Pendant([&] { return personne_.FichierAOuvrir(titre, dossier, filtre); });
}

std::optional<QString> DialoguesSurveilles::FichierAEnregistrer(const QString& titre, const QString& dossier,
                                                                const QString& filtre) {
  return Pendant([&] { return personne_.FichierAEnregistrer(titre, dossier, filtre); });
}

std::optional<QColor> DialoguesSurveilles::CouleurAChoisir(const QColor& initiale) {
  return Pendant([&] { return personne_.CouleurAChoisir(initiale); });
}

std::optional<QString> DialoguesSurveilles::DossierAChoisir(const QString& titre, const QString& dossier) {
  return Pendant([&] { return personne_.DossierAChoisir(titre, dossier); });
}

std::optional<QString> DialoguesSurveilles::TexteASaisir(const QString& titre, const QString& invite,
                                                         const QString& initial) {
  return Pendant([&] { return personne_.TexteASaisir(titre, invite, initial); });
}

}  // namespace plivor
