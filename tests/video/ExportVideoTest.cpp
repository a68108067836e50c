// The real program exports lists written in temporary folders; the files it
// writes are read back with FFmpeg's libraries: streams, pixels, sound.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

#include "codecs/Encodeurs.h"
#include "support/ImagesEssai.h"
#include "support/SonsEssai.h"
#include "video/LectureVideo.h"

namespace plivor::test {
namespace {

const QString kProgramme = QStringLiteral(PLIVOR_PROGRAMME);

// A sine of `frequence` Hz, mono, amplitude 10 000.
std::vector<std::int16_t> Sinus(double frequence, int taux, double secondes) {
  std::vector<std::int16_t> e(size_t(taux * secondes));
  for (size_t i = 0; i < e.size(); ++i) e[i] = std::int16_t(10000 * std::sin(2 * M_PI * frequence * double(i) / taux));
  return e;
}

struct Issue {
  int code = -1;
  QString erreurs;
};

class ExportVideo : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EcrireBmp(Chemin("quadrants.bmp"), Quadrants(400, 300)));
    ASSERT_TRUE(EcrireBmp(Chemin("damier.bmp"), Damier()));
  }
  QString Chemin(const QString& nom) const { return dossier.filePath(nom); }
  // A list as Windows writes it.
  QString Liste(const QString& nom, const QStringList& lignes) const {
    QFile f(Chemin(nom));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    for (const QString& l : lignes) f.write(l.toLatin1() + "\r\n");
    return f.fileName();
  }
  static QImage Damier() {
    QImage image(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, y, ((x / 50 + y / 50) % 2) ? qRgb(250, 250, 240) : qRgb(20, 60, 30));
    return image;
  }
  static Issue Lancer(const QStringList& arguments, int delaiMs = 120000) {
    QProcess programme;
    programme.setProcessChannelMode(QProcess::SeparateChannels);
    programme.start(kProgramme, arguments);
    EXPECT_TRUE(programme.waitForFinished(delaiMs));
    Issue issue;
    issue.code = programme.exitStatus() == QProcess::NormalExit ? programme.exitCode() : -1;
    issue.erreurs = QString::fromUtf8(programme.readAllStandardError());
    return issue;
  }
  Issue Exporter(const QString& liste, const QString& sortie, const QStringList& options = {}) const {
    return Lancer(QStringList{QStringLiteral("--video"), sortie} + options + QStringList{liste});
  }
  // The two pictures, a second each, with a line after the first.
  QString DeuxImages(const QString& ligne = QStringLiteral("Tempo=1000.pvi")) const {
    return Liste(QStringLiteral("deux.pvl"), {"Tempo=1000.pvi", "Transition=Sans.pvi", Chemin("quadrants.bmp"), ligne,
                                              Chemin("damier.bmp")});
  }
  // Files left in the folder besides the test's own.
  QStringList Restes() const {
    QStringList noms = QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden);
    noms.removeIf([](const QString& n) { return !n.contains(QLatin1String(".mp4")); });
    return noms;
  }
  QTemporaryDir dossier;
};

TEST_F(ExportVideo, DeuxImagesEtUnWavDonnentUnMp4LisiblePartout) {
  ASSERT_TRUE(EcrireWav(Chemin("la.wav"), Sinus(440, 44100, 1.5), 44100, 1));
  const QString sortie = Chemin("deux.mp4");
  const Issue issue = Exporter(DeuxImages(Chemin("la.wav")), sortie, {"--taille", "1280x800", "--ips", "20"});
  ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  const FaitsVideo f = LireFaits(sortie);
  EXPECT_EQ(f.codecVideo, "h264");
  EXPECT_EQ(f.formatPixels, "yuv420p");
  EXPECT_EQ(f.largeur, 1280);
  EXPECT_EQ(f.hauteur, 800);
  EXPECT_DOUBLE_EQ(f.ips, 20);
  EXPECT_EQ(f.codecAudio, "aac");
  EXPECT_EQ(f.frequence, 48000);
  EXPECT_EQ(f.canaux, 2);
  // The sum of the tempos, within a frame.
  EXPECT_NEAR(f.dureeVideo, 2.0, 1.0 / 20);
  EXPECT_NEAR(f.dureeAudio, 2.0, 1.0 / 20);
  EXPECT_EQ(f.images, 40);
  EXPECT_TRUE(f.indexEnTete);
  EXPECT_TRUE(QFileInfo(sortie).permissions().testFlag(QFileDevice::ReadOther));
  EXPECT_TRUE(Restes() == QStringList{"deux.mp4"}) << Restes().join(' ').toStdString();
}

