// The framework's list box and message dialog, with a small window of the
// tests' own, and an unassigned byte kept through a conversion.

#include "framework/Internal.h"
#include "framework/Listbox.h"
#include "framework/MessageDialog.h"
#include "framework/Testing.h"
#include "framework/TextEncoding.h"
#include "framework/Window.h"

#include "framework/QtAccess.h"

#include "TestTimers.h"

#include <QApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

using fw::internal::QtAccess;

using namespace fw;

namespace {

class ListWindow : public Window {
public:
    static ListWindow* Instance() { return ImplicitInstance<ListWindow>(); }
    Listbox* list() const { return ControlNamed<Listbox>("list"); }

protected:
    void Layout() override {
        SetTitle("List");
        SetSize(300, 200);
        SetMinSize(100, 100);
    }
    void CreateControls() override {
        Listbox* l = AddControl<Listbox>("list");
        l->SetBounds(0, 0, 300, 200);
        l->SetLockLeft(true);
        l->SetLockTop(true);
        l->SetLockRight(true);
        l->SetLockBottom(true);
        l->SetColumnCount(3);
        l->SetHasHeading(true);
    }
};

class FrameworkLists : public ::testing::Test {
protected:
    void SetUp() override {
        w = ListWindow::Instance();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(QtAccess::Window(w)->windowHandle()));
    }
    QTreeWidget* Tree() const { return QtAccess::Tree(w->list()); }
    std::vector<int> Widths() const {
        std::vector<int> widths;
        for (int c = 0; c < Tree()->columnCount(); ++c) widths.push_back(Tree()->header()->sectionSize(c));
        return widths;
    }
    void Fill(int rows) const {
        for (int r = 0; r < rows; ++r) w->list()->AddRow(Str(r));
        fw::testing::ProcessEvents();
    }
    ListWindow* w = nullptr;
};

TEST_F(FrameworkLists, ColumnWidthsFollowTheListAndItsScrollBar) {
    struct Case {
        const char* widths;
        std::vector<int> expected;  // for a viewport 200 wide
    };
    const Case cases[] = {
        {"20%,30%,50%", {40, 60, 100}},
        {"50,*,25%", {50, 100, 50}},
        {"", {67, 67, 66}},
        {"10%", {20, 90, 90}},
    };
    QMainWindow* window = QtAccess::Window(w);
    window->resize(200, window->height());
    fw::testing::ProcessEvents();
    ASSERT_EQ(Tree()->viewport()->width(), 200 - 2 * Tree()->frameWidth());
    window->resize(200 + 2 * Tree()->frameWidth(), window->height());
    fw::testing::ProcessEvents();
    ASSERT_EQ(Tree()->viewport()->width(), 200);
    for (const Case& c : cases) {
        w->list()->SetColumnWidths(c.widths);
        std::vector<int> widths = Widths();
        for (size_t i = 0; i < widths.size(); ++i) EXPECT_NEAR(widths[i], c.expected[i], 1) << c.widths << " " << i;
    }
    // A scroll bar that comes narrows the columns with the viewport.
    w->list()->SetColumnWidths("20%,30%,50%");
    Fill(100);
    const int viewport = Tree()->viewport()->width();
    ASSERT_LT(viewport, 200);
    EXPECT_NEAR(Widths()[2], viewport / 2, 1);
    EXPECT_LE(Tree()->header()->length(), viewport);
}

