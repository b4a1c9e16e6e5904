# The release archive a Windows user unpacks and runs: the program, a guide
# and the licence as text files Notepad opens as they are (UTF-8 with a
# byte-order mark, CR LF), and an example table under a name the program does
# not read, so that the first start begins with an empty table.
# `cpack` in the build directory (or tools/package.sh) writes
# package/Sorbelquintaro-<version>-win64.zip.
set(sq_package_texts ${CMAKE_BINARY_DIR}/package-texts)
set(sq_guide_template ${CMAKE_SOURCE_DIR}/docs/ReadMe.txt.in)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${sq_guide_template})
file(READ ${sq_guide_template} sq_guide)
string(ASCII 239 187 191 sq_byte_order_mark)
file(CONFIGURE OUTPUT ${sq_package_texts}/ReadMe.txt CONTENT "${sq_byte_order_mark}${sq_guide}"
     @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${sq_package_texts}/LICENSE.txt
               @ONLY NEWLINE_STYLE CRLF)

# Only these files go into the archive: nothing of the tests. Packing does not
# build everything first (the tests would be built too): tools/package.sh
# builds the program, then packs.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS Sorbelquintaro RUNTIME DESTINATION . COMPONENT program)
install(FILES ${sq_package_texts}/ReadMe.txt ${sq_package_texts}/LICENSE.txt
        DESTINATION . COMPONENT program)
install(FILES ${CMAKE_SOURCE_DIR}/docs/example-Config.ini
        DESTINATION . RENAME Config.example.ini COMPONENT program)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The archive's name is also its top folder's name.
set(SQ_PACKAGE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
set(SQ_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGE_FILE_NAME ${SQ_PACKAGE_NAME})
set(CPACK_PACKAGE_DIRECTORY ${SQ_PACKAGE_DIRECTORY})
set(CPACK_COMPONENTS_ALL program)
set(CPACK_STRIP_FILES ON)
include(CPack)
