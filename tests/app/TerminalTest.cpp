// Checking and publishing a list from the command line, with the real
// program on generated shows: the exact lines of --verifier, the published
// tree and lists byte for byte, the questions answered No, the exit codes.

#include <QStandardPaths>
#include <gtest/gtest.h>

#include "app/BancTerminal.h"

namespace {

using plivor::test::Bilan;

class Terminal : public testing::Test, public plivor::test::BancTerminal {
 protected:
  Terminal() {
    // A show in "show", a sub-list in "sous" whose lines are written both
    // ways: from its own folder, and from the show's folder as the
    // projection reads them.
    Image(QStringLiteral("show/rouge.jpg"), Qt::red);
    Image(QStringLiteral("sous/bleu.jpg"), Qt::blue);
    Image(QStringLiteral("sous/vert.jpg"), Qt::green);
    Ecrire(QStringLiteral("show/chant.mp3"), QByteArray("ID3\x03\0\0\0\0\0\0mp3", 13));
    Liste(QStringLiteral("sous/intro.pvl"), {"bleu.jpg", "..\\sous\\vert.jpg", "perdu.jpg"});
    Liste(QStringLiteral("sous/propre.pvl"), {"bleu.jpg", "../sous/vert.jpg"});
    Liste(QStringLiteral("show/liste.pvl"), {"Tempo=1500.pvi", "rouge.jpg", "manque.jpg", "Bidule=Truc.pvi",
                                             "..\\sous\\intro.pvl", "notes.qqq", "../sous/effets.pvs", "Avance=Stop.pvi"});
    Liste(QStringLiteral("sous/effets.pvs"), {"Tempo=800.pvi", "disparu.jpg"});
    // A file of no kind the program knows.
    Ecrire(QStringLiteral("show/notes.qqq"), "notes");
    Liste(QStringLiteral("show/spectacle.pvl"),
          {"Tempo=1500.pvi", "rouge.jpg", "..\\sous\\propre.pvl", "chant.mp3", "Avance=Stop.pvi"});
    Liste(QStringLiteral("show/trou.pvl"), {"rouge.jpg", "manque.jpg", "Avance=Stop.pvi"});
  }
  // The published tree, the publication's own record of its files apart.
  std::map<QString, QByteArray> Publie(const QString& nom) const {
    auto arbre = Arbre(nom);
    arbre.erase(QStringLiteral(".plivor-publication"));
    return arbre;
  }
  static QString Fin(const char* texte) { return QString::fromUtf8(texte) + QStringLiteral("\nPour l'aide : plivor --help\n"); }
};

TEST_F(Terminal, VerifierNommeChaqueFauteAvecSaListeEtSaLigne) {
  const Bilan fautes = Plivor({QStringLiteral("--verifier"), QStringLiteral("show/liste.pvl")});
  ASSERT_TRUE(fautes.fini);
  EXPECT_EQ(fautes.code, 1) << fautes.erreurs.toStdString();
  // Every line, not only the first fault; the sub-list's own fault under
  // its own path and line.
  EXPECT_EQ(fautes.sortie.toStdString(),
            "show/liste.pvl:3: F I C H I E R   A B S E N T\n"
            "show/liste.pvl:4: INSTRUCTION NON RECONNUE\n" +
                Chemin(QStringLiteral("sous/intro.pvl")).toStdString() +
                ":3: F I C H I E R   A B S E N T\n"
                "show/liste.pvl:6: LIGNE NON RECONNUE\n" +
                Chemin(QStringLiteral("sous/effets.pvs")).toStdString() + ":2: F I C H I E R   A B S E N T\n");
  EXPECT_TRUE(fautes.erreurs.endsWith(QStringLiteral("5 fautes\n"))) << fautes.erreurs.toStdString();

  // The path as the command line gave it.
  const Bilan absolu = Plivor({QStringLiteral("--verifier"), Chemin(QStringLiteral("show/liste.pvl"))});
  EXPECT_EQ(absolu.code, 1);
  EXPECT_TRUE(absolu.sortie.startsWith(Chemin(QStringLiteral("show/liste.pvl")) + QStringLiteral(":3: F I C H I E R")))
      << absolu.sortie.toStdString();

  // A clean list, its sub-list found both ways: nothing on the output.
  const Bilan propre = Plivor({QStringLiteral("--verifier"), QStringLiteral("show/spectacle.pvl")});
  EXPECT_EQ(propre.code, 0) << propre.sortie.toStdString();
  EXPECT_EQ(propre.sortie, QString());
  EXPECT_TRUE(propre.erreurs.endsWith(QStringLiteral("Les ressources sont complètes !\n")));

  const Bilan absente = Plivor({QStringLiteral("--verifier"), QStringLiteral("show/absente.pvl")});
  EXPECT_EQ(absente.code, 2);
  EXPECT_EQ(absente.sortie, QString());
  EXPECT_TRUE(absente.erreurs.endsWith(QStringLiteral("Liste illisible : show/absente.pvl\n")));
}

TEST_F(Terminal, PublierDonneLArbreEtLesListesDuPanneau) {
  const Bilan bilan = Plivor({QStringLiteral("--publier"), QStringLiteral("pub"), QStringLiteral("--audio"),
                              QStringLiteral("show/spectacle.pvl")});
  ASSERT_TRUE(bilan.fini);
  EXPECT_EQ(bilan.code, 0) << bilan.erreurs.toStdString();
  EXPECT_EQ(bilan.sortie, Chemin(QStringLiteral("pub/spectacle.pvl")) + QLatin1Char('\n'));
  // The sub-list deployed in the main list, the sound in "Audio".
  const std::map<QString, QByteArray> attendu = {
      {"spectacle.pvl", Crlf({"Tempo=1500.pvi", "spectacle\\rouge.jpg", "Drapeau=propre.pvd", "spectacle\\bleu.jpg",
                              "spectacle\\vert.jpg", "Audio\\chant.mp3", "Avance=Stop.pvi"})},
      {"spectacle/rouge.jpg", Lire(QStringLiteral("show/rouge.jpg"))},
      {"spectacle/bleu.jpg", Lire(QStringLiteral("sous/bleu.jpg"))},
      {"spectacle/vert.jpg", Lire(QStringLiteral("sous/vert.jpg"))},
      {"Audio/chant.mp3", Lire(QStringLiteral("show/chant.mp3"))},
  };
  EXPECT_EQ(Publie(QStringLiteral("pub")), attendu);
  // The progress line ends before the last word.
  EXPECT_TRUE(bilan.erreurs.contains(QStringLiteral("Copie : 100 %"))) << bilan.erreurs.toStdString();
  EXPECT_TRUE(bilan.erreurs.endsWith(QStringLiteral("\nCopie des ressources terminée !\n"))) << bilan.erreurs.toStdString();

  // Sub-lists kept, a name of its own.
  const Bilan garde = Plivor({QStringLiteral("--publier"), QStringLiteral("pub2"), QStringLiteral("--conserver"),
                              QStringLiteral("--nom"), QStringLiteral("Salle"), QStringLiteral("show/spectacle.pvl")});
  EXPECT_EQ(garde.code, 0) << garde.erreurs.toStdString();
  const std::map<QString, QByteArray> conserve = {
      {"Salle.pvl", Crlf({"Tempo=1500.pvi", "Salle\\rouge.jpg", "propre.pvl", "Salle\\chant.mp3", "Avance=Stop.pvi"})},
      {"propre.pvl", Crlf({"Salle\\bleu.jpg", "Salle\\vert.jpg"})},
      {"Salle/rouge.jpg", Lire(QStringLiteral("show/rouge.jpg"))},
      {"Salle/bleu.jpg", Lire(QStringLiteral("sous/bleu.jpg"))},
      {"Salle/vert.jpg", Lire(QStringLiteral("sous/vert.jpg"))},
      {"Salle/chant.mp3", Lire(QStringLiteral("show/chant.mp3"))},
  };
  EXPECT_EQ(Publie(QStringLiteral("pub2")), conserve);
  // The originals as they were.
  EXPECT_EQ(Lire(QStringLiteral("show/spectacle.pvl")),
            Crlf({"Tempo=1500.pvi", "rouge.jpg", "..\\sous\\propre.pvl", "chant.mp3", "Avance=Stop.pvi"}));
  EXPECT_FALSE(QFileInfo::exists(Chemin(QStringLiteral("reglages/reglages.ini"))));
}

TEST_F(Terminal, SurUnTerminalLaProgressionSeRedessineSurSaLigne) {
  const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
  if (script.isEmpty()) GTEST_SKIP() << "script (util-linux) absent";
  // The program's error output on a terminal of its own.
  QProcess p;
  p.setProcessEnvironment(Environnement());
  p.setWorkingDirectory(dossier.path());
  p.start(script, {QStringLiteral("-qec"),
                   QStringLiteral("'%1' --publier pub show/spectacle.pvl").arg(QStringLiteral(PLIVOR_PROGRAMME)),
                   QStringLiteral("/dev/null")});
  ASSERT_TRUE(p.waitForFinished(120000));
  EXPECT_EQ(p.exitCode(), 0);
  const QString dit = QString::fromUtf8(p.readAllStandardOutput());
  // Each step over the last one, then the line ended before the message.
  EXPECT_TRUE(dit.startsWith(QStringLiteral("\rCopie :   0 %  (0,0 ko / "))) << dit.toStdString();
  EXPECT_TRUE(dit.contains(QStringLiteral("\033[K\rCopie : 100 %  ("))) << dit.toStdString();
  EXPECT_TRUE(dit.contains(QStringLiteral("\033[K\r\nCopie des ressources terminée !\r\n"))) << dit.toStdString();
}

TEST_F(Terminal, UneQuestionDuPanneauEstDiteEtReponduNon) {
  const Bilan trou = Plivor({QStringLiteral("--publier"), QStringLiteral("pub"), QStringLiteral("show/trou.pvl")});
  ASSERT_TRUE(trou.fini);
  EXPECT_EQ(trou.code, 1);
  EXPECT_EQ(trou.sortie, QString());
  EXPECT_TRUE(trou.erreurs.contains(QStringLiteral("Le fichier  \"manque.jpg\"\nde la liste \"") +
                                    Chemin(QStringLiteral("show/trou.pvl")) +
                                    QStringLiteral("\"\nest absent ou déplacé !\nContinuer sans ce fichier ? [Non]\n")))
      << trou.erreurs.toStdString();
  EXPECT_EQ(Lire(QStringLiteral("pub/trou.pvl")), QByteArray("<absent>"));

  // "Ignorer les absents": the file passed, its line kept as written.
  const Bilan ignore = Plivor({QStringLiteral("--publier"), QStringLiteral("pub"), QStringLiteral("--ignorer-absents"),
                               QStringLiteral("show/trou.pvl")});
  EXPECT_EQ(ignore.code, 0) << ignore.erreurs.toStdString();
  EXPECT_FALSE(ignore.erreurs.contains(QStringLiteral("Continuer sans ce fichier")));
  const std::map<QString, QByteArray> attendu = {
      {"trou.pvl", Crlf({"trou\\rouge.jpg", "manque.jpg", "Avance=Stop.pvi"})},
      {"trou/rouge.jpg", Lire(QStringLiteral("show/rouge.jpg"))},
  };
  EXPECT_EQ(Publie(QStringLiteral("pub")), attendu);
  // The published list checked as the panel does: the line kept is said.
  EXPECT_TRUE(ignore.erreurs.endsWith(Chemin(QStringLiteral("pub/trou.pvl")) + QStringLiteral(":2: F I C H I E R   A B S E N T\n")))
      << ignore.erreurs.toStdString();

  // A line the publication keeps as it stands, and the check refuses.
  Liste(QStringLiteral("show/faute.pvl"), {"rouge.jpg", "Bidule=Truc.pvi"});
  const Bilan faute = Plivor({QStringLiteral("--publier"), QStringLiteral("pub"), QStringLiteral("show/faute.pvl")});
  EXPECT_EQ(faute.code, 1);
  EXPECT_EQ(faute.sortie, QString());
  EXPECT_TRUE(faute.erreurs.endsWith(QStringLiteral("Copie des ressources terminée !\n") +
                                     Chemin(QStringLiteral("pub/faute.pvl")) + QStringLiteral(":2: INSTRUCTION NON RECONNUE\n")))
      << faute.erreurs.toStdString();
  EXPECT_EQ(Lire(QStringLiteral("pub/faute.pvl")), Crlf({"faute\\rouge.jpg", "Bidule=Truc.pvi"}));

  // A list of the user's under the published name is not replaced.
  Ecrire(QStringLiteral("autre/spectacle.pvl"), "mienne\r\n");
  const Bilan occupe = Plivor({QStringLiteral("--publier"), QStringLiteral("autre"), QStringLiteral("show/spectacle.pvl")});
  EXPECT_EQ(occupe.code, 1);
  EXPECT_TRUE(occupe.erreurs.contains(QStringLiteral("Le fichier \"") + Chemin(QStringLiteral("autre/spectacle.pvl")) +
                                      QStringLiteral("\" n'a pas été écrit par une publication.\nLe remplacer ? "
                                                     "(il est gardé en \".bak\") [Non]\n")))
      << occupe.erreurs.toStdString();
  EXPECT_EQ(Lire(QStringLiteral("autre/spectacle.pvl")), QByteArray("mienne\r\n"));
}

TEST_F(Terminal, LeProgrammeEtLeDemarrageAutomatique) {
  const Bilan bilan = Plivor({QStringLiteral("--publier"), QStringLiteral("cd"), QStringLiteral("--programme"),
                              QStringLiteral("--autorun"), QStringLiteral("show/spectacle.pvl")});
  ASSERT_TRUE(bilan.fini);
  EXPECT_EQ(bilan.code, 0) << bilan.erreurs.toStdString();
  const auto publie = Publie(QStringLiteral("cd"));
  // The carried player when the build made one (portable/), else the build's own.
  const QDir dossier = QFileInfo(QStringLiteral(PLIVOR_PROGRAMME)).dir();
  const QString emporte = dossier.filePath(QStringLiteral("portable/prelio"));
  QFile lecteur(QFileInfo::exists(emporte) ? emporte : dossier.filePath(QStringLiteral("prelio")));
  ASSERT_TRUE(lecteur.open(QIODevice::ReadOnly));
  ASSERT_TRUE(publie.count(QStringLiteral("prelio")));
  EXPECT_TRUE(publie.at(QStringLiteral("prelio")) == lecteur.readAll());
  EXPECT_TRUE(QFileInfo(Chemin(QStringLiteral("cd/prelio"))).isExecutable());
  EXPECT_EQ(publie.at(QStringLiteral("Autorun.inf")), QByteArray("[autorun]\r\nicon=Plivor.ico\r\nopen=prelio Autorun.pvl\r\n"));
  EXPECT_EQ(publie.at(QStringLiteral("Autorun.pvl")), publie.at(QStringLiteral("spectacle.pvl")));
  EXPECT_TRUE(QFileInfo(Chemin(QStringLiteral("cd/autorun.sh"))).isExecutable());
  EXPECT_TRUE(bilan.erreurs.endsWith(QStringLiteral("Fichiers de démarrage installés !\n"))) << bilan.erreurs.toStdString();

  // Without the program in the folder, no start files, and a failure.
  const Bilan seul = Plivor({QStringLiteral("--publier"), QStringLiteral("seul"), QStringLiteral("--autorun"),
                             QStringLiteral("show/spectacle.pvl")});
  EXPECT_EQ(seul.code, 1);
  EXPECT_TRUE(seul.erreurs.contains(QStringLiteral("Le programme prelio n'est pas présent"))) << seul.erreurs.toStdString();
  EXPECT_FALSE(QFileInfo::exists(Chemin(QStringLiteral("seul/Autorun.inf"))));
}

// --video with --publier: the published show as a video beside its list,
// which the start script falls back to.
TEST_F(Terminal, UnePublicationGagneSaVideo) {
  const Bilan bilan = Plivor({QStringLiteral("--publier"), QStringLiteral("film"), QStringLiteral("--programme"),
                              QStringLiteral("--autorun"), QStringLiteral("--video"), QStringLiteral("show/spectacle.pvl")});
  ASSERT_TRUE(bilan.fini);
  EXPECT_EQ(bilan.code, 0) << bilan.erreurs.toStdString();
  EXPECT_EQ(bilan.sortie, Chemin(QStringLiteral("film/spectacle.pvl")) + QLatin1Char('\n'));
  EXPECT_TRUE(bilan.erreurs.contains(QStringLiteral("Vidéo ajoutée : spectacle.mp4\n"))) << bilan.erreurs.toStdString();
  QFile video(Chemin(QStringLiteral("film/spectacle.mp4")));
  ASSERT_TRUE(video.open(QIODevice::ReadOnly));
  const QByteArray debut = video.read(64);
  EXPECT_TRUE(debut.contains("ftyp")) << debut.toHex().toStdString();
  QFile script(Chemin(QStringLiteral("film/autorun.sh")));
  ASSERT_TRUE(script.open(QIODevice::ReadOnly));
  EXPECT_TRUE(script.readAll().contains("v='spectacle.mp4'\n"));
  // Published again: the video is the publication's own, replaced without a word.
  const Bilan encore = Plivor({QStringLiteral("--publier"), QStringLiteral("film"), QStringLiteral("--video"),
                               QStringLiteral("show/spectacle.pvl")});
  EXPECT_EQ(encore.code, 0) << encore.erreurs.toStdString();
  EXPECT_FALSE(encore.erreurs.contains(QStringLiteral("Le remplacer"))) << encore.erreurs.toStdString();

  const Bilan nomme = Plivor({QStringLiteral("--publier"), QStringLiteral("film"), QStringLiteral("--video"),
                              QStringLiteral("x.mp4"), QStringLiteral("show/spectacle.pvl")});
  EXPECT_EQ(nomme.code, 2);
  EXPECT_TRUE(nomme.erreurs.startsWith(QString::fromUtf8("Avec --publier, --video ne prend pas de nom")))
      << nomme.erreurs.toStdString();
}

TEST_F(Terminal, UneLigneDeCommandeIncorrecteSortEn2) {
  const QString liste = QStringLiteral("show/spectacle.pvl");
  const struct {
    QStringList arguments;
    const char* faute;
  } cas[] = {
      {{"--publier"}, "L'option --publier attend une valeur (DOSSIER)."},
      {{"--publier", "pub"}, "L'option --publier attend une liste."},
      {{"--verifier"}, "L'option --verifier attend une liste."},
      {{"--montage"}, "L'option --montage attend une liste."},
      {{"--verifier", liste, liste}, "L'option --verifier ne prend qu'une liste à la fois."},
      {{"--audio", liste}, "L'option --audio ne vaut qu'avec --publier."},
      {{"--verifier", "--ignorer-absents", liste}, "L'option --ignorer-absents ne vaut qu'avec --publier ou --video."},
      {{"--nom", "N", liste}, "L'option --nom ne vaut qu'avec --publier."},
      {{"--verifier", "--publier", "pub", liste}, "Les options --verifier et --publier ne vont pas ensemble."},
      {{"--rendu", "r", "--montage", liste}, "Les options --rendu et --montage ne vont pas ensemble."},
      {{"--verifier", "--capture", "c.png", liste}, "L'option --capture montre la fenêtre : elle ne va pas avec --verifier."},
      {{"--publier", "pub", "--tout", liste}, "Option inconnue : --tout"},
  };
  for (const auto& c : cas) {
    const Bilan bilan = Plivor(c.arguments);
    ASSERT_TRUE(bilan.fini) << c.faute;
    EXPECT_EQ(bilan.code, 2) << c.faute;
    EXPECT_EQ(bilan.erreurs, Fin(c.faute));
    EXPECT_EQ(bilan.sortie, QString()) << c.faute;
  }
  // An unreadable list: nothing is made.
  const Bilan absente = Plivor({QStringLiteral("--publier"), QStringLiteral("pub"), QStringLiteral("absente.pvl")});
  EXPECT_EQ(absente.code, 2);
  EXPECT_TRUE(absente.erreurs.endsWith(QStringLiteral("Liste illisible : absente.pvl\n")));
  const Bilan montage = Plivor({QStringLiteral("--montage"), QStringLiteral("absente.pvl")});
  EXPECT_EQ(montage.code, 2);
  EXPECT_TRUE(montage.erreurs.endsWith(QStringLiteral("Liste illisible : absente.pvl\n")));
  EXPECT_FALSE(QFileInfo::exists(Chemin(QStringLiteral("pub"))));

  // The help names every option of these modes; the player has none.
  const Bilan aide = Plivor({QStringLiteral("--help")});
  EXPECT_EQ(aide.code, 0);
  for (const char* option : {"--verifier ", "--publier DOSSIER ", "--audio ", "--script ", "--conserver ",
                             "--programme ", "--autorun ", "--nom NOM ", "--ignorer-absents ", "--montage "})
    EXPECT_TRUE(aide.sortie.contains(QStringLiteral("\n  ") + QString::fromUtf8(option))) << option;
  QProcess lecteur;
  lecteur.setProcessEnvironment(Environnement());
  lecteur.start(QFileInfo(QStringLiteral(PLIVOR_PROGRAMME)).dir().filePath(QStringLiteral("prelio")),
                {QStringLiteral("--help")});
  ASSERT_TRUE(lecteur.waitForFinished(60000));
  const QString aideLecteur = QString::fromUtf8(lecteur.readAllStandardOutput());
  EXPECT_TRUE(aideLecteur.startsWith(QStringLiteral("Utilisation : prelio")));
  for (const char* option : {"--verifier", "--publier", "--montage", "--ignorer-absents"})
    EXPECT_FALSE(aideLecteur.contains(QString::fromUtf8(option))) << option;
}

}  // namespace
