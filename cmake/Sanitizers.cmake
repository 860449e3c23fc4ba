if(VP_SANITIZE)
  # Halt on the first report so that a sanitizer finding fails the test that caused it.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

if(VP_BUILD_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # Coverage in every library, so libFuzzer sees into the code under test; the fuzz binaries add
  # the libFuzzer runtime themselves. -O1 as libFuzzer advises: unoptimised code runs 5x fewer inputs.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
