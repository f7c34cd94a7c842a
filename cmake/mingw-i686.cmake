# The product: the 32-bit Windows program.
set(CORVELLA_MINGW i686-w64-mingw32)
# Win32 threads: the program starts its thread itself, and needs no pthreads library.
set(CORVELLA_THREADS win32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
