#include "sources/Publication.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <filesystem>

#include "core/Adresses.h"
#include "core/FichiersListe.h"
#include "core/Vocabulaire.h"
#include "montage/Montage.h"
#include "montage/Verification.h"
#include "platform/Dialogues.h"
#include "projection/TFVue.h"
#include "sources/Sources.h"

namespace plivor {

namespace fs = std::filesystem;

namespace {

constexpr StyleChemins kStyle = StyleHote();
constexpr char kMasquePublication[] = "*.pvl;*.pvs;*.bak";
constexpr char kMasqueFermeture[] = "*.jpg;*.wav;*.mp3;*.pvl";

// Keywords of the resource lines that carry a file along.
constexpr int kMenus = 6, kDrapeaux = 7, kSequence = 15, kVignette = 16, kObjetX = 81;

QString EnClair(const Texte& t) { return QString::fromStdString(VersUtf8(t)); }

Texte Ligne(const QString& q) { return VersCp1252(q.toStdString()).value_or(Texte()); }

bool MemeFichier(const Texte& a, const Texte& b) {
  std::error_code e;
  return fs::equivalent(fs::path(VersUtf8(a)), fs::path(VersUtf8(b)), e) && !e;
}

// A line of a list kept in `dossier`, its address made full; absolute
// lines and lines without an address stay as written.
Texte Resolue(const Texte& ligne, const Texte& dossier) {
  const int genre = GenreExtension(ligne);
  if (EstChemin(genre)) return ligne.empty() ? ligne : CheminComplet(ligne, dossier, kStyle);
  if (genre != Genre::Ressource) return ligne;
  const Texte valeur = Valeur(ligne);
  if (valeur.empty()) return ligne;
  return MotCle(ligne) + "=" + CheminComplet(valeur, dossier, kStyle) + ".pvr";
}

// Published lines use "\" so the folder also plays where it is the only separator.
Texte BarresInverses(Texte chemin) {
  std::replace(chemin.begin(), chemin.end(), '/', '\\');
  return chemin;
}

bool EstSonPublie(int genre) { return genre == Genre::Wav || genre == Genre::Midi || genre == Genre::Mp3; }

Texte SansExtension(const Texte& nom) { return nom.size() >= 4 ? nom.substr(0, nom.size() - 4) : Texte(); }

// "photo.jpg", then "photo-2.jpg", "photo-3.jpg"...
Texte Variante(const Texte& nom, int rang) {
  if (rang == 1) return nom;
  const auto point = nom.rfind('.');
  const Texte base = point == Texte::npos ? nom : nom.substr(0, point);
  const Texte ext = point == Texte::npos ? Texte() : nom.substr(point);
  return base + "-" + std::to_string(rang) + ext;
}

// A line of a list kept in `de`, as written by a list kept in `vers`:
// relative with "\" when its file lies under `vers`, else in full.
Texte Rebasee(const Texte& ligne, const Texte& de, const Texte& vers) {
  const auto adresse = [&](const Texte& chemin) {
    const Texte complet = CheminComplet(chemin, de, kStyle);
    const Texte relatif = CheminRelatif(complet, vers, kStyle);
    return EstAbsolu(relatif, kStyle) || relatif.rfind("..", 0) == 0 ? complet : BarresInverses(relatif);
  };
  const int genre = GenreExtension(ligne);
  if (EstChemin(genre) && !ligne.empty()) return adresse(ligne);
  if (genre == Genre::Ressource && !Valeur(ligne).empty()) return MotCle(ligne) + "=" + adresse(Valeur(ligne)) + ".pvr";
  return ligne;
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
  vue_.FichierAide = Joindre(DossierDe(vue_.CheminProgramme, kStyle), "Plivor-S.hlp", kStyle);
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
  vue_.FichierAide = Joindre(DossierDe(vue_.CheminProgramme, kStyle), "Plivor.hlp", kStyle);
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
  if (!QDir().mkpath(dossier) || Ligne(dossier).empty()) {
    Dire(QStringLiteral("Le nom de dossier : \"") + dossier + QStringLiteral("\" est incorrect"));
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
  Occupe = true;
  Etape(QStringLiteral("Création des sous-dossiers"));
  struct FinOccupe {
    Publication& p;
    ~FinOccupe() {
      p.Occupe = false;
      emit p.Change();
    }
  } fin{*this};

  motDrapeau_ = NomMotCle(11, vue_.TablesEnCours());
  Liste lignes = montage.Lignes();
  if (!OptionConserver) {
    // The sub-lists are expanded in a copy: the edited list stays as it is.
    auto deployees = LignesDeployees(lignes, montage.DossierListe, vue_.Services().fichiers,
                                     vue_.Services().dialogues, motDrapeau_);
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

  bool bien = Distribution(ListePrincipale, std::move(lignes));
  while (bien && !file_.empty()) {
    const Texte chemin = file_.front();
    file_.pop_front();
    // A queued list is read as it stands; its relative lines are its own.
    const auto lue = LireListe(chemin, vue_.Services().fichiers);
    if (!lue) {
      Dire(QStringLiteral("Le fichier \"") + EnClair(chemin) + QStringLiteral("\" ne peut pas être lu."));
      bien = false;
      break;
    }
    bien = Distribution(chemin, lue->lignes);
  }
  sources_.DirectoryChange();
  if (!bien) {
    PublicationInterrompue = true;
    Etape(QStringLiteral("Processus interrompu"));
    return false;
  }
  if (vue_.AudioEnCours) vue_.AudioAM(Emetteur::bt_AudioArret);
  ListePubliee = principale;
  vue_.Services().fichiers.ChangerDossier(p);
  EnCoursVisible = false;
  sources_.OuvrirDossier(EnClair(p));
  Occupe = false;
  emit Change();
  Dire(QStringLiteral("Copie des ressources terminée !"));
  emit Focus();
  return true;
}

bool Publication::PreparerDossiers() {
  const Texte p = DossierPub();
  DossierScript = Joindre(p, "Script", kStyle);
  const auto creer = [this](const Texte& dossier) {
    if (QDir().mkpath(EnClair(dossier)) && QFileInfo(EnClair(dossier)).isDir()) return true;
    Dire(QStringLiteral("Le nom de dossier : \"") + EnClair(dossier) + QStringLiteral("\" est incorrect"));
    Etape(QStringLiteral("Processus interrompu"));
    return false;
  };
  if (OptionAudio && !creer(Joindre(p, "Audio", kStyle))) return false;
  if (OptionScript && !creer(DossierScript)) return false;
  return creer(DossierSequence);
}

bool Publication::Distribution(const Texte& chemin, Liste lignes) {
  const Texte p = DossierPub();
  ModeScript = ClasserLigne(chemin, vue_.Services().fichiers) == Genre::Script && OptionScript;
  DossierAudio = ModeScript ? DossierScript : OptionAudio ? Joindre(p, "Audio", kStyle) : DossierSequence;
  Etape(QStringLiteral("Copie de ") + EnClair(NomDeFichier(chemin)));
  const Texte dossierListe = SansBarre(DossierDe(chemin, kStyle));
  // What this list will copy, so the bar moves with the bytes.
  for (const Texte& ligne : lignes)
    if (const auto fichier = FichierCopie(Resolue(ligne, dossierListe)))
      total_ += qint64(vue_.Services().fichiers.TailleFichier(*fichier).value_or(0));
  emit Progression(copies_, total_);
  if (!PremierePasse(lignes, chemin, dossierListe)) return false;
  SecondePasse(lignes);
  // The main list is known under the sequence name, a queued one under its own.
  return Sauver(Joindre(p, listesPubliees_[chemin], kStyle), lignes);
}

bool Publication::PremierePasse(Liste& lignes, const Texte& chemin, const Texte& dossierListe) {
  for (Texte& ligne : lignes) {
    const Texte resolue = Resolue(ligne, dossierListe);
    const int genre = ClasserLigne(resolue, vue_.Services().fichiers);
    if (genre == Genre::Inconnu || genre == Genre::Absent) {
      Dire(QStringLiteral("Le fichier  \"") + EnClair(ligne) + QStringLiteral("\"\rde la liste \"") + EnClair(chemin) +
           QStringLiteral("\"\rest absent ou déplacé !\r\rLa publication a été interrompue !"));
      return false;
    }
    const auto nouvelle = Rediger(ligne, resolue, genre);
    if (!nouvelle) return false;
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

std::optional<Texte> Publication::Rediger(const Texte& ligne, const Texte& resolue, int genre) {
  if (EstImage(genre) && genre != Genre::Metafichier)
    return Media(resolue, ModeScript ? DossierScript : DossierSequence, Montrer::Image);
  if (EstSonPublie(genre)) return Media(resolue, DossierAudio, Montrer::Son);
  if (genre == Genre::SousListe || genre == Genre::Script) return NomDansPublication(resolue);
  if (genre != Genre::Ressource) return ligne;
  const Texte mot = MotCle(resolue);
  const Texte valeur = Valeur(resolue);
  const int code = CodeMotCle(mot, vue_.TablesEnCours());
  if (code == kMenus || code == kDrapeaux) {
    const auto cible = Media(valeur, DossierPub(), Montrer::Rien);
    if (!cible) return std::nullopt;
    return mot + "=" + NomDeFichier(*cible) + ".pvr";
  }
  if (code == kSequence) return mot + "=" + NomDansPublication(valeur) + ".pvr";
  if (code == kVignette || code == kObjetX) {
    const auto cible = Media(valeur, DossierSequence, Montrer::Rien);
    if (!cible) return std::nullopt;
    return mot + "=" + *cible + ".pvr";
  }
  return ligne;
}

std::optional<Texte> Publication::Media(const Texte& source, const Texte& dossier, Montrer montrer) {
  const Texte cible = Place(source, dossier, false);
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
  if (!Copier(source, cible)) return std::nullopt;
  // The sound just copied is heard from its start.
  if (montre && montrer == Montrer::Son) vue_.AudioAM(Emetteur::bt_Debut);
  return cible;
}

Texte Publication::NomDansPublication(const Texte& source) {
  const auto connue = listesPubliees_.find(source);
  if (connue != listesPubliees_.end()) return connue->second;
  const Texte nom = NomDeFichier(Place(source, DossierPub(), true));
  listesPubliees_[source] = nom;
  file_.push_back(source);
  return nom;
}

Texte Publication::Place(const Texte& source, const Texte& dossier, bool liste) {
  const Texte nom = NomDeFichier(source);
  for (int rang = 1;; ++rang) {
    const Texte candidat = Joindre(dossier, Variante(nom, rang), kStyle);
    const auto prise = places_.find(candidat);
    if (prise != places_.end()) {
      if (prise->second == source) return candidat;
      continue;
    }
    // A list is never written over its own original.
    if (liste && MemeFichier(candidat, source)) continue;
    places_[candidat] = source;
    return candidat;
  }
}

bool Publication::Copier(const Texte& source, const Texte& cible) {
  FichiersHote& fichiers = vue_.Services().fichiers;
  const auto taille = fichiers.TailleFichier(source);
  if (MemeFichier(source, cible)) {
    copies_ += qint64(taille.value_or(0));
    emit Progression(copies_, total_);
    return true;
  }
  // A copy already made of this very file is kept; one whose source has
  // changed since is replaced.
  if (fichiers.FichierExiste(cible) && fichiers.TailleFichier(cible) == taille &&
      fichiers.DateFichier(cible) == fichiers.DateFichier(source)) {
    copies_ += qint64(taille.value_or(0));
    emit Progression(copies_, total_);
    return true;
  }
  const QString de = QString::fromStdString(fichiers.CheminHote(source).string());
  const QString vers = QString::fromStdString(fichiers.CheminHote(cible).string());
  const bool fait = CopierFichierVerifie(de, vers, [this](qint64 n) {
    copies_ += n;
    emit Progression(copies_, total_);
  });
  if (fait) return true;
  if (!QFileInfo(de).isReadable())
    Dire(QStringLiteral("Ne peut ouvrir le fichier ") + de);
  else
    Dire(QStringLiteral("Ne peut créer le fichier ") + vers);
  return false;
}

bool Publication::ApercuPermis() {
  if (IntervalleApercu <= 0) return false;
  if (depuisApercu_.isValid() && depuisApercu_.elapsed() < IntervalleApercu) return false;
  depuisApercu_.start();
  return true;
}

void Publication::SecondePasse(Liste& lignes) {
  const Texte base = Joindre(DossierPub(), "", kStyle);
  for (Texte& ligne : lignes) {
    const int genre = GenreExtension(ligne);
    const bool chemin = EstImage(genre) || EstSonPublie(genre) || genre == Genre::SousListe || genre == Genre::Script;
    const bool ressource = genre == Genre::Ressource && EstAbsolu(Valeur(ligne), kStyle);
    // Bare names and instructions are already what they must be.
    if (!(chemin && EstAbsolu(ligne, kStyle)) && !ressource) continue;
    const Texte relative = AdresseRelative(base, ligne, vue_.Services().fichiers, vue_.Services().dialogues);
    ligne = relative == kExterieur || relative == kExterieurAccent ? relative : BarresInverses(relative);
  }
}

bool Publication::Sauver(const Texte& cible, const Liste& lignes) {
  FichiersHote& fichiers = vue_.Services().fichiers;
  if (!GarderAncienneVersion(cible, fichiers) || !EcrireListe(cible, lignes, fichiers)) {
    Dire(QStringLiteral("Impossible d'écrire le fichier \"") + EnClair(cible) + QStringLiteral("\"."));
    return false;
  }
  return true;
}

// ---- The program and the automatic start.

void Publication::InclureProgramme() {
  const Texte p = DossierPub();
  if (p.empty()) {
    Dire(QStringLiteral("Sélectionner auparavant un dossier de publication !"));
    return;
  }
  if (!installation_) {
    Dire(QStringLiteral("Copie du programme impossible depuis cette fenêtre."));
    return;
  }
  Occupe = true;
  Etape(QStringLiteral("Copie des ressources"));
  const JeuFichiers jeu = rb_Plivor ? JeuFichiers::Programme : JeuFichiers::Lecteur;
  const bool fait = installation_->CopierProgramme(EnClair(p), jeu);
  vue_.Services().fichiers.ChangerDossier(p);
  EnCoursVisible = false;
  Occupe = false;
  sources_.OuvrirDossier(EnClair(p));
  emit Change();
  const QString programme = rb_Plivor ? EnClair(NomDeFichier(vue_.CheminProgramme)) : QString::fromLatin1(kLecteur);
  // Only a copy that went through is reported done.
  if (fait && QFileInfo::exists(EnClair(p) + QLatin1Char('/') + programme)) Dire(QStringLiteral("Installation terminée !"));
  emit Focus();
}

void Publication::Autorun() {
  const Texte p = DossierPub();
  if (p.empty()) {
    Dire(QStringLiteral("Sélectionner auparavent un dossier de publication !"));
    return;
  }
  int choisis = 0, index = -1;
  for (int i = 0; i < sources_.Fichiers.size(); ++i)
    if (sources_.Choisi(i)) ++choisis, index = i;
  if (choisis != 1) {
    Dire(QStringLiteral("Sélectionner auparavent une séquence\rdans la liste ci-dessous,\rqui deviendra la "
                        "séquence de démarrage !"));
    return;
  }
  const QString lecteur = QString::fromLatin1(kLecteur);
  const QString programme = rb_Plivor ? EnClair(NomDeFichier(vue_.CheminProgramme)) : lecteur;
  const QString dossier = EnClair(p);
  if (!QFileInfo::exists(dossier + QLatin1Char('/') + programme)) {
    Dire(QStringLiteral("Le programme ") + programme + QStringLiteral(" n'est pas présent\rdans le dossier \"") +
         dossier + QStringLiteral("\",\r\rCocher la case \"") +
         (rb_Plivor ? QStringLiteral("Plivor") : QStringLiteral("Prelio")) +
         QStringLiteral("\" et\rCliquer sur l'icône \"Inclure le programme\" pour l'installer !"));
    return;
  }
  FichiersHote& fichiers = vue_.Services().fichiers;
  // Lists of their own: the user's clipboard is left alone.
  const Liste inf = {"[autorun]", "icon=Plivor.ico", "open=" + Ligne(programme) + " Autorun.pvl"};
  const Texte choisie = Ligne(sources_.Arbre.Chemin(sources_.Fichiers[index]));
  auto depart = LireListe(choisie, fichiers);
  // A list chosen in another folder keeps naming its files from the start list's place.
  const Texte dossierChoisi = SansBarre(DossierDe(choisie, kStyle));
  if (depart && !MemeFichier(dossierChoisi, p))
    for (Texte& ligne : depart->lignes) ligne = Rebasee(ligne, dossierChoisi, p);
  bool fait = EcrireListe(Joindre(p, "Autorun.inf", kStyle), inf, fichiers);
  fait = depart && EcrireListe(Joindre(p, "Autorun.pvl", kStyle), depart->lignes, fichiers) && fait;
  const QString autre = rb_Plivor ? lecteur : EnClair(NomDeFichier(vue_.CheminProgramme));
  fait = EcrireAutorunSh(programme, autre) && fait;
  sources_.DirectoryChange();
  const bool presents = QFileInfo::exists(dossier + QStringLiteral("/Autorun.inf")) &&
                        QFileInfo::exists(dossier + QStringLiteral("/Autorun.pvl"));
  Dire(fait && presents ? QStringLiteral("Fichiers de démarrage installés !") : QStringLiteral("Echec de la procédure !"));
}

// What Linux desktops offer to run from removable media: the player
// carried in the folder, else one installed, on the start sequence.
bool Publication::EcrireAutorunSh(const QString& programme, const QString& autre) {
  const QString texte = QStringLiteral(
                            "#!/bin/sh\n"
                            "# Starts the show of this folder with the player carried beside it,\n"
                            "# or with one installed on this machine; options go to the player.\n"
                            "cd \"$(dirname \"$0\")\" || exit 1\n"
                            "for p in ./%1 ./%2; do\n"
                            "  [ -x \"$p\" ] && exec \"$p\" \"$@\" Autorun.pvl\n"
                            "done\n"
                            "for p in %1 %2; do\n"
                            "  command -v \"$p\" >/dev/null 2>&1 && exec \"$p\" \"$@\" Autorun.pvl\n"
                            "done\n"
                            "echo \"Plivor est introuvable.\" >&2\n"
                            "exit 1\n")
                            .arg(programme, autre);
  QSaveFile f(EnClair(DossierPub()) + QStringLiteral("/autorun.sh"));
  if (!f.open(QIODevice::WriteOnly)) return false;
  const QByteArray octets = texte.toUtf8();
  if (f.write(octets) != octets.size()) {
    f.cancelWriting();
    return false;
  }
  if (!f.commit()) return false;
  return QFile::setPermissions(f.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                 QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                 QFileDevice::ExeOther);
}

}  // namespace plivor
