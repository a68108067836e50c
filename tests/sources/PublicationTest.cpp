// Publication of a generated show into a folder: the published tree, every
// list and every copy checked byte for byte with their dates, under each
// combination of the panel's options; the originals and the edited list
// left as they were; refusals and their exact messages; the program and
// the automatic-start files.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QFileInfo>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <csignal>
#include <map>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include "codecs/Encodeurs.h"
#include "montage/BancMontage.h"
#include "options/Installation.h"
#include "platform/Enregistrement.h"
#include "sources/PanneauPublication.h"
#include "sources/Publication.h"
#include "sources/Sources.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancMontage;

struct Fiche {
  QByteArray octets;
  QDateTime date;
  bool operator==(const Fiche&) const = default;
};

// Every file under `dossier`, by relative path, with its bytes and date;
// the publication's record of its own files apart.
std::map<QString, Fiche> Releve(const QString& dossier) {
  std::map<QString, Fiche> r;
  QDirIterator it(dossier, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString chemin = it.next();
    if (QFileInfo(chemin).fileName() == QLatin1String(".plivor-publication")) continue;
    QFile f(chemin);
    f.open(QIODevice::ReadOnly);
    r[QDir(dossier).relativeFilePath(chemin)] = {f.readAll(), QFileInfo(chemin).lastModified()};
  }
  return r;
}

QStringList Noms(const std::map<QString, Fiche>& releve) {
  QStringList noms;
  for (const auto& [nom, fiche] : releve) noms << nom;
  return noms;
}

QByteArray Crlf(const QStringList& lignes) {
  QByteArray r;
  for (const QString& l : lignes) r += l.toLatin1() + "\r\n";
  return r;
}

class PublicationTest : public testing::Test {
 protected:
  PublicationTest() {
    // A show in "show", its sub-list and script in "sous", a picture of the
    // same name as one of the show's in "autres".
    EcrireJpeg(Hote("show/img/rouge.jpg"), test::Unie(64, 48, Qt::red));
    EcrireJpeg(Hote("autres/rouge.jpg"), test::Unie(64, 48, Qt::darkRed));
    EcrireWav(Hote("show/sons/air.wav"), std::vector<std::int16_t>(4410, 1000), 44100, 1);
    banc.Ecrire(QStringLiteral("show/sons/chant.mp3"), std::string("ID3\x03\0\0\0\0\0\0mp3", 13));
    EcrireMidi(Hote("show/sons/theme.mid"), {{60, 0, 480}});
    EcrireJpeg(Hote("sous/bleu.jpg"), test::Unie(64, 48, Qt::blue));
    test::EcrireGif(Hote("sous/img2/vert.gif"), test::Unie(64, 48, Qt::green));
    banc.Ecrire(QStringLiteral("show/main.pvl"),
                "Tempo=1500.pvi\r\nimg\\rouge.jpg\r\n..\\autres\\rouge.jpg\r\nsons\\air.wav\r\nsons\\chant.mp3\r\n"
                "sons\\theme.mid\r\n..\\sous\\intro.pvl\r\n..\\sous\\effets.pvs\r\nAvance=Stop.pvi\r\n");
    banc.Ecrire(QStringLiteral("sous/intro.pvl"), "bleu.jpg\r\nimg2\\vert.gif\r\n..\\show\\sons\\air.wav\r\n");
    banc.Ecrire(QStringLiteral("sous/effets.pvs"), "Tempo=800.pvi\r\nbleu.jpg\r\n..\\show\\sons\\chant.mp3\r\n");
    // Sources keep dates of their own, far from the copy's.
    for (const char* nom : {"show/img/rouge.jpg", "autres/rouge.jpg", "show/sons/air.wav", "show/sons/chant.mp3",
                            "show/sons/theme.mid", "sous/bleu.jpg", "sous/img2/vert.gif"})
      Dater(Hote(nom), QDateTime(QDate(2021, 3, 4), QTime(5, 6, 7)));
    sources = std::make_unique<Sources>(*banc.vue, *banc.montage, banc.CheminHote(QStringLiteral("show")));
    publication = std::make_unique<Publication>(*sources);
    publication->IntervalleApercu = 0;
    EXPECT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("show/main.pvl"))));
    lignesOriginales = banc.montage->Lignes();
    originaux = Originaux();
  }

  QString Hote(const char* nom) const {
    const QString chemin = banc.CheminHote(QString::fromUtf8(nom));
    QDir().mkpath(QFileInfo(chemin).path());
    return chemin;
  }
  static void Dater(const QString& chemin, const QDateTime& date) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(date, QFileDevice::FileModificationTime));
  }
  std::map<QString, Fiche> Originaux() const {
    std::map<QString, Fiche> r;
    for (const char* d : {"show", "autres", "sous"})
      for (const auto& [nom, fiche] : Releve(banc.CheminHote(QString::fromUtf8(d))))
        r[QString::fromUtf8(d) + QLatin1Char('/') + nom] = fiche;
    return r;
  }
  QStringList& Textes() { return banc.dialogues.textes; }
  // The publication folder `nom` chosen in the folder list and validated.
  void ChoisirDossier(const char* nom) {
    QDir().mkpath(banc.CheminHote(QString::fromUtf8(nom)));
    ASSERT_TRUE(sources->OuvrirDossier(banc.CheminHote(QString::fromUtf8(nom))));
    publication->PubClick(BoutonPublication::Pub_btDossier);
  }
  bool Assembler(bool audio, bool script, bool conserver, const QString& nom = QStringLiteral("Spectacle")) {
    publication->Publier();
    publication->OptionAudio = audio;
    publication->OptionScript = script;
    publication->OptionConserver = conserver;
    publication->Pub_NomListe = nom;
    Textes().clear();
    publication->PubClick(BoutonPublication::Pub_btValider);
    return Textes() == QStringList{QStringLiteral("Copie des ressources terminée !")};
  }
  // The edited list and the originals as they were.
  void RienNAChange() {
    EXPECT_EQ(banc.montage->Lignes(), lignesOriginales);
    EXPECT_EQ(banc.montage->NomListe, banc.Chemin(QStringLiteral("show/main.pvl")));
    EXPECT_FALSE(banc.vue->ListeModifiee);
    EXPECT_TRUE(banc.montage->Transfert.empty());
    const auto maintenant = Originaux();
    for (const auto& [nom, fiche] : originaux)
      EXPECT_TRUE(maintenant.count(nom) && maintenant.at(nom) == fiche) << nom.toStdString();
  }

  BancMontage banc;
  std::unique_ptr<Sources> sources;
  std::unique_ptr<Publication> publication;
  Liste lignesOriginales;
  std::map<QString, Fiche> originaux;
};

