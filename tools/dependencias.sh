#!/usr/bin/env bash
# Installs the Debian 12 packages Talvoro needs to build, run and test (run as root).
# Does nothing when everything is already there.
set -euo pipefail

pacotes=(
    cmake ninja-build g++ pkg-config clang-format
    qt6-base-dev
    firebird3.0-server-core firebird3.0-utils firebird-dev
    libcurl4-openssl-dev ca-certificates
    nlohmann-json3-dev libgtest-dev libcpp-httplib-dev
    fonts-liberation2 fonts-wine
)
if [[ "${1:-}" == "--testes" ]]; then
    pacotes+=(xvfb xauth)
fi

faltando=()
for p in "${pacotes[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || faltando+=("$p")
done
if ((${#faltando[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${faltando[@]}"
fi
