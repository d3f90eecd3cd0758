#include "ui/HtmlSchemes.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test binary runs inside a QApplication, as the program does, so that
// event loops, timers, widgets and SQL drivers behave as they do there.
int main(int argc, char** argv)
{
    // As the program's main does: the HTML views' schemes must be known
    // before the application object exists. Harmless where no view is made.
    RegisterHtmlSchemes();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
