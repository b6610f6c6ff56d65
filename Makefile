# The two commands of the README. Both install what is missing, then build.
#   make run   start the demo from data/ (the mesh files are read from the working directory)
#   make test  build a release tree and a sanitizer tree and run every test in both; then build
#              the benchmark alone for this processor (-march=native, build/native) and check
#              that it gives the recorded fingerprints, as the release tree's own test does
#   make soak  a million iterations of the demo's per-frame work per integrator and step size
#              (not part of make test; SOAK_ITERATIONS=N to change the count)
#   make mutants  plant each fault of tools/mutants.txt in a scratch copy and check that the unit
#                 tests notice it (slow: minutes; not part of make test)
#   make fuzz  build the fuzz targets with clang's libFuzzer and run each for FUZZ_SECONDS
#              (default 60; e.g. make fuzz FUZZ_SECONDS=300); make fuzz-corpus then folds what
#              they found, minimised, into the committed corpus under tests/fuzz/corpus/

RELEASE  := build/release
SANITIZE := build/sanitize
NATIVE   := build/native
FUZZ     := build/fuzz
JOBS     := $(shell nproc)
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := mesh-file collide triangles

.PHONY: run test setup build build-sanitize native-fingerprints soak mutants build-fuzz fuzz fuzz-corpus

setup:
	@bash scripts/setup

build: setup
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE) -j $(JOBS)

build-sanitize: setup
	cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_SANITIZE=ON
	cmake --build $(SANITIZE) -j $(JOBS)

run: build
	@if [ -x $(RELEASE)/bin/quorvel ]; then \
	  if [ -z "$$DISPLAY" ]; then \
	    echo "make run: no display (DISPLAY is not set); the demo needs an X server to open its windows."; \
	    echo "The headless benchmark runs anywhere: cd data && ../$(RELEASE)/bin/quorvel-bench"; \
	    exit 1; \
	  fi; \
	  echo "Starting the demo; the headless benchmark is ../$(RELEASE)/bin/quorvel-bench, run from data/."; \
	  cd data && ../$(RELEASE)/bin/quorvel; \
	else \
	  echo "The demo program is not part of the build yet; regenerating the mesh files into data/ instead."; \
	  $(RELEASE)/bin/make-meshes data; \
	fi

# Built for the processor it runs on, the benchmark must still give every recorded fingerprint:
# the results do not depend on the build's flags. Only the benchmark, to keep the time small.
native-fingerprints: setup
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-march=native
	cmake --build $(NATIVE) -j $(JOBS) --target quorvel-bench
	bash tests/tools/check-fingerprints $(NATIVE)/bin/quorvel-bench data

test: build build-sanitize
	cd $(RELEASE) && ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory native-fingerprints

SOAK_ITERATIONS ?= 1000000
soak: build
	cd data && ../$(RELEASE)/bin/quorvel-soak --iterations $(SOAK_ITERATIONS) 2> /dev/null

mutants: setup
	python3 tools/mutation-check

build-fuzz: setup
	cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DQUORVEL_FUZZ=ON
	cmake --build $(FUZZ) -j $(JOBS) --target $(addsuffix -fuzzer,$(FUZZ_TARGETS))

fuzz: build-fuzz
	bash scripts/fuzz run $(FUZZ) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

fuzz-corpus: build-fuzz
	bash scripts/fuzz merge $(FUZZ) $(FUZZ_TARGETS)
