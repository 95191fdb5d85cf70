# The two everyday commands: `make run` and `make test` (see README.md).
JOBS ?= $(shell nproc)

.PHONY: setup run test demo demo-readout demo-radio demo-gsm fuzz clean

setup:
	./setup.sh

# Only the program and the files beside it; the tests are built by `make test`.
run:
	./setup.sh qv-config
	./build/qv-config

# Every test runs once: a test that fails only now and then is a fault to find, not one to rerun.
test: setup
	cd build && ctest --output-on-failure --parallel $(JOBS) --timeout 600
	./scripts/fuzz-smoke.sh

# The simulated station on a pseudo-terminal, and the program with COM1 pinned to it. SCENE chooses the
# station: station (the default), readout, radio or gsm; each also has a target of its own.
SCENE ?= station
demo:
	./setup.sh qv-config qv-station-sim
	./scripts/demo.sh $(SCENE)

demo-readout demo-radio demo-gsm:
	$(MAKE) demo SCENE=$(@:demo-%=%)

# Builds the libFuzzer targets with clang into build-fuzz/ and runs each briefly.
fuzz: setup
	./scripts/fuzz-smoke.sh

clean:
	rm -rf build build-fuzz
