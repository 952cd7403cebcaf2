# The two everyday commands: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: all build run test unit-test e2e-test bench clean

all: build

build:
	@scripts/install-deps.sh
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/alarm-clock

test:
	@scripts/install-deps.sh test
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure

unit-test: build
	cd $(BUILD) && ctest --output-on-failure -L unit

e2e-test: build
	cd $(BUILD) && ctest --output-on-failure -L e2e

bench: build
	@scripts/install-deps.sh test
	bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD)
