// The code table window "Charvella Table", opened from the converter's
// "Table" button and driven with real clicks, keys and window resizes.

#include "ProgramFixture.h"

#include "tableWindow.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QToolButton>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace {

const char* const kEncodings[] = {"ASCII (7 bit)", "MacRoman",        "MacJapanese", "MacIcelandic",
                                  "MacGreek",      "MacCyrillic",     "Unicode UTF-8", "Windows Latin 1",
                                  "ISOLatin1",     "ISOLatin9"};

class TableTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        QTest::mouseClick(QtAccess::Widget(Converter()->PushButton2()), Qt::LeftButton);
        t = tableWindow::Instance();
        ASSERT_TRUE(QTest::qWaitForWindowActive(QtAccess::Window(t)->windowHandle()));
    }

    QTreeWidget* Tree() const { return QtAccess::Tree(t->listASCII()); }
    QComboBox* Combo() const { return static_cast<QComboBox*>(QtAccess::Widget(t->EncodingPopupMenu())); }

    // Opens the popup's list as a click on the popup does.
    QAbstractItemView* OpenPopup() const {
        QTest::mouseClick(Combo(), Qt::LeftButton);
        QAbstractItemView* view = Combo()->view();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        return view;
    }

    // Picks a row of the popup as its list does when the user picks it.
    void Choose(const char* encoding) const {
        const int index = Combo()->findText(encoding);
        ASSERT_GE(index, 0) << encoding;
        Combo()->setCurrentIndex(index);
    }

    std::string Cell(int row, int column) const { return t->listASCII()->Cell(row, column).ToUTF8(); }
    std::vector<std::string> Row(int row) const {
        return {Cell(row, 0), Cell(row, 1), Cell(row, 2), Cell(row, 3)};
    }
    std::vector<std::string> Headings() const {
        std::vector<std::string> h;
        for (int c = 0; c < 4; ++c) h.push_back(t->listASCII()->Heading(c).ToUTF8());
        return h;
    }
    // The row at the top of the list as the user sees it.
    int TopRow() const {
        fw::testing::ProcessEvents();
        return Tree()->indexAt(QPoint(1, 1)).row();
    }

    // Resizes the window as the user drags its corner, to a content size.
    void ResizeContent(int width, int height) const {
        QMainWindow* window = QtAccess::Window(t);
        const QWidget* content = QtAccess::Content(t);
        window->resize(width + window->width() - content->width(), height + window->height() - content->height());
        fw::testing::ProcessEvents();
    }

    void ClickArrow(QToolButton* arrow, int times = 1) const {
        for (int i = 0; i < times; ++i) QTest::mouseClick(arrow, Qt::LeftButton);
    }

    tableWindow* t = nullptr;
};

TEST_F(TableTest, OpensFromTheTableButtonAtCodeA) {
    EXPECT_EQ(t->Title().ToUTF8(), "Charvella Table");
    EXPECT_EQ(fw::WindowAt(0), t);
    EXPECT_EQ(t->EncodingPopupMenu()->Text().ToUTF8(), "MacRoman");
    EXPECT_EQ(Headings(), (std::vector<std::string>{"Char", "Dec", "Hex", "Bin"}));
    EXPECT_TRUE(t->listASCII()->Visible());
    EXPECT_EQ(TopRow(), 65);
    EXPECT_EQ(Row(65), (std::vector<std::string>{"A", "65", "41", "0100 0001"}));

    // A second click brings the same window to the front.
    const int windows = fw::WindowCount();
    QTest::mouseClick(QtAccess::Widget(Window1::Instance()->PushButton2()), Qt::LeftButton);
    EXPECT_EQ(tableWindow::Instance(), t);
    EXPECT_EQ(fw::WindowCount(), windows);
    EXPECT_EQ(fw::WindowAt(0), t);
}

