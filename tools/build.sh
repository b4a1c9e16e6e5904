# Sourced: configure-and-build helpers shared by the start, test and package scripts.
SQ_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SQ_BUILD="${SQ_BUILD:-$SQ_ROOT/build}"
SQ_JOBS="${SQ_JOBS:-$(nproc)}"
SQ_WINDOWS_ARGS=(-DCMAKE_TOOLCHAIN_FILE="$SQ_ROOT/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release)

sq_configure() { # name, cmake arguments...
  local dir="$SQ_BUILD/$1"
  shift
  mkdir -p "$SQ_BUILD"
  cmake -S "$SQ_ROOT" -B "$dir" "$@" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; return 1; }
}

sq_build() { # name, cmake arguments...
  sq_configure "$@" && cmake --build "$SQ_BUILD/$1" -j "$SQ_JOBS"
}

sq_build_windows() { # extra cmake arguments...
  sq_build windows "${SQ_WINDOWS_ARGS[@]}" "$@"
}
