# Options every target of the project sets on itself (nothing is added globally, so a target
# from elsewhere, a found package or a test framework, is built as its authors meant).
#   pelo_target_options(<target>)   warnings (errors with PELO_WERROR), sanitizers with PELO_ASAN

set(PELO_WARNINGS -Wall -Wextra)
if(PELO_WERROR)
  list(APPEND PELO_WARNINGS -Werror)
endif()
# GCC 12 at -O3 reports overlapping copies inside std::string's own "literal" + string
# (GCC bug 105651, fixed in GCC 13): a warning about the library, not about this code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND PELO_WARNINGS -Wno-restrict)
endif()

# float-cast-overflow is not part of GCC's "undefined": a float converted to an integer it does not fit.
set(PELO_SANITIZE_COMPILE -fsanitize=address,undefined,float-cast-overflow
    -fno-sanitize-recover=undefined,float-cast-overflow -fno-omit-frame-pointer)
set(PELO_SANITIZE_LINK -fsanitize=address,undefined,float-cast-overflow)
if(PELO_FUZZ)
  # libFuzzer's coverage on every target the fuzz targets link, with the sanitizers.
  set(PELO_ASAN ON)
  list(APPEND PELO_SANITIZE_COMPILE -fsanitize=fuzzer-no-link)
endif()

function(pelo_target_options target)
  target_compile_options(${target} PRIVATE ${PELO_WARNINGS})
  if(PELO_ASAN)
    target_compile_options(${target} PRIVATE ${PELO_SANITIZE_COMPILE})
    # A static library passes the runtime on to whatever links it.
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      target_link_options(${target} INTERFACE ${PELO_SANITIZE_LINK})
    else()
      target_link_options(${target} PRIVATE ${PELO_SANITIZE_LINK})
    endif()
  endif()
endfunction()
