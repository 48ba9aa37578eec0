# Checks that the library's folders form layers: a file under corvane/<folder>/ includes
# only its own folder and the folders listed before it. Tests may also include the shared
# test support (testing/). Run as
#   cmake -DROOT=<source dir> -P layers_check.cmake
# It fails, naming every offending line, when a file includes a folder above its own, when
# a folder is not in the list, or when an include leaves the library.

# The folders, lowest first. A new folder is added here at its place in the order.
set(CORVANE_LAYERS
    rtl
    platform
    messages
    frame
    text
    analysis
    containers
    files
    search
    definitions
    dates
    display
    package)

if(NOT DEFINED ROOT)
  message(FATAL_ERROR "layers_check: pass -DROOT=<source dir>")
endif()

set(problems "")
set(checked 0)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${ROOT}
     ${ROOT}/corvane/*.hpp ${ROOT}/corvane/*.h ${ROOT}/corvane/*.cpp ${ROOT}/corvane/*.cxx
     ${ROOT}/corvane/*.cc ${ROOT}/corvane/*.inc)
list(SORT files)
foreach(file IN LISTS files)
  math(EXPR checked "${checked} + 1")
  if(NOT file MATCHES "^corvane/([^/]+)/")
    list(APPEND problems "${file}: not in a folder; every file belongs to one of the layers")
    continue()
  endif()
  set(own ${CMAKE_MATCH_1})
  list(FIND CORVANE_LAYERS ${own} own_rank)
  if(own_rank EQUAL -1)
    list(APPEND problems "${file}: folder '${own}' is not in the layer list (add it at its \
place to CORVANE_LAYERS in testing/checks/layers_check.cmake)")
    continue()
  endif()
  set(is_test FALSE)
  if(file MATCHES "_test\\.cpp$")
    set(is_test TRUE)
  endif()

  file(STRINGS ${ROOT}/${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]*)[>\"]")
      continue()
    endif()
    set(quote "${CMAKE_MATCH_1}")
    set(target "${CMAKE_MATCH_2}")
    set(close "\"")
    if(quote STREQUAL "<")
      set(close ">")
    endif()
    set(where "${file}: #include ${quote}${target}${close}")
    if(target MATCHES "^corvane/([^/]+)/")
      set(theirs ${CMAKE_MATCH_1})
      list(FIND CORVANE_LAYERS ${theirs} their_rank)
      if(their_rank EQUAL -1)
        list(APPEND problems "${where}: folder '${theirs}' is not in the layer list")
      elseif(their_rank GREATER own_rank)
        list(APPEND problems "${where}: '${theirs}' is above '${own}'")
      endif()
    elseif(target MATCHES "^testing/")
      if(NOT is_test)
        list(APPEND problems "${where}: only tests may include the test support")
      endif()
    elseif(quote STREQUAL "\"")
      list(APPEND problems
           "${where}: quoted includes name corvane/<folder>/<Unit>.hpp (tests: also testing/)")
    endif()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "layers_check: no files found under ${ROOT}/corvane")
endif()
if(problems)
  list(LENGTH problems count)
  list(JOIN problems "\n  " text)
  list(JOIN CORVANE_LAYERS " < " order)
  message(FATAL_ERROR "${count} problem(s) with the layers (${order}):\n  ${text}")
endif()
message(STATUS "layers hold: ${checked} files under corvane/")
