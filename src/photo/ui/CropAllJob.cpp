#include "CropAllJob.h"

#include "DirectCropNames.h"
#include "Export_File_Writer.h"
#include "FileUtilities.h"
#include "FileWrite.h"
#include "Log.h"
#include "MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// "<title>: N", the first notes one a line, then "and M more" for the rest.
QString countedNotes(const QString &title, int count, const QStringList &notes)
{
    QString text = QStringLiteral("%1: %2\n").arg(title).arg(count) + notes.join(u'\n');
    if (count > notes.size())
        text += QStringLiteral("\nand %1 more").arg(count - notes.size());
    return text;
}
} // namespace

QString Crop_All_Success_Text() { return QStringLiteral("Image has been cropped successfully."); }

QString Crop_All_End_Message(const Output_Run_State &state, int rows, int written, const Crop_All_Shortfall &shortfall)
{
    const int unreadable = state.incomplete_cards;
    if (unreadable == 0 && shortfall.faceless == 0 && shortfall.unwritten == 0 && shortfall.stoppedAfter < 0)
        return Crop_All_Success_Text();
    QString text = QStringLiteral("Pictures cropped: %1 of %2.").arg(written).arg(rows);
    if (shortfall.stoppedAfter >= 0)
        text += QStringLiteral("\nThe run was stopped after %1 of %2 pictures.").arg(shortfall.stoppedAfter).arg(rows);
    if (unreadable > 0)
        text += QStringLiteral("\n\n") +
                countedNotes(QStringLiteral("Pictures that could not be read"), unreadable, state.incomplete_notes);
    if (shortfall.blank > 0)
        text += QStringLiteral("\n\n") +
                countedNotes(QStringLiteral("Rows without a picture"), shortfall.blank, shortfall.blankNotes);
    if (shortfall.faceless > 0)
        text += QStringLiteral("\n\n") +
                countedNotes(QStringLiteral("No face found"), shortfall.faceless, shortfall.facelessNotes);
    if (shortfall.unwritten > 0)
        text += QStringLiteral("\n\n") + countedNotes(QStringLiteral("Pictures that could not be written"),
                                                      shortfall.unwritten, shortfall.unwrittenNotes);
    return text;
}

Crop_All_Job::Crop_All_Job(Crop_All_Snapshot snapshot, std::shared_ptr<const FaceDetector> detector,
                           std::shared_ptr<Output_Run_State> state, QThreadPool *pool, Crop_Picture_Writer writer)
    : m_snapshot(std::move(snapshot)), m_detector(std::move(detector)), m_state(std::move(state)), m_pool(pool),
      m_writer(std::move(writer))
{
    m_counter = m_snapshot.counter;
    if (!m_writer)
        m_writer = [](const QImage &cut, const QString &path, File_Write_Sweep *sweep, QString *cause) {
            // The names are the run's own: a link under one is replaced, never written through.
            return Save_gen_image(cut, path, File_Link::Replace, sweep, cause);
        };
}

Crop_All_Job::~Crop_All_Job() { Wait(); }

void Crop_All_Job::Wait()
{
    m_thread.Wait();
}

void Crop_All_Job::Abandon()
{
    m_abandoned = true;
    m_state->Request_Stop();
}

bool Crop_All_Job::Start()
{
    if (m_snapshot.series != Crop_Series_Output::None) {
        // The series is written whole when the run ends, so the series it replaces stays
        // whole until then. A file made and removed beside it now tells whether it can
        // be written at all; nothing of it stays behind (a "<series>.part" left by an
        // earlier run that was killed goes with it). The probe is made new, so a link
        // under its name is removed, never written through.
        const QString probePath = m_snapshot.seriesPath + QStringLiteral(".part");
        QFile probe(probePath);
        if (!m_snapshot.seriesPath.isEmpty()) QFile::remove(probePath);
        const bool writable = !m_snapshot.seriesPath.isEmpty() && probe.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        if (writable) {
            probe.close();
            probe.remove();
        }
        if (!writable) {
            Show_MessageBox(QStringLiteral("Error in series file accessing."));
            return false;
        }
        m_writeSeries = true;
    }
    m_state->show_count = int(m_snapshot.paths.size());
    m_state->curr_card_count = 0;
    m_thread.Start(m_pool, [this] { Run(); });
    return true;
}

