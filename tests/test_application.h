#pragma once
// One Qt application object for a GoogleTest program, made before the first widget or
// painter needs it and kept for the life of the process:
//   struct Fixture : ::testing::Test { bool app = makeApplication<QApplication>(); ... };

#include <QCoreApplication>

template <class Application> bool makeApplication()
{
    static int argc = 1;
    static char name[] = "quarnis_tests";
    static char* argv[] = { name, nullptr };
    if (!QCoreApplication::instance())
        new Application(argc, argv);
    return true;
}
