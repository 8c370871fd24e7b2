# Warnings as a habit, on every target of ours; the test command makes them errors.
option(NUMVORA_WERROR "Treat warnings as errors" OFF)
add_library(numvora_warnings INTERFACE)
target_compile_options(numvora_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wimplicit-fallthrough -Wformat=2)
if(NUMVORA_WERROR)
  target_compile_options(numvora_warnings INTERFACE -Werror)
endif()
if(WIN32)
  # Self-contained executables: no libstdc++/libgcc/winpthread DLL beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
endif()
