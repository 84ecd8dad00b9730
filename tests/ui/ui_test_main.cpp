// ui tests drive real windows: they need one QApplication, on the offscreen
// platform unless a display is asked for.
#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Loading a log makes its folder current, and tests load logs from
// temporary folders that they remove: every test gets back the folder it
// started in, so that no later test runs inside a deleted one.
class CurrentFolderPerTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { saved_ = QDir::currentPath(); }
    void OnTestEnd(const ::testing::TestInfo&) override { QDir::setCurrent(saved_); }
    QString saved_;
};

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CurrentFolderPerTest);
    return RUN_ALL_TESTS();
}
