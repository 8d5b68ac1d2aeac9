# The two set-up commands of the README: `make demo` and `make test`.
BUILD ?= build
JOBS ?= 2
WITH_QT ?= ON

.PHONY: deps build demo test bench clean

deps:
	BOOKMOVE_WITH_QT=$(WITH_QT) bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DBOOKMOVE_WITH_QT=$(WITH_QT) > /dev/null
	cmake --build $(BUILD) -j$(JOBS)

# The main job on embedded defaults: a sample shop copied whole into a freshly installed database.
demo: build
	$(BUILD)/cli/bookmove-cli demo --dir demo

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The copy-job benchmark (one million rows).
bench: build
	$(BUILD)/bench/copy_bench --rows 1000000

clean:
	rm -rf $(BUILD)
