#include "show/cue_table.h"

#include <gtest/gtest.h>

class CueTableTest : public ::testing::Test {
protected:
    void SetUp() override { cues.initialise(); }
    CueTable cues;
};

TEST_F(CueTableTest, HoldsAllEntries) { EXPECT_EQ(cues.count(), 31u); }

TEST_F(CueTableTest, LaterEntriesWinWhereIntervalsMeet) {
    EXPECT_EQ(cues.query(80.0), 9);  // entries 0 and 5 both hold 80.0; 5 is later
    EXPECT_EQ(cues.query(80.1), 1);
    EXPECT_EQ(cues.query(79.9), 9);
    EXPECT_EQ(cues.query(85.14), 2);  // closed intervals touching: the later one
    EXPECT_EQ(cues.query(227.281), 3);
    EXPECT_EQ(cues.query(226.5), 1);
    EXPECT_EQ(cues.query(105.0), 4);
    EXPECT_EQ(cues.query(105.1), 5);
}

TEST_F(CueTableTest, OverlapsAndTheDrumRun) {
    EXPECT_EQ(cues.query(270.9), 21);
    EXPECT_EQ(cues.query(274.329), 21);
    EXPECT_EQ(cues.query(267.76), 0);  // the one gap inside the run: 267.755 .. 267.775
    EXPECT_EQ(cues.query(291.178), 21);
}

TEST_F(CueTableTest, GapsGiveZero) {
    for (double t :
         {-1.0, 98.01, 100.0, 104.93, 105.2, 150.0, 226.0, 230.0, 246.0, 251.0, 267.0, 281.5, 291.2, 400.0})
        EXPECT_EQ(cues.query(t), 0) << t;
    EXPECT_EQ(cues.query(0.0), 9);
    EXPECT_EQ(cues.query(98.0), 3);
}

TEST(CueTableEmpty, UninitialisedTableHasNoCues) {
    const CueTable cues;
    EXPECT_EQ(cues.query(80.0), 0);
}
