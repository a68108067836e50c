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
  // Keeps the screen saver off while `inhibee`.
  virtual void InhiberVeille(bool inhibee) = 0;
  // The help file at a topic; a topic without a page opens the contents.
  virtual void OuvrirAide(const QString& fichierAide, int rubrique) = 0;
};

class BureauHote : public Bureau {
 public:
  ~BureauHote() override;
  bool OuvrirDocument(const QString& chemin) override;
  void InhiberVeille(bool inhibee) override;
  void OuvrirAide(const QString& fichierAide, int rubrique) override;

 private:
  quint32 jeton_ = 0;  // of the screen saver's inhibition
  bool inhibee_ = false;
  class VisionneuseAide* visionneuse_ = nullptr;
};

// Records what would have been opened: tests and headless runs.
class BureauEnregistre : public Bureau {
 public:
  bool OuvrirDocument(const QString& chemin) override {
    ouverts << chemin;
    return true;
  }
  void InhiberVeille(bool inhibee) override { veilleInhibee = inhibee; }
  void OuvrirAide(const QString& fichierAide, int rubrique) override {
    aides << QStringLiteral("%1#%2").arg(fichierAide).arg(rubrique);
  }
  QStringList ouverts;
  QStringList aides;
  bool veilleInhibee = false;
};

}  // namespace plivor
