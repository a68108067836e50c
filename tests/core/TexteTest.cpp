#include <gtest/gtest.h>

#include "core/Texte.h"

namespace plivor {
namespace {

TEST(Conversion, EveryWindows1252ByteRoundTrips) {
  std::string tous;
  for (int o = 1; o < 256; ++o) tous += static_cast<char>(o);
  const std::string utf8 = VersUtf8(tous);
  EXPECT_TRUE(EstUtf8Valide(utf8));
  EXPECT_EQ(VersCp1252(utf8), tous);
  EXPECT_EQ(VersUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(VersUtf8("\xE9"), "\xC3\xA9");
}

TEST(Conversion, RefusesWhatWindows1252CannotHold) {
  EXPECT_EQ(VersCp1252("\xC5\x81"), std::nullopt);          // Ł
  EXPECT_EQ(VersCp1252("\xF0\x9F\x98\x80"), std::nullopt);  // an emoji
  EXPECT_EQ(VersCp1252("\xC3"), std::nullopt);              // truncated
  EXPECT_EQ(VersCp1252("\xC0\x80"), std::nullopt);          // overlong
  EXPECT_EQ(VersCp1252("\xED\xA0\x80"), std::nullopt);      // surrogate
  EXPECT_FALSE(EstUtf8Valide("\xE9t\xE9"));
  EXPECT_EQ(Cp("Séquence"), "S\xE9quence");
}

TEST(Casse, AccentedLettersFold) {
  EXPECT_EQ(Minuscules(Cp("ÉTÉ.JPG")), Cp("été.jpg"));
  EXPECT_EQ(Majuscules(Cp("œuvre ÿ")), Cp("ŒUVRE Ÿ"));
  EXPECT_TRUE(EgalSansCasse(Cp("Séquence"), Cp("SÉQUENCE")));
  EXPECT_FALSE(EgalSansCasse("a", "ab"));
  EXPECT_EQ(Minuscules("\xD7\xF7"), "\xD7\xF7");  // × and ÷ have no case
}

TEST(Entiers, WholeTextsOnly) {
  EXPECT_EQ(LireEntier("1500"), 1500);
  EXPECT_EQ(LireEntier("-2"), -2);
  EXPECT_EQ(LireEntier("+7"), 7);
  EXPECT_EQ(LireEntier(""), std::nullopt);
  EXPECT_EQ(LireEntier("12a"), std::nullopt);
  EXPECT_EQ(LireEntier(" 12"), std::nullopt);
  EXPECT_EQ(LireEntier("+-3"), std::nullopt);
}

}  // namespace
}  // namespace plivor
