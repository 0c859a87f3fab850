#include "TestDialog.h"

#include "ui/CEditShowList.h"
#include "ui/CImageShowList.h"
#include "ui/UiScale.h"

#include <vector>

namespace {

// A two-level tree flattened into rows: folders open and close.
class SampleTree : public ListRowSource {
public:
    struct Node {
        QString name;
        bool isFolder;
        bool isOpen;
        std::vector<QString> children;
    };
    std::vector<Node> nodes{{QStringLiteral("Games"), true, false, {QStringLiteral("Reload"), QStringLiteral("Burst")}},
                            {QStringLiteral("Office"), true, true, {QStringLiteral("Copy")}},
                            {QStringLiteral("Loose macro"), false, false, {}}};

    int RowCount() const override { return static_cast<int>(Flatten().size()); }
    ListRow Row(int index) const override { return Flatten()[static_cast<std::size_t>(index)].row; }
    void ToggleFolder(int index) override
    {
        const auto rows = Flatten();
        const int node = rows[static_cast<std::size_t>(index)].node;
        if (rows[static_cast<std::size_t>(index)].row.isFolder)
            nodes[static_cast<std::size_t>(node)].isOpen = !nodes[static_cast<std::size_t>(node)].isOpen;
    }

private:
    struct FlatRow {
        ListRow row;
        int node;
    };
    std::vector<FlatRow> Flatten() const
    {
        std::vector<FlatRow> rows;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const Node& n = nodes[i];
            rows.push_back({ListRow{n.name, 0, n.isFolder, n.isOpen, -1}, static_cast<int>(i)});
            if (n.isFolder && n.isOpen) {
                for (const QString& child : n.children)
                    rows.push_back({ListRow{child, 1, false, false, -1}, static_cast<int>(i)});
            }
        }
        return rows;
    }
};

class ListsTest : public DialogTest {
protected:
    SampleTree tree;
};

TEST_F(ListsTest, RowOfAPointCountsTwentyUnitRowsFromTheFirstVisible)
{
    // Rows: Games, Office, Copy, Loose macro.
    auto* list = Add<CEditShowList>(0, UiRect{10, 10, 150, 70});
    list->SetSource(&tree);
    EXPECT_EQ(list->VisibleRows(), 3);
    struct Table {
        int y;
        int row;
    };
    const Table cases[] = {{10, 0}, {29, 0}, {30, 1}, {69, 2}};
    for (const Table& c : cases)
        EXPECT_EQ(list->RowAt({20, c.y}), c.row) << "y=" << c.y;
    list->SetFirstVisible(1);
    EXPECT_EQ(list->RowAt({20, 10}), 1);
    EXPECT_EQ(list->RowAt({20, 50}), 3);
    // Below the last row: none.
    list->SetFirstVisible(0);
    auto* tall = Add<CEditShowList>(1, UiRect{200, 10, 300, 210});
    tall->SetSource(&tree);
    EXPECT_EQ(tall->RowAt({210, 10 + 4 * 20}), -1);
}

TEST_F(ListsTest, VisibleRowsRoundTheHeightAtEveryScale)
{
    const double scales[] = {1.0, 1.5, 2.0};
    for (const double scale : scales) {
        UiScale::Set(scale);
        CEditShowList list(nullptr, UiRect{0, 0, 100, UiScale::Scale(269)});
        // 269 units / 20 = 13.45 rows: rounded to 13.
        EXPECT_EQ(list.VisibleRows(), 13) << scale;
    }
    UiScale::Set(1.0);
}

TEST_F(ListsTest, PressOnAFolderExpanderTogglesItAndSelects)
{
    auto* list = Add<CEditShowList>(0, UiRect{10, 10, 150, 110});
    list->SetSource(&tree);
    ASSERT_EQ(list->RowCount(), 4);

    mouse.Click({12, 15});  // expander area of "Games"
    EXPECT_EQ(list->Selection(), 0);
    EXPECT_EQ(list->RowCount(), 6);
    EXPECT_EQ(dialog.MessagesFor(2015).back(), (ReceivedMessage{2015, 0, NotifyCode::kClick}));

    mouse.Click({100, 15});  // on the name: selects only
    EXPECT_EQ(list->RowCount(), 6);
}

TEST_F(ListsTest, DoubleClickTogglesAndReportsCode10RightClickReportsThePoint)
{
    auto* list = Add<CEditShowList>(0, UiRect{10, 10, 150, 110});
    list->SetSource(&tree);
    mouse.DoubleClick({100, 35});  // "Office" (open) on its name
    EXPECT_EQ(list->RowCount(), 3);
    EXPECT_EQ(dialog.Count({2015, 0, NotifyCode::kDoubleClick}), 1);

    mouse.RightClick({100, 55});
    const auto last = dialog.MessagesFor(2015).back();
    EXPECT_EQ(last.lParam, NotifyCode::kRightClick);
    EXPECT_EQ(*reinterpret_cast<const QPoint*>(last.wParam), QPoint(100, 55));
    EXPECT_EQ(list->Selection(), 2);
}

TEST_F(ListsTest, SelectingBelowTheViewScrollsItIn)
{
    SampleTree bigTree;
    for (int i = 0; i < 10; ++i)
        bigTree.nodes.push_back({QStringLiteral("Macro %1").arg(i), false, false, {}});
    auto* list = Add<CImageShowList>(0, UiRect{10, 10, 150, 70});
    list->SetSource(&bigTree);
    list->SetSelection(9);
    EXPECT_EQ(list->FirstVisible(), 9 - 3 + 1);
    mouse.Click({100, 15});
    EXPECT_EQ(list->Selection(), 7);
    mouse.DoubleClick({100, 15});
    EXPECT_EQ(dialog.Count({2020, 0, NotifyCode::kDoubleClick}), 1);
}

}  // namespace

namespace {

// Both lists: RGB(75,75,75) behind white text, the selected row in RGB(53,160,222).
TEST(ListColoursTest, TreeAndImageListsShareTheListColours)
{
    SampleTree tree;
    CEditShowList treeList(nullptr, UiRect{0, 0, 150, 100});
    treeList.SetSource(&tree);
    CImageShowList imageList(nullptr, UiRect{0, 0, 150, 100});
    imageList.SetSource(&tree);
    for (CRowList* list : std::initializer_list<CRowList*>{&treeList, &imageList}) {
        list->SetSelection(1);
        QImage image(150, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        list->Draw(painter, UiRect{0, 0, 150, 100});
        painter.end();
        EXPECT_EQ(QColor(image.pixel(145, 95)), QColor(75, 75, 75));   // below the rows
        EXPECT_EQ(QColor(image.pixel(140, 30)), QColor(53, 160, 222));  // row 1, selected
        // Anti-aliased white on grey: the brightest glyph pixels go well past the grey
        // text (180) a row used to have.
        int brightest = 0;
        for (int x = 0; x < 150; ++x) {
            for (int y = 0; y < 20; ++y)
                brightest = std::max(brightest, qGray(image.pixel(x, y)));
        }
        EXPECT_GT(brightest, 220) << "row 0's text";
    }
}

}  // namespace
