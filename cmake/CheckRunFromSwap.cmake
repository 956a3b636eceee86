# Fails unless the PE file EXECUTABLE asks Windows to run it from the swap file when it lies on a
# removable or a network drive, and is still a well-formed executable image:
#   cmake -D EXECUTABLE=KIVOLA.exe -P CheckRunFromSwap.cmake
cmake_minimum_required(VERSION 3.25)

# read_le(OFFSET SIZE VARIABLE): an unsigned little-endian number from the file.
function(read_le offset size variable)
  file(READ "${EXECUTABLE}" hex OFFSET ${offset} LIMIT ${size} HEX)
  set(value 0)
  math(EXPR last "${size} - 1")
  foreach(i RANGE ${last} 0 -1)
    math(EXPR at "${i} * 2")
    string(SUBSTRING "${hex}" ${at} 2 byte)
    math(EXPR value "${value} * 256 + 0x${byte}")
  endforeach()
  set(${variable} ${value} PARENT_SCOPE)
endfunction()

file(READ "${EXECUTABLE}" mz LIMIT 2 HEX)
if(NOT mz STREQUAL "4d5a")
  message(FATAL_ERROR "${EXECUTABLE}: no MZ header")
endif()
read_le(60 4 pe)
file(READ "${EXECUTABLE}" signature OFFSET ${pe} LIMIT 4 HEX)
if(NOT signature STREQUAL "50450000")
  message(FATAL_ERROR "${EXECUTABLE}: no PE signature at offset ${pe}")
endif()
# The COFF header: Machine at +4, Characteristics at +22 from the signature.
math(EXPR machine_at "${pe} + 4")
math(EXPR characteristics_at "${pe} + 22")
read_le(${machine_at} 2 machine)
read_le(${characteristics_at} 2 characteristics)
math(EXPR removable "${characteristics} & 0x0400")
math(EXPR network "${characteristics} & 0x0800")
math(EXPR executable "${characteristics} & 0x0002")
math(EXPR shown "${characteristics}" OUTPUT_FORMAT HEXADECIMAL)
if(NOT machine EQUAL 0x8664 OR executable EQUAL 0)
  message(FATAL_ERROR "${EXECUTABLE}: header damaged (Machine ${machine}, Characteristics ${shown})")
endif()
if(removable EQUAL 0 OR network EQUAL 0)
  message(FATAL_ERROR "${EXECUTABLE}: Characteristics ${shown} lack "
    "IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP (0x0400) or IMAGE_FILE_NET_RUN_FROM_SWAP (0x0800)")
endif()
message(STATUS "${EXECUTABLE}: Characteristics ${shown}, runs from swap")
