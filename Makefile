# Set-up, build, run and test Dayglass on a Debian machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps test-deps configure build run test bench demo clean

all: build

deps:
	@scripts/install-deps scripts/packages-build.txt

test-deps:
	@scripts/install-deps scripts/packages-build.txt scripts/packages-test.txt

configure:
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DDAYGLASS_WERROR=ON >/dev/null

build: deps configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "make run: no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set)."; \
	    echo "Start Dayglass from a desktop session, or try it without one: $(BUILD_DIR)/src/app/dayglass --once"; \
	    exit 1; \
	fi
	@$(BUILD_DIR)/src/app/dayglass $(ARGS)

test: test-deps configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

demo: build
	@scripts/demo $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR)
