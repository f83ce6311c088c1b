#!/usr/bin/env bash
# Installs what the build and the tests need, from Debian's packages, when it
# is missing. Asks nothing: safe to run on a fresh machine with no terminal.
set -euo pipefail

# command that must exist -> package that brings it
needs=(
    "cmake:cmake"
    "ninja:ninja-build"
    "g++:g++"
    "i686-w64-mingw32-g++:g++-mingw-w64-i686"
    "x86_64-w64-mingw32-g++:g++-mingw-w64-x86-64"
    "/usr/lib/wine/wine64:wine64"
    "Xvfb:xvfb"
    "clang++:clang"
    "python3:python3"
)
[ -f /usr/include/gtest/gtest.h ] || missing_gtest=1

packages=()
for pair in "${needs[@]}"; do
    command -v "${pair%%:*}" >/dev/null 2>&1 || packages+=("${pair##*:}")
done
[ -n "${missing_gtest:-}" ] && packages+=(libgtest-dev)
# The fuzzer's and sanitizers' runtime for clang.
compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null ||
    packages+=(libclang-rt-dev)

if [ ${#packages[@]} -gt 0 ]; then
    echo "setup: installing ${packages[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo -n"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq </dev/null
    $sudo apt-get install -y -qq "${packages[@]}" </dev/null
else
    echo "setup: everything needed is installed"
fi
