# The Windows screensaver, Skorvane!.scr: the shared logic under the Win32 layer, with the
# media generator's files, the setup dialog, the icons and the version block as resources.
enable_language(RC)
set(MEDIA ${CMAKE_SOURCE_DIR}/media/assets)

# The explosion frames, complete bitmap files, one resource each.
set(BOOM_FRAMES "")
foreach(n RANGE 15)
  math(EXPR id "200 + ${n}")
  string(LENGTH "${n}" digits)
  set(file "boom${n}.bmp")
  if(digits LESS 2)
    set(file "boom0${n}.bmp")
  endif()
  string(APPEND BOOM_FRAMES "${id} RCDATA \"${MEDIA}/${file}\"\n")
endforeach()

# The icons 30001 (32 x 32) and 30002 (16 x 16) and their group 1, taken from the generator's
# icon file: the resource compiler would number the images itself, so they are written out
# as raw resources (an image as the file holds it; the group entry as the file's entry, with
# the resource's number in place of the file offset).
function(words_of hex out)  # little-endian 16-bit words of a byte string in hex
  string(LENGTH "${hex}" length)
  set(words "")
  set(at 0)
  while(at LESS length)
    string(SUBSTRING "${hex}" ${at} 2 low)
    math(EXPR high_at "${at} + 2")
    string(SUBSTRING "${hex}" ${high_at} 2 high)
    list(APPEND words "0x${high}${low}")
    math(EXPR at "${at} + 4")
  endwhile()
  list(JOIN words ", " joined)
  set(${out} "${joined}" PARENT_SCOPE)
endfunction()
function(number_of hex out)  # a little-endian number of 2 or 4 bytes
  string(LENGTH "${hex}" length)
  set(value "")
  set(at ${length})
  while(at GREATER 0)
    math(EXPR at "${at} - 2")
    string(SUBSTRING "${hex}" ${at} 2 byte)
    string(APPEND value "${byte}")
  endwhile()
  math(EXPR decimal "0x${value}")
  set(${out} ${decimal} PARENT_SCOPE)
endfunction()
file(READ ${MEDIA}/skorvane.ico ico HEX)
set(ICONS "")
set(group "0, 1, 2")
foreach(index 0 1)
  math(EXPR entry "(6 + ${index} * 16) * 2")
  string(SUBSTRING "${ico}" ${entry} 24 fields)   # width .. size: what the group keeps
  math(EXPR size_at "${entry} + 16")
  string(SUBSTRING "${ico}" ${size_at} 8 size_hex)
  math(EXPR offset_at "${entry} + 24")
  string(SUBSTRING "${ico}" ${offset_at} 8 offset_hex)
  number_of(${size_hex} size)
  number_of(${offset_hex} offset)
  math(EXPR id "30001 + ${index}")
  math(EXPR from "${offset} * 2")
  math(EXPR count "${size} * 2")
  string(SUBSTRING "${ico}" ${from} ${count} image)
  words_of("${image}" image_words)
  string(APPEND ICONS "${id} 3 { ${image_words} }\n")
  string(SUBSTRING "${fields}" 0 16 leading)
  words_of("${leading}" leading_words)
  string(APPEND group ", ${leading_words}, ${size}L, ${id}")
endforeach()
string(APPEND ICONS "IDI_PROGRAM 14 { ${group} }\n")

configure_file(app/windows/skorvane.rc.in ${CMAKE_BINARY_DIR}/generated/skorvane.rc @ONLY)

# The Win32 layer: windows, presenting, the dialog, the registry, sound, resources.
add_library(skorvane_win32 STATIC
  platform/win32/MessageLoop.cpp
  platform/win32/SystemClock.cpp
  platform/win32/RegistryStore.cpp
  platform/win32/WindowChecks.cpp
  platform/win32/PlaySoundPlayer.cpp
  platform/win32/EmbeddedResources.cpp
  platform/win32/DibPresenter.cpp
  platform/win32/DisplayWindow32.cpp
  platform/win32/DisplayForm.cpp
  platform/win32/SetupDialog.cpp
  platform/win32/PreviewWindow.cpp
  platform/win32/Picture.cpp
)
target_link_libraries(skorvane_win32 PUBLIC skorvane_display skorvane_setup
                      user32 gdi32 advapi32 winmm ole32 oleaut32 uuid)

# Windows' own DLLs only: the C and C++ runtimes and the threads library go in statically.
add_executable(skorvane_scr WIN32 app/windows/main.cpp ${CMAKE_BINARY_DIR}/generated/skorvane.rc)
target_link_libraries(skorvane_scr PRIVATE skorvane_win32)
target_link_options(skorvane_scr PRIVATE -static -static-libgcc -static-libstdc++ -s)
set_target_properties(skorvane_scr PROPERTIES OUTPUT_NAME "Skorvane!" SUFFIX ".scr"
                                              RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(skorvane_scr PRIVATE ${CMAKE_SOURCE_DIR})

option(SKORVANE_TESTS "Build the tests" ON)
if(SKORVANE_TESTS)
  add_subdirectory(tests/windows)
endif()