TEST_F(TableTest, ControlsFollowTheirLocksAsTheWindowGrows) {
    struct Place {
        fw::RectControl* control;
        QRect grown;  // 100 wider and 50 higher than at opening
    };
    const Place places[] = {
        {t->listASCII(), {0, 0, 375, 270}},        {t->BevelButton1(), {323, 277, 42, 26}},
        {t->EncodingPopupMenu(), {194, 281, 125, 16}}, {t->UpDownArrows1(), {11, 279, 25, 25}},
        {t->StaticText1(), {30, 282, 62, 17}},
    };
    ResizeContent(375, 310);
    for (const Place& p : places)
        EXPECT_EQ(QRect(p.control->Left(), p.control->Top(), p.control->Width(), p.control->Height()), p.grown)
            << p.control->Name().ToUTF8();
    // The columns share the list's width 20:20:30:30, with no horizontal scroll.
    const QHeaderView* header = Tree()->header();
    const int width = Tree()->viewport()->width();
    EXPECT_NEAR(header->sectionSize(0), width * 0.2, 1);
    EXPECT_NEAR(header->sectionSize(2), width * 0.3, 1);
    EXPECT_LE(header->length(), width);
    EXPECT_EQ(Tree()->horizontalScrollBar()->maximum(), 0);
    // No smaller than its design allows.
    ResizeContent(100, 100);
    EXPECT_EQ(t->Width(), 275);
    EXPECT_EQ(t->Height(), 200);
}

TEST_F(TableTest, HeadingsSwitchAtWidth480BothWays) {
    struct Step {
        int width;
        std::vector<std::string> headings;
    };
    const std::vector<std::string> shortOnes{"Char", "Dec", "Hex", "Bin"};
    const std::vector<std::string> longOnes{"Character", "Decimal", "Hexadecimal", "Binary"};
    const Step steps[] = {{480, longOnes}, {479, shortOnes}, {480, longOnes}};
    for (const Step& s : steps) {
        ResizeContent(s.width, 300);
        ASSERT_EQ(t->Width(), s.width);
        EXPECT_EQ(Headings(), s.headings) << s.width;
    }
    // Every long heading fits its column at 480.
    ResizeContent(480, 300);
    const QHeaderView* header = Tree()->header();
    for (int c = 0; c < 4; ++c)
        EXPECT_LE(header->fontMetrics().horizontalAdvance(Tree()->headerItem()->text(c)) + 8, header->sectionSize(c))
            << c;
}

TEST_F(TableTest, ArrowsStepTheTextSizeFrom8To22) {
    fw::UpDownArrows* arrows = t->UpDownArrows1();
    const int rowAt11 = Tree()->visualItemRect(Tree()->topLevelItem(65)).height();
    ClickArrow(QtAccess::UpArrow(arrows), 11);
    EXPECT_EQ(t->listASCII()->TextSize(), 22);
    ClickArrow(QtAccess::UpArrow(arrows), 2);
    EXPECT_EQ(t->listASCII()->TextSize(), 22);
    fw::testing::ProcessEvents();
    EXPECT_GT(Tree()->visualItemRect(Tree()->topLevelItem(65)).height(), rowAt11 + 8);
    // The headings keep their size.
    EXPECT_EQ(Tree()->header()->font().pixelSize(), 11);

    // The size stays when another encoding is chosen.
    Choose("MacGreek");
    EXPECT_EQ(t->listASCII()->TextSize(), 22);
    EXPECT_EQ(Tree()->font().pixelSize(), 22);

    ClickArrow(QtAccess::DownArrow(arrows), 14);
    EXPECT_EQ(t->listASCII()->TextSize(), 8);
    ClickArrow(QtAccess::DownArrow(arrows));
    EXPECT_EQ(t->listASCII()->TextSize(), 8);
}

TEST_F(TableTest, ArrowsAndHelpButtonLeaveTheFocusWhereItWas) {
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(QApplication::focusWidget(), Tree());
    ClickArrow(QtAccess::UpArrow(t->UpDownArrows1()));
    QTest::mouseClick(QtAccess::Widget(t->BevelButton1()), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), Tree());
    // Tab goes from the list to the popup.
    Press(t, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Combo());
}

TEST_F(TableTest, HelpNoteHasItsTextsAndOneOkayButton) {
    fw::testing::TakeMessageDialogs();
    QTest::mouseClick(QtAccess::Widget(t->BevelButton1()), Qt::LeftButton);
    const auto shown = fw::testing::TakeMessageDialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message,
              "The popup menu lets you choose the text encoding; this will change the characters for \u201Chigh "
              "ASCII\u201D, or decimal values 128-255. ASCII is only defined for 7-bit values: 0-127. "
              "Traditionally Macs in English-speaking countries have used MacRoman or Unicode (such as UTF-8). ");
    EXPECT_EQ(shown[0].explanation,
              "Except for this table window, Charvella assumes a MacRoman encoding. This may change in future "
              "revisions.");
    EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"Okay"}));
}

