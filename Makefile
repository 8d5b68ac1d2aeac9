# The two set-up commands of the README: `make demo` and `make test`.
BUILD ?= build
JOBS ?= 2
WITH_QT ?= OFF

.PHONY: deps build demo test bench clean

deps:
	BOOKMOVE_WITH_QT=$(WITH_QT) bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DBOOKMOVE_WITH_QT=$(WITH_QT) > /dev/null
	cmake --build $(BUILD) -j$(JOBS)

# The main job on embedded defaults: a copy job benchmark at a small size.
demo: build
	$(BUILD)/bench/copy_bench --rows 100000

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The full-size benchmark (one million rows).
bench: build
	$(BUILD)/bench/copy_bench --rows 1000000

clean:
	rm -rf $(BUILD)
