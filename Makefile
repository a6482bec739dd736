# make run   - install what is missing, build, install into the program folder,
#              put it in the desktop's menu, start it
# make test  - install what is missing, build, run every test through CTest
BUILD   ?= build
PREFIX  ?= $(HOME)/Tonvela
JOBS    ?= $(shell nproc)

.PHONY: all deps configure build install register run test bench format clean

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

bench: build
	@for b in $(BUILD)/bench/tonvela_*_bench; do echo "== $$(basename $$b)"; $$b || exit 1; done

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
