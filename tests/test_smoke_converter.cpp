#include "ProgramFixture.h"

TEST_F(ProgramTest, SmokeKeyA) {
    Window1* w = Converter();
    ClickInto(w->outputChar());
    EXPECT_EQ(App()->focusLocation, 1);
    Type(w, "A");
    EXPECT_EQ(TextOf(w->outputChar()), "A");
    EXPECT_EQ(TextOf(w->outputDec()), "65");
    EXPECT_EQ(TextOf(w->outputHex()), "41");
    EXPECT_EQ(TextOf(w->outputBin()), "0100 0001");
    Press(w, Qt::Key_Left);
    EXPECT_EQ(TextOf(w->outputChar()), "\u2190");
    EXPECT_EQ(TextOf(w->outputDec()), "28");
    ClickInto(w->outputDec());
    w->outputDec()->Edit()->selectAll();
    Type(w, "256");
    EXPECT_EQ(TextOf(w->errorField()), "Decimal value out of range (0-255).");
}
TEST_F(ProgramTest, SmokeDebug) {
    Window1* w = Converter();
    ClickInto(w->outputChar());
    Type(w, "A");
    for (auto& m : fw::testing::TakeMessageBoxes()) printf("MSG %s\n", m.c_str());
    printf("char=%s dec=%s hex=%s\n", TextOf(w->outputChar()).c_str(), TextOf(w->outputDec()).c_str(), TextOf(w->outputHex()).c_str());
}
TEST_F(ProgramTest, SmokeSelectAll) {
    Window1* w = Converter();
    ClickInto(w->outputDec());
    Type(w, "65");
    w->outputDec()->SetSelStart(1);
    Press(w, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(w->outputDec()->SelLength(), 2);
    EXPECT_EQ(TextOf(w->outputDec()), "65");
    Press(w, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(fw::testing::QuitCode(), 0);
}
