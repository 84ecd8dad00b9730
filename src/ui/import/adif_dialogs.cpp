#include "import/adif_dialogs.h"

#include "import/cabrillo_open_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>

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
