// The letters a mode, a side or a run's sides have where files store them: each
// converts both ways, and no other text is taken for one.
#include "CardModes.h"

#include <gtest/gtest.h>

TEST(CardModes, LettersOfModesSidesAndRunSides)
{
    const struct {
        Card_Mode mode;
        const char *letter;
    } modes[] = {{Card_Mode::Template, "T"}, {Card_Mode::Wizard, "W"}, {Card_Mode::Opened, "L"},
                 {Card_Mode::Visitor, "V"}, {Card_Mode::Group, "G"}};
    for (const auto &r : modes) {
        EXPECT_EQ(Card_Mode_Letter(r.mode), r.letter);
        EXPECT_EQ(Card_Mode_Of_Letter(r.letter), r.mode) << r.letter;
    }
    const struct {
        Card_Side side;
        const char *letter;
        int index;
    } sides[] = {{Card_Side::Front, "F", 0}, {Card_Side::Back, "B", 1}};
    for (const auto &r : sides) {
        EXPECT_EQ(Card_Side_Letter(r.side), r.letter);
        EXPECT_EQ(Card_Side_Of_Letter(r.letter), r.side) << r.letter;
        EXPECT_EQ(Card_Side_Index(r.side), r.index);
        EXPECT_EQ(Card_Side_Of_Index(r.index), r.side);
    }
    const struct {
        Run_Sides sides;
        const char *code;
        bool front, back;
    } runs[] = {{Run_Sides::Both, "BOTH", true, true}, {Run_Sides::Front, "F", true, false},
                {Run_Sides::Back, "B", false, true}};
    for (const auto &r : runs) {
        EXPECT_EQ(Run_Sides_Code(r.sides), r.code);
        EXPECT_EQ(Run_Sides_Of_Code(r.code), r.sides) << r.code;
        EXPECT_EQ(Has_Front(r.sides), r.front) << r.code;
        EXPECT_EQ(Has_Back(r.sides), r.back) << r.code;
    }
}

TEST(CardModes, OtherTextIsNoModeOrSide)
{
    // Case, blanks and neighbours of the stored letters are refused, not guessed.
    for (const char *text : {"", "g", " G", "G ", "GG", "X", "BOTH"}) {
        EXPECT_FALSE(Card_Mode_Of_Letter(text)) << '"' << text << '"';
    }
    for (const char *text : {"", "f", "b", "FB", "BOTH", "2"}) {
        EXPECT_FALSE(Card_Side_Of_Letter(text)) << '"' << text << '"';
    }
    for (const char *text : {"", "both", "Both", "FB", "2"}) {
        EXPECT_FALSE(Run_Sides_Of_Code(text)) << '"' << text << '"';
    }
    // Visitor and group mode are those with the visitor panels.
    for (Card_Mode m : {Card_Mode::Template, Card_Mode::Wizard, Card_Mode::Opened}) EXPECT_FALSE(Has_Visitor_Panels(m));
    for (Card_Mode m : {Card_Mode::Visitor, Card_Mode::Group}) EXPECT_TRUE(Has_Visitor_Panels(m));
}

TEST(CardModes, SidesOfARunInTheOrderMailWritesThem)
{
    // The rows of the run windows' side list, and the sides a card's mail carries:
    // both sides write the back's picture first, as the mail's attachments stand.
    const struct {
        int row;
        Run_Sides sides;
        QList<int> order;
    } table[] = {{0, Run_Sides::Both, {1, 0}}, {1, Run_Sides::Front, {0}}, {2, Run_Sides::Back, {1}}};
    for (const auto &r : table) {
        EXPECT_EQ(Run_Sides_Of_Row(r.row), r.sides) << r.row;
        EXPECT_EQ(Sides_In_Writing_Order(r.sides), r.order) << r.row;
    }
}
