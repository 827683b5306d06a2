#include "platform/message_box.h"

#include <gtest/gtest.h>

TEST(MessageBox, NonInteractiveBoxesArePrintedAndAnswerTheFirstButton) {
    set_message_boxes_interactive(false);
    testing::internal::CaptureStderr();
    const MessageAnswer ok =
        message_box("ERROR", "Window Creation Error.", MessageButtons::ok, MessageIcon::exclamation);
    const MessageAnswer yes = message_box("OVK GL ;-)",
                                          "The Requested Fullscreen Mode Is Not Supported By\n"
                                          "Your Video Card. Use Windowed Mode Instead?",
                                          MessageButtons::yes_no, MessageIcon::exclamation);
    const std::string printed = testing::internal::GetCapturedStderr();
    set_message_boxes_interactive(true);

    EXPECT_EQ(ok, MessageAnswer::ok);
    EXPECT_EQ(yes, MessageAnswer::yes);
    EXPECT_EQ(printed,
              "ERROR: Window Creation Error.\n"
              "OVK GL ;-): The Requested Fullscreen Mode Is Not Supported By\n"
              "Your Video Card. Use Windowed Mode Instead?\n");
}