QString Crop_All_Job::Write_Row(int row, const QString &input, const QImage &cut)
{
    QString target;
    if (m_snapshot.direct) {
        target = Check_Exist_Path_and_Create_New(m_snapshot.outputFolder + u'/' + Direct_Crop_File_Name(input));
    } else {
        const QString path = Cropped_File_Name(m_snapshot.outputFolder, m_snapshot.customName, m_snapshot.name, input,
                                               m_snapshot.format, m_counter++);
        if (m_abandoned)
            return {};
        const auto free = Keep_Or_Replace_Target(path, Keep_Replace_Wording::Keep_Or_Replace, true, *m_state);
        if (!free)
            return {};
        target = *free;
    }
    QString cause;
    if (!m_writer(cut, target, &m_state->swept_folders, &cause)) {
        ++m_state->failed_files;
        ++m_shortfall.unwritten;
        if (m_shortfall.unwrittenNotes.size() < Output_Run_State::Incomplete_Notes_Kept)
            m_shortfall.unwrittenNotes
                << QStringLiteral("Row %1: \"%2\" (%3)").arg(row + 1).arg(QFileInfo(target).fileName(), cause);
        Show_NSLog_Message(QStringLiteral("Crop All: cannot write %1: %2").arg(target, cause));
        return {};
    }
    ++m_written;
    m_state->check_any_card_exported = true;
    return target;
}

void Crop_All_Job::Run()
{
    QDir().mkpath(m_snapshot.outputFolder);
    for (int row = 0; row < m_snapshot.paths.size(); ++row) {
        m_state->Wait_While_Paused();
        // Stop, or Cancel with "Apply to All"; a plain Cancel skips its own file only.
        if (m_abandoned || m_state->Stop_Requested()) {
            m_shortfall.stoppedAfter = row;
            break;
        }
        ++m_state->curr_card_count;
        emit rowStarted(row);
        const QString input = m_snapshot.paths[row].trimmed();
        QString written;
        const Picture preview =
            !input.isEmpty() && QFileInfo(input).isFile() ? Get_Image_For_Path(input, 0) : Picture();
        if (input.isEmpty()) {
            // An empty series line: nothing to cut, named if the run tells of anything.
            ++m_shortfall.blank;
            if (m_shortfall.blankNotes.size() < Output_Run_State::Incomplete_Notes_Kept)
                m_shortfall.blankNotes << QStringLiteral("Row %1: no picture").arg(row + 1);
        } else if (preview.isNull()) {
            // Missing, empty, not a picture, or beyond the decoder's limits.
            ++m_state->incomplete_cards;
            if (m_state->incomplete_notes.size() < Output_Run_State::Incomplete_Notes_Kept)
                m_state->incomplete_notes << QStringLiteral("Row %1: \"%2\"").arg(row + 1).arg(QFileInfo(input).fileName());
        }
        if (!preview.isNull()) {
            const QImage shown = Get_Processed_Image_Full_Combined(preview, m_snapshot.adjustments, true).image();
            const Crop_Result cut = Crop_Picture(shown, m_snapshot.cut, m_detector.get());
            if (cut.outcome == Crop_Outcome::Cut) {
                written = Write_Row(row, input, cut.image);
            } else if (cut.outcome == Crop_Outcome::No_Face) {
                ++m_shortfall.faceless;
                if (m_shortfall.facelessNotes.size() < Output_Run_State::Incomplete_Notes_Kept)
                    m_shortfall.facelessNotes
                        << QStringLiteral("Row %1: \"%2\"").arg(row + 1).arg(QFileInfo(input).fileName());
            }
        }
        m_lines << written;  // a row without a cut: an empty line
    }
    if (m_writeSeries) {
        // Written whole over the series (a rename), so the old one stays until then.
        QByteArray bytes;
        for (const QString &line : std::as_const(m_lines))
            bytes += (line + u'\n').toUtf8();
        // A new series' name is the run's own: a link there is replaced. The series
        // replaced is the listed one, written through as the list names it.
        const File_Link links =
            m_snapshot.series == Crop_Series_Output::New ? File_Link::Replace : File_Link::Write_Through;
        if (!Write_File_Whole(m_snapshot.seriesPath, bytes, 0644, nullptr, links))
            Show_NSLog_Message(QStringLiteral("Crop All: cannot write the series ") + m_snapshot.seriesPath);
    }
    m_state->Export_File_Path = m_snapshot.outputFolder;
    m_state->Export_File_Message = Crop_All_End_Message(*m_state, int(m_snapshot.paths.size()), m_written, m_shortfall);
    m_done = true;
    emit finished();
}
