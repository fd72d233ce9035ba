# Holds every include of src/ against the layering, so that a wrong arrow
# fails a test instead of waiting for someone to notice:
#   cmake -DSOURCE_DIR=<checkout> -P tests/layers/check_includes.cmake
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

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
set(faults 0)
set(includes 0)
foreach(file ${sources})
  layer_of(${file} from_layer)
  feature_of(${file} from_feature)
  file(STRINGS ${SOURCE_DIR}/src/${file} lines REGEX "^#include \"")
  foreach(line ${lines})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
    if(NOT EXISTS ${SOURCE_DIR}/src/${target})
      continue()
    endif()
    math(EXPR includes "${includes} + 1")
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
if(includes EQUAL 0)
  message(FATAL_ERROR "no include of src/ was read under ${SOURCE_DIR}/src")
endif()
math(EXPR kept "${includes} - ${faults}")
message("${kept} passed, ${faults} failed")
if(faults GREATER 0)
  message(FATAL_ERROR "the includes above run against the layers")
endif()
