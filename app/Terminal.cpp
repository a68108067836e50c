#include "app/Terminal.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/LigneDeCommande.h"
#include "core/FichiersListe.h"
#include "montage/Verification.h"

namespace plivor {

namespace {

Texte Ligne(const QString& chemin) { return LigneDepuisHote(chemin.toStdString()).value_or(Texte{}); }

// The list as a line, or nothing when it is no readable file (said, by
// the name the command line gave it).
std::optional<Texte> ListeLisible(const QString& liste, const QString& nommee) {
  const QFileInfo info(liste);
  if (!info.isFile() || !info.isReadable()) {
    std::fprintf(stderr, "Liste illisible : %s\n", qPrintable(nommee));
    return std::nullopt;
  }
  const auto chemin = LigneDepuisHote(info.absoluteFilePath().toStdString());
  if (!chemin) std::fprintf(stderr, "Nom de liste non représentable : %s\n", qPrintable(nommee));
  return chemin;
}

}  // namespace

QString PourTerminal(const Texte& texte) { return TexteEcran(texte).replace(QLatin1Char('\r'), QLatin1Char(' ')); }

void DialoguesTerminal::Information(const QString& texte) {
  if (avantDeDire) avantDeDire();
  textes << texte;
  DialoguesConsole::Information(texte);
}

bool DialoguesTerminal::Question(const QString& texte) {
  if (avantDeDire) avantDeDire();
  textes << texte;
  return DialoguesConsole::Question(texte);
}

MoteursTerminal::MoteursTerminal(const QString& cheminProgramme) {
  const Texte programme = Ligne(cheminProgramme);
  vue = std::make_unique<TFVue>(ServicesVue{fichiers, dialogues, audio, ecran, cadence, bureau, voisins,
                                            DossierDe(programme, fichiers.Style())});
  vue->CheminProgramme = programme;
  registre = std::make_unique<Registre>(reglages.filePath(QStringLiteral("reglages.ini")));
  options = std::make_unique<TFOptions>(*vue, *registre);
  montage = std::make_unique<Montage>(*vue, fichiers);
  voisins.montage = montage.get();
}

int MoteursTerminal::Ouvrir(const QString& liste, const QString& nommee) {
  const auto chemin = ListeLisible(liste, nommee);
  if (!chemin) return 2;
  // Lines no folder can place are read from the list's, as in the montage.
  fichiers.ChangerDossier(SansBarre(DossierDe(*chemin, fichiers.Style())));
  return montage->Ouvrir(*chemin) ? 0 : 2;
}

int VerifierEnTerminal(const Commande& c, const QString& cheminProgramme) {
  MoteursTerminal moteurs(cheminProgramme);
  if (const int code = moteurs.Ouvrir(c.listes.value(0), c.listesDonnees.value(0)); code != 0) return code;
  const Montage& montage = *moteurs.montage;
  const ContexteVerification contexte{moteurs.fichiers, moteurs.vue->TablesEnCours(), montage.DossierListe};
  const auto fautes = FautesDeListe(montage.Lignes(), contexte);
  for (const FauteVerifiee& f : fautes) {
    // The list as the command line named it; a sub-list by its full path.
    const QString liste = f.sousListe.empty() ? c.listesDonnees.value(0)
                                              : QString::fromStdString(moteurs.fichiers.CheminHote(f.sousListe).string());
    std::printf("%s:%d: %s\n", qPrintable(liste), f.ligne + 1, qPrintable(PourTerminal(f.message)));
  }
  std::fflush(stdout);
  if (fautes.empty()) {
    std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("Les ressources sont complètes !")));
    return 0;
  }
  std::fprintf(stderr, "%zu %s\n", fautes.size(), fautes.size() == 1 ? "faute" : "fautes");
  return 1;
}

bool OuvrirDansMontage(TFVue& vue, const QString& liste, const QString& nommee) {
  const auto chemin = ListeLisible(liste, nommee);
  const auto lue = chemin ? LireListe(*chemin, vue.Services().fichiers) : std::nullopt;
  if (!lue) return false;
  // Edits a killed run left, just taken back, are not pushed out for it.
  if (vue.ListeModifiee) {
    std::fprintf(stderr, "Liste %s non chargée : le montage garde les modifications reprises de %s.\n",
                 qPrintable(nommee), qPrintable(PourTerminal(vue.Services().voisins.NomListeMontage())));
    return true;
  }
  const Texte dossier = SansBarre(DossierDe(*chemin, vue.Services().fichiers.Style()));
  vue.Services().fichiers.ChangerDossier(dossier);
  // Handed over as the projection hands its list: the montage reads the
  // file itself, stops the show and shows its window.
  vue.ListeModifiee = false;
  vue.Services().voisins.EditerDansMontage(lue->lignes, *chemin, dossier, 0, false);
  return true;
}

}  // namespace plivor
