#include "app/Programme.h"

#include <QTimer>
#include <cstdio>

#include "platform/Enregistrement.h"

#include <QEvent>
#include <QFileInfo>

#include "options/PageInstallation.h"

namespace plivor {

namespace {

Texte Ligne(const QString& chemin) { return LigneDepuisHote(chemin.toStdString()).value_or(Texte{}); }

}  // namespace

void VoisinsProgramme::StyleWindows(bool bordure) {
  // The montage and resource windows follow the projection's style.
  if (liste) {
    liste->setWindowFlag(Qt::FramelessWindowHint, !bordure);
    liste->resize(bordure ? QSize(242, 627) : QSize(234, 600));
  }
  if (source) {
    source->setWindowFlag(Qt::FramelessWindowHint, !bordure);
    source->resize(bordure ? QSize(234, 627) : QSize(226, 600));
  }
}

namespace {

// Swallows the hints of every window while they are hidden.
class FiltreBulles : public QObject {
 public:
  using QObject::QObject;
  bool masquees = false;
  bool eventFilter(QObject*, QEvent* evenement) override {
    return masquees && evenement->type() == QEvent::ToolTip;
  }
};

}  // namespace

void VoisinsProgramme::Bulles(bool visibles) {
  VoisinsNavigation::Bulles(visibles);
  static FiltreBulles* filtre = [] {
    auto* f = new FiltreBulles(QApplication::instance());
    QApplication::instance()->installEventFilter(f);
    return f;
  }();
  filtre->masquees = !visibles;
}

Programme::Programme(const QString& cheminProgramme, const OptionsProgramme& options) {
  if (options.ecranFixe)
    ecran_ = std::make_unique<EcranFixe>(QSize(1280, 800));
  else
    ecran_ = std::make_unique<EcranPrincipal>();
  registre_ = options.fichierReglages.isEmpty() ? std::make_unique<Registre>()
                                                : std::make_unique<Registre>(options.fichierReglages);
  // The projection's screen is known before the first layout, made for its size.
  ecran_->Choisir(registre_->Lire().ecranProjection);
  // Saves a killed run left half done are settled before anything is read.
  DefinirJournalEnregistrements(registre_->Dossier().toStdString() + "/enregistrements-en-cours");
  NettoyerEnregistrementsInterrompus();
  const Texte programme = Ligne(cheminProgramme);
  ServicesVue services{fichiers_, surveilles_, audio_, *ecran_, cadence_, bureau_, voisins_,
                       DossierDe(programme, fichiers_.Style())};
  vue_ = std::make_unique<TFVue>(services);
  vue_->CheminProgramme = programme;
  ecranVue_ = std::make_unique<EcranVue>(*vue_);
  // An open box holds the show's timer until it is closed; a show left
  // alone gets notices instead of boxes.
  surveilles_.suspendre = [this] {
    minuterieTenue_ = vue_->Timer1.isActive();
    vue_->Timer1.stop();
  };
  surveilles_.reprendre = [this] {
    if (minuterieTenue_ && !vue_->Timer1.isActive()) vue_->Timer1.start();
    minuterieTenue_ = false;
  };
  surveilles_.sansSurveillance = [this] { return vue_->SansSurveillance; };
  surveilles_.avis = [this](const QString& texte) {
    std::fprintf(stderr, "%s\n", qPrintable(QString(texte).replace(QLatin1Char('\r'), QLatin1Char(' '))));
    ecranVue_->MontrerAvis(texte);
  };
  panneau_ = std::make_unique<PanneauNavigation>(*vue_, ecran_->Taille());
  voisins_.panneauNav = panneau_.get();
  menu_ = std::make_unique<TFMenu>(*panneau_, *vue_, &ecranVue_->Menu().PopImage());
  options_ = std::make_unique<TFOptions>(*vue_, *registre_);
  fenetreOptions_ = std::make_unique<FenetreOptions>(*options_);
  installation_ = std::make_unique<Installation>(*vue_, DossiersUtilisateur());
  new PageInstallation(*installation_, *vue_, fenetreOptions_->PageInstallation());
  liste_ = std::make_unique<TFListe>(*vue_, fichiers_);
  voisins_.liste = liste_.get();
  voisins_.montage = &liste_->Moteur();
  recuperation_ = std::make_unique<Recuperation>(liste_->Moteur(), registre_->Dossier());
  // A run that ends as the user chose leaves no copy behind; one ended by a
  // signal keeps it for the next start.
  QObject::connect(vue_.get(), &TFVue::Terminer, recuperation_.get(), [this] {
    if (finParSignal_)
      recuperation_->Suivre();
    else
      recuperation_->Retirer();
  });
  // "Choisir une 2è langue": the options window on its options page.
  QObject::connect(&liste_->Moteur(), &Montage::OptionsLangue, options_.get(), [this] {
    options_->opt_Page = 1;
    if (!options_->Visible)
      options_->BasculerOptions();
    else
      emit options_->ControlesChanges();
  });
  source_ = std::make_unique<TFSource>(*vue_, liste_->Moteur());
  voisins_.source = source_.get();
  // "Publier la présentation": the publication panel; the program is
  // carried by the installation routine.
  source_->Pub().DefinirInstallation(installation_.get());
  QObject::connect(liste_.get(), &TFListe::Publier, source_.get(), [this] {
    liste_->BoutonImporter(false);
    source_->Publier();
  });
  // The montage's import button shows the resource window; it comes back
  // when that window goes, and the montage's closing takes it away.
  QObject::connect(liste_.get(), &TFListe::ImporterMedias, source_.get(), &TFSource::Importer);
  QObject::connect(source_.get(), &TFSource::Fermee, liste_.get(), [this] { liste_->BoutonImporter(true); });
  QObject::connect(&liste_->Moteur(), &Montage::Masquer, source_.get(), [this] {
    if (source_->isVisible()) source_->hide();
    liste_->BoutonImporter(true);
  });
  QObject::connect(&liste_->Moteur(), &Montage::Montrer, source_.get(), [this] {
    if (!vue_->FenetreSources) return;
    liste_->BoutonImporter(false);
    source_->show();
  });
  ouvrir_ = std::make_unique<TFOuvrir>(*vue_);
  voisins_.ouvreur = ouvrir_.get();
  if (options.sansSurveillance) vue_->SansSurveillance = vue_->IgnorerAbsents = true;
}

void Programme::Demarrer() { vue_->Ouverture(); }

void Programme::ProposerRecuperation() { recuperation_->Proposer(); }

void Programme::FinDemandee() {
  if (finParSignal_) return;
  finParSignal_ = true;
  recuperation_->Suivre();
  FermerLesDialogues();
  // Once the closed dialogs' loops have given control back.
  QTimer::singleShot(0, vue_.get(), [this] { vue_->QuitterSurSignal(); });
}

}  // namespace plivor
