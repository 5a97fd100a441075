#!/usr/bin/env bash
# One contact sheet of 20 twelve-megapixel JPEGs: our sheet next to
# ImageMagick's montage making a 5-column sheet of the same files, in the
# same run. Wall time and peak memory of each.
set -euo pipefail
build=${1:?usage: compare.sh BUILD_DIR}
runs=${RUNS:-3}
work=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-sheet-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/photos"

# Gradient plus noise: as costly to decode as a photo, not trivially small.
for i in $(seq -w 1 20); do
    echo "convert -size 4000x3000 -seed $i gradient:'#3060a0-#e0b070' -attenuate 0.4 \
        +noise Gaussian -quality 90 '$work/photos/IMG_10$i.jpg'"
done | xargs -P 2 -I{} sh -c '{}'
export QT_QPA_PLATFORM=offscreen

best() { sort -n | head -1; }

ours_s=() ours_mb=() ours_whole=()
for _ in $(seq "$runs"); do
    out=$("$build/bench/contactsheet/contactsheet_bench" "$work/photos" "$work/ours.jpg" 2>/dev/null)
    value() { echo "$out" | awk -v k="$1" '$1 == k { print $2 }'; }
    ours_s+=("$(value sheet_seconds)")
    ours_mb+=("$(echo "scale=1; ($(value peak_kb_after) - $(value peak_kb_before)) / 1024" | bc -l)")
    ours_whole+=("$(echo "scale=1; $(value peak_kb_after) / 1024" | bc -l)")
done

# Decoding all 20 at full size can exceed the pixel cache that Debian's
# ImageMagick policy allows; such a run is shown as failed.
montage_run() { # extra montage options...
    if /usr/bin/time -f "%e %M" -o "$work/time" montage "$@" "$work"/photos/*.jpg -tile 5x \
        -geometry 252x224+4+4 -background '#dbdbdb' -label '#%p %f' -pointsize 14 \
        -quality 72 "$work/montage.jpg" 2>"$work/montage.err"; then
        cat "$work/time"
    else
        echo "failed 0"; sed -n 1p "$work/montage.err" | cut -c1-70 >&2
    fi
}
plain_s=() plain_mb=() hint_s=() hint_mb=()
for _ in $(seq "$runs"); do
    read -r s kb < <(montage_run)
    plain_s+=("$s") plain_mb+=("$(echo "scale=1; $kb / 1024" | bc -l)")
    [ "$s" = failed ] && plain_mb[-1]="-"
    read -r s kb < <(montage_run -define jpeg:size=504x448)
    hint_s+=("$s") hint_mb+=("$(echo "scale=1; $kb / 1024" | bc -l)")
done

printf '%-44s %10s %10s\n' "best of $runs" "seconds" "peak MB"
printf '%-44s %10s %10s\n' "ours: make, 20 x 12 MP (extra peak)" \
    "$(printf '%s\n' "${ours_s[@]}" | best)" "$(printf '%s\n' "${ours_mb[@]}" | best)"
printf '%-44s %10s %10s\n' "ours, whole process (peak)" "" \
    "$(printf '%s\n' "${ours_whole[@]}" | best)"
printf '%-44s %10s %10s\n' "montage, whole process" \
    "$(printf '%s\n' "${plain_s[@]}" | best)" "$(printf '%s\n' "${plain_mb[@]}" | best)"
printf '%-44s %10s %10s\n' "montage -define jpeg:size, whole process" \
    "$(printf '%s\n' "${hint_s[@]}" | best)" "$(printf '%s\n' "${hint_mb[@]}" | best)"
printf '%-44s %10s\n' "photos" "$(du -sh "$work/photos" | cut -f1)"
printf '%-44s %10s\n' "our sheet" "$(identify -format '%wx%h, %b' "$work/ours.jpg")"
printf '%-44s %10s\n' "montage sheet" "$(identify -format '%wx%h, %b' "$work/montage.jpg")"
