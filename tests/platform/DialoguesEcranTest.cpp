// The real file dialogs of the program, opened offscreen on a folder that
// holds one file of every kind: each filter the program hands them lists
// the files of its kind, under its name.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "montage/Constructeur.h"
#include "platform/Dialogues.h"

namespace plivor {
namespace {

const QStringList kFichiers = {"a.jpg", "b.gif", "c.bmp", "PHOTO.JPG", "d.wav", "e.cda", "f.mp3", "g.mid",
                               "h.rmi", "i.pvl", "j.txt", "k.pvs", "l.pvm", "m.pvd", "n.rtf", "o.avi",
                               "p.swf", "q.mp4", "LISEZMOI", "t.png", "u.heic", "v.flac"};

// What a dialog showed: its filter names and the files of its view.
struct Vu {
  QStringList filtres;
  QStringList fichiers;
  QString titre;
};

class DialoguesEcranTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const QString& nom : kFichiers) {
      QFile f(dossier.filePath(nom));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("x");
    }
    ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("sous")));
  }

  // Opens the real dialog on the folder, with filter number `rang` of
  // `filtre` chosen, reads its view and cancels it.
  Vu Ouvrir(const QString& filtre, int rang = 0, bool enregistrer = false) {
    Vu vu;
    bool lu = false;
    QTimer::singleShot(0, [&] { Lire(vu, rang, lu); });
    DialoguesEcran ecran;
    const auto choix = enregistrer ? ecran.FichierAEnregistrer(QStringLiteral("Essai"), dossier.path(), filtre)
                                   : ecran.FichierAOuvrir(QStringLiteral("Essai"), dossier.path(), filtre);
    EXPECT_FALSE(choix.has_value());
    EXPECT_TRUE(lu) << "no file dialog came up";
    vu.fichiers.sort(Qt::CaseInsensitive);
    return vu;
  }

 private:
  void Lire(Vu& vu, int rang, bool& lu) {
    auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialogue) {
      QTimer::singleShot(20, [&] { Lire(vu, rang, lu); });
      return;
    }
    vu.titre = dialogue->windowTitle();
    vu.filtres = dialogue->nameFilters();
    if (rang > 0 && rang < vu.filtres.size()) dialogue->selectNameFilter(vu.filtres[rang]);
    auto* vue = dialogue->findChild<QListView*>(QStringLiteral("listView"));
    auto* modele = dialogue->findChild<QFileSystemModel*>();
    if (vue && modele) {
      // The folder is read by a thread of the model: "sous", shown under
      // any filter, says that the reading has come this far.
      bool charge = false;
      QObject::connect(modele, &QFileSystemModel::directoryLoaded, dialogue, [&charge] { charge = true; });
      QElapsedTimer horloge;
      horloge.start();
      while (!charge && horloge.elapsed() < 20000) QApplication::processEvents(QEventLoop::AllEvents, 50);
      for (int i = 0; i < 20; ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
      const QModelIndex racine = vue->rootIndex();
      for (int i = 0; i < modele->rowCount(racine); ++i) {
        const QModelIndex index = modele->index(i, 0, racine);
        if (!modele->isDir(index) && (modele->flags(index) & Qt::ItemIsEnabled)) vu.fichiers << modele->fileName(index);
      }
    }
    lu = true;
    dialogue->reject();
  }

 protected:
  QTemporaryDir dossier;
};

TEST_F(DialoguesEcranTest, LesDialoguesDImagesMontrentLesImages) {
  for (const QString& filtre : {FiltreImages, FiltreImagesManquantes}) {
    const Vu vu = Ouvrir(filtre);
    EXPECT_EQ(vu.fichiers, (QStringList{"a.jpg", "b.gif", "c.bmp", "PHOTO.JPG", "t.png", "u.heic"})) << filtre.toStdString();
    EXPECT_EQ(vu.titre, QStringLiteral("Essai"));
  }
  const QString motifs = QStringLiteral("*.jpg *.jpeg *.jfif *.jpe *.gif *.bmp *.png *.webp *.tif *.tiff *.heic *.heif *.avif");
  EXPECT_EQ(Ouvrir(FiltreImages).filtres, QStringList{QStringLiteral("Images (%1)").arg(motifs)});
  EXPECT_EQ(Ouvrir(FiltreImagesManquantes).filtres, QStringList{QStringLiteral("Fichiers images (%1)").arg(motifs)});
}

