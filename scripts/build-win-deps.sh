#!/usr/bin/env bash
# Cross-builds libjpeg-turbo, zlib and libpng from Debian's sources as static Win32
# libraries into <deps>/win32. Each is built once, then reused.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
deps=$(realpath -m "${1:?usage: build-win-deps.sh DEPS_DIR}")
prefix=$deps/win32
toolchain=$here/../cmake/mingw-i686.cmake
"$here/fetch-sources.sh" "$deps"
exec 9>"$deps/.win32.lock"
flock 9
mkdir -p "$prefix/lib" "$prefix/include"

build_libjpeg() {
  local build=$deps/build-libjpeg-turbo-win32 log=$deps/libjpeg-turbo-win32.log
  rm -rf "$build"
  cmake -S "$deps/src/libjpeg-turbo" -B "$build" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_SYSTEM_PROCESSOR=x86 \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
    -DREQUIRE_SIMD=ON >"$log" 2>&1
  cmake --build "$build" --target jpeg-static -j"$(nproc)" >>"$log" 2>&1
  cp "$build/libjpeg.a" "$prefix/lib/libjpeg.a"
  cp "$build/jconfig.h" "$deps/src/libjpeg-turbo/jpeglib.h" "$deps/src/libjpeg-turbo/jmorecfg.h" \
    "$deps/src/libjpeg-turbo/jerror.h" "$prefix/include/"
  rm -rf "$build"
}

# zlib's own CMake build renames zconf.h in the source folder, which other worktrees
# share; its handful of C files are compiled directly instead.
build_zlib() {
  local src=$deps/src/zlib build=$deps/build-zlib-win32 log=$deps/zlib-win32.log
  rm -rf "$build"
  mkdir -p "$build"
  local file
  for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast \
    inflate inftrees trees uncompr zutil; do
    i686-w64-mingw32-gcc -O2 -I"$src" -c "$src/$file.c" -o "$build/$file.o" >>"$log" 2>&1
  done
  i686-w64-mingw32-ar rcs "$build/libz.a" "$build"/*.o
  cp "$src/zlib.h" "$src/zconf.h" "$prefix/include/"
  cp "$build/libz.a" "$prefix/lib/libz.a"
  rm -rf "$build"
}

build_libpng() {
  local build=$deps/build-libpng-win32 log=$deps/libpng-win32.log
  rm -rf "$build"
  cmake -S "$deps/src/libpng" -B "$build" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DPNG_HARDWARE_OPTIMIZATIONS=OFF \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" >"$log" 2>&1
  cmake --build "$build" --target png_static -j"$(nproc)" >>"$log" 2>&1
  cp "$build/libpng16.a" "$prefix/lib/libpng.a"
  cp "$deps/src/libpng/png.h" "$deps/src/libpng/pngconf.h" "$build/pnglibconf.h" \
    "$prefix/include/"
  rm -rf "$build"
}

[ -f "$prefix/lib/libjpeg.a" ] || build_libjpeg
[ -f "$prefix/lib/libz.a" ] || build_zlib
[ -f "$prefix/lib/libpng.a" ] || build_libpng
