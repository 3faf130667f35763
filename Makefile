# SPDX-License-Identifier: MIT
# The two commands of the README, the benchmarks and the packages.
BUILD ?= build
JOBS  ?= $(shell nproc)
# The packages' architecture: this machine's, or arm64 cross-built on amd64.
ARCH  ?= $(shell dpkg --print-architecture)

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

# The Debian packages of ARCH, built as they ship (no tests) in
# $(BUILD)-package-$(ARCH), checked by lintian.
package:
	@bash tools/install-deps.sh $(ARCH)
	@bash tools/make-packages.sh $(ARCH) $(BUILD)-package-$(ARCH)

# The README's pictures of Oslo, drawn by the console.
plots: build
	@$(BUILD)/cli/helune-cli plot daylight 2027 --place Oslo --altitude golden_hour --output docs/daylight-oslo-2027.png
	@$(BUILD)/cli/helune-cli plot moon 2027-03 --place Oslo --output docs/moon-oslo-2027-03.png

run: build
	@bash tools/run.sh $(BUILD)/dialogs/helune

clean:
	@rm -rf $(BUILD) $(BUILD)-package-* build-portable build-sanitize
