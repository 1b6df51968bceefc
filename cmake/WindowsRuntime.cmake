# Both deliverables must run on a clean Windows: no libgcc, libstdc++ or winpthread DLLs beside them.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
