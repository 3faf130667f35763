# The two commands of the README, and the benchmarks.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps build run test bench clean

all: build

deps:
	@bash tools/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD)/bench/helune-bench

run: build
	@echo "The window is not built yet; what exists is the engine. Today at Greenwich (UT):"
	@$(BUILD)/cli/helune-cli events $$(date -u +'%d %m %Y') 0 51.4769 0

clean:
	@rm -rf $(BUILD)
