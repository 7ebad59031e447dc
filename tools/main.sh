#!/usr/bin/env bash
# Sets the project up and runs the main job on the bundled example database.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
R_LIBS=.Rlib Rscript tools/main.R
