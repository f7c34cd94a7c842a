# Every refusal of the builder names the manifest line and the entry, fails, and leaves no
# payload behind.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/product)
file(WRITE ${WORK}/product/a.txt "a")
file(WRITE ${WORK}/product/b.txt "b")
# Sparse files: only their sizes matter, the builder refuses them before reading.
execute_process(COMMAND truncate -s 2G ${WORK}/product/2gib.dat COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND truncate -s 1100M ${WORK}/product/1100mib.dat COMMAND_ERROR_IS_FATAL ANY)
string(REPEAT "n" 256 long)

# Pairs of a manifest and the start of the message it gets.
set(cases
    "a.txt\n\n" "manifest line 2: \"\": an empty name"
    "a.txt\n\\a.txt\n" "manifest line 2: \"\\a.txt\": an absolute name (leading backslash)"
    "C:a.txt\n" "manifest line 1: \"C:a.txt\": a drive or stream (colon)"
    "Templates\\\n" "manifest line 1: \"Templates\\\": a trailing backslash"
    "x\\..\\a.txt\n" "manifest line 1: \"x\\..\\a.txt\": a \".\" or \"..\" component"
    ".\\a.txt\n" "manifest line 1: \".\\a.txt\": a \".\" or \"..\" component"
    "${long}\n" "manifest line 1: \"${long}\": a name longer than 255 bytes"
    "a.txt\nA.TXT\tb.txt\n" "manifest line 2: \"A.TXT\": the name of an earlier entry, letter case aside"
    "a.txt\nmissing.txt\n" "manifest line 2: \"missing.txt\": missing source file ${WORK}/product/missing.txt"
    "2gib.dat\n" "manifest line 1: \"2gib.dat\": a file of 2 GiB or more"
    "1100mib.dat\ncopy.dat\t1100mib.dat\n" "manifest line 2: \"copy.dat\": the archive would reach 2 GiB"
    "a.txt\t\t2012-13-01 00:00:00\n" "manifest line 1: the date \"2012-13-01 00:00:00\" is not a valid"
)

list(LENGTH cases length)
math(EXPR last "${length} - 1")
foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET cases ${i} manifest)
    list(GET cases ${j} message)
    file(WRITE ${WORK}/manifest.txt "${manifest}")
    execute_process(COMMAND ${BUILDER} build ${WORK}/manifest.txt ${WORK}/product ${WORK}/files.bin
                    RESULT_VARIABLE result ERROR_VARIABLE error)
    string(FIND "${error}" ": ${message}" at)
    if(NOT result EQUAL 1 OR at LESS 0)
        message(FATAL_ERROR "manifest:\n${manifest}\nexit ${result}, message: ${error}"
                            "expected: ${message}")
    endif()
    if(EXISTS ${WORK}/files.bin)
        message(FATAL_ERROR "a refused build left ${WORK}/files.bin")
    endif()
endforeach()
