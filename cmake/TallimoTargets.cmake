# Listing sources: every target takes the .cpp files of its folder, found by
# tallimo_folder_sources (file(GLOB CONFIGURE_DEPENDS)), so a new file needs
# no CMake edit. Where one folder holds several targets (app/core, app/gui,
# app/assets, tests/session, ...), the smaller ones claim their files by name
# with ONLY, before the folder's main target takes every unclaimed file.
# Files named *_main.cpp are programs' entries: add_executable names them and
# no folder listing ever returns them.
function(tallimo_folder_sources var folder)
    cmake_parse_arguments(ARG "" "" "ONLY" ${ARGN})
    get_filename_component(folder ${folder} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(GLOB found CONFIGURE_DEPENDS ${folder}/*.cpp)
    list(FILTER found EXCLUDE REGEX "_main\\.cpp$")
    get_property(claimed GLOBAL PROPERTY TALLIMO_CLAIMED_SOURCES)
    if(ARG_ONLY)
        set(picked "")
        foreach(stem IN LISTS ARG_ONLY)
            set(file ${folder}/${stem}.cpp)
            if(NOT file IN_LIST found)
                message(FATAL_ERROR "tallimo_folder_sources: no ${file}")
            endif()
            if(file IN_LIST claimed)
                message(FATAL_ERROR "tallimo_folder_sources: ${file} is claimed twice")
            endif()
            list(APPEND picked ${file})
        endforeach()
        set_property(GLOBAL APPEND PROPERTY TALLIMO_CLAIMED_SOURCES ${picked})
        set(found ${picked})
    elseif(claimed)
        list(REMOVE_ITEM found ${claimed})
    endif()
    set(${var} ${found} PARENT_SCOPE)
endfunction()

# Warnings: every target is built with the flags set in the top CMakeLists
# (Qt, GoogleTest and FreeImage come in as system headers, so only the
# project's own code is held to them); TALLIMO_WERROR makes them errors.
# The cores are also held to -Wconversion.
function(tallimo_strict_conversions name)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${name} PRIVATE -Wconversion)
    endif()
endfunction()

# Windows-1252 text from the data files must never reach a QString through
# an implicit conversion (which would read it as UTF-8): every Qt target
# spells out how each char string becomes text.
function(tallimo_explicit_qt_text name)
    target_compile_definitions(${name} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
endfunction()

# tallimo_core_library(NAME SOURCES... LINKS ...): a static library of plain
# C++ with no Qt; sources are included from the project root
# ("session/core/rental_session.h").
function(tallimo_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    set_target_properties(${name} PROPERTIES AUTOMOC OFF POSITION_INDEPENDENT_CODE ON)
    tallimo_strict_conversions(${name})
endfunction()

# tallimo_gui_library(NAME SOURCES... LINKS ...): widgets and Qt adapters.
function(tallimo_gui_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    tallimo_explicit_qt_text(${name})
endfunction()
