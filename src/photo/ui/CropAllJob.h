#pragma once
// Crop All: every row of the cropping window's list cut on a worker thread from a
// snapshot taken on the GUI thread. Per row the worker loads the 500-pixel preview,
// runs the adjustment chain, cuts (face mode: each picture's own largest face) and
// writes; it never touches a widget. The GUI thread hears of each row and of the end
// through queued signals and never waits for the worker; a keep/replace question
// blocks the worker while the GUI thread asks it. Counters and the stop flag live in
// the run's Output_Run_State (atomics), which the progress panel reads.
#include "AdjustmentChain.h"
#include "CropRow.h"
#include "Output_Run_State.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>
#include <thread>

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

// What a run tells at its end: "Image has been cropped successfully.", or, when some
// rows named a picture that could not be read (missing, empty, not a picture, beyond
// the decoder's limits), the pictures cropped of the rows, the count of those rows and
// the first few of them ("Row N: "name"").
QString Crop_All_End_Message(const Output_Run_State &state, int rows, int written);

class Crop_All_Job : public QObject {
    Q_OBJECT
public:
    Crop_All_Job(Crop_All_Snapshot snapshot, std::shared_ptr<const FaceDetector> detector,
                 std::shared_ptr<Output_Run_State> state);
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

signals:
    void rowStarted(int row);
    void finished();

private:
    void Run();
    QString Write_Row(const QString &input, const QImage &cut);

    Crop_All_Snapshot m_snapshot;
    std::shared_ptr<const FaceDetector> m_detector;
    std::shared_ptr<Output_Run_State> m_state;
    std::thread m_thread;
    bool m_writeSeries = false;
    int m_written = 0;
    int m_counter = 0;
    QStringList m_lines;
    std::atomic<bool> m_abandoned{false};
    std::atomic<bool> m_done{false};
};
