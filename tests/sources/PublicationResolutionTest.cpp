// A show whose sub-lists and script live in folders of their own, their
// lines written both ways, published and projected again: the published
// folder shows the pictures the original shows, step for step; the shipped
// demo publishes; missing, unreadable and linked files; the user's own
// files in the chosen folder; a full disk; copies a killed run left.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "codecs/Encodeurs.h"
#include "montage/BancMontage.h"
#include "montage/Verification.h"
#include "sources/Publication.h"
#include "sources/Sources.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancMontage;

const std::vector<std::pair<char, QColor>> kPalette = {
    {'R', QColor(220, 30, 30)}, {'r', QColor(120, 10, 10)}, {'V', QColor(30, 200, 40)}, {'B', QColor(30, 40, 210)},
    {'J', QColor(230, 220, 30)}, {'C', QColor(30, 210, 220)}, {'M', QColor(210, 30, 210)}, {'G', QColor(128, 128, 128)}};

QByteArray Crlf(const QStringList& lignes) {
  QByteArray r;
  for (const QString& l : lignes) r += l.toLatin1() + "\r\n";
  return r;
}

class PublicationAilleurs : public testing::Test {
 protected:
  PublicationAilleurs() {
    Image("main/pic/a.jpg", 'R');
    Image("main/pic/a2.jpg", 'r');
    Image("main/pic/b.jpg", 'V');  // what the projection reads for the sub-list's "pic\b.jpg"
    Image("sub/pic/b.jpg", 'B');   // never shown
    Image("sub/c.jpg", 'J');       // only beside the sub-list
    Image("sub/d.jpg", 'C');       // written from the main list's folder
    Image("sub/deep/e.jpg", 'M');  // only beside the nested sub-list
    Image("scr/f.jpg", 'G');       // only beside the script
    banc.Ecrire(QStringLiteral("main/M.pvl"),
                "Tempo=1000.pvi\r\npic\\a.jpg\r\n..\\sub\\S.pvl\r\npic\\a2.jpg\r\n..\\scr\\D.pvs\r\n");
    banc.Ecrire(QStringLiteral("sub/S.pvl"), "pic\\b.jpg\r\nc.jpg\r\n..\\sub\\d.jpg\r\ndeep\\T.pvl\r\n");
    banc.Ecrire(QStringLiteral("sub/deep/T.pvl"), "e.jpg\r\npic\\b.jpg\r\n");
    banc.Ecrire(QStringLiteral("scr/D.pvs"), "Tempo=1000.pvi\r\nf.jpg\r\n");
    sources = std::make_unique<Sources>(*banc.vue, *banc.montage, banc.CheminHote(QStringLiteral("main")));
    publication = std::make_unique<Publication>(*sources);
    publication->IntervalleApercu = 0;
  }
  void Image(const char* nom, char couleur) const {
    const QString chemin = banc.CheminHote(QString::fromUtf8(nom));
    QDir().mkpath(QFileInfo(chemin).path());
    for (const auto& [c, q] : kPalette)
      if (c == couleur) EcrireJpeg(chemin, test::Unie(64, 48, q));
  }
  // The picture prepared at each step of the projection, by colour.
  std::string Projeter(const QString& liste, int etapes) {
    banc.vue->NomDialogueOuvrir = banc.Chemin(liste);
    banc.vue->ChargerListe(Emetteur::Aucun);
    std::string vues;
    for (int i = 0; i < etapes; ++i) {
      const QImage& photo = banc.vue->Photo;
      char vue = '?';
      if (!photo.isNull())
        for (const auto& [c, q] : kPalette)
          if (test::Proche(photo.pixelColor(photo.width() / 2, photo.height() / 2), q, 40)) vue = c;
      vues += vue;
      banc.vue->Suivant(Emetteur::Aucun);
    }
    return vues;
  }
  bool Publier(const char* dossier, bool conserver) {
    QDir().mkpath(banc.CheminHote(QString::fromUtf8(dossier)));
    EXPECT_TRUE(sources->OuvrirDossier(banc.CheminHote(QString::fromUtf8(dossier))));
    publication->PubClick(BoutonPublication::Pub_btDossier);
    publication->Publier();
    publication->OptionConserver = conserver;
    publication->Pub_NomListe = QStringLiteral("Spectacle");
    banc.dialogues.textes.clear();
    publication->PubClick(BoutonPublication::Pub_btValider);
    return banc.dialogues.textes == QStringList{QStringLiteral("Copie des ressources terminée !")};
  }
  QByteArray Lire(const char* nom) const {
    QFile f(banc.CheminHote(QString::fromUtf8(nom)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
  }

  BancMontage banc;
  std::unique_ptr<Sources> sources;
  std::unique_ptr<Publication> publication;
};

TEST_F(PublicationAilleurs, PublieeDeployeeOuNonLaSeanceMontreLesMemesImagesQueLOriginal) {
  // Each sub-list's first picture comes at the advance that meets it: no
  // step is spent on the sub-list's line.
  const std::string original = Projeter(QStringLiteral("main/M.pvl"), 12);
  EXPECT_EQ(original.substr(0, 10), "VJCMVrGRVJ");

  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("main/M.pvl"))));
  ASSERT_TRUE(Publier("pubA", false)) << banc.dialogues.textes.join(" | ").toStdString();
  EXPECT_EQ(Lire("pubA/Spectacle.pvl"),
            Crlf({"Tempo=1000.pvi", "Spectacle\\a.jpg", "Drapeau=S.pvd", "Spectacle\\b.jpg", "Spectacle\\c.jpg",
                  "Spectacle\\d.jpg", "Drapeau=T.pvd", "Spectacle\\e.jpg", "Spectacle\\b.jpg", "Spectacle\\a2.jpg",
                  "D.pvs"}));
  EXPECT_EQ(Lire("pubA/D.pvs"), Crlf({"Tempo=1000.pvi", "Spectacle\\f.jpg"}));
  EXPECT_EQ(Lire("pubA/Spectacle/b.jpg"), Lire("main/pic/b.jpg"));
  EXPECT_EQ(QDir(banc.CheminHote(QStringLiteral("pubA/Spectacle"))).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"a.jpg", "a2.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"}));

  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("main/M.pvl"))));
  ASSERT_TRUE(Publier("pubB", true)) << banc.dialogues.textes.join(" | ").toStdString();
  EXPECT_EQ(Lire("pubB/Spectacle.pvl"),
            Crlf({"Tempo=1000.pvi", "Spectacle\\a.jpg", "S.pvl", "Spectacle\\a2.jpg", "D.pvs"}));
  EXPECT_EQ(Lire("pubB/S.pvl"), Crlf({"Spectacle\\b.jpg", "Spectacle\\c.jpg", "Spectacle\\d.jpg", "T.pvl"}));
  EXPECT_EQ(Lire("pubB/T.pvl"), Crlf({"Spectacle\\e.jpg", "Spectacle\\b.jpg"}));

  // The originals gone, each published folder plays the original's steps.
  for (const char* d : {"main", "sub", "scr"}) ASSERT_TRUE(QDir(banc.CheminHote(QString::fromUtf8(d))).removeRecursively());
  EXPECT_EQ(Projeter(QStringLiteral("pubA/Spectacle.pvl"), 12), original);
  EXPECT_EQ(Projeter(QStringLiteral("pubB/Spectacle.pvl"), 12), original);
}

