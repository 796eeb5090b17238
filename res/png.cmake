# The pictures as PNGs, for builds without Qt SVG: every SVG of rekentol.qrc is
# drawn at build time by the host's render_icon at 1, 1.5 and 2 times its own
# size and compiled in under :/res/png/<name>@<scale>x.png, where kit/qt/artwork
# looks for it. A cross build names the host's render_icon in
# REKENTOL_RENDER_TOOL (scripts/windows.sh builds it first).
set(REKENTOL_RENDER_TOOL "" CACHE FILEPATH "render_icon built for the build machine (cross builds)")
if(REKENTOL_RENDER_TOOL)
  set(render_tool ${REKENTOL_RENDER_TOOL})
elseif(NOT CMAKE_CROSSCOMPILING)
  set(render_tool rekentol_render_icon)  # packaging/
else()
  message(FATAL_ERROR "A cross build without Qt SVG needs REKENTOL_RENDER_TOOL: render_icon built for this machine")
endif()

set(png_qrc_in ${CMAKE_SOURCE_DIR}/res/rekentol.qrc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${png_qrc_in})
file(STRINGS ${png_qrc_in} png_entries REGEX "<file>[^<]+\\.svg</file>")
set(png_dir ${CMAKE_BINARY_DIR}/pictures)
set(png_svgs)
set(png_files)
set(png_qrc_body)
foreach(entry IN LISTS png_entries)
  string(REGEX REPLACE ".*<file>([^<]+)\\.svg</file>.*" "\\1" name "${entry}")
  list(APPEND png_svgs ${CMAKE_SOURCE_DIR}/res/${name}.svg)
  foreach(scale IN ITEMS 1 1.5 2)
    list(APPEND png_files ${png_dir}/${name}@${scale}x.png)
    string(APPEND png_qrc_body "    <file>${name}@${scale}x.png</file>\n")
  endforeach()
endforeach()

add_custom_command(OUTPUT ${png_files}
  COMMAND ${render_tool} --pictures ${png_dir} ${png_svgs}
  DEPENDS ${png_svgs} ${REKENTOL_RENDER_TOOL}
  COMMENT "Drawing the pictures as PNG")

set(png_qrc ${png_dir}/rekentol_png.qrc)
file(CONFIGURE OUTPUT ${png_qrc} CONTENT
  "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/res/png\">\n${png_qrc_body}  </qresource>\n</RCC>\n")
set(png_cpp ${CMAKE_BINARY_DIR}/qrc_rekentol_png.cpp)
add_custom_command(OUTPUT ${png_cpp}
  # PNG is compressed already.
  COMMAND Qt6::rcc --name rekentol_png --no-compress --output ${png_cpp} ${png_qrc}
  DEPENDS ${png_qrc} ${png_files}
  COMMENT "Compiling the PNG pictures in")
set_source_files_properties(${png_cpp} PROPERTIES SKIP_AUTOGEN ON SKIP_PRECOMPILE_HEADERS ON)
target_sources(rekentol_core PRIVATE ${png_cpp})
target_compile_definitions(rekentol_core PRIVATE REKENTOL_PNG_ARTWORK)
