# The built-in artwork: pixel maps in resources/artwork/*.txt turned into .ico and .bmp files
# in the build tree by tools/artwork.py, before the resource scripts that embed them compile.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(TRELVANE_ARTWORK_DIR ${CMAKE_BINARY_DIR}/artwork)
set(TRELVANE_ARTWORK_TOOL ${CMAKE_SOURCE_DIR}/tools/artwork.py)
set(TRELVANE_STRIP_IMAGES BACKH BACKL BARL BARR CURSSLDH CURSSLDL CURSVOLH CURSVOLL LOADH LOADL
    NEXTH NEXTL PAUSEH PAUSEL PLAYH PLAYL STOPH STOPL)

# trelvane_artwork_set(SOURCE OUTPUT_SUBDIR FILES...): one run of the tool per source file.
function(trelvane_artwork_set source subdir)
  set(outputs)
  foreach(file ${ARGN})
    list(APPEND outputs ${TRELVANE_ARTWORK_DIR}/${subdir}/${file})
  endforeach()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${Python3_EXECUTABLE} ${TRELVANE_ARTWORK_TOOL} ${CMAKE_SOURCE_DIR}/resources/artwork/${source}
            ${TRELVANE_ARTWORK_DIR}/${subdir}
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/artwork/${source} ${TRELVANE_ARTWORK_TOOL}
    COMMENT "Artwork: ${source}"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY TRELVANE_ARTWORK_FILES ${outputs})
endfunction()

# trelvane_artwork_listed(SOURCE OUTPUT_SUBDIR): as above, with the files named by the source
# itself; a change of the source configures again, so an added or renamed image is picked up.
function(trelvane_artwork_listed source subdir)
  set(path ${CMAKE_SOURCE_DIR}/resources/artwork/${source})
  execute_process(COMMAND ${Python3_EXECUTABLE} ${TRELVANE_ARTWORK_TOOL} --list ${path}
                  OUTPUT_VARIABLE files ERROR_VARIABLE problem RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Artwork ${source}: ${problem}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path} ${TRELVANE_ARTWORK_TOOL})
  string(REGEX REPLACE "\n$" "" files "${files}")
  string(REPLACE "\n" ";" files "${files}")
  trelvane_artwork_set(${source} ${subdir} ${files})
endfunction()

list(TRANSFORM TRELVANE_STRIP_IMAGES APPEND .ico OUTPUT_VARIABLE _strip_icons)
trelvane_artwork_set(strip_classic.txt classic ${_strip_icons})
trelvane_artwork_set(strip_alpha.txt alpha ${_strip_icons})
trelvane_artwork_set(bitmaps.txt bitmaps EMPTYCOLOUR.bmp EMPTYMASK.bmp)
trelvane_artwork_listed(menu_glyphs.txt menu_glyphs)
trelvane_artwork_listed(component_icon.txt component_icon)

get_property(TRELVANE_ARTWORK_FILES GLOBAL PROPERTY TRELVANE_ARTWORK_FILES)
add_custom_target(trelvane_artwork DEPENDS ${TRELVANE_ARTWORK_FILES})
