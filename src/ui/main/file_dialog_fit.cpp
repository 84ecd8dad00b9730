#include "main/file_dialog_fit.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QListView>
#include <QLayout>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <vector>

namespace {

// The file list's columns, as Qt's file dialog lays them out.
enum { kName, kSize, kType, kDate, kColumns };

void fitPlaces(QListView& places)
{
    const QFontMetrics fm(places.font());
    int widest = 0;
    for (int r = 0; places.model() && r < places.model()->rowCount(); ++r)
        widest = std::max(widest, fm.horizontalAdvance(places.model()->index(r, 0).data().toString()));
    const int icon = places.iconSize().width() > 0 ? places.iconSize().width() : fm.height();
    places.setMinimumWidth(widest + icon + 2 * places.frameWidth() + 24);
}

// The width the list's own fitting gives a cell of this text (with the
// file's icon in the name column).
int cellWidth(const QTreeView& files, const QString& text, bool icon)
{
    QStyleOptionViewItem opt;
    opt.initFrom(&files);
    opt.font = files.font();
    opt.fontMetrics = QFontMetrics(files.font());
    opt.features = QStyleOptionViewItem::HasDisplay;
    opt.text = text;
    opt.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    if (icon) {
        opt.features |= QStyleOptionViewItem::HasDecoration;
        const int small = files.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &files);
        opt.decorationSize = files.iconSize().isValid() ? files.iconSize() : QSize(small, small);
        opt.decorationPosition = QStyleOptionViewItem::Left;
    }
    return files.style()->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), &files).width();
}

// The patterns of the chosen file type: "Cabrillo(*.cbr)" gives "*.cbr".
QStringList patternsOf(const QString& nameFilter)
{
    QString p = nameFilter;
    const int open = p.lastIndexOf('('), close = p.lastIndexOf(')');
    if (open >= 0 && close > open) p = p.mid(open + 1, close - open - 1);
    return p.split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts);
}

// What each column needs for the entries of the dialog's folder, read from
// the disk: the dialog's own model reads the folder in the background, and
// has no rows yet when the dialog opens. The texts are made as the model
// makes them.
std::vector<int> neededWidths(QFileDialog& dialog, const QTreeView& files)
{
    std::vector<int> need(kColumns, 0);
    const QHeaderView* h = files.header();
    for (int c = 0; c < std::min<int>(kColumns, h->count()); ++c) need[static_cast<size_t>(c)] = h->sectionSizeHint(c);

    auto* model = dialog.findChild<QFileSystemModel*>();
    QFileIconProvider fallback;
    const QAbstractFileIconProvider* icons = model && model->iconProvider() ? model->iconProvider() : &fallback;
    const QLocale locale = QLocale::system();
    const QStringList patterns = dialog.nameFilters().isEmpty() ? QStringList() : patternsOf(dialog.selectedNameFilter());
    QDir folder = dialog.directory();
    const QFileInfoList entries = folder.entryInfoList(patterns, dialog.filter() | QDir::NoDotAndDotDot, QDir::NoSort);
    // The type comes from the file's kind, found by its name and maybe its
    // first bytes: one file of each extension stands for the others.
    QHash<QString, QString> typeBySuffix;
    for (const QFileInfo& fi : entries) {
        need[kName] = std::max(need[kName], cellWidth(files, fi.fileName(), true));
        if (fi.isFile()) need[kSize] = std::max(need[kSize], cellWidth(files, locale.formattedDataSize(fi.size()), false));
        const QString key = fi.isDir() ? QStringLiteral("/") : fi.suffix().toLower();
        auto type = typeBySuffix.find(key);
        if (type == typeBySuffix.end()) {
            type = typeBySuffix.insert(key, icons->type(fi));
            need[kType] = std::max(need[kType], cellWidth(files, *type, false));
        }
        need[kDate] = std::max(need[kDate], cellWidth(files, locale.toString(fi.lastModified(), QLocale::ShortFormat), false));
    }
    return need;
}

// The window manager's frame around the dialog, or, before it has one, the
// frame it gives the program's other windows.
int frameWidth(const QWidget& window)
{
    const int own = window.frameGeometry().width() - window.width();
    if (own > 0) return own;
    int other = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != &window && w->isVisible()) other = std::max(other, w->frameGeometry().width() - w->width());
    return other > 0 ? other : 16;
}

QRect availableArea(const QWidget& window)
{
    const QScreen* s = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 800, 600);
}

