# halvex_stb: stb's headers (Debian's libstb-dev) with their code compiled for the browser,
# where the native libstb can not be linked.
add_library(halvex_stb STATIC ${CMAKE_CURRENT_LIST_DIR}/web/stb.c)
target_include_directories(halvex_stb SYSTEM PUBLIC /usr/include/stb)
