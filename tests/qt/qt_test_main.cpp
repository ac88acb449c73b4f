// Runs every test class of the Qt host in one QApplication on the offscreen platform. A first
// argument that names a class runs that class alone, with the QtTest arguments after it.
#include <QApplication>
#include <QTest>
#include <memory>
#include <vector>

#include "hosts/qt/start_up.h"
#include "qt_test_classes.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  hosts::qt::PrepareApplication();
  std::vector<std::unique_ptr<QObject>> tests;
  tests.push_back(MakeInputTest());
  tests.push_back(MakeFrameTest());
  tests.push_back(MakeMenuTest());
  tests.push_back(MakeMessageBoxTest());
  tests.push_back(MakeDialogTest());
  tests.push_back(MakeEditorDialogsTest());
  const QString chosen = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  int failures = 0;
  for (const auto& test : tests) {
    if (chosen == QString::fromLatin1(test->metaObject()->className())) {
      argv[1] = argv[0];
      return QTest::qExec(test.get(), argc - 1, argv + 1) == 0 ? 0 : 1;
    }
  }
  for (const auto& test : tests)
    failures += QTest::qExec(test.get(), argc, argv);
  return failures == 0 ? 0 : 1;
}
