#include <gtest/gtest.h>

#include <set>

#include "core/Vocabulaire.h"

namespace plivor {
namespace {

// Walks an encoded keyword table: (code, word) of each entry.
std::vector<std::pair<int, Texte>> EntreesMotsCles(const Texte& table) {
  std::vector<std::pair<int, Texte>> entrees;
  std::size_t i = 6;
  while (i + 2 < table.size() && table[i] == '+') {
    const int code = CodeOctet(table[i + 1]);
    const auto longueur = static_cast<std::size_t>(CodeOctet(table[i + 2]));
    entrees.emplace_back(code, table.substr(i + 3, longueur));
    i += 3 + longueur;
  }
  return entrees;
}

TEST(Tables, HeadersAndSizes) {
  EXPECT_EQ(TableMotsCles().substr(0, 6), Texte("\x80""frG\x80\xB6"));
  EXPECT_EQ(TableMotsCles().back(), '+');
  EXPECT_EQ(TableValeurs().substr(0, 7), Texte("\x80ZVLfr\x80"));
  EXPECT_EQ(TableClasses().substr(0, 4), Texte("\x80GU\x80"));
  EXPECT_EQ(TableGrammaire().substr(0, 6), Texte("\x80GVTz\x80"));
  EXPECT_EQ(TableGrammaire().substr(TableGrammaire().size() - 5), Texte("+\x80\x80\x80\x80"));

  EXPECT_EQ(EntreesMotsCles(TableMotsCles()).size(), 53u);
  EXPECT_EQ(TableClasses().size(), 4u + 53u * 3u);
  // 201 entries of 5 bytes between the header and the end entry.
  EXPECT_EQ(TableGrammaire().size(), 6u + 201u * 5u + 5u);
}

TEST(Tables, ExactBytesOfFirstEntries) {
  EXPECT_EQ(TableMotsCles().substr(6, 9), Texte("+\x81\x86""Avance"));
  EXPECT_EQ(TableValeurs().substr(7, 8), Texte("=\x80\x80\x84vide"));
  EXPECT_EQ(TableClasses().substr(4, 6), Texte("+\x81\x80+\x82\x80"));
  // Avance=Pause: keyword 1, value 2, ".pvi" editor 0, shown word 1 "Pause".
  EXPECT_EQ(TableGrammaire().substr(6, 5), Texte("+\x81\x82\x80\x81"));
  // Séquence is stored in Windows-1252, 8 letters.
  EXPECT_NE(TableMotsCles().find("+\x8F\x88S\xE9quence"), Texte::npos);
}

TEST(Tables, EveryKeywordRoundTrips) {
  std::set<int> codes;
  for (const auto& [code, mot] : EntreesMotsCles(TableMotsCles())) {
    EXPECT_EQ(CodeMotCle(mot), code) << mot;
    EXPECT_EQ(NomMotCle(code), mot);
    EXPECT_GE(ClasseMotCle(mot + "=x.pvi"), 0) << mot;
    codes.insert(code);
  }
  EXPECT_EQ(codes.size(), 53u);
  for (int inutilise : {3, 4, 8, 10, 18, 19, 22, 27, 32, 45, 50, 59, 62, 73, 78, 82, 87})
    EXPECT_EQ(NomMotCle(inutilise), "") << inutilise;
}

TEST(Tables, EveryValueRoundTripsThroughItsIdentifier) {
  for (int id = 0; id < 98; ++id) {
    const Texte mot = NomValeur(id);
    ASSERT_NE(mot, "Erreur") << id;
    // The code read back is the byte stored before the word.
    const std::size_t position = TableValeurs().find(Texte(1, OctetCode(static_cast<int>(mot.size()))) + mot);
    EXPECT_EQ(CodeValeur(mot), CodeOctet(TableValeurs()[position - 1])) << mot;
  }
  EXPECT_EQ(NomValeur(98), "Erreur");
  EXPECT_EQ(NomValeur(127), "Erreur");
  EXPECT_EQ(CodeValeur("Masquer"), 2);
  EXPECT_EQ(CodeValeur("Normale"), 10);
  EXPECT_EQ(CodeValeur("Normal"), 10);
  EXPECT_EQ(CodeValeur(Cp("Vénitien fin")), 12);
  EXPECT_EQ(CodeValeur(Cp("à Droite")), 46);
}

TEST(Lookups, WordsMatchWholeAndExactly) {
  EXPECT_EQ(CodeMotCle("Audio"), 20);
  EXPECT_EQ(CodeMotCle("Audio-Volume"), 21);
  EXPECT_EQ(CodeMotCle("audio"), 0);
  EXPECT_EQ(CodeMotCle("Menu"), 12);
  EXPECT_EQ(CodeMotCle("Menus"), 6);
  EXPECT_EQ(CodeMotCle("Titre"), 70);
  EXPECT_EQ(CodeMotCle("Titre-Pos"), 79);
  EXPECT_EQ(CodeMotCle(""), 0);
  EXPECT_EQ(CodeValeur("Arrêt"), 0);
  // A word found only inside a header is no word.
  EXPECT_EQ(CodeMotCle("frG"), 0);
}

TEST(Lookups, CombinedCodes) {
  EXPECT_EQ(CodeCombine("Avance=Pause.pvi"), 102);
  EXPECT_EQ(CodeCombine("Avance=Stop.pvi"), 103);
  EXPECT_EQ(CodeCombine(Cp("Avance=Arrêt.pvi")), 100);
  EXPECT_EQ(CodeCombine("Tempo=1500.pvi"), 900);
  EXPECT_EQ(CodeCombine("Tempo=abc.pvi"), 900);
  EXPECT_EQ(CodeCombine("Transition=Gauche.pvi"), 6003);
  EXPECT_EQ(CodeCombine("Duree=3/4-sec.pvi"), 6910);
  EXPECT_EQ(CodeCombine("Saut=Quitter.pvi"), 1412);
  EXPECT_EQ(CodeCombine("Menu=Masquer.pvi"), 1212);
  EXPECT_EQ(CodeCombine("Icones=Masquer.pvi"), 202);
  // Only the word "Masquer" carries 12 after Menu; Pause shares its code 2.
  EXPECT_EQ(CodeCombine("Menu=Pause.pvi"), 1202);
  EXPECT_EQ(EntreeGrammaire("Menu=Pause.pvi").CodeValeur(), 0);
  EXPECT_EQ(EntreeGrammaire("Menu=Masquer.pvi").CodeValeur(), 12);
  EXPECT_EQ(CodeCombine(Cp("Fenetre-Position=en bas à Droite.pvi")), 3448);
  EXPECT_EQ(CodeCombine("Inconnu=Pause.pvi"), 0);
  EXPECT_EQ(CodeCombine("C:\\a.jpg"), 0);
}

TEST(Lookups, ClassesOfLines) {
  EXPECT_EQ(ClasseMotCle("Avance=Pause.pvi"), 0);
  EXPECT_EQ(ClasseMotCle("Tempo=1.pvi"), 1);
  EXPECT_EQ(ClasseMotCle("Drapeau=a.pvd"), 2);
  EXPECT_EQ(ClasseMotCle(Cp("Séquence=a.pvl.pvr")), 3);
  EXPECT_EQ(ClasseMotCle("Fenetre-Couleur=clRed.pvi"), 4);
  EXPECT_EQ(ClasseMotCle("Titre-Fonte=Arial+N12.pvi"), 5);
  EXPECT_EQ(ClasseMotCle("AllerA=Fin.pvi"), 8);
  EXPECT_EQ(ClasseMotCle("Diapo-Dim=W1H1.pvi"), 9);
  EXPECT_EQ(ClasseMotCle("Rien=1.pvi"), -1);
}

TEST(Grammaire, EntriesOfLines) {
  const FicheGrammaire venitien = EntreeGrammaire(Cp("Transition=Vénitien.pvi"));
  EXPECT_EQ(venitien.MotCle(), 60);
  EXPECT_EQ(venitien.CodeValeur(), 11);
  EXPECT_EQ(venitien.ExtensionLigne(), ".pvi");
  EXPECT_EQ(venitien.Editeur(), Editeur::Fixe);
  EXPECT_EQ(NomValeur(venitien.IdentifiantValeur()), Cp("Vénitien"));

  const FicheGrammaire tempo = EntreeGrammaire("Tempo=2500.pvi");
  EXPECT_EQ(tempo.MotCle(), 9);
  EXPECT_EQ(tempo.CodeValeur(), 0);
  EXPECT_EQ(tempo.Editeur(), Editeur::Nombre);

  EXPECT_TRUE(EntreeGrammaire("Inconnu=1.pvi").Vide());
  EXPECT_EQ(EntreeGrammaire("Inconnu=1.pvi").octets, Texte("\x80\x80\x80\x80"));
  EXPECT_TRUE(EntreeGrammaire("Avance=Lente.pvi").Vide());

  const FicheGrammaire drapeau = EntreeGrammaire("Drapeau=Fin.pvd");
  EXPECT_EQ(drapeau.ExtensionLigne(), ".pvd");
  EXPECT_EQ(NomValeur(drapeau.IdentifiantValeur()), "Nouveau Drapeau");
  const FicheGrammaire sequence = EntreeGrammaire(Cp("Séquence=a.pvl.pvr"));
  EXPECT_EQ(sequence.ExtensionLigne(), ".pvr");
  EXPECT_EQ(sequence.Editeur(), Editeur::Fichier);
  EXPECT_EQ(NomValeur(sequence.IdentifiantValeur()), "Choisir");
  EXPECT_EQ(EntreeGrammaire("Titre=Effacer.pvv").ExtensionLigne(), ".pvv");
  EXPECT_EQ(EntreeGrammaire("Fenetre-Format=Personnaliser.pvi").Editeur(), Editeur::Geometrie);
  EXPECT_EQ(EntreeGrammaire("Fenetre=Formater.pvi").Editeur(), Editeur::Format);
  EXPECT_EQ(EntreeGrammaire("Titre-Fonte=x.pvi").Editeur(), Editeur::Police);
}

TEST(Grammaire, MenuMasquerHasItsOwnEntry) {
  const FicheGrammaire masquer = EntreeGrammaire("Menu=Masquer.pvi");
  ASSERT_FALSE(masquer.Vide());
  EXPECT_EQ(masquer.CodeValeur(), 12);
  EXPECT_EQ(NomValeur(masquer.IdentifiantValeur()), "Masquer");
}

TEST(Grammaire, EveryEntryIsReachedFromItsShownLine) {
  const Texte& table = TableGrammaire();
  int entrees = 0;
  for (std::size_t i = 6; i + 5 <= table.size() - 5; i += 5) {
    ASSERT_EQ(table[i], '+');
    FicheGrammaire fiche;
    fiche.octets = table.substr(i + 1, 4);
    const Texte mot = NomMotCle(fiche.MotCle());
    ASSERT_FALSE(mot.empty()) << "entry " << entrees;
    const Texte valeur = ClasseMotCle(mot + "=x.pvi") == 0 ? NomValeur(fiche.IdentifiantValeur()) : Texte("1");
    const FicheGrammaire trouvee = EntreeGrammaire(mot + "=" + valeur + fiche.ExtensionLigne());
    EXPECT_EQ(trouvee.octets, fiche.octets) << mot << "=" << valeur;
    ++entrees;
  }
  EXPECT_EQ(entrees, 201);
}

}  // namespace
}  // namespace plivor
