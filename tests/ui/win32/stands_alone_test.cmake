# Quorvel.exe is a GUI program that starts on any Windows as it is: it may
# import only DLLs every Windows has, none of the compiler's run-time DLLs.
# Usage: cmake -DOBJDUMP=... -DPROGRAM=... -P stands_alone_test.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot read the headers of ${PROGRAM}")
endif()

# ADVAPI32 reads the user's colour mode from the registry.
set(system_dlls KERNEL32.dll USER32.dll GDI32.dll ADVAPI32.dll msvcrt.dll)
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT imports)
    message(FATAL_ERROR "no imports found: not a program objdump can read")
endif()
foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    if(NOT dll IN_LIST system_dlls)
        message(FATAL_ERROR "imports ${dll}, which not every Windows has")
    endif()
    message(STATUS "imports ${dll}")
endforeach()

# Subsystem 2 is the Windows GUI: no console window opens beside it.
if(NOT headers MATCHES "Subsystem[ \t]+00000002")
    message(FATAL_ERROR "not a GUI-subsystem program")
endif()
