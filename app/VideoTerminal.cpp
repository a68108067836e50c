#include "app/VideoTerminal.h"

#include <QRegularExpression>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

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

std::optional<QSize> LireTaille(const QString& texte) {
  static const QRegularExpression forme(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
  const auto m = forme.match(texte);
  if (!m.hasMatch()) return std::nullopt;
  return QSize(m.captured(1).toInt(), m.captured(2).toInt());
}

}  // namespace

bool VideoDemandee(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--video") == 0) return true;
  return false;
}

int ExporterEnVideo(const QStringList& arguments, const QString& cheminProgramme) {
  ReglagesVideo r;
  r.cheminProgramme = cheminProgramme;
  QString faute;
  for (qsizetype i = 1; i < arguments.size() && faute.isEmpty(); ++i) {
    const QString& a = arguments[i];
    const bool valeur = i + 1 < arguments.size();
    if (a == QLatin1String("--video") && valeur) {
      r.sortie = arguments[++i];
    } else if (a == QLatin1String("--taille") && valeur) {
      const auto taille = LireTaille(arguments[++i]);
      if (taille)
        r.taille = *taille;
      else
        faute = QStringLiteral("Taille de vidéo illisible : ") + arguments[i] + QStringLiteral(" (par exemple 1920x1080).");
    } else if (a == QLatin1String("--ips") && valeur) {
      bool nombre = false;
      r.ips = arguments[++i].toInt(&nombre);
      if (!nombre) faute = QStringLiteral("Nombre d'images par seconde illisible : ") + arguments[i];
    } else if (a == QLatin1String("--duree") && valeur) {
      bool nombre = false;
      r.dureeMax = QString(arguments[++i]).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&nombre);
      if (!nombre || r.dureeMax <= 0) faute = QStringLiteral("Durée illisible : ") + arguments[i];
    } else if (a.startsWith(QLatin1String("--"))) {
      faute = QStringLiteral("Option inconnue ou incomplète : ") + a;
    } else {
      r.liste = a;
    }
  }
  if (faute.isEmpty() && r.liste.isEmpty()) faute = QStringLiteral("Aucune liste à exporter.");
  if (!faute.isEmpty()) {
    std::fprintf(stderr, "%s\nUsage : plivor --video sortie.mp4 [--taille 1920x1080] [--ips 30] [--duree S] liste.pvl\n",
                 qPrintable(faute));
    return 2;
  }
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
