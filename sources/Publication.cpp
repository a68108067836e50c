#include "sources/Publication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <unistd.h>
#include <cstring>
#include <filesystem>

#include "core/Adresses.h"
#include "core/FichiersListe.h"
#include "core/Resolution.h"
#include "core/Vocabulaire.h"
#include "montage/Montage.h"
#include "montage/Verification.h"
#include "platform/Dialogues.h"
#include "platform/Enregistrement.h"
#include "projection/TFVue.h"
#include "sources/CopiePublication.h"
#include "sources/OutilsPublication.h"
#include "sources/Sources.h"

namespace plivor {

namespace fs = std::filesystem;

namespace {

using publication::EnClair;
using publication::kStyle;
using publication::Ligne;
using publication::MemeFichier;

constexpr char kMasquePublication[] = "*.pvl;*.pvs;*.bak";
constexpr char kMasqueFermeture[] = "*.jpg;*.wav;*.mp3;*.pvl";

// Keywords of the resource lines that carry a file along.
constexpr int kMenus = 6, kDrapeaux = 7, kSequence = 15, kVignette = 16, kObjetX = 81;

// Published lines use "\" so the folder also plays where it is the only separator.
Texte BarresInverses(Texte chemin) {
  std::replace(chemin.begin(), chemin.end(), '/', '\\');
  return chemin;
}

bool EstSonPublie(int genre) { return EstFichierSon(genre); }

Texte SansExtension(const Texte& nom) { return nom.size() >= 4 ? nom.substr(0, nom.size() - 4) : Texte(); }

// "photo.jpg", then "photo-2.jpg", "photo-3.jpg"...
Texte Variante(const Texte& nom, int rang) {
  if (rang == 1) return nom;
  const auto point = nom.rfind('.');
  const Texte base = point == Texte::npos ? nom : nom.substr(0, point);
  const Texte ext = point == Texte::npos ? Texte() : nom.substr(point);
  return base + "-" + std::to_string(rang) + ext;
}

// Characters a FAT or NTFS disk refuses in a name.
constexpr char kInterditsFat[] = "\"*?<>|:";

// A copied file's name as such disks accept it.
Texte NomPortable(Texte nom) {
  for (char& c : nom)
    if (std::strchr(kInterditsFat, c) || static_cast<unsigned char>(c) < 32) c = '_';
  return nom;
}

// A folder and its parents made; the errno of the step that failed, or 0.
int CreerDossier(const QString& dossier) {
  std::error_code erreur;
  std::filesystem::create_directories(QFile::encodeName(dossier).toStdString(), erreur);
  if (erreur) return erreur.value();
  return QFileInfo(dossier).isDir() ? 0 : ENOTDIR;
}

// Why a folder could not be made, said as the name being wrong only when it is.
QString DossierImpossible(const QString& dossier, int erreur) {
  return QStringLiteral("Impossible de créer le dossier \"") + dossier + QStringLiteral("\" : ") +
         QString::fromStdString(CauseEchec(erreur)) + QLatin1Char('.');
}

}  // namespace

std::optional<QString> NomRefuse(const QString& nom) {
  const QString n = nom.trimmed();
  if (n.isEmpty()) return QStringLiteral("Nom vide : donner un nom de séquence ou de dossier !");
  if (n == QLatin1String(".") || n == QLatin1String("..") || n.contains(QLatin1Char('/')) ||
      n.contains(QLatin1Char('\\')) || n.startsWith(QLatin1Char('~')))
    return QStringLiteral("Le nom \"") + nom +
           QStringLiteral("\" sortirait du dossier de publication !\rUn nom de dossier simple, sans \"/\", "
                          "\"\\\" ni \"..\", est attendu.");
  for (const char c : std::string_view(kInterditsFat))
    if (n.contains(QLatin1Char(c)))
      return QStringLiteral("Le nom \"") + nom +
             QStringLiteral("\" contient un caractère qu'un disque FAT ou NTFS refuse : \" * ? < > | :\r"
                            "Choisir un nom sans ces caractères.");
  if (!VersCp1252(n.toStdString())) return QStringLiteral("Le nom \"") + nom + QStringLiteral("\" n'est pas représentable.");
  return std::nullopt;
}

Publication::Publication(Sources& sources, QObject* parent)
    : QObject(parent), sources_(sources), vue_(sources.Vue()) {}

void Publication::DefinirInstallation(Installation* installation) {
  if (installation_) disconnect(installation_, nullptr, this, nullptr);
  installation_ = installation;
  // The program's copy moves the same bar.
  if (installation_) connect(installation_, &Installation::Progression, this, &Publication::Progression);
}

void Publication::Aide() {
  vue_.FichierAide = Joindre(vue_.DossierFichiersProgramme, "Plivor-S.hlp", kStyle);
  vue_.Services().bureau.OuvrirAide(EnClair(vue_.FichierAide), 5000);
}

Montage& Publication::Moteur() { return sources_.Moteur(); }

Texte Publication::DossierPub() const {
  Texte p = sources_.Moteur().DossierPublication;
  while (p.size() > 1 && EstSeparateur(p.back())) p.pop_back();
  return p;
}

void Publication::Dire(const QString& texte) { vue_.Services().dialogues.Information(texte); }

void Publication::Etape(const QString& texte) {
  Pub_trEnCours = texte;
  EnCoursVisible = true;
  emit Change();
}

// ---- Opening and closing.

void Publication::Publier() {
  Montage& montage = Moteur();
  vue_.ModePublication = true;
  Texte nom = montage.NomListe;
  if (!EstAbsolu(nom, kStyle) && !montage.DossierListe.empty()) nom = Joindre(montage.DossierListe, nom, kStyle);
  Pub_NomListe = EnClair(SansExtension(NomDeFichier(nom)));
  Ouvert = true;
  if (!DossierPub().empty()) Pub_dossier = EnClair(DossierPub());
  sources_.ChoisirMasque(QString::fromLatin1(kMasquePublication));
  if (!DossierPub().empty()) sources_.OuvrirDossier(EnClair(DossierPub()));
  emit Change();
}

void Publication::Refermer() {
  EnCoursVisible = false;
  Ouvert = false;
  vue_.ModePublication = false;
  emit Change();
  sources_.ChoisirMasque(QString::fromLatin1(kMasqueFermeture));
  // Hides the window, gives the montage its folder and its import button back.
  sources_.FermerSource();
  vue_.FichierAide = Joindre(vue_.DossierFichiersProgramme, "Plivor.hlp", kStyle);
}

void Publication::PubClick(BoutonPublication bouton) {
  switch (bouton) {
    case BoutonPublication::Pub_btRefermer: Refermer(); break;
    case BoutonPublication::Pub_btDossier: ValiderDossier(); break;
    case BoutonPublication::Pub_btCharger: Charger(); break;
    case BoutonPublication::Pub_btNouveau: Nouveau(); break;
    case BoutonPublication::Pub_btValider: Assembler(); break;
    case BoutonPublication::Pub_Plivor: InclureProgramme(); break;
    case BoutonPublication::Pub_btAutorun: Autorun(); break;
    case BoutonPublication::Pub_btVideo: AjouterVideo(); break;
  }
}

// ---- The publication folder.

void Publication::ValiderDossier() {
  const Texte dossier = Ligne(sources_.Arbre.Dossier());
  if (dossier.empty()) return;
  Moteur().DossierPublication = dossier;
  Pub_dossier = EnClair(dossier);
  emit Change();
}

void Publication::Nouveau() {
  const QString courant = sources_.Arbre.Dossier();
  const auto reponse = vue_.Services().dialogues.TexteASaisir(
      QStringLiteral("Création d'un nouveau dossier"), QStringLiteral("Nom du dossier à créer dans ") + courant,
      QString());
  if (!reponse || reponse->trimmed().isEmpty()) {
    Pub_dossier = QStringLiteral("Dossier non créé");
    emit Change();
    return;
  }
  if (const auto refus = NomRefuse(*reponse)) {
    Dire(*refus);
    Pub_dossier = QStringLiteral("Dossier non créé");
    emit Change();
    return;
  }
  QString base = courant;
  while (base.size() > 1 && base.endsWith(QLatin1Char('/'))) base.chop(1);
  const QString dossier = (base == QLatin1String("/") ? base : base + QLatin1Char('/')) + reponse->trimmed();
  const int erreur = Ligne(dossier).empty() ? 0 : CreerDossier(dossier);
  if (Ligne(dossier).empty() || erreur != 0) {
    Dire(erreur != 0 ? DossierImpossible(dossier, erreur)
                     : QStringLiteral("Le nom de dossier : \"") + dossier + QStringLiteral("\" est incorrect"));
    Pub_dossier = QStringLiteral("Dossier non créé");
    emit Change();
    return;
  }
  Moteur().DossierPublication = Ligne(dossier);
  Pub_dossier = dossier;
  sources_.OuvrirDossier(dossier);
  emit Change();
}

void Publication::Charger() {
  if (Moteur().ChargerListe()) Pub_NomListe = EnClair(SansExtension(NomDeFichier(Moteur().NomListe)));
  emit Change();
  emit Focus();
}

// ---- Assembly.

bool Publication::Assembler() {
  Montage& montage = Moteur();
  const Texte p = DossierPub();
  if (p.empty()) {
    Dire(QStringLiteral("Valider auparavant un dossier de publication !"));
    return false;
  }
  if (montage.NomListe.find(".pvl") == Texte::npos || vue_.ListeModifiee) {
    Dire(QStringLiteral("La liste en cours \"") + EnClair(montage.NomListe) +
         QStringLiteral("\"\rdoit être sauvegardée avant publication"));
    return false;
  }
  if (const auto refus = NomRefuse(Pub_NomListe)) {
    Dire(*refus);
    return false;
  }
  const Texte nom = Ligne(Pub_NomListe.trimmed());
  const Texte principale = Joindre(p, nom + ".pvl", kStyle);
  ListePrincipale = CheminComplet(montage.NomListe, montage.DossierListe, kStyle);
  if (MemeFichier(principale, ListePrincipale)) {
    Dire(QStringLiteral("La liste publiée \"") + EnClair(principale) +
         QStringLiteral("\" remplacerait la liste en cours !\rChoisir un autre nom de séquence ou un autre dossier."));
    return false;
  }
  FichiersHote& fichiers = vue_.Services().fichiers;
  registre_.Ouvrir(p, fichiers);
  if (!PrincipaleLibre(principale)) return false;
  Occupe = true;
  Etape(QStringLiteral("Création des sous-dossiers"));
  // Copies not yet in place when the assembly stops go with it.
  struct FinOccupe {
    Publication& p;
    ~FinOccupe() {
      p.AbandonnerEnAttente();
      p.Occupe = false;
      emit p.Change();
    }
  } fin{*this};

  motDrapeau_ = NomMotCle(11, vue_.TablesEnCours());
  const Texte dossierListe = SansBarre(DossierDe(ListePrincipale, kStyle));
  Liste lignes = montage.Lignes();
  if (!OptionConserver) {
    // The sub-lists are expanded in a copy: the edited list stays as it is.
    const ContexteDeploiement contexte{fichiers, vue_.Services().dialogues, vue_.IgnorerAbsents, motDrapeau_, nullptr};
    auto deployees = LignesDeployees(lignes, dossierListe, contexte);
    if (!deployees) {
      Etape(QStringLiteral("Processus interrompu"));
      return false;
    }
    lignes = std::move(*deployees);
  }
  DossierSequence = Joindre(p, nom, kStyle);
  if (!PreparerDossiers()) return false;
  vue_.CodeDiapo = 470;

  file_.clear();
  places_.clear();
  listesPubliees_.clear();
  copies_ = total_ = 0;
  PublicationInterrompue = false;
  ListePubliee.clear();
  places_[principale] = ListePrincipale;
  listesPubliees_[ListePrincipale] = nom + ".pvl";
  emit Progression(0, 0);

  bool bien = Distribution({ListePrincipale, dossierListe}, std::move(lignes), true);
  while (bien && !file_.empty()) {
    const EnAttente liste = file_.front();
    file_.pop_front();
    const auto lue = LireListe(liste.chemin, fichiers);
    if (!lue) Dire(QStringLiteral("Le fichier \"") + EnClair(liste.chemin) + QStringLiteral("\" ne peut pas être lu."));
    bien = lue && Distribution(liste, lue->lignes, false);
  }
  sources_.DirectoryChange();
  if (!bien) {
    PublicationInterrompue = true;
    Etape(QStringLiteral("Processus interrompu"));
    return false;
  }
  if (vue_.AudioEnCours) vue_.AudioAM(Emetteur::bt_AudioArret);
  ListePubliee = principale;
  fichiers.ChangerDossier(p);
  EnCoursVisible = false;
  sources_.OuvrirDossier(EnClair(p));
  Occupe = false;
  emit Change();
  Dire(QStringLiteral("Copie des ressources terminée !"));
  emit Focus();
  return true;
}

bool Publication::PrincipaleLibre(const Texte& principale) {
  if (registre_.Libre(principale)) return true;
  const QString question = QStringLiteral("Le fichier \"") + EnClair(principale) +
                           QStringLiteral("\" n'a pas été écrit par une publication.\rLe remplacer ? "
                                          "(il est gardé en \".bak\")");
  if (vue_.Services().dialogues.Question(question)) return registre_.Noter(principale);
  Etape(QStringLiteral("Processus interrompu"));
  return false;
}

bool Publication::PreparerDossiers() {
  const Texte p = DossierPub();
  DossierScript = Joindre(p, "Script", kStyle);
  const auto creer = [this](const Texte& dossier) {
    const int erreur = CreerDossier(EnClair(dossier));
    if (erreur == 0) {
      // Copies a killed publication left half made.
      RetirerCopiesInterrompues(EnClair(dossier));
      return true;
    }
    Dire(DossierImpossible(EnClair(dossier), erreur));
    Etape(QStringLiteral("Processus interrompu"));
    return false;
  };
  if (!creer(p)) return false;
  if (OptionAudio && !creer(Joindre(p, "Audio", kStyle))) return false;
  if (OptionScript && !creer(DossierScript)) return false;
  return creer(DossierSequence);
}

bool Publication::Distribution(const EnAttente& liste, Liste lignes, bool principale) {
  const Texte p = DossierPub();
  FichiersHote& fichiers = vue_.Services().fichiers;
  ModeScript = ClasserLigne(liste.chemin, fichiers) == Genre::Script && OptionScript;
  DossierAudio = ModeScript ? DossierScript : OptionAudio ? Joindre(p, "Audio", kStyle) : DossierSequence;
  Etape(QStringLiteral("Copie de ") + EnClair(NomDeFichier(liste.chemin)));
  // The projected list's own lines resolve from its folder alone.
  const Texte dossierListe = principale ? Texte() : SansBarre(DossierDe(liste.chemin, kStyle));
  // What this list will copy, so the bar moves with the bytes.
  for (const Texte& ligne : lignes)
    if (const auto fichier = FichierCopie(Resoudre(ligne, liste.dossierProjection, dossierListe, fichiers).ligne))
      total_ += qint64(fichiers.TailleFichier(*fichier).value_or(0));
  emit Progression(copies_, total_);
  std::vector<bool> laissees(lignes.size(), false);
  // The second pass reads the copies where they are to be.
  if (!PremierePasse(lignes, liste, dossierListe, laissees) || !MettreEnPlace()) return false;
  SecondePasse(lignes, laissees);
  // The main list is known under the sequence name, a queued one under its own.
  return Sauver(Joindre(p, listesPubliees_[liste.chemin], kStyle), lignes);
}

bool Publication::SansFichier(const Texte& raison) {
  return ContinuerSansFichier(vue_.Services().dialogues, vue_.IgnorerAbsents, raison);
}

bool Publication::PremierePasse(Liste& lignes, const EnAttente& liste, const Texte& dossierListe,
                                std::vector<bool>& laissees) {
  FichiersHote& fichiers = vue_.Services().fichiers;
  for (size_t i = 0; i < lignes.size(); ++i) {
    Texte& ligne = lignes[i];
    const LigneResolue resolue = Resoudre(ligne, liste.dossierProjection, dossierListe, fichiers);
    const int genre = ClasserLigne(resolue.ligne, fichiers);
    const Texte absent = Texte("Le fichier  \"") + ligne + "\"\r" + "de la liste \"" + liste.chemin + "\"\r" +
                         Cp("est absent ou déplacé !");
    if (genre == Genre::Inconnu) {
      Dire(EnClair(absent) + QStringLiteral("\r\rLa publication a été interrompue !"));
      return false;
    }
    // A missing file's line is kept as it stands.
    if (genre == Genre::Absent) {
      if (!SansFichier(absent)) return false;
      laissees[i] = true;
      continue;
    }
    bool laissee = false;
    const auto nouvelle = Rediger(ligne, resolue.ligne, genre, liste, laissee);
    if (!nouvelle) return false;
    laissees[i] = laissee;
    ligne = *nouvelle;
  }
  return true;
}

std::optional<Texte> Publication::FichierCopie(const Texte& resolue) const {
  const int genre = GenreExtension(resolue);
  if ((EstImage(genre) && genre != Genre::Metafichier) || EstSonPublie(genre)) return resolue;
  if (genre != Genre::Ressource) return std::nullopt;
  const int code = CodeMotCle(MotCle(resolue), vue_.TablesEnCours());
  if (code == kMenus || code == kDrapeaux || code == kVignette || code == kObjetX) return Valeur(resolue);
  return std::nullopt;
}

std::optional<Texte> Publication::Rediger(const Texte& ligne, const Texte& resolue, int genre, const EnAttente& liste,
                                          bool& laissee) {
  Texte cible;
  const auto selon = [&](Issue issue, const Texte& copiee) -> std::optional<Texte> {
    if (issue == Issue::Arret) return std::nullopt;
    laissee = issue == Issue::Laissee;
    return laissee ? ligne : copiee;
  };
  if (EstImage(genre) && genre != Genre::Metafichier) {
    const Issue issue = Media(resolue, ModeScript ? DossierScript : DossierSequence, Montrer::Image, cible);
    return selon(issue, cible);
  }
  if (EstSonPublie(genre)) return selon(Media(resolue, DossierAudio, Montrer::Son, cible), cible);
  if (genre == Genre::SousListe || genre == Genre::Script)
    return selon(NomDansPublication(resolue, liste.dossierProjection, cible), cible);
  if (genre != Genre::Ressource) return ligne;
  const Texte mot = MotCle(resolue);
  const Texte valeur = Valeur(resolue);
  const int code = CodeMotCle(mot, vue_.TablesEnCours());
  if (code == kMenus || code == kDrapeaux) {
    const Issue issue = Media(valeur, DossierPub(), Montrer::Rien, cible);
    return selon(issue, mot + "=" + NomDeFichier(cible) + ".pvr");
  }
  if (code == kSequence) {
    // A replacement sequence is projected by itself: its lines resolve from its own folder.
    const Issue issue = NomDansPublication(valeur, SansBarre(DossierDe(valeur, kStyle)), cible);
    return selon(issue, mot + "=" + cible + ".pvr");
  }
  if (code == kVignette || code == kObjetX) {
    const Issue issue = Media(valeur, DossierSequence, Montrer::Rien, cible);
    return selon(issue, mot + "=" + cible + ".pvr");
  }
  return ligne;
}

Publication::Issue Publication::Media(const Texte& source, const Texte& dossier, Montrer montrer, Texte& cible) {
  // A link is followed only to a file of its own kind: a picture's name
  // never carries some other file of the machine along.
  std::error_code e;
  const fs::path hote = vue_.Services().fichiers.CheminHote(source);
  if (fs::is_symlink(fs::symlink_status(hote, e))) {
    const fs::path mene = fs::canonical(hote, e);
    const auto meneTexte = LigneDepuisHote(mene);
    if (e || !fs::is_regular_file(mene, e) || !meneTexte || GenreExtension(*meneTexte) != GenreExtension(source))
      return SansFichier(Texte("Le fichier \"") + source + Cp("\" est un lien qui ne mène pas à un fichier de son genre."))
                 ? Issue::Laissee
                 : Issue::Arret;
  }
  cible = Place(source, dossier, false);
  const bool montre = montrer != Montrer::Rien && ApercuPermis();
  if (montre && montrer == Montrer::Image) {
    vue_.CodeDiapo = 470;
    vue_.CodeTransition = 0;
    vue_.Charger(source);
    vue_.Transitions();
  } else if (montre) {
    if (vue_.AudioEnCours) vue_.AudioAM(Emetteur::bt_AudioArret);
    vue_.Charger(source);
  }
  const Issue issue = Copier(source, cible);
  // The sound just copied is heard from its start.
  if (issue == Issue::Copiee && montre && montrer == Montrer::Son) vue_.AudioAM(Emetteur::bt_Debut);
  return issue;
}

Publication::Issue Publication::NomDansPublication(const Texte& source, const Texte& dossierProjection, Texte& nom) {
  const auto connue = listesPubliees_.find(source);
  if (connue != listesPubliees_.end()) {
    nom = connue->second;
    return Issue::Copiee;
  }
  if (!LireListe(source, vue_.Services().fichiers))
    return SansFichier(Texte("Le fichier \"") + source + Cp("\" ne peut pas être lu.")) ? Issue::Laissee : Issue::Arret;
  nom = NomDeFichier(Place(source, DossierPub(), true));
  listesPubliees_[source] = nom;
  file_.push_back({source, dossierProjection});
  return Issue::Copiee;
}

Texte Publication::Place(const Texte& source, const Texte& dossier, bool liste) {
  const Texte nom = NomPortable(NomDeFichier(source));
  for (int rang = 1;; ++rang) {
    const Texte candidat = Joindre(dossier, Variante(nom, rang), kStyle);
    const auto prise = places_.find(candidat);
    if (prise != places_.end()) {
      if (prise->second == source) return candidat;
      continue;
    }
    const bool original = MemeFichier(candidat, source);
    // A list is never written over its own original; a user's file of
    // that name is kept and the copy takes another.
    if (liste && original) continue;
    if (!original && !registre_.Libre(candidat)) continue;
    places_[candidat] = source;
    return candidat;
  }
}

Texte Publication::BakLibre(const Texte& cible) const {
  for (int rang = 0;; ++rang) {
    const Texte bak = NomBak(cible, rang);
    if (registre_.Libre(bak)) return bak;
  }
}

Publication::Issue Publication::Copier(const Texte& source, const Texte& cible) {
  FichiersHote& fichiers = vue_.Services().fichiers;
  const auto taille = fichiers.TailleFichier(source);
  const auto dejaLa = [&] {
    copies_ += qint64(taille.value_or(0));
    emit Progression(copies_, total_);
    return Issue::Copiee;
  };
  if (MemeFichier(source, cible)) return dejaLa();
  // A copy already made of this very file is kept; one whose source has
  // changed since is replaced (only ever one of the publication's own).
  const QString de = QString::fromStdString(fichiers.CheminHote(source).string());
  const QString vers = QString::fromStdString(fichiers.CheminHote(cible).string());
  const bool existe = fichiers.FichierExiste(cible);
  if (existe && CopieAJour(de, vers)) return dejaLa();
  if (std::any_of(enAttente_.begin(), enAttente_.end(), [&](const CopieEnAttente& c) { return c.cible == cible; }))
    return dejaLa();
  errno = 0;
  QByteArray temporaire;
  const IssueCopie issue = PreparerCopie(de, vers, temporaire, [this](qint64 n) {
    copies_ += n;
    emit Progression(copies_, total_);
  });
  if (issue == IssueCopie::Faite) {
    enAttente_.push_back({temporaire, cible, vers, existe});
    octetsEnAttente_ += qint64(taille.value_or(0));
    if (enAttente_.size() < kCopiesParLot && octetsEnAttente_ < kOctetsParLot) return Issue::Copiee;
    return MettreEnPlace() ? Issue::Copiee : Issue::Arret;
  }
  return EchecCopie(issue, source, de, vers);
}

bool Publication::MettreEnPlace() {
  if (enAttente_.empty()) return true;
  // Recorded before they take their names, all in one save of the record,
  // so that a run killed in between still knows them as its own.
  std::vector<Texte> cibles;
  for (const CopieEnAttente& c : enAttente_) cibles.push_back(c.cible);
  if (!registre_.NoterTous(cibles)) {
    Dire(QStringLiteral("Impossible d'écrire dans le dossier \"") + EnClair(DossierPub()) + QStringLiteral("\"."));
    AbandonnerEnAttente();
    return false;
  }
  while (!enAttente_.empty()) {
    const CopieEnAttente c = enAttente_.front();
    enAttente_.erase(enAttente_.begin());
    errno = 0;
    const IssueCopie issue = PlacerCopie(c.temporaire, c.vers, c.remplacer);
    if (issue != IssueCopie::Faite) {
      EchecCopie(issue, c.cible, c.vers, c.vers);
      AbandonnerEnAttente();
      return false;
    }
  }
  octetsEnAttente_ = 0;
  return true;
}

void Publication::AbandonnerEnAttente() {
  for (const CopieEnAttente& c : enAttente_) ::unlink(c.temporaire.constData());
  enAttente_.clear();
  octetsEnAttente_ = 0;
}

Publication::Issue Publication::EchecCopie(IssueCopie issue, const Texte& source, const QString& de,
                                           const QString& vers) {
  const int erreur = errno;
  switch (issue) {
    case IssueCopie::Faite: return Issue::Copiee;
    case IssueCopie::SourceIllisible:
      return SansFichier(Texte("Le fichier \"") + source + Cp("\" ne peut pas être lu.")) ? Issue::Laissee
                                                                                           : Issue::Arret;
    case IssueCopie::SourceChangee:
      Dire(QStringLiteral("Le fichier ") + de + QStringLiteral(" a changé pendant sa copie : la copie est abandonnée."));
      return Issue::Arret;
    case IssueCopie::CibleOccupee:
      Dire(QStringLiteral("Ne peut créer le fichier ") + vers +
           QStringLiteral(" : un autre fichier a pris sa place pendant la copie."));
      return Issue::Arret;
    case IssueCopie::CibleImpossible:
      Dire(QStringLiteral("Ne peut créer le fichier ") + vers + QStringLiteral(" : ") +
           (erreur != 0 ? QString::fromStdString(CauseEchec(erreur)) : QStringLiteral("disque plein ou protégé ?")) +
           QLatin1Char('.'));
      return Issue::Arret;
  }
  return Issue::Arret;
}

bool Publication::ApercuPermis() {
  if (IntervalleApercu <= 0) return false;
  if (depuisApercu_.isValid() && depuisApercu_.elapsed() < IntervalleApercu) return false;
  depuisApercu_.start();
  return true;
}

void Publication::SecondePasse(Liste& lignes, const std::vector<bool>& laissees) {
  const Texte base = Joindre(DossierPub(), "", kStyle);
  FichiersHote& fichiers = vue_.Services().fichiers;
  for (size_t i = 0; i < lignes.size(); ++i) {
    Texte& ligne = lignes[i];
    if (laissees[i]) continue;
    const int genre = GenreExtension(ligne);
    const bool chemin = EstImage(genre) || EstSonPublie(genre) || genre == Genre::SousListe || genre == Genre::Script;
    const bool ressource = genre == Genre::Ressource && EstAbsolu(Valeur(ligne), kStyle);
    // Bare names and instructions are already what they must be; a
    // missing file's line stays as it was written.
    if (!(chemin && EstAbsolu(ligne, kStyle)) && !ressource) continue;
    const Texte relative = AdresseRelative(base, ligne, fichiers, vue_.Services().dialogues);
    ligne = relative == kExterieur || relative == kExterieurAccent ? relative : BarresInverses(relative);
  }
}

bool Publication::Sauver(const Texte& cible, const Liste& lignes) {
  FichiersHote& fichiers = vue_.Services().fichiers;
  // The new list is written whole before the former one is given up; the
  // former one stays as its ".bak".
  if (!MettreEnPlace()) return false;
  const Texte bak = BakLibre(cible);
  // The copies its lines name reach the disk before the list does.
  if (const int erreur = ViderSurDisque(QFile::encodeName(EnClair(DossierDe(cible, kStyle))).toStdString())) {
    Dire(QStringLiteral("Impossible d'écrire le fichier \"") + EnClair(cible) + QStringLiteral("\" : ") +
         QString::fromStdString(CauseEchec(erreur)) + QLatin1Char('.'));
    return false;
  }
  if (!registre_.Noter(cible) || (fichiers.FichierExiste(cible) && !registre_.Noter(bak)) ||
      !EcrireEnGardant(cible, lignes, bak, fichiers)) {
    Dire(QStringLiteral("Impossible d'écrire le fichier \"") + EnClair(cible) + QStringLiteral("\"."));
    return false;
  }
  return true;
}

}  // namespace plivor