// The popup's rows as the control gives them and as its open list shows
// them: "-" stands for a separator line, which holds no text and cannot be
// picked.
TEST_F(TableTest, PopupListsItsThirteenRowsWithSeparatorsBetweenTheGroups) {
    const std::vector<std::string> rows = {"ASCII (7 bit)", "-", "MacRoman", "MacJapanese", "MacIcelandic",
                                           "MacGreek", "MacCyrillic", "-", "Unicode UTF-8", "-",
                                           "Windows Latin 1", "ISOLatin1", "ISOLatin9"};
    fw::PopupMenu* popup = t->EncodingPopupMenu();
    std::vector<std::string> listed;
    for (int i = 0; i < popup->ListCount(); ++i) listed.push_back(popup->List(i).ToUTF8());
    EXPECT_EQ(listed, rows);
    EXPECT_EQ(popup->ListIndex(), 2);

    QAbstractItemView* view = OpenPopup();
    const QAbstractItemModel* model = view->model();
    std::vector<std::string> shown;
    const int textRow = view->visualRect(model->index(0, 0)).height();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        const bool separator = index.data(Qt::AccessibleDescriptionRole).toString() == "separator";
        shown.push_back(separator ? "-" : index.data().toString().toStdString());
        // Each row stands in the open list, a separator as a thin line.
        const QRect place = view->visualRect(index);
        EXPECT_EQ(view->indexAt(QPoint(4, place.center().y())), index) << row;
        EXPECT_LE(place.bottom(), view->viewport()->height()) << row;
        EXPECT_EQ(place.height() < textRow / 2, separator) << row;
        EXPECT_EQ(bool(index.flags() & Qt::ItemIsSelectable), !separator) << row;
        EXPECT_EQ(bool(index.flags() & Qt::ItemIsEnabled), !separator) << row;
        if (separator) {
            EXPECT_TRUE(index.data().toString().isEmpty()) << row;
        }
    }
    EXPECT_EQ(shown, rows);
    EXPECT_EQ(view->currentIndex().row(), 2);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }, 2000));
}

TEST_F(TableTest, PopupSeparatorsCannotBeChosen) {
    // In the open list the keys step over them, and Return chooses the row
    // they land on.
    struct Step {
        const char* from;
        Qt::Key key;
        int landsOn;
        const char* chosen;
    };
    const Step steps[] = {{"MacCyrillic", Qt::Key_Down, 8, "Unicode UTF-8"},
                          {"Unicode UTF-8", Qt::Key_Down, 10, "Windows Latin 1"},
                          {"Windows Latin 1", Qt::Key_Up, 8, "Unicode UTF-8"},
                          {"MacRoman", Qt::Key_Up, 0, "ASCII (7 bit)"}};
    for (const Step& s : steps) {
        Choose(s.from);
        QAbstractItemView* view = OpenPopup();
        QTest::keyClick(view, s.key);
        EXPECT_EQ(view->currentIndex().row(), s.landsOn) << s.from;
        QTest::keyClick(view, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }, 2000)) << s.from;
        EXPECT_EQ(t->EncodingPopupMenu()->Text().ToUTF8(), s.chosen);
    }
    // So do they on the closed popup.
    Choose("MacCyrillic");
    Combo()->setFocus();
    QTest::keyClick(Combo(), Qt::Key_Down);
    EXPECT_EQ(t->EncodingPopupMenu()->Text().ToUTF8(), "Unicode UTF-8");
    QTest::keyClick(Combo(), Qt::Key_Down);
    EXPECT_EQ(t->EncodingPopupMenu()->Text().ToUTF8(), "Windows Latin 1");
    EXPECT_EQ(Cell(0x80, 0), "\u20AC");
    // The program cannot choose one either.
    t->EncodingPopupMenu()->SetListIndex(7);
    EXPECT_EQ(t->EncodingPopupMenu()->Text().ToUTF8(), "Windows Latin 1");
}

