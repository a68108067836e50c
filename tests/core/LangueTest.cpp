#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/FichiersListe.h"
#include "core/Langue.h"
#include "support/FichiersMemoire.h"
#include "support/MessagerieEnregistree.h"

namespace plivor {
namespace {

using test::FichiersMemoire;
using test::MessagerieEnregistree;

// An English keyword table with a few entries, encoded as the built-in one.
Texte MotsClesAnglais() {
  Texte t = {OctetCode(0), 'e', 'n', 'G', OctetCode(0), static_cast<char>(0xB6)};
  for (const auto& [code, mot] : std::vector<std::pair<int, Texte>>{{1, "Advance"}, {9, "Tempo"}, {60, "Transition"}})
    t += Texte("+") + OctetCode(code) + OctetCode(static_cast<int>(mot.size())) + mot;
  return t + "+";
}

Texte ValeursAnglaises() {
  Texte t = {OctetCode(0), 'Z', 'V', 'L', 'e', 'n', OctetCode(0)};
  int id = 0;
  for (const auto& [code, mot] : std::vector<std::pair<int, Texte>>{{0, "empty"}, {2, "Pause"}, {3, "Left"}})
    t += Texte("=") + OctetCode(id++) + OctetCode(code) + OctetCode(static_cast<int>(mot.size())) + mot;
  return t;
}

class Langues : public ::testing::Test {
 protected:
  FichiersMemoire fichiers{StyleChemins::Windows, "C:\\"};
  MessagerieEnregistree messages;
  EtatLangue etat;
  const Texte programme = "C:\\Plivor";
};

TEST_F(Langues, EnglishTablesInstallAndParse) {
  fichiers.Ajouter("C:\\Plivor\\lg.pvg", JoindreLignes({"Entete=Plivor", "enG=" + MotsClesAnglais(),
                                                        "ENV=" + ValeursAnglaises()}));
  EXPECT_EQ(ChoisirLangue("En", programme, fichiers, messages, etat), ResultatLangue::Installee);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0], "Langage \"En\" installé !");
  EXPECT_TRUE(etat.langueInstallee);
  EXPECT_EQ(etat.codeLangue, "En");

  const Tables& actives = TablesActives(etat);
  EXPECT_EQ(CodeCombine("Advance=Pause.pvi", actives), 102);
  EXPECT_EQ(CodeCombine("Transition=Left.pvi", actives), 6003);
  EXPECT_EQ(NomMotCle(60, actives), "Transition");
  // French words the installed tables lack give code 0.
  EXPECT_EQ(CodeMotCle("Avance", actives), 0);
  EXPECT_EQ(CodeCombine("Transition=Gauche.pvi", actives), 6000);

  EXPECT_EQ(ChoisirLangue("", programme, fichiers, messages, etat), ResultatLangue::Retiree);
  EXPECT_FALSE(etat.langueInstallee);
  EXPECT_TRUE(etat.codeLangue.empty());
  EXPECT_EQ(CodeMotCle("Avance", TablesActives(etat)), 1);
}

TEST_F(Langues, MissingFile) {
  EXPECT_EQ(ChoisirLangue("Ge", programme, fichiers, messages, etat), ResultatLangue::Introuvable);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0],
            "Fichier langage introuvable...\r\rRechercher ou télécharger le fichier \"lg.pvg\"et "
            "l'installer dans le dossier du programme.");
  EXPECT_FALSE(etat.langueInstallee);
}

TEST_F(Langues, FileWithoutTheLanguageFailsAndKeepsTheLanguageInForce) {
  fichiers.Ajouter("C:\\Plivor\\lg.pvg", JoindreLignes({"EnG=" + MotsClesAnglais(), "EnV=" + ValeursAnglaises(),
                                                        "SpG=" + MotsClesAnglais()}));
  ASSERT_EQ(ChoisirLangue("En", programme, fichiers, messages, etat), ResultatLangue::Installee);
  EXPECT_EQ(ChoisirLangue("Sp", programme, fichiers, messages, etat), ResultatLangue::Echec);
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[1],
            "Echec d'installation du Langage \"Sp\"...\r\rTélécharger un fichier \"lg.pvg\" contenant cette "
            "langueet l'installer dans le dossier du programme.");
  EXPECT_TRUE(etat.langueInstallee);
  EXPECT_EQ(etat.codeLangue, "En");
  EXPECT_EQ(CodeMotCle("Advance", TablesActives(etat)), 1);
}

TEST(ValeursNommees, FirstEqualsSeparatesAndNamesIgnoreCase) {
  const Liste lignes = {"a=1", "Nom=x=y", "NOM=z"};
  EXPECT_EQ(ValeurNommee(lignes, "nom"), "x=y");
  EXPECT_EQ(ValeurNommee(lignes, "absent"), "");
}

