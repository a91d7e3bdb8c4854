# The two commands a fresh machine needs:
#   make run    installs what the game needs, builds the game and starts it
#   make test   installs what the tests need as well, builds everything and runs every test
.PHONY: run test build display setup setup-game clean

setup-game:
	@scripts/setup.sh game

setup:
	@scripts/setup.sh all

build: setup-game
	@cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build -j$$(nproc) --target voidraid

# Said at once, before minutes of building, where the game could open no window.
display:
	@if [ -z "$$DISPLAY" ]; then \
	  echo "make run: there is no display to show the game on (DISPLAY is not set)." >&2; \
	  echo "Run it from a terminal of your desktop, or log in with ssh -X." >&2; \
	  exit 1; \
	fi

run: display
	@$(MAKE) --no-print-directory build
	@build/bin/voidraid

test: setup
	@scripts/run-tests.sh

# The player's settings and high scores, build/bin/VOIDRAID.INI, are not the build's: kept.
clean:
	@if [ -d build ]; then \
	    find build -mindepth 1 ! -path build/bin ! -path build/bin/VOIDRAID.INI -delete; \
	    rmdir build/bin 2>/dev/null; rmdir build 2>/dev/null; true; \
	fi
	rm -rf build-asan build-release build-minimal
