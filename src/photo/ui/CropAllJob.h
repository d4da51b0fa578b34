#pragma once
// Crop All: every row of the cropping window's list cut on a worker thread (one thread
// of the given pool, the application's) from a
// snapshot taken on the GUI thread. Per row the worker loads the 500-pixel preview,
// runs the adjustment chain, cuts (face mode: each picture's own largest face) and
// writes; it never touches a widget. The GUI thread hears of each row and of the end
// through queued signals and never waits for the worker; a keep/replace question
// blocks the worker while the GUI thread asks it. Counters and the stop flag live in
// the run's Output_Run_State (atomics), which the progress panel reads.
#include "AdjustmentChain.h"
#include "CropRow.h"
#include "Output_Run_State.h"
#include "PoolJob.h"

#include <QImage>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class QThreadPool;

enum class Crop_Series_Output { None, New, Replace };

struct Crop_All_Snapshot {
    QStringList paths;  // the list's rows
    ImageAdjustments adjustments;
    Crop_Cut_Settings cut;
    QString outputFolder;
    bool customName = true;
    QString name = QStringLiteral("Untitled");
    int format = 0;
    int counter = 0;  // the window's name counter when the run starts
    // Direct mode: each input's own file name (Direct_Crop_File_Name), made free in the
    // output folder, no questions; a missing input gives an empty series line.
    bool direct = false;
    // Series output: a line per row (the file written, or empty), into `seriesPath`
    // (a new free name, or the listed series it replaces).
    Crop_Series_Output series = Crop_Series_Output::None;
    QString seriesPath;
};

// What kept a run from writing every cut: the pictures in which no face was found (face
// mode) and the first few of them ("Row N: "name""); the files that could not be
// written, and the first few of them ("Row N: "name" (cause)"); the rows begun when a
// stop ended the run before its last row (-1: it ran to its end). Beside them, the rows
// done that name no picture (an empty series line) and the first few ("Row N: no
// picture"): named when the run tells of anything else.
struct Crop_All_Shortfall {
    int blank = 0;
    QStringList blankNotes;
    int faceless = 0;
    QStringList facelessNotes;
    int unwritten = 0;
    QStringList unwrittenNotes;
    int stoppedAfter = -1;
};

// What a run that wrote every cut tells at its end: "Image has been cropped successfully.".
QString Crop_All_Success_Text();

// What a run tells at its end: "Image has been cropped successfully." when every row's
// picture was read and cut, every cut written and the run not stopped; otherwise
// "Pictures cropped: W of N." with, as they apply, "The run was stopped after R of N
// pictures.", the rows that named a picture that could not be read (missing, empty, not
// a picture, beyond the decoder's limits: "Pictures that could not be read: U" and the
// first few, "Row N: "name""), the rows without a picture ("Rows without a picture: B"
// and the first few, "Row N: no picture"), the pictures in which no face was found ("No face found:
// G" and the first few) and the files that could not be written ("Pictures that could
// not be written: F" and the first few). A file the person chose to keep (Keep, Cancel)
// is no shortfall.
QString Crop_All_End_Message(const Output_Run_State &state, int rows, int written, const Crop_All_Shortfall &shortfall);

// Writes a cut under a name of the run; false with the reason in *cause. The picture
// writer of the export (Save_gen_image) unless a test gives another.
using Crop_Picture_Writer = std::function<bool(const QImage &cut, const QString &path, File_Write_Sweep *sweep,
                                               QString *cause)>;

class Crop_All_Job : public QObject {
    Q_OBJECT
public:
    // pool: the application's pool; the worker is one of its threads (none: the
    // process's global pool).
    Crop_All_Job(Crop_All_Snapshot snapshot, std::shared_ptr<const FaceDetector> detector,
                 std::shared_ptr<Output_Run_State> state, QThreadPool *pool = nullptr,
                 Crop_Picture_Writer writer = {});
    ~Crop_All_Job() override;  // waits for the worker

    // Starts the worker; false (and nothing started) when the series file cannot be
    // opened: "Error in series file accessing." is then shown.
    bool Start();
    // Blocks until the worker has ended (tests; the window listens to finished()).
    void Wait();
    // The window goes while the run works: the run stops before its next row and asks
    // no more questions, whatever an answer already on its way says. Any thread.
    void Abandon();
    // The worker has emitted finished() or is about to.
    bool Done() const { return m_done; }

    // After finished(): files written, the name counter reached, the series file made.
    int written() const { return m_written; }
    int counter() const { return m_counter; }
    QString seriesPath() const { return m_snapshot.seriesPath; }
    QStringList seriesLines() const { return m_lines; }
    const Crop_All_Shortfall &shortfall() const { return m_shortfall; }

signals:
    void rowStarted(int row);
    void finished();

private:
    void Run();
    QString Write_Row(int row, const QString &input, const QImage &cut);

    Crop_All_Snapshot m_snapshot;
    std::shared_ptr<const FaceDetector> m_detector;
    std::shared_ptr<Output_Run_State> m_state;
    QThreadPool *m_pool;
    Crop_Picture_Writer m_writer;
    Pool_Job m_thread;
    bool m_writeSeries = false;
    int m_written = 0;
    int m_counter = 0;
    QStringList m_lines;
    Crop_All_Shortfall m_shortfall;
    std::atomic<bool> m_abandoned{false};
    std::atomic<bool> m_done{false};
};
