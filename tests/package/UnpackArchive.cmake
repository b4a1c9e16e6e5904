# Makes the release archive with CPack, checks the program in it (small, and
# needing no library beside it that Windows does not have), and unpacks it
# into an empty folder for package_tests.
# cmake -D CPACK=... -D BUILD_DIR=... -D ARCHIVE=... -D UNPACK_DIR=... -D OBJDUMP=... -P UnpackArchive.cmake
cmake_minimum_required(VERSION 3.20)

file(REMOVE ${ARCHIVE})
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake
                WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT EXISTS ${ARCHIVE})
  message(FATAL_ERROR "cpack did not make ${ARCHIVE}")
endif()

file(REMOVE_RECURSE ${UNPACK_DIR})
file(MAKE_DIRECTORY ${UNPACK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ARCHIVE}
                WORKING_DIRECTORY ${UNPACK_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ARCHIVE}")
endif()

file(GLOB programs ${UNPACK_DIR}/*/Sorbelquintaro.exe)
list(LENGTH programs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the archive holds ${count} Sorbelquintaro.exe in a folder: ${programs}")
endif()

file(SIZE ${programs} size)
if(size GREATER_EQUAL 2097152)
  message(FATAL_ERROR "Sorbelquintaro.exe has ${size} bytes, 2 MB or more")
endif()

# Every library the program imports must come with Windows itself; a MinGW
# run-time library (libstdc++, libgcc, winpthread) would have to lie beside it.
set(system_libraries
  advapi32.dll comctl32.dll comdlg32.dll dwmapi.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
  psapi.dll shell32.dll shlwapi.dll user32.dll version.dll winmm.dll wtsapi32.dll)
execute_process(COMMAND ${OBJDUMP} -p ${programs} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${programs}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imported library found in ${programs}")
endif()
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" library "${import}")
  string(STRIP "${library}" library)
  string(TOLOWER "${library}" library)
  if(NOT library IN_LIST system_libraries)
    message(FATAL_ERROR "Sorbelquintaro.exe needs ${library}, which Windows does not have")
  endif()
endforeach()
message(STATUS "${ARCHIVE}: Sorbelquintaro.exe ${size} bytes, imports: ${imports}")