// --ecran: the screen as the display shows it, the window at its size.
TEST_F(ExportVideo, ChaqueEtapeEstLImageDuRenduHorsEcran) {
  const QString liste = DeuxImages();
  const QString rendu = Chemin("rendu");
  ASSERT_EQ(Lancer({"--rendu", rendu, "--etapes", "2", liste}).code, 0);
  const QString sortie = Chemin("etapes.mp4");
  ASSERT_EQ(Exporter(liste, sortie, {"--taille", "1280x800", "--ips", "20", "--ecran"}).code, 0);
  for (int etape = 1; etape <= 2; ++etape) {
    const QImage attendue(QStringLiteral("%1/etape-%2.png").arg(rendu).arg(etape, 4, 10, QLatin1Char('0')));
    ASSERT_FALSE(attendue.isNull());
    const QImage image = ImageA(sortie, etape - 0.5);
    ASSERT_EQ(image.size(), QSize(1280, 800));
    const QPoint ou = Position(image, attendue.convertToFormat(QImage::Format_RGB32));
    const QImage boite = image.copy(QRect(ou, attendue.size()));
    EXPECT_GE(Psnr(boite, attendue.convertToFormat(QImage::Format_RGB32)), 40.0) << "étape " << etape;
  }
}

TEST_F(ExportVideo, UnTitreEtUnMorpheSontCeuxDuRendu) {
  // Photographs of the demo: flat saturated colours would measure the
  // format's halved colour resolution at their edges, not the export.
  const QString media = QFileInfo(QStringLiteral(PLIVOR_DEMO_LISTE)).absolutePath() + "/media/";
  const QString liste = Liste(QStringLiteral("titre.pvl"), {"Tempo=2000.pvi", "Transition=Sans.pvi", media + "ouverture.jpg",
                                                            "Titrage=Bonjour.pvv", "Morphe=Zoom.pvi", media + "coucher.jpg"});
  const QString rendu = Chemin("rendu");
  ASSERT_EQ(Lancer({"--rendu", rendu, "--etapes", "3", liste}).code, 0);
  const QString sortie = Chemin("titre.mp4");
  ASSERT_EQ(Exporter(liste, sortie, {"--taille", "1280x800", "--ips", "20", "--ecran"}).code, 0);
  QPoint ou;
  for (int etape = 1; etape <= 3; ++etape) {
    const QImage attendue = QImage(QStringLiteral("%1/etape-%2.png").arg(rendu).arg(etape, 4, 10, QLatin1Char('0')))
                                .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(attendue.isNull());
    // Each step at its end, once its morph is over.
    const QImage image = ImageA(sortie, 2.0 * etape - 0.1);
    if (etape == 1) ou = Position(image, attendue);
    // Lettering on photographs loses most to the halved colour resolution.
    EXPECT_GE(Psnr(image.copy(QRect(ou, attendue.size())), attendue), 38.0) << "étape " << etape;
  }
  // The morph grows the new picture from the middle over the title: there,
  // a frame of it is neither the one before nor the one after.
  const QRect milieu(640 - 150, 400 - 100, 300, 200);
  const QImage avant = ImageA(sortie, 3.9).copy(milieu), apres = ImageA(sortie, 5.9).copy(milieu),
               pendant = ImageA(sortie, 4.3).copy(milieu);
  EXPECT_LT(Psnr(pendant, avant), 25.0);
  EXPECT_LT(Psnr(pendant, apres), 25.0);
}

