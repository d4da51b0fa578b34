#pragma once
// The state of one output run (a batch export, a mail run, a batch of pictures): the
// stop request, the last keep/replace answer, the progress counters and what the
// final open-exported-file question offers. One object per run, made when the run
// starts and shared by the run's thread, its progress panel and its boxes; the flags
// and counters are atomic, so the GUI thread may read and set them while the run works.
#include "FileWrite.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

// Answers of the keep/replace box, as the run keeps them.
enum Keep_Replace_Answer : int {
    Keep_Replace_Replace = 0,      // delete the file there and write at its path; ask again next time
    Keep_Replace_Keep = 1,         // write under a free numbered name; ask again next time
    Keep_Replace_Replace_All = 2,  // replace, and every later clash of the run without asking
    Keep_Replace_Keep_All = 3,     // keep, and every later clash of the run without asking
    Keep_Replace_Cancel = 4,       // write nothing for this file; the run goes on
    Keep_Replace_Cancel_All = 5,   // write nothing; the run stops before its next step (also Stop)
};

struct Output_Run_State {
    // The last keep/replace answer (Keep_Replace_Answer); 0 when the run starts.
    std::atomic<int> replace_keep_file_flag{Keep_Replace_Replace};
    // A stop request; the run reads it between its steps.
    std::atomic<bool> Stop_SMS_Sending_Now{false};
    // The apply-to-all check box as the user left it; the next keep/replace box of the
    // run starts from it.
    std::atomic<bool> Msg_Apply_All_Chk{false};
    // Some file was written in this run; the final question is asked only then.
    std::atomic<bool> check_any_card_exported{false};
    // Progress: the steps of the run (the bar's maximum) and the steps begun.
    std::atomic<int> show_count{0};
    std::atomic<int> curr_card_count{0};
    // Files that could not be written, and the cards they belonged to.
    std::atomic<int> failed_files{0};
    std::atomic<int> failed_cards{0};
    // The system's error number (errno) of the last file that could not be written; 0
    // when none is known.
    std::atomic<int> failed_error{0};
    // Cards whose every file asked for was written; the first card that could not be
    // written (from 0; -1 none), where a run stops.
    std::atomic<int> written_cards{0};
    std::atomic<int> first_failed_card{-1};
    // Cards made without something they show (a picture that cannot be read, a barcode
    // value its symbology refuses), and the first few of them as "Card N: what"
    // (written by the run's thread, read once it has ended).
    std::atomic<int> incomplete_cards{0};
    QStringList incomplete_notes;
    static constexpr int Incomplete_Notes_Kept = 5;
    // Why the run's pictures can't be made (too large), when a card was refused for it;
    // the run stops there. Written by the run's thread, read once it has ended.
    QString refused_text;
    // Stop's question is open: the run waits before its next step until it is answered.
    std::atomic<bool> paused{false};
    // Called on the run's thread each time it finds Stop's question open and waits on
    // (tests learn here that the step under way has ended); set before the question opens.
    std::function<void()> on_pause_wait;

    // What the final question offers. Written by the run's thread, and read by the box
    // the run hands to the GUI thread while it waits for the answer (never both at once).
    QString Export_File_Path;
    QString Export_Back_File_Path;
    QString Export_File_Message;
    // The folders the run has cleared of a killed write's leftovers (its first write there).
    File_Write_Sweep swept_folders;

    // The stop point of a run: Stop on the progress panel, or Cancel with "Apply to All".
    bool Stop_Requested() const
    {
        return replace_keep_file_flag.load() == Keep_Replace_Cancel_All && Stop_SMS_Sending_Now.load();
    }
    // Waits while Stop's question is open (returns at once when it is not).
    void Wait_While_Paused() const
    {
        while (paused.load() && !Stop_SMS_Sending_Now.load()) {
            if (on_pause_wait) on_pause_wait();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    // What Stop answered with Yes does.
    void Request_Stop()
    {
        replace_keep_file_flag = Keep_Replace_Cancel_All;
        Stop_SMS_Sending_Now = true;
    }
};

// What a run's last message adds about cards made without something they show:
// "Cards made without something they show: N" and the first notes, one a line, then
// "and M more" for the rest; empty when none.
inline QString Incomplete_Cards_Text(int count, const QStringList &notes)
{
    if (count <= 0) return {};
    QString text = QStringLiteral("Cards made without something they show: %1\n").arg(count);
    text += notes.join(QLatin1Char('\n'));
    if (count > notes.size()) text += QStringLiteral("\nand %1 more").arg(count - notes.size());
    return text;
}
