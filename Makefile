# Front door of the project: `make run` starts the program on the built-in
# simulated gauge, `make test` installs what is missing, builds and runs every test.
JOBS      ?= 2
# Many tests wait on the simulated line's byte timing: a third test at a
# time keeps two processors busy.
TEST_JOBS ?= 3
BUILD     ?= build
BUILD_REL ?= build-rel
BUILD_FUZZ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_GEN := -G Ninja
# ccache hits across checkouts in other folders (CI clones anew each run).
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
# The precompiled headers are cached too: ccache takes the header's
# compile as a dependency instead of giving up on every file that uses it.
export CCACHE_SLOPPINESS := pch_defines,time_macros,include_file_mtime,include_file_ctime

.PHONY: deps test build bench run fuzz soak package clean

deps:
	@bash scripts/install-deps.sh

# The test build's debug information is the line tables a sanitizer report
# names its lines with (-g1): the locals of full -g cost a sixth of the
# compile, and a session in the debugger configures a build of its own.
$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DTOLM_SANITIZE=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS) -LE 'soak|slow'

soak: build
	cd $(BUILD) && ctest --output-on-failure -L soak

$(BUILD_REL)/build.ninja: | deps
	cmake -S . -B $(BUILD_REL) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DTOLM_TESTS=OFF -DTOLM_BENCH=ON

bench: deps $(BUILD_REL)/build.ninja
	cmake --build $(BUILD_REL) -j $(JOBS)
	@set -e; for b in $(BUILD_REL)/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; "$$b" --benchmark_min_time=0.2; done

# The Debian package of the release build, in $(BUILD_REL).
package: deps $(BUILD_REL)/build.ninja
	cmake --build $(BUILD_REL) -j $(JOBS)
	cd $(BUILD_REL) && cpack -G DEB

# Started from its own folder, so the timers, window positions and the
# exchange log land in the INI folder and beside the program, not here.
run: deps $(BUILD_REL)/build.ninja
	cmake --build $(BUILD_REL) -j $(JOBS)
	cd $(BUILD_REL)/src/ui/app && ./tolm47x /sim

$(BUILD_FUZZ)/build.ninja: | deps
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTOLM_TESTS=OFF -DTOLM_FUZZ=ON

# Only the fuzzers and the layers they link.
fuzz: deps $(BUILD_FUZZ)/build.ninja
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzzers
	@set -e; for f in $(BUILD_FUZZ)/fuzz/fuzz_*; do \
	  [ -f "$$f" ] && [ -x "$$f" ] || continue; echo "== $$f"; mkdir -p $(BUILD_FUZZ)/corpus/$$(basename $$f); \
	  "$$f" -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $(BUILD_FUZZ)/corpus/$$(basename $$f); done

clean:
	rm -rf $(BUILD) $(BUILD_REL) $(BUILD_FUZZ)
