#include "import/adif_dialogs.h"

#include "import/cabrillo_open_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

QString runFileDialog(QFileDialog& dlg, const QString& filter)
{
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    // The names already show their patterns ("ADIF  (*.adi)"): the patterns
    // the dialog matches with ("*" for "*.*") stay out of sight, as in the
    // Cabrillo dialog.
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setNameFilters(cabrilloNameFilters(filter));
    if (dlg.exec() != QDialog::Accepted) return {};
    const QStringList files = dlg.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

// The prompt comes filled with the file's name, often longer than a
// callsign: an edit narrower than that scrolls its first letters away.
void fitEditToText(QInputDialog& dlg)
{
    auto* edit = dlg.findChild<QLineEdit*>();
    if (!edit) return;
    QStyleOptionFrame opt;
    opt.initFrom(edit);
    opt.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit);
    const QMargins m = edit->textMargins();
    // Beside the text, the edit's own margin (2 pixels each side) and an
    // average letter's room: the cursor after the last letter and a first
    // letter drawn out over its left edge ("J") must not scroll the text.
    const QFontMetrics fm = edit->fontMetrics();
    const int text = fm.horizontalAdvance(edit->text()) + m.left() + m.right() + 2 * 2 + fm.averageCharWidth();
    const int wanted =
        edit->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(text, edit->sizeHint().height()), edit).width();
    if (wanted <= edit->sizeHint().width()) return;
    edit->setMinimumWidth(wanted);
    // Within the screen, with room for the window's frame: a name wider
    // than that scrolls after all.
    if (const QScreen* screen = dlg.screen()) {
        const int over = dlg.sizeHint().width() + 16 - screen->availableGeometry().width();
        if (over > 0) edit->setMinimumWidth(std::max(edit->sizeHint().width(), wanted - over));
    }
}

} // namespace

QString runAdifOpenDialog(QWidget* parent)
{
    QFileDialog dlg(parent);
    dlg.setObjectName("ADIF_OD");
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setDirectory(QDir::current());
    return runFileDialog(dlg, "ADIF  (*.adi)|*.adi|Any file(*.*)|*.*");
}

bool askAdifCallsign(QWidget* parent, const QString& prefill, QString& answer)
{
    QInputDialog dlg(parent);
    dlg.setObjectName("AdifCallsign");
    dlg.setWindowTitle("ADIF log");
    dlg.setLabelText("Callsign:");
    dlg.setTextValue(prefill);
    fitEditToText(dlg);
    if (dlg.exec() != QDialog::Accepted) return false;
    answer = dlg.textValue();
    return true;
}

QString runAdifSaveDialog(QWidget* parent, const QString& preset)
{
    QFileDialog dlg(parent, "Export to ADIF");
    dlg.setObjectName("toadi");
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    // The file written is the chosen name + ".adi": asking about the chosen
    // name itself would ask about the wrong file.
    dlg.setOption(QFileDialog::DontConfirmOverwrite);
    dlg.setDirectory(QDir::current());
    dlg.selectFile(preset);
    return runFileDialog(dlg, "ADIF(*.adi)|*.adi|All files(*.*)|*.*");
}
