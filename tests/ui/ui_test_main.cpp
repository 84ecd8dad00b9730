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

// The offscreen platform cannot pass a window's size hints on and says so
// for every window the tests show; nothing else is kept from the output.
QtMessageHandler g_passOn = nullptr;
void dropSizeHintsNotice(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && text == QLatin1String("This plugin does not support propagateSizeHints()")) return;
    if (g_passOn) g_passOn(type, context, text);
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    g_passOn = qInstallMessageHandler(dropSizeHintsNotice);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CurrentFolderPerTest);
    return RUN_ALL_TESTS();
}
