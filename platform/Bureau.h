#pragma once
// The desktop shell: documents opened with their own program.

#include <QString>
#include <QStringList>

namespace plivor {

class Bureau {
 public:
  virtual ~Bureau() = default;
  // Opens a document with the program the desktop associates with it.
  virtual bool OuvrirDocument(const QString& chemin) = 0;
};

class BureauHote : public Bureau {
 public:
  bool OuvrirDocument(const QString& chemin) override;
};

// Records what would have been opened: tests and headless runs.
class BureauEnregistre : public Bureau {
 public:
  bool OuvrirDocument(const QString& chemin) override {
    ouverts << chemin;
    return true;
  }
  QStringList ouverts;
};

}  // namespace plivor
