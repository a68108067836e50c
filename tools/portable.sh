#!/usr/bin/env bash
# The players carried by a published folder, so that it plays on a machine
# without Plivor: stripped copies of plivor and prelio that look for their
# libraries in lib/ beside them, every library they need beyond a base
# desktop system, Qt's plugins, French translation and the SoundFont.
#
#   portable.sh DOSSIER_PROGRAMME QMAKE SOUNDFONT
#       makes DOSSIER_PROGRAMME/portable from the plivor and prelio there
#   portable.sh --hors-base < CHEMINS
#       prints the paths read (one a line) that are not of the base set
set -euo pipefail

# What any desktop machine has, so it is never carried: the C library, the
# X11 and Wayland clients, the GL stack and its drivers. A library is told
# by its file name; the C library's and the GL drivers' modules by folder.
# The test of the carried folder reads this same list (--hors-base).
de_base() {
  case "$1" in
    */gconv/*.so | */dri/*.so | */gbm/*.so) return 0 ;;
  esac
  case "${1##*/}" in
    ld-linux*.so* | libc.so* | libm.so* | libmvec.so* | libpthread.so* | libdl.so* | librt.so* | \
      libresolv.so* | libutil.so* | libanl.so* | libnsl.so* | libnss_*.so* | libthread_db.so* | \
      libBrokenLocale.so* | libc_malloc_debug.so*) return 0 ;;
    libX11*.so* | libxcb*.so* | libXau.so* | libXdmcp.so* | libXext.so* | libXrender.so* | libXi.so* | \
      libXfixes.so* | libXcursor.so* | libXrandr.so* | libXinerama.so* | libXxf86vm.so* | libXdamage.so* | \
      libXcomposite.so* | libXss.so* | libXtst.so* | libxshmfence.so*) return 0 ;;
    libwayland-*.so*) return 0 ;;
    libGL.so* | libGLX*.so* | libEGL*.so* | libGLESv*.so* | libOpenGL.so* | libGLdispatch.so* | libglapi.so* | \
      libgbm.so* | libdrm*.so* | libvulkan.so* | libLLVM*.so* | libsensors.so* | libelf*.so*) return 0 ;;
    # What those load themselves (libXdmcp, the Wayland clients, libgbm).
    libbsd.so* | libmd.so* | libffi.so* | libexpat.so*) return 0 ;;
  esac
  return 1
}

if [ "${1:-}" = "--hors-base" ]; then
  while IFS= read -r chemin; do
    [ -n "$chemin" ] && ! de_base "$chemin" && printf '%s\n' "$chemin"
  done
  exit 0
fi

programme=$1 qmake=$2 soundfont=$3
plugins=$("$qmake" -query QT_INSTALL_PLUGINS)
traductions=$("$qmake" -query QT_INSTALL_TRANSLATIONS)
# Built aside and put in place whole, so a failed run leaves no half folder.
cible=$programme/portable
neuf=$programme/.portable.neuf
rm -rf "$neuf"
mkdir -p "$neuf/lib/plugins" "$neuf/lib/translations"

# The libraries an ELF file loads, resolved on this machine, outside the base.
dependances() {
  ldd "$1" | awk '$2 == "=>" && $3 ~ /^\// { print $3 } $2 == "=>" && $3 == "not" { print "ABSENT " $1 }' |
    while IFS= read -r chemin; do
      case "$chemin" in ABSENT*) echo "portable.sh : bibliothèque introuvable pour $1 : ${chemin#ABSENT }" >&2; exit 1 ;; esac
      de_base "$chemin" || printf '%s\n' "$chemin"
    done
}

for nom in plivor prelio; do
  strip --strip-all -o "$neuf/$nom" "$programme/$nom"
  patchelf --set-rpath '$ORIGIN/lib' "$neuf/$nom"
done

# Plugins: the screens (X11, Wayland when installed, none), GL on X11, the
# pictures, the input methods and the desktop themes Qt looks for.
for groupe in platforms xcbglintegrations imageformats platforminputcontexts platformthemes iconengines \
  wayland-shell-integration wayland-decoration-client wayland-graphics-integration-client; do
  [ -d "$plugins/$groupe" ] || continue
  for fichier in "$plugins/$groupe"/*.so; do
    [ -e "$fichier" ] || continue
    case "$groupe/${fichier##*/}" in
      platforms/libqxcb.so | platforms/libqoffscreen.so | platforms/libqwayland*.so | platforms/libqminimal.so) ;;
      platforms/*) continue ;;
    esac
    mkdir -p "$neuf/lib/plugins/$groupe"
    strip --strip-unneeded -o "$neuf/lib/plugins/$groupe/${fichier##*/}" "$fichier"
    patchelf --set-rpath '$ORIGIN/../..' "$neuf/lib/plugins/$groupe/${fichier##*/}"
  done
done

# Every library, transitively (ldd resolves the whole tree), under its
# own name (its soname), as a file: a link would not survive every copy.
{
  dependances "$programme/plivor"
  dependances "$programme/prelio"
  find "$neuf/lib/plugins" -name '*.so' -print0 | while IFS= read -r -d '' p; do dependances "$p"; done
} | sort -u | while IFS= read -r chemin; do
  nom=${chemin##*/}
  [ -e "$neuf/lib/$nom" ] && continue
  cp -L "$chemin" "$neuf/lib/$nom"
  chmod u+w "$neuf/lib/$nom"
  patchelf --set-rpath '$ORIGIN' "$neuf/lib/$nom"
done

# Qt's own paths beside the players; only what it reads (its French texts).
printf '[Paths]\nPrefix=.\nPlugins=lib/plugins\nTranslations=lib/translations\n' >"$neuf/qt.conf"
[ -f "$traductions/qtbase_fr.qm" ] && cp "$traductions/qtbase_fr.qm" "$neuf/lib/translations/"
# The MIDI instruments.
[ -f "$soundfont" ] && cp -L "$soundfont" "$neuf/lib/${soundfont##*/}"

rm -rf "$cible"
mv "$neuf" "$cible"
