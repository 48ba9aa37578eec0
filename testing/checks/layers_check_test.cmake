# Runs layers_check.cmake on small made-up trees: one that keeps the layers and several
# that break them in one way each. Run as
#   cmake -DCHECK=<layers_check.cmake> -DWORK=<scratch dir> -P layers_check_test.cmake

set(failures 0)

# tree(<name> <path> <contents> [<path> <contents>]...) writes a tree under WORK/<name>.
function(tree name)
  file(REMOVE_RECURSE ${WORK}/${name})
  set(args ${ARGN})
  while(args)
    list(POP_FRONT args path contents)
    file(WRITE ${WORK}/${name}/${path} "${contents}\n")
  endwhile()
endfunction()

# expect(<name> PASS) or expect(<name> FAIL <text the report must contain>...)
function(expect name verdict)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK}/${name} -P ${CHECK}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(report "${out}${err}")
  set(ok TRUE)
  if(verdict STREQUAL "PASS" AND NOT rc EQUAL 0)
    set(ok FALSE)
  elseif(verdict STREQUAL "FAIL")
    if(rc EQUAL 0)
      set(ok FALSE)
    endif()
    foreach(wanted IN LISTS ARGN)
      string(FIND "${report}" "${wanted}" at)
      if(at EQUAL -1)
        set(ok FALSE)
      endif()
    endforeach()
  endif()
  if(NOT ok)
    message(SEND_ERROR "tree '${name}': expected ${verdict} ${ARGN}; got exit ${rc}:\n${report}")
  endif()
endfunction()

tree(good
     corvane/rtl/Strings.hpp "#pragma once"
     corvane/rtl/List.hpp "#include \"corvane/rtl/Strings.hpp\""
     corvane/platform/Locales.cpp "#include \"corvane/rtl/List.hpp\"\n#include <unicode/uloc.h>"
     corvane/rtl/List_test.cpp "#include \"corvane/rtl/List.hpp\"\n#include \"testing/Test_support.hpp\""
     corvane/definitions/Wdef.cpp "  #  include <corvane/dates/Julian.hpp>"
     corvane/package/Pack.cpp "#include \"corvane/display/Paint.hpp\"\n// #include \"corvane/zzz/X.hpp\"")
expect(good PASS)

tree(upward
     corvane/rtl/Compare.cpp "#include \"corvane/rtl/Compare.hpp\"\n#include \"corvane/platform/Locales.hpp\""
     corvane/frame/Start.cpp "#include <corvane/package/CV7.hpp>")
expect(upward FAIL "2 problem(s)"
       "corvane/rtl/Compare.cpp: #include \"corvane/platform/Locales.hpp\": 'platform' is above 'rtl'"
       "corvane/frame/Start.cpp: #include <corvane/package/CV7.hpp>: 'package' is above 'frame'")

tree(unknown_folder corvane/widgets/Knob.hpp "#pragma once")
expect(unknown_folder FAIL "folder 'widgets' is not in the layer list")

tree(unknown_included corvane/search/Find.cpp "#include \"corvane/widgets/Knob.hpp\"")
expect(unknown_included FAIL "Find.cpp: #include \"corvane/widgets/Knob.hpp\": folder 'widgets'")

tree(support_outside_tests corvane/text/Scan.cpp "#include \"testing/Test_support.hpp\"")
expect(support_outside_tests FAIL "only tests may include the test support")

tree(relative corvane/text/Scan.cpp "#include \"Scan.hpp\""
     corvane/text/Scan_test.cpp "#include \"tools/corvane/Cli.hpp\"")
expect(relative FAIL "2 problem(s)" "#include \"Scan.hpp\"" "#include \"tools/corvane/Cli.hpp\"")

tree(loose corvane/Loose.hpp "#pragma once")
expect(loose FAIL "corvane/Loose.hpp: not in a folder")

file(REMOVE_RECURSE ${WORK})
