# The same sources built for 64-bit Windows, for running the Windows and end-to-end tests
# under 64-bit Wine on machines whose kernel cannot execute 32-bit code.
set(CORVELLA_MINGW x86_64-w64-mingw32)
# GoogleTest needs std::mutex, which GCC 12 offers only with the POSIX thread model.
set(CORVELLA_THREADS posix)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
