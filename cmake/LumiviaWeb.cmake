# The program for the browser: lumivia.js and lumivia.wasm, with the data and shader files it
# reads packed into lumivia.data, which the page's script fetches and mounts at /Data and
# /Shader before main runs (the working directory is /, so ../Data is /Data as on the desktop).
add_executable(lumivia src/web/webmain.cpp src/web/webinput.cpp src/web/webpage.cpp)
target_link_libraries(lumivia PRIVATE lumivia_app)

# Every file under Data/ and Shader/hlsl/ but the desktop's icon.
file(GLOB_RECURSE LUMIVIA_WEB_DATA CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/Data/* ${CMAKE_SOURCE_DIR}/Shader/hlsl/*)
list(FILTER LUMIVIA_WEB_DATA EXCLUDE REGEX "/Data/Icon/")
target_link_options(lumivia PRIVATE
    -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
    -sALLOW_MEMORY_GROWTH=1
    -sENVIRONMENT=web
    "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/Data@/Data"
    "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/Shader/hlsl@/Shader/hlsl"
    "SHELL:--exclude-file ${CMAKE_SOURCE_DIR}/Data/Icon")
set_property(TARGET lumivia APPEND PROPERTY LINK_DEPENDS ${LUMIVIA_WEB_DATA})
