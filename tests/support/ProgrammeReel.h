#pragma once
// The environment the real program runs in for the tests that start it on
// a virtual X server: the X platform, a silent sound device, settings in a
// file of the test's own.

#include <QProcessEnvironment>
#include <QString>

namespace plivor::test {

inline QProcessEnvironment EnvironnementReel(const QString& reglages) {
  QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
  environnement.remove(QStringLiteral("QT_QPA_PLATFORM"));
  environnement.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
  environnement.insert(QStringLiteral("PLIVOR_REGLAGES"), reglages);
  return environnement;
}

}  // namespace plivor::test
