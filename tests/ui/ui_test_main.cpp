// ui tests drive real windows: they need one QApplication, on the offscreen
// platform unless a display is asked for.
#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
// Opening a log makes its folder current, and the test's temporary folders
// go away with the test: each test starts in the folder the run started in.
class RestoreCurrentFolder : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo&) override { QDir::setCurrent(start_); }

private:
    QString start_ = QDir::currentPath();
};
} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new RestoreCurrentFolder);
    return RUN_ALL_TESTS();
}
