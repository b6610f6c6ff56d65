# The two commands of the README. Both install what is missing, then build.
#   make run   start the demo from data/ (the mesh files are read from the working directory)
#   make test  build a release tree and a sanitizer tree and run every test in both
#   make soak  a million iterations of the demo's per-frame work per integrator and step size
#              (not part of make test; SOAK_ITERATIONS=N to change the count)
#   make mutants  plant each fault of tools/mutants.txt in a scratch copy and check that the unit
#                 tests notice it (slow: minutes; not part of make test)

RELEASE  := build/release
SANITIZE := build/sanitize
JOBS     := $(shell nproc)

.PHONY: run test setup build build-sanitize soak mutants

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

test: build build-sanitize
	cd $(RELEASE) && ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE) && ctest --output-on-failure -j $(JOBS)

SOAK_ITERATIONS := 1000000
soak: build
	cd data && ../$(RELEASE)/bin/quorvel-soak --iterations $(SOAK_ITERATIONS) 2> /dev/null

mutants: setup
	python3 tools/mutation-check