// ---- The English tables shipped in the language file.

TEST(LangueAnglaise, EveryFrenchEntryHasItsEnglishOneUnderItsCode) {
  const Tables& en = TablesAnglaises();
  EXPECT_EQ(en.motsCles.substr(0, 6), Texte("\x80""enG\x80\xB6"));
  EXPECT_EQ(en.motsCles.back(), '+');
  EXPECT_EQ(en.valeurs.substr(0, 7), Texte("\x80ZVLen\x80"));

  const auto motsFr = EntreesMotsCles(TableMotsCles());
  const auto motsEn = EntreesMotsCles(en.motsCles);
  ASSERT_EQ(motsFr.size(), 53u);
  ASSERT_EQ(motsEn.size(), motsFr.size());
  for (std::size_t i = 0; i < motsFr.size(); ++i) {
    EXPECT_EQ(motsEn[i].code, motsFr[i].code) << motsFr[i].mot;
    // The first match of the word is its own entry: no word hides another.
    EXPECT_EQ(CodeMotCle(motsEn[i].mot, en), motsFr[i].code) << motsEn[i].mot;
  }
  // The whole table is walked: nothing after the last entry but "+".
  std::size_t taille = 6 + 1;
  for (const auto& e : motsEn) taille += 3 + e.mot.size();
  EXPECT_EQ(taille, en.motsCles.size());

  const auto valeursFr = EntreesValeurs(TableValeurs());
  const auto valeursEn = EntreesValeurs(en.valeurs);
  ASSERT_EQ(valeursFr.size(), 98u);
  ASSERT_EQ(valeursEn.size(), valeursFr.size());
  for (std::size_t i = 0; i < valeursFr.size(); ++i) {
    EXPECT_EQ(valeursEn[i].identifiant, valeursFr[i].identifiant);
    EXPECT_EQ(valeursEn[i].code, valeursFr[i].code);
    EXPECT_EQ(NomValeur(valeursFr[i].identifiant, en), valeursEn[i].mot);
    // Read back, the word gives the code of the French word.
    EXPECT_EQ(CodeValeur(valeursEn[i].mot, en), valeursFr[i].code) << valeursEn[i].mot;
  }
}

TEST(LangueAnglaise, WordsAreLineWordsAndUniqueWhereALineCouldMistakeThem) {
  const Tables& en = TablesAnglaises();
  std::set<Texte> motsCles;
  for (const auto& e : EntreesMotsCles(en.motsCles)) {
    EXPECT_TRUE(motsCles.insert(e.mot).second) << e.mot;
    EXPECT_EQ(e.mot.find_first_of("=+\r\n"), Texte::npos) << e.mot;
    EXPECT_EQ(MotCle(e.mot + "=x.pvi"), e.mot);
  }
  // One English value word may serve two French ones only when they share
  // a code: a line reads the same whichever it meant.
  std::map<Texte, std::set<int>> codes;
  std::map<Texte, int> francais;
  for (const auto& e : EntreesValeurs(en.valeurs)) {
    EXPECT_FALSE(e.mot.empty());
    EXPECT_EQ(e.mot.find_first_of("=+\r\n"), Texte::npos) << e.mot;
    codes[e.mot].insert(e.code);
    ++francais[e.mot];
  }
  for (const auto& [mot, ensemble] : codes) EXPECT_EQ(ensemble.size(), 1u) << mot;
  std::set<Texte> partages;
  for (const auto& [mot, n] : francais)
    if (n > 1) partages.insert(mot);
  EXPECT_EQ(partages, (std::set<Texte>{"New", "Normal"}));
  // Menu=Masquer is told apart by the word of the identifier of "Masquer".
  EXPECT_EQ(CodeCombine("Menu=Hide.pvi", en), 1212);
  EXPECT_EQ(CodeCombine("Icons=Hide.pvi", en), 202);
}

