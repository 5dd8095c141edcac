# The sanitizer build instruments everything the project compiles, tests included, and makes any
# finding fatal so that CTest reports it as a failure.
if(ZEMBRATI_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build instruments everything for libFuzzer's coverage; only the fuzz targets link its
# driver (fuzz/CMakeLists.txt). It optimises a little, as libFuzzer advises: unoptimised code
# with coverage and sanitizers runs too slowly to explore much.
if(ZEMBRATI_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link -O1)
endif()
