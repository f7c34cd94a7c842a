# Packs a small tree with zlib and with Zopfli and lists it back: manifest order, given dates,
# modification times rounded down to even seconds, an empty file, a source outside the tree.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/product/Templates/Letters)
file(WRITE ${WORK}/product/License.txt "licence text\r\n")
file(WRITE "${WORK}/product/Templates/Letters/Letter 1.rtf" "{\\rtf1 letter}")
file(WRITE ${WORK}/empty.tlx "")
file(WRITE ${WORK}/cwp.exe "MZ stand-in")
execute_process(COMMAND touch -d "2011-09-05 10:00:03" "${WORK}/product/Templates/Letters/Letter 1.rtf"
                COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${WORK}/manifest.txt
     "cwp.exe\t${WORK}/cwp.exe\t2012-02-26 13:10:45\r\n"
     "License.txt\t\t2012-02-26 12:59:02\r\n"
     "userdicen.tlx\t../empty.tlx\t2011-11-14 09:38:00\r\n"
     "Templates\\Letters\\Letter 1.rtf\n")

set(expected
    "        11  2012-02-26 13:10:44  cwp.exe\n"
    "        14  2012-02-26 12:59:02  License.txt\n"
    "         0  2011-11-14 09:38:00  userdicen.tlx\n"
    "        14  2011-09-05 10:00:02  Templates\\Letters\\Letter 1.rtf\n"
    "4 entries, 39 bytes of data, 152 bytes inflated, ")
string(CONCAT expected ${expected})

foreach(option "" --zopfli=2)
    execute_process(COMMAND ${BUILDER} build ${option} ${WORK}/manifest.txt ${WORK}/product
                            ${WORK}/files.bin
                    OUTPUT_VARIABLE summary COMMAND_ERROR_IS_FATAL ANY)
    if(NOT summary MATCHES "^4 entries, 39 bytes of data, 152 bytes inflated, [0-9]+ bytes compressed")
        message(FATAL_ERROR "build ${option}: unexpected summary: ${summary}")
    endif()
    file(READ ${WORK}/files.bin header HEX LIMIT 2)
    if(NOT header STREQUAL "78da")
        message(FATAL_ERROR "build ${option}: the stream begins ${header}, not 78da")
    endif()
    execute_process(COMMAND ${BUILDER} list ${WORK}/files.bin OUTPUT_VARIABLE listing
                    COMMAND_ERROR_IS_FATAL ANY)
    string(FIND "${listing}" "${expected}" at)
    if(NOT at EQUAL 0)
        message(FATAL_ERROR "list after build ${option}:\n${listing}\nexpected:\n${expected}")
    endif()
endforeach()
