#include "app/LigneDeCommande.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

namespace plivor {

namespace {

struct Option {
  QString nom;
  QString valeur;  // the value's name in the help; empty for a switch
  QString aide;
  bool plivorSeul;  // not offered by the player
};

const QList<Option>& Options() {
  static const QList<Option> options = {
      {QStringLiteral("help"), {}, QStringLiteral("Affiche cette aide et quitte."), false},
      {QStringLiteral("version"), {}, QStringLiteral("Affiche la version et quitte."), false},
      {QStringLiteral("rendu"), QStringLiteral("DOSSIER"),
       QStringLiteral("Projette sans écran et écrit chaque étape en PNG dans DOSSIER, puis quitte."), true},
      {QStringLiteral("etapes"), QStringLiteral("N"), QStringLiteral("Avec --rendu : N étapes au plus (60 par défaut)."),
       true},
      {QStringLiteral("pendant"), {}, QStringLiteral("Avec --rendu : écrit aussi les images des transitions."), true},
      {QStringLiteral("video"), QStringLiteral("FICHIER.mp4"),
       QStringLiteral("Exporte la séquence en vidéo sans écran, puis quitte ; l'extension choisit le format "
                      "(.mp4, .mkv, .mov, .webm)."),
       true},
      {QStringLiteral("taille"), QStringLiteral("LxH"),
       QStringLiteral("Avec --video : taille des images (1920x1080 par défaut), que la fenêtre remplit. "
                      "Avec --rendu : les étapes dessinées pour une image de cette taille."),
       true},
      {QStringLiteral("materiel"), {},
       QStringLiteral("Avec --video : encode par la carte graphique (VA-API ou NVENC) quand elle le peut, "
                      "sinon par le processeur."),
       true},
      {QStringLiteral("ecran"), {},
       QStringLiteral("Avec --video : tout l'écran tel qu'il se voit, la fenêtre à sa taille, au lieu de la "
                      "fenêtre seule."),
       true},
      {QStringLiteral("ips"), QStringLiteral("N"), QStringLiteral("Avec --video : images par seconde (30 par défaut)."),
       true},
      {QStringLiteral("duree"), QStringLiteral("S"), QStringLiteral("Avec --video : durée de la vidéo en secondes."),
       true},
      {QStringLiteral("verifier"), {},
       QStringLiteral("Vérifie la liste comme « Vérifier la liste » du montage : chaque faute sur la sortie "
                      "standard (liste:LIGNE: message), puis quitte."),
       true},
      {QStringLiteral("publier"), QStringLiteral("DOSSIER"),
       QStringLiteral("Publie la liste dans DOSSIER comme « Assembler les ressources », vérifie la liste "
                      "publiée, puis quitte."),
       true},
      {QStringLiteral("audio"), {}, QStringLiteral("Avec --publier : « Dossier Audio »."), true},
      {QStringLiteral("script"), {}, QStringLiteral("Avec --publier : « Dossier Script »."), true},
      {QStringLiteral("conserver"), {}, QStringLiteral("Avec --publier : « Conserver les sous-listes »."), true},
      {QStringLiteral("programme"), {},
       QStringLiteral("Avec --publier : « Inclure le programme », le lecteur autonome prelio."), true},
      {QStringLiteral("autorun"), {},
       QStringLiteral("Avec --publier : « Créer un fichier Autorun » sur la liste publiée (le programme doit être "
                      "dans DOSSIER)."),
       true},
      {QStringLiteral("nom"), QStringLiteral("NOM"),
       QStringLiteral("Avec --publier : nom de séquence et de sous-dossier (celui de la liste par défaut)."), true},
      {QStringLiteral("ignorer-absents"), {},
       QStringLiteral("Avec --publier ou --video : un fichier absent est passé sans question (« Ignorer les absents ») ; "
                      "--publier garde sa ligne."),
       true},
      {QStringLiteral("montage"), {}, QStringLiteral("Ouvre la liste dans la fenêtre du montage."), true},
      {QStringLiteral("capture"), QStringLiteral("FICHIER"),
       QStringLiteral("Écrit une capture de tout l'écran dans FICHIER, puis quitte."), false},
      {QStringLiteral("apres"), QStringLiteral("MS"),
       QStringLiteral("Avec --capture : délai en millisecondes (3000 par défaut)."), false},
      {QStringLiteral("nouvelle-instance"), {},
       QStringLiteral("Démarre un programme de plus au lieu de confier les listes à celui qui est déjà ouvert."),
       true},
      {QStringLiteral("sans-surveillance"), {},
       QStringLiteral("Projection sans surveillance : les messages deviennent des avis sur la projection et sur la "
                      "sortie d'erreur, un fichier absent est passé."),
       false},
  };
  return options;
}

QString Nom(Executable programme) {
  return programme == Executable::Plivor ? QStringLiteral("plivor") : QStringLiteral("prelio");
}

bool Offerte(const Option& o, Executable programme) { return programme == Executable::Plivor || !o.plivorSeul; }

QString Aide(Executable programme) {
  const bool plivor = programme == Executable::Plivor;
  QString texte = QStringLiteral("Utilisation : %1 [options] [--] [liste.pvl ...]\n").arg(Nom(programme));
  texte += plivor ? QStringLiteral("Projette des séquences Plivor et les compose.\n")
                  : QStringLiteral("Projette des séquences Plivor publiées.\n");
  texte += QStringLiteral(
      "Sans liste, la liste d'introduction des réglages est projetée ; plusieurs listes\n"
      "sont enchaînées, chacune précédée d'un drapeau à son nom.\n\nOptions :\n");
  for (const Option& o : Options()) {
    if (!Offerte(o, programme)) continue;
    QString gauche = (o.nom == QLatin1String("help") ? QStringLiteral("-h, --help") : QStringLiteral("--") + o.nom);
    if (!o.valeur.isEmpty()) gauche += QLatin1Char(' ') + o.valeur;
    texte += QStringLiteral("  ") + gauche.leftJustified(22) + QLatin1Char(' ') + o.aide + QLatin1Char('\n');
  }
  texte += QStringLiteral("  ") + QStringLiteral("--").leftJustified(22) +
           QStringLiteral(" Termine les options : ce qui suit est une liste.\n");
  texte += QStringLiteral(
      "\nEnvironnement :\n"
      "  PLIVOR_REGLAGES=FICHIER  les réglages dans ce fichier au lieu de ceux de l'utilisateur.\n"
      "\nSortie : 0 quand le travail est fait, 1 quand il échoue, 2 pour une ligne de commande incorrecte.\n");
  return texte;
}

Commande Faute(const QString& texte) {
  Commande c;
  c.mode = Commande::Mode::Faute;
  c.texte = texte;
  return c;
}

// The option as the user spelt it, for the messages.
QString Epelee(const QString& nom) { return (nom.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + nom; }

// The option named by an argument, dashes and any "=value" taken away.
QString NomDe(const QString& argument) {
  if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("--")) return {};
  QString nom = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
  return nom.section(QLatin1Char('='), 0, 0);
}

// Why the parser refused the line, in our words.
QString Refus(const QCommandLineParser& lecteur, const QStringList& arguments, Executable programme) {
  const QStringList inconnues = lecteur.unknownOptionNames();
  if (!inconnues.isEmpty()) {
    QStringList epelees;
    for (const QString& nom : inconnues) epelees << Epelee(nom);
    return (epelees.size() == 1 ? QStringLiteral("Option inconnue : ") : QStringLiteral("Options inconnues : ")) +
           epelees.join(QStringLiteral(", "));
  }
  for (qsizetype i = 0; i < arguments.size() && arguments[i] != QLatin1String("--"); ++i) {
    const QString nom = NomDe(arguments[i]);
    for (const Option& o : Options()) {
      if (o.nom != nom || !Offerte(o, programme)) continue;
      if (!o.valeur.isEmpty() && !arguments[i].contains(QLatin1Char('=')) && i + 1 == arguments.size())
        return QStringLiteral("L'option --%1 attend une valeur (%2).").arg(nom, o.valeur);
      if (o.valeur.isEmpty() && arguments[i].contains(QLatin1Char('=')))
        return QStringLiteral("L'option --%1 ne prend pas de valeur.").arg(nom);
    }
  }
  return QStringLiteral("Ligne de commande incorrecte : ") + lecteur.errorText();
}

bool EstListe(const QString& argument) {
  return argument.endsWith(QLatin1String(".pvl"), Qt::CaseInsensitive) ||
         argument.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

// The values of the options; the first unreadable one is the fault.
QString LireValeurs(const QCommandLineParser& l, Commande& c) {
  bool lu = true;
  if (l.isSet(QStringLiteral("etapes"))) {
    const QString v = l.value(QStringLiteral("etapes"));
    c.etapes = v.toInt(&lu);
    if (!lu || c.etapes < 1) return QStringLiteral("Nombre d'étapes illisible : %1 (un entier, 1 au moins).").arg(v);
  }
  if (l.isSet(QStringLiteral("apres"))) {
    const QString v = l.value(QStringLiteral("apres"));
    c.apres = v.toInt(&lu);
    if (!lu || c.apres < 0) return QStringLiteral("Délai de capture illisible : %1 (en millisecondes).").arg(v);
  }
  if (l.isSet(QStringLiteral("taille"))) {
    static const QRegularExpression forme(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QString v = l.value(QStringLiteral("taille"));
    const auto m = forme.match(v);
    if (!m.hasMatch()) return QStringLiteral("Taille de vidéo illisible : %1 (par exemple 1920x1080).").arg(v);
    c.taille = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    c.tailleDonnee = true;
  }
  if (l.isSet(QStringLiteral("ips"))) {
    const QString v = l.value(QStringLiteral("ips"));
    c.ips = v.toInt(&lu);
    if (!lu) return QStringLiteral("Nombre d'images par seconde illisible : %1").arg(v);
  }
  if (l.isSet(QStringLiteral("duree"))) {
    const QString v = l.value(QStringLiteral("duree"));
    c.duree = QString(v).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&lu);
    if (!lu || c.duree <= 0) return QStringLiteral("Durée illisible : %1 (en secondes, plus de 0).").arg(v);
  }
  return {};
}

// Options that belong to one mode only.
QString HorsMode(const QCommandLineParser& l, const Commande& c) {
  const bool publier = c.mode == Commande::Mode::Publier;
  const struct {
    const char* option;
    const char* mode;
    bool permis;
  } liens[] = {
      {"etapes", "rendu", c.mode == Commande::Mode::Rendu},  {"pendant", "rendu", c.mode == Commande::Mode::Rendu},
      {"taille", "video ou --rendu", c.mode == Commande::Mode::Video || c.mode == Commande::Mode::Rendu},
      {"ecran", "video", c.mode == Commande::Mode::Video},
      {"materiel", "video", c.mode == Commande::Mode::Video},  {"ips", "video", c.mode == Commande::Mode::Video},
      {"duree", "video", c.mode == Commande::Mode::Video},   {"apres", "capture", !c.capture.isEmpty()},
      {"audio", "publier", publier},  {"script", "publier", publier},   {"conserver", "publier", publier},
      {"programme", "publier", publier}, {"autorun", "publier", publier}, {"nom", "publier", publier},
      {"ignorer-absents", "publier ou --video", publier || c.mode == Commande::Mode::Video},
  };
  for (const auto& lien : liens)
    if (!lien.permis && l.isSet(QString::fromLatin1(lien.option)))
      return QStringLiteral("L'option --%1 ne vaut qu'avec --%2.")
          .arg(QString::fromLatin1(lien.option), QString::fromLatin1(lien.mode));
  return {};
}

// The modes that replace the projection go one at a time.
QString ChoisirMode(const QCommandLineParser& l, Commande& c) {
  const struct {
    const char* option;
    Commande::Mode mode;
  } modes[] = {{"rendu", Commande::Mode::Rendu},       {"video", Commande::Mode::Video},
               {"verifier", Commande::Mode::Verifier}, {"publier", Commande::Mode::Publier},
               {"montage", Commande::Mode::Montage}};
  QString premiere;
  c.mode = Commande::Mode::Fenetre;
  // With --publier, --video adds the show's video to the publication.
  const bool publier = l.isSet(QStringLiteral("publier"));
  for (const auto& m : modes) {
    if (!l.isSet(QString::fromLatin1(m.option))) continue;
    if (publier && m.mode == Commande::Mode::Video) continue;
    if (!premiere.isEmpty())
      return QStringLiteral("Les options --%1 et --%2 ne vont pas ensemble.").arg(premiere, QString::fromLatin1(m.option));
    premiere = QString::fromLatin1(m.option);
    c.mode = m.mode;
  }
  return {};
}

void LirePublication(const QCommandLineParser& l, Commande& c) {
  if (c.mode != Commande::Mode::Publier) return;
  c.dossierPublication = l.value(QStringLiteral("publier"));
  c.audio = l.isSet(QStringLiteral("audio"));
  c.script = l.isSet(QStringLiteral("script"));
  c.conserver = l.isSet(QStringLiteral("conserver"));
  c.programme = l.isSet(QStringLiteral("programme"));
  c.autorun = l.isSet(QStringLiteral("autorun"));
  c.nom = l.value(QStringLiteral("nom"));
}

// Checking, publishing and editing take exactly one list.
QString UneListe(const Commande& c) {
  const char* option = c.mode == Commande::Mode::Verifier  ? "verifier"
                       : c.mode == Commande::Mode::Publier ? "publier"
                       : c.mode == Commande::Mode::Montage ? "montage"
                                                           : nullptr;
  if (!option) return {};
  if (c.listes.isEmpty()) return QStringLiteral("L'option --%1 attend une liste.").arg(QString::fromLatin1(option));
  if (c.listes.size() > 1)
    return QStringLiteral("L'option --%1 ne prend qu'une liste à la fois.").arg(QString::fromLatin1(option));
  return {};
}

}  // namespace

Commande LireCommande(const QStringList& arguments, Executable programme) {
  QCommandLineParser lecteur;
  lecteur.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const Option& o : Options()) {
    if (!Offerte(o, programme)) continue;
    const QStringList noms = o.nom == QLatin1String("help") ? QStringList{QStringLiteral("h"), o.nom} : QStringList{o.nom};
    lecteur.addOption(QCommandLineOption(noms, o.aide, o.valeur));
  }
  if (!lecteur.parse(QStringList{Nom(programme)} + arguments)) return Faute(Refus(lecteur, arguments, programme));

