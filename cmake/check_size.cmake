# Prints the size of EXE and fails when it is over LIMIT bytes.
cmake_minimum_required(VERSION 3.21)
file(SIZE ${EXE} size)
math(EXPR kib "${size} / 1024")
message(STATUS "${EXE}: ${size} bytes (${kib} KiB), limit ${LIMIT}")
if(size GREATER LIMIT)
    message(FATAL_ERROR "${EXE} is ${size} bytes, over ${LIMIT}")
endif()
