# The two commands: `make demo` runs the stand-in player with the component loaded,
# `make test` runs every test. Both install what the machine lacks first.
# Both builds share the sources: build/ is x64 (the whole suite), build-x86/ is x86 (the
# component, the stand-in player, the integration and conformance tests).
BUILD := build
PRESET := mingw-x64
PACKAGE := $(BUILD)/foo_Trelvane.fb2k-component

.PHONY: deps configure build build-trees build-tree-x64 build-tree-x86 build-x64 build-x86 test demo bench package real-player real-player-soak clean

deps:
	tools/deps.sh

configure: deps
	cmake --preset mingw-x64 >/dev/null
	cmake --preset mingw-x86 >/dev/null

build-x64: configure
	cmake --build --preset mingw-x64

build-x86: configure
	cmake --build --preset mingw-x86

# `make build` (and so `make test`) builds both trees at once from one pool of JOBS jobs, so
# neither tree's slow last steps leave a core idle. The presets' generator writes Makefiles,
# whose make takes its jobs from that pool.
JOBS ?= 2
build: configure
	+$(MAKE) --no-print-directory -j$(JOBS) build-trees
build-trees: build-tree-x64 build-tree-x86
build-tree-x64:
	+$(MAKE) --no-print-directory -C build
build-tree-x86:
	+$(MAKE) --no-print-directory -C build-x86

# One file for the player's installer: the x86 DLL at the root, the x64 DLL in x64/.
# The DLLs travel without their debugging information.
package: build
	mkdir -p $(BUILD)/package/x86 $(BUILD)/package/x64
	i686-w64-mingw32-strip -o $(BUILD)/package/x86/foo_Trelvane.dll build-x86/bin/foo_Trelvane.dll
	x86_64-w64-mingw32-strip -o $(BUILD)/package/x64/foo_Trelvane.dll build/bin/foo_Trelvane.dll
	python3 tools/package.py $(BUILD)/package/x86/foo_Trelvane.dll $(BUILD)/package/x64/foo_Trelvane.dll $(PACKAGE)

# Both builds' tests, in Wine sessions side by side (tools/test-lanes.sh): one for most tests of
# each build, one for each click test, so no test meets the tray icons another leaves behind.
test: package
	tools/test-lanes.sh

demo: build-x64
	tools/demo.sh

bench: build-x64
	tools/with-wine-session.sh tools/bench.sh

# The package installed by a drop on the player's Components page, used in the X11 tray, in a
# Wine virtual desktop's taskbar and at 144 DPI, updated and removed, in a real foobar2000 (a
# portable folder given as PLAYER=dir) under Wine (tools/real-player.py); pictures and output go
# to docs/real-player/. Without PLAYER it only says how to get one, and builds nothing.
# real-player-soak: the long session in the desktop's taskbar, with and without the component.
PLAYER ?=
real-player:
	@if [ -n "$(PLAYER)" ]; then $(MAKE) --no-print-directory package; fi
	python3 tools/real-player.py "$(PLAYER)" "$(PACKAGE)"

real-player-soak:
	@if [ -n "$(PLAYER)" ]; then $(MAKE) --no-print-directory package; fi
	python3 tools/real-player.py --soak "$(PLAYER)" "$(PACKAGE)"

clean:
	rm -rf $(BUILD) build-x86
