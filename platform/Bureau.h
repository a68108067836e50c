#pragma once
// The desktop shell: documents opened with their own program.

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

namespace plivor {

// What decides whether a file named by an object line may be handed to the
// desktop: its names (the link's and its target's) and its first bytes.
struct ApercuObjet {
  QString nom;        // the file name as the list gives it
  QString nomCible;   // the name at the end of its links
  bool dossier = false;
  bool executable = false;  // an execute permission bit
  QByteArray debut;         // its first bytes
};

// Why an object is not handed to the desktop, or empty: the desktop's
// "open" may run programs, launchers and scripts, and a list of ours opens
// another Plivor, which may open the list again.
QString RefusObjet(const ApercuObjet& objet);
// The file as RefusObjet judges it.
ApercuObjet ExaminerObjet(const QString& chemin);

class Bureau {
 public:
  virtual ~Bureau() = default;
  struct Remise {
    bool ouvert = false;
    bool refuse = false;
    QString message;  // why, the first time the file is refused only
  };
  // An object of a list, handed over only when it is a document.
  Remise RemettreObjet(const QString& chemin);
  // Opens a document with the program the desktop associates with it.
  virtual bool OuvrirDocument(const QString& chemin) = 0;
  // Keeps the screen saver off while `inhibee`.
  virtual void InhiberVeille(bool inhibee) = 0;
  // The help file at a topic; a topic without a page opens the contents.
  virtual void OuvrirAide(const QString& fichierAide, int rubrique) = 0;

 private:
  QSet<QString> refuses_;
};

class Dialogues;

class BureauHote : public Bureau {
 public:
  // `dialogues` says what cannot be opened.
  explicit BureauHote(Dialogues& dialogues) : dialogues_(dialogues) {}
  ~BureauHote() override;
  bool OuvrirDocument(const QString& chemin) override;
  void InhiberVeille(bool inhibee) override;
  void OuvrirAide(const QString& fichierAide, int rubrique) override;

 private:
  Dialogues& dialogues_;
  quint32 jeton_ = 0;  // of the screen saver's inhibition
  QString demandePortail_;  // or the portal's request that holds it
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
