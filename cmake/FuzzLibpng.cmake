# The fuzz build compiles libpng and zlib from the pinned sources, so that the coverage instrumentation
# of the fuzz build reaches inside the decoder: against the system's uninstrumented libpng the fuzzer
# sees only the calls into it.
set(QUILLET_LIBPNG_DIR "${PROJECT_SOURCE_DIR}/build/deps/libpng" CACHE PATH "libpng sources prepared by scripts/setup.sh")
set(QUILLET_ZLIB_DIR "${PROJECT_SOURCE_DIR}/build/deps/zlib" CACHE PATH "zlib sources prepared by scripts/setup.sh")
foreach(header ${QUILLET_LIBPNG_DIR}/png.h ${QUILLET_ZLIB_DIR}/zlib.h)
    if(NOT EXISTS "${header}")
        message(FATAL_ERROR "${header} not found; run scripts/setup.sh first")
    endif()
endforeach()
file(GLOB zlib_sources ${QUILLET_ZLIB_DIR}/*.c)
add_library(fuzz_zlib STATIC ${zlib_sources})
target_include_directories(fuzz_zlib SYSTEM PUBLIC ${QUILLET_ZLIB_DIR})
# zlib 1.2.8's gz* files call POSIX functions its configure step would have declared.
target_compile_definitions(fuzz_zlib PRIVATE HAVE_UNISTD_H)
file(GLOB libpng_sources ${QUILLET_LIBPNG_DIR}/png*.c)
add_library(png STATIC ${libpng_sources})
target_include_directories(png SYSTEM PUBLIC ${QUILLET_LIBPNG_DIR})
target_link_libraries(png PUBLIC fuzz_zlib)