TEST_F(ExportVideo, LeMilieuDUnVenitienNEstNiLAncienneNiLaNouvelleImage) {
  const QString liste = Liste(QStringLiteral("venitien.pvl"),
                              {"Tempo=2000.pvi", "Transition=Sans.pvi", Chemin("quadrants.bmp"),
                               QString::fromUtf8("Transition=Vénitien.pvi"), "Duree=1-sec.pvi", Chemin("damier.bmp")});
  const QString sortie = Chemin("venitien.mp4");
  ASSERT_EQ(Exporter(liste, sortie, {"--taille", "640x400", "--ips", "20"}).code, 0);
  const QImage avant = ImageA(sortie, 1.5), milieu = ImageA(sortie, 2.5), apres = ImageA(sortie, 3.5);
  EXPECT_LT(Psnr(milieu, avant), 25.0);
  EXPECT_LT(Psnr(milieu, apres), 25.0);
  EXPECT_GT(Psnr(ImageA(sortie, 3.9), apres), 40.0);  // the transition is over by then
  // Slats of both pictures side by side: rows of the old one, rows of the new.
  int anciennes = 0, nouvelles = 0;
  for (int y = 0; y < milieu.height(); ++y) {
    const QRgb m = milieu.pixel(milieu.width() / 2 - 60, y);
    if (Proche(m, avant.pixel(milieu.width() / 2 - 60, y), 30) && !Proche(m, apres.pixel(milieu.width() / 2 - 60, y), 30))
      ++anciennes;
    if (Proche(m, apres.pixel(milieu.width() / 2 - 60, y), 30) && !Proche(m, avant.pixel(milieu.width() / 2 - 60, y), 30))
      ++nouvelles;
  }
  EXPECT_GT(anciennes, 30);
  EXPECT_GT(nouvelles, 30);
}

TEST_F(ExportVideo, LesSonsGardentLeurHauteurEtPartentASLeurLigne) {
  ASSERT_TRUE(EcrireWav(Chemin("la.wav"), Sinus(440, 44100, 1.5), 44100, 1));
  QProcess mp3;
  mp3.start(QStringLiteral("ffmpeg"), {"-v", "error", "-f", "lavfi", "-i", "sine=frequency=660:sample_rate=48000:duration=2",
                                       "-c:a", "libmp3lame", "-b:a", "192k", Chemin("mi.mp3")});
  ASSERT_TRUE(mp3.waitForFinished(30000));
  ASSERT_EQ(mp3.exitCode(), 0) << mp3.readAllStandardError().toStdString();
  const QString liste = Liste(QStringLiteral("sons.pvl"), {"Tempo=2000.pvi", "Transition=Sans.pvi", Chemin("quadrants.bmp"),
                                                           Chemin("la.wav"), Chemin("damier.bmp"), Chemin("mi.mp3")});
  const QString sortie = Chemin("sons.mp4");
  const Issue issue = Exporter(liste, sortie, {"--taille", "320x200", "--ips", "25"});
  ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  const std::vector<float> son = SonGauche(sortie);
  const size_t image = 48000 / 25;
  // The WAV from the first picture on, at its pitch, for its 1.5 s.
  const size_t la = Debut(son, 0.05f);
  EXPECT_LE(la, image);
  EXPECT_NEAR(FrequenceDe(son, 9600, 48000), 440, 4.4);
  EXPECT_LT(Crete(son, 48000 * 16 / 10, 48000 * 3 / 10), 0.01f);
  // The MP3 at the second picture, 2 s in.
  const size_t mi = Debut(son, 0.05f, 48000 * 16 / 10);
  EXPECT_NEAR(double(mi), 2.0 * 48000, double(image));
  EXPECT_NEAR(FrequenceDe(son, 48000 * 23 / 10, 48000), 660, 6.6);
}

// Root mean square of the stretch from `debut` s to `fin` s, at 48 kHz.
double Efficace(const std::vector<float>& s, double debut, double fin) {
  double somme = 0;
  const size_t a = size_t(debut * 48000), b = std::min(s.size(), size_t(fin * 48000));
  for (size_t i = a; i < b; ++i) somme += double(s[i]) * s[i];
  return b > a ? std::sqrt(somme / double(b - a)) : 0;
}