TEST_F(TableTest, EveryEncodingListsItsCodesWithNamesAndCodeColumns) {
    std::vector<std::vector<std::string>> macRomanCodes;
    for (int n = 0; n < 256; ++n) macRomanCodes.push_back({Cell(n, 1), Cell(n, 2), Cell(n, 3)});
    for (const char* encoding : kEncodings) {
        SCOPED_TRACE(encoding);
        Choose(encoding);
        const int rows = std::string(encoding) == "ASCII (7 bit)" ? 128 : 256;
        ASSERT_EQ(t->listASCII()->ListCount(), rows);
        EXPECT_EQ(Row(0), (std::vector<std::string>{"NUL", "0", "00", "0000 0000"}));
        EXPECT_EQ(Row(32), (std::vector<std::string>{"SPACE", "32", "20", "0010 0000"}));
        EXPECT_EQ(Cell(28, 0), "\u2190");  // the arrow keys' names
        EXPECT_EQ(Cell(65, 0), "A");
        EXPECT_EQ(Cell(127, 0), "\x7F");
        // The code columns come from the code alone.
        for (int n = 0; n < rows; ++n)
            ASSERT_EQ((std::vector<std::string>{Cell(n, 1), Cell(n, 2), Cell(n, 3)}), macRomanCodes[size_t(n)]) << n;
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(t->listASCII()->ColumnAlignment(c), 2);
            EXPECT_EQ(Tree()->topLevelItem(rows - 1)->textAlignment(c) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        }
    }
    EXPECT_EQ(Row(255), (std::vector<std::string>{"\u00FF", "255", "FF", "1111 1111"}));  // ISOLatin9
}

// The encodings' characters are the framework's (tested with its tables);
// here, what the cells make of them.
TEST_F(TableTest, CellsShowEachEncodingsCharacterOrNothing) {
    struct Case {
        const char* encoding;
        int code;
        const char* character;
    };
    const Case cases[] = {
        {"MacRoman", 0xDB, "\u20AC"},     {"MacGreek", 0xA1, "\u0393"},   {"MacCyrillic", 0x80, "\u0410"},
        {"MacIcelandic", 0xA0, "\u00DD"}, {"ISOLatin9", 0xA4, "\u20AC"},  {"ASCII (7 bit)", 0x7E, "~"},
        {"Windows Latin 1", 0x81, ""},    {"MacJapanese", 0x81, ""},      {"MacJapanese", 0xB1, "\uFF71"},
    };
    for (const Case& c : cases) {
        Choose(c.encoding);
        EXPECT_EQ(Cell(c.code, 0), c.character) << c.encoding << " " << c.code;
    }
    // MacJapanese's ellipsis keeps the private-use hint of Apple's table.
    EXPECT_EQ(Cell(0xFF, 0), "\u2026\uF87F");
    EXPECT_EQ(t->listASCII()->Cell(0xB1, 0).Encoding(), fw::Encodings::MacJapanese());
}

TEST_F(TableTest, UnicodeShowsTheCodePointsOfLatin1) {
    Choose("ISOLatin1");
    std::vector<std::string> latin1;
    for (int n = 160; n < 256; ++n) latin1.push_back(Cell(n, 0));
    Choose("Unicode UTF-8");
    for (int n = 160; n < 256; ++n) EXPECT_EQ(Cell(n, 0), latin1[size_t(n - 160)]) << n;
    EXPECT_EQ(t->listASCII()->Cell(0xE9, 0).Encoding(), fw::Encodings::UTF8());
}

TEST_F(TableTest, OnlyAFreshlyOpenedTableScrollsToA) {
    Tree()->verticalScrollBar()->setValue(0);
    ASSERT_EQ(TopRow(), 0);
    Choose("MacGreek");
    EXPECT_EQ(t->listASCII()->ScrollPosition(), 0);
    t->Close();
    fw::testing::ProcessEvents();
    QTest::mouseClick(QtAccess::Widget(Window1::Instance()->PushButton2()), Qt::LeftButton);
    t = tableWindow::Instance();
    ASSERT_TRUE(QTest::qWaitForWindowActive(QtAccess::Window(t)->windowHandle()));
    EXPECT_EQ(t->EncodingPopupMenu()->Text().ToUTF8(), "MacRoman");
    EXPECT_EQ(TopRow(), 65);
}

}  // namespace
