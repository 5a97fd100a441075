#!/usr/bin/env bash
# Apply + undo of 25,000 small files on one volume, next to moving a copy of
# the same tree with find + mv -n in the same run.
set -euo pipefail
build=${1:?usage: compare.sh BUILD_DIR}
files=${FILES:-25000}
work=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-mover-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

make_tree() { # root: files spread over Desktop, Downloads and a few sub folders
    python3 - "$1" "$files" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    folder = os.path.join(root, ("Desktop", "Downloads")[i % 2], "batch %d" % (i % 25))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "file %05d.txt" % i), "wb") as f:
        f.write(b"x" * (100 + i % 900))
PY
}

export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME/Documents"
make_tree "$work/ours"
make_tree "$work/theirs"
mkdir -p "$work/mv-dest"
sync

ours=$("$build/bench/mover/mover_bench" "$work/ours" "$HOME/Documents" "Sorted")
value() { echo "$ours" | awk -v k="$1" '$1 == k { print $2 }'; }

start=$(date +%s.%N)
find "$work/theirs" -type f -exec mv -n -t "$work/mv-dest" {} +
end=$(date +%s.%N)
mv_s=$(echo "$end - $start" | bc -l)
moved_by_mv=$(find "$work/mv-dest" -type f | wc -l)

printf '%-36s %12s\n' "files" "$(value moved) moved, $(value undone) put back (mv: $moved_by_mv)"
printf '%-36s %12.3f\n' "our apply (seconds)" "$(value apply_seconds)"
printf '%-36s %12.3f\n' "our undo (seconds)" "$(value undo_seconds)"
printf '%-36s %12.3f\n' "find + mv -n (seconds)" "$mv_s"
printf '%-36s %12s\n' "apply / mv" "$(echo "scale=2; $(value apply_seconds) / $mv_s" | bc -l)x"
printf '%-36s %12s\n' "log bytes written (all)" "$(value log_bytes_written)"
printf '%-36s %12s\n' "final log bytes" "$(value final_log_bytes)"
