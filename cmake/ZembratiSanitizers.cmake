# The sanitizer build instruments everything the project compiles, tests included, and makes any
# finding fatal so that CTest reports it as a failure.
if(ZEMBRATI_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
