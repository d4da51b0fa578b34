#include "Globals.h"
#include "Profile_Panel.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
double residentBytes()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toDouble() * double(sysconf(_SC_PAGESIZE)) : 0;
}

// The address sanitizer keeps freed memory on purpose: no memory bound under it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasuresMemory = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMeasuresMemory = false;
#else
constexpr bool kMeasuresMemory = true;
#endif
#else
constexpr bool kMeasuresMemory = true;
#endif
} // namespace

// Every keystroke records a snapshot of the whole side; the snapshots share the
// pictures and the unchanged controls, so typing a long name into a template with
// pictures keeps little memory.
TEST(UndoMemory, TypingALongVisitorNameKeepsLittle)
{
    TestWindow w;
    w.document.Start_Card_Option = "V";
    const QString path = Resource_Path + "Templates/Visitor/Visitor Pass (h).zcd";
    SKTWindowController::startWindowAnswerer = [&]() -> std::optional<QString> { return path; };
    ASSERT_TRUE(w.controller.Open_Start_Window());
    SKTWindowController::startWindowAnswerer = nullptr;
    QLineEdit *box = Front_Profile_Panel_OBJ->fields[0].value;
    ASSERT_TRUE(box->isEnabled());
    const int before = w.controller.Get_Undo_Count();
    const double start = residentBytes();
    QString name;
    for (int i = 0; i < 2000; ++i) {
        name += QChar(u'a' + i % 26);
        box->setText(name);
        emit box->textEdited(name);
    }
    const double grown = residentBytes() - start;
    EXPECT_EQ(w.controller.Get_Undo_Count(), before + 2000) << "one snapshot per keystroke";
    if (kMeasuresMemory) {
        EXPECT_LT(grown, 20e6) << grown / 1e6 << " MB";
    }
}
