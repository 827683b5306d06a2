#include "app/author_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(AuthorKeys, EachKeyHasItsActionAndTheShowsOwnKeysHaveNone) {
    EXPECT_EQ(author_key('P').action, AuthorKey::pause);
    EXPECT_EQ(author_key(190).action, AuthorKey::step);   // the full stop
    EXPECT_EQ(author_key(9).action, AuthorKey::overlay);  // Tab
    const struct {
        int key;
        double seconds;
    } steps[] = {{37, -1.0}, {39, 1.0}, {34, -10.0}, {33, 10.0}};
    for (const auto& s : steps) {
        EXPECT_EQ(author_key(s.key).action, AuthorKey::seek_by) << s.key;
        EXPECT_EQ(author_key(s.key).seconds, s.seconds) << s.key;
    }
    // Escape, space, Up, Down, A and Q drive the show and its developer values: never author mode's.
    for (int key : {27, 32, 38, 40, int{'A'}, int{'Q'}})
        EXPECT_EQ(author_key(key).action, AuthorKey::none) << key;
}

TEST(AuthorKeys, HomeAndTheDigitsSeekToTheStartOfTheShowAndOfEachScene) {
    EXPECT_EQ(author_key(36).action, AuthorKey::seek_to);
    EXPECT_EQ(author_key(36).seconds, 0.0);
    EXPECT_EQ(author_key('1').seconds, 0.0);
    EXPECT_EQ(author_key('2').seconds, 76.8);
    EXPECT_EQ(author_key('3').seconds, 289.0);
    // The final scene's window is open at 361, where no scene draws: a frame after it.
    EXPECT_GT(author_key('4').seconds, 361.0);
    EXPECT_LT(author_key('4').seconds, 361.1);
    EXPECT_EQ(author_key('5').action, AuthorKey::none);
}

TEST(AuthorKeys, TheOverlayTellsWhereTheShowIsAndEndsWithTheKeys) {
    AuthorFacts facts;
    facts.show_time = 300.031;
    facts.scene_slot = 2;
    facts.scene_clock = 12.14;
    facts.paused = true;
    facts.render_scale = 0.5;
    facts.last_seek_ms = 378;
    facts.pass_ms = {{"light", 12.5}, {"light/f_material1", 10.0}, {"compose", 3.25}};
    facts.shader_news = "f_x.glsl does not compile\n0:3(1): error";
    facts.shader_failed = true;
    const std::vector<std::string> lines = author_overlay_lines(facts);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_NE(lines[0].find("300.03 s"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("middle"), std::string::npos);
    EXPECT_NE(lines[0].find("clock 12.14"), std::string::npos);
    EXPECT_NE(lines[0].find("PAUSED"), std::string::npos);
    EXPECT_NE(lines[1].find("render scale 0.50"), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("last seek 378 ms"), std::string::npos);
    // Passes, not the content groups inside them.
    EXPECT_NE(lines[2].find("light"), std::string::npos);
    EXPECT_NE(lines[3].find("compose"), std::string::npos);
    EXPECT_EQ(lines[4], "!f_x.glsl does not compile");
    EXPECT_EQ(lines[5], "!0:3(1): error");
    EXPECT_EQ(lines.back(), author_help);

    facts.scene_slot = -1;
    facts.paused = false;
    facts.shader_news.clear();
    const std::vector<std::string> playing = author_overlay_lines(facts);
    EXPECT_NE(playing[0].find("no scene"), std::string::npos);
    EXPECT_EQ(playing[0].find("PAUSED"), std::string::npos);
}

}  // namespace
