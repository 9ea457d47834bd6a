# Settings shared by every target of the tree.

# All text is Windows-1252 bytes; sources are UTF-8. Clang, which only the fuzz build uses,
# knows no execution charset but UTF-8: there literals keep their UTF-8 bytes.
add_compile_options(-Wall -Wextra)
if(NOT MARLWICK_FUZZ)
    add_compile_options(-fexec-charset=CP1252)
endif()

if(MARLWICK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Versions.cmake)

if(WIN32)
    enable_language(RC)
    include(${CMAKE_CURRENT_LIST_DIR}/Wine.cmake)
    # ANSI build, linked statically: system DLLs only. The oldest Windows the programs run on
    # is 7 (they import GetTickCount64, which XP lacks).
    set(oldest_windows 0x0601)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=${oldest_windows}
                            WINVER=${oldest_windows})
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# A portable library made of every .cpp in a folder (not its subfolders).
function(marlwick_add_library name dir)
    file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
    marlwick_library_from(${name} "${sources}" ${ARGN})
endfunction()

# An empty folder gives an interface library, so dependants link the same way.
function(marlwick_library_from name sources)
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
        target_link_libraries(${name} PUBLIC ${ARGN})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}")
        target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
endfunction()

# A Win32 library from a win32/ folder: everything but main.cpp, which is the program entry.
function(marlwick_add_win32_library name dir)
    file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    marlwick_library_from(${name} "${sources}" ${ARGN})
endfunction()

# A Windows GUI program from a win32/ folder's main.cpp and its resource script.
function(marlwick_add_program name dir)
    file(GLOB resources CONFIGURE_DEPENDS "${dir}/*.rc")
    add_executable(${name} WIN32 "${dir}/main.cpp" ${resources})
    target_link_libraries(${name} PRIVATE ${ARGN})
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${name} RUNTIME_OUTPUT_DIRECTORY
                                                                 "${PROJECT_BINARY_DIR}/bin")
endfunction()
