# Our own libraries and programs: headers included by path from a source folder, our warnings on.

# tarmelo_library(NAME [INCLUDE_DIR dir] sources...): a static library whose headers are included by path
# from INCLUDE_DIR (by default the folder of the CMakeLists.txt that makes it).
function(tarmelo_library name)
    cmake_parse_arguments(ARG "" "INCLUDE_DIR" "" ${ARGN})
    if(NOT ARG_INCLUDE_DIR)
        set(ARG_INCLUDE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    endif()
    add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
    target_include_directories(${name} PUBLIC ${ARG_INCLUDE_DIR})
    target_link_libraries(${name} PRIVATE tarmelo_warnings)
endfunction()

# tarmelo_executable(NAME sources...): a program built with our warnings.
function(tarmelo_executable name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE tarmelo_warnings)
endfunction()
