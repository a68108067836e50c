#pragma once
// The settings kept between runs, under Orvande/Plivor/Options.

#include <QSettings>
#include <QString>
#include <array>
#include <memory>
#include <optional>

namespace plivor {

inline constexpr int kNombreOptions = 12;

// The values as stored; a string that is absent reads as empty, a boolean
// that is absent as nothing (the control keeps its state).
struct ValeursRegistre {
  QString listeIntro, cheminInitial, tempo, couleurFond, facteurVitesse;
  QString ecranProjection;  // the screen's name; empty for the primary one
  std::array<std::optional<bool>, kNombreOptions> options{};
};

class Registre {
 public:
  // The user's settings of the program.
  Registre();
  // Settings in a file of their own: tests.
  explicit Registre(const QString& fichierIni);
  // The folder that holds the settings (files the program keeps beside them).
  QString Dossier() const;

  bool CleExiste() const;
  ValeursRegistre Lire() const;
  void Ecrire(const ValeursRegistre& valeurs);

  // The settings themselves, for the windows that keep choices of their own.
  QSettings& Reglages() { return *settings_; }

  // The value names, in the order of the option check list.
  static const std::array<const char*, kNombreOptions>& NomsOptions();

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace plivor
