#pragma once
// The camera of the main window tests: synthetic, answered by taking the first frame,
// a sepia adjustment and OK; the pictures go into a camera folder of the test's own.
#include "Camera.h"
#include "CameraCapture.h"
#include "Globals.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

struct SyntheticCamera {
    testsupport::ScriptedRunner &runner;
    QString savedFolder = Camera_Folder_Path;
    int openings = 0;
    explicit SyntheticCamera(testsupport::ScriptedRunner &answers) : runner(answers)
    {
        qputenv("DOZO_CAMERA_SOURCE", "synthetic");
        Camera_Folder_Path = testsupport::testHome() + "/camera";
        runner.whileOpen<Camera>([this](Camera &c) {
            ++openings;
            c.Start_Btn_Clicked();
            EXPECT_TRUE(QTest::qWaitFor([&c] { return c.session().capture() && !c.session().capture()->final_image.isNull(); },
                                        5000));
            c.Capture_Btn_Clicked();
            c.Image_Sepia_chk->setChecked(true);
            c.OK_Btn_Clicked();
        });
    }
    ~SyntheticCamera()
    {
        runner.remove<Camera>();
        qunsetenv("DOZO_CAMERA_SOURCE");
        Camera_Folder_Path = savedFolder;
    }
};