// The published lists of one combination of options, written out by hand.
struct Attendu {
  bool audio, script, conserver;

  QString Sons() const { return audio ? QStringLiteral("Audio") : QStringLiteral("Spectacle"); }
  QStringList Principale() const {
    QStringList l{"Tempo=1500.pvi", "Spectacle\\rouge.jpg", "Spectacle\\rouge-2.jpg", Sons() + "\\air.wav",
                  Sons() + "\\chant.mp3", Sons() + "\\theme.mid"};
    if (conserver)
      l << "intro.pvl";
    else
      l << "Drapeau=intro.pvd" << Intro();
    return l << "effets.pvs" << "Avance=Stop.pvi";
  }
  QStringList Intro() const { return {"Spectacle\\bleu.jpg", "Spectacle\\vert.gif", Sons() + "\\air.wav"}; }
  QStringList Effets() const {
    const QString d = script ? QStringLiteral("Script") : QStringLiteral("Spectacle");
    return {"Tempo=800.pvi", d + "\\bleu.jpg", (script ? d : Sons()) + "\\chant.mp3"};
  }
  // Published path -> its source, relative to the test's folder.
  std::map<QString, QString> Copies() const {
    std::map<QString, QString> c{{"Spectacle/rouge.jpg", "show/img/rouge.jpg"},
                                 {"Spectacle/rouge-2.jpg", "autres/rouge.jpg"},
                                 {"Spectacle/bleu.jpg", "sous/bleu.jpg"},
                                 {"Spectacle/vert.gif", "sous/img2/vert.gif"}};
    for (const char* son : {"air.wav", "chant.mp3", "theme.mid"})
      c[Sons() + "/" + son] = QStringLiteral("show/sons/") + son;
    if (script) {
      c["Script/bleu.jpg"] = "sous/bleu.jpg";
      c["Script/chant.mp3"] = "show/sons/chant.mp3";
    }
    return c;
  }
};

TEST_F(PublicationTest, ChaqueCombinaisonDOptionsDonneLArbreEtLesListesAttendus) {
  for (int combinaison = 0; combinaison < 8; ++combinaison) {
    const Attendu a{(combinaison & 1) != 0, (combinaison & 2) != 0, (combinaison & 4) != 0};
    SCOPED_TRACE(testing::Message() << "audio " << a.audio << " script " << a.script << " conserver " << a.conserver);
    const QString pub = QStringLiteral("pub%1").arg(combinaison);
    ChoisirDossier(pub.toUtf8().constData());
    ASSERT_TRUE(Assembler(a.audio, a.script, a.conserver)) << Textes().join(" | ").toStdString();

    const auto publie = Releve(banc.CheminHote(pub));
    QStringList attendus{"Spectacle.pvl", "effets.pvs"};
    if (a.conserver) attendus << "intro.pvl";
    for (const auto& [cible, source] : a.Copies()) attendus << cible;
    attendus.sort();
    EXPECT_EQ(Noms(publie).join(" ").toStdString(), attendus.join(" ").toStdString());
    EXPECT_EQ(publie.at("Spectacle.pvl").octets, Crlf(a.Principale()));
    EXPECT_EQ(publie.at("effets.pvs").octets, Crlf(a.Effets()));
    if (a.conserver) {
      EXPECT_EQ(publie.at("intro.pvl").octets, Crlf(a.Intro()));
    }
    for (const auto& [cible, source] : a.Copies()) {
      SCOPED_TRACE(cible.toStdString());
      EXPECT_TRUE(publie.at(cible) == originaux.at(source));
    }
    EXPECT_EQ(publication->ListePubliee, banc.Chemin(pub + "/Spectacle.pvl"));
    EXPECT_FALSE(publication->EnCoursVisible);
    RienNAChange();
  }
}

