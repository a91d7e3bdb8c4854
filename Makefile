# The two commands a fresh machine needs:
#   make run    sets everything up, builds and starts the game
#   make test   sets everything up, builds and runs every test
.PHONY: run test build setup clean

setup:
	@scripts/setup.sh

build: setup
	@cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build -j$$(nproc)

run: build
	@build/bin/voidraid

test: setup
	@scripts/run-tests.sh

clean:
	rm -rf build build-asan
