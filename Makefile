# Build trees from one CMake project: the portable core with its tests
# natively (plain and under sanitizers), and the Windows programs
# cross-compiled for i686 (the shipped build) and x86_64, tested under Wine.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
NATIVE := build/native
ASAN := build/asan
WIN32 := build/win32
WIN64 := build/win64

.PHONY: all setup native asan win32 win64 windows build test test-native test-asan test-win32 test-win64 \
        test-wine dist run artwork fuzz-build fuzz fuzz-long fuzz-smoke bench bench-gui bench-multiselect corpus agreement clean

all: build

setup:
	@bash tools/setup.sh

native:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

asan:
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DLUMATYPE_SANITIZE=ON >/dev/null
	cmake --build $(ASAN) -j $(JOBS)

win32:
	cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	cmake --build $(WIN32) -j $(JOBS)

win64:
	cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
	cmake --build $(WIN64) -j $(JOBS)

# Both Windows builds, whatever this host can run: a fault that breaks either
# architecture's build shows on every host.
windows: win32 win64

build: native asan windows

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-asan: asan
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)

# One architecture's Wine suites, whether or not the host can run them.
test-win32: win32
	@bash tools/with-display.sh bash -c 'cd $(WIN32) && ctest --output-on-failure -j $(JOBS)'

test-win64: win64
	@bash tools/with-display.sh bash -c 'cd $(WIN64) && ctest --output-on-failure -j $(JOBS)'

# The Wine suites and the release archives of every architecture this host
# runs (LUMATYPE_WINE_ARCHS=x86_64 forces the 64-bit one alone).
test-wine: native dist
	@JOBS=$(JOBS) bash tools/test-wine.sh $(NATIVE)/bin/lumatype-cli

test: setup
	$(MAKE) test-native test-asan fuzz-smoke test-wine

dist: windows
	cmake --build $(WIN32) --target dist
	cmake --build $(WIN64) --target dist

run: setup
	@bash tools/run-lumatype.sh build/lumatype.png

# Redraws the icon, cursor and bitmaps under resources/ and the multi-select
# glyph strip of Tessella.dll (they are committed).
artwork:
	python3 tools/make_artwork.py resources
	python3 tools/make_glyph_strip.py controls/multiselect/glyph_strip.bmp

fuzz-build: setup
	cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMATYPE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
	cmake --build build/fuzz -j $(JOBS)

fuzz: fuzz-build
	@bash tools/run-fuzzers.sh build/fuzz 60

fuzz-smoke: fuzz-build
	@bash tools/run-fuzzers.sh build/fuzz 10

# Each fuzzer for 10 minutes: the figures of executions per target.
fuzz-long: fuzz-build
	@bash tools/run-fuzzers.sh build/fuzz 600

bench: setup native
	@bash bench/run.sh $(NATIVE)

# Convert through the real main window under Wine (the shipped i686 build).
bench-gui: win32
	@bash tools/with-display.sh bash bench/gui.sh $(WIN32) $(ARGS)

# Growth of the multi-select control under Wine with the real Tessella.dll.
bench-multiselect: win32
	@bash tools/with-display.sh bash bench/multiselect.sh $(WIN32)

# The round trip over every header, Python library module, CMake module and
# shell script this host has, read in place (make test checks a sample).
corpus: native
	cmake --build $(NATIVE) --target lumatype-corpus -j $(JOBS)
	$(NATIVE)/bin/lumatype-corpus

# How far each shipped language's colouring agrees with Pygments' lexers over
# real files read in place (bench/agreement/install-corpus.sh installs the
# packages that hold them) and the samples under bench/agreement, and the
# round trip over the same files. A measure, not a test: not part of make test.
# Debian's interpreter, so the Pygments is the one make setup installs.
agreement: native
	@bash bench/agreement/install-corpus.sh
	cmake --build $(NATIVE) --target lumatype-corpus -j $(JOBS)
	LUMATYPE_CLI=$(NATIVE)/bin/lumatype-cli /usr/bin/python3 bench/agreement/agreement_test.py
	/usr/bin/python3 bench/agreement/agreement.py --cli $(NATIVE)/bin/lumatype-cli --corpus-tool $(NATIVE)/bin/lumatype-corpus

clean:
	rm -rf build dist
