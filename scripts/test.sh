#!/bin/bash
# Installs what is missing, builds, and runs every test: the unit and handler tests and the
# end-to-end test in a real X session; every file the Windows build compiles, compiled with
# MinGW; then the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer, and the
# catalogue reader's fuzzer for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
jobs=$(nproc)
# Window titles are Japanese: the X tools that look for them need a UTF-8 locale, which a
# minimal system or a login without LANG does not have. Debian always has C.UTF-8.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
    export LC_ALL=C.UTF-8
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON \
    -DQUORVEL_DESKTOP_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")
scripts/check-windows.sh build

# Qt itself is not built for the sanitizers; its allocations at exit are not ours to report.
CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug \
    -DQUORVEL_SANITIZE=ON -DQUORVEL_FUZZ=ON -DQUORVEL_WERROR=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs" -E FuzzCatalogueReader)
# Verbose, so that the run's coverage at the seeds and at the end is in the log.
(cd build-sanitize && ctest -R FuzzCatalogueReader --verbose)