  Commande c;
  if (lecteur.isSet(QStringLiteral("help"))) {
    c.mode = Commande::Mode::Aide;
    c.texte = Aide(programme);
    return c;
  }
  if (lecteur.isSet(QStringLiteral("version"))) {
    c.mode = Commande::Mode::Version;
    c.texte = (programme == Executable::Plivor ? QStringLiteral("Plivor") : QStringLiteral("Prelio")) +
              QStringLiteral(" 1.1ck\n");
    return c;
  }
  if (const QString faute = ChoisirMode(lecteur, c); !faute.isEmpty()) return Faute(faute);
  const bool rendu = c.mode == Commande::Mode::Rendu, video = c.mode == Commande::Mode::Video;
  const bool terminal = c.mode == Commande::Mode::Verifier || c.mode == Commande::Mode::Publier;
  c.sansSurveillance = lecteur.isSet(QStringLiteral("sans-surveillance"));
  c.nouvelleInstance = lecteur.isSet(QStringLiteral("nouvelle-instance"));
  if (rendu) c.dossierRendu = lecteur.value(QStringLiteral("rendu"));
  if (video) c.sortieVideo = lecteur.value(QStringLiteral("video"));
  if (lecteur.isSet(QStringLiteral("capture"))) {
    if (rendu || video)
      return Faute(QStringLiteral("L'option --capture montre la fenêtre : elle ne va ni avec --rendu ni avec --video."));
    if (terminal)
      return Faute(QStringLiteral("L'option --capture montre la fenêtre : elle ne va pas avec --%1.")
                       .arg(c.mode == Commande::Mode::Verifier ? QStringLiteral("verifier") : QStringLiteral("publier")));
    c.capture = lecteur.value(QStringLiteral("capture"));
  }
  LirePublication(lecteur, c);
  c.ignorerAbsents = lecteur.isSet(QStringLiteral("ignorer-absents"));
  c.ecranEntier = lecteur.isSet(QStringLiteral("ecran"));
  c.materiel = lecteur.isSet(QStringLiteral("materiel"));
  c.pendant = lecteur.isSet(QStringLiteral("pendant"));
  if (const QString faute = HorsMode(lecteur, c); !faute.isEmpty()) return Faute(faute);
  if (const QString faute = LireValeurs(lecteur, c); !faute.isEmpty()) return Faute(faute);

