// The resource window's engine on a real generated folder: masks, import
// into the montage, previews with neighbours, user filters, the folder's
// slide show.

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "montage/BancMontage.h"
#include "platform/ArbreDossiers.h"
#include "sources/Sources.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancMontage;

// A name that Windows-1252 cannot hold.
const QString kIntraduisible = QString::fromUtf8("жук.jpg");

class SourcesTest : public testing::Test {
 protected:
  SourcesTest() {
    QDir().mkpath(banc.CheminHote(QStringLiteral("medias/sous")));
    test::EcrireJpeg(Hote("a.jpg"), test::Unie(64, 48, Qt::red));
    test::EcrireJpeg(Hote("B.JPG"), test::Unie(64, 48, Qt::green));
    EcrireWav(Hote("c.wav"), std::vector<std::int16_t>(4410, 0), 44100, 1);
    banc.Ecrire(QStringLiteral("medias/d.pvl"), "Tempo=1500.pvi\r\n");
    banc.Ecrire(QStringLiteral("medias/e.txt"), "texte\r\n");
    test::EcrireGif(Hote("f.gif"), test::Unie(64, 48, Qt::blue));
    test::EcrireBmp(Hote("g.bmp"), test::Unie(64, 48, Qt::yellow));
    banc.Ecrire(QStringLiteral("medias/h.mp3"), std::string("ID3\x03\0\0\0\0\0\0", 10));
    EcrireMidi(Hote("i.mid"), {{60, 0, 480}});
    test::EcrireJpeg(Hote(kIntraduisible), test::Unie(64, 48, Qt::white));
    banc.Ecrire(QStringLiteral("medias/sous/z.jpg"), "x");
    sources = std::make_unique<Sources>(*banc.vue, *banc.montage, banc.CheminHote(QStringLiteral("medias")));
  }
  QString Hote(const QString& nom) const { return banc.CheminHote(QStringLiteral("medias/") + nom); }
  QString Hote(const char* nom) const { return Hote(QString::fromUtf8(nom)); }
  Texte Ligne(const char* nom) const { return banc.Chemin(QStringLiteral("medias/") + QString::fromUtf8(nom)); }
  void Choisir(const QStringList& noms) {
    std::vector<int> indices;
    for (const QString& n : noms) indices.push_back(int(sources->Fichiers.indexOf(n)));
    sources->DefinirSelection(indices, indices.back());
  }

  BancMontage banc;
  std::unique_ptr<Sources> sources;
};

TEST_F(SourcesTest, ChaqueMasqueDeGenreListeExactementSesFichiers) {
  const QString ij = kIntraduisible;
  EXPECT_EQ(sources->Fichiers, (QStringList{"a.jpg", "B.JPG", "c.wav", "d.pvl", "h.mp3", ij}));
  sources->Images();
  EXPECT_EQ(sources->Fichiers, (QStringList{"a.jpg", "B.JPG", "f.gif", "g.bmp", ij}));
  EXPECT_EQ(sources->NbSources, QStringLiteral("5"));
  sources->Sons();
  EXPECT_EQ(sources->Fichiers, (QStringList{"c.wav", "h.mp3", "i.mid"}));
  sources->Listes();
  EXPECT_EQ(sources->Fichiers, (QStringList{"d.pvl", "e.txt"}));
  sources->Tous();
  EXPECT_EQ(sources->Fichiers,
            (QStringList{"a.jpg", "B.JPG", "c.wav", "d.pvl", "f.gif", "g.bmp", "h.mp3", "i.mid", ij}));
  // The working folder follows the folder browsed.
  EXPECT_EQ(banc.fichiers.DossierCourant(), banc.Chemin(QStringLiteral("medias")));
}

TEST_F(SourcesTest, UnMasqueNeVoitQueLesNomsDuDossierMontre) {
  for (const char* masque : {"../*", "/etc/*", "sous/*", "..\\*", "*/z.jpg"}) {
    SCOPED_TRACE(masque);
    sources->ChoisirMasque(QString::fromUtf8(masque));
    EXPECT_TRUE(sources->Fichiers.isEmpty());
    EXPECT_EQ(sources->NbSources, QString());
  }
  // "*" lists files, never the sub-folder.
  sources->ChoisirMasque(QStringLiteral("*"));
  EXPECT_EQ(sources->Fichiers.size(), 10);
  EXPECT_FALSE(sources->Fichiers.contains(QStringLiteral("sous")));
  EXPECT_TRUE(NomSelonMasque(QStringLiteral("ABC.Jpg"), QStringLiteral("??c*.JPG")));
  EXPECT_FALSE(NomSelonMasque(QStringLiteral("abc.jpg"), QStringLiteral("?c*.jpg")));
}

