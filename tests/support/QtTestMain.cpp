// Entry of the widget test programs: GoogleTest inside a QApplication.
#include <gtest/gtest.h>

#include "app/VelvoraApplication.h"
#include "base/Global.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    velvora::VelvoraApplication application(argc, argv);
    velvora::InitGlobal(argv[0]);
    return RUN_ALL_TESTS();
}
