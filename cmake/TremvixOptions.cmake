# Flags every tremvix target shares. Exact float arithmetic: no contraction into
# fused multiply-adds, no fast-math.
add_library(tremvix_options INTERFACE)
target_compile_features(tremvix_options INTERFACE cxx_std_20)
target_compile_options(tremvix_options INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-ffp-contract=off -fno-fast-math -Wall -Wextra>)
if(TREMVIX_SANITIZE)
  target_compile_options(tremvix_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tremvix_options INTERFACE -fsanitize=address,undefined)
endif()

if(TREMVIX_FUZZ)
  # Coverage for the fuzzers in everything they reach.
  target_compile_options(tremvix_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Sources of a layer folder, so that adding a file needs no edit here.
function(tremvix_glob_sources out dir)
  file(GLOB_RECURSE _found CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
  set(${out} ${_found} PARENT_SCOPE)
endfunction()
