#!/usr/bin/env bash
# Reads the pictures and the page that printing_e2e_tests leaves in
# BUILD_DIR/tests/wine/printing-pictures with other makers' programs:
# LibreOffice turns the .emf and .wmf files into PNG, libwmf's wmf2svg the
# .wmf into SVG, poppler the printed page into pixels. Each check looks for
# the plot in the pixels: dark pixels, and the frame as the longest dark
# runs across and down. Prints a GoogleTest-style summary.
set -uo pipefail
build_dir=${1:?usage: check-pictures.sh BUILD_DIR}
dir=$build_dir/tests/wine/printing-pictures
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
failures=()

# "dark longestAcross longestDown left top right bottom" of a binary PGM
# (dark: grey below 128; the box holds every dark pixel, 1-based).
measure() {
  local pgm=$1 magic w h max
  read -r magic w h max < <(head -n 3 "$pgm" | tr "\n" " "; echo)
  [ "$magic" = P5 ] && [ "$max" = 255 ] || { echo "0 0 0 0 0 0 0"; return; }
  local header="P5
$w $h
255
"
  tail -c +$((${#header} + 1)) "$pgm" | od -An -v -tu1 -w"$w" | awk '
    {
      run = 0
      for (x = 1; x <= NF; x++) {
        if ($x < 128) {
          dark++; run++; down[x]++
          if (run > across) across = run
          if (down[x] > longest) longest = down[x]
          if (!seen || x < left) left = x
          if (x > right) right = x
          if (!seen) top = NR
          seen = 1; bottom = NR
        } else { run = 0; down[x] = 0 }
      }
    }
    END { printf "%d %d %d %d %d %d %d\n", dark, across, longest, left, top, right, bottom }'
}

png_to_pgm() { pngtopnm -mix -background=white "$1" 2>/dev/null | ppmtopgm >"$2"; }

within() {  # value, expected, tolerance
  awk -v v="$1" -v e="$2" -v t="$3" 'BEGIN { exit !(v >= e - t && v <= e + t) }'
}

check() {  # name, function
  local name=$1
  shift
  echo "[ RUN      ] $name"
  if "$@"; then
    echo "[       OK ] $name"
    passed=$((passed + 1))
  else
    echo "[  FAILED  ] $name"
    failed=$((failed + 1))
    failures+=("$name")
  fi
}

# LibreOffice Draw without a window, with a profile of its own.
convert_all() {
  local f start end
  mkdir -p "$work/in" "$work/png"
  for f in plot.emf plot.wmf physical.emf physical.wmf; do
    [ -s "$dir/$f" ] || { echo "missing $dir/$f (run printing_e2e_tests first)"; return 1; }
    cp "$dir/$f" "$work/in/${f%.*}-${f##*.}.${f##*.}"
  done
  start=$(date +%s.%N)
  timeout 300 soffice -env:UserInstallation="file://$work/profile" --headless --norestore \
    --convert-to png --outdir "$work/png" "$work"/in/* >"$work/soffice.log" 2>&1
  end=$(date +%s.%N)
  echo "soffice converted 4 pictures in $(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }') s"
  for f in plot-emf plot-wmf physical-emf physical-wmf; do
    [ -s "$work/png/$f.png" ] || { cat "$work/soffice.log"; echo "no $f.png"; return 1; }
    png_to_pgm "$work/png/$f.png" "$work/$f.pgm" || return 1
  done
}

# The 6 by 4.5 inch plot shows: the frame at least half the picture wide and
# high, the texts and curves around it, and the same frame from both files.
plot_shows() {
  local kind dark across down left top right bottom emf_across emf_down
  for kind in emf wmf; do
    read -r dark across down left top right bottom < <(measure "$work/plot-$kind.pgm")
    echo "plot.$kind: $dark dark pixels, frame $across x $down, drawing $left..$right x $top..$bottom"
    # Rendered at 96 pixels per inch: 576 x 432 for the picture.
    [ "$dark" -ge 3000 ] || { echo "too few dark pixels"; return 1; }
    [ "$across" -ge 288 ] && [ "$across" -le 580 ] || { echo "frame width"; return 1; }
    [ "$down" -ge 216 ] && [ "$down" -le 436 ] || { echo "frame height"; return 1; }
    [ $((right - left)) -ge 460 ] || { echo "drawing narrower than the picture"; return 1; }
    if [ "$kind" = emf ]; then
      emf_across=$across
      emf_down=$down
    else
      within "$across" "$emf_across" $((emf_across / 25)) &&
        within "$down" "$emf_down" $((emf_down / 25)) ||
        { echo "the .emf and .wmf frames differ"; return 1; }
    fi
  done
}

# libwmf's reading of the same .wmf: the picture's proportions and its texts.
wmf2svg_reads() {
  wmf2svg -o "$work/plot.svg" "$dir/plot.wmf" 2>"$work/wmf2svg.log" || {
    cat "$work/wmf2svg.log"
    return 1
  }
  local w h texts lines
  w=$(sed -n 's/.*<svg width="\([0-9.]*\)".*/\1/p' "$work/plot.svg" | head -n1)
  h=$(sed -n 's/.*height="\([0-9.]*\)".*/\1/p' "$work/plot.svg" | head -n1)
  texts=$(grep -o '<text' "$work/plot.svg" | wc -l)
  lines=$(grep -o -E '<(polyline|path|line|rect)' "$work/plot.svg" | wc -l)
  echo "wmf2svg: $w x $h, $texts texts, $lines lines and shapes"
  [ -n "$w" ] && [ -n "$h" ] || return 1
  within "$(awk -v w="$w" -v h="$h" 'BEGIN { print w / h }')" 1.3333 0.02 || {
    echo "not 6 by 4.5"
    return 1
  }
  grep -q 'Damped Oscillation' "$work/plot.svg" || { echo "no title"; return 1; }
  [ "$texts" -ge 20 ] && [ "$lines" -ge 10 ]
}

# Physical size mode, 6 by 4 inches: the frame keeps its proportions in
# LibreOffice's reading, whatever scale it shows the picture at.
physical_pictures() {
  local kind dark across down rest
  for kind in emf wmf; do
    read -r dark across down rest < <(measure "$work/physical-$kind.pgm")
    echo "physical.$kind: $dark dark pixels, frame $across x $down"
    [ "$dark" -ge 3000 ] && [ "$down" -ge 150 ] || { echo "no frame"; return 1; }
    within "$(awk -v a="$across" -v d="$down" 'BEGIN { print a / d }')" 1.5 0.03 || {
      echo "not 6 by 4"
      return 1
    }
  done
}

# The printed page in physical size mode: 6 by 4 inches, at 100 pixels per
# inch 600 x 400 pixels.
physical_page() {
  pdftoppm -r 100 -gray "$dir/physical_page.pdf" "$work/page" || return 1
  local pgm dark across down rest
  pgm=$(ls "$work"/page*.pgm | head -n1)
  read -r dark across down rest < <(measure "$pgm")
  echo "physical_page.pdf at 100 dpi: $dark dark pixels, frame $across x $down"
  within "$across" 600 3 && within "$down" 400 3
}

echo "[==========] pictures of printing_e2e_tests read by other programs"
if ! command -v soffice >/dev/null || ! command -v pngtopnm >/dev/null; then
  echo "no soffice or pngtopnm: install libreoffice-draw-nogui and netpbm"
  failed=1
  failures+=("outside readers installed")
elif check "LibreOffice converts the pictures" convert_all; then
  check "LibreOffice shows the plot of the .emf and .wmf" plot_shows
  check "LibreOffice keeps the physical size proportions" physical_pictures
fi
command -v wmf2svg >/dev/null && check "wmf2svg reads the .wmf" wmf2svg_reads
if [ -s "$dir/physical_page.pdf" ]; then
  check "the printed frame is 6 by 4 inches" physical_page
else
  echo "no printed page (no printer): the page check skips"
fi
[ "$passed" -gt 0 ] && echo "[  PASSED  ] $passed tests."
if [ "$failed" -gt 0 ]; then
  echo "[  FAILED  ] $failed tests, listed below:"
  for f in "${failures[@]}"; do echo "[  FAILED  ] $f"; done
  exit 1
fi
exit 0