TEST_F(ExportVideo, VolumePauseRepriseEtArretTombentALeursLignes) {
  // 2.5 s at 440 Hz, then 1.5 s at 880 Hz.
  std::vector<std::int16_t> son = Sinus(440, 44100, 2.5), aigu = Sinus(880, 44100, 1.5);
  son.insert(son.end(), aigu.begin(), aigu.end());
  ASSERT_TRUE(EcrireWav(Chemin("long.wav"), son, 44100, 1));
  const QString a = Chemin("quadrants.bmp"), b = Chemin("damier.bmp");
  const QString liste = Liste(QStringLiteral("commandes.pvl"),
                              {"Tempo=1000.pvi", "Transition=Sans.pvi", a, Chemin("long.wav"), b, "Audio-Volume=40.pvi", a,
                               "Audio=Pause.pvi", b, "Audio=Jouer.pvi", a, "Audio=Stop.pvi", b});
  const QString sortie = Chemin("commandes.mp4");
  const Issue issue = Exporter(liste, sortie, {"--taille", "160x120", "--ips", "25"});
  ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  EXPECT_NEAR(LireFaits(sortie).dureeVideo, 6.0, 0.04);
  const std::vector<float> s = SonGauche(sortie);
  const double plein = Efficace(s, 0.2, 0.8);
  EXPECT_GT(plein, 0.1);
  // 80 % of the volume, then 40 %, from the second picture on.
  EXPECT_NEAR(Efficace(s, 1.2, 1.8) / plein, 0.5, 0.03);
  // The fall comes at the picture's instant, within a frame.
  EXPECT_NEAR(Crete(s, 48000 * 94 / 100, 48000 * 4 / 100) / Crete(s, 48000 * 102 / 100, 48000 * 4 / 100), 2.0, 0.1);
  // Paused at the third picture, resumed where it was at the fourth.
  EXPECT_LT(Efficace(s, 2.05, 2.95), 0.003);
  EXPECT_NEAR(double(Debut(s, 0.02f, 48000 * 21 / 10)), 3.0 * 48000, 48000 / 25);
  EXPECT_NEAR(FrequenceDe(s, 48000 * 31 / 10, 48000 * 3 / 10), 440, 4.4);
  EXPECT_NEAR(FrequenceDe(s, 48000 * 36 / 10, 48000 * 3 / 10), 880, 8.8);
  // Stopped at the fifth.
  EXPECT_LT(Efficace(s, 4.05, 5.95), 0.003);
  EXPECT_GT(Efficace(s, 3.9, 3.98), 0.05);
}

// A fade out ends paused at the fade's floor, 3 % of the volume. After an
// AllerA loop the sound stays silent when its line is not played again,
// and comes back at its whole volume when it is.
TEST_F(ExportVideo, UnSonEteintParUnFonduNeRevientPasATroisPourCentApresUneBoucle) {
  ASSERT_TRUE(EcrireWav(Chemin("ton.wav"), Sinus(440, 44100, 30), 44100, 1));
  const QString a = Chemin("quadrants.bmp"), b = Chemin("damier.bmp"), ton = Chemin("ton.wav");
  const QStringList fin{"Audio-FadeOff=1000.pvi", a, b, a, "AllerA=Boucle.pvi"};
  const QString avant = Liste(QStringLiteral("avant.pvl"),
                              QStringList{"Tempo=1000.pvi", "Transition=Sans.pvi", ton, "Drapeau=Boucle.pvd", a, b} + fin);
  const QString apres = Liste(QStringLiteral("apres.pvl"),
                              QStringList{"Tempo=1000.pvi", "Transition=Sans.pvi", "Drapeau=Boucle.pvd", a, ton, b} + fin);
  for (const QString& liste : {avant, apres}) {
    const QString sortie = liste + ".mp4";
    const Issue issue = Exporter(liste, sortie, {"--taille", "160x120", "--ips", "10", "--duree", "14"});
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    const std::vector<float> s = SonGauche(sortie);
    const double plein = Efficace(s, 0.2, 0.8);
    ASSERT_GT(plein, 0.05);
    // Each 0.5 s from `debut` to `fin`, the loudest and the quietest.
    const auto etendue = [&](double debut, double fin) {
      double crete = 0, plancher = 1;
      for (double t = debut; t + 0.5 <= fin + 1e-9; t += 0.5) {
        crete = std::max(crete, Efficace(s, t, t + 0.5) / plein);
        plancher = std::min(plancher, Efficace(s, t, t + 0.5) / plein);
      }
      return std::pair{crete, plancher};
    };
    // The one-second fade falls by 7/8 every 125 ms: paused by 4 s.
    EXPECT_LT(etendue(4.0, 5.0).first, 0.01);
    if (liste == avant) {
      EXPECT_LT(etendue(5.0, 13.5).first, 0.01);  // never the floor's 3 %
    } else {
      EXPECT_GT(etendue(5.5, 8.0).first, 0.9);  // played again at its volume
      EXPECT_LT(etendue(11.0, 13.0).first, 0.01);  // and faded out again
    }
  }
}

