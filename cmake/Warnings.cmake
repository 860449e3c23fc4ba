# Every target of ours gets the same strict warnings; third-party headers are system includes.
# MSVC also reads the sources as UTF-8, as the other compilers do, instead of the ANSI code page.
function(vp_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  endif()
endfunction()
