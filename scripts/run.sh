#!/usr/bin/env bash
# Sets everything up and runs Vistrel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/cli/vistrel-cli show tests/data/sample.dpd "$@"