  QStringList positionnels = lecteur.positionalArguments();
  if (c.mode == Commande::Mode::Publier && lecteur.isSet(QStringLiteral("video"))) {
    // The option's value is the list that followed it.
    c.videoPublication = true;
    const QString valeur = lecteur.value(QStringLiteral("video"));
    if (!EstListe(valeur))
      return Faute(QStringLiteral("Avec --publier, --video ne prend pas de nom : la vidéo est <nom>.mp4 à côté de la "
                                  "liste publiée."));
    positionnels.prepend(valeur);
  }
  for (const QString& argument : positionnels) {
    if (!EstListe(argument))
      return Faute(QStringLiteral("« %1 » n'est pas une liste Plivor (.pvl ou .txt).").arg(argument));
    c.listes << QFileInfo(argument).absoluteFilePath();
    c.listesDonnees << argument;
  }
  if (c.listes.isEmpty() && rendu) return Faute(QStringLiteral("Aucune liste à projeter."));
  if (c.listes.isEmpty() && video) return Faute(QStringLiteral("Aucune liste à exporter."));
  if (c.listes.size() > 1 && video) return Faute(QStringLiteral("L'option --video n'exporte qu'une liste à la fois."));
  if (const QString faute = UneListe(c); !faute.isEmpty()) return Faute(faute);
  return c;
}

int RepondreSansFenetre(const Commande& c, Executable programme) {
  switch (c.mode) {
    case Commande::Mode::Aide:
    case Commande::Mode::Version:
      std::fputs(c.texte.toUtf8().constData(), stdout);
      return 0;
    case Commande::Mode::Faute:
      std::fprintf(stderr, "%s\nPour l'aide : %s --help\n", c.texte.toUtf8().constData(),
                   Nom(programme).toUtf8().constData());
      return 2;
    default:
      return -1;
  }
}

QStringList ArgumentsDe(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

}  // namespace plivor
