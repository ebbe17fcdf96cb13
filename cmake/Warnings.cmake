# The warnings the project's own code is built with, in one place. Every
# target made after this links quorvel_warnings; whether a warning stops the
# build is the preset's choice (CMAKE_COMPILE_WARNING_AS_ERROR). Code of
# others that is built here (GoogleTest in the Windows build) is added
# before, so none of this reaches it.
add_library(quorvel_warnings INTERFACE)
target_compile_options(quorvel_warnings INTERFACE
    $<$<COMPILE_LANG_AND_ID:CXX,GNU,Clang>:
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
        -Wold-style-cast -Wnon-virtual-dtor>)
link_libraries(quorvel_warnings)
