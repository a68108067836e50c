#include <gtest/gtest.h>

#include "core/FichiersListe.h"
#include "support/FichiersMemoire.h"

namespace plivor {
namespace {

TEST(Lignes, EveryLineBreakAndTheFinalOne) {
  EXPECT_EQ(DecouperLignes("a\r\nb\rc\nd"), (Liste{"a", "b", "c", "d"}));
  EXPECT_EQ(DecouperLignes("a\r\nb\r\n"), (Liste{"a", "b"}));
  EXPECT_EQ(DecouperLignes("a\n\nb\n"), (Liste{"a", "", "b"}));
  EXPECT_EQ(DecouperLignes("\r\n"), (Liste{""}));
  EXPECT_EQ(DecouperLignes(""), Liste{});
  EXPECT_EQ(DecouperLignes("  x  \r\n"), (Liste{"  x  "}));
  // A NUL byte is left out and said; what follows it is still read.
  const Decoupage avecNul = DecouperTexte(std::string("a\r\nb\0c\r\nd", 9));
  EXPECT_EQ(avecNul.lignes, (Liste{"a", "bc", "d"}));
  EXPECT_EQ(avecNul.lignesAvecNul, (std::vector<int>{1}));
  EXPECT_EQ(avecNul.octetNul, 4u);
  // A line past the bound is cut there, and said.
  const Decoupage longue = DecouperTexte("Titrage=" + std::string(3 * kLongueurLigneMax, 'B') + ".pvv\r\nx.jpg");
  ASSERT_EQ(longue.lignes.size(), 2u);
  EXPECT_EQ(longue.lignes[0].size(), kLongueurLigneMax);
  EXPECT_EQ(longue.lignes[1], "x.jpg");
  EXPECT_EQ(longue.lignesCoupees, (std::vector<int>{0}));
  EXPECT_EQ(JoindreLignes({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(Codage, Windows1252IsKeptByteForByte) {
  const std::string cp = "S\xE9quence=a.pvl.pvr\r\n\x80\x81\r\n";
  const ListeLue lue = DecoderListe(cp);
  EXPECT_FALSE(lue.enUtf8);
  EXPECT_EQ(lue.lignes, (Liste{"S\xE9quence=a.pvl.pvr", "\x80\x81"}));
  EXPECT_EQ(JoindreLignes(lue.lignes), cp);
}

TEST(Codage, Utf8ListsAreConverted) {
  const ListeLue lue = DecoderListe("S\xC3\xA9quence=a.pvl.pvr\n\xE2\x82\xAC\n");
  EXPECT_TRUE(lue.enUtf8);
  EXPECT_EQ(lue.lignes, (Liste{"S\xE9quence=a.pvl.pvr", "\x80"}));
  EXPECT_TRUE(lue.lignesIntraduisibles.empty());
  const ListeLue marquee = DecoderListe("\xEF\xBB\xBFTempo=1.pvi\r\n");
  EXPECT_TRUE(marquee.enUtf8);
  EXPECT_EQ(marquee.lignes, (Liste{"Tempo=1.pvi"}));
}

TEST(Codage, CharactersOutsideWindows1252AreReported) {
  // "Łódź.jpg": Ł and ź have no Windows-1252 byte, ó has. Only the mark
  // makes such a text UTF-8: without it, the bytes are Windows-1252.
  const ListeLue lue = DecoderListe("\xEF\xBB\xBFok.jpg\n\xC5\x81\xC3\xB3\x64\xC5\xBA.jpg\n");
  EXPECT_EQ(lue.lignesIntraduisibles, (std::vector<int>{1}));
  EXPECT_EQ(lue.lignes[1], "?\xF3\x64?.jpg");
}

TEST(Codage, Utf8WithoutMarkHoldingCjkIsUtf8AndReported) {
  // "日本.jpg" with an "é" line, written by a Linux editor without a mark.
  const ListeLue lue = DecoderListe("Tempo=2000.pvi\n\xE6\x97\xA5\xE6\x9C\xAC.jpg\n\xC3\xA9t\xC3\xA9.jpg\n");
  EXPECT_TRUE(lue.enUtf8);
  EXPECT_EQ(lue.lignes, (Liste{"Tempo=2000.pvi", "??.jpg", "\xE9t\xE9.jpg"}));
  EXPECT_EQ(lue.lignesIntraduisibles, (std::vector<int>{1}));
  EXPECT_EQ(lue.LignesAlterees(), (std::vector<int>{1}));
}

TEST(Fichiers, WriteThenReadBack) {
  test::FichiersMemoire fichiers(StyleChemins::Windows, "C:\\");
  const Liste liste = {"Tempo=1500.pvi", "C:\\Images\\\xE9t\xE9.jpg", ""};
  ASSERT_TRUE(EcrireListe("C:\\l.pvl", liste, fichiers));
  EXPECT_EQ(*fichiers.LireFichier("C:\\l.pvl"), "Tempo=1500.pvi\r\nC:\\Images\\\xE9t\xE9.jpg\r\n\r\n");
  const auto lue = LireListe("C:\\l.pvl", fichiers);
  ASSERT_TRUE(lue);
  EXPECT_EQ(lue->lignes, liste);
  EXPECT_FALSE(LireListe("C:\\absente.pvl", fichiers));
}

TEST(Codage, AStrayByteInAMarkedUtf8ListStandsForItself) {
  const ListeLue lue = DecoderListe("\xEF\xBB\xBF" "caf\xE9.jpg\r\n\xC3\xA9t\xC3\xA9.jpg\r\n");
  EXPECT_TRUE(lue.enUtf8);
  EXPECT_EQ(lue.lignes, (Liste{"caf\xE9.jpg", "\xE9t\xE9.jpg"}));
  EXPECT_TRUE(lue.lignesIntraduisibles.empty());
}

TEST(Codage, Windows1252BytesThatLookLikeUtf8StayWindows1252) {
  // "\xCB\xAA" is valid UTF-8 (U+02EA) that Windows-1252 cannot hold.
  const std::string cp = "\xCB\xAA.jpg\r\nTempo=1.pvi\r\n";
  const ListeLue lue = DecoderListe(cp);
  EXPECT_FALSE(lue.enUtf8);
  EXPECT_EQ(lue.lignes, (Liste{"\xCB\xAA.jpg", "Tempo=1.pvi"}));
  EXPECT_EQ(JoindreLignes(lue.lignes), cp);
}

}  // namespace
}  // namespace plivor
