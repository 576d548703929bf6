# The two commands: `make demo` runs the stand-in player with the component loaded,
# `make test` runs every test. Both install what the machine lacks first.
BUILD := build
PRESET := mingw-x64

.PHONY: deps configure build test demo bench clean

deps:
	tools/deps.sh

configure: deps
	cmake --preset $(PRESET) >/dev/null

build: configure
	cmake --build --preset $(PRESET)

test: build
	tools/with-wine-session.sh ctest --preset $(PRESET)

demo: build
	tools/demo.sh

bench: build
	tools/with-wine-session.sh tools/bench.sh

clean:
	rm -rf $(BUILD)
