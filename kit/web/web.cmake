# Rekentol for the browser (included by the top CMakeLists.txt when EMSCRIPTEN
# is set): the screens, board/, help/ and app/ as they are, kit/ with its page
# backend, built to rekentol.js and rekentol.wasm.
find_package(Qt6 6.8 REQUIRED COMPONENTS Core Gui)

file(GLOB REKENTOL_WEB_SOURCES CONFIGURE_DEPENDS
  kit/*.cpp kit/*.h kit/web/*.cpp kit/web/*.h app/*.cpp app/*.h
  board/*.cpp board/*.h estimate/*.cpp estimate/*.h written/*.cpp written/*.h
  placevalue/*.cpp placevalue/*.h blocks/*.cpp blocks/*.h help/*.cpp help/*.h)

qt_add_executable(rekentol ${REKENTOL_WEB_SOURCES} res/rekentol.qrc)
target_include_directories(rekentol PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(rekentol PRIVATE Qt6::Core Qt6::Gui)
target_compile_options(rekentol PRIVATE -Wall -Wextra -Wpedantic)
if(REKENTOL_WERROR)
  target_compile_options(rekentol PRIVATE -Werror)
endif()
target_compile_definitions(rekentol PRIVATE QT_NO_KEYWORDS QT_USE_QSTRINGBUILDER QT_NO_CAST_FROM_BYTEARRAY)

set(glue ${CMAKE_SOURCE_DIR}/kit/web/glue.js)
set(start ${CMAKE_SOURCE_DIR}/kit/web/site/start.js)
# No eval of any kind: the page's Content-Security-Policy allows the
# WebAssembly and nothing else. The start script is part of rekentol.js, so
# the page loads one script of its own origin.
target_link_options(rekentol PRIVATE -lembind -sDYNAMIC_EXECUTION=0
  "--pre-js=${glue}" "--extern-post-js=${start}")
set_property(TARGET rekentol APPEND PROPERTY LINK_DEPENDS ${glue} ${start})
# For reading a crash in the browser: the functions' names in the .wasm.
option(REKENTOL_WEB_NAMES "Keep function names in rekentol.wasm" OFF)
if(REKENTOL_WEB_NAMES)
  target_link_options(rekentol PRIVATE --profiling-funcs)
endif()
