#include "keyfunc/dialogs/ProgramPicker.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace {

const QString kWindowsFilter = QStringLiteral("exe file(*.exe)");
const QString kWindowsDefaultSuffix = QStringLiteral("exe");
const QString kWindowsInitialFile = QStringLiteral("ab.exe");
const QString kLinuxProgramsFilter = QStringLiteral("Programs and application entries (*)");
const QString kLinuxEntriesFilter = QStringLiteral("Application entries (*.desktop)");
const QString kDesktopSuffix = QStringLiteral("desktop");

// The Qt file dialog's list narrowed to folders and launchable files. Desktop dialogs
// reached through a portal ignore it and show their own list under the name filters.
class LaunchableFilesProxy : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr)
            return true;
        const QModelIndex index = files->index(sourceRow, 0, sourceParent);
        return files->isDir(index) || ProgramPicker::IsLaunchable(files->filePath(index));
    }
};

}  // namespace

ProgramPicker::ProgramPicker(System system) : m_system(system) {}

ProgramPicker::System ProgramPicker::CurrentSystem()
{
#ifdef Q_OS_WIN
    return System::Windows;
#else
    return System::Linux;
#endif
}

QStringList ProgramPicker::NameFilters() const
{
    if (m_system == System::Windows)
        return {kWindowsFilter};
    return {kLinuxProgramsFilter, kLinuxEntriesFilter};
}

bool ProgramPicker::IsLaunchable(const QString& path)
{
    const QFileInfo file(path);
    return file.isFile() && (file.isExecutable() || file.suffix() == kDesktopSuffix);
}

void ProgramPicker::Configure(QFileDialog& dialog) const
{
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(QDir::currentPath());
    dialog.setNameFilters(NameFilters());
    dialog.selectNameFilter(NameFilters().front());
    if (m_system == System::Windows) {
        dialog.setDefaultSuffix(kWindowsDefaultSuffix);
        dialog.selectFile(kWindowsInitialFile);
    } else {
        dialog.setProxyModel(new LaunchableFilesProxy(&dialog));
    }
}

QString ProgramPicker::Pick(QWidget* parent) const
{
    QFileDialog dialog(parent);
    Configure(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().front());
}
