#include "TestEnvironment.h"

#include <QCoreApplication>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    ResetDoubles();
    return RUN_ALL_TESTS();
}
