#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen").toUtf8());
    QApplication app(argc, argv);
    QApplication::setApplicationName("Dayglass");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