TEST_F(SourcesTest, ImporterEnTeteSousLaLigneEtEnFinGardeLOrdreDeLaListe) {
  banc.Lignes({"Tempo=1000.pvi", "Tempo=2000.pvi"}, {0});
  sources->Tous();
  Choisir({"a.jpg", "d.pvl", "g.bmp"});
  sources->ImporterDebut();
  const Liste trois = {Ligne("a.jpg"), Ligne("d.pvl"), Ligne("g.bmp")};
  Liste attendu = trois;
  attendu.insert(attendu.end(), {"Tempo=1000.pvi", "Tempo=2000.pvi"});
  EXPECT_EQ(banc.montage->Lignes(), attendu);
  EXPECT_TRUE(banc.vue->ListeModifiee);

  banc.montage->Selectionner(3);
  banc.montage->Selection();
  Choisir({"B.JPG", "c.wav"});
  sources->ImporterSous();
  attendu.insert(attendu.begin() + 4, {Ligne("B.JPG"), Ligne("c.wav")});
  EXPECT_EQ(banc.montage->Lignes(), attendu);

  sources->ToutSelectionner();
  sources->ImporterFin();
  ASSERT_EQ(banc.montage->Compte(), 7 + 8);
  const Liste fin(banc.montage->Lignes().end() - 8, banc.montage->Lignes().end());
  EXPECT_EQ(fin, (Liste{Ligne("a.jpg"), Ligne("B.JPG"), Ligne("c.wav"), Ligne("d.pvl"), Ligne("f.gif"),
                        Ligne("g.bmp"), Ligne("h.mp3"), Ligne("i.mid")}));
  // Said once, for the name that cannot be a line; never a "?" line.
  EXPECT_EQ(banc.dialogues.textes,
            QStringList{QStringLiteral("Fichier : \r") + Hote(kIntraduisible) +
                        QStringLiteral("\rnom illisible en Windows-1252 : refusé par Plivor")});
  for (const Texte& l : banc.montage->Lignes()) EXPECT_EQ(l.find('?'), Texte::npos) << l;
}

TEST_F(SourcesTest, UnNomIntraduisibleSeulLaisseLePresseDiaposIntact) {
  banc.montage->Transfert = {"Tempo=5.pvi"};
  Choisir({kIntraduisible});
  EXPECT_FALSE(sources->Copier());
  EXPECT_EQ(banc.montage->Transfert, Liste{"Tempo=5.pvi"});
  EXPECT_EQ(banc.dialogues.textes.size(), 1);
  // It is shown, and selecting it previews nothing.
  sources->Selection();
  EXPECT_EQ(sources->TypeSource, Genre::Inconnu);
  EXPECT_TRUE(sources->CheminsChoisis().empty());
}