TEST_F(ExportVideo, UneLigneMidiSEntend) {
  ASSERT_TRUE(EcrireMidi(Chemin("air.mid"), {NoteMidi{60, 0, 900, 110}, NoteMidi{67, 0, 900, 110}}));
  const QString liste = Liste(QStringLiteral("midi.pvl"), {"Tempo=1500.pvi", "Transition=Sans.pvi", Chemin("quadrants.bmp"),
                                                           Chemin("air.mid")});
  const QString sortie = Chemin("midi.mp4");
  const Issue issue = Exporter(liste, sortie, {"--taille", "320x200", "--ips", "10"});
  ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  const std::vector<float> son = SonGauche(sortie);
  ASSERT_GE(son.size(), size_t(48000));
  EXPECT_GT(Crete(son, 4800, 24000), 0.02f);
  EXPECT_LT(Debut(son, 0.01f), size_t(4800));
}

TEST_F(ExportVideo, LaDemoSeDecodeSansUnMessage) {
  const QString sortie = Chemin("demo.mp4");
  const Issue issue = Exporter(QStringLiteral(PLIVOR_DEMO_LISTE), sortie, {"--taille", "480x270", "--ips", "10"});
  ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  QProcess ffmpeg;
  ffmpeg.start(QStringLiteral("ffmpeg"), {"-v", "error", "-i", sortie, "-f", "null", "-"});
  ASSERT_TRUE(ffmpeg.waitForFinished(120000));
  EXPECT_EQ(ffmpeg.exitCode(), 0);
  EXPECT_EQ(ffmpeg.readAllStandardError(), QByteArray());
  EXPECT_GT(LireFaits(sortie).dureeVideo, 20.0);
}

TEST_F(ExportVideo, LaMemeListeDonneLeMemeFichierOctetPourOctet) {
  // Pictures, titles, transitions, a MIDI tune: nothing depends on the
  // machine's timing.
  QByteArray fichiers[2];
  for (int i = 0; i < 2; ++i) {
    const QString sortie = Chemin(QStringLiteral("demo-%1.mp4").arg(i));
    ASSERT_EQ(Exporter(QStringLiteral(PLIVOR_DEMO_LISTE), sortie, {"--taille", "320x180", "--ips", "15", "--duree", "6"}).code,
              0);
    QFile f(sortie);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    fichiers[i] = f.readAll();
  }
  EXPECT_GT(fichiers[0].size(), 10000);
  EXPECT_TRUE(fichiers[0] == fichiers[1]);
}

TEST_F(ExportVideo, UneListeQuiBoucleSArreteALaDureeDemandee) {
  const QString sortie = Chemin("duree.mp4");
  ASSERT_EQ(Exporter(DeuxImages(), sortie, {"--taille", "160x120", "--ips", "10", "--duree", "3,5"}).code, 0);
  EXPECT_NEAR(LireFaits(sortie).dureeVideo, 3.5, 0.1);
}

TEST_F(ExportVideo, UnSautEnArriereArreteAussiLExport) {
  // The list never comes back to line 0: it jumps back to its flag.
  const QString liste = Liste(QStringLiteral("saut.pvl"),
                              {"Tempo=1000.pvi", "Transition=Sans.pvi", Chemin("quadrants.bmp"), "Drapeau=Boucle.pvd",
                               Chemin("damier.bmp"), Chemin("quadrants.bmp"), "AllerA=Boucle.pvi"});
  const QString sortie = Chemin("saut.mp4");
  const Issue issue = Exporter(liste, sortie, {"--taille", "160x120", "--ips", "10"});
  ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  const double duree = LireFaits(sortie).dureeVideo;
  EXPECT_GE(duree, 2.0);
  EXPECT_LE(duree, 6.0);
}

