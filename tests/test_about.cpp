// The About box: its design, how it opens, its hidden corner, the clicks
// that close it and its timer.

#include "ProgramFixture.h"
#include "TestTimers.h"

#include "Dialog1.h"
#include "Menu.h"
#include "framework/Internal.h"
#include "framework/String.h"

#include "framework/QtAccess.h"

#include <QAction>
#include <QImage>
#include <QPointer>

#include <string>

namespace {

const std::string kCredits =
    "\rTessarinds\u2122  \r\rVisit us online at www.tessarinds.com\r\rversion 1.4.1\r";

class AboutTest : public ProgramTest {
protected:
    // Opens the box from the converter's icon, as a user does.
    Dialog1* OpenFromIcon() {
        Window1::Instance()->Show();
        Window1* converter = Converter();
        QTest::mouseClick(QtAccess::Widget(converter->aboutButtonCanvas()), Qt::LeftButton, {}, QPoint(30, 30));
        Dialog1* box = dynamic_cast<Dialog1*>(fw::WindowAt(0));
        EXPECT_NE(box, nullptr) << "the About box is not the front window";
        if (box) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(QtAccess::Window(box)->windowHandle()));
        }
        return box;
    }
};

TEST_F(AboutTest, DesignWhiteOnBlackWithLogoAndCredits) {
    Dialog1* box = OpenFromIcon();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Title().ToUTF8(), "About Charvella");
    EXPECT_EQ(box->Width(), 342);
    EXPECT_EQ(box->Height(), 200);
    QWidget* content = QtAccess::Content(box);
    EXPECT_TRUE(content->autoFillBackground());
    EXPECT_EQ(content->palette().color(QPalette::Window), QColor(Qt::black));

    const std::pair<fw::Label*, std::string> labels[] = {
        {box->StaticText1(), "Charvella\u2122"}, {box->StaticText2(), kCredits}, {box->StaticText3(), "TM"}};
    for (const auto& [label, text] : labels) {
        EXPECT_EQ(label->Text().ToUTF8(), text);
        EXPECT_EQ(QtAccess::Widget(label)->palette().color(QPalette::WindowText), QColor(Qt::white)) << text;
    }
    ASSERT_TRUE(box->Canvas1()->Backdrop()) << "the logo is drawn";
    // ... and can be seen on the black surface.
    const QImage logo = QtAccess::Widget(box->Canvas1())->grab().toImage();
    int light = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x) light += qGray(logo.pixel(x, y)) > 128;
    EXPECT_GT(light, 500);
    EXPECT_FALSE(box->Canvas2()->Backdrop()) << "nothing marks the hot spot";
}

// Where a click lands decides: the 40 x 40 corner shows the build
// information and keeps the box; anywhere else closes it.
TEST_F(AboutTest, ClicksOnTheHiddenCornerAndElsewhere) {
    struct Case {
        int x, y;
        bool hotSpot;
    };
    const Case cases[] = {{10, 170, true}, {39, 199, true}, {40, 199, false}, {39, 159, false},
                          {300, 150, false}, {20, 60, false} /* on the credits */, {300, 30, false} /* logo */};
    const std::string build = Dialog1::buildInformation().ToUTF8();
    for (const Case& c : cases) {
        Dialog1* box = OpenFromIcon();
        ASSERT_NE(box, nullptr);
        ClickAt(box, c.x, c.y);
        const std::string where = std::to_string(c.x) + "," + std::to_string(c.y);
        if (c.hotSpot) {
            EXPECT_FALSE(box->IsClosed()) << where;
            EXPECT_EQ(box->StaticText2()->Text().ToUTF8(), build) << where;
            ClickAt(box, c.x, c.y);  // the same text again
            EXPECT_EQ(box->StaticText2()->Text().ToUTF8(), build) << where;
            box->Close();
        } else {
            // Closed, and perhaps deleted already: only the window list is asked.
            EXPECT_EQ(Count<Dialog1>(), 0) << where;
        }
        fw::testing::ProcessEvents();
    }
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

TEST_F(AboutTest, BuildInformationNamesTheCompilerThenTheVersion) {
    const std::string info = Dialog1::buildInformation().ToUTF8();
    const std::string eol = fw::EndOfLine().ToUTF8();
    const std::string tail = eol + "App Version: 1.4.1";
    ASSERT_GT(info.size(), tail.size());
    EXPECT_EQ(info.substr(info.size() - tail.size()), tail);
    EXPECT_EQ(info.rfind("Compiler: ", 0), 0u);
    EXPECT_NE(info.find(__VERSION__), std::string::npos) << info;
    EXPECT_EQ(info.find('\r'), eol == "\r" ? info.size() - tail.size() : std::string::npos)
        << "the build information uses the platform line end, not the credits' carriage returns";
}

// Reopening while open brings the same box to the front; the box is modeless,
// so the converter goes on working meanwhile; after closing, a new box shows
// the credits again.
TEST_F(AboutTest, OneBoxAtATimeAndCreditsAgainAfterClosing) {
    Dialog1* box = OpenFromIcon();
    ASSERT_NE(box, nullptr);
    ClickAt(box, 10, 170);
    Window1* converter = Window1::Instance();
    converter->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(QtAccess::Window(converter)->windowHandle()));
    ClickInto(converter->outputDec());
    Type(converter, "66");
    EXPECT_EQ(TextOf(converter->outputChar()), "B");
    EXPECT_FALSE(box->IsClosed());
    EXPECT_EQ(OpenFromIcon(), box);
    EXPECT_EQ(Count<Dialog1>(), 1);
    EXPECT_EQ(fw::WindowCount(), 2);

    ClickAt(box, 300, 150);
    fw::testing::ProcessEvents();
    Dialog1* again = OpenFromIcon();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->StaticText2()->Text().ToUTF8(), kCredits);
}

// The timer's one firing changes nothing.
TEST_F(AboutTest, TimerFiresOnceAndChangesNothing) {
    Dialog1* box = OpenFromIcon();
    ASSERT_NE(box, nullptr);
    ClickAt(box, 10, 170);
    const std::string shown = box->StaticText2()->Text().ToUTF8();
    QPointer<QTimer> timer = QtAccess::Timer(box->Timer1());
    ASSERT_TRUE(timer && timer->isActive());
    // Rather than wait 18 seconds, the running timer is given a short period.
    timer->setInterval(5);
    ASSERT_TRUE(Eventually([&] { return box->Timer1()->Mode() == fw::Timer::ModeOff; }));
    ASSERT_TRUE(PeriodPassed(30));
    EXPECT_FALSE(box->IsClosed());
    EXPECT_EQ(fw::WindowAt(0), box);
    EXPECT_EQ(box->StaticText2()->Text().ToUTF8(), shown);
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

}  // namespace
