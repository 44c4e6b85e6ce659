#!/usr/bin/env bash
# Installs everything the builds and tests need on a Debian machine. Safe to run again: each step
# is skipped when its result is already there.
set -euo pipefail

depsPrefix="${FORMATION_DEPS:-/opt/formation-deps}"
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb xauth xdotool x11-utils
  fonts-wqy-zenhei fonts-arphic-ukai
  libjpeg-dev libjpeg-turbo-progs nasm googletest
  python3-pil dpkg-dev xz-utils
)

sudoIfNeeded() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

hasDebSrc() {
  grep -rhsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ >/dev/null
}
needUpdate=0
if ! hasDebSrc; then
  echo "setup: adding a deb-src entry"
  sudoIfNeeded tee /etc/apt/sources.list.d/formation-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  needUpdate=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $needUpdate -eq 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  sudoIfNeeded apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudoIfNeeded apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# libjpeg-turbo for mingw, static, from Debian's own source package.
jpegPrefix="$depsPrefix/libjpeg-turbo-mingw64"
# Bump when the build below changes, so that machines set up earlier build it again.
jpegStamp="$jpegPrefix/.done-5"
if [ ! -f "$jpegStamp" ]; then
  echo "setup: building libjpeg-turbo for mingw into $jpegPrefix"
  work="$depsPrefix/src"
  sudoIfNeeded mkdir -p "$work"
  sudoIfNeeded chown "$(id -u):$(id -g)" "$depsPrefix" "$work"
  (
    cd "$work"
    rm -rf libjpeg-turbo-* libjpeg-turbo_*
    apt-get source -q libjpeg-turbo >/dev/null
    srcDir=$(find . -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
    cat >mingw.cmake <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
TC
    # Function and data sections let the program's link drop the C functions it never calls.
    # Optimised for size: the SIMD routines do the decoding work, and the five pictures decode no
    # slower under Wine, while the program gets 70 KB smaller.
    rm -rf build
    cmake -S "$srcDir" -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/mingw.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX="$jpegPrefix" \
      -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections" \
      -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
      -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm >/dev/null
    cmake --build build >/dev/null
    cmake --install build >/dev/null

    # A decoder-only archive for the program. The SIMD dispatcher (jsimd.c) holds compression and
    # decompression in one object, so linking it pulls in every SIMD encoder routine and table
    # (about 150 KB), and the linker cannot drop objects written in assembly. Here the encoder's
    # SIMD objects (jc*, jf* and jquant[fi] by libjpeg's naming) are left out, and so are the
    # colour quantisers (jquant1, jquant2), which run only when a caller asks for a palette, as the
    # program never does. The symbols still named resolve to one trap that decoding never reaches.
    # Tests keep the full library, since they make JPEG files of their own.
    rm -rf decoder && mkdir decoder
    (
      cd decoder
      x86_64-w64-mingw32-ar x "$jpegPrefix/lib/libjpeg.a"
      rm -f jc*-*.asm.obj jf*-*.asm.obj jquantf-*.asm.obj jquanti-*.asm.obj
      rm -f jquant1.c.obj jquant2.c.obj
      for object in *.obj; do x86_64-w64-mingw32-nm --defined-only "$object"; done |
        awk 'NF == 3 { print $3 }' | sort -u >defined.txt
      for object in jsimd.c.obj jdmaster.c.obj; do x86_64-w64-mingw32-nm --undefined-only "$object"; done |
        awk '{ print $NF }' | sort -u >wanted.txt
      {
        echo "section .text"
        comm -23 wanted.txt defined.txt | grep -E '^j(simd|const|init_[12]pass_quantizer)' |
          sed 's/.*/global &\n&:/'
        echo "    ud2"
      } >encoder-absent.asm
      nasm -f win64 encoder-absent.asm -o encoder-absent.asm.obj
      rm -f "$jpegPrefix/lib/libjpeg-decoder.a"
      x86_64-w64-mingw32-ar rcs "$jpegPrefix/lib/libjpeg-decoder.a" ./*.obj
    )
  )
  touch "$jpegStamp"
fi
echo "setup: ready (libjpeg-turbo for mingw in $jpegPrefix)"
