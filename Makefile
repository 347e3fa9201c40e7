# Set-up, build, run and test on a Debian 12 machine.
#   make run    install missing packages, build, start the program
#   make test   install missing packages, build with sanitizers, run every test
#   make bench  build optimised and run the benchmarks in bench/
#   make install    build optimised and install under PREFIX (default /usr/local);
#                   DESTDIR=/some/root installs into a staging root instead
#   make uninstall  remove what the last make install put in place (same DESTDIR)
#   make fuzz   build the fuzzing harnesses with clang and run each for
#               FUZZ_SECONDS (default 5) over fuzz/corpus
#   make soak   random walks over the running program on a private X server for
#               SOAK_MINUTES (default 30) with fresh seeds; prints actions run,
#               lines typed and faults found (SOAK_SEED=n replays one walk)
#   make deb    build the Debian package in DEBBUILD (default build-deb) and
#               check it: contents, dependencies, an install and removal in a
#               throw-away root, lintian

SHELL      := /bin/bash
BUILD      ?= build
PREFIX     ?= /usr/local
FUZZBUILD  ?= build-fuzz
FUZZ_SECONDS ?= 5
FUZZERS    := Tally PastedInput DateFormat TitleText DefaultFile Jpeg WordReport
TESTBUILD  ?= build-test
DEBBUILD   ?= build-deb
# The one version, and its release day, as CMakeLists.txt sets them.
VERSION    := $(shell sed -n 's/^project.Morvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
RELEASE_DATE := $(shell sed -n 's/^set.MORVANE_RELEASE_DATE \([0-9-]*\).*/\1/p' CMakeLists.txt)
JOBS       ?= 2
# ccache makes rebuilds in a fresh clone or a second work tree cheap.
LAUNCHER   := $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= true

PACKAGES := cmake g++ make pkg-config qt6-base-dev libjpeg62-turbo-dev libzip-dev \
            fonts-liberation2 xvfb xauth xdotool ccache python3-docx desktop-file-utils \
            libxxhash-dev mawk appstream file clang-14 libclang-rt-14-dev \
            openbox x11-utils libxtst-dev \
            debhelper dpkg-dev fakeroot lintian \
            at-spi2-core dbus-daemon gir1.2-atspi-2.0 python3-gi \
            fonts-dejavu-core fonts-droid-fallback fonts-symbola
# The last three give chart labels the characters the bundled face lacks
# (Arabic, Chinese, Japanese, Korean, emoji); a package of the program needs them too.

SOAK_MINUTES ?= 30

.PHONY: all deps build run test bench fuzz install uninstall deb clean soak

all: build

# Installs only what is missing, so a second run costs a few dpkg queries.
deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -q --no-install-recommends $$missing; \
	fi

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/src/morvane

test: deps
	cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DMORVANE_SANITIZE=ON $(LAUNCHER)
	cmake --build $(TESTBUILD) -j$(JOBS)
	cd $(TESTBUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=3
	@# Each benchmark once, in this build: no pass or fail on time, but a
	@# slowdown shows in every log.
	cmake --build $(TESTBUILD) -j$(JOBS) --target benchmarks
	@for b in $(TESTBUILD)/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  echo "== $$b (short)"; \
	  MORVANE_BENCH_SHORT=1 ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen $$b || exit 1; \
	done

soak: deps
	cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DMORVANE_SANITIZE=ON $(LAUNCHER)
	cmake --build $(TESTBUILD) -j$(JOBS) --target morvane test_soak
	cd $(TESTBUILD) && SOAK_MINUTES=$(SOAK_MINUTES) \
	  QTEST_FUNCTION_TIMEOUT=$$(( ($(SOAK_MINUTES) + 10) * 60000 )) \
	  LC_ALL=C.UTF-8 TZ=UTC ASAN_OPTIONS=detect_leaks=0 \
	  $(CURDIR)/tests/support/with-x-server.sh --wm -- tests/journeys/test_soak

bench: build
	cmake --build $(BUILD) -j$(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; \
	done

# New inputs the fuzzers find go to $(FUZZBUILD)/corpus; fuzz/corpus holds the seeds.
fuzz: deps
	cmake -S . -B $(FUZZBUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 $(LAUNCHER)
	cmake --build $(FUZZBUILD) -j$(JOBS) --target fuzzers
	@for h in $(FUZZERS); do \
	  mkdir -p $(FUZZBUILD)/corpus/$$h; \
	  echo "== fuzz_$$h, $(FUZZ_SECONDS) s"; \
	  $(FUZZBUILD)/fuzz/fuzz_$$h -max_total_time=$(FUZZ_SECONDS) -detect_leaks=0 -rss_limit_mb=4096 \
	    -print_final_stats=1 $(FUZZBUILD)/corpus/$$h fuzz/corpus/$$h 2>&1 | \
	    grep -E "^(stat::number_of_executed_units|stat::new_units_added|==[0-9]+==ERROR|SUMMARY)|Test unit written"; \
	  test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# cmake lists every file it installed, without DESTDIR: give the same
# DESTDIR to uninstall from a staging root.
uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "Nothing installed from $(BUILD)."; exit 1; }
	sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt | xargs -d '\n' rm -f --

# The package is built from a copy of the tree, so its build folder and the
# files dpkg-buildpackage leaves beside the tree stay inside DEBBUILD; the
# changelog is written there from the version above.
deb: deps
	@test -n "$(VERSION)" -a -n "$(RELEASE_DATE)" || { echo "No version in CMakeLists.txt"; exit 1; }
	rm -rf $(DEBBUILD)/morvane-$(VERSION) $(DEBBUILD)/morvane*_$(VERSION)_*
	mkdir -p $(DEBBUILD)/morvane-$(VERSION)
	tar -cf - --exclude-vcs --exclude='./build*' --exclude=./.cache --exclude='./$(DEBBUILD)' . | \
	  tar -xf - -C $(DEBBUILD)/morvane-$(VERSION)
	{ printf 'morvane (%s) unstable; urgency=medium\n\n  * Morvane %s.\n\n' $(VERSION) $(VERSION); \
	  printf ' -- %s  %s\n' "$$(sed -n 's/^Maintainer: //p' debian/control)" \
	    "$$(date -u -R -d $(RELEASE_DATE))"; } > $(DEBBUILD)/morvane-$(VERSION)/debian/changelog
	cd $(DEBBUILD)/morvane-$(VERSION) && CCACHE_BASEDIR=$$PWD dpkg-buildpackage -us -uc -b -j$(JOBS)
	tests/install/check-deb.sh $(DEBBUILD)/morvane_$(VERSION)_$$(dpkg --print-architecture).deb $(VERSION)

clean:
	rm -rf $(BUILD) $(TESTBUILD) $(DEBBUILD)