TEST_F(SourcesTest, LesVoisinesSautentCeQuiNEstPasUneImage) {
  banc.vue->ImagesVoisines = true;
  banc.montage->RafraichirFond = false;
  sources->Tous();  // a.jpg, B.JPG, c.wav, d.pvl, f.gif, g.bmp, ...
  std::vector<std::pair<int, QRgb>> montrees;
  QObject::connect(banc.vue.get(), &TFVue::Presenter, [&] {
    if (!banc.vue->Photo.isNull())
      montrees.push_back({banc.vue->CodeDiapo, banc.vue->Photo.pixel(banc.vue->Photo.rect().center())});
  });
  const auto couleurDe = [&](int code) -> std::optional<QColor> {
    for (auto it = montrees.rbegin(); it != montrees.rend(); ++it)
      if (it->first == code) return QColor(it->second);
    return std::nullopt;
  };
  Choisir({"f.gif"});
  sources->Selection();
  ASSERT_TRUE(couleurDe(444) && couleurDe(443) && couleurDe(445));
  EXPECT_TRUE(test::Proche(*couleurDe(444), Qt::green));   // B.JPG, over c.wav and d.pvl
  EXPECT_TRUE(test::Proche(*couleurDe(443), Qt::blue));    // f.gif itself
  EXPECT_TRUE(test::Proche(*couleurDe(445), Qt::yellow));  // g.bmp
  EXPECT_EQ(banc.vue->LigneApercu, "f.gif");
  EXPECT_TRUE(banc.vue->ApercuSource);
  EXPECT_EQ(banc.montage->TitreFichier(), Ligne("f.gif"));

  // The first picture of the folder has no previous neighbour.
  montrees.clear();
  Choisir({"a.jpg"});
  sources->Selection();
  EXPECT_FALSE(couleurDe(444));
  EXPECT_TRUE(couleurDe(443) && test::Proche(*couleurDe(443), Qt::red));
  EXPECT_TRUE(couleurDe(445) && test::Proche(*couleurDe(445), Qt::green));

  // Without neighbours: the picture alone, code 423.
  banc.vue->ImagesVoisines = false;
  montrees.clear();
  Choisir({"g.bmp"});
  sources->Selection();
  ASSERT_EQ(montrees.size(), 1u);
  EXPECT_EQ(montrees[0].first, 423);
  EXPECT_TRUE(test::Proche(QColor(montrees[0].second), Qt::yellow));
}

TEST_F(SourcesTest, FermerRendAuMontageSonDossier) {
  banc.Lignes({"Tempo=1000.pvi"}, {0});
  ASSERT_FALSE(banc.montage->DossierListe.empty());
  sources->Tous();
  ASSERT_EQ(banc.fichiers.DossierCourant(), banc.Chemin(QStringLiteral("medias")));
  banc.vue->FenetreSources = banc.vue->ApercuSource = true;
  sources->FermerSource();
  EXPECT_EQ(banc.fichiers.DossierCourant(), banc.montage->DossierListe);
  EXPECT_FALSE(banc.vue->FenetreSources);
  EXPECT_FALSE(banc.vue->ApercuSource);
}

TEST_F(SourcesTest, UnSonChoisiSeJoueEtSArrete) {
  Choisir({"c.wav"});
  sources->Selection();
  EXPECT_TRUE(sources->AudioArretVisible);
  EXPECT_FALSE(sources->ContenuListeVisible);
  EXPECT_EQ(banc.vue->AudioCourant, Ligne("c.wav"));
  EXPECT_TRUE(banc.vue->AudioEnCours);
  sources->ArretAudio();
  EXPECT_FALSE(sources->AudioArretVisible);
  EXPECT_FALSE(banc.vue->AudioEnCours);
  // Sounds ignored: neither played nor offered to stop.
  banc.vue->IgnorerAudio = true;
  sources->Selection();
  EXPECT_FALSE(sources->AudioArretVisible);
  EXPECT_FALSE(banc.vue->AudioEnCours);
}

TEST_F(SourcesTest, UneListeChoisieOffreSonContenu) {
  Choisir({"d.pvl"});
  sources->Selection();
  EXPECT_TRUE(sources->ContenuListeVisible);
  EXPECT_FALSE(sources->AudioArretVisible);
  banc.Lignes({"Tempo=1000.pvi"}, {0});
  sources->ContenuListe();
  EXPECT_EQ(banc.montage->Lignes(), (Liste{"Tempo=1000.pvi", "Tempo=1500.pvi"}));
}

