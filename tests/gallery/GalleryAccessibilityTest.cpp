#include "CGalleryOwner.h"
#include "GalleryWindows.h"

#include "ui/OpenDialogList.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"
#include "ui/UiState.h"

#include "support/AccessibleTree.h"

#include <QAccessible>
#include <QApplication>

#include <gtest/gtest.h>

namespace {

// Every window and list of the program, as the gallery opens them, can be read: each
// shown control that can be pressed, set or typed into has a name.
TEST(GalleryAccessibilityTest, EveryShownControlOfEveryWindowHasANameAndARole)
{
    UiScale::Set(1.0);
    LanguageTexts texts;
    ASSERT_TRUE(LoadGalleryLanguage(texts, Language::English, 1.0));
    for (const GalleryWindow& entry : GalleryWindows()) {
        CGalleryOwner owner;
        owner.InitDialog();
        owner.show();
        GalleryContext context{owner, texts, Language::English};
        std::unique_ptr<QWidget> window = entry.open(context);
        ASSERT_NE(window, nullptr) << entry.name.toStdString();
        window->show();
        QApplication::processEvents();

        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window.get());
        ASSERT_NE(iface, nullptr) << entry.name.toStdString();
        // A window shows controls, or says what it shows in its name.
        EXPECT_TRUE(iface->childCount() > 0 || !iface->text(QAccessible::Name).isEmpty()) << entry.name.toStdString();
        const QStringList unnamed = AccessibleTree::UnnamedControls(iface, entry.name);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral(", ")).toStdString();
        window.reset();
        QApplication::processEvents();
    }
    UiFont::SetControlFont(ControlFont{});
    UiState::Instance().Reset();
    OpenDialogList::Clear();
}

}  // namespace
