#!/usr/bin/env bash
# Installs the build into a new prefix, checks the layout and what the library
# exports, and builds and runs the README's host example against the installed
# package, through find_package and through pkg-config, and a host whose own
# headers have the names of the library's folders.
#   install_test.sh BUILD_DIR SOURCE_DIR LIBDIR
BUILD=$(cd "$1" && pwd)
SRC=$2
LIBDIR=$3
. "$SRC/tests/cli/cli_test_lib.sh"
prefix=$TMP/prefix

cmake --install "$BUILD" --prefix "$prefix" >install.log || fail "install: $(tail -5 install.log)"
for file in bin/rxtheme include/rxtheme/rxtheme.h include/rxtheme/version.h \
  include/rxtheme/export.h include/rxtheme/theme/theme.h \
  include/rxtheme/persist/property_bag.h include/rxtheme/runtime/wstring.h \
  "$LIBDIR/librxtheme.so" "$LIBDIR/cmake/rxTheme/rxThemeConfig.cmake" \
  "$LIBDIR/cmake/rxTheme/rxThemeTargets.cmake" "$LIBDIR/pkgconfig/rxtheme.pc" \
  share/rxtheme/themes/harbor/harbor.elm share/rxtheme/themes/harbor/harbor.inf; do
  [ -e "$prefix/$file" ] || fail "not installed: $file"
done
[ -e "$prefix/bin/rxtheme-picker" ] || [ ! -e "$BUILD/apps/cli/rxtheme-picker" ] ||
  fail "picker program not installed"
# Only the public headers, only under include/rxtheme; only the themes' files.
[ "$(ls "$prefix/include")" = rxtheme ] || fail "include/ holds: $(ls "$prefix/include")"
for internal in mem_env.h env.h posix_files.h contents_codec.h name_index.h stored_entry.h \
  text_slots.h settings_object.h settings_key.h section.h section_key.h css_parse.h; do
  found=$(find "$prefix/include" -name "$internal")
  [ -z "$found" ] || fail "internal header installed: $found"
done
extra=$(cd "$prefix/share/rxtheme/themes" && find . -type f ! -name '*.elm' ! -name '*.inf')
[ -z "$extra" ] || fail "not theme files under share/rxtheme/themes: $extra"
[ "$(cd "$prefix/share/rxtheme/themes" && find . -mindepth 1 -type d | sort | tr '\n' ' ')" = \
  "./ember ./harbor ./meadow " ] || fail "theme folders: $(ls -R "$prefix/share/rxtheme/themes")"

# The library exports the public API only, and carries no debug information.
library=$(readlink -f "$prefix/$LIBDIR/librxtheme.so")
nm -D --defined-only -C "$library" >exports.txt || fail "nm failed"
leaked=$(grep -E 'MemEnv|posix::|ContentsReader|ContentsWriter|TextSlots|NameTable|NameIndex|SettingsObject<|Section<|ObjectImpl|BagAccess|SheetReader' exports.txt)
[ -z "$leaked" ] || fail "internal symbols exported: $(echo "$leaked" | head -5)"
for symbol in 'rxTheme::CTheme::Load(' 'rxTheme::CColorObject::BackgroundColor' \
  'rxTheme::PropertyBagX::Contents' 'rxTheme::LibraryVersion()'; do
  grep -qF "$symbol" exports.txt || fail "not exported: $symbol"
done
if readelf -S "$library" | grep -q '\.debug_info'; then
  fail "the installed library is not stripped"
fi

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

