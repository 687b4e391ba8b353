#!/usr/bin/env bash
# Runs apt-get with one package source of its own, its lists and cache in
# DIR, leaving the system's sources and state alone:
#   scripts/apt-private.sh DIR "deb-src http://... suite main" source tinyxml
# Files that apt-get downloads land in the current folder.
set -euo pipefail
dir=$1
source=$2
shift 2
mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial"
echo "$source" > "$dir/sources.list"
opts=(-o Dir::Etc::SourceList="$dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
      -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache" -o APT::Sandbox::User=root)
apt-get "${opts[@]}" update -qq
apt-get "${opts[@]}" "$@"
