// The Windows tests run as the program does: OLE initialised on the main thread and the
// system's entry points looked up.
#include "utils/InstUtils.h"

#include <ole2.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    ResolveEntryPoints();
    int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
