# SPDX-License-Identifier: MIT
# The two commands of the README, the benchmarks and the packages.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps build run test portable sanitize bench package plots clean

all: build

deps:
	@bash tools/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

portable: deps
	@bash tools/check-portable.sh

# Every test again in a build with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@bash tools/check-sanitizers.sh

bench: build
	@$(BUILD)/bench/helune-bench

# The Debian packages, in $(BUILD), checked by lintian.
package: build
	@cd $(BUILD) && cpack -G DEB
	@lintian --fail-on error,warning $(BUILD)/*.deb

# The README's pictures of Oslo, drawn by the console.
plots: build
	@$(BUILD)/cli/helune-cli plot daylight 2027 --place Oslo --altitude golden_hour --output docs/daylight-oslo-2027.png
	@$(BUILD)/cli/helune-cli plot moon 2027-03 --place Oslo --output docs/moon-oslo-2027-03.png

run: build
	@bash tools/run.sh $(BUILD)/dialogs/helune

clean:
	@rm -rf $(BUILD) build-portable build-sanitize