TEST_F(PublicationTest, LaBarreAvanceAvecLesOctetsCopies) {
  ChoisirDossier("pub");
  std::vector<std::pair<qint64, qint64>> etapes;
  QObject::connect(publication.get(), &Publication::Progression,
                   [&](qint64 copies, qint64 total) { etapes.emplace_back(copies, total); });
  ASSERT_TRUE(Assembler(true, false, true));
  qint64 octets = 0;
  for (const auto& [cible, source] : Attendu{true, false, true}.Copies()) octets += originaux.at(source).octets.size();
  // Files named by two lists are copied once; the second meeting counts as done.
  for (const char* deux : {"show/sons/air.wav", "sous/bleu.jpg", "show/sons/chant.mp3"})
    octets += originaux.at(deux).octets.size();
  ASSERT_FALSE(etapes.empty());
  EXPECT_EQ(etapes.back(), std::make_pair(octets, octets));
  for (size_t i = 1; i < etapes.size(); ++i) EXPECT_GE(etapes[i].first, etapes[i - 1].first);
}

TEST_F(PublicationTest, UneImageAbsenteDUneSousListeArreteToutAvecLeMessageExact) {
  banc.Ecrire(QStringLiteral("sous/intro.pvl"), "bleu.jpg\r\nimg2\\vert.gif\r\nabsente.jpg\r\n");
  originaux = Originaux();
  ChoisirDossier("pub");
  EXPECT_FALSE(Assembler(false, false, true));
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Le fichier  \"absente.jpg\"\rde la liste \"") +
                                  banc.CheminHote(QStringLiteral("sous/intro.pvl")) +
                                  QStringLiteral("\"\rest absent ou déplacé !\rContinuer sans ce fichier ?")});
  EXPECT_EQ(publication->Pub_trEnCours, QStringLiteral("Processus interrompu"));
  EXPECT_TRUE(publication->PublicationInterrompue);
  EXPECT_FALSE(publication->Occupe);
  // The main list went out before the sub-list was met; the sub-list never did.
  const auto publie = Releve(banc.CheminHote(QStringLiteral("pub")));
  EXPECT_TRUE(publie.count("Spectacle.pvl"));
  EXPECT_FALSE(publie.count("intro.pvl"));
  EXPECT_TRUE(publication->ListePubliee.empty());
  RienNAChange();
}

TEST_F(PublicationTest, RepublierRemplaceLesCopiesPerimeesEtTourneLesBak) {
  ChoisirDossier("pub");
  ASSERT_TRUE(Assembler(false, false, true));
  const auto premier = Releve(banc.CheminHote(QStringLiteral("pub")));
  // The red picture is redrawn: same name, new bytes and date.
  EcrireJpeg(banc.CheminHote(QStringLiteral("show/img/rouge.jpg")), test::Unie(80, 60, Qt::magenta));
  Dater(banc.CheminHote(QStringLiteral("show/img/rouge.jpg")), QDateTime(QDate(2022, 1, 2), QTime(3, 4, 5)));
  originaux = Originaux();
  ASSERT_TRUE(Assembler(false, false, true));
  ASSERT_TRUE(Assembler(false, false, true));
  const auto publie = Releve(banc.CheminHote(QStringLiteral("pub")));
  EXPECT_TRUE(publie.at("Spectacle/rouge.jpg") == originaux.at("show/img/rouge.jpg"));
  EXPECT_TRUE(publie.at("Spectacle/rouge-2.jpg") == premier.at("Spectacle/rouge-2.jpg"));
  // The former list kept as .bak, the publication's own: replaced each time.
  EXPECT_EQ(publie.at("Spectacle.bak").octets, premier.at("Spectacle.pvl").octets);
  EXPECT_FALSE(publie.count("Spectacle.bak1"));
  EXPECT_EQ(publie.at("intro.bak").octets, premier.at("intro.pvl").octets);
  EXPECT_EQ(publie.at("Spectacle.pvl").octets, Crlf(Attendu{false, false, true}.Principale()));
}

TEST_F(PublicationTest, UneSourceRefaiteDansLaSecondeDeSaCopieEstCopieeDeNouveau) {
  ChoisirDossier("pub");
  ASSERT_TRUE(Assembler(false, false, true));
  // Same size, other bytes, dated half a second after the former edition:
  // only the date's fraction tells them apart.
  const QString rouge = banc.CheminHote(QStringLiteral("show/img/rouge.jpg"));
  QFile f(rouge);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  QByteArray octets = f.readAll();
  octets[octets.size() / 2] = char(octets[octets.size() / 2] ^ 0x5a);
  ASSERT_TRUE(f.seek(0));
  ASSERT_EQ(f.write(octets), octets.size());
  f.close();
  Dater(rouge, QDateTime(QDate(2021, 3, 4), QTime(5, 6, 7, 500)));
  ASSERT_TRUE(Assembler(false, false, true));
  EXPECT_EQ(Releve(banc.CheminHote(QStringLiteral("pub"))).at("Spectacle/rouge.jpg").octets, octets);
}

