# Shared set-up for scripts/run and scripts/test: Debian packages, configure, build.
# Sourced, not run.

VX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VX_BUILD_DIR="${VX_BUILD_DIR:-$VX_ROOT/build}"
# The clang tree with AddressSanitizer and LeakSanitizer: the sanitized test run and the
# readers' fuzzers share it (built target by target, never whole).
VX_ASAN_BUILD_DIR="${VX_ASAN_BUILD_DIR:-$VX_ROOT/build-asan}"
VX_ASAN_CMAKE_ARGS=(-DCMAKE_CXX_COMPILER=clang++ -DVX_BUILD_FUZZERS=ON -DVX_BUILD_BENCH=OFF)
VX_JOBS="${VX_JOBS:-2}"

# Packages the build and the tests need on Debian 12. The OpenGL tests and the viewport
# benchmark run under Xvfb (xvfb-run needs xauth) with Mesa's software renderer; assimp
# reads exported glTF files back in the tests.
VX_PACKAGES=(cmake ninja-build g++ pkg-config qtbase5-dev qtscript5-dev libgtest-dev
             zlib1g-dev libtinyobjloader-dev libnanoflann-dev
             xvfb xauth libgl1-mesa-dri libglx-mesa0 libassimp-dev)
# Khronos' glTF validator, from npm, checks exported files in the tests. It is installed
# into the build tree (not the repository) once and kept there.
VX_GLTF_VALIDATOR_VERSION=2.0.0-dev.3.10
VX_GLTF_VALIDATOR_DIR="$VX_BUILD_DIR/gltf-validator"
# And for the sanitizer tree and the fuzzers: clang with its sanitizer and libFuzzer runtimes,
# and llvm-symbolizer for readable reports.
VX_ASAN_PACKAGES=(clang libclang-rt-14-dev llvm-14)

# Sanitizer settings for every run in the sanitizer tree: leaks are errors, except the few
# inside Qt listed in lsan.supp.
vx_sanitizer_environment() {
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:symbolize=1}"
  export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$VX_ROOT/scripts/lsan.supp:print_suppressions=0}"
  if [ -z "${ASAN_SYMBOLIZER_PATH:-}" ] && command -v llvm-symbolizer >/dev/null; then
    export ASAN_SYMBOLIZER_PATH="$(command -v llvm-symbolizer)"
  fi
}

# A sanitizer tree configured by an older script (another compiler, no fuzzers) is made anew.
vx_prepare_asan_tree() {
  local cache="$VX_ASAN_BUILD_DIR/CMakeCache.txt"
  if [ -f "$cache" ] && ! { grep -q '^VX_BUILD_FUZZERS:BOOL=ON$' "$cache" \
                           && grep -q '^CMAKE_CXX_COMPILER:.*clang++$' "$cache"; }; then
    echo "== Configuring $VX_ASAN_BUILD_DIR anew for clang and the fuzzers"
    rm -rf "$VX_ASAN_BUILD_DIR"
  fi
}

vx_missing_packages() {
  local missing=()
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  echo "${missing[@]}"
}

# Installs whatever of the given packages is missing; `apt-get update` runs once per script.
vx_ensure_packages() {
  local missing
  missing="$(vx_missing_packages "$@")"
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing: $missing" >&2
    echo "Run this script as root to install them, or install them yourself:" >&2
    echo "  apt-get install $missing" >&2
    exit 1
  fi
  if [ -z "${VX_APT_UPDATED:-}" ]; then
    echo "== apt-get update"
    apt-get update -qq || { echo "apt-get update failed" >&2; exit 1; }
    VX_APT_UPDATED=1
  fi
  echo "== Installing: $missing"
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing \
    || { echo "Installing $missing failed" >&2; exit 1; }
}

# Node and npm, for the glTF validator: Debian's packages, unless a node with its npm is
# already there (a NodeSource node carries its own npm and conflicts with Debian's).
vx_ensure_node() {
  if command -v node >/dev/null && command -v npm >/dev/null; then
    return 0
  fi
  vx_ensure_packages nodejs npm
}

# Installs the pinned gltf-validator into $VX_GLTF_VALIDATOR_DIR unless that version is there.
vx_ensure_gltf_validator() {
  local package="$VX_GLTF_VALIDATOR_DIR/node_modules/gltf-validator/package.json"
  if [ -f "$package" ] && grep -q "\"version\": \"$VX_GLTF_VALIDATOR_VERSION\"" "$package"; then
    return 0
  fi
  vx_ensure_node
  echo "== Installing gltf-validator $VX_GLTF_VALIDATOR_VERSION into $VX_GLTF_VALIDATOR_DIR"
  mkdir -p "$VX_GLTF_VALIDATOR_DIR"
  npm install --prefix "$VX_GLTF_VALIDATOR_DIR" --no-audit --no-fund --no-save --loglevel=error \
      "gltf-validator@$VX_GLTF_VALIDATOR_VERSION" \
    || { echo "Installing gltf-validator from npm failed" >&2; exit 1; }
}

# Configures once, then builds incrementally. Extra arguments are build targets.
vx_build() {
  local dir="$1"; shift
  local -a config=("${VX_CMAKE_ARGS[@]}")
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$VX_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${config[@]}" \
      || { echo "Configuring in $dir failed" >&2; exit 1; }
  fi
  cmake --build "$dir" -j "$VX_JOBS" ${1:+--target "$@"} \
    || { echo "The build in $dir failed" >&2; exit 1; }
}
