#include "app/VideoTerminal.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "app/LigneDeCommande.h"
#include "video/ExportVideo.h"

namespace plivor {

namespace {

// Ctrl+C or a request to end: the export is cancelled and leaves nothing.
volatile std::sig_atomic_t gArret = 0;
extern "C" void DemanderArret(int) { gArret = 1; }

// A bar redrawn in place on a terminal; plain lines elsewhere.
class BarreTerminal : public ProgressionExport {
 public:
  BarreTerminal() : terminal_(isatty(fileno(stderr)) != 0) {}
  bool Avancer(double fraction, double secondes) override {
    if (gArret) return false;
    // Off a terminal, one line every tenth.
    const int dixieme = int(fraction * 10);
    if (!terminal_ && dixieme == dernier_) return true;
    dernier_ = dixieme;
    Dessiner(fraction, secondes);
    return true;
  }
  void Avis(const QString& texte) override {
    Fin();
    std::fprintf(stderr, "%s\n", qPrintable(texte));
  }
  // The bar's line ends before anything else is said.
  void Fin() override {
    if (ouverte_) std::fputc('\n', stderr);
    ouverte_ = false;
  }

 private:
  void Dessiner(double fraction, double secondes) {
    constexpr int kLargeur = 30;
    const int pleins = std::clamp(int(fraction * kLargeur), 0, kLargeur);
    const int s = int(secondes);
    std::fprintf(stderr, "%sExport [%s%s] %3d %%  %d:%02d", terminal_ ? "\r" : "",
                 std::string(size_t(pleins), '#').c_str(), std::string(size_t(kLargeur - pleins), '-').c_str(),
                 int(fraction * 100), s / 60, s % 60);
    if (terminal_) {
      ouverte_ = true;
    } else {
      std::fputc('\n', stderr);
    }
    std::fflush(stderr);
  }
  bool terminal_;
  bool ouverte_ = false;
  int dernier_ = -100;
};

}  // namespace

int ExporterEnVideo(const Commande& c, const QString& cheminProgramme) {
  ReglagesVideo r;
  r.cheminProgramme = cheminProgramme;
  r.liste = c.listes.value(0);
  r.sortie = c.sortieVideo;
  r.taille = c.taille;
  r.ips = c.ips;
  r.dureeMax = c.duree;
  r.ignorerAbsents = c.ignorerAbsents;
  r.ecranEntier = c.ecranEntier;
  r.materiel = c.materiel;
  BarreTerminal barre;
  std::signal(SIGINT, DemanderArret);
  std::signal(SIGTERM, DemanderArret);
  const ResultatExport resultat = ExporterVideo(r, barre);
  if (!resultat.reussi) {
    // Messages break their lines with a carriage return, as the boxes do.
    std::fprintf(stderr, "%s\n", qPrintable(QString(resultat.message).replace(QLatin1Char('\r'), QLatin1Char('\n'))));
    return 1;
  }
  std::printf("%s : %lld images, %.2f s\n", qPrintable(r.sortie), resultat.images, resultat.secondes);
  return 0;
}

}  // namespace plivor