TEST_F(PublicationAilleurs, LaDemoLivreeSePublieDesDeuxFacons) {
  const QString demo = banc.CheminHote(QStringLiteral("demo"));
  ASSERT_EQ(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(PLIVOR_DEMO_DOSSIER), demo}), 0);
  for (const bool conserver : {false, true}) {
    ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("demo/Demo.pvl"))));
    ASSERT_TRUE(Publier(conserver ? "pubDemo2" : "pubDemo1", conserver)) << banc.dialogues.textes.join(" | ").toStdString();
  }
  EXPECT_TRUE(Lire("pubDemo1/Spectacle.pvl").contains("Drapeau=Suite.pvd\r\n"));
  EXPECT_EQ(Lire("pubDemo1/Spectacle/foret.jpg"), Lire("demo/media/foret.jpg"));
  EXPECT_TRUE(Lire("pubDemo2/Suite.pvl").contains("Spectacle\\"));
  EXPECT_TRUE(Lire("pubDemo2/Diaporama.pvs").contains("Spectacle\\nuit.gif\r\n")) << Lire("pubDemo2/Diaporama.pvs").toStdString();
}

TEST_F(PublicationAilleurs, UnAbsentUnIlliisibleOuUnLienEtrangerSontDitsEtLaLigneGardee) {
  banc.Ecrire(QStringLiteral("main/M.pvl"), "pic\\a.jpg\r\npic\\absente.jpg\r\npic\\tube.jpg\r\npic\\secret.jpg\r\n"
                                            "pic\\lien.jpg\r\n");
  ASSERT_EQ(::mkfifo(banc.CheminHote(QStringLiteral("main/pic/tube.jpg")).toLocal8Bit().constData(), 0644), 0);
  banc.Ecrire(QStringLiteral("secret"), "mot de passe");
  ASSERT_TRUE(QFile::link(banc.CheminHote(QStringLiteral("secret")), banc.CheminHote(QStringLiteral("main/pic/secret.jpg"))));
  ASSERT_TRUE(QFile::link(banc.CheminHote(QStringLiteral("sub/c.jpg")), banc.CheminHote(QStringLiteral("main/pic/lien.jpg"))));
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("main/M.pvl"))));
  const Liste lignes = banc.montage->Lignes();
  // Answered No: the assembly stops at the first, named.
  EXPECT_FALSE(Publier("pub", false));
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("Le fichier  \"pic\\absente.jpg\"\rde la liste \"") +
                                          banc.CheminHote(QStringLiteral("main/M.pvl")) +
                                          QStringLiteral("\"\rest absent ou déplacé !\rContinuer sans ce fichier ?"));
  EXPECT_EQ(publication->Pub_trEnCours, QStringLiteral("Processus interrompu"));
  // Answered Yes each time: each said, each line kept as the list holds it.
  banc.dialogues.reponses = {true, true, true};
  banc.dialogues.textes.clear();
  publication->PubClick(BoutonPublication::Pub_btValider);
  ASSERT_EQ(banc.dialogues.textes.size(), 4) << banc.dialogues.textes.join(" | ").toStdString();
  // A pipe named like a picture is no file to copy.
  EXPECT_EQ(banc.dialogues.textes[1], QStringLiteral("Le fichier  \"pic\\tube.jpg\"\rde la liste \"") +
                                          banc.CheminHote(QStringLiteral("main/M.pvl")) +
                                          QStringLiteral("\"\rest absent ou déplacé !\rContinuer sans ce fichier ?"));
  EXPECT_EQ(banc.dialogues.textes[2],
            QStringLiteral("Le fichier \"") + QString::fromStdString(VersUtf8(lignes[3])) +
                QStringLiteral("\" est un lien qui ne mène pas à un fichier de son genre.\rContinuer sans ce fichier ?"));
  EXPECT_EQ(banc.dialogues.textes[3], QStringLiteral("Copie des ressources terminée !"));
  EXPECT_EQ(Lire("pub/Spectacle.pvl"), Crlf({"Spectacle\\a.jpg", "pic\\absente.jpg", "pic\\tube.jpg",
                                              QString::fromStdString(VersUtf8(lignes[3])), "Spectacle\\lien.jpg"}));
  EXPECT_EQ(Lire("pub/Spectacle/lien.jpg"), Lire("sub/c.jpg"));
  EXPECT_FALSE(QFileInfo::exists(banc.CheminHote(QStringLiteral("pub/Spectacle/secret.jpg"))));
  // "Ignorer les absents": the same without a question.
  banc.vue->IgnorerAbsents = true;
  banc.dialogues.textes.clear();
  publication->PubClick(BoutonPublication::Pub_btValider);
  EXPECT_EQ(banc.dialogues.textes, QStringList{QStringLiteral("Copie des ressources terminée !")});
}