TEST_F(PublicationTest, LesNomsQuiSortiraientDuDossierSontRefuses) {
  ChoisirDossier("pub");
  const QString sortie = QStringLiteral(
      "\" sortirait du dossier de publication !\rUn nom de dossier simple, sans \"/\", \"\\\" ni \"..\", est attendu.");
  for (const QString& nom : {QStringLiteral(".."), QStringLiteral("../x"), QStringLiteral("a/b"),
                            QStringLiteral("a\\b"), banc.CheminHote(QStringLiteral("ailleurs"))}) {
    EXPECT_FALSE(Assembler(false, false, true, nom));
    EXPECT_EQ(Textes(), QStringList{QStringLiteral("Le nom \"") + nom + sortie});
  }
  EXPECT_FALSE(Assembler(false, false, true, QStringLiteral("  ")));
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Nom vide : donner un nom de séquence ou de dossier !")});
  EXPECT_TRUE(QDir(banc.CheminHote(QStringLiteral("pub"))).isEmpty());
  EXPECT_FALSE(QFileInfo::exists(banc.CheminHote(QStringLiteral("ailleurs"))));
  // The new folder's name too; an empty answer creates nothing.
  banc.dialogues.saisies = {QStringLiteral("../evade"), QString(), std::nullopt, QStringLiteral("neuf")};
  for (int i = 0; i < 3; ++i) {
    publication->PubClick(BoutonPublication::Pub_btNouveau);
    EXPECT_EQ(publication->Pub_dossier, QStringLiteral("Dossier non créé"));
  }
  EXPECT_FALSE(QFileInfo::exists(banc.CheminHote(QStringLiteral("evade"))));
  publication->PubClick(BoutonPublication::Pub_btNouveau);
  EXPECT_EQ(banc.dialogues.invites.back(),
            QStringLiteral("Nom du dossier à créer dans ") + banc.CheminHote(QStringLiteral("pub")));
  EXPECT_EQ(publication->Pub_dossier, banc.CheminHote(QStringLiteral("pub/neuf")));
  EXPECT_EQ(banc.montage->DossierPublication, banc.Chemin(QStringLiteral("pub/neuf")));
  EXPECT_EQ(sources->Arbre.Dossier(), banc.CheminHote(QStringLiteral("pub/neuf")));
  RienNAChange();
}

TEST_F(PublicationTest, SansDossierOuAvecUneListeModifieeRienNePart) {
  publication->Publier();
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_btValider);
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Valider auparavant un dossier de publication !")});
  ChoisirDossier("pub");
  banc.vue->ListeModifiee = true;
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_btValider);
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("La liste en cours \"") +
                                  banc.CheminHote(QStringLiteral("show/main.pvl")) +
                                  QStringLiteral("\"\rdoit être sauvegardée avant publication")});
  EXPECT_TRUE(banc.vue->ListeModifiee);
  EXPECT_TRUE(QDir(banc.CheminHote(QStringLiteral("pub"))).isEmpty());
}

TEST_F(PublicationTest, DansLeDossierDesOriginauxRienNEstEcraseLesSousListesPrennentUnAutreNom) {
  // Published into the sub-list's own folder: intro.pvl and effets.pvs stay.
  ChoisirDossier("sous");
  ASSERT_TRUE(Assembler(false, false, true)) << Textes().join(" | ").toStdString();
  const auto publie = Releve(banc.CheminHote(QStringLiteral("sous")));
  EXPECT_EQ(publie.at("intro-2.pvl").octets, Crlf(Attendu{false, false, true}.Intro()));
  EXPECT_TRUE(publie.count("effets-2.pvs"));
  QStringList principale = Attendu{false, false, true}.Principale();
  principale.replace(principale.indexOf("intro.pvl"), "intro-2.pvl");
  principale.replace(principale.indexOf("effets.pvs"), "effets-2.pvs");
  EXPECT_EQ(publie.at("Spectacle.pvl").octets, Crlf(principale));
  for (const auto& [nom, fiche] : originaux)
    if (nom.startsWith("sous/")) {
      EXPECT_TRUE(publie.at(nom.mid(5)) == fiche) << nom.toStdString();
    }
  // A sequence named after the edited list, in its own folder, would replace it.
  ChoisirDossier("show");
  EXPECT_FALSE(Assembler(false, false, true, QStringLiteral("main")));
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("La liste publiée \"") +
                                  banc.CheminHote(QStringLiteral("show/main.pvl")) +
                                  QStringLiteral("\" remplacerait la liste en cours !\rChoisir un autre nom de "
                                                 "séquence ou un autre dossier.")});
  RienNAChange();
}

