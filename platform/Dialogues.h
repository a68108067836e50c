#pragma once
// The one seam between the program and the person: every message box,
// question and file dialog goes through it, so tests can script answers
// and read the exact texts.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Services.h"

namespace plivor {

class Dialogues : public Messagerie {
 public:
  // Messages of the core arrive in Windows-1252.
  void Message(const Texte& texte) final;

  virtual void Information(const QString& texte) = 0;
  // What must never wait for a click (a show running alone goes on).
  virtual void Avis(const QString& texte) { Information(texte); }
  // A Yes/No question; true for Yes.
  virtual bool Question(const QString& texte) = 0;
  // Open and save dialogs; nothing when cancelled.
  virtual std::optional<QString> FichierAOuvrir(const QString& titre, const QString& dossier,
                                                const QString& filtre) = 0;
  virtual std::optional<QString> FichierAEnregistrer(const QString& titre, const QString& dossier,
                                                     const QString& filtre) = 0;
  // The full-open colour dialog; nothing when cancelled.
  virtual std::optional<QColor> CouleurAChoisir(const QColor& initiale) = 0;
  // Folder choice; nothing when cancelled.
  virtual std::optional<QString> DossierAChoisir(const QString& titre, const QString& dossier) = 0;
  // A one-line input box; nothing when cancelled.
  virtual std::optional<QString> TexteASaisir(const QString& titre, const QString& invite,
                                              const QString& initial) = 0;
};

// Real dialogs on screen.
class DialoguesEcran : public Dialogues {
 public:
  void Information(const QString& texte) override;
  bool Question(const QString& texte) override;
  std::optional<QString> FichierAOuvrir(const QString& titre, const QString& dossier,
                                        const QString& filtre) override;
  std::optional<QString> FichierAEnregistrer(const QString& titre, const QString& dossier,
                                             const QString& filtre) override;
  std::optional<QColor> CouleurAChoisir(const QColor& initiale) override;
  std::optional<QString> DossierAChoisir(const QString& titre, const QString& dossier) override;
  std::optional<QString> TexteASaisir(const QString& titre, const QString& invite, const QString& initial) override;
};

// Without a person: messages go to the error output, questions are
// answered No and dialogs cancelled (headless renders).
class DialoguesConsole : public Dialogues {
 public:
  void Information(const QString& texte) override;
  bool Question(const QString& texte) override;
  std::optional<QString> FichierAOuvrir(const QString&, const QString&, const QString&) override { return {}; }
  std::optional<QString> FichierAEnregistrer(const QString&, const QString&, const QString&) override {
    return {};
  }
  std::optional<QColor> CouleurAChoisir(const QColor&) override { return {}; }
  std::optional<QString> DossierAChoisir(const QString&, const QString&) override { return {}; }
  std::optional<QString> TexteASaisir(const QString&, const QString&, const QString&) override { return {}; }
};

// Scripted answers; every text shown is kept in order.
class DialoguesScriptes : public Dialogues {
 public:
  void Information(const QString& texte) override;
  bool Question(const QString& texte) override;
  std::optional<QString> FichierAOuvrir(const QString& titre, const QString& dossier,
                                        const QString& filtre) override;
  std::optional<QString> FichierAEnregistrer(const QString& titre, const QString& dossier,
                                             const QString& filtre) override;

  std::optional<QColor> CouleurAChoisir(const QColor& initiale) override;
  std::optional<QString> DossierAChoisir(const QString& titre, const QString& dossier) override;
  std::optional<QString> TexteASaisir(const QString& titre, const QString& invite, const QString& initial) override;
  QStringList textes;           // messages and questions, as shown
  QStringList dialogues;        // titles of the file and colour dialogs shown
  QStringList departs;          // where each file or folder dialog started
  QList<bool> reponses;         // answers to the next questions; No when empty
  QList<std::optional<QString>> fichiers;  // answers to the next file dialogs
  QList<std::optional<QColor>> couleurs;   // answers to the next colour dialogs
  QList<std::optional<QString>> dossiers;  // answers to the next folder choices
  QList<std::optional<QString>> saisies;   // answers to the next input boxes
  QStringList invites;                     // prompts of the input boxes shown
};

// Once the program is asked to end (a signal, the session's end), every
// open dialog is closed as cancelled and no new one opens: questions answer
// No, file dialogs give nothing, messages go to the error output.
void FermerLesDialogues();
bool DialoguesFermes();

// Filters are written "Name (*.ext)|*.ext;*.ext2|..." as the program's texts
// give them; the screen dialogs show "Name (*.ext *.ext2)" and match the
// patterns after each "|", whatever the name's parentheses say.
QString FiltreQt(const QString& filtre);

// Windows-1252 text of the core as shown on screen, "\r" as a line break.
QString TexteEcran(const Texte& texte);

}  // namespace plivor
