#!/usr/bin/env bash
# Emscripten of our own over Debian's emscripten package, usable offline.
#   eval "$(cmake/setup-emsdk.sh DIR [--ports])"   # DIR e.g. build/emsdk; prints `export ...` lines
#   --ports: also build the SDL2 and FreeType ports now (embuilder; ~40 s on
#   2 cores the first time, nothing after), not in the middle of the first build.
# Makes DIR/emscripten.config (Debian's config with FROZEN_CACHE = False and
# CACHE = DIR/emcache), copies Debian's prebuilt cache into DIR/emcache once,
# seeds the SDL2 and FreeType port sources from the archives in $DG_PORTS
# (default: ../shared/ports beside the source tree) when the cache lacks them,
# else emcc downloads them as usual; and settles emcc's sanity stamp so that no
# later build wipes the cache. Idempotent; safe to run before every build.
# Everything it says goes to stderr except the exports.
set -euo pipefail

dir=${1:?usage: setup-emsdk.sh DIR [--ports]}
build_ports=0
[ "${2:-}" = --ports ] && build_ports=1
ports_src=${DG_PORTS:-$(cd "$(dirname "$0")/.." && pwd)/../shared/ports}
say() { printf 'setup-emsdk: %s\n' "$*" >&2; }

command -v em-config >/dev/null || { say "emscripten is not installed (apt-get install emscripten)"; exit 1; }
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
root=$(em-config EMSCRIPTEN_ROOT 2>/dev/null)
pkg_cache=$(em-config CACHE 2>/dev/null)
cache=$dir/emcache
config=$dir/emscripten.config

# Debian's node modules (acorn, for the JS optimiser), for a node that is not
# Debian's own (e.g. NodeSource's, which does not look in /usr/share/nodejs).
# (No `|| fallback` inside the pipe: under pipefail, grep -m1 closing the pipe
# early fails dpkg with SIGPIPE now and then, and the fallback would be added.)
acorn=$(dpkg -L node-acorn 2>/dev/null | grep -m1 '/acorn/package.json$' || true)
[ -n "$acorn" ] || acorn=/usr/share/nodejs/acorn/package.json
node_path=$(dirname "$(dirname "$acorn")")

# The config: written only when its text changes. emcc keeps a CRC of the
# config in CACHE/sanity.txt and ERASES THE WHOLE CACHE when it differs.
# The config also puts Debian's node modules on NODE_PATH for the node
# processes emcc starts, so a build needs only EM_CONFIG (or --em-config).
new=$(sed -e 's/^FROZEN_CACHE *=.*/FROZEN_CACHE = False/' -e '/^CACHE *=/d' -e '/^PORTS *=/d' "$root/.emscripten"
      printf "\n# Added by dg's setup-emsdk.sh: a writable cache, and node modules for the JS optimiser.\n"
      printf "CACHE = '%s'\n" "$cache"
      printf "import os as _os\n"
      printf "if '%s' not in _os.environ.get('NODE_PATH', '').split(_os.pathsep):\n" "$node_path"
      printf "    _os.environ['NODE_PATH'] = _os.pathsep.join(filter(None, ['%s', _os.environ.get('NODE_PATH')]))\n" "$node_path")
if [ ! -f "$config" ] || [ "$(cat "$config")" != "$new" ]; then
    printf '%s\n' "$new" >"$config"
    say "wrote $config"
fi

seed() { # port name, archive, top folder, URL Emscripten 3.1.6 expects
    local name=$1 archive=$2 top=$3 url=$4 d=$cache/ports/$1
    [ -f "$d/.emscripten_url" ] && [ "$(cat "$d/.emscripten_url")" = "$url" ] && [ -d "$d/$top" ] && return 0
    if [ ! -f "$ports_src/$archive" ]; then
        say "port $name missing and no $ports_src/$archive: emcc will download it"
        return 0
    fi
    say "seeding port $name from $ports_src/$archive"
    rm -rf "$d" "$d.tmp"
    mkdir -p "$d.tmp"
    tar -C "$d.tmp" -xJf "$ports_src/$archive"
    echo "$url" >"$d.tmp/.emscripten_url"
    mv "$d.tmp" "$d"
    rm -rf "$cache/ports-builds/$name" # an old build of other sources
}

prepare() {
    if [ ! -f "$cache/.dg-copied" ]; then
        say "copying $pkg_cache to $cache (once)"
        rm -rf "$cache" "$cache.tmp"
        cp -a "$pkg_cache" "$cache.tmp" # a real copy: hard links would let emcc write into the package's files
        rm -f "$cache.tmp/cache.lock" "$cache.tmp/sanity.txt"
        touch "$cache.tmp/.dg-copied"
        mv "$cache.tmp" "$cache"
    fi
    mkdir -p "$cache/ports"
    seed sdl2 SDL-release-2.0.20.tar.xz SDL-release-2.0.20 \
        'https://github.com/libsdl-org/SDL/archive/release-2.0.20.zip'
    seed freetype FreeType-version_1.tar.xz FreeType-version_1 \
        'https://github.com/emscripten-ports/FreeType/archive/version_1.zip'
}

# emcc --check runs the sanity check now (and wipes the cache if the config or
# clang changed since sanity.txt was written); then the cache is made again.
for _ in 1 2; do
    prepare
    EM_CONFIG=$config NODE_PATH=$node_path emcc --check >/dev/null 2>&1 || {
        say "emcc --check failed:"; EM_CONFIG=$config emcc --check >&2 || true; exit 1; }
    [ -f "$cache/.dg-copied" ] && break
    say "emcc cleared the cache (config or compiler changed): making it again"
done
[ -f "$cache/.dg-copied" ] || { say "the cache keeps being cleared"; exit 1; }
if [ "$build_ports" = 1 ]; then
    EM_CONFIG=$config embuilder build sdl2 freetype >&2 || { say "embuilder failed"; exit 1; }
fi

printf 'export EM_CONFIG=%q\n' "$config"
case ":${NODE_PATH:-}:" in
    *":$node_path:"*) printf 'export NODE_PATH=%q\n' "$NODE_PATH" ;;
    *) printf 'export NODE_PATH=%q\n' "$node_path${NODE_PATH:+:$NODE_PATH}" ;;
esac