TEST_F(PublicationTest, LesLignesDeRessourcesEmportentLeursFichiers) {
  banc.Ecrire(QStringLiteral("show/menu.bmp"), "BM menu");
  banc.Ecrire(QStringLiteral("show/drapeaux.txt"), "Ouverture\r\n");
  banc.Ecrire(QStringLiteral("show/doc.rtf"), "{\\rtf1 texte}");
  banc.Ecrire(QStringLiteral("show/ressources.pvl"),
              "Tempo=1500.pvi\r\nMenus=menu.bmp.pvr\r\nDrapeaux=drapeaux.txt.pvr\r\nS\xE9quence=..\\sous\\intro.pvl.pvr\r\n"
              "Vignette=img\\rouge.jpg.pvr\r\nObjetX=doc.rtf.pvr\r\nTitre=Bonjour.pvv\r\nDrapeau=Fin.pvd\r\n");
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("show/ressources.pvl"))));
  ChoisirDossier("pub");
  std::pair<qint64, qint64> fin;
  QObject::connect(publication.get(), &Publication::Progression, [&](qint64 c, qint64 t) { fin = {c, t}; });
  ASSERT_TRUE(Assembler(false, false, true)) << Textes().join(" | ").toStdString();
  // The resources' files count among the bytes copied.
  EXPECT_EQ(fin.first, fin.second);
  EXPECT_GT(fin.second, qint64(originaux.at("show/img/rouge.jpg").octets.size() + 7));
  const auto publie = Releve(banc.CheminHote(QStringLiteral("pub")));
  EXPECT_EQ(Noms(publie).join(" ").toStdString(),
            "Spectacle.pvl Spectacle/air.wav Spectacle/bleu.jpg Spectacle/doc.rtf Spectacle/rouge.jpg Spectacle/vert.gif "
            "drapeaux.txt intro.pvl menu.bmp");
  EXPECT_EQ(publie.at("Spectacle.pvl").octets,
            QByteArray("Tempo=1500.pvi\r\nMenus=menu.bmp.pvr\r\nDrapeaux=drapeaux.txt.pvr\r\nS\xE9quence=intro.pvl.pvr\r\n"
                       "Vignette=Spectacle\\rouge.jpg.pvr\r\nObjetX=Spectacle\\doc.rtf.pvr\r\nTitre=Bonjour.pvv\r\n"
                       "Drapeau=Fin.pvd\r\n"));
  EXPECT_EQ(publie.at("intro.pvl").octets, Crlf(Attendu{false, false, true}.Intro()));
  EXPECT_EQ(publie.at("menu.bmp").octets, QByteArray("BM menu"));
  EXPECT_TRUE(publie.at("Spectacle/rouge.jpg") == originaux.at("show/img/rouge.jpg"));
}

TEST_F(PublicationTest, UneCopieImpossibleArreteLAssemblageAvecSonMessage) {
  ChoisirDossier("pub");
  // The pictures' folder is one where nothing can be created.
  QDir().mkpath(banc.CheminHote(QStringLiteral("pub")));
  ASSERT_TRUE(QFile::link(QStringLiteral("/sys"), banc.CheminHote(QStringLiteral("pub/Spectacle"))));
  EXPECT_FALSE(Assembler(false, false, true));
  // The message says why, as the system does.
  const int fd = ::open("/sys/plivor-essai", O_WRONLY | O_CREAT | O_EXCL, 0600);
  ASSERT_LT(fd, 0);
  const QString cause = QString::fromStdString(CauseEchec(errno));
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Ne peut créer le fichier ") +
                                  banc.CheminHote(QStringLiteral("pub/Spectacle/rouge.jpg")) + QStringLiteral(" : ") +
                                  cause + QLatin1Char('.')});
  EXPECT_EQ(publication->Pub_trEnCours, QStringLiteral("Processus interrompu"));
  EXPECT_FALSE(QFileInfo::exists(banc.CheminHote(QStringLiteral("pub/Spectacle.pvl"))));
  RienNAChange();
}

TEST_F(PublicationTest, UnDisquePleinEstNommeCommeTel) {
  ChoisirDossier("pub");
  // The file size limit stands for a full disk: a picture cannot be written whole.
  rlimit avant{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &avant), 0);
  const auto signal = std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limite{400, avant.rlim_max};
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limite), 0);
  const bool fait = Assembler(false, false, true);
  ::setrlimit(RLIMIT_FSIZE, &avant);
  std::signal(SIGXFSZ, signal);
  EXPECT_FALSE(fait);
  ASSERT_EQ(Textes().size(), 1);
  EXPECT_TRUE(Textes()[0].startsWith(QStringLiteral("Ne peut créer le fichier ") + banc.CheminHote(QStringLiteral("pub/"))))
      << Textes()[0].toStdString();
  EXPECT_TRUE(Textes()[0].endsWith(QStringLiteral(" : le fichier dépasse la taille permise."))) << Textes()[0].toStdString();
  EXPECT_FALSE(QFileInfo::exists(banc.CheminHote(QStringLiteral("pub/Spectacle.pvl"))));
  RienNAChange();
}

TEST_F(PublicationTest, OuvertureChargementEtFermetureDuPanneau) {
  banc.montage->DossierPublication = banc.Chemin(QStringLiteral("sous"));
  publication->Publier();
  EXPECT_TRUE(banc.vue->ModePublication);
  EXPECT_TRUE(publication->Ouvert);
  EXPECT_EQ(publication->Pub_NomListe, QStringLiteral("main"));
  EXPECT_EQ(publication->Pub_dossier, banc.CheminHote(QStringLiteral("sous")));
  EXPECT_EQ(sources->Masque, QStringLiteral("*.pvl;*.pvs;*.bak"));
  EXPECT_EQ(sources->Arbre.Dossier(), banc.CheminHote(QStringLiteral("sous")));
  EXPECT_EQ(sources->Fichiers, (QStringList{"effets.pvs", "intro.pvl"}));

  banc.dialogues.fichiers = {banc.CheminHote(QStringLiteral("sous/intro.pvl"))};
  publication->PubClick(BoutonPublication::Pub_btCharger);
  EXPECT_EQ(publication->Pub_NomListe, QStringLiteral("intro"));
  EXPECT_EQ(banc.montage->NomListe, banc.Chemin(QStringLiteral("sous/intro.pvl")));

  bool masquee = false;
  QObject::connect(sources.get(), &Sources::Masquer, [&] { masquee = true; });
  banc.vue->FenetreSources = true;
  publication->PubClick(BoutonPublication::Pub_btRefermer);
  EXPECT_TRUE(masquee);
  EXPECT_FALSE(banc.vue->ModePublication);
  EXPECT_FALSE(banc.vue->FenetreSources);
  EXPECT_FALSE(publication->Ouvert);
  EXPECT_EQ(sources->Masque, QStringLiteral("*.jpg;*.wav;*.mp3;*.pvl"));
  EXPECT_EQ(banc.fichiers.DossierCourant(), banc.Chemin(QStringLiteral("sous")));
  // The folder is kept for the next opening.
  EXPECT_EQ(banc.montage->DossierPublication, banc.Chemin(QStringLiteral("sous")));
}

