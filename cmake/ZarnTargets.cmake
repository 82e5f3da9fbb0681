# Warnings on and treated as errors for our own code; third-party code is built without them.
function(zarn_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wsign-conversion -Wnon-virtual-dtor -Werror)
endfunction()

# A library of ours: sources, warnings, and the project root as its include root so that
# headers are named by folder ("rational/frac.hpp").
function(zarn_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  zarn_warnings(${name})
endfunction()
