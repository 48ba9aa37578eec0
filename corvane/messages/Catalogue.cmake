# The message catalogue: corvane/messages/catalogue.txt is compiled into the library as
# bytes (corvane::embedded::message_catalogue), and its identifiers become the constants
# msg::CVxxx of the headers generated here, one per group:
#   generated/corvane/messages/Generalruntime1const_ids.hpp
#   generated/corvane/messages/Generalruntime2const_ids.hpp
# A constant is the entry's position among the distinct identifiers, in file order; the
# run-time index numbers the entries the same way. An identifier that a later group lists
# again gets no second constant. The headers are written at configure time and only when
# their contents change; editing the catalogue re-runs the configuration.

set(_catalogue ${PROJECT_SOURCE_DIR}/corvane/messages/catalogue.txt)
set(_out_dir ${PROJECT_BINARY_DIR}/generated/corvane/messages)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_catalogue})
corvane_embed(message_catalogue ${_catalogue})

file(READ ${_catalogue} _content)
# Group headers and identifiers, in file order (identifiers never hold ";", so the match
# list is safe whatever the texts hold).
string(REGEX MATCHALL "\n(\\[[A-Za-z0-9_]+\\]|_[A-Za-z0-9_]+\t)" _tokens "\n${_content}")

set(_group "")
set(_groups "")
set(_index 0)
foreach(_token IN LISTS _tokens)
  string(STRIP "${_token}" _token)
  if(_token MATCHES "^\\[(.*)\\]$")
    set(_group ${CMAKE_MATCH_1})
    list(APPEND _groups ${_group})
    set(_body_${_group} "")
    set(_count_${_group} 0)
    continue()
  endif()
  if(_group STREQUAL "")
    message(FATAL_ERROR "${_catalogue}: entry ${_token} comes before the first [group] line")
  endif()
  math(EXPR _count_${_group} "${_count_${_group}} + 1")
  if(DEFINED _seen_${_token})
    string(APPEND _body_${_group}
           "// ${_token}: listed in ${_seen_${_token}} as well; its constant is declared there.\n")
    continue()
  endif()
  set(_seen_${_token} ${_group})
  string(REGEX REPLACE "^_" "" _name "${_token}")
  string(APPEND _body_${_group} "inline constexpr MessageId ${_name}{${_index}};\n")
  math(EXPR _index "${_index} + 1")
endforeach()

set(_previous "")
foreach(_group IN LISTS _groups)
  set(_text "#pragma once\n// Generated from corvane/messages/catalogue.txt; do not edit.\n")
  string(APPEND _text "// The ${_count_${_group}} entries of the catalogue group ${_group}.\n\n")
  string(APPEND _text "#include <cstddef>\n\n#include \"corvane/messages/Message_catalogue.hpp\"\n")
  if(_previous)
    string(APPEND _text "#include \"corvane/messages/${_previous}_ids.hpp\"\n")
  endif()
  string(APPEND _text "\nnamespace corvane::msg {\n\n")
  string(APPEND _text "inline constexpr std::size_t ${_group}_entry_count = ${_count_${_group}};\n")
  if(_group STREQUAL "Generalruntime2const")
    string(APPEND _text "// Distinct identifiers in the whole catalogue.\n")
    string(APPEND _text "inline constexpr std::size_t catalogue_size = ${_index};\n")
  endif()
  string(APPEND _text "\n${_body_${_group}}\n}  // namespace corvane::msg\n")
  file(WRITE ${PROJECT_BINARY_DIR}/CMakeFiles/${_group}_ids.hpp.tmp "${_text}")
  configure_file(${PROJECT_BINARY_DIR}/CMakeFiles/${_group}_ids.hpp.tmp ${_out_dir}/${_group}_ids.hpp COPYONLY)
  set(_previous ${_group})
endforeach()
if(NOT _groups STREQUAL "Generalruntime1const;Generalruntime2const")
  message(FATAL_ERROR "${_catalogue}: expected the groups Generalruntime1const and "
                      "Generalruntime2const, found: ${_groups}")
endif()
