// The test classes of the Qt host, one per file, made by the test main.
#pragma once

#include <QObject>
#include <memory>

std::unique_ptr<QObject> MakeInputTest();
std::unique_ptr<QObject> MakeFrameTest();
std::unique_ptr<QObject> MakeMenuTest();
std::unique_ptr<QObject> MakeMessageBoxTest();
std::unique_ptr<QObject> MakeDialogTest();
std::unique_ptr<QObject> MakeEditorDialogsTest();