TEST_F(ExportVideo, UnArretDemandeAnnuleLExportSansRienLaisser) {
  const QString liste = Liste(QStringLiteral("longue.pvl"), {"Tempo=600000.pvi", Chemin("quadrants.bmp")});
  QProcess programme;
  programme.start(kProgramme, {"--video", Chemin("longue.mp4"), "--taille", "640x360", liste});
  ASSERT_TRUE(programme.waitForStarted());
  // Once frames are being made (its bar says so), as Ctrl+C or a shutdown
  // would ask.
  programme.setReadChannel(QProcess::StandardError);
  QByteArray erreurs;
  while (!erreurs.contains("Export [") && programme.waitForReadyRead(30000)) erreurs += programme.readAll();
  ASSERT_TRUE(erreurs.contains("Export ["));
  programme.terminate();
  ASSERT_TRUE(programme.waitForFinished(30000));
  EXPECT_EQ(programme.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(programme.exitCode(), 1);
  erreurs += programme.readAll();
  EXPECT_TRUE(QString::fromUtf8(erreurs).contains(QString::fromUtf8("Export annulé."))) << erreurs.toStdString();
  EXPECT_TRUE(Restes().isEmpty()) << Restes().join(' ').toStdString();
}

TEST_F(ExportVideo, UnFichierQuOnNePeutEcrireEstDitEtRienNEstEcrit) {
  const Issue issue = Exporter(DeuxImages(), Chemin("absent/sortie.mp4"));
  EXPECT_EQ(issue.code, 1);
  EXPECT_TRUE(issue.erreurs.contains(QString::fromUtf8("Impossible d'écrire le fichier vidéo"))) << issue.erreurs.toStdString();
  EXPECT_FALSE(QFileInfo::exists(Chemin("absent")));
}

TEST_F(ExportVideo, UnMediaAbsentArreteLExportAvecLeMessageDeLaProjection) {
  // A video of the same name from before stays as it was.
  {
    QFile ancienne(Chemin("absent.mp4"));
    ASSERT_TRUE(ancienne.open(QIODevice::WriteOnly));
    ancienne.write("ancienne vidéo");
  }
  const QString liste = Liste(QStringLiteral("absent.pvl"), {"Tempo=1000.pvi", Chemin("quadrants.bmp"), Chemin("perdue.jpg")});
  const Issue issue = Exporter(liste, Chemin("absent.mp4"), {"--taille", "160x120"});
  EXPECT_EQ(issue.code, 1);
  EXPECT_TRUE(issue.erreurs.contains(QString::fromUtf8("perdue.jpg : Médias ou dossier absents!!\n"
                                                      "L'option --ignorer-absents passe les fichiers absents.")))
      << issue.erreurs.toStdString();
  QFile ancienne(Chemin("absent.mp4"));
  ASSERT_TRUE(ancienne.open(QIODevice::ReadOnly));
  EXPECT_EQ(ancienne.readAll(), QByteArray("ancienne vidéo"));
  EXPECT_TRUE(Restes() == QStringList{"absent.mp4"}) << Restes().join(' ').toStdString();
}

TEST_F(ExportVideo, UnMediaAbsentEstPasseAvecIgnorerLesAbsentsEtDit) {
  const QString liste = Liste(QStringLiteral("absent.pvl"), {"Tempo=1000.pvi", "Transition=Sans.pvi", Chemin("quadrants.bmp"),
                                                             Chemin("perdue.jpg"), Chemin("damier.bmp")});
  const QString sortie = Chemin("absent.mp4");
  const Issue issue = Exporter(liste, sortie, {"--taille", "400x300", "--ips", "10", "--ignorer-absents"});
  ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  EXPECT_EQ(issue.erreurs.count(QString::fromUtf8("perdue.jpg : Médias ou dossier absents!! Passé.")), 1)
      << issue.erreurs.toStdString();
  // The missing line takes no step of its own: the checkerboard follows.
  EXPECT_NEAR(LireFaits(sortie).dureeVideo, 2.0, 0.1);
  EXPECT_LT(Psnr(ImageA(sortie, 1.5), ImageA(sortie, 0.5)), 20.0);
}

// A picture the projection says it cannot read is said and passed; the
// picture before it stays for its step, as on screen.
TEST_F(ExportVideo, UneImageIllisibleEstDiteEtPassee) {
  {
    QFile abimee(Chemin("abimee.jpg"));
    ASSERT_TRUE(abimee.open(QIODevice::WriteOnly));
    abimee.write(QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(300, '\x55'));
  }
  const QString liste = Liste(QStringLiteral("abimee.pvl"), {"Tempo=1000.pvi", "Transition=Sans.pvi", Chemin("quadrants.bmp"),
                                                             Chemin("abimee.jpg"), Chemin("damier.bmp")});
  const QString sortie = Chemin("abimee.mp4");
  const Issue issue = Exporter(liste, sortie, {"--taille", "400x300", "--ips", "10"});
  ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  EXPECT_EQ(issue.erreurs.count(QStringLiteral("abimee.jpg")), 1) << issue.erreurs.toStdString();
  EXPECT_NEAR(LireFaits(sortie).dureeVideo, 3.0, 0.1);
  const QImage quadrants = ImageA(sortie, 0.5);
  EXPECT_GE(Psnr(ImageA(sortie, 1.5), quadrants), 40.0);
  EXPECT_LT(Psnr(ImageA(sortie, 2.5), quadrants), 20.0);
}

TEST_F(ExportVideo, LeConteneurSuitLeNomDuFichier) {
  const QString liste = DeuxImages();
  const struct {
    const char *nom, *conteneur, *video, *audio;
    QByteArray marque;
  } cas[] = {{"film.mkv", "matroska,webm", "h264", "aac", "matroska"},
             {"film.MOV", "mov,mp4,m4a,3gp,3g2,mj2", "h264", "aac", "ftypqt  "},
             {"film.webm", "matroska,webm", "vp9", "opus", "webm"}};
  for (const auto& c : cas) {
    const QString sortie = Chemin(QString::fromLatin1(c.nom));
    const Issue issue = Exporter(liste, sortie, {"--taille", "320x240", "--ips", "10"});
    ASSERT_EQ(issue.code, 0) << c.nom << " " << issue.erreurs.toStdString();
    const FaitsVideo f = LireFaits(sortie);
    EXPECT_EQ(f.conteneur, QLatin1String(c.conteneur)) << c.nom;
    EXPECT_TRUE(f.entete.contains(c.marque)) << c.nom;
    EXPECT_EQ(f.codecVideo, QLatin1String(c.video)) << c.nom;
    EXPECT_EQ(f.codecAudio, QLatin1String(c.audio)) << c.nom;
    EXPECT_EQ(f.frequence, 48000) << c.nom;
    EXPECT_EQ(f.images, 20) << c.nom;
  }
  const Issue avi = Exporter(liste, Chemin("film.avi"));
  EXPECT_EQ(avi.code, 1);
  EXPECT_TRUE(avi.erreurs.contains(QString::fromUtf8("Format de vidéo inconnu : « film.avi ».\n"
                                                    "Plivor écrit des vidéos .mp4, .mkv, .mov et .webm.")))
      << avi.erreurs.toStdString();
  EXPECT_TRUE(QDir(dossier.path()).entryList({"*avi*"}, QDir::Files | QDir::Hidden).isEmpty());
}

// No graphics encoder here: the processor's takes over, and says so.
TEST_F(ExportVideo, SansEncodeurMaterielLeProcesseurEncodeEtLeDit) {
  const QString sortie = Chemin("materiel.mp4");
  const Issue issue = Exporter(DeuxImages(), sortie, {"--taille", "320x240", "--ips", "10", "--materiel"});
  ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  EXPECT_TRUE(issue.erreurs.contains(QString::fromUtf8(
      "Aucun encodeur matériel H.264 utilisable (VA-API, NVENC) : la vidéo est encodée par le processeur (libx264).")))
      << issue.erreurs.toStdString();
  const FaitsVideo f = LireFaits(sortie);
  EXPECT_EQ(f.codecVideo, "h264");
  EXPECT_EQ(f.images, 20);
}

TEST_F(ExportVideo, DesReglagesIllisiblesSontDits) {
  const QString liste = DeuxImages();
  Issue issue = Exporter(liste, Chemin("x.mp4"), {"--taille", "641x480"});
  EXPECT_EQ(issue.code, 1);
  EXPECT_TRUE(issue.erreurs.contains(QString::fromUtf8("Taille de vidéo invalide : 641x480"))) << issue.erreurs.toStdString();
  issue = Exporter(liste, Chemin("x.mp4"), {"--ips", "trente"});
  EXPECT_EQ(issue.code, 2);
  EXPECT_TRUE(issue.erreurs.contains(QString::fromUtf8("Nombre d'images par seconde illisible : trente")));
  issue = Exporter(Chemin("nulle-part.pvl"), Chemin("x.mp4"));
  EXPECT_EQ(issue.code, 1);
  EXPECT_TRUE(issue.erreurs.contains(QString::fromUtf8("Liste introuvable")));
  EXPECT_TRUE(Restes().isEmpty()) << Restes().join(' ').toStdString();
}

}  // namespace
}  // namespace plivor::test

