# make test : install dependencies, build an optimised and a sanitizer build, run every test in both
# make run  : install dependencies, build, print a concordance of the bundled sample corpus and
#             draw pictures of it (PNG, SVG, HTML) in build/
# make bench / make fuzz : the benchmarks (Google Benchmark) and the libFuzzer targets (clang)
JOBS ?= $(shell nproc)
# ccache keys on paths relative to the checkout, so that clones in other folders share the cache.
export CCACHE_BASEDIR ?= $(CURDIR)
CMAKE_GEN = -G Ninja
RELEASE = build/release
ASAN = build/asan

.PHONY: all deps release asan test test-release test-asan run bench fuzz clean format

all: release

deps:
	@scripts/install-deps

$(RELEASE)/build.ninja: | deps
	cmake -S . -B $(RELEASE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release

$(ASAN)/build.ninja: | deps
	cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_SANITIZE=ON \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1"

release: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS)

asan: deps $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS)

test-release: release
	cd $(RELEASE) && ctest --output-on-failure -j $(JOBS)

test-asan: asan
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/testing/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS)

test: test-release test-asan

# A concordance of the bundled samples: English, French, German, Russian and Arabic texts
# in five encodings.
SAMPLE_SEARCH = sea/market/снег/التمر/Grüße/marché

# Pictures of concordances (PNG, SVG, HTML) in build/: the left-to-right samples, then the
# Arabic and the Hebrew text each in its own right-to-left language.
PICTURE_SEARCH = sea/market/снег/Grüße/marché/θάλασσα/deniz
PICTURE_TEXTS = $(addprefix samples/corpus/,harbour.txt garden.txt letters.txt science.txt \
  marche.txt brief.txt zima.txt thalassa.txt deniz.txt)
CORVANE = $(RELEASE)/tools/corvane/corvane

run: release
	$(CORVANE) concord --mask '*.txt' '$(SAMPLE_SEARCH)' samples/corpus
	$(CORVANE) concord --no-progress --sort R1 --png build/concordance.png --svg build/concordance.svg \
	  --html build/concordance.html '$(PICTURE_SEARCH)' $(PICTURE_TEXTS) >/dev/null
	$(CORVANE) concord --no-progress --lang ar --png build/concordance-ar.png \
	  --svg build/concordance-ar.svg --html build/concordance-ar.html 'السوق/التمر' \
	  samples/corpus/souq.txt >/dev/null
	$(CORVANE) concord --no-progress --lang he --png build/concordance-he.png \
	  --svg build/concordance-he.svg --html build/concordance-he.html 'הים/הרוח' \
	  samples/corpus/yam.txt >/dev/null
	@echo "pictures: build/concordance{,-ar,-he}.{png,svg,html}"

bench: deps
	cmake -S . -B build/bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCORVANE_BENCH=ON -DCORVANE_TESTS=OFF
	cmake --build build/bench -j $(JOBS)

fuzz: deps
	CXX=clang++ CXXFLAGS="-fsanitize=fuzzer-no-link,address,undefined" cmake -S . -B build/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON -DCORVANE_TESTS=OFF
	cmake --build build/fuzz -j $(JOBS)

format:
	find corvane tools testing bench fuzz -name '*.[ch]pp' | xargs clang-format -i

clean:
	rm -rf build
