#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds, and either projects the
# demo sequence or runs every test.
#   bash tools/plivor.sh demo    build and project the demo
#   bash tools/plivor.sh test    build and run all tests
#   bash tools/plivor.sh paquet  build the Debian package, check it, install it
set -euo pipefail
cd "$(dirname "$0")/.."

PAQUETS=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  libsdl2-dev libfluidsynth-dev timgm6mb-soundfont libcdio-dev
  libjpeg62-turbo-dev libgif-dev libheif-dev qt6-image-formats-plugins libheif-examples
  libgtest-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core xdotool libx11-dev libxrandr-dev
  qt6-translations-l10n
  clang libclang-rt-14-dev
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev libswresample-dev ffmpeg
  shared-mime-info xdg-utils desktop-file-utils libfile-mimeinfo-perl dbus qt6-wayland weston
  patchelf
)

# Only for making the package.
PAQUETS_PAQUET=(lintian dpkg-dev file)

en_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

installer() {
  local manquants=()
  for paquet in "${PAQUETS[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q "install ok installed" || manquants+=("$paquet")
  done
  if [ ${#manquants[@]} -gt 0 ]; then
    echo "Installation : ${manquants[*]}"
    en_root apt-get update
    en_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${manquants[@]}"
  fi
}

construire() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build -j"$(nproc)"
}

# The same suite built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (a fault stops the test that meets it), then each
# fuzz target for a fixed time on a copy of its seeds.
SECONDES_FUZZ="${SECONDES_FUZZ:-5}"
configurer_sanitaires() {
  CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DPLIVOR_FUZZ=ON -DPLIVOR_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer" >/dev/null
}
# The engines' tests and the fuzz targets. The real program under a virtual
# X server mostly waits on its own timings: it runs in the plain build only.
cibles_sanitaires() {
  ninja -C build-san -t targets all | sed -n 's/^\(tests_[a-z_]*\|fuzz_[a-z]*\): phony$/\1/p' |
    grep -vE '_autogen|_programme$|^tests_app$'
}
compiler_sanitaires() {
  # shellcheck disable=SC2046
  cmake --build build-san -j"$(nproc)" --target $(cibles_sanitaires)
}
verifier_sanitaires() {
  export ASAN_OPTIONS=halt_on_error=1:detect_leaks=0
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  (cd build-san && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=disk ctest --output-on-failure -j"$(nproc)" -L moteur)
  local corpus
  corpus="$(mktemp -d)"
  for cible in build-san/tests/fuzz/fuzz_*; do
    [ -f "$cible" ] && [ -x "$cible" ] || continue
    local nom="${cible##*/fuzz_}" longueur=()
    # The projection's inputs are choices, not files: long ones from the start.
    [ "$nom" = projection ] && longueur=(-len_control=0 -max_len=600)
    mkdir -p "$corpus/$nom"
    cp -r "tests/fuzz/graines/$nom/." "$corpus/$nom/"
    echo "Fuzz $nom : ${SECONDES_FUZZ} s"
    if ! "$cible" -max_total_time="$SECONDES_FUZZ" -timeout=30 -rss_limit_mb=4096 "${longueur[@]}" \
      -dict=tests/fuzz/dictionnaire.txt -artifact_prefix="$corpus/$nom-" "$corpus/$nom" >"$corpus/$nom.log" 2>&1; then
      tail -n 80 "$corpus/$nom.log" >&2
      echo "Fuzz $nom : défaut trouvé, l'entrée est dans $corpus" >&2
      return 1
    fi
    grep -E "^Done [0-9]+ runs" "$corpus/$nom.log" || true
  done
  rm -rf "$corpus"
}

case "${1:-}" in
  demo)
    installer
    construire
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      # Nobody would see a window: the demo is projected without a screen
      # into a folder, one picture per step and a contact sheet.
      rm -rf build/demo-rendu
      SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" ./build/plivor --rendu build/demo-rendu --etapes 24 build/demo/Demo.pvl
      echo "Pas d'affichage : la démonstration a été projetée sans écran dans $(pwd)/build/demo-rendu"
      echo "Planche contact : $(pwd)/build/demo-rendu/planche.png"
      exit 0
    fi
    exec ./build/plivor build/demo/Demo.pvl
    ;;
  test)
    installer
    construire
    configurer_sanitaires
    # The sanitizer build compiles while the plain tests mostly wait on their
    # virtual screens, giving the processor up to them whenever they need it.
    nice -n 19 bash -c "$(declare -f cibles_sanitaires compiler_sanitaires); compiler_sanitaires" \
      >build-san/compilation.log 2>&1 &
    compilation=$!
    trap 'kill "$compilation" 2>/dev/null || true' EXIT
    # The real program's tests mostly wait on their own timings: one more
    # than the processors keeps them busy without crowding them.
    (cd build && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=disk ctest --output-on-failure -j"$(($(nproc) + 1))")
    if ! wait "$compilation"; then
      tail -n 60 build-san/compilation.log >&2
      exit 1
    fi
    trap - EXIT
    verifier_sanitaires
    ;;
  paquet)
    installer "${PAQUETS_PAQUET[@]}"
    construire
    rm -f build/plivor_*.deb
    (cd build && cpack -G DEB)
    deb=$(ls build/plivor_*.deb)
    # Checked as Debian checks packages; what it still says is explained in
    # paquet/lintian.txt.
    lintian --no-tag-display-limit "$deb" || true
    en_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb"
    echo "Paquet installé : $deb ; le programme : plivor"
    ;;
  *)
    echo "usage: bash tools/plivor.sh demo|test|paquet" >&2
    exit 2
    ;;
esac
