// Entry point of QV-Config: the application object and the run of the main window.
#include "ui/main/program.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QV-Config"));
    return qv::RunProgram();
}
