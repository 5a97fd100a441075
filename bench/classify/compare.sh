#!/usr/bin/env bash
# Classification of 25,000 texts and 2,000 images against the fake server
# answering after 200 ms, against the ideal of its requests at six in flight.
set -euo pipefail
build=${1:?usage: compare.sh BUILD_DIR}
HOME=$(mktemp -d) QT_QPA_PLATFORM=offscreen "$build/bench/classify/classify_bench"
