#include "SKTError.h"
#include "TreeItem.h"

#include <gtest/gtest.h>

TEST(SmallUtilities, ErrorWithCodeFallsBackToGeneralTexts)
{
    const SKTError e = SKTErrorWithCode(3);
    EXPECT_EQ(e.domain, SKTErrorDomain);
    EXPECT_EQ(e.code, 3);
    EXPECT_FALSE(e.localizedDescription.isEmpty());
    EXPECT_FALSE(e.localizedDescription.contains("description"));
    EXPECT_EQ(e.localizedFailureReason, "An unknown error occurred.");
}

TEST(SmallUtilities, TreeItemChildren)
{
    auto folder = TreeItem::TreeItemName("Projects");
    EXPECT_FALSE(folder->isBoss());
    EXPECT_EQ(folder->getTreeItemNumbers(), 0);
    folder->addTreeItem(TreeItem::TreeItemName("a.zcd"));
    EXPECT_TRUE(folder->isBoss());
    const auto snapshot = folder->getTreeItems();
    folder->addTreeItem(TreeItem::TreeItemName("b.zcd"));
    EXPECT_EQ(snapshot.size(), 1u) << "the child list handed out is a copy";
    EXPECT_EQ(folder->getTreeItems().at(1)->description(), "b.zcd");
    folder->RemoveAllTreeItem();
    EXPECT_EQ(folder->getTreeItemNumbers(), 0);
    EXPECT_EQ(TreeItem().name, "name");
}
