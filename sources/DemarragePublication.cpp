// The publication's program and automatic start: the player carried into
// the folder, "Autorun.inf", "Autorun.pvl" and the start script.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/FichiersListe.h"
#include "montage/Montage.h"
#include "montage/Verification.h"
#include "platform/Dialogues.h"
#include "projection/TFVue.h"
#include "sources/OutilsPublication.h"
#include "sources/Publication.h"
#include "sources/Sources.h"

namespace plivor {

using publication::EnClair;
using publication::kStyle;
using publication::Ligne;
using publication::MemeFichier;

namespace {

// A word the shell takes as it stands, whatever it holds.
QString Cite(const QString& mot) {
  QString r = mot;
  r.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
  return QLatin1Char('\'') + r + QLatin1Char('\'');
}

// No player started: the show's video in whatever plays videos here.
QString VideoDeSecours(const QString& video) {
  return QStringLiteral(
             "v=%1\n"
             "if [ -f \"$v\" ]; then\n"
             "  echo \"Aucun lecteur Plivor n'a démarré : ouverture de la vidéo $v.\" >&2\n"
             "  exec xdg-open \"$v\"\n"
             "fi\n")
      .arg(Cite(video));
}

}  // namespace

QString TexteAutorunSh(const QString& programme, const QString& autre, const QString& video) {
  // The carried players first, then those installed on this machine.
  QStringList essais;
  for (const QString& nom : {QStringLiteral("./") + programme, QStringLiteral("./") + autre, programme, autre})
    if (!essais.contains(Cite(nom))) essais << Cite(nom);
  return QStringLiteral(
             "#!/bin/sh\n"
             "# Starts the show of this folder with the player carried beside it,\n"
             "# or with one installed on this machine; options go to the player.\n"
             "# One the system cannot start (126, 127: not runnable, a library\n"
             "# missing) gives way to the next; any other end is the show's.\n"
             "cd \"$(dirname \"$0\")\" || exit 1\n"
             "echoue=\n"
             "for p in %1; do\n"
             "  case \"$p\" in\n"
             "    ./*) [ -f \"$p\" ] && [ -x \"$p\" ] || continue ;;\n"
             "    *) command -v \"$p\" >/dev/null 2>&1 || continue ;;\n"
             "  esac\n"
             "  [ -n \"$echoue\" ] && echo \"Le lecteur $echoue n'a pas pu démarrer : essai de $p.\" >&2\n"
             "  \"$p\" \"$@\" Autorun.pvl\n"
             "  code=$?\n"
             "  case $code in\n"
             "    126 | 127) echoue=$p ;;\n"
             "    *) exit $code ;;\n"
             "  esac\n"
             "done\n"
             "%2"
             "echo \"Plivor est introuvable.\" >&2\n"
             "exit 1\n")
      .arg(essais.join(QLatin1Char(' ')), video.isEmpty() ? QString() : VideoDeSecours(video));
}

QString VideoDeListe(const QString& liste) {
  const QFileInfo infos(liste);
  return infos.absoluteDir().filePath(infos.completeBaseName() + QStringLiteral(".mp4"));
}

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

bool Publication::DemarrageLibre(const Texte& chemin) {
  if (registre_.Libre(chemin)) return registre_.Noter(chemin);
  const QString question = QStringLiteral("Le fichier \"") + EnClair(chemin) +
                           QStringLiteral("\" n'a pas été écrit par une publication.\rLe remplacer ?");
  return vue_.Services().dialogues.Question(question) && registre_.Noter(chemin);
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
  const QString dossier = EnClair(p);
  // The start list is one of the folder's own lists, so that its lines name
  // the folder's copies; a script or a backup is no start list.
  const Texte choisie = Ligne(sources_.Arbre.Chemin(sources_.Fichiers[index]));
  if (!MemeFichier(SansBarre(DossierDe(choisie, kStyle)), p) || Minuscules(Extension(choisie)) != ".pvl") {
    Dire(QStringLiteral("La séquence de démarrage doit être une liste \".pvl\" du dossier de publication\r\"") +
         dossier + QStringLiteral("\" !"));
    return;
  }
  const QString lecteur = QString::fromLatin1(kLecteur);
  const QString programme = rb_Plivor ? EnClair(NomDeFichier(vue_.CheminProgramme)) : lecteur;
  if (!QFileInfo::exists(dossier + QLatin1Char('/') + programme)) {
    Dire(QStringLiteral("Le programme ") + programme + QStringLiteral(" n'est pas présent\rdans le dossier \"") +
         dossier + QStringLiteral("\",\r\rCocher la case \"") +
         (rb_Plivor ? QStringLiteral("Plivor") : QStringLiteral("Prelio")) +
         QStringLiteral("\" et\rCliquer sur l'icône \"Inclure le programme\" pour l'installer !"));
    return;
  }
  FichiersHote& fichiers = vue_.Services().fichiers;
  registre_.Ouvrir(p, fichiers);
  const Texte inf = Joindre(p, "Autorun.inf", kStyle);
  const Texte pvl = Joindre(p, "Autorun.pvl", kStyle);
  const Texte sh = Joindre(p, "autorun.sh", kStyle);
  const Texte bak = Joindre(p, "Autorun.bak", kStyle);
  const auto depart = LireListe(choisie, fichiers);
  // A start list of a former publication stays as "Autorun.bak".
  if (!depart || !DemarrageLibre(inf) || !DemarrageLibre(pvl) || !DemarrageLibre(sh) ||
      (fichiers.FichierExiste(pvl) && !DemarrageLibre(bak))) {
    Dire(QStringLiteral("Echec de la procédure !"));
    return;
  }
  // Windows reads the command line of "open" itself: a name with spaces is quoted.
  const QString ouvrir = programme.contains(QLatin1Char(' ')) ? QLatin1Char('"') + programme + QLatin1Char('"') : programme;
  const Liste lignesInf = {"[autorun]", "icon=Plivor.ico", "open=" + Ligne(ouvrir) + " Autorun.pvl"};
  bool fait = EcrireListe(inf, lignesInf, fichiers);
  fait = EcrireEnGardant(pvl, depart->lignes, bak, fichiers) && fait;
  const QString autre = rb_Plivor ? lecteur : EnClair(NomDeFichier(vue_.CheminProgramme));
  const QString video = QFileInfo(VideoDeListe(EnClair(choisie))).fileName();
  fait = EcrireAutorunSh(programme, autre, QFileInfo::exists(dossier + QLatin1Char('/') + video) ? video : QString()) && fait;
  sources_.DirectoryChange();
  const bool presents = QFileInfo::exists(dossier + QStringLiteral("/Autorun.inf")) &&
                        QFileInfo::exists(dossier + QStringLiteral("/Autorun.pvl"));
  Dire(fait && presents ? QStringLiteral("Fichiers de démarrage installés !") : QStringLiteral("Echec de la procédure !"));
}

// What Linux desktops offer to run from removable media: the player
// carried in the folder, else one installed, on the start sequence.
bool Publication::EcrireAutorunSh(const QString& programme, const QString& autre, const QString& video) {
  FichiersHote& fichiers = vue_.Services().fichiers;
  const Texte chemin = Joindre(DossierPub(), "autorun.sh", kStyle);
  if (!fichiers.EcrireFichier(chemin, TexteAutorunSh(programme, autre, video).toStdString())) return false;
  return QFile::setPermissions(QString::fromStdString(fichiers.CheminHote(chemin).string()),
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                   QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                   QFileDevice::ExeOther);
}

// "Ajouter une vidéo": the published show as a video beside its list, so
// that the folder plays where no player of ours can run.
void Publication::AjouterVideo() {
  if (ListePubliee.empty()) {
    Dire(QStringLiteral("Publier auparavant la séquence !"));
    return;
  }
  if (!exporterVideo_) {
    Dire(QStringLiteral("Export en vidéo impossible depuis cette fenêtre."));
    return;
  }
  const QString liste = EnClair(ListePubliee);
  const QString video = VideoDeListe(liste);
  FichiersHote& fichiers = vue_.Services().fichiers;
  registre_.Ouvrir(DossierPub(), fichiers);
  if (!DemarrageLibre(Ligne(video))) return;
  Occupe = true;
  Etape(QStringLiteral("Vidéo de la séquence"));
  QString raison;
  const bool faite = exporterVideo_(liste, video, raison);
  EnCoursVisible = false;
  Occupe = false;
  sources_.DirectoryChange();
  emit Change();
  Dire(faite ? QStringLiteral("Vidéo ajoutée : ") + QFileInfo(video).fileName()
             : QStringLiteral("L'export en vidéo a échoué.\r") + raison);
  emit Focus();
}

}  // namespace plivor
