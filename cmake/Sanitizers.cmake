if(VP_SANITIZE)
  # Halt on the first report so that a sanitizer finding fails the test that caused it.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
