# Pavina: the control program of a video logo inserter (32-bit Windows, built here with
# mingw-w64 and tested under Wine). See README.md.

NATIVE := build/native
WIN    := build/win
BENCH  := build/bench
FUZZ   := build/fuzz
FUZZ_SECONDS ?= 600
DEPS   := $(CURDIR)/build/deps
PREFIX := $(CURDIR)/build/wineprefix
JOBS   ?= $(shell nproc)

.PHONY: all setup deps native win test test-native test-win run bench fuzz dist clean

all: native win

setup:
	@./scripts/setup.sh

deps: setup
	@./scripts/fetch-sources.sh $(DEPS)
	@./scripts/build-win-deps.sh $(DEPS)

native: deps
	@cmake -S . -B $(NATIVE) -DPAVINA_SANITIZE=ON -DPAVINA_DEPS_DIR=$(DEPS) >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

win: deps native
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake \
	  -DPAVINA_DEPS_DIR=$(DEPS) -DPAVINA_WINEPREFIX=$(PREFIX) \
	  -DPAVINA_NATIVE_DIR=$(CURDIR)/$(NATIVE) >/dev/null
	@cmake --build $(WIN) -j$(JOBS)

test-native: native
	@cd $(NATIVE) && ctest --output-on-failure -j$(JOBS)

# The Windows tests share one Wine prefix and its COM port links: one at a time.
test-win: win
	@cd $(WIN) && ctest --output-on-failure

test: test-native test-win

run: native win
	@./scripts/run.sh $(CURDIR)/$(NATIVE) $(CURDIR)/$(WIN) $(PREFIX)

bench: deps
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DPAVINA_DEPS_DIR=$(DEPS) -DPAVINA_TESTS=ON >/dev/null
	@cmake --build $(BENCH) -j$(JOBS) --target pavina_bench
	@$(BENCH)/bench/pavina_bench

# Every fuzz target for FUZZ_SECONDS each (clang, ASan + UBSan, in its own build folder);
# prints executions, coverage and findings per target.
fuzz: deps
	@./tests/fuzz/run-fuzzers.sh $(FUZZ) $(DEPS) $(FUZZ_SECONDS)

# The zip a Windows operator downloads: Pavina.exe, pavina-cli.exe, the help page with its
# pictures, a read-me and the licence.
dist: win
	@./scripts/make-dist.sh $(WIN) build/dist/pavina-1.1-win32.zip

clean:
	rm -rf $(NATIVE) $(WIN) $(BENCH) $(FUZZ)
