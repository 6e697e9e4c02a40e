#!/usr/bin/env bash
# Cross-builds libjpeg-turbo from Debian's source as a static Win32 library into <deps>/win32.
# Done once, then reused.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
deps=$(realpath -m "${1:?usage: build-win-deps.sh DEPS_DIR}")
prefix=$deps/win32
"$here/fetch-sources.sh" "$deps"
exec 9>"$deps/.win32.lock"
flock 9
[ -f "$prefix/lib/libjpeg.a" ] && exit 0

build=$deps/build-libjpeg-turbo-win32
rm -rf "$build"
cmake -S "$deps/src/libjpeg-turbo" -B "$build" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-i686.cmake" \
  -DCMAKE_SYSTEM_PROCESSOR=x86 \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
  -DREQUIRE_SIMD=ON >"$deps/libjpeg-turbo-win32.log" 2>&1
cmake --build "$build" --target jpeg-static -j"$(nproc)" >>"$deps/libjpeg-turbo-win32.log" 2>&1
mkdir -p "$prefix/lib" "$prefix/include"
cp "$build/libjpeg.a" "$prefix/lib/libjpeg.a"
cp "$build/jconfig.h" "$deps/src/libjpeg-turbo/jpeglib.h" "$deps/src/libjpeg-turbo/jmorecfg.h" \
  "$deps/src/libjpeg-turbo/jerror.h" "$prefix/include/"
rm -rf "$build"