TEST_F(Langues, TheShippedLanguageFileInstallsFrenchAndEnglish) {
  const std::string contenu = ContenuFichierLangue();
  const Liste lignes = DecouperLignes(contenu);
  ASSERT_EQ(lignes.size(), 5u);
  EXPECT_EQ(JoindreLignes(lignes), contenu);  // CR LF after every line
  EXPECT_EQ(lignes[0], "Entete=Plivor");
  fichiers.Ajouter("C:\\Plivor\\lg.pvg", contenu);

  ASSERT_EQ(ChoisirLangue("En", programme, fichiers, messages, etat), ResultatLangue::Installee);
  EXPECT_EQ(messages.messages.back(), "Langage \"En\" installé !");
  EXPECT_EQ(etat.tablesLangue.motsCles, TablesAnglaises().motsCles);
  EXPECT_EQ(etat.tablesLangue.valeurs, TablesAnglaises().valeurs);
  EXPECT_EQ(CodeCombine("Transition=Left.pvi", TablesActives(etat)), 6003);

  ASSERT_EQ(ChoisirLangue("Fr", programme, fichiers, messages, etat), ResultatLangue::Installee);
  EXPECT_EQ(etat.tablesLangue.motsCles, TableMotsCles());
  EXPECT_EQ(etat.tablesLangue.valeurs, TableValeurs());
  EXPECT_EQ(ChoisirLangue("Ge", programme, fichiers, messages, etat), ResultatLangue::Echec);
}

// ---- Translating a list and swapping the languages.

// What the system reads of a line: its kind by extension, its instruction
// code, its keyword's class and its grammar entry, byte for byte.
Texte Lecture(const Texte& ligne, const Tables& tables) {
  return std::to_string(GenreExtension(ligne)) + "|" + std::to_string(CodeCombine(ligne, tables)) + "|" +
         std::to_string(ClasseMotCle(ligne, tables)) + "|" + EntreeGrammaire(ligne, tables).octets;
}

std::vector<Texte> Lectures(const Liste& lignes, const Tables& tables) {
  std::vector<Texte> r;
  for (const Texte& l : lignes) r.push_back(l + " -> " + Lecture(l, tables));
  return r;
}

Liste Traduites(const Liste& lignes, const EtatLangue& etat) {
  Liste r;
  for (const Texte& l : lignes) r.push_back(TraduireLigne(l, etat));
  return r;
}

// A free value of the kind a grammar entry's editor asks for.
Texte ValeurLibre(int editeur) {
  switch (editeur) {
    case Editeur::Nombre: return "2500";
    case Editeur::Fichier: return "C:\\Images\\photo.jpg";
    case Editeur::Couleur: return "$00FF8040";
    case Editeur::Police: return "Arial Black+N128";
    case Editeur::Geometrie: return "W234H345";
    default: return Cp("Scène 1");
  }
}

// One line for each grammar entry, as the instruction builder writes them,
// and each free-valued one again with a value of its kind.
Liste LignesDeLaGrammaire() {
  Liste lignes;
  const Texte& table = TableGrammaire();
  for (std::size_t i = 6; i + 4 < table.size() && table[i] == '+'; i += 5) {
    FicheGrammaire fiche;
    fiche.octets = table.substr(i + 1, 4);
    if (fiche.Vide()) break;
    const Texte debut = NomMotCle(fiche.MotCle()) + "=";
    lignes.push_back(debut + NomValeur(fiche.IdentifiantValeur()) + fiche.ExtensionLigne());
    if (ClasseMotCle(debut) != 0) lignes.push_back(debut + ValeurLibre(fiche.Editeur()) + fiche.ExtensionLigne());
  }
  return lignes;
}

