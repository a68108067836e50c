#include <gtest/gtest.h>

#include "platform/DialoguesSurveilles.h"

namespace plivor {
namespace {

// A box during which the show's timer would fire again and raise the same
// message, as a looping show with a broken picture did.
class BoiteQuiRevient : public DialoguesScriptes {
 public:
  DialoguesSurveilles* surveilles = nullptr;
  int profondeur = 0;
  void Information(const QString& texte) override {
    DialoguesScriptes::Information(texte);
    if (profondeur++ < 3) surveilles->Information(texte);
  }
};

TEST(DialoguesSurveilles, UneBoiteOuverteTientLaProjectionEtNeSEmpilePas) {
  BoiteQuiRevient personne;
  DialoguesSurveilles d(personne);
  personne.surveilles = &d;
  int tenues = 0, reprises = 0;
  d.suspendre = [&] { ++tenues; };
  d.reprendre = [&] { ++reprises; };
  d.Information(QStringLiteral("casse.jpg : image illisible"));
  EXPECT_EQ(personne.textes.size(), 1);
  EXPECT_EQ(tenues, 1);
  EXPECT_EQ(reprises, 1);
  // Once closed, the same message may come again.
  d.Information(QStringLiteral("casse.jpg : image illisible"));
  EXPECT_EQ(personne.textes.size(), 2);
  // A question holds the show too, and gives its answer.
  personne.reponses << true;
  EXPECT_TRUE(d.Question(QStringLiteral("Quitter ?")));
  EXPECT_EQ(tenues, 3);
  EXPECT_EQ(reprises, 3);
}

TEST(DialoguesSurveilles, SansSurveillanceLesMessagesDeviennentDesAvis) {
  DialoguesScriptes personne;
  DialoguesSurveilles d(personne);
  bool seul = true;
  QStringList avis;
  d.sansSurveillance = [&] { return seul; };
  d.avis = [&](const QString& t) { avis << t; };
  d.Information(QStringLiteral("absent.jpg : Médias ou dossier absents!!"));
  EXPECT_TRUE(personne.textes.isEmpty());
  EXPECT_EQ(avis, QStringList{QStringLiteral("absent.jpg : Médias ou dossier absents!!")});
  // What never waits is a notice whoever watches.
  seul = false;
  d.Avis(QStringLiteral("Aucun périphérique audio : x"));
  EXPECT_EQ(avis.size(), 2);
  EXPECT_TRUE(personne.textes.isEmpty());
  d.Information(QStringLiteral("y"));
  EXPECT_EQ(personne.textes, QStringList{QStringLiteral("y")});
}

}  // namespace
}  // namespace plivor
