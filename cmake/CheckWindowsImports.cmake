# Run by the tests kivola_check_windows_imports adds:
#   cmake -D EXECUTABLE=file.exe -D OBJDUMP=objdump -D FORBIDDEN=a.dll;b.dll -P this-file
# Fails when the executable's import table names one of the FORBIDDEN DLLs.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${OBJDUMP}" -p "${EXECUTABLE}"
  OUTPUT_VARIABLE dump ERROR_VARIABLE error RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXECUTABLE} failed: ${error}")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  # Every Windows program imports at least KERNEL32.dll: an empty list means the dump was not read.
  message(FATAL_ERROR "no imported DLL found in the dump of ${EXECUTABLE}")
endif()

set(imported)
set(bad)
foreach(line ${lines})
  string(REGEX REPLACE "^DLL Name: " "" name "${line}")
  string(STRIP "${name}" name)
  list(APPEND imported "${name}")
  string(TOLOWER "${name}" lower)
  if(lower IN_LIST FORBIDDEN)
    list(APPEND bad "${name}")
  endif()
endforeach()

list(JOIN imported ", " imported)
if(bad)
  list(JOIN bad ", " bad)
  message(FATAL_ERROR "${EXECUTABLE} needs ${bad} beside it (imports: ${imported}); "
    "it must be linked -static")
endif()
message(STATUS "imports: ${imported}")
