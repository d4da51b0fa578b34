// The Export Card command in the main window: the card view's context menu offers it.
// (The export itself is the output desk's, tested with it.)
#include "TestWindow.h"

#include <gtest/gtest.h>

TEST(ExportCardTest, TheContextMenuOffersTheExport)
{
    TestWindow w;
    EXPECT_TRUE(w.controller.Window_Command_Available(CardViewHost::WindowCommand::ExportCard));
}