#include <sys/resource.h>

namespace plivor::test {
namespace {

// 36 bytes whose one note lasts for days: the export plays the music as far
// as the video goes, not the whole file first (once 2.2 GB for 5 s).
TEST_F(ExportVideo, UnMidiSansFinNeCoutePasPlusQueLaVideo) {
  QFile midi(Chemin("long.mid"));
  ASSERT_TRUE(midi.open(QIODevice::WriteOnly));
  midi.write(QByteArray::fromHex("4d546864000000060000000100014d54726b00000016"
                                 "00ff5103ffffff" "00903c64" "ffffff7f803c40" "00ff2f00"));
  midi.close();
  const QString liste = Liste(QStringLiteral("l.pvl"), {"Tempo=300.pvi", Chemin("long.mid"), Chemin("quadrants.bmp")});
  const Issue issue = Exporter(liste, Chemin("x.mp4"), {"--taille", "320x240", "--ips", "10", "--duree", "5"});
  ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
  rusage usage{};
  ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
  EXPECT_LT(usage.ru_maxrss, 600 * 1024) << "ko";
}

// Large frames last: a child that measures its own peak runs before them.
// The demo's card fills the frame's height at any size, drawn at the
// frame's pixels: the same pixels as the offscreen render of that size, and
// finer detail than the window's own size scaled up.
TEST_F(ExportVideo, LaFenetreRemplitLImageDessineeASesPixels) {
  const QString demo = QStringLiteral(PLIVOR_DEMO_LISTE);
  for (const QSize taille : {QSize(1280, 720), QSize(3840, 2160)}) {
    const QString nom = QStringLiteral("%1x%2").arg(taille.width()).arg(taille.height());
    const QString rendu = Chemin("rendu-" + nom), sortie = Chemin(nom + ".mp4");
    ASSERT_EQ(Lancer({"--rendu", rendu, "--etapes", "2", "--taille", nom, demo}).code, 0) << nom.toStdString();
    const Issue issue = Exporter(demo, sortie, {"--taille", nom, "--ips", "5", "--duree", "6"});
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    // The opening photograph, its curtain open, before the title.
    const QImage image = ImageA(sortie, 5.4);
    ASSERT_EQ(image.size(), taille);
    const QImage etape = QImage(rendu + "/etape-0002.png").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(etape.isNull());
    // The 4:3 card in a 16:9 frame: its height, centred, bars at the sides.
    const int carte = taille.height() * 4 / 3, bord = (taille.width() - carte) / 2;
    EXPECT_GT(etape.height(), taille.height() * 9 / 10) << nom.toStdString();
    for (const int y : {1, taille.height() / 2, taille.height() - 2}) {
      EXPECT_EQ(qGray(image.pixel(bord / 2, y)) < 20, true) << nom.toStdString() << " barre y=" << y;
      EXPECT_NE(image.pixel(taille.width() / 2, y) & 0xFFFFFF, 0u) << nom.toStdString() << " carte y=" << y;
    }
    const QPoint ou = Position(image, etape);
    EXPECT_NEAR(ou.x() + etape.width() / 2, taille.width() / 2, 2) << nom.toStdString();
    EXPECT_GE(Psnr(image.copy(QRect(ou, etape.size())), etape), 40.0) << nom.toStdString();
  }
}

// Stripes four pixels wide: a window-sized fit blurs them to grey, a fit at
// the frame's pixels keeps them black and white.
TEST_F(ExportVideo, UnePhotoFineGardeSonDetailALaTailleDeLImage) {
  QImage rayures(3200, 2400, QImage::Format_RGB32);
  for (int x = 0; x < rayures.width(); ++x)
    for (int y = 0; y < rayures.height(); ++y) rayures.setPixel(x, y, (x / 4) % 2 ? qRgb(250, 250, 250) : qRgb(5, 5, 5));
  ASSERT_TRUE(rayures.save(Chemin("rayures.png")));
  const QString liste = Liste(QStringLiteral("rayures.pvl"), {"Tempo=1000.pvi", "Transition=Sans.pvi", Chemin("rayures.png")});
  // The share of the middle row's pixels that are still black or white.
  const auto nets = [](const QImage& image) {
    int n = 0;
    const int y = image.height() / 2, largeur = 400;
    for (int x = image.width() / 2 - largeur / 2; x < image.width() / 2 + largeur / 2; ++x) {
      const int g = qGray(image.pixel(x, y));
      n += g < 40 || g > 215;
    }
    return double(n) / largeur;
  };
  double cadre = 0, ecran = 0;
  for (const bool entier : {false, true}) {
    const QString sortie = Chemin(entier ? "ecran.mp4" : "cadre.mp4");
    QStringList options{"--taille", "3840x2160", "--ips", "2", "--duree", "1"};
    if (entier) options << "--ecran";
    ASSERT_EQ(Exporter(liste, sortie, options).code, 0);
    (entier ? ecran : cadre) = nets(ImageA(sortie, 0.5));
  }
  EXPECT_GT(cadre, 0.6);
  // The window at its own size, as before: the stripes are lost.
  EXPECT_LT(ecran, 0.3);
}

}  // namespace
}  // namespace plivor::test
