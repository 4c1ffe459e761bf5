#!/usr/bin/env bash
# Installs the build into a new prefix, checks the layout, and builds and
# runs the README's host example against the installed package, through
# find_package and through pkg-config.
#   install_test.sh BUILD_DIR SOURCE_DIR LIBDIR
BUILD=$(cd "$1" && pwd)
SRC=$2
LIBDIR=$3
. "$SRC/tests/cli/cli_test_lib.sh"
prefix=$TMP/prefix

cmake --install "$BUILD" --prefix "$prefix" >install.log || fail "install: $(tail -5 install.log)"
for file in bin/rxtheme include/rxtheme/theme/theme.h \
  include/rxtheme/persist/property_bag.h include/rxtheme/runtime/wstring.h \
  "$LIBDIR/librxtheme.so" "$LIBDIR/cmake/rxTheme/rxThemeConfig.cmake" \
  "$LIBDIR/cmake/rxTheme/rxThemeTargets.cmake" "$LIBDIR/pkgconfig/rxtheme.pc" \
  share/rxtheme/themes/harbor/harbor.elm share/rxtheme/themes/harbor/harbor.inf; do
  [ -e "$prefix/$file" ] || fail "not installed: $file"
done
[ -e "$prefix/bin/rxtheme-picker" ] || [ ! -e "$BUILD/apps/cli/rxtheme-picker" ] ||
  fail "picker program not installed"
"$prefix/bin/rxtheme" list "$prefix/share/rxtheme/themes" >list.txt || fail "installed rxtheme"
[ "$(cut -f1 list.txt | tr '\n' ' ')" = "Ember Harbor Meadow " ] || fail "themes: $(cat list.txt)"

# The README's files, taken from the code block after each marker.
mkdir host
for name in CMakeLists.txt host.cpp; do
  awk -v marker="<!-- host example: $name -->" '
    $0 == marker { found = 1; next }
    found && /^```/ { if (inside) exit; inside = 1; next }
    inside { print }' "$SRC/README.md" >"host/$name"
  [ -s "host/$name" ] || fail "README has no host example $name"
done

want="body #E9EFF5, h1 Georgia, serif, restored link #204060"
cmake -S host -B host/build -DCMAKE_PREFIX_PATH="$prefix" >configure.log 2>&1 &&
  cmake --build host/build >build.log 2>&1 || fail "find_package build: $(tail -20 configure.log build.log)"
got=$(host/build/host "$prefix/share/rxtheme/themes/harbor/harbor.elm" page1)
[ "$got" = "$want" ] || fail "host (CMake) printed: $got"

export PKG_CONFIG_PATH="$prefix/$LIBDIR/pkgconfig"
# shellcheck disable=SC2046
c++ -std=c++20 host/host.cpp -o host-pc $(pkg-config --cflags --libs rxtheme) \
  -Wl,-rpath,"$prefix/$LIBDIR" 2>pc.log || fail "pkg-config build: $(tail -20 pc.log)"
got=$(./host-pc "$prefix/share/rxtheme/themes/harbor/harbor.elm" page2)
[ "$got" = "$want" ] || fail "host (pkg-config) printed: $got"
finish "install"