TEST_F(PublicationTest, LePanneauLieSesControlesAuMoteurEtSaBarreSuitLesOctets) {
  PanneauPublication panneau(*publication);
  ChoisirDossier("pub");
  publication->Publier();
  EXPECT_FALSE(panneau.isHidden());
  auto* nom = panneau.findChild<QLineEdit*>(QStringLiteral("Pub_NomListe"));
  ASSERT_NE(nom, nullptr);
  EXPECT_EQ(nom->text(), QStringLiteral("main"));
  nom->setText(QString());
  QTest::keyClicks(nom, QStringLiteral("Spectacle"));
  panneau.findChild<QCheckBox*>(QStringLiteral("Pub_CBox0"))->click();
  panneau.findChild<QCheckBox*>(QStringLiteral("Pub_CBox2"))->click();
  panneau.findChild<QRadioButton*>(QStringLiteral("rb_Prelio"))->click();
  EXPECT_TRUE(publication->OptionAudio);
  EXPECT_FALSE(publication->OptionScript);
  EXPECT_TRUE(publication->OptionConserver);
  EXPECT_FALSE(publication->rb_Plivor);
  EXPECT_FALSE(panneau.findChild<QRadioButton*>(QStringLiteral("rb_Plivor"))->isChecked());
  auto* barre = panneau.findChild<QProgressBar*>(QStringLiteral("Pub_Progression"));
  std::vector<int> valeurs;
  QObject::connect(barre, &QProgressBar::valueChanged, [&](int v) { valeurs.push_back(v); });
  Textes().clear();
  panneau.findChild<QPushButton*>(QStringLiteral("Pub_btValider"))->click();
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Copie des ressources terminée !")});
  EXPECT_EQ(banc.Lire("pub/Spectacle.pvl"), Crlf(Attendu{true, false, true}.Principale()).toStdString());
  ASSERT_GE(valeurs.size(), 3u);
  EXPECT_EQ(valeurs.back(), 1000);
  EXPECT_TRUE(std::any_of(valeurs.begin(), valeurs.end(), [](int v) { return v > 0 && v < 1000; }));
  panneau.findChild<QPushButton*>(QStringLiteral("Pub_btRefermer"))->click();
  EXPECT_FALSE(publication->Ouvert);
  EXPECT_TRUE(panneau.isHidden());
}

TEST_F(PublicationTest, LesBoutonsDuPanneauRestentEnPlaceApresUnAssemblageInterrompu) {
  PanneauPublication panneau(*publication);
  ChoisirDossier("pub");
  publication->Publier();
  // As tall as the resource window leaves it: no room to spare.
  panneau.show();
  panneau.resize(226, panneau.minimumSizeHint().height());
  QCoreApplication::processEvents();
  const auto places = [&] {
    std::map<QString, QRect> p;
    for (QAbstractButton* b : panneau.findChildren<QAbstractButton*>())
      if (b->isVisible()) p[b->objectName()] = b->geometry();
    return p;
  };
  const auto avant = places();
  ASSERT_GE(avant.size(), 8u);
  // An assembly stopped by a folder where nothing can be created.
  QDir().mkpath(banc.CheminHote(QStringLiteral("pub")));
  ASSERT_TRUE(QFile::link(QStringLiteral("/sys"), banc.CheminHote(QStringLiteral("pub/Spectacle"))));
  EXPECT_FALSE(Assembler(false, false, true));
  QCoreApplication::processEvents();
  ASSERT_TRUE(panneau.findChild<QProgressBar*>(QStringLiteral("Pub_Progression"))->isVisible());
  EXPECT_EQ(places(), avant);
}

TEST_F(PublicationTest, PendantLaCopieLImageEstMontreeEtLeSonJoueDepuisSonDebut) {
  banc.Ecrire(QStringLiteral("show/son.pvl"), "sons\\air.wav\r\nimg\\rouge.jpg\r\n");
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("show/son.pvl"))));
  ChoisirDossier("pub");
  banc.vue->FermerAudio();  // the montage's preview had opened the sound
  banc.audio.journal.clear();
  // The first medium is always shown; the next waits its turn.
  publication->IntervalleApercu = 60000;
  ASSERT_TRUE(Assembler(false, false, true));
  const QString air = banc.CheminHote(QStringLiteral("show/sons/air.wav"));
  ASSERT_FALSE(banc.audio.journal.isEmpty());
  EXPECT_TRUE(std::any_of(banc.audio.journal.begin(), banc.audio.journal.end(),
                          [&](const QString& e) { return e.startsWith(QStringLiteral("ouvrir")) && e.endsWith(air); }))
      << banc.audio.journal.join(" | ").toStdString();
  EXPECT_TRUE(std::any_of(banc.audio.journal.begin(), banc.audio.journal.end(),
                          [](const QString& e) { return e.startsWith(QStringLiteral("jouer 0")); }))
      << banc.audio.journal.join(" | ").toStdString();
  // The music stops once the assembly is over.
  EXPECT_FALSE(banc.vue->AudioEnCours);
  EXPECT_EQ(banc.Lire("pub/Spectacle.pvl"), "Spectacle\\air.wav\r\nSpectacle\\rouge.jpg\r\n");
}