# The README's PageTheme examples, each built against the installed package
# and run with PACKAGE WORKING_FOLDER.
harbor="$prefix/share/rxtheme/themes/harbor/harbor.elm"
for name in safe_load utf8_values list_themes preview_page save_restore two_threads check_theme; do
  awk -v marker="<!-- host example: $name.cpp -->" '
    $0 == marker { found = 1; next }
    found && /^```/ { if (inside) exit; inside = 1; next }
    inside { print }' "$SRC/README.md" >"host/$name.cpp"
  [ -s "host/$name.cpp" ] || fail "README has no host example $name.cpp"
  # shellcheck disable=SC2046
  c++ -std=c++20 -Wall -Wextra -Werror -pthread "host/$name.cpp" -o "host/$name" \
    $(pkg-config --cflags --libs rxtheme) -Wl,-rpath,"$prefix/$LIBDIR" 2>"$name.log" ||
    fail "host example $name: $(tail -20 "$name.log")"
done
run_example() {  # run_example NAME WANT: the example's whole output
  local got
  got=$("host/$1" "$harbor" "pages/$1" 2>&1)
  [ "$got" = "$2" ] || fail "host example $1 printed: $got"
}
mkdir pages
run_example safe_load "colors 1, graphics 0, body #182840 on #E9EFF5"
[ -f pages/safe_load/banner.png ] || fail "safe_load: no pictures in its working folder"
[ -z "$(find . -maxdepth 1 -name '*.png')" ] || fail "safe_load: pictures in the current directory"
got=$(host/safe_load "$TMP/missing.elm" pages/x 2>&1)
[ "$got" = "safe_load: error 53: File not found: $TMP/missing.elm" ] || fail "safe_load missing: $got"
[ -e pages/x ] && fail "safe_load made the working folder of a missing package"
run_example utf8_values "$(printf 'h1 font Georgia, serif\nbanner banner.png\nh1 font now Café Sans\nrefused: error 5: The theme has no color style "p"')"
run_example list_themes "$(printf 'Ember\t%s\nHarbor\t%s\nMeadow\t%s' \
  "$prefix/share/rxtheme/themes/ember/ember.elm" "$harbor" "$prefix/share/rxtheme/themes/meadow/meadow.elm")"
mkdir -p pages/preview_page
got=$(host/preview_page "$harbor" pages/preview_page)
[[ $got == "wrote pages/preview_page/preview.html ("*" bytes)" ]] || fail "preview_page printed: $got"
grep -q "background=\"$TMP/pages/preview_page/" pages/preview_page/preview.html ||
  fail "preview_page: the background is not named by its full path"
mkdir -p pages/save_restore
run_example save_restore "$(printf 'restored: colors 1, link #204060, same state yes\nrefused: error 999: Invalid Contents Value')"
mkdir -p pages/two_threads
run_example two_threads "page 1 body #F4F8FC, page 2 body #E9EFF5"
# The installed sample is clean; the sheet made up in the example is not.
got=$(host/check_theme "$harbor" pages/check_theme 2>&1)
[[ $got == "0 error(s), 0 warning(s)"$'\n'"color0.css:0: error: "*" [sets-nothing]"$'\n'"color0.css:3: warning: "*" [space-indent]"$'\n'"1 error(s), 1 warning(s)" ]] ||
  fail "host example check_theme printed: $got"
[ -f pages/two_threads/page1/banner.png ] && [ -f pages/two_threads/page2/banner.png ] ||
  fail "two_threads: each page's pictures in its own folder"

# A host with headers of its own in folders named as the library's layers:
# the library's headers are reached only through rxtheme/, so nothing clashes.
mkdir -p own/platform own/runtime own/theme own/settings
echo 'struct Env { int host_env = 1; };' >own/platform/env.h
echo 'struct Variant { int host_variant = 2; };' >own/runtime/variant.h
echo 'struct Theme { int host_theme = 3; };' >own/theme/theme.h
echo 'struct BaseObject { int host_base = 4; };' >own/settings/base_object.h
cat >own/host.cpp <<'END'
#include <rxtheme/rxtheme.h>

#include <cstdio>
#include <memory>

#include "platform/env.h"
#include "runtime/variant.h"
#include "settings/base_object.h"
#include "theme/theme.h"

int main(int, char** argv) {
  Env env;
  Variant variant;
  Theme theme;
  BaseObject base;
  auto page = std::make_shared<rxTheme::CTheme>();
  page->WorkingFolder(rxTheme::Widen(argv[2]));
  page->Load(rxTheme::Widen(argv[1]));
  std::printf("%d%d%d%d %s %s %d\n", env.host_env, variant.host_variant, theme.host_theme,
              base.host_base, rxTheme::ToUtf8(page->Color(u"body")->BackgroundColor()).c_str(),
              rxTheme::LibraryVersionText(), RXTHEME_VERSION_MAJOR);
}
END
c++ -std=c++20 -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror -I own -I "$prefix/include" \
  own/host.cpp -o own-host -L "$prefix/$LIBDIR" -lrxtheme -Wl,-rpath,"$prefix/$LIBDIR" 2>own.log ||
  fail "host with its own headers: $(tail -20 own.log)"
version=$(sed -n 's/^project(rxTheme VERSION \([0-9.]*\).*/\1/p' "$SRC/CMakeLists.txt")
got=$(./own-host "$prefix/share/rxtheme/themes/harbor/harbor.elm" page3)
[ "$got" = "1234 #E9EFF5 $version ${version%%.*}" ] || fail "host with its own headers printed: $got"
finish "install"