TEST_F(SourcesTest, FiltresCreesValidesDeuxFoisChoisisEtSupprimes) {
  // The right button creates at once, pre-filled with the current file.
  Choisir({"c.wav"});
  sources->FiltrageBouton(true);
  EXPECT_TRUE(sources->filtres.CreationVisible);
  EXPECT_EQ(sources->filtres.Filtre, QStringLiteral("c.wav"));
  sources->filtres.Filtre = QStringLiteral("?.*");
  sources->FiltrageValider();
  EXPECT_FALSE(sources->filtres.CreationVisible);
  EXPECT_EQ(sources->Masque, QStringLiteral("?.*"));
  EXPECT_EQ(sources->Fichiers, (QStringList{"a.jpg", "B.JPG", "c.wav", "d.pvl", "e.txt", "f.gif", "g.bmp",
                                            "h.mp3", "i.mid"}));
  sources->CreerFiltre();
  sources->filtres.Filtre = QStringLiteral("?.*");
  sources->FiltrageValider();
  EXPECT_EQ(sources->filtres.ListeFiltres, (QStringList{"*.jpg;*.wav;*.mp3;*.pvl", "?.*", "?.*"}));
  EXPECT_EQ(sources->filtres.IndexFiltre, 1);  // the first of the equal two

  sources->ListeFiltresChange(0);
  EXPECT_EQ(sources->Masque, QStringLiteral("*.jpg;*.wav;*.mp3;*.pvl"));
  EXPECT_EQ(sources->Fichiers.size(), 6);
  sources->filtres.IndexChoisi = 2;
  sources->SupprimerFiltre();
  EXPECT_EQ(sources->filtres.ListeFiltres, (QStringList{"*.jpg;*.wav;*.mp3;*.pvl", "?.*"}));
  EXPECT_EQ(sources->Masque, QStringLiteral("*.jpg;*.wav;*.mp3;*.pvl"));  // the mask in force stays

  // The filter's help while a filter is made, the import help otherwise.
  sources->CreerFiltre();
  EXPECT_EQ(NomDeFichier(banc.vue->FichierAide), "Plivor-S.hlp");
  sources->AideFiltre();
  sources->FiltrageFermer();
  EXPECT_EQ(NomDeFichier(banc.vue->FichierAide), "Plivor.hlp");
  sources->Aide();
  EXPECT_EQ(banc.bureau.aides, (QStringList{banc.CheminHote(QStringLiteral("Plivor-S.hlp#3500")),
                                            banc.CheminHote(QStringLiteral("Plivor.hlp#2000"))}));

  // The left button only toggles the panel, which halves the folder list.
  sources->FiltrageBouton(false);
  EXPECT_TRUE(sources->filtres.PanneauVisible);
  EXPECT_EQ(sources->filtres.HauteurDossiers(), 50);
  EXPECT_FALSE(sources->filtres.CreationVisible);
}

TEST_F(SourcesTest, FiltreCreeSurUneListeVideSansFiltres) {
  QDir().mkpath(Hote("vide"));
  ASSERT_TRUE(sources->OuvrirDossier(Hote("vide")));
  sources->Images();
  sources->filtres.ListeFiltres.clear();
  ASSERT_TRUE(sources->Fichiers.isEmpty());
  sources->CreerFiltre();
  EXPECT_EQ(sources->filtres.Filtre, QStringLiteral("*.jpg"));
}

TEST_F(SourcesTest, DiaporamaDuDossierAvecUnTempoIlisibleBatA2000) {
  banc.options->opt_tempo = QStringLiteral("vite");
  banc.vue->ListePropre = false;
  sources->Images();
  Choisir({"B.JPG"});
  sources->DiaporamaSources();
  EXPECT_EQ(banc.vue->Timer1.interval(), 2000);
  EXPECT_TRUE(banc.vue->DiaporamaDossier);
  EXPECT_TRUE(banc.vue->AvanceAuto);
  EXPECT_TRUE(banc.vue->ListePropre);
  EXPECT_EQ(banc.vue->Medias, (Liste{Ligne("a.jpg"), Ligne("B.JPG"), Ligne("f.gif"), Ligne("g.bmp")}));
  EXPECT_EQ(banc.vue->DossierProjection, banc.Chemin(QStringLiteral("medias")));
  EXPECT_EQ(banc.vue->CheminListe, "sans nom");
  // Shown from B.JPG on: the advance has gone past it.
  EXPECT_GE(banc.vue->IndexCourant, 1);
  banc.vue->Timer1.stop();

  banc.options->opt_tempo = QStringLiteral("0");
  sources->DiaporamaSources();
  EXPECT_EQ(banc.vue->Timer1.interval(), 2000);
  banc.options->opt_tempo = QStringLiteral("3500");
  sources->DiaporamaSources();
  EXPECT_EQ(banc.vue->Timer1.interval(), 3500);
  banc.vue->Timer1.stop();
}