TEST_F(PublicationAilleurs, LesFichiersDeLUtilisateurDansLeDossierChoisiSontGardes) {
  banc.Ecrire(QStringLiteral("pub/Spectacle/a.jpg"), "photo de l'utilisateur");
  banc.Ecrire(QStringLiteral("pub/Spectacle/a2-2.jpg"), "autre photo");
  banc.Ecrire(QStringLiteral("pub/S.pvl"), "liste de l'utilisateur\r\n");
  banc.Ecrire(QStringLiteral("pub/Spectacle/.plivor-copie-Ab12Cd"), "copie interrompue");
  banc.Ecrire(QStringLiteral("main/pic/a2-2.jpg"), "x");
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("main/M.pvl"))));
  ASSERT_TRUE(Publier("pub", true)) << banc.dialogues.textes.join(" | ").toStdString();
  EXPECT_EQ(Lire("pub/Spectacle/a.jpg"), "photo de l'utilisateur");
  EXPECT_EQ(Lire("pub/Spectacle/a-2.jpg"), Lire("main/pic/a.jpg"));
  EXPECT_EQ(Lire("pub/S.pvl"), "liste de l'utilisateur\r\n");
  EXPECT_EQ(Lire("pub/Spectacle.pvl"), Crlf({"Tempo=1000.pvi", "Spectacle\\a-2.jpg", "S-2.pvl", "Spectacle\\a2.jpg", "D.pvs"}));
  EXPECT_FALSE(QFileInfo::exists(banc.CheminHote(QStringLiteral("pub/Spectacle/.plivor-copie-Ab12Cd"))));
  // What the publication wrote is its own: a republication replaces it, nothing else.
  EXPECT_EQ(Lire("pub/.plivor-publication"),
            Crlf({"D.pvs", "S-2.pvl", "Spectacle.pvl", "Spectacle/a-2.jpg", "Spectacle/a2.jpg", "Spectacle/b.jpg",
                  "Spectacle/c.jpg", "Spectacle/d.jpg", "Spectacle/e.jpg", "Spectacle/f.jpg", "T.pvl"}));
  ASSERT_TRUE(Publier("pub", true));
  EXPECT_EQ(Lire("pub/Spectacle/a.jpg"), "photo de l'utilisateur");
  EXPECT_EQ(Lire("pub/Spectacle.bak"), Lire("pub/Spectacle.pvl"));

  // A main list of the user's under the sequence's name: asked, kept on No.
  banc.Ecrire(QStringLiteral("pub2/Spectacle.pvl"), "la sienne\r\n");
  EXPECT_FALSE(Publier("pub2", true));
  EXPECT_EQ(banc.dialogues.textes,
            QStringList{QStringLiteral("Le fichier \"") + banc.CheminHote(QStringLiteral("pub2/Spectacle.pvl")) +
                        QStringLiteral("\" n'a pas été écrit par une publication.\rLe remplacer ? (il est gardé en \".bak\")")});
  EXPECT_EQ(QDir(banc.CheminHote(QStringLiteral("pub2"))).entryList(QDir::Files | QDir::Hidden), QStringList{"Spectacle.pvl"});
  banc.dialogues.reponses = {true};
  publication->PubClick(BoutonPublication::Pub_btValider);
  EXPECT_EQ(Lire("pub2/Spectacle.bak"), "la sienne\r\n");
  EXPECT_EQ(Lire("pub2/Spectacle.pvl"), Crlf({"Tempo=1000.pvi", "Spectacle\\a.jpg", "S.pvl", "Spectacle\\a2.jpg", "D.pvs"}));
}

