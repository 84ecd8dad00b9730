#include "import/cabrillo_open_dialog.h"

#include "import/cabrillo_reader.h"
#include "main/text_util.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <memory>

QStringList cabrilloNameFilters(const QString& filter)
{
    QStringList out;
    const QStringList parts = filter.split('|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            if (t.isEmpty()) continue;
            patterns << (t == "*.*" ? QStringLiteral("*") : t);
        }
        if (patterns.isEmpty()) continue;
        // The visible name is the settings' own; the patterns go in the last
        // parentheses, where the dialog looks for them.
        out << name + " (" + patterns.join(' ') + ")";
    }
    if (out.isEmpty()) out << QStringLiteral("All files (*)");
    return out;
}

namespace {
// width is the least: a larger font or a long contest name widens the label.
QLabel* sunkenLabel(const QString& text, int width, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const QFontMetrics fm(l->font());
    l->setMinimumWidth(std::max(width, fm.horizontalAdvance(text) + 2 * l->frameWidth() + 4));
    l->setFixedHeight(std::max(18, fm.height() + 2 * l->frameWidth()));
    return l;
}
} // namespace

CabrilloOpenDialog::CabrilloOpenDialog(QWidget* parent) : QFileDialog(parent)
{
    setWindowTitle("Open Cabrillo");
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::HideNameFilterDetails, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    // Name filters compare without case, so "LOG.CBR" shows under "*.cbr".
    setFilter(filter() & ~QDir::CaseSensitive);

    auto* strip = new QWidget(this);
    auto* grid = new QGridLayout(strip);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(5);
    grid->setVerticalSpacing(2);
    grid->addWidget(sunkenLabel("Contest:", 70, strip), 0, 0);
    grid->addWidget(sunkenLabel("Callsign:", 70, strip), 1, 0);
    contestValue_ = sunkenLabel(QString(), 250, strip);
    callsignValue_ = sunkenLabel(QString(), 250, strip);
    grid->addWidget(contestValue_, 0, 1);
    grid->addWidget(callsignValue_, 1, 1);
    grid->setColumnStretch(1, 1);

    if (auto* main = qobject_cast<QGridLayout*>(layout()))
        main->addWidget(strip, main->rowCount(), 0, 1, main->columnCount());
    else if (layout())
        layout()->addWidget(strip);

    connect(this, &QFileDialog::currentChanged, this, &CabrilloOpenDialog::op1SelectionChange);
    connect(this, &QFileDialog::directoryEntered, this, &CabrilloOpenDialog::op1FolderChange);
}

void CabrilloOpenDialog::setup(const QString& filter, const QString& startFolder)
{
    // Most logs end in ".log": a user who chose that type once should not
    // find a folder of logs looking empty the next time.
    const QStringList filters = cabrilloNameFilters(filter);
    if (filters != nameFilters()) {
        // The dialog answers with the name it shows, the patterns hidden.
        const QString chosen = selectedNameFilter();
        setNameFilters(filters);
        for (const QString& f : filters)
            if (f.left(f.lastIndexOf('(')).simplified() == chosen) selectNameFilter(f);
    }
    if (!setUp_ || startFolder != startSetting_)
        setDirectory(startFolder.isEmpty() ? QDir::currentPath() : startFolder);
    setUp_ = true;
    startSetting_ = startFolder;
    // Each opening shows the header of the file that is selected, if any.
    contestValue_->clear();
    callsignValue_->clear();
    const QString selected = selectedFiles().value(0);
    if (QFileInfo(selected).isFile()) op1SelectionChange(selected);
}

void CabrilloOpenDialog::op1SelectionChange(const QString& path)
{
    if (!QFileInfo(path).fileName().contains('.')) return;
    const CabrilloPreview p = cabrilloPreview(QFile::encodeName(path).toStdString());
    contestValue_->setText(QString::fromStdString(zem::toDisplayUtf8(p.contest)));
    callsignValue_->setText(QString::fromStdString(zem::toDisplayUtf8(p.callsign)));
}

void CabrilloOpenDialog::op1FolderChange(const QString&)
{
    selectFile(QString());
}

QString runCabrilloOpenDialog(QWidget* parent, const QString& filter, const QString& startFolder)
{
    std::unique_ptr<CabrilloOpenDialog> ownerless;
    CabrilloOpenDialog* dlg =
        parent ? parent->findChild<CabrilloOpenDialog*>("op1", Qt::FindDirectChildrenOnly) : nullptr;
    if (!dlg && parent) {
        dlg = new CabrilloOpenDialog(parent);
        dlg->setObjectName("op1");
    } else if (!dlg) {
        ownerless = std::make_unique<CabrilloOpenDialog>();
        dlg = ownerless.get();
    }
    dlg->setup(filter, startFolder);
    if (dlg->exec() != QDialog::Accepted) return {};
    const QStringList files = dlg->selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}