class PublicationProgramme : public PublicationTest {
 protected:
  PublicationProgramme()
      : installation(*banc.vue, DossiersXdg{banc.CheminHote("xdg/donnees"), banc.CheminHote("xdg/config"),
                                            banc.CheminHote("xdg/bureau")}) {
    publication->DefinirInstallation(&installation);
    // The program's folder is the test's own: the player and its companions.
    for (const char* nom : {"Plivor.hlp", "Plivor.ico", "Prelio.txt", "prelio"}) {
      banc.Ecrire(QString::fromUtf8(nom), std::string("contenu de ") + nom);
      Dater(banc.CheminHote(QString::fromUtf8(nom)), QDateTime(QDate(2020, 1, 1), QTime(1, 1, 1)));
    }
    QFile::setPermissions(banc.CheminHote("prelio"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner);
  }
  void Choisir(const QString& nom) {
    const int i = int(sources->Fichiers.indexOf(nom));
    ASSERT_GE(i, 0) << nom.toStdString();
    sources->DefinirSelection({i}, i);
  }

  Installation installation;
};

TEST_F(PublicationProgramme, LeLecteurEstCopieAvecSesDatesPuisLesFichiersDeDemarrage) {
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_btAutorun);
  publication->PubClick(BoutonPublication::Pub_Plivor);
  EXPECT_EQ(Textes(), (QStringList{QStringLiteral("Sélectionner auparavent un dossier de publication !"),
                                   QStringLiteral("Sélectionner auparavant un dossier de publication !")}));
  ChoisirDossier("pub");
  ASSERT_TRUE(Assembler(false, false, true));
  publication->rb_Plivor = false;
  Choisir(QStringLiteral("Spectacle.pvl"));
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_btAutorun);
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Le programme prelio n'est pas présent\rdans le dossier \"") +
                                  banc.CheminHote("pub") +
                                  QStringLiteral("\",\r\rCocher la case \"Prelio\" et\rCliquer sur l'icône \"Inclure le "
                                                 "programme\" pour l'installer !")});
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_Plivor);
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Installation terminée !")});
  const auto publie = Releve(banc.CheminHote("pub"));
  for (const char* nom : {"Plivor.hlp", "Plivor.ico", "Prelio.txt", "prelio"})
    EXPECT_TRUE(publie.at(nom) == Releve(banc.CheminHote("")).at(nom)) << nom;

  // Two lists chosen: refused; one: the pair and the script beside them.
  sources->ChoisirMasque(QStringLiteral("*.pvl;*.pvs;*.bak"));
  sources->DefinirSelection({0, 1}, 1);
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_btAutorun);
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Sélectionner auparavent une séquence\rdans la liste ci-dessous,\rqui "
                                                 "deviendra la séquence de démarrage !")});
  EXPECT_FALSE(QFileInfo::exists(banc.CheminHote("pub/Autorun.inf")));
  banc.montage->Transfert = {"presse-papiers"};
  Choisir(QStringLiteral("Spectacle.pvl"));
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_btAutorun);
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Fichiers de démarrage installés !")});
  EXPECT_EQ(banc.montage->Transfert, Liste{"presse-papiers"});
  EXPECT_EQ(banc.Lire("pub/Autorun.inf"), "[autorun]\r\nicon=Plivor.ico\r\nopen=prelio Autorun.pvl\r\n");
  EXPECT_EQ(banc.Lire("pub/Autorun.pvl"), banc.Lire("pub/Spectacle.pvl"));
  EXPECT_EQ(banc.Lire("pub/autorun.sh"),
            "#!/bin/sh\n"
            "# Starts the show of this folder with the player carried beside it,\n"
            "# or with one installed on this machine; options go to the player.\n"
            "# One the system cannot start (126, 127: not runnable, a library\n"
            "# missing) gives way to the next; any other end is the show's.\n"
            "cd \"$(dirname \"$0\")\" || exit 1\n"
            "echoue=\n"
            "for p in './prelio' './plivor' 'prelio' 'plivor'; do\n"
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
            "echo \"Plivor est introuvable.\" >&2\n"
            "exit 1\n");
  EXPECT_TRUE(QFileInfo(banc.CheminHote("pub/autorun.sh")).isExecutable());
}