TEST_F(DialoguesEcranTest, LesDialoguesDeSonsMontrentLesSonsEtLeMidi) {
  for (const QString& filtre : {FiltreSons, FiltreSonsManquants}) {
    const Vu vu = Ouvrir(filtre);
    EXPECT_EQ(vu.fichiers, (QStringList{"d.wav", "e.cda", "f.mp3", "g.mid", "h.rmi", "v.flac"})) << filtre.toStdString();
    EXPECT_EQ(vu.filtres, QStringList{QStringLiteral(
                              "Fichiers audio (*.wav *.cda *.mp3 *.mid *.rmi *.flac *.ogg *.oga *.opus *.m4a *.aac)")});
  }
}

TEST_F(DialoguesEcranTest, LesDialoguesDeListesMontrentLesListesPuisLeTexte) {
  Vu vu = Ouvrir(FiltreListes);
  EXPECT_EQ(vu.filtres, (QStringList{QStringLiteral("Listes Plivor (*.pvl)"),
                                     QStringLiteral("Listes au format Texte (*.txt)")}));
  EXPECT_EQ(vu.fichiers, QStringList{QStringLiteral("i.pvl")});
  EXPECT_EQ(Ouvrir(FiltreListes, 1).fichiers, QStringList{QStringLiteral("j.txt")});
  // The save dialog of a list takes the same filters.
  vu = Ouvrir(QStringLiteral("Fichier Plivor (*.pvl)|*.pvl|Format texte (*.txt)|*.txt"), 0, true);
  EXPECT_EQ(vu.fichiers, QStringList{QStringLiteral("i.pvl")});
  EXPECT_EQ(vu.filtres[1], QStringLiteral("Format texte (*.txt)"));
}

TEST_F(DialoguesEcranTest, ScriptsFichiersPlivorObjetsEtTousLesFichiers) {
  EXPECT_EQ(Ouvrir(FiltreScript).fichiers, QStringList{QStringLiteral("k.pvs")});
  EXPECT_EQ(Ouvrir(FiltrePlivorManquants).fichiers, (QStringList{"i.pvl", "k.pvs", "l.pvm", "m.pvd"}));
  const QString objets = QStringLiteral("Fichiers (*.pvl *.rtf *.avi *.swf)|*.pvl;*.rtf;*.avi;*.swf|Tous (*.*)|*.*");
  Vu vu = Ouvrir(objets);
  EXPECT_EQ(vu.fichiers, (QStringList{"i.pvl", "n.rtf", "o.avi", "p.swf"}));
  EXPECT_EQ(vu.filtres, (QStringList{QStringLiteral("Fichiers (*.pvl *.rtf *.avi *.swf)"), QStringLiteral("Tous (*)")}));
  // "Tous": every file, the one without an extension too.
  QStringList tous = kFichiers;
  tous.sort(Qt::CaseInsensitive);
  EXPECT_EQ(Ouvrir(objets, 1).fichiers, tous);
  EXPECT_EQ(Ouvrir(FiltreTous).fichiers, tous);
  EXPECT_EQ(Ouvrir(QStringLiteral("Vidéo MP4 (*.mp4)|*.mp4"), 0, true).fichiers, QStringList{QStringLiteral("q.mp4")});
}

TEST(FiltreQt, UnFiltreSansBarreResteTelQuel) {
  EXPECT_EQ(FiltreQt(QStringLiteral("Images (*.png)")), QStringLiteral("Images (*.png)"));
  EXPECT_EQ(FiltreQt(QStringLiteral("|*.jpg;*.gif")), QStringLiteral("*.jpg *.gif (*.jpg *.gif)"));
}

}  // namespace
}  // namespace plivor
