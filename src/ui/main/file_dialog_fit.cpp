#include "main/file_dialog_fit.h"

#include "main/column_fit.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QListView>
#include <QTreeView>

#include <algorithm>

namespace {

void fitPlaces(QListView& places)
{
    const QFontMetrics fm(places.font());
    int widest = 0;
    for (int r = 0; places.model() && r < places.model()->rowCount(); ++r)
        widest = std::max(widest, fm.horizontalAdvance(places.model()->index(r, 0).data().toString()));
    const int icon = places.iconSize().width() > 0 ? places.iconSize().width() : fm.height();
    places.setMinimumWidth(widest + icon + 2 * places.frameWidth() + 24);
}

void fitFiles(QFileDialog& dialog, QTreeView& files)
{
    QHeaderView* h = files.header();
    int total = 2 * files.frameWidth();
    for (int c = 0; c < h->count(); ++c) {
        if (h->isSectionHidden(c)) continue;
        files.resizeColumnToContents(c);
        total += files.columnWidth(c);
    }
    int places = 0;
    if (auto* p = dialog.findChild<QListView*>("sidebar"); p && p->isVisible()) places = p->minimumWidth();
    // The dialog's margins and splitter come on top of its two lists.
    widenToShow(dialog, total + places + 60);
}

class FileDialogFitter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            if (auto* d = qobject_cast<QFileDialog*>(o)) fitFileDialog(*d); // a native one has no lists to fit
        return false;
    }
};

} // namespace

void fitFileDialog(QFileDialog& dialog)
{
    if (auto* places = dialog.findChild<QListView*>("sidebar")) fitPlaces(*places);
    auto* files = dialog.findChild<QTreeView*>("treeView");
    if (!files) return;
    fitFiles(dialog, *files);
    // The folder is read in the background: the columns fit again once its
    // files are there.
    if (auto* model = dialog.findChild<QFileSystemModel*>(); model && !dialog.property("zemFitted").toBool()) {
        dialog.setProperty("zemFitted", true);
        QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog,
                         [&dialog, files] { fitFiles(dialog, *files); });
    }
}

void fitFileDialogsToTheirTexts()
{
    static FileDialogFitter* fitter = nullptr;
    if (fitter || !qApp) return;
    fitter = new FileDialogFitter(qApp);
    qApp->installEventFilter(fitter);
}
