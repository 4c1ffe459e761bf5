# rxTheme: the two commands that matter are `make demo` and `make test`.
# Both install the Debian packages they lack (as root; otherwise they print the
# apt-get line to run).

# The builds' own make need not announce every directory it enters.
MAKEFLAGS   += --no-print-directory

JOBS        ?= $(shell nproc)
BUILD       ?= build
ASAN_BUILD  ?= build-asan
TSAN_BUILD  ?= build-tsan
FUZZ_BUILD  ?= build-fuzz
FUZZ_SECONDS ?= 30
CMAKE_FLAGS ?=
# make test builds with warnings as errors; a plain build does not.
WERROR      ?=
WIN64_BUILD ?= build-win64
WIN32_BUILD ?= build-win32
PREFIX      ?= /usr/local

.PHONY: all deps build install test test-core test-asan test-tsan fuzz-build fuzz bench demo clean format com test-wine

all: build

deps:
	@tools/install-deps.sh build qt

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(WERROR),-DRXTHEME_WERROR=$(WERROR)) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# bin/rxtheme, bin/rxtheme-picker, the library, its headers, its CMake and
# pkg-config files and the sample themes under PREFIX (make install PREFIX=~/rx).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Every test: the normal build, the sanitizer build, each fuzz target briefly,
# then the Windows DLLs and their run under Wine.
test:
	$(MAKE) build WERROR=ON
	-@tools/install-deps.sh web
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) test-asan
	$(MAKE) test-tsan
	$(MAKE) fuzz
	$(MAKE) test-wine

test-core: build
	-@tools/install-deps.sh web
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DRXTHEME_SANITIZE=ON -DRXTHEME_BENCH=OFF \
	  -DRXTHEME_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The core and the theme tests under ThreadSanitizer, running the tests that
# use distinct pages on distinct threads at once; any report fails.
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRXTHEME_TSAN=ON \
	  -DRXTHEME_APPS=OFF -DRXTHEME_BENCH=OFF -DRXTHEME_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target theme_tests
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  $(TSAN_BUILD)/tests/theme_tests --gtest_filter='PageThreads.*'

fuzz-build:
	@tools/install-deps.sh build fuzz
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRXTHEME_FUZZ=ON \
	  -DRXTHEME_WERROR=ON -DRXTHEME_SANITIZE=ON -DRXTHEME_TESTS=OFF -DRXTHEME_APPS=OFF -DRXTHEME_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Runs every fuzz target for FUZZ_SECONDS seconds each (make fuzz FUZZ_SECONDS=600 for longer).
fuzz: fuzz-build
	tools/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The Windows automation server (rxTheme.dll), cross-compiled for x86_64 and i686.
com:
	@tools/install-deps.sh wine
	for arch in x86_64 i686; do \
	  dir=$$([ $$arch = x86_64 ] && echo $(WIN64_BUILD) || echo $(WIN32_BUILD)); \
	  cmake -S com -B $$dir -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/com/toolchain-mingw.cmake \
	    -DRXTHEME_MINGW_ARCH=$$arch -DCMAKE_BUILD_TYPE=Release && \
	  cmake --build $$dir -j $(JOBS) || exit 1; \
	done

# Each DLL, x64 and i686, registered in a fresh Wine prefix of its own on a
# virtual display and driven by Wine's script host and by picker_test.exe
# (the picker's window); the native build packs the sample themes and checks
# exchanged contents. The i686 DLL needs 32-bit Wine: where the package
# manager cannot provide it, one line says why and the x64 run goes on alone.
test-wine: build com
	@skip=; if ! tools/install-deps.sh wine32 2>$(BUILD)/wine32.why; then \
	    skip=$$(tail -n 1 $(BUILD)/wine32.why); echo "$$skip"; fi; \
	  RXTHEME_SKIP_I686="$$skip" com/tests/run-wine-all.sh $(BUILD)/apps/cli/rxtheme \
	    $(WIN64_BUILD)/rxTheme.dll $(WIN32_BUILD)/rxTheme.dll

bench: build
	tools/run-bench.sh $(BUILD)
	bench/load_vs_tar.sh $(BUILD)
	bench/startup_vs_tar.sh $(BUILD)
	bench/pack_vs_tar.sh $(BUILD)
	bench/list_vs_cat.sh $(BUILD)
	bench/gallery_scale.sh $(BUILD)
	bench/check_memory.sh $(BUILD)

demo: build
	tools/demo.sh $(BUILD)

format:
	find include src apps tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(WIN64_BUILD) $(WIN32_BUILD)
