#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds, and either projects the
# demo sequence or runs every test.
#   bash tools/plivor.sh demo    build and project the demo
#   bash tools/plivor.sh test    build and run all tests
set -euo pipefail
cd "$(dirname "$0")/.."

PAQUETS=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont libcdio-dev
  libjpeg62-turbo-dev libgif-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core xdotool libx11-dev
  qt6-translations-l10n
  clang libclang-rt-14-dev
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev libswresample-dev ffmpeg
  shared-mime-info xdg-utils desktop-file-utils libfile-mimeinfo-perl
)

en_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

installer() {
  local manquants=()
  for paquet in "${PAQUETS[@]}"; do
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
SECONDES_FUZZ="${SECONDES_FUZZ:-15}"
verifier_sanitaires() {
  CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DPLIVOR_FUZZ=ON -DPLIVOR_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer"
  cmake --build build-san -j"$(nproc)"
  export ASAN_OPTIONS=halt_on_error=1:detect_leaks=0
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  # The real program under a virtual X server mostly waits on its own
  # timings: it runs in the plain build above, the engines run here.
  (cd build-san && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=disk ctest --output-on-failure -j"$(nproc)" \
    -LE programme-reel)
  local corpus
  corpus="$(mktemp -d)"
  for cible in build-san/tests/fuzz/fuzz_*; do
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
    cd build
    QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=disk ctest --output-on-failure -j"$(nproc)"
    cd ..
    verifier_sanitaires
    ;;
  *)
    echo "usage: bash tools/plivor.sh demo|test" >&2
    exit 2
    ;;
esac
