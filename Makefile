# The two commands: `make demo` runs the stand-in player with the component loaded,
# `make test` runs every test. Both install what the machine lacks first.
BUILD := build
PRESET := mingw-x64

.PHONY: deps configure build test demo bench clean real-player

deps:
	tools/deps.sh

configure: deps
	cmake --preset $(PRESET) >/dev/null

build: configure
	cmake --build --preset $(PRESET)

test: build
	tools/with-wine-session.sh ctest --preset $(PRESET)

demo: build
	tools/with-wine-session.sh tools/demo.sh

bench: build
	tools/with-wine-session.sh tools/bench.sh

# The x86 DLL inside a real foobar2000 (a portable folder given as PLAYER=dir) under Wine.
# Without PLAYER it only says how to get one.
X86_BUILD := build-x86
DLL ?= $(X86_BUILD)/bin/foo_Trelvane.dll
PLAYER ?=
real-player:
	@if [ -n "$(PLAYER)" ]; then tools/deps.sh; fi
	OUT=$(X86_BUILD)/real-player tools/real-player-check.sh "$(PLAYER)" "$(DLL)"

clean:
	rm -rf $(BUILD)
