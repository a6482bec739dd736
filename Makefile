# make run      - install what is missing, build, install into the program folder,
#                 put it in the desktop's menu, start it
# make test     - install what is missing, build, run every test through CTest
# make sanitize - the same tests on a build under AddressSanitizer and UndefinedBehaviorSanitizer
# make fuzz     - build the fuzz targets (clang, libFuzzer) and run each for FUZZ_SECONDS
# make soak     - flood the installed program with remote-control calls (not in CI)
# make deb      - build the Debian package build/tonvela_<version>_<arch>.deb (system layout)
BUILD    ?= build
DEBBUILD ?= build-deb
PREFIX   ?= $(HOME)/Tonvela
JOBS     ?= $(shell nproc)
SANBUILD ?= build-sanitize
FUZZBUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

# Any finding stops the run. Leaks are reported, except those the system's
# own libraries keep until the process ends (sanitize/lsan.supp).
SANITIZER_ENV = \
	ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/sanitize/lsan.supp:print_suppressions=0

.PHONY: all deps configure build install register run test sanitize fuzz bench soak format clean deb

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The program folder holds the user's albums and settings: only the executable
# and its own files are replaced, nothing is ever deleted there.
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX) >/dev/null

# The desktop's menu entry and icon, pointing at the installed program.
register: install
	@bash scripts/register-desktop.sh "$(PREFIX)"

run: register
	cd $(PREFIX) && ./tonvela

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

sanitize: deps
	@cmake -S . -B $(SANBUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTV_SANITIZE=ON >/dev/null
	@cmake --build $(SANBUILD) -j $(JOBS)
	cd $(SANBUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

fuzz: deps
	@cmake -S . -B $(FUZZBUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DTV_FUZZ=ON >/dev/null
	@cmake --build $(FUZZBUILD) --target fuzzers -j $(JOBS)
	$(SANITIZER_ENV) bash fuzz/run.sh $(FUZZBUILD) $(FUZZ_SECONDS)

# The system layout in a build folder of its own; the package lands in
# $(BUILD), where the tests look for it, and lintian names what it finds.
deb: deps
	@cmake -S . -B $(DEBBUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTV_SYSTEM_INSTALL=ON -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	@cmake --build $(DEBBUILD) -j $(JOBS)
	@rm -f $(DEBBUILD)/package/tonvela_*.deb
	@cd $(DEBBUILD) && cpack -G DEB >/dev/null
	@mkdir -p $(BUILD)
	@cp $(DEBBUILD)/package/tonvela_*.deb $(BUILD)/
	@ls $(BUILD)/tonvela_*.deb
	@lintian --fail-on error $(BUILD)/tonvela_*.deb

# Every bench runs, then the run fails when any of them missed a goal. The
# start-up bench runs the program installed into a scratch folder.
bench: build
	@cmake --install $(BUILD) --prefix $(BUILD)/bench-install >/dev/null
	@missed=""; for b in $(BUILD)/bench/tonvela_*_bench; do echo "== $$(basename $$b)"; \
		TV_INSTALLED_PROGRAM=$(abspath $(BUILD))/bench-install/tonvela $$b || \
		missed="$$missed $$(basename $$b)"; done; \
		if [ -n "$$missed" ]; then echo "goals missed by:$$missed"; exit 1; fi

# The program installed into a scratch folder, on a private bus and display.
soak: build
	@cmake --install $(BUILD) --prefix $(BUILD)/soak-install >/dev/null
	TV_EXE=$(abspath $(BUILD))/soak-install/tonvela TV_TEST_DATA=$(CURDIR)/tests/data \
		TV_ARTIFACTS=$(abspath $(BUILD))/soak-artifacts bash soak/soak.sh

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(SANBUILD) $(FUZZBUILD) $(DEBBUILD)
