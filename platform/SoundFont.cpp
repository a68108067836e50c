#include "platform/SoundFont.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <fluidsynth.h>

namespace plivor {

namespace {

// The default FluidSynth was built with, if it names one.
QString DefautFluidSynth() {
  fluid_settings_t* reglages = new_fluid_settings();
  if (!reglages) return {};
  char* defaut = nullptr;
  QString chemin;
  if (fluid_settings_getstr_default(reglages, "synth.default-soundfont", &defaut) == FLUID_OK && defaut)
    chemin = QString::fromLocal8Bit(defaut);
  delete_fluid_settings(reglages);
  return chemin;
}

}  // namespace

QStringList PlacesSoundFont(const QString& dossierProgramme) {
  QStringList places;
  if (!dossierProgramme.isEmpty()) places << dossierProgramme + QStringLiteral("/lib/TimGM6mb.sf2");
  places << QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2") << QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2")
         << QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2") << QStringLiteral("/usr/share/soundfonts/default.sf2");
  const QString fluid = DefautFluidSynth();
  if (!fluid.isEmpty() && !places.contains(fluid)) places << fluid;
  return places;
}

QString SoundFontParDefaut(const QString& dossierProgramme) {
  const QStringList places = PlacesSoundFont(dossierProgramme);
  for (const QString& p : places)
    if (QFileInfo(p).isFile()) return p;
  return places.value(dossierProgramme.isEmpty() ? 0 : 1);
}

}  // namespace plivor