// The columns as wide as their texts: those of the folder on the disk
// (diskNeed) and those the model lists already. The names give way only
// where the names and sizes would not show together even on the whole
// screen. Returns the list's width with all columns.
int fitColumns(QFileDialog& dialog, QTreeView& files, std::vector<int> need)
{
    QHeaderView* h = files.header();
    const int columns = std::min<int>(kColumns, h->count());
    for (int c = 0; c < columns; ++c)
        if (!h->isSectionHidden(c))
            need[static_cast<size_t>(c)] =
                std::max(need[static_cast<size_t>(c)], static_cast<QAbstractItemView&>(files).sizeHintForColumn(c));
    const int chrome = dialog.width() - files.viewport()->width();
    const int listRoom = availableArea(dialog).width() - frameWidth(dialog) - chrome -
                         files.verticalScrollBar()->sizeHint().width();
    if (columns > kSize && !h->isSectionHidden(kSize))
        need[kName] = std::min(need[kName], std::max(h->sectionSizeHint(kName), listRoom - need[kSize]));
    int total = 0;
    for (int c = 0; c < columns; ++c) {
        if (h->isSectionHidden(c)) continue;
        files.setColumnWidth(c, need[static_cast<size_t>(c)]);
        total += need[static_cast<size_t>(c)];
    }
    return total;
}

// Once, as the dialog opens: wide enough for its columns, within the screen.
// Later it keeps the width it has, whatever the folder read.
void fitWidth(QFileDialog& dialog, QTreeView& files, int columns)
{
    const int wanted = dialog.width() - files.viewport()->width() + columns + files.verticalScrollBar()->sizeHint().width();
    if (wanted <= dialog.width()) return;
    const QRect area = availableArea(dialog);
    const int frame = frameWidth(dialog);
    dialog.resize(std::min(wanted, area.width() - frame), dialog.height());
    // A dialog placed by the program keeps its place, moved left only as far
    // as the screen's edge needs; an unplaced one is centred as it shows.
    if (dialog.testAttribute(Qt::WA_Moved) && dialog.x() + dialog.width() + frame > area.right() + 1)
        dialog.move(std::max(area.left(), area.right() + 1 - frame - dialog.width()), dialog.y());
}

// The fitting of one dialog: its width as it opens, its columns whenever
// its list changes.
class DialogFit : public QObject {
public:
    static constexpr const char* kName = "zemFileDialogFit";

    DialogFit(QFileDialog& dialog, QTreeView& files) : QObject(&dialog), dialog_(dialog), files_(files)
    {
        setObjectName(kName);
        // Another folder, another file type, or the model's own texts
        // arriving in many small steps: the columns fit again once the burst
        // is over; the dialog keeps its size.
        refit_.setSingleShot(true);
        refit_.setInterval(50);
        connect(&refit_, &QTimer::timeout, this, [this] { fitColumns(dialog_, files_, diskNeed(false)); });
        auto later = [this] { refit_.start(); };
        if (auto* model = dialog.findChild<QFileSystemModel*>()) {
            connect(model, &QFileSystemModel::directoryLoaded, this, later);
            connect(model, &QAbstractItemModel::rowsInserted, this, later);
            connect(model, &QAbstractItemModel::layoutChanged, this, later);
        }
        connect(&dialog, &QFileDialog::filterSelected, this, later);
        connect(&dialog, &QFileDialog::directoryEntered, this, later);
    }

    void opened() { fitWidth(dialog_, files_, fitColumns(dialog_, files_, diskNeed(true))); }

private:
    // What the disk holds, measured again for another folder or file type,
    // or when asked (the dialog opens anew).
    std::vector<int> diskNeed(bool anew)
    {
        const QString folder = dialog_.directory().absolutePath(), type = dialog_.selectedNameFilter();
        if (anew || widths_.empty() || folder != folder_ || type != type_) {
            folder_ = folder;
            type_ = type;
            widths_ = neededWidths(dialog_, files_);
        }
        return widths_;
    }

    QFileDialog& dialog_;
    QTreeView& files_;
    QTimer refit_;
    QString folder_, type_;
    std::vector<int> widths_;
};

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
    // The list's width is measured with the places list at its new width.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (dialog.layout()) dialog.layout()->activate();
    auto* fit = dynamic_cast<DialogFit*>(dialog.findChild<QObject*>(DialogFit::kName, Qt::FindDirectChildrenOnly));
    if (!fit) fit = new DialogFit(dialog, *files);
    fit->opened();
}

void fitFileDialogsToTheirTexts()
{
    static FileDialogFitter* fitter = nullptr;
    if (fitter || !qApp) return;
    fitter = new FileDialogFitter(qApp);
    qApp->installEventFilter(fitter);
}
