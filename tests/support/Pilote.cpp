#include "support/Pilote.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "support/ProgrammeReel.h"

namespace plivor::test {
namespace {

// The functions of the driving scripts (see Pilote.h). No window manager
// runs: the keys go to the window under the pointer.
const char kFonctions[] = R"SH(
fenetre() {
  local fin=$(( $(date +%s) + ${2:-10} )) id trouve
  while :; do
    trouve=
    for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
      case "$(xdotool getwindowname "$id" 2>/dev/null)" in "$1"*) trouve=$id ;; esac
    done
    [ -n "$trouve" ] && { echo "$trouve"; return 0; }
    [ "$(date +%s)" -ge "$fin" ] && return 1
    sleep 0.1
  done
}
# Until no window's title starts with $1 (${2:-20} s at most).
disparue() {
  local fin=$(( $(date +%s) + ${2:-20} ))
  while fenetre "$1" 0 >/dev/null; do
    [ "$(date +%s)" -ge "$fin" ] && return 1
    sleep 0.2
  done
}
titres() {
  local id nom
  for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
    nom=$(xdotool getwindowname "$id" 2>/dev/null)
    case "$nom" in "$1"*) echo "$nom" ;; esac
  done
}
demarrer() {
  "$PLIVOR" "$@" 2>>erreurs.txt &
  P=$!
  fenetre "$PROJECTION" 20 >/dev/null
  sleep 1.5
}
dans() {
  local id
  id=$(fenetre "$1") || { echo "pas de fenêtre « $1 »" >&2; return 1; }
  xdotool mousemove --window "$id" "$2" "$3"
  sleep 0.3
}
cliquer() { xdotool mousemove "$1" "$2" click 1; sleep 0.5; }
touches() { local t; for t in "$@"; do xdotool key "$t"; sleep 0.4; done; }
taper() { xdotool type --delay 15 "$1"; sleep 0.3; }
# The boxes share the program's name as their title with the projection:
# they are told by their height (the projection, the montage and the other
# windows of that name are taller), the last shown first.
liste_boites() {
  local id taille l h
  for id in $(xdotool search --onlyvisible --name "$PROJECTION" 2>/dev/null); do
    taille=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
    read -r l h <<< "${taille:-0 0}"
    [ "$l" -gt 0 ] && [ "$h" -gt 0 ] && [ "$h" -lt 500 ] && echo "$id"
  done
}
boites() { liste_boites | wc -l; }
# Waits for a box (20 s at most, a loaded machine is slow) and puts the
# pointer over it.
boite() {
  local i b=
  for i in $(seq 100); do b=$(liste_boites | tail -1); [ -n "$b" ] && break; sleep 0.2; done
  [ -n "$b" ] || { echo "pas de boîte" >&2; return 1; }
  BOITE=$b
  xdotool mousemove --window "$b" 30 30
  sleep 0.2
}
# A box copies nothing with Ctrl+C here; its text can be selected.
texte_boite() {
  boite || return 1
  xdotool mousemove --window "$BOITE" 70 20 click 1
  sleep 0.3
  xdotool key ctrl+a ctrl+c
  sleep 0.3
  "$OUTIL_X" presse-papiers
  echo
}
fermer_boites() {
  local i
  for i in $(seq 10); do
    [ "$(boites)" -gt 0 ] || return 0
    texte_boite >> boites.txt; xdotool key Return; sleep 1.5
  done
}
capturer() { "$OUTIL_X" capture "$1"; }
attendre_fichier() {
  local i
  for i in $(seq $(( ${2:-10} * 10 ))); do [ -e "$1" ] && return 0; sleep 0.1; done
  return 1
}
vivant() { kill -0 "$P" 2>/dev/null; }
terminer() {
  kill -"${1:-TERM}" "$P"
  local i
  for i in $(seq 40); do vivant || break; sleep 0.25; done
  if vivant; then echo encore > reste.txt; kill -9 "$P"; fi
  wait "$P"
  echo $? > code.txt
}
)SH";

}  // namespace

Pilote::Pilote(QString programme, QString dossier) : programme_(std::move(programme)), dossier_(std::move(dossier)) {}

bool Pilote::Disponible() {
  return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

QProcessEnvironment Pilote::Environnement(const QString& reglages) { return EnvironnementReel(reglages); }

int Pilote::Lancer(const QString& actions, int delaiMs) {
  const QString script = QDir(dossier_).filePath(QStringLiteral("actions.sh"));
  const auto cite = [](QString s) { return QLatin1Char('\'') + s.replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\''); };
  QFile f(script);
  if (!f.open(QIODevice::WriteOnly)) return -1;
  const QString entete = QStringLiteral("set -u\ncd %1\nPLIVOR=%2\nOUTIL_X=%3\nPROJECTION='Plivor  v'\n")
                             .arg(cite(dossier_), cite(programme_), cite(QStringLiteral(PLIVOR_OUTIL_X)));
  f.write((entete + QString::fromLatin1(kFonctions) + actions + QStringLiteral("\n")).toUtf8());
  f.close();
  QProcess bash;
  bash.setProcessEnvironment(Environnement(QDir(dossier_).filePath(QStringLiteral("reglages.ini"))));
  bash.start(QStringLiteral("bash"), {QStringLiteral(PLIVOR_SUR_XVFB_PILOTE), QStringLiteral("bash"), script});
  if (!bash.waitForFinished(delaiMs)) {
    bash.kill();
    bash.waitForFinished();
    erreurs_ = "le script n'a pas fini à temps\n";
    return -1;
  }
  erreurs_ = bash.readAllStandardError().toStdString();
  return bash.exitCode();
}

std::string Pilote::Lire(const QString& nom) const {
  QFile f(QDir(dossier_).filePath(nom));
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<absent>");
}

int Pilote::Code() const {
  const std::string code = Lire(QStringLiteral("code.txt"));
  return code == "<absent>" ? -1 : std::stoi(code);
}

QImage Pilote::Capture(const QString& nom) const {
  const QImage image(QDir(dossier_).filePath(nom));
  const QString garde = qEnvironmentVariable("PLIVOR_CAPTURES");
  if (!garde.isEmpty() && !image.isNull()) image.save(QDir(garde).filePath(nom));
  return image;
}

}  // namespace plivor::test