TEST_F(SourcesTest, ApresLeDiaporamaLeFichierMontreEstRepris) {
  sources->Images();  // a.jpg, B.JPG, f.gif, g.bmp, and the one refused
  banc.vue->ListePropre = false;
  // The projection stood past the last file: the index wraps to the first.
  banc.vue->DiaporamaDossier = true;
  banc.vue->IndexCourant = 6;
  sources->FormShow();
  EXPECT_EQ(sources->IndexSource, 0);
  EXPECT_TRUE(sources->Choisi(0));
  EXPECT_FALSE(banc.vue->DiaporamaDossier);
  EXPECT_TRUE(banc.vue->FenetreSources);
  // Before the first: the last file.
  banc.vue->DiaporamaDossier = true;
  banc.vue->IndexCourant = 0;
  sources->FormShow();
  EXPECT_EQ(sources->IndexSource, 4);
  // Then the second file, as shown.
  banc.vue->DiaporamaDossier = true;
  banc.vue->IndexCourant = 2;
  sources->FormShow();
  EXPECT_EQ(sources->IndexSource, 1);
  EXPECT_EQ(banc.vue->LigneApercu, "B.JPG");
}

TEST_F(SourcesTest, DiaporamaDUnDossierVide) {
  sources->ChoisirMasque(QStringLiteral("*.rien"));
  banc.vue->Medias = {"Tempo=1.pvi"};
  sources->DiaporamaSources();
  EXPECT_EQ(banc.dialogues.textes, QStringList{QStringLiteral("La liste est vide et ne peut donc être affichée...")});
  EXPECT_FALSE(banc.vue->DiaporamaDossier);
  EXPECT_EQ(banc.vue->Medias, Liste{"Tempo=1.pvi"});
}

TEST_F(SourcesTest, ToutOuUnePlageSeChoisitEnPlagesEtSImporteDansLOrdre) {
  sources->Tous();  // a.jpg, B.JPG, c.wav, d.pvl, f.gif, g.bmp, h.mp3, i.mid, and the one refused
  sources->ToutSelectionner();
  EXPECT_EQ(sources->Choisis().Plages(), (std::vector<Plage>{{0, 8}}));
  EXPECT_TRUE(sources->Choisi(8));
  // Runs in any order, overlapping or touching, become the fewest runs.
  sources->DefinirPlages({{5, 6}, {1, 2}, {2, 3}, {7, 7}, {-4, -1}, {8, 40}}, 7);
  EXPECT_EQ(sources->Choisis().Plages(), (std::vector<Plage>{{1, 3}, {5, 8}}));
  EXPECT_EQ(sources->Choisis().Nombre(), 7);
  EXPECT_FALSE(sources->Choisi(0));
  EXPECT_FALSE(sources->Choisi(4));
  EXPECT_EQ(sources->IndexSource, 7);
  EXPECT_EQ(sources->CheminsChoisis(), (Liste{Ligne("B.JPG"), Ligne("c.wav"), Ligne("d.pvl"), Ligne("g.bmp"),
                                              Ligne("h.mp3"), Ligne("i.mid")}));
}

// Pictures that cannot be decoded among good ones, previewed with their neighbours.
class ImagesIllisibles : public SourcesTest {
 protected:
  ImagesIllisibles() {
    banc.Ecrire(QStringLiteral("medias/casse.jpg"), "not a JPEG, only words");
    banc.Ecrire(QStringLiteral("medias/vide.jpg"), "");
    banc.vue->ImagesVoisines = true;
    banc.montage->RafraichirFond = false;
    sources->Images();  // a.jpg, B.JPG, casse.jpg, f.gif, g.bmp, vide.jpg, and the one refused
    QObject::connect(banc.vue.get(), &TFVue::Presenter, [this] {
      if (!banc.vue->Photo.isNull())
        montrees.push_back({banc.vue->CodeDiapo, banc.vue->Photo.pixelColor(banc.vue->Photo.rect().center())});
    });
  }
  QString Dit(const char* nom) const {
    return QStringLiteral("L'image \"") + Hote(nom) + QStringLiteral("\" est vide ou illisible : elle n'est pas montrée.");
  }
  // The middle of the pixels of that colour in the paint box.
  QPoint Milieu(QColor couleur) const {
    QRect r;
    const QImage& p = banc.vue->PBox;
    for (int y = 0; y < p.height(); ++y)
      for (int x = 0; x < p.width(); ++x)
        if (test::Proche(p.pixelColor(x, y), couleur, 10)) r |= QRect(x, y, 1, 1);
    return r.center();
  }
  std::vector<std::pair<int, QColor>> montrees;
};

