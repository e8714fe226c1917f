# Sourced by the archive benchmarks: writes their two data sets into the folder given, ~40 MB of estimate-like
# lines (repeated words and varying numbers, about 4:1 compressible) and 8 MB of random bytes.
bench_archive_data() { # folder
  mkdir -p "$1"
  awk 'BEGIN { srand(7); split("pipe cable valve duct breaker panel fitting conduit", w, " ");
    while (n < 40000000) { line = sprintf("%06d,%s %s,%d,%d.%02d,%s\n", i++, w[int(rand()*8)+1], w[int(rand()*8)+1],
      int(rand()*500), int(rand()*9999), int(rand()*100), (rand() < 0.5 ? "m" : "pcs")); printf "%s", line; n += length(line) } }' \
    > "$1/text.csv"
  head -c 8000000 /dev/urandom > "$1/random.bin"
}