TEST_F(PublicationProgramme, LaListeDeDemarrageEstUneListeDuDossierEtLAncienneResteEnBak) {
  ChoisirDossier("pub");
  ASSERT_TRUE(Assembler(false, false, true));
  publication->rb_Plivor = false;
  publication->PubClick(BoutonPublication::Pub_Plivor);
  ASSERT_TRUE(sources->OuvrirDossier(banc.CheminHote(QStringLiteral("pub"))));
  Choisir(QStringLiteral("Spectacle.pvl"));
  publication->PubClick(BoutonPublication::Pub_btAutorun);
  const std::string premiere = banc.Lire("pub/Autorun.pvl");
  ASSERT_EQ(premiere, banc.Lire("pub/Spectacle.pvl"));
  const QString refus = QStringLiteral("La séquence de démarrage doit être une liste \".pvl\" du dossier de "
                                       "publication\r\"") + banc.CheminHote("pub") + QStringLiteral("\" !");
  // A list of a sub-folder, one outside, a script and a backup: refused,
  // nothing written.
  banc.Ecrire(QStringLiteral("pub/extra/fin.pvl"), "Tempo=900.pvi\r\n..\\Spectacle\\bleu.jpg\r\n");
  banc.Ecrire(QStringLiteral("pub/vieux.bak"), "Tempo=900.pvi\r\n");
  const std::pair<const char*, const char*> choix[] = {
      {"pub/extra", "fin.pvl"}, {"sous", "intro.pvl"}, {"pub", "effets.pvs"}, {"pub", "vieux.bak"}};
  for (const auto& [dossier, nom] : choix) {
    ASSERT_TRUE(sources->OuvrirDossier(banc.CheminHote(QString::fromUtf8(dossier))));
    Choisir(QString::fromUtf8(nom));
    Textes().clear();
    publication->PubClick(BoutonPublication::Pub_btAutorun);
    EXPECT_EQ(Textes(), QStringList{refus}) << nom;
    EXPECT_EQ(banc.Lire("pub/Autorun.pvl"), premiere) << nom;
  }
  // Another of the folder's lists: the former start list becomes Autorun.bak.
  banc.Ecrire(QStringLiteral("pub/autre.pvl"), "Tempo=700.pvi\r\nSpectacle\\bleu.jpg\r\n");
  ASSERT_TRUE(sources->OuvrirDossier(banc.CheminHote(QStringLiteral("pub"))));
  Choisir(QStringLiteral("autre.pvl"));
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_btAutorun);
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Fichiers de démarrage installés !")});
  EXPECT_EQ(banc.Lire("pub/Autorun.pvl"), "Tempo=700.pvi\r\nSpectacle\\bleu.jpg\r\n");
  EXPECT_EQ(banc.Lire("pub/Autorun.bak"), premiere);
}

TEST_F(PublicationProgramme, AutorunShNeLancePasCeQueContientLeNomDuProgrammeEtDemarreLeSpectacle) {
  ChoisirDossier("pub");
  ASSERT_TRUE(Assembler(false, false, true));
  // A program whose name holds a command, quotes, a ";" and a space.
  const QString nom = QStringLiteral("pl$(touch INJ)i'v\"o;r `touch INJ2` x");
  banc.vue->CheminProgramme = VersCp1252((banc.CheminHote(QString()) + QLatin1Char('/') + nom).toStdString()).value();
  const QString joueur = banc.CheminHote(QStringLiteral("pub/")) + nom;
  {
    QFile f(joueur);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\necho \"$@\" > joue.txt\n");
  }
  ASSERT_TRUE(QFile::setPermissions(joueur, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
  publication->rb_Plivor = true;
  ASSERT_TRUE(sources->OuvrirDossier(banc.CheminHote(QStringLiteral("pub"))));
  Choisir(QStringLiteral("Spectacle.pvl"));
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_btAutorun);
  ASSERT_EQ(Textes(), QStringList{QStringLiteral("Fichiers de démarrage installés !")});
  // Run with sh from elsewhere, as a desktop would.
  QProcess sh;
  sh.setWorkingDirectory(banc.CheminHote(QString()));
  sh.start(QStringLiteral("sh"), {banc.CheminHote(QStringLiteral("pub/autorun.sh")), QStringLiteral("--plein")});
  ASSERT_TRUE(sh.waitForFinished(20000));
  EXPECT_EQ(sh.exitCode(), 0) << sh.readAllStandardError().toStdString();
  EXPECT_EQ(banc.Lire("pub/joue.txt"), "--plein Autorun.pvl\n");
  QDirIterator it(banc.CheminHote(QString()), {QStringLiteral("INJ*")}, QDir::Files, QDirIterator::Subdirectories);
  EXPECT_FALSE(it.hasNext()) << it.next().toStdString();
}

TEST_F(PublicationProgramme, UneCopieDuProgrammeQuiEchoueNEstPasDiteTerminee) {
  ChoisirDossier("pub");
  QFile::remove(banc.CheminHote("Prelio.txt"));
  publication->rb_Plivor = false;
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_Plivor);
  EXPECT_EQ(Textes(), QStringList{QStringLiteral("Le Fichier \"") + banc.CheminHote("Prelio.txt") +
                                  QStringLiteral("\" est absent !!!\r\rConsulter le fichier d'aide.")});
  // Into the program's own folder: refused, nothing said done.
  ChoisirDossier("");
  Textes().clear();
  publication->PubClick(BoutonPublication::Pub_Plivor);
  ASSERT_EQ(Textes().size(), 1);
  EXPECT_TRUE(Textes().front().startsWith(QStringLiteral("Dossier-destination "))) << Textes().front().toStdString();
}

}  // namespace
}  // namespace plivor