TEST_F(FrameworkLists, HeadingsCellsAndAlignment) {
    Listbox* l = w->list();
    l->SetHeading(-1, "One\tTwo\tThree");
    EXPECT_EQ(l->Heading(1), "Two");
    l->SetHeading(-1, "Only");
    EXPECT_EQ(l->Heading(2), "");
    EXPECT_EQ(l->Heading(3), "");

    l->SetColumnAlignment(1, 3);
    l->AddRow("a");
    l->SetCell(0, 1, "b");
    EXPECT_EQ(Tree()->topLevelItem(0)->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    l->SetColumnAlignment(1, 2);
    EXPECT_EQ(Tree()->topLevelItem(0)->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(l->ColumnAlignment(1), 2);

    // Outside the rows and columns nothing is read or written.
    l->SetCell(5, 0, "x");
    l->SetCell(0, 7, "x");
    EXPECT_EQ(l->Cell(0, 1), "b");
    EXPECT_EQ(l->Cell(-1, 0), "");
    l->DeleteAllRows();
    EXPECT_EQ(l->Cell(0, 0), "");
}

TEST_F(FrameworkLists, CellShowsNoBoxesButKeepsWhatItHolds) {
    struct Case {
        String cell;
        const char* shown;
    };
    const Case cases[] = {
        {Encodings::ISOLatin1().Chr(0x85), ""},
        {Encodings::MacRoman().Chr(0x7F), ""},
        {Encodings::MacRoman().Chr(0xF0), ""},  // Apple's logo, private use
        {Encodings::MacJapanese().Chr(0xFF), "\u2026"},
        {Encodings::MacGreek().Chr(0xA1), "\u0393"},
        {"a\tb", "ab"},
    };
    Listbox* l = w->list();
    for (const Case& c : cases) {
        l->AddRow(c.cell);
        const int row = l->ListCount() - 1;
        EXPECT_EQ(Tree()->topLevelItem(row)->text(0), QString::fromUtf8(c.shown)) << row;
        EXPECT_EQ(l->Cell(row, 0).Bytes(), c.cell.Bytes()) << row;
        EXPECT_EQ(l->Cell(row, 0).Encoding(), c.cell.Encoding()) << row;
    }
}

TEST_F(FrameworkLists, OneRowAtMostIsSelected) {
    Listbox* l = w->list();
    Fill(5);
    EXPECT_EQ(l->ListIndex(), -1);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualItemRect(Tree()->topLevelItem(2)).center());
    EXPECT_EQ(l->ListIndex(), 2);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      Tree()->visualItemRect(Tree()->topLevelItem(3)).center());
    EXPECT_EQ(Tree()->selectedItems().size(), 1);
    l->SetListIndex(-1);
    EXPECT_EQ(l->ListIndex(), -1);
}

// ---- Message dialogs ----

// The dialog the user sees: shown on its window, with the visible buttons
// only, returning the one clicked.
TEST_F(FrameworkLists, MessageDialogIsModalOnItsWindowAndReturnsTheButtonClicked) {
    MessageDialog d;
    d.SetMessage("Save?");
    d.SetExplanation("Or not.");
    d.ActionButton()->SetCaption("Save");
    d.AlternateActionButton()->SetCaption("Discard");
    d.AlternateActionButton()->SetVisible(true);
    d.CancelButton()->SetVisible(false);
    QStringList captions;
    bool modalToWindow = false;
    QString text, informative;
    After(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        text = box->text();
        informative = box->informativeText();
        modalToWindow = box->parentWidget() == QtAccess::Window(w) && box->windowModality() == Qt::WindowModal;
        for (QAbstractButton* b : box->buttons()) captions << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "Discard") b->click();
    });
    internal::TestSeams().testMode = false;
    MessageDialogButton* pressed = d.ShowModalWithin(w);
    internal::TestSeams().testMode = true;
    EXPECT_EQ(pressed, d.AlternateActionButton());
    EXPECT_EQ(text, "<b>Save?</b>");
    EXPECT_EQ(informative, "Or not.");
    EXPECT_TRUE(modalToWindow);
    captions.sort();
    EXPECT_EQ(captions, (QStringList{"Discard", "Save"}));
}

// ---- Encodings ----

TEST(TextEncodingChr, AnUnassignedByteInTextKeepsThroughAConversion) {
    const String stray = String::FromBytes("\x81", Encodings::WindowsLatin1());
    EXPECT_EQ(Encodings::WindowsLatin1().Chr(0x81).ToUTF8(), "");
    EXPECT_EQ(ConvertEncoding(ConvertEncoding(stray, Encodings::UTF8()), Encodings::WindowsLatin1()).Bytes(), "\x81");
}

}  // namespace
