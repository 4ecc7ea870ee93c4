# Flags of the WebAssembly build (Debian's emscripten): exceptions as WebAssembly exceptions, the two-lane
# vector form where SIMD is on, a heap that grows, and a driver that reads and writes the real files when
# it runs under node. Its C++ library lacks a few things the core uses; sim/compat.h supplies them.
option(QUORL_WASM_SIMD "Build the two-lane WebAssembly SIMD form of the pass" ON)
add_compile_options(-fwasm-exceptions "SHELL:-include ${CMAKE_SOURCE_DIR}/sim/compat.h")
add_link_options(-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB)
if(QUORL_WASM_SIMD)
  add_compile_options(-msimd128)
endif()
# Debian installs the linker's JavaScript modules (acorn) where only Debian's own node looks for them.
if(IS_DIRECTORY /usr/share/nodejs)
  set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
endif()

# The driver under node: the real file system, and the environment (QUORL_SIMD, QUORL_THREADS, TMPDIR, HOME).
function(quorl_wasm_node_program target)
  target_link_options(${target} PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1
                      -sWASM_ASYNC_COMPILATION=0
                      --pre-js ${CMAKE_SOURCE_DIR}/cmake/node_env.js)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/node_env.js)
endfunction()
