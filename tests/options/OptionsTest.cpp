#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "options/TFOptions.h"
#include "support/BancVue.h"

namespace plivor {
namespace {

using test::BancVue;

QSettings Reglages(const BancVue& banc) {
  return QSettings(banc.dossier.filePath(QStringLiteral("reglages.ini")), QSettings::IniFormat);
}

TEST(Options, PremierLancementSansCle) {
  BancVue banc;
  TFOptions& o = *banc.options;
  EXPECT_EQ(o.opt_ListeIntro, QStringLiteral("Plivor.pvl"));
  EXPECT_EQ(o.opt_chemin, banc.dossier.path());
  EXPECT_EQ(o.opt_tempo, QStringLiteral("2000"));
  EXPECT_EQ(FacteursVitesse()[o.opt_Vitesse], QStringLiteral("400"));
  for (int i = 0; i < kNombreOptions; ++i) EXPECT_FALSE(o.Coche(i)) << i;
  EXPECT_EQ(o.opt_couleurFond, 3612707u);
  EXPECT_EQ(banc.vue->CheminListe, banc.Chemin("Plivor.pvl"));
  EXPECT_EQ(banc.vue->VitesseTransitions, 400);
  EXPECT_EQ(o.oAtr_Version, QStringLiteral("Version 1.1ck- fr"));
}

TEST(Options, EnregistrerPuisRelireToutesLesValeurs) {
  BancVue banc;
  TFOptions& o = *banc.options;
  o.opt_ListeIntro = QStringLiteral("Vacances.pvl");
  o.opt_chemin = QStringLiteral("/srv/listes/");
  o.opt_tempo = QStringLiteral("1500");
  o.opt_couleurFond = RGB(10, 20, 30);
  o.opt_Vitesse = 3;
  o.options = {true, false, true, false, true, false, true, false, true, false, true};
  o.Visible = true;
  o.OptionsSauver();
  EXPECT_FALSE(o.Visible);

  QSettings lu = Reglages(banc);
  EXPECT_EQ(lu.value("Options/CheminInitial").toString(), QStringLiteral("/srv/listes"));
  EXPECT_EQ(lu.value("Options/CouleurFond").toString(), QStringLiteral("$001E140A"));
  EXPECT_EQ(lu.value("Options/FacteurVitesse").toString(), QStringLiteral("166"));
  EXPECT_EQ(lu.value("Options/Ecran").toInt(), 1);
  EXPECT_EQ(lu.value("Options/Veille").toInt(), 0);
  EXPECT_EQ(lu.value("Options/Morphe").toInt(), 1);

  TFOptions relu(*banc.vue, *banc.registre);
  EXPECT_EQ(relu.opt_ListeIntro, QStringLiteral("Vacances.pvl"));
  EXPECT_EQ(relu.opt_chemin, QStringLiteral("/srv/listes"));
  EXPECT_EQ(relu.opt_tempo, QStringLiteral("1500"));
  EXPECT_EQ(relu.opt_couleurFond, RGB(10, 20, 30));
  EXPECT_EQ(relu.opt_Vitesse, 3);
  EXPECT_EQ(relu.options, o.options);
  EXPECT_EQ(banc.vue->CheminListe, "/srv/listes/Vacances.pvl");
  EXPECT_EQ(banc.vue->VitesseTransitions, 166);
  EXPECT_EQ(banc.vue->CouleurFenetre, RGB(10, 20, 30));
}

TEST(Options, SansVitesseChoisieOnEnregistreQuatreCents) {
  BancVue banc;
  banc.options->opt_Vitesse = -1;
  banc.options->OptionsSauver();
  EXPECT_EQ(Reglages(banc).value("Options/FacteurVitesse").toString(), QStringLiteral("400"));
}

TEST(Options, FacteurVitesseLu) {
  BancVue banc;
  {
    QSettings s = Reglages(banc);
    s.setValue("Options/FacteurVitesse", "450");
  }
  TFOptions lu(*banc.vue, *banc.registre);
  EXPECT_EQ(lu.opt_Vitesse, 10);  // the eleventh item
  EXPECT_EQ(banc.vue->VitesseTransitions, 450);
  {
    QSettings s = Reglages(banc);
    s.setValue("Options/FacteurVitesse", "999");
  }
  TFOptions inconnu(*banc.vue, *banc.registre);
  EXPECT_EQ(inconnu.opt_Vitesse, -1);
  EXPECT_EQ(banc.vue->VitesseTransitions, 400);
}

TEST(Options, BooleensEtValeursAbsentes) {
  BancVue banc;
  {
    QSettings s = Reglages(banc);
    s.setValue("Options/Absents", 5);
    s.setValue("Options/CouleurFond", "n'importe quoi");
  }
  TFOptions lu(*banc.vue, *banc.registre);
  EXPECT_TRUE(lu.Coche(8));   // any value other than 0
  EXPECT_FALSE(lu.Coche(0));  // absent: the control keeps its state
  EXPECT_EQ(lu.opt_ListeIntro, QString());  // an absent string reads empty
  EXPECT_EQ(lu.opt_chemin, banc.dossier.path());
  EXPECT_EQ(lu.opt_couleurFond, RGB(35, 32, 55));  // unreadable colour: the default
  // The saved states act from the start: a checked "Ignorer les absents"
  // passes missing files by without a click.
  EXPECT_TRUE(banc.vue->IgnorerAbsents);
  EXPECT_FALSE(banc.vue->IgnorerAudio);
}

TEST(Options, LesReglagesDuProgrammeSontSousOrvandePlivor) {
  QStandardPaths::setTestModeEnabled(true);
  {
    QSettings propre(QStringLiteral("Orvande"), QStringLiteral("Plivor"));
    propre.clear();
  }
  Registre registre;
  EXPECT_FALSE(registre.CleExiste());
  ValeursRegistre v;
  v.tempo = QStringLiteral("1000");
  registre.Ecrire(v);
  QSettings propre(QStringLiteral("Orvande"), QStringLiteral("Plivor"));
  EXPECT_EQ(propre.value("Options/Tempo").toString(), QStringLiteral("1000"));
  EXPECT_TRUE(registre.CleExiste());
  propre.clear();
  QStandardPaths::setTestModeEnabled(false);
}

TEST(Options, IgnorerLesFichiersAudioCocheEtDecoche) {
  BancVue banc;
  banc.vue->MciOuvert = banc.vue->Mp3Ouvert = true;
  banc.options->Coches(9, true);
  EXPECT_TRUE(banc.vue->IgnorerAudio);
  EXPECT_FALSE(banc.vue->MciOuvert);
  EXPECT_FALSE(banc.vue->Mp3Ouvert);
  banc.options->Coches(9, false);
  EXPECT_FALSE(banc.vue->IgnorerAudio);
}

TEST(Options, EffetsImmediatsDesCoches) {
  BancVue banc;
  TFVue& vue = *banc.vue;
  banc.options->Coches(8, true);
  EXPECT_TRUE(vue.IgnorerAbsents);
  banc.options->Coches(2, true);
  EXPECT_TRUE(banc.voisins.panneau);
  banc.options->Coches(6, true);
  EXPECT_EQ(vue.MargeFenetre, 0);
  ASSERT_FALSE(vue.FenetreSeule);
  banc.options->Coches(0, false);  // unchecked while covering the screen
  EXPECT_TRUE(vue.FenetreSeule);
  banc.options->Coches(7, true);
  EXPECT_TRUE(vue.FenetreWindowsCoche);
  banc.options->Coches(5, true);
  EXPECT_TRUE(vue.MasquerBullesCoche);
  banc.options->Coches(3, true);
  EXPECT_TRUE(banc.options->Coche(3));
}

TEST(Options, TempoVitesseEtListeDIntroduction) {
  BancVue banc;
  TFOptions& o = *banc.options;
  o.opt_tempo = QStringLiteral("abc");
  o.ChoisirTempo();
  EXPECT_EQ(banc.vue->Timer1.interval(), 2000);
  o.opt_tempo = QStringLiteral("750");
  o.ChoisirTempo();
  EXPECT_EQ(banc.vue->Timer1.interval(), 750);
  o.ChoisirVitesse(17);
  EXPECT_EQ(banc.vue->VitesseTransitions, 1000);
  EXPECT_EQ(o.opt_Vitesse, 17);

  banc.dialogues.fichiers = {QStringLiteral("/srv/demo/Demo.pvl"), std::nullopt};
  o.ChoisirIntro();
  EXPECT_EQ(o.opt_ListeIntro, QStringLiteral("Demo.pvl"));
  EXPECT_EQ(o.opt_chemin, QStringLiteral("/srv/demo"));
  o.ChoisirIntro();
  EXPECT_EQ(o.opt_ListeIntro, QStringLiteral("Demo.pvl"));
  EXPECT_EQ(banc.dialogues.dialogues.value(0), QStringLiteral("Charger une liste"));
}

TEST(Options, MontrerPuisCacherMetEnPauseEtReprend) {
  BancVue banc;
  banc.vue->AvanceAM(Emetteur::Aucun);
  banc.options->BasculerOptions();
  EXPECT_TRUE(banc.options->Visible);
  EXPECT_EQ(banc.vue->EtatPause, 1);
  EXPECT_EQ(banc.options->IndiceOptions, QStringLiteral("Fermer le panneau Option (i)"));
  banc.options->BasculerOptions();
  EXPECT_FALSE(banc.options->Visible);
  EXPECT_EQ(banc.vue->EtatPause, 0);
  EXPECT_TRUE(banc.vue->AvanceAuto);
}

TEST(CheminProgramme, NormaliseSurWindowsIntactSurPosix) {
  EXPECT_EQ(NormaliserCheminProgramme("C:\\PROGRAM FILES\\PLIVOR\\PLIVOR.EXE", StyleChemins::Windows),
            "C:\\Program files\\Plivor\\Plivor.exe");
  EXPECT_EQ(NormaliserCheminProgramme("D:\\APPS\\X\\PROG.EXE", StyleChemins::Windows), "D:\\Apps\\X\\Prog.exe");
  EXPECT_EQ(NormaliserCheminProgramme(Cp("c:\\ÉTÉ\\plivor.exe"), StyleChemins::Windows),
            Cp("c:\\Été\\Plivor.exe"));
  EXPECT_EQ(NormaliserCheminProgramme("/opt/Plivor/bin/plivor", StyleChemins::Posix), "/opt/Plivor/bin/plivor");
}

TEST(Options, CocheeEstToutSaufZero) {
  BancVue banc;
  {
    QSettings s = Reglages(banc);
    s.setValue("Options/Ecran", "true");
    s.setValue("Options/Veille", "yes");
    s.setValue("Options/Commandes", "0");
    s.setValue("Options/Conseils", "false");
    s.setValue("Options/Marge", -1);
  }
  TFOptions lu(*banc.vue, *banc.registre);
  EXPECT_TRUE(lu.Coche(0));
  EXPECT_TRUE(lu.Coche(1));
  EXPECT_FALSE(lu.Coche(2));
  EXPECT_FALSE(lu.Coche(5));
  EXPECT_TRUE(lu.Coche(6));
}

TEST(Options, UnDossierInitialNonRepresentableEstSignale) {
  BancVue banc;
  {
    QSettings s = Reglages(banc);
    s.setValue("Options/CheminInitial", QStringLiteral("/srv/Łódź"));
  }
  TFOptions lu(*banc.vue, *banc.registre);
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("Dossier initial \"/srv/Łódź\" : nom de dossier non "
                                                     "représentable, le dossier du programme le remplace."));
  EXPECT_EQ(lu.opt_chemin, banc.dossier.path());
}

TEST(Options, CacherLaisseLaListeProjeteeEtFermerFaitDeMeme) {
  BancVue banc;
  banc.vue->CheminListe = banc.Chemin("Voyage.pvl");
  banc.vue->AvanceAM(Emetteur::Aucun);
  banc.options->BasculerOptions();
  banc.options->BasculerOptions();
  EXPECT_EQ(banc.vue->CheminListe, banc.Chemin("Voyage.pvl"));
  // The close button: the show resumes and the hint goes back.
  banc.options->BasculerOptions();
  ASSERT_EQ(banc.vue->EtatPause, 1);
  banc.options->FermerOptions();
  EXPECT_FALSE(banc.options->Visible);
  EXPECT_EQ(banc.vue->EtatPause, 0);
  EXPECT_TRUE(banc.vue->AvanceAuto);
  EXPECT_EQ(banc.options->IndiceOptions, QStringLiteral("Options et Installation (i)"));
  EXPECT_EQ(banc.vue->CheminListe, banc.Chemin("Voyage.pvl"));
  // Closing a hidden window does nothing.
  banc.options->FermerOptions();
  EXPECT_EQ(banc.vue->EtatPause, 0);
}

TEST(Options, UnLangageQuiEchoueLaisseLaBoiteSurCeluiEnVigueur) {
  BancVue banc;
  banc.options->opt_langueChange(2);  // "En" without a language file
  EXPECT_EQ(banc.options->opt_langue, 0);
  EXPECT_FALSE(banc.dialogues.textes.isEmpty());
}

}  // namespace
}  // namespace plivor
