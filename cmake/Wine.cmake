# The emulator that runs Windows tests and programs from this build tree under Wine.
set(WINE_PREFIX "${PROJECT_BINARY_DIR}/wineprefix")
set(WINE_PREFIX_SCRIPT "${PROJECT_SOURCE_DIR}/tools/lib/wine-prefix.sh")
configure_file("${CMAKE_CURRENT_LIST_DIR}/wine-run.in" "${PROJECT_BINARY_DIR}/wine-run"
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE @ONLY)
