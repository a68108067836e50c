// The help as built beside the program: every topic a window opens has its
// page in the file it is opened in, and the page of the sequence language
// names every keyword and value of the tables, with lines the core reads
// back as they are meant.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <map>
#include <set>

#include "core/FichiersListe.h"
#include "core/Langue.h"
#include "core/Lignes.h"
#include "core/Vocabulaire.h"
#include "montage/BancMontage.h"
#include "montage/Constructeur.h"
#include "montage/MenuScenes.h"
#include "montage/MiseEnForme.h"
#include "opener/TFOuvrir.h"
#include "options/Installation.h"
#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/FichiersHote.h"
#include "platform/Freedesktop.h"
#include "sources/Publication.h"
#include "sources/Sources.h"

namespace plivor {
namespace {

using test::BancMontage;

const QString kConstruction = QStringLiteral(PLIVOR_CONSTRUCTION);

// The page the built help holds for a call recorded as "file#topic".
QString PageConstruite(const QString& appel) {
  const int diese = int(appel.lastIndexOf(QLatin1Char('#')));
  const QString fichier = QFileInfo(appel.left(diese)).fileName();
  return kConstruction + QLatin1Char('/') + fichier + QLatin1Char('/') + appel.mid(diese + 1) +
         QStringLiteral(".html");
}

QString Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

class Rubriques : public testing::Test {
 protected:
  Rubriques() { QDir().mkpath(banc.CheminHote(QStringLiteral("medias"))); }

  // The help of the opener's window, as its button gives it.
  void AideOuvreur() {
    TFOuvrir ouvreur(*banc.vue);
    for (QPushButton* b : ouvreur.findChildren<QPushButton*>())
      if (b->toolTip() == QStringLiteral("Aide (F1)")) b->click();
  }
  // An installation from a program folder that lacks its files.
  void InstallationIncomplete() {
    const QString maison = banc.CheminHote(QStringLiteral("maison"));
    Installation installation(*banc.vue, DossiersXdg{maison + QStringLiteral("/donnees"),
                                                     maison + QStringLiteral("/config"), maison + QStringLiteral("/Bureau")});
    installation.opt_RNomDossier = maison + QStringLiteral("/Plivor");
    EXPECT_FALSE(installation.Installer());
  }

