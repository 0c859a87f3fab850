#include "app/ProfileFileDialog.h"

#include <QDir>

namespace ProfileFileDialog {

std::unique_ptr<QFileDialog> Create(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode)
{
    auto dialog = std::make_unique<QFileDialog>(parent, title, QDir::currentPath(),
                                                QStringLiteral("Profile (*.%1)").arg(QLatin1String(kSuffix)));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(QLatin1String(kSuffix));
    // A desktop's own save dialog may ask about the name as typed and leave the suffix to
    // be added after its answer; Qt's own dialog completes the name before it asks.
    if (mode == QFileDialog::AcceptSave)
        dialog->setOption(QFileDialog::DontUseNativeDialog);
    return dialog;
}

QString Pick(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode)
{
    const std::unique_ptr<QFileDialog> dialog = Create(parent, title, mode);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

}  // namespace ProfileFileDialog
