# The two commands a fresh machine needs:
#   make run    installs what the game needs, builds the game and starts it
#   make test   installs what the tests need as well, builds everything and runs every test
.PHONY: run test build setup setup-game clean

setup-game:
	@scripts/setup.sh game

setup:
	@scripts/setup.sh all

build: setup-game
	@cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build -j$$(nproc) --target voidraid

run: build
	@build/bin/voidraid

test: setup
	@scripts/run-tests.sh

clean:
	rm -rf build build-asan build-release build-minimal