  BancMontage banc;
};

TEST_F(Rubriques, ChaqueRubriqueOuverteASaPageDansSonFichier) {
  // The projection's help, for every sender it may be given.
  for (int e = int(Emetteur::Aucun); e <= int(Emetteur::AProposAuteur); ++e)
    banc.vue->AppelAide(static_cast<Emetteur>(e));
  AideOuvreur();
  InstallationIncomplete();

  banc.montage->AppelAide();
  MenuScenes(*banc.montage).CreerMenu(BoutonMenu::Aide);

  // The formatting panel, on a window and on the title's font.
  Constructeur constructeur(*banc.montage);
  banc.Lignes({"Tempo=1000.pvi"}, {0});
  constructeur.NvelleInstruction(BoutonInstruction::Diapo, false);
  constructeur.ChoixCmd(6);  // Fenetre=Formater
  ASSERT_TRUE(constructeur.Panneau().Visible());
  constructeur.Panneau().Aide();
  constructeur.Panneau().Annuler();
  constructeur.NvelleInstruction(BoutonInstruction::Titre, true);
  constructeur.ChoixCmd(7);  // Titre-Fonte=Choisir
  ASSERT_EQ(constructeur.Panneau().ContexteAide(), 2902);
  constructeur.Panneau().Aide();
  constructeur.Panneau().Annuler();

  // The resource window and its filters.
  Sources sources(*banc.vue, *banc.montage, banc.CheminHote(QStringLiteral("medias")));
  sources.Aide();
  sources.CreerFiltre();
  sources.AideFiltre();
  sources.FiltrageFermer();
  // The projection, the opener and the installation open their topic in the
  // help file in force: with the publication's, each still finds its page.
  Publication publication(sources);
  publication.Aide();
  InstallationIncomplete();
  AideOuvreur();
  for (int e = int(Emetteur::Aucun); e <= int(Emetteur::AProposAuteur); ++e)
    banc.vue->AppelAide(static_cast<Emetteur>(e));

  const QStringList& appels = banc.bureau.aides;
  std::set<QString> vus;
  for (const QString& appel : appels) {
    if (!vus.insert(appel).second) continue;
    const QString page = PageConstruite(appel);
    const QString texte = Lire(page);
    EXPECT_TRUE(QFileInfo::exists(page)) << appel.toStdString() << " : " << page.toStdString();
    // A page of its own, not the contents reached by default.
    EXPECT_TRUE(texte.contains(QStringLiteral("<h2>"))) << page.toStdString();
    EXPECT_FALSE(page.endsWith(QStringLiteral("/index.html")));
  }
  // Every window was heard: both help files, each help topic the windows name.
  std::set<QString> attendus;
  for (const char* a : {"Plivor.hlp#1000", "Plivor.hlp#1670", "Plivor.hlp#1600", "Plivor.hlp#1660", "Plivor.hlp#100",
                        "Plivor.hlp#200", "Plivor.hlp#5000", "Plivor.hlp#250", "Plivor.hlp#2000", "Plivor-S.hlp#6000",
                        "Plivor-S.hlp#2802", "Plivor-S.hlp#2902", "Plivor-S.hlp#3500", "Plivor-S.hlp#5000",
                        "Plivor-S.hlp#250"})
    attendus.insert(QString::fromLatin1(a));
  std::set<QString> entendus;
  for (const QString& appel : appels) entendus.insert(QFileInfo(appel).fileName());
  for (const QString& a : attendus) EXPECT_TRUE(entendus.count(a)) << a.toStdString();
}

TEST_F(Rubriques, LesSommairesMenentAChaquePage) {
  for (const char* nom : {"Plivor.hlp", "Plivor-S.hlp"}) {
    const QString fichier = QString::fromLatin1(nom);
    const QDir dossier(kConstruction + QLatin1Char('/') + fichier);
    const QString sommaire = Lire(dossier.filePath(QStringLiteral("index.html")));
    ASSERT_FALSE(sommaire.isEmpty()) << fichier.toStdString();
    for (const QString& page : dossier.entryList({QStringLiteral("*.html")}, QDir::Files)) {
      const QString texte = Lire(dossier.filePath(page));
      // The charset is said, so that accents show right.
      EXPECT_TRUE(texte.contains(QStringLiteral("<meta charset=\"utf-8\">"))) << page.toStdString();
      if (page == QStringLiteral("index.html")) continue;
      // A relay leads to the page of the other file, which its contents list.
      const QRegularExpression relais(QStringLiteral("class=\"relais\">[^<]*<a href=\"([^\"]+)\""));
      if (const auto m = relais.match(texte); m.hasMatch()) {
        EXPECT_TRUE(QFileInfo::exists(dossier.filePath(m.captured(1)))) << page.toStdString();
        continue;
      }
      EXPECT_TRUE(sommaire.contains(QStringLiteral("href=\"%1\"").arg(page)))
          << fichier.toStdString() << "/index.html ne mène pas à " << page.toStdString();
    }
  }
}

// ---- The page of the sequence language.

// The grammar records, read from the table's bytes as they are stored.
std::vector<FicheGrammaire> Grammaire() {
  std::vector<FicheGrammaire> fiches;
  const Texte& table = TableGrammaire();
  for (std::size_t i = 6; i + 4 < table.size(); i += 5) {
    FicheGrammaire f;
    f.octets = table.substr(i + 1, 4);
    if (f.Vide()) break;
    fiches.push_back(f);
  }
  return fiches;
}

std::string SansEntites(QString texte) {
  texte.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  texte.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return texte.toStdString();
}

TEST(Langage, LaPageNommeChaqueMotCleEtChaqueValeurAvecUneLigneQueLeCoeurRelit) {
  const QString page = Lire(kConstruction + QStringLiteral("/Plivor-S.hlp/2100.html"));
  ASSERT_FALSE(page.isEmpty());
  EXPECT_TRUE(Lire(kConstruction + QStringLiteral("/Plivor-S.hlp/index.html")).contains(QStringLiteral("2100.html")));
  EXPECT_TRUE(Lire(kConstruction + QStringLiteral("/Plivor.hlp/index.html")).contains(QStringLiteral("2100.html")));

  // The viewer reads the accents as written.
  QTextBrowser visionneuse;
  visionneuse.setSource(QUrl::fromLocalFile(kConstruction + QStringLiteral("/Plivor-S.hlp/2100.html")));
  const QString affiche = visionneuse.toPlainText();
  EXPECT_TRUE(affiche.contains(QString::fromUtf8("Le langage des séquences"))) << affiche.left(200).toStdString();
  EXPECT_TRUE(affiche.contains(QString::fromUtf8("Transition=Vénitien fin.pvi")));
  EXPECT_FALSE(affiche.contains(QString::fromUtf8("Ã")));

  const std::vector<FicheGrammaire> grammaire = Grammaire();
  ASSERT_EQ(grammaire.size(), 201u);
  const std::vector<EntreeVocabulaire> mots = EntreesMotsCles(TableMotsCles());
  ASSERT_EQ(mots.size(), 53u);
  const QRegularExpression exemple(QStringLiteral("<code class=\"exemple\">(.*?)</code>"));

  // Every example goes through a list file, written and read back by the core.
  QTemporaryDir dossier;
  FichiersHote fichiers;
  const Texte liste = *VersCp1252((dossier.path() + QStringLiteral("/exemples.pvl")).toStdString());
  Liste lignes;
  std::vector<int> motDeLigne;
  for (const EntreeVocabulaire& mot : mots) {
    const QString titre = QStringLiteral("<a name=\"mc%1\"></a>%2</h3>").arg(mot.code).arg(QString::fromStdString(VersUtf8(mot.mot)));
    const qsizetype debut = page.indexOf(titre);
    ASSERT_GE(debut, 0) << VersUtf8(mot.mot);
    const qsizetype fin = page.indexOf(QStringLiteral("<h3>"), debut);
    const QString section = page.mid(debut, fin < 0 ? -1 : fin - debut);
    int trouves = 0;
    for (auto it = exemple.globalMatch(section); it.hasNext();) {
      const auto ligne = VersCp1252(SansEntites(it.next().captured(1)));
      ASSERT_TRUE(ligne.has_value());
      lignes.push_back(*ligne);
      motDeLigne.push_back(mot.code);
      ++trouves;
    }
    EXPECT_GT(trouves, 0) << VersUtf8(mot.mot);
  }
  ASSERT_TRUE(EcrireListe(liste, lignes, fichiers));
  const auto lue = LireListe(liste, fichiers);
  ASSERT_TRUE(lue.has_value());
  ASSERT_EQ(lue->lignes.size(), lignes.size());

  // Each line is read as its keyword, lands on a grammar record, and the
  // records the examples reach are all of them, each once.
  std::map<Texte, int> atteintes;
  for (std::size_t i = 0; i < lue->lignes.size(); ++i) {
    const Texte& l = lue->lignes[i];
    EXPECT_EQ(CodeMotCle(MotCle(l)), motDeLigne[i]) << VersUtf8(l);
    const FicheGrammaire f = EntreeGrammaire(l);
    EXPECT_FALSE(f.Vide()) << VersUtf8(l);
    EXPECT_EQ(f.MotCle(), motDeLigne[i]) << VersUtf8(l);
    EXPECT_EQ(Extension(l), f.ExtensionLigne()) << VersUtf8(l);
    const int genre = GenreExtension(l);
    EXPECT_TRUE(genre == Genre::Instruction || genre == Genre::InstructionTexte || genre == Genre::Ressource ||
                genre == Genre::Drapeau)
        << VersUtf8(l);
    if (ClasseMotCle(l) == 0) {
      EXPECT_EQ(Valeur(l), NomValeur(f.IdentifiantValeur())) << VersUtf8(l);
    }
    ++atteintes[f.octets];
  }
  for (const FicheGrammaire& f : grammaire)
    EXPECT_EQ(atteintes[f.octets], 1) << VersUtf8(NomMotCle(f.MotCle())) << " " << f.CodeValeur();
  EXPECT_EQ(lue->lignes.size(), grammaire.size());
}

// A help file gone (a copy without its folders) is said in a box of the
// program's, as every message is, not in one of its own.
TEST(AideAbsente, LeMessagePasseParLesDialoguesDuProgramme) {
  QTemporaryDir dossier;
  DialoguesScriptes dialogues;
  BureauHote bureau(dialogues);
  const QString absent = dossier.filePath(QStringLiteral("Plivor.hlp"));
  bureau.OuvrirAide(absent, 1000);
  EXPECT_EQ(dialogues.textes, QStringList{QStringLiteral("Fichier d'aide absent : ") + absent});
}

}  // namespace
}  // namespace plivor