TEST_F(PublicationAilleurs, LesNomsQuUnDisqueFatRefuseNeSontNiDonnesNiCopies) {
  Image("main/pic/a:b?.jpg", 'J');
  banc.Ecrire(QStringLiteral("main/M.pvl"), "pic\\a:b?.jpg\r\n");
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("main/M.pvl"))));
  for (const QString& nom : {QStringLiteral("a*b"), QStringLiteral("a:b"), QStringLiteral("\"x\""),
                             QStringLiteral("a<b>"), QStringLiteral("a|b"), QStringLiteral("a?")}) {
    QDir().mkpath(banc.CheminHote(QStringLiteral("pub")));
    ASSERT_TRUE(sources->OuvrirDossier(banc.CheminHote(QStringLiteral("pub"))));
    publication->PubClick(BoutonPublication::Pub_btDossier);
    publication->Publier();
    publication->Pub_NomListe = nom;
    banc.dialogues.textes.clear();
    publication->PubClick(BoutonPublication::Pub_btValider);
    EXPECT_EQ(banc.dialogues.textes,
              QStringList{QStringLiteral("Le nom \"") + nom +
                          QStringLiteral("\" contient un caractère qu'un disque FAT ou NTFS refuse : \" * ? < > | :\r"
                                         "Choisir un nom sans ces caractères.")});
  }
  EXPECT_TRUE(QDir(banc.CheminHote(QStringLiteral("pub"))).isEmpty());
  banc.dialogues.saisies = {QStringLiteral("x:y")};
  publication->PubClick(BoutonPublication::Pub_btNouveau);
  EXPECT_EQ(publication->Pub_dossier, QStringLiteral("Dossier non créé"));
  // A file of the show named so is copied under a name such disks take.
  ASSERT_TRUE(Publier("pub", false));
  EXPECT_EQ(Lire("pub/Spectacle.pvl"), "Spectacle\\a_b_.jpg\r\n");
  EXPECT_EQ(Lire("pub/Spectacle/a_b_.jpg"), Lire("main/pic/a:b?.jpg"));
}

