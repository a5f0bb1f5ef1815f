# Two build trees from one CMake project: the portable core with its tests
# natively, and the 32-bit Windows programs cross-compiled and tested under Wine.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
NATIVE := build/native
ASAN := build/asan
WIN32 := build/win32

.PHONY: all setup native asan win32 build test test-native test-asan test-win32 run fuzz-build fuzz fuzz-smoke bench clean

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

build: native asan win32

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-asan: asan
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)

test-win32: win32
	@bash tools/with-display.sh bash -c 'cd $(WIN32) && ctest --output-on-failure -j $(JOBS)'

test: setup
	$(MAKE) test-native test-asan test-win32 fuzz-smoke

run: setup win32
	@bash tools/run-lumatype.sh $(WIN32)/bin/Lumatype.exe build/lumatype.png

fuzz-build: setup
	cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMATYPE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
	cmake --build build/fuzz -j $(JOBS)

fuzz: fuzz-build
	@bash tools/run-fuzzers.sh build/fuzz 60

fuzz-smoke: fuzz-build
	@bash tools/run-fuzzers.sh build/fuzz 10

bench: setup native
	@bash bench/run.sh $(NATIVE)

clean:
	rm -rf build
