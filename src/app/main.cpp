#include "main/app_identity.h"
#include "main/form2.h"
#include "main/platform.h"
#include "main/single_instance.h"
#include "refdata/cty_search.h"

#include <QApplication>
#include <QMessageBox>

#include <filesystem>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    setApplicationIdentity();

    QStringList args = QApplication::arguments();
    args.removeFirst();
    const bool hasParameter = !args.isEmpty();

    SingleInstance instance(SingleInstance::defaultName());
    if (instance.start(hasParameter) == SingleInstance::Outcome::ExitNow) return 0;

    const std::filesystem::path programFolder = QApplication::applicationDirPath().toStdString();
    std::unique_ptr<TForm2> form;
    try {
        form = std::make_unique<TForm2>(programFolder, args);
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "ZEM", QString::fromStdString(e.what()));
        return 1;
    }
    TForm2* w = form.get();
    QObject::connect(&instance, &SingleInstance::raiseRequested, w, [w] {
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        w->show();
        w->raise();
        w->activateWindow();
    });
    QObject::connect(&instance, &SingleInstance::shrinkRequested, w, &TForm2::shrinkForSecondStart);
    w->show();
    return app.exec();
}