TEST_F(Langues, TranslatingThenSwappingReadsEveryLineAsBeforeAndTranslatingAgainGivesItBack) {
  const Liste origine = LignesDeLaGrammaire();
  std::set<int> motsCles;
  for (const Texte& l : origine) motsCles.insert(CodeMotCle(MotCle(l)));
  ASSERT_EQ(motsCles.size(), 53u);  // every keyword
  ASSERT_EQ(origine.size(), 201u + 32u);  // 32 keywords take a free value
  // Lines the builder does not write: words outside the keyword's list,
  // unknown words and keywords, a capital extension, a wrong one.
  const Liste etranges = {"Avance=Arrêt.pvi",     "Avance=Gauche.pvi",     "Avance=Normal.pvi",
                          "Menu=Pause.pvi",       "Tempo=abc.pvi",         "Foo=Bar.pvi",
                          "Transition=Gauche.PVI", "Fenetre=Rénover.pvi", "Titrage=a=b.pvv",
                          "C:\\Images\\a.jpg",    "Saut=.pvi",             ".pvi"};
  Liste lignes = origine;
  for (const Texte& l : etranges) lignes.push_back(Cp(l));
  const auto avant = Lectures(lignes, TablesFrancaises());

  fichiers.Ajouter("C:\\Plivor\\lg.pvg", ContenuFichierLangue());
  ASSERT_EQ(ChoisirLangue("En", programme, fichiers, messages, etat), ResultatLangue::Installee);
  const Liste anglaises = Traduites(lignes, etat);
  const std::map<Texte, Texte> exemples = {
      {"Transition=Gauche.pvi", "Transition=Left.pvi"},
      {"Menu=Masquer.pvi", "Menu=Hide.pvi"},
      {"Audio=Normal.pvi", "Audio=Normal.pvi"},
      {"Avance=Normale.pvi", "Advance=Normal.pvi"},
      {"Fenetre-Position=en haut à Droite.pvi", "Window-Position=Top right.pvi"},
      {"Duree=1,5-sec.pvi", "Duration=1.5-sec.pvi"},
      {"Fenetre=Formater.pvi", "Window=Format.pvi"},
      {"Drapeau=Scène 1.pvd", "Flag=Scène 1.pvd"},
      {"Tempo=2500.pvi", "Tempo=2500.pvi"},
      {"Fenetre=Rénover.pvi", "Window=Refresh.pvi"},
      {"Avance=Arrêt.pvi", "Advance=Arrêt.pvi"},
      {"Foo=Bar.pvi", "Foo=Bar.pvi"},
  };
  for (const auto& [francaise, anglaise] : exemples) {
    const auto ou = std::find(lignes.begin(), lignes.end(), Cp(francaise));
    ASSERT_NE(ou, lignes.end()) << francaise;
    EXPECT_EQ(anglaises[static_cast<std::size_t>(ou - lignes.begin())], Cp(anglaise));
  }
  // Each keyword is the English one of its code.
  for (std::size_t i = 0; i < origine.size(); ++i)
    EXPECT_EQ(MotCle(anglaises[i]), NomMotCle(CodeMotCle(MotCle(origine[i])), TablesAnglaises())) << origine[i];
  for (std::size_t i = 0; i < lignes.size(); ++i)
    EXPECT_EQ(lignes[i] + " -> " + Lecture(anglaises[i], TablesActives(etat)), avant[i]) << anglaises[i];

  InverserLangues(etat);
  ASSERT_EQ(etat.tablesPremiere.motsCles, TablesAnglaises().motsCles);
  for (std::size_t i = 0; i < lignes.size(); ++i)
    EXPECT_EQ(lignes[i] + " -> " + Lecture(anglaises[i], TablesActives(etat)), avant[i]) << anglaises[i];

  // Translated back: the builder's lines byte for byte, the others read alike.
  const Liste retour = Traduites(anglaises, etat);
  EXPECT_EQ(Liste(retour.begin(), retour.begin() + static_cast<long>(origine.size())), origine);
  etat.langueInstallee = true;  // as "Traduire" leaves it
  EXPECT_EQ(Lectures(retour, TablesActives(etat)), Lectures(retour, TablesFrancaises()));
  for (std::size_t i = 0; i < lignes.size(); ++i)
    EXPECT_EQ(lignes[i] + " -> " + Lecture(retour[i], TablesActives(etat)), avant[i]) << retour[i];

  InverserLangues(etat);
  EXPECT_EQ(etat.tablesPremiere.motsCles, TableMotsCles());
  EXPECT_EQ(etat.tablesPremiere.valeurs, TableValeurs());
  EXPECT_EQ(Lectures(retour, TablesActives(etat)), Lectures(retour, TablesFrancaises()));
}

TEST_F(Langues, SwappingBeforeTranslatingKeepsAnEnglishListReadable) {
  // A list received in English: the installed language reads it.
  const Liste anglaise = {"Tempo=2000.pvi", "Transition=Curtain-closing.pvi", "Window-Style=Full screen.pvi",
                          "Title-Position=Bottom center.pvi", "GoTo=End.pvi"};
  fichiers.Ajouter("C:\\Plivor\\lg.pvg", ContenuFichierLangue());
  ASSERT_EQ(ChoisirLangue("En", programme, fichiers, messages, etat), ResultatLangue::Installee);
  const auto lues = Lectures(anglaise, TablesActives(etat));
  EXPECT_EQ(CodeCombine(anglaise[1], TablesActives(etat)), 6006);
  EXPECT_EQ(CodeCombine(anglaise[2], TablesActives(etat)), 3503);

  InverserLangues(etat);
  EXPECT_EQ(Lectures(anglaise, TablesActives(etat)), lues);
  const Liste francaise = Traduites(anglaise, etat);
  EXPECT_EQ(francaise, (Liste{"Tempo=2000.pvi", "Transition=Rideau-fermant.pvi", Cp("Fenetre-Style=Plein écran.pvi"),
                              "Titre-Position=Centrer en bas.pvi", "AllerA=End.pvi"}));
  etat.langueInstallee = true;
  EXPECT_EQ(Lectures(francaise, TablesActives(etat)), Lectures(francaise, TablesFrancaises()));
}

}  // namespace
}  // namespace plivor
