#pragma once

#include <QFileDialog>
#include <QString>

#include <memory>

class QWidget;

// The file dialogs of the profile import and export: profile files only, opening in the
// process's current folder. The export's dialog (Qt's own) carries the ".psf" suffix
// itself, so a name typed without it is completed before the dialog asks whether to
// replace an existing file: the question is about the file that is then written.
namespace ProfileFileDialog {

inline constexpr const char* kSuffix = "psf";

[[nodiscard]] std::unique_ptr<QFileDialog> Create(QWidget* parent, const QString& title,
                                                  QFileDialog::AcceptMode mode);
// Runs the dialog; the chosen file, or an empty text when it was cancelled.
[[nodiscard]] QString Pick(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode);

}  // namespace ProfileFileDialog