TEST_F(ImagesIllisibles, UneImageIllisibleEstDiteUneFoisEnFrancaisEtSaPlaceResteVide) {
  ASSERT_FALSE(banc.vue->PBox.isNull());
  Choisir({"a.jpg"});
  sources->Selection();
  // a.jpg in the middle place, B.JPG below it.
  const QPoint place = Milieu(Qt::red), dessous = Milieu(Qt::green);
  ASSERT_FALSE(place.isNull());
  ASSERT_GT(dessous.y(), place.y());
  // vide.jpg: g.bmp beside it, its own place empty, not the picture held before.
  montrees.clear();
  Choisir({"vide.jpg"});
  sources->Selection();
  const auto code = [&](int c) {
    return std::count_if(montrees.begin(), montrees.end(), [c](const auto& m) { return m.first == c; });
  };
  EXPECT_EQ(code(443), 0);
  ASSERT_GE(code(444), 1);
  EXPECT_TRUE(test::Proche(montrees.back().second, Qt::yellow));
  const Couleur c = banc.vue->CouleurDiapo;
  const QColor fond(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
  EXPECT_TRUE(test::Proche(banc.vue->PBox.pixelColor(place), fond)) << banc.vue->PBox.pixelColor(place).name().toStdString();
  EXPECT_EQ(banc.dialogues.textes, QStringList{Dit("vide.jpg")});
  EXPECT_EQ(banc.montage->TitreFichier(), Ligne("vide.jpg"));
  // Coming back to the window previews it again, without a word more.
  sources->FormActivate();
  sources->FormActivate();
  EXPECT_EQ(banc.dialogues.textes.size(), 1);

  // casse.jpg as a neighbour says nothing and leaves its place empty.
  Choisir({"B.JPG"});
  sources->Selection();
  EXPECT_TRUE(test::Proche(banc.vue->PBox.pixelColor(place), Qt::green));
  EXPECT_TRUE(test::Proche(banc.vue->PBox.pixelColor(dessous), fond)) << banc.vue->PBox.pixelColor(dessous).name().toStdString();
  EXPECT_EQ(banc.dialogues.textes.size(), 1);
  Choisir({"casse.jpg"});
  sources->Selection();
  Choisir({"casse.jpg"});
  sources->Selection();
  EXPECT_EQ(banc.dialogues.textes, (QStringList{Dit("vide.jpg"), Dit("casse.jpg")}));
}

TEST_F(SourcesTest, LeDiaporamaPartDuFichierChoisiMalgreUnNomIntraduisibleAvant) {
  QDir().mkpath(Hote("decal"));
  test::EcrireJpeg(Hote("decal/a1.jpg"), test::Unie(32, 24, Qt::red));
  test::EcrireJpeg(Hote(QString::fromUtf8("decal/a2_Ωx.jpg")), test::Unie(32, 24, Qt::white));
  test::EcrireJpeg(Hote("decal/a3.jpg"), test::Unie(32, 24, Qt::green));
  test::EcrireJpeg(Hote("decal/a4.jpg"), test::Unie(32, 24, Qt::blue));
  ASSERT_TRUE(sources->OuvrirDossier(Hote("decal")));
  sources->Images();
  ASSERT_EQ(sources->Fichiers.size(), 4);
  banc.options->opt_tempo = QStringLiteral("60000");
  banc.vue->ListePropre = false;
  std::vector<QColor> montrees;
  QObject::connect(banc.vue.get(), &TFVue::Presenter, [&] {
    if (!banc.vue->Photo.isNull()) montrees.push_back(banc.vue->Photo.pixelColor(banc.vue->Photo.rect().center()));
  });
  Choisir({"a3.jpg"});
  banc.vue->Photo = QImage();  // the preview's picture is not the show's
  sources->DiaporamaSources();
  banc.vue->Timer1.stop();
  EXPECT_EQ(banc.vue->Medias,
            (Liste{banc.Chemin(QStringLiteral("medias/decal/a1.jpg")), banc.Chemin(QStringLiteral("medias/decal/a3.jpg")),
                   banc.Chemin(QStringLiteral("medias/decal/a4.jpg"))}));
  ASSERT_FALSE(montrees.empty());
  EXPECT_TRUE(test::Proche(montrees.front(), Qt::green)) << montrees.front().name().toStdString();
  // Back from the show standing on its second line: a3.jpg is chosen again.
  banc.vue->ListePropre = false;
  sources->DefinirSelection({0}, 0);
  banc.vue->IndexCourant = 2;
  sources->FormShow();
  EXPECT_EQ(sources->IndexSource, 2);
  EXPECT_EQ(banc.vue->LigneApercu, "a3.jpg");
}

TEST_F(SourcesTest, IgnorerLesFichiersAudioRetenuDansLesReglagesLaisseLeSonMuet) {
  banc.Ecrire(QStringLiteral("muet.ini"), "[Options]\nAudioMuet=1\n");
  // The program starting on these settings.
  banc.registre = std::make_unique<Registre>(banc.CheminHote(QStringLiteral("muet.ini")));
  banc.options = std::make_unique<TFOptions>(*banc.vue, *banc.registre);
  ASSERT_TRUE(banc.options->Coche(9));
  Choisir({"c.wav"});
  sources->Selection();
  EXPECT_FALSE(banc.vue->AudioEnCours);
  EXPECT_FALSE(sources->AudioArretVisible);
  EXPECT_TRUE(banc.vue->AudioCourant.empty());
}

TEST_F(SourcesTest, UnSonQuiNePeutSOuvrirNeLaissePasDeBoutonDArret) {
  banc.Ecrire(QStringLiteral("medias/Track01.cda"), "");
  sources->Sons();
  Choisir({"Track01.cda"});
  sources->Selection();
  EXPECT_FALSE(banc.vue->AudioEnCours);
  EXPECT_FALSE(sources->AudioArretVisible);
  EXPECT_EQ(banc.dialogues.textes.size(), 1);  // the layer's reason, said by the projection
}

TEST(ArbreDossiers, UnitesDeLaTableDesMontages) {
  const QString table = QStringLiteral(
      "/dev/sda1 / ext4 rw 0 0\n"
      "proc /proc proc rw 0 0\n"
      "/dev/sdb1 /media/cle\\040usb vfat rw 0 0\n"
      "/dev/sr0 /run/media/moi/CD iso9660 ro 0 0\n"
      "/dev/sdc1 /mnt/sauvegarde ext4 rw 0 0\n");
  const auto unites = UnitesDe(table, QStringLiteral("/home/moi"));
  QStringList chemins;
  for (const auto& u : unites) chemins << u.chemin;
  EXPECT_EQ(chemins, (QStringList{"/", "/home/moi", "/media/cle usb", "/run/media/moi/CD", "/mnt/sauvegarde"}));
}

TEST(ArbreDossiers, DossiersParNomEtRemontee) {
  QTemporaryDir d;
  for (const char* n : {"b", "A", "c"}) QDir(d.path()).mkdir(QString::fromUtf8(n));
  ArbreDossiers arbre(d.path());
  EXPECT_EQ(arbre.SousDossiers(), (QStringList{"..", "A", "b", "c"}));
  ASSERT_TRUE(arbre.OuvrirEntree(QStringLiteral("b")));
  EXPECT_EQ(arbre.Dossier(), QDir(d.path()).filePath(QStringLiteral("b")));
  EXPECT_FALSE(arbre.OuvrirEntree(QStringLiteral("../../etc")));
  ASSERT_TRUE(arbre.OuvrirEntree(QStringLiteral("..")));
  EXPECT_EQ(arbre.Dossier(), QDir::cleanPath(d.path()));
  EXPECT_FALSE(arbre.Ouvrir(QDir(d.path()).filePath(QStringLiteral("absent"))));
  EXPECT_EQ(arbre.Dossier(), QDir::cleanPath(d.path()));
}

}  // namespace
}  // namespace plivor
