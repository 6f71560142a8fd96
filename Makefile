# Zelmora: the two commands a newcomer needs are `make run` and `make test`.
BUILD    ?= build
JOBS     ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench test-sanitize install package clean format format-check \
	fidelity

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Builds the program, assembles build/kit from demo/ and starts it.
run: build
	cd $(BUILD)/kit && ./zelmora

# Unit, widget and end-to-end tests, headless.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The benchmarks in bench/, then the real program's start-up under Xvfb.
bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks zelmora
	@set -e; for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done
	@echo "== bench/startup.sh"; bash bench/startup.sh $(BUILD)/kit

# Zelmora's HTML view against headless Chromium on a corpus of real pages of the 1990s and
# 2000s (scripts/fidelity/corpus.tsv): words, links, pictures, frames, form controls and
# layout height per page, and screenshot pairs in $(BUILD)/fidelity/shots. Not part of
# `make test`; docs/fidelity.md tells how to read it.
fidelity: configure
	@scripts/install-deps.sh --fidelity
	cmake --build $(BUILD) -j $(JOBS) --target zelmora-render
	scripts/fidelity/run.sh $(BUILD)

# Installs the kit to $(PREFIX)/lib/zelmora/ with $(PREFIX)/bin/zelmora, a desktop entry
# and an icon. DESTDIR stages the installation in another folder.
PREFIX ?= /usr/local

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the program and its demo kit, written to $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer: any report
# fails its test. tests/lsan.supp names the leaks of system libraries that are not ours.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-sanitize: deps
	$(SANITIZE_ENV) $(MAKE) test BUILD=$(SANITIZE_BUILD) \
		CMAKE_FLAGS="-DZELMORA_SANITIZE=ON -DZELMORA_BENCH=OFF"

# The sources in the house style of .clang-format: `make format` rewrites them, `make
# format-check` (run by .ci/run) fails when one differs.
FORMAT_SOURCES = git ls-files -z -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
	'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' 'tools/*.cpp' 'tools/*.h'

format: deps
	$(FORMAT_SOURCES) | xargs -0 clang-format -i

format-check: deps
	$(FORMAT_SOURCES) | xargs -0 clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
