# Holds every include of src/ against the layering, and looks for files
# that include each other in a circle (a header and its source count as one
# file), so that a wrong arrow fails a test instead of waiting for someone
# to notice:
#   cmake -DSOURCE_DIR=<checkout> -P tests/layers/check_includes.cmake
cmake_minimum_required(VERSION 3.25)

# Layers, lowest first: a file may include its own layer and those below.
set(layers model ui screens app)
# Features are the folders under src/model/rules and src/screens. One
# includes another only along these arrows. Every screen may use
# screens/common; the main menu starts every workflow and may use them all,
# nothing may use it.
set(feature_arrows
  "transfer>roster"           # a transfer student keeps within a roster's bounds
  "common>transfer"           # the shared transfer dialog inserts the student
  "evaluation>scores"         # ranking and evaluation work on the score table
  "quizzes>subjectfiles"      # a quiz file is a subject file
  "subjectfiles>roster"       # a subject file prints class by class as its roster does
)

function(layer_of path out)
  string(REGEX MATCH "^[^/]+" top "${path}")
  list(FIND layers "${top}" rank)
  set(${out} ${rank} PARENT_SCOPE)
endfunction()

function(feature_of path out)
  set(feature "")
  if(path MATCHES "^model/rules/([^/]+)/")
    set(feature ${CMAKE_MATCH_1})
  elseif(path MATCHES "^screens/([^/]+)/")
    set(feature ${CMAKE_MATCH_1})
  endif()
  set(${out} "${feature}" PARENT_SCOPE)
endfunction()

# A header and its source are one unit: the path without its extension.
function(unit_of path out)
  string(REGEX REPLACE "\\.[^./]*$" "" unit "${path}")
  set(${out} "${unit}" PARENT_SCOPE)
endfunction()

# Depth first through the units; a unit met again while it is still being
# walked closes a circle.
function(walk unit trail)
  get_property(state GLOBAL PROPERTY walked_${unit})
  if(state STREQUAL "done")
    return()
  elseif(state STREQUAL "open")
    list(FIND trail "${unit}" start)
    list(SUBLIST trail ${start} -1 circle)
    list(APPEND circle "${unit}")
    list(JOIN circle " -> " text)
    set_property(GLOBAL APPEND PROPERTY circles "${text}")
    return()
  endif()
  set_property(GLOBAL PROPERTY walked_${unit} open)
  get_property(next GLOBAL PROPERTY includes_${unit})
  foreach(other ${next})
    set(longer ${trail} ${unit})
    walk("${other}" "${longer}")
  endforeach()
  set_property(GLOBAL PROPERTY walked_${unit} done)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
set(faults 0)
set(includes 0)
set(units "")
foreach(file ${sources})
  unit_of(${file} from_unit)
  list(APPEND units ${from_unit})
  layer_of(${file} from_layer)
  feature_of(${file} from_feature)
  file(STRINGS ${SOURCE_DIR}/src/${file} lines REGEX "^#include \"")
  foreach(line ${lines})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
    if(NOT EXISTS ${SOURCE_DIR}/src/${target})
      continue()
    endif()
    math(EXPR includes "${includes} + 1")
    unit_of(${target} to_unit)
    if(NOT to_unit STREQUAL from_unit)
      set_property(GLOBAL APPEND PROPERTY includes_${from_unit} ${to_unit})
    endif()
    layer_of(${target} to_layer)
    feature_of(${target} to_feature)
    set(why "")
    if(to_layer GREATER from_layer)
      set(why "a lower layer includes a higher one")
    elseif(to_layer EQUAL 3 AND NOT from_layer EQUAL 3)
      set(why "nothing outside src/app includes it")
    elseif(NOT from_feature STREQUAL "" AND NOT to_feature STREQUAL "" AND NOT from_feature STREQUAL to_feature
           AND NOT from_feature STREQUAL "menu" AND NOT to_feature STREQUAL "common")
      list(FIND feature_arrows "${from_feature}>${to_feature}" allowed)
      if(allowed EQUAL -1)
        set(why "feature ${from_feature} may not use feature ${to_feature}")
      endif()
    endif()
    if(NOT why STREQUAL "")
      message("src/${file}: includes ${target}: ${why}")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES units)
foreach(unit ${units})
  walk("${unit}" "")
endforeach()
get_property(circles GLOBAL PROPERTY circles)
foreach(circle ${circles})
  message("src/: files include each other in a circle: ${circle}")
  math(EXPR faults "${faults} + 1")
endforeach()

if(includes EQUAL 0)
  message(FATAL_ERROR "no include of src/ was read under ${SOURCE_DIR}/src")
endif()
math(EXPR kept "${includes} - ${faults}")
message("${kept} passed, ${faults} failed")
if(faults GREATER 0)
  message(FATAL_ERROR "the includes above run against the layers or close a circle")
endif()
