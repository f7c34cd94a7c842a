# The sample product as the Windows build packs it: 272 entries in the order the installation
# plan expects, the licence of 2,228 bytes with its date, an empty user dictionary, the same
# bytes on every run.
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/cwp.exe "MZ stand-in word processor")
foreach(run 1 2)
    execute_process(COMMAND ${SAMPLE} ${WORK}/cwp.exe ${WORK}/product ${WORK}/manifest.txt
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${BUILDER} build ${WORK}/manifest.txt ${WORK}/product
                            ${WORK}/files${run}.bin
                    OUTPUT_VARIABLE summary COMMAND_ERROR_IS_FATAL ANY)
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/files1.bin ${WORK}/files2.bin
                RESULT_VARIABLE differ)
if(differ)
    message(FATAL_ERROR "two runs gave different payloads")
endif()

if(NOT summary MATCHES "^272 entries, ")
    message(FATAL_ERROR "unexpected summary: ${summary}")
endif()

execute_process(COMMAND ${BUILDER} list ${WORK}/files1.bin OUTPUT_VARIABLE listing
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]+\n" lines "${listing}")
list(TRANSFORM lines REPLACE "^ *[0-9]+  [0-9: -]+  (.*)\n$" "\\1")
list(SUBLIST lines 0 9 head)
set(expected_head cwp.exe License.txt "English (American).asc" "English (British).asc" us.zlx
    uk.zlx userdicen.tlx "English (American).cache" english.zlx)
if(NOT head STREQUAL expected_head)
    message(FATAL_ERROR "the first entries are ${head}")
endif()
list(SUBLIST lines 9 19 templates)
list(SUBLIST lines 28 242 clips)
list(SUBLIST lines 270 2 tail)
list(FILTER templates EXCLUDE REGEX "^Templates\\\\[^\\]+\\\\[^\\]+$")
list(FILTER clips EXCLUDE REGEX "^Clip Library\\\\[^\\]+\\\\[^\\]+\\\\[^\\]+$")
if(templates OR clips OR NOT tail STREQUAL "Basic.asn;Hyphenation.dat")
    message(FATAL_ERROR "out of order: ${templates} ${clips} ${tail}")
endif()
foreach(line "      2228  2012-02-26 12:59:02  License.txt" "         0  [0-9: -]+  userdicen.tlx")
    if(NOT listing MATCHES "\n${line}\n")
        message(FATAL_ERROR "no line \"${line}\" in\n${listing}")
    endif()
endforeach()