TEST_F(PublicationAilleurs, SurUnDisquePleinLaListePublieeResteEnPlace) {
  const QString disque = banc.CheminHote(QStringLiteral("disque"));
  QDir().mkpath(disque);
  if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=256k", "tmpfs", disque}) != 0)
    GTEST_SKIP() << "mount tmpfs impossible ici";
  struct Demonter {
    QString d;
    ~Demonter() { QProcess::execute(QStringLiteral("umount"), {d}); }
  } demonter{disque};
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("main/M.pvl"))));
  ASSERT_TRUE(Publier("disque/pub", false));
  const QByteArray publiee = Lire("disque/pub/Spectacle.pvl");
  // The disk filled to its last byte, then a republication.
  QFile plein(disque + QStringLiteral("/plein"));
  ASSERT_TRUE(plein.open(QIODevice::WriteOnly));
  const QByteArray bloc(4096, 'x');
  while (plein.write(bloc) == bloc.size() && plein.flush()) {}
  while (plein.write("x", 1) == 1 && plein.flush()) {}
  plein.close();
  EXPECT_FALSE(Publier("disque/pub", false));
  EXPECT_EQ(Lire("disque/pub/Spectacle.pvl"), publiee);
  QDirIterator it(disque + QStringLiteral("/pub"), {QStringLiteral(".plivor-copie-*")}, QDir::Files | QDir::Hidden,
                  QDirIterator::Subdirectories);
  EXPECT_FALSE(it.hasNext());
}

}  // namespace
}  // namespace plivor
