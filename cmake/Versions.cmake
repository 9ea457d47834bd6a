# The programs' versions, from CMakeLists.txt, into a header in the build tree that C++ and the
# resource scripts include, and into each program's manifest.

set(MARLWICK_GENERATED_DIR "${PROJECT_BINARY_DIR}/generated")

# "1.2" gives "1,2,0,0", as a version resource wants it.
function(marlwick_version_numbers out version)
    string(REPLACE "." ";" parts "${version}")
    list(LENGTH parts count)
    while(count LESS 4)
        list(APPEND parts 0)
        math(EXPR count "${count} + 1")
    endwhile()
    list(JOIN parts "," numbers)
    set(${out} "${numbers}" PARENT_SCOPE)
endfunction()

# "1.2.2.0" gives "1.2" and, with the patch level run into the minor as the eject tool writes
# its file version, "1.22".
function(marlwick_version_text out version)
    string(REPLACE "." ";" parts "${version}")
    list(GET parts 0 major)
    list(GET parts 1 minor)
    set(${out} "${major}.${minor}" PARENT_SCOPE)
    if(ARGV2 STREQUAL "WITH_PATCH")
        list(GET parts 2 patch)
        set(${out} "${major}.${minor}${patch}" PARENT_SCOPE)
    endif()
endfunction()

marlwick_version_numbers(MARLWICK_VERSION_NUMBERS "${PROJECT_VERSION}")
marlwick_version_numbers(VANDRL_FILE_VERSION_NUMBERS "${VANDRL_FILE_VERSION}")
marlwick_version_numbers(VANDRL_PRODUCT_VERSION_NUMBERS "${VANDRL_PRODUCT_VERSION}")
marlwick_version_text(VANDRL_FILE_VERSION_TEXT "${VANDRL_FILE_VERSION}" WITH_PATCH)
marlwick_version_text(VANDRL_PRODUCT_VERSION_TEXT "${VANDRL_PRODUCT_VERSION}")

configure_file("${CMAKE_CURRENT_LIST_DIR}/program_versions.h.in"
               "${MARLWICK_GENERATED_DIR}/program_versions.h" @ONLY)
include_directories("${MARLWICK_GENERATED_DIR}")

# A program's manifest (common controls 6, aware of the screen's DPI) beside the header, where
# its resource script finds it by name.
function(marlwick_program_manifest file name version description)
    marlwick_version_numbers(numbers "${version}")
    string(REPLACE "," "." MANIFEST_VERSION "${numbers}")
    set(MANIFEST_NAME "${name}")
    set(MANIFEST_DESCRIPTION "${description}")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/program.manifest.in"
                   "${MARLWICK_GENERATED_DIR}/${file}" @ONLY)
endfunction()

marlwick_program_manifest(marlwick.manifest Marlwick "${PROJECT_VERSION}"
                          "Marlwick profile editor")
marlwick_program_manifest(vandrl.manifest Vandrel "${VANDRL_FILE_VERSION}"
                          "Vandrel removable media eject tool")
