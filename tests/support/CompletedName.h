#pragma once
// A save command whose panel completes the name typed, tried over the three things that
// may be under the name it writes: the user's own file (the question, answered No, keeps
// its bytes), a link to a file outside and a link leading nowhere (answered Yes: the name
// becomes a file of its own, and nothing outside changes or appears). `format`: the format
// chosen in a panel with the format choice.
#include "OutsideFolder.h"
#include "TestSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace testsupport {

inline void Check_Completed_Name(const QString &typed, const QString &written, const std::function<void()> &save,
                                 const QString &format = {})
{
    enum Planted { Own_File, Link_To_File, Link_To_Nowhere };
    for (const Planted planted : {Own_File, Link_To_File, Link_To_Nowhere}) {
        const QTemporaryDir folder;
        const OutsideFolder outside;
        const QString target = folder.filePath(written);
        if (planted == Own_File) {
            QFile own(target);
            ASSERT_TRUE(own.open(QIODevice::WriteOnly) && own.write("mine") == 4);
        } else {
            ASSERT_TRUE(outside.link(target, planted == Link_To_File ? "thesis.odt" : "autostart.desktop"));
        }
        boxes().clear();
        boxes().answerNext(planted == Own_File ? 0 : 1);
        clearFilePanels();
        queueFilePanelAnswer(format.isEmpty() ? QStringList{folder.filePath(typed)}
                                              : QStringList{folder.filePath(typed), format});
        save();
        EXPECT_EQ(boxes().take().value(0), written + " already exists. Do you want to replace it?") << planted;
        EXPECT_EQ(outside.contents(), "thesis.odt=thesis;") << planted;
        const QFileInfo at(target);
        EXPECT_TRUE(at.isFile() && !at.isSymLink()) << planted;
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << planted;
        if (planted == Own_File) {
            EXPECT_EQ(file.readAll(), "mine");
        } else {
            EXPECT_GT(file.size(), 4) << planted;
        }
    }
}

}  // namespace testsupport
