# The project's commands. `make run` and `make test` are the two a newcomer needs.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
DEMO ?= examples/Demo.kxLng
MT_PORT ?= 8787
FUZZ_SECONDS ?= 60

.PHONY: deps build run test format-check test-release test-asan bench fuzz package clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)

run: build
	@bash scripts/run.sh "$(DEMO)" "$(MT_PORT)"

test: build format-check test-release test-asan

format-check:
	@bash scripts/format-check.sh

test-release:
	@ctest --preset release

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan

bench: build
	@bash scripts/bench.sh build/release

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@bash scripts/fuzz.sh build/fuzz $(FUZZ_SECONDS)

package: build
	@cpack --config build/release/CPackConfig.cmake -B build/package
	@ls build/package/*.deb

clean:
	rm -rf build
